// Builders of the point-list kinds (polyline, polygon, Bezier curve, open and
// closed C-spline) from the point sequence or a freehand stroke that the
// machine collected (interaction/sequence_rules.h), and the vertex lists of
// regular polygons and stars, which are stored as polygons.
#pragma once

#include <cstdint>
#include <vector>

#include "interaction/builders.h"

// The record of a point-list kind, or its refusal ("点 未指定") below the
// kind's minimum count: 2 polyline and open C-spline, 3 polygon and closed
// C-spline, 4 Bezier curve. Closed kinds take the fill variant.
Draft PointListDraft(ElementKind kind, std::vector<PointD> points, int variant);

// Construction::sequence holds the figure's points.
Draft BuildPolylineFromSequence(const Construction&, int variant);
Draft BuildPolygonFromSequence(const Construction&, int variant);
Draft BuildBezierFromSequence(const Construction&, int variant);
Draft BuildOpenSplineFromSequence(const Construction&, int variant);
Draft BuildClosedSplineFromSequence(const Construction&, int variant);
// Construction::freehand holds the stroke's samples (interaction/freehand.h).
Draft BuildPolylineFromStroke(const Construction&, int variant);
Draft BuildOpenSplineFromStroke(const Construction&, int variant);

// Change modes: Construction::sequence holds the element's vertices and
// changeHandle the one that moves to `to`. Refused when the moved vertex
// would land on a neighbour (the figure would lose a point); the protocol
// keeps the old element's fill variant.
Draft ChangedPointList(ElementKind kind, std::vector<PointD> points, int32_t picked, PointD to);
template <ElementKind Kind> Draft ChangeVertexAt(const Drawing&, const Construction& c, PointD to)
{
    return ChangedPointList(Kind, c.sequence, c.changeHandle, to);
}

// Regular polygon with n corners about centre, vertex 0 at p, then
// counter-clockwise on screen.
std::vector<PointD> RegularPolygonVertices(PointD centre, PointD p, int32_t corners);
// Star of n points: 2n vertices alternating between the outer radius (vertex 0
// at p) and innerRadius, 360 / (2n) apart.
std::vector<PointD> StarVertices(PointD centre, PointD p, double innerRadius, int32_t corners);
// The star's inner click rule: its distance from the centre lies strictly
// between 0.000001 and the outer radius.
bool StarInnerRadiusFits(PointD centre, PointD outer, PointD inner);
