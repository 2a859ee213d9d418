// The content edits of one selected element: adding or removing a vertex of
// a point-list element (polyline, polygon, Bezier curve, open and closed
// C-spline) through the point dialog, and rewriting a text through the text
// dialog. Each replaces the element in one journal group, and both end in
// the pick-one-element mode with the selection cleared, whatever happened.
#pragma once

#include "geometry/point.h"
#include "interaction/command_context.h"
#include "interaction/question_values.h"

#include <vector>

// Add c: a midpoint inserted after point c (of c and c + 1; the last choice
// is the closing segment, its midpoint goes after the last point). Remove c:
// point c left out. A choice outside the list leaves the points as they are.
std::vector<PointD> EditVertices(const std::vector<PointD>& points, const PolyPointChoice& choice);

void EditPolyPoints(CommandContext&);
void EditTextContent(CommandContext&);
