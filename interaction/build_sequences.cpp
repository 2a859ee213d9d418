// Point-list builders and the regular polygon and star vertices.
#include "interaction/build_sequences.h"

#include <cmath>

#include "geometry/func.h"
#include "interaction/arc_geometry.h"
#include "interaction/freehand.h"

namespace {

size_t minimumPoints(ElementKind kind)
{
    if (kind == ElementKind::Bezier)
        return 4;
    return kind == ElementKind::Polygon || kind == ElementKind::ClosedSpline ? 3 : 2;
}

bool isClosed(ElementKind kind)
{
    return kind == ElementKind::Polygon || kind == ElementKind::ClosedSpline;
}

// Polar placement: angle counter-clockwise on screen.
PointD polar(PointD c, double radius, double angleDeg)
{
    const double a = DegToRad(angleDeg);
    return {c.x + radius * std::cos(a), c.y - radius * std::sin(a)};
}

}  // namespace

Draft PointListDraft(ElementKind kind, std::vector<PointD> points, int variant)
{
    if (points.size() < minimumPoints(kind))
        return Draft::refusal(kind);
    if (isClosed(kind)) {
        ClosedPathRecord r;
        r.h.fillMode = variant;
        r.points = std::move(points);
        return {kind, std::move(r)};
    }
    OpenPathRecord r;
    r.points = std::move(points);
    return {kind, std::move(r)};
}

Draft ChangedPointList(ElementKind kind, std::vector<PointD> points, int32_t picked, PointD to)
{
    const auto n = static_cast<int64_t>(points.size());
    if (picked < 0 || picked >= n)
        return Draft::refusal(kind);
    const auto same = [&](int64_t i) {
        return std::hypot(points[static_cast<size_t>(i)].x - to.x, points[static_cast<size_t>(i)].y - to.y) <=
               kBuildTolerance;
    };
    const bool closed = isClosed(kind);
    const int64_t before = picked > 0 ? picked - 1 : (closed ? n - 1 : -1);
    const int64_t after = picked + 1 < n ? picked + 1 : (closed ? 0 : -1);
    if ((before >= 0 && before != picked && same(before)) || (after >= 0 && after != picked && same(after)))
        return Draft::refusal(kind);
    points[static_cast<size_t>(picked)] = to;
    return PointListDraft(kind, std::move(points), 0);
}

Draft BuildPolylineFromSequence(const Construction& c, int variant)
{
    return PointListDraft(ElementKind::Polyline, c.sequence, variant);
}
Draft BuildPolygonFromSequence(const Construction& c, int variant)
{
    return PointListDraft(ElementKind::Polygon, c.sequence, variant);
}
Draft BuildBezierFromSequence(const Construction& c, int variant)
{
    return PointListDraft(ElementKind::Bezier, c.sequence, variant);
}
Draft BuildOpenSplineFromSequence(const Construction& c, int variant)
{
    return PointListDraft(ElementKind::OpenSpline, c.sequence, variant);
}
Draft BuildClosedSplineFromSequence(const Construction& c, int variant)
{
    return PointListDraft(ElementKind::ClosedSpline, c.sequence, variant);
}
Draft BuildPolylineFromStroke(const Construction& c, int variant)
{
    return PointListDraft(ElementKind::Polyline, FreehandVertices(c.freehand), variant);
}
Draft BuildOpenSplineFromStroke(const Construction& c, int variant)
{
    return PointListDraft(ElementKind::OpenSpline, FreehandVertices(c.freehand), variant);
}

std::vector<PointD> RegularPolygonVertices(PointD centre, PointD p, int32_t corners)
{
    std::vector<PointD> v;
    if (corners < 1)
        return v;
    const double radius = Distance(centre, p);
    const double first = ScreenAngleDeg(centre, p);
    v.reserve(static_cast<size_t>(corners));
    v.push_back(p);
    for (int32_t i = 1; i < corners; ++i)
        v.push_back(polar(centre, radius, first + i * 360.0 / corners));
    return v;
}

std::vector<PointD> StarVertices(PointD centre, PointD p, double innerRadius, int32_t corners)
{
    std::vector<PointD> v;
    if (corners < 1)
        return v;
    const double outerRadius = Distance(centre, p);
    const double first = ScreenAngleDeg(centre, p);
    const double step = 360.0 / (2 * corners);
    v.reserve(static_cast<size_t>(2 * corners));
    v.push_back(p);
    for (int32_t i = 1; i < 2 * corners; ++i)
        v.push_back(polar(centre, i % 2 ? innerRadius : outerRadius, first + i * step));
    return v;
}

bool StarInnerRadiusFits(PointD centre, PointD outer, PointD inner)
{
    const double ri = Distance(centre, inner);
    return ri > kBuildTolerance && ri < Distance(centre, outer);
}
