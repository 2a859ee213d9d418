// Whether an element can paint into a canvas area, told from its own
// geometry rather than from its extent box: a line crossing the corner of an
// area's box need not pass near the area itself, nor an unfilled circle
// whose box holds it. A repaint of a small area skips the elements this
// rules out, and draws the rest as before.
#pragma once

#include "model/data.h"
#include "model/view.h"

// False only when no pixel the element's renderer draws at this view can lie
// in the canvas rectangle [left, right] x [top, bottom]: its outline (and,
// when it may be filled, its interior) stays farther from the area than the
// reach and margin its painted extent allows. True whenever in doubt: kinds
// without a finer test, numbers that are not finite, a view that cannot be
// inverted.
bool ElementMayPaintArea(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view, double left,
                         double top, double right, double bottom);

// True only when the element fills the whole area with an opaque colour, so
// that nothing drawn before it shows there: filled rectangles, rounded
// rectangles and circles whose interior holds the area with a few pixels
// to spare.
bool ElementHidesArea(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view, double left,
                      double top, double right, double bottom);
