// A generous canvas box of an element for culling the paint: it holds every
// pixel the element's renderer can touch (pen width, caps, joins, minimum
// sizes, spline overshoot, text) and every snap point the element registers
// (model/element_extent.h).
#pragma once

#include <QRectF>

#include "model/data.h"
#include "model/view.h"

// True when the element's box lies wholly outside `area` (canvas pixels).
// False for any box that cannot be computed (bad index, non-finite numbers):
// such elements are left to their renderer.
bool ElementOffArea(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view,
                    const QRectF& area);
