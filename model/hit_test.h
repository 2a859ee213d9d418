// The two element tests behind selection: does a click pick an element, and
// does an element lie wholly inside a range. Neither looks at the live flag
// or the layer; the selecting walks in selection.cpp filter those.
#pragma once

#include "geometry/construct.h"
#include "model/data.h"

// tolerance in world units (the window passes 5 pixels / scale). False for
// an unknown kind or an index outside its table.
bool HitTestElement(const Drawing& drawing, const ElementRef& ref, double tolerance, PointD click);

// box: the range with xmin <= xmax and ymin <= ymax, already grown by the
// caller's margin.
bool ElementInsideBox(const Drawing& drawing, const ElementRef& ref, const BoundsD& box);
