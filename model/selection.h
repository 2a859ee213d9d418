// The selection: which elements the editing commands work on, and the grips
// (control points) of the one selected element. Every selecting operation
// appends in ascending registry position, skips dead elements and elements on
// hidden layers, and ends by rebuilding the control points: they exist only
// while exactly one element is selected.
//
// The operations append to the selection; the window clears it (Deselect)
// before each selecting command, so a pick replaces the selection.
#pragma once

#include <cstdint>

#include "model/data.h"

// Appends the first element, in registry order, that a click at (x, y) picks;
// tolerance in world units (5 pixels / scale). The oldest element wins
// regardless of layer or drawing order.
bool SelectAt(Drawing& drawing, double tolerance, double x, double y);
// Appends every element lying wholly inside the rectangle; the corners may
// come in any order, and an element touching the border counts as inside.
bool SelectInRange(Drawing& drawing, double x1, double y1, double x2, double y2);
bool SelectAll(Drawing& drawing);
// Registry positions first..last inclusive, clipped to the registry; false at
// once (lists untouched) when last < first.
bool SelectRegistrySpan(Drawing& drawing, int32_t first, int32_t last);
// Empties the selection and the control points and frees their storage.
void ClearSelection(Drawing& drawing);

// Appends the grips of one element to the control points; the point codes tell
// handle editing which construction the element came from. Nothing for an
// unknown kind or an index outside its table.
void BuildControlPoints(Drawing& drawing, int32_t kind, int32_t index, int32_t registryPosition);
