// "分割点(&S)": points that cut every selected line, rectangle outline,
// circle, ellipse, arc-family outline, polyline and polygon edge into N
// equal parts, appended in one journal group. It runs at once on the
// selection and leaves the CommandMode alone.
#pragma once

#include <vector>

#include "geometry/point.h"
#include "interaction/command_context.h"
#include "model/data.h"

// The division points of one element, in the order they are appended;
// nullopt for the kinds that are not divided (points, Bezier curves,
// C-splines, texts) and for bad entries.
std::optional<std::vector<PointD>> DivisionPointsOf(const Drawing&, const ElementRef&, int parts);

void DivideSelection(CommandContext&);
