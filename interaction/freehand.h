// Freehand strokes: the reduction of the samples the machine buffered while
// the left button was held to the vertices of a polyline or open C-spline.
//
// The reduction walks the samples keeping a reference point (the last kept
// vertex) and a reference direction. A sample turns the stroke when both the
// direction from the reference point and the direction of the last step
// differ from the reference direction by 4 degrees or more; the sample before
// it is then kept. A corner is therefore represented by the sample before the
// turn is seen from the last vertex, which is not always the corner sample.
#pragma once

#include <span>
#include <vector>

#include "geometry/point.h"

inline constexpr double kFreehandTurnDeg = 4;

// Vertices of the stroke: empty for fewer than two samples (the builder then
// refuses), both samples for two, else the reduced list ending at the last
// sample.
std::vector<PointD> FreehandVertices(std::span<const PointD> samples);
