// Displaced duplicates for move and copy, and the outline of a selection that
// their rubber band drags along.
#pragma once

#include "geometry/point.h"
#include "model/data.h"

#include <vector>

// Appends a copy of the element with every stored point displaced by
// (dx, dy) and everything else unchanged (the layer too); the append journals
// a creation in the open group. False for an unknown kind or a bad index.
bool AppendDisplaced(Drawing&, const ElementRef&, double dx, double dy);

// Appends a displaced duplicate of every selected element, in selection order.
void AppendDisplacedSelection(Drawing&, double dx, double dy);
// Marks every selected element dead (journalled).
void KillSelection(Drawing&);

// Coarse world polylines of the selected elements (segments, boxes, vertex
// chains), at most maxElements of them, for the move and copy previews.
std::vector<std::vector<PointD>> SelectionOutline(const Drawing&, size_t maxElements);
