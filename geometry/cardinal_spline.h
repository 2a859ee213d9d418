// The cardinal spline (tension 0.5) that C-splines are drawn as, given as the
// control points of a chain of cubic Beziers. The renderer and the DXF
// writer both take their curves from here, so the two draw the same figure.
#pragma once

#include <span>
#include <vector>

#include "geometry/point.h"

// 1 + 3k points: the start, then two controls and the end of each segment.
// An open curve repeats its end points as their own neighbours; a closed one
// wraps round and ends on its first point.
std::vector<PointD> CardinalBeziers(std::span<const PointD> points, bool closed);
