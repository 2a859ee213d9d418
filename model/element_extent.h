// The painted extent of an element: a box in drawing units that holds every
// pixel its renderer can touch (pen width, joins, caps and anchor ends, spline
// overshoot, text boxes, tilted ellipses) and every snap point it registers,
// less a margin in canvas pixels (WorldBox::marginPx, at most
// kExtentMarginPx) that covers what the renderer adds whatever the zoom
// (minimum sizes, thin pens, anchors, the pixel-centre offset).
#pragma once

#include "model/data.h"
#include "model/view.h"

// False (and box untouched) for an unknown kind or an index outside its table.
bool PaintedExtent(const Drawing& drawing, const ElementRef& ref, WorldBox& box);

// What PaintedExtent grows the element's geometry by: a reach in drawing
// units and a margin in canvas pixels (the corner and spline allowances it
// adds to the geometry are not in the reach). False as PaintedExtent.
bool PaintedReach(const Drawing& drawing, const ElementRef& ref, double& reach, double& marginPx);

// The drawing-unit box that a canvas rectangle, grown by marginPx, covers;
// untrusted when the view cannot be inverted.
WorldBox CanvasAreaInWorld(const ViewTransform& view, double left, double top, double right, double bottom,
                           double marginPx = kExtentMarginPx);
