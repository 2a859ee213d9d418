// The snap-point list: while the drawing is painted each element registers its
// characteristic points (ends, midpoints, corners, centres, quadrant points,
// text-box points) with the pixel where each landed, and the click machine asks
// for the first registered point near the cursor to use its exact world
// coordinates. Only points on the canvas are registered, so the list always
// describes what the last paint showed.
#pragma once

#include <optional>

#include "model/data.h"
#include "model/view.h"

// Empties the list; called before every full repaint and before an image
// export. Keeps the storage for the next paint (ResetDatabase releases it).
void ClearSnapPoints(Drawing& drawing);

// Registers the points of one element, in the fixed code order of its kind.
// Called by the paint loop after drawing each element and by the constructors
// after drawing a new one. Unknown kinds and bad indices register nothing.
void RegisterSnapPoints(Drawing& drawing, const ElementRef& ref, const CanvasView& canvas);

// The first registered point whose screen position lies within tolerance
// pixels of the mouse on both axes (square window, edges included), skipping
// points of layers hidden since the paint. The first registered wins, not the
// nearest. With drawing.indexedSnapCanvas set the answer is the one the list
// of a full paint of that canvas would give, found through the extent index.
std::optional<SnapPoint> FindSnapPoint(const Drawing& drawing, int mouseX, int mouseY,
                                       int tolerance);
