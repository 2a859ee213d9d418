// Builders of circles and ellipses, by every method of the Draw menu. The
// method code decides which handles the element gets later, so each builder
// stores the code and the defining points of its method.
#include <cmath>

#include "geometry/construct.h"
#include "interaction/builders.h"

namespace {

Draft circle(PointD centre, double r, int variant, int method)
{
    CircleRecord rec;
    rec.h.fillMode = variant;
    rec.method = method;
    rec.cx = centre.x;
    rec.cy = centre.y;
    rec.r = r;
    return {ElementKind::Circle, rec};
}

Draft ellipse(PointD centre, SemiAxes axes, double tiltDeg, int variant, int method)
{
    if (!(axes.rx > kBuildTolerance) || !(axes.ry > kBuildTolerance))
        return Draft::refusal(ElementKind::Ellipse);
    EllipseRecord rec;
    rec.h.fillMode = variant;
    rec.method = method;
    rec.cx = centre.x;
    rec.cy = centre.y;
    rec.rx = axes.rx;
    rec.ry = axes.ry;
    rec.tilt = tiltDeg;
    return {ElementKind::Ellipse, rec};
}

PointD middle(PointD a, PointD b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

}  // namespace

Draft BuildCircleCentreRadius(PointD centre, PointD radiusPoint, int variant)
{
    const double r = Distance(centre, radiusPoint);
    if (!(r > kBuildTolerance))
        return Draft::refusal(ElementKind::Circle);
    return circle(centre, r, variant, 0);
}

Draft BuildCircleFromCentreRadius(const Construction& c, int variant)
{
    return BuildCircleCentreRadius(c.points[0], c.points[1], variant);
}

Draft BuildCircleFixedRadius(const Construction& c, int variant)
{
    const PointD centre = c.points[0];
    return BuildCircleCentreRadius(centre, {centre.x + c.work.radius, centre.y}, variant);
}

std::optional<PointD> CentreForRadiusTwoPoints(PointD p1, PointD p2, double r, int side)
{
    if (Distance(p1, p2) - 2 * r > kBuildTolerance)
        return std::nullopt;
    const CircleIntersection centres = IntersectCircles(p1, r, p2, r);
    if (centres.count == 0)
        return std::nullopt;
    if (centres.count == 1)
        return centres.first;
    // The centre lies on the side of the chord opposite to the direction point.
    const int m = SideOfLine(p1, p2, centres.first);
    return (side != 0 && side != m) ? centres.first : centres.second;
}

Draft BuildCircleRadiusTwoPoints(PointD p1, PointD p2, double r, int side, int variant)
{
    const std::optional<PointD> centre = CentreForRadiusTwoPoints(p1, p2, r, side);
    if (!centre || !(r > kBuildTolerance))
        return Draft::refusal(ElementKind::Circle);
    Draft draft = circle(*centre, r, variant, 1);
    auto& rec = std::get<CircleRecord>(draft.record);
    rec.p1x = p1.x;
    rec.p1y = p1.y;
    rec.p2x = p2.x;
    rec.p2y = p2.y;
    return draft;
}

Draft BuildCircleFromRadiusTwoPoints(const Construction& c, int variant)
{
    const PointD p1 = c.points[0], p2 = c.points[1];
    return BuildCircleRadiusTwoPoints(p1, p2, c.work.radius, SideOfLine(p1, p2, c.points[2]), variant);
}

Draft BuildCircleThreePoints(PointD p1, PointD p2, PointD p3, int variant)
{
    const std::optional<ThreePointCircle> through = CircleThrough3Points(p1, p2, p3);
    if (!through || !(through->radius > kBuildTolerance))
        return Draft::refusal(ElementKind::Circle);
    Draft draft = circle(through->centre, through->radius, variant, 2);
    auto& rec = std::get<CircleRecord>(draft.record);
    rec.p1x = p1.x;
    rec.p1y = p1.y;
    rec.p2x = p2.x;
    rec.p2y = p2.y;
    rec.p3x = p3.x;
    rec.p3y = p3.y;
    return draft;
}

Draft BuildCircleFromThreePoints(const Construction& c, int variant)
{
    return BuildCircleThreePoints(c.points[0], c.points[1], c.points[2], variant);
}

SemiAxes SemiAxesOf(PointD centre, PointD radiusPoint, double tiltDeg)
{
    const double dx = radiusPoint.x - centre.x, dy = radiusPoint.y - centre.y;
    const double t = DegToRad(tiltDeg);
    return {std::fabs(dx * std::cos(t) - dy * std::sin(t)), std::fabs(dx * std::sin(t) + dy * std::cos(t))};
}

Draft BuildEllipseCentreRadius(PointD centre, PointD radiusPoint, double tiltDeg, int variant)
{
    return ellipse(centre, SemiAxesOf(centre, radiusPoint, tiltDeg), tiltDeg, variant, 0);
}

Draft BuildEllipseFromCentreRadius(const Construction& c, int variant)
{
    return BuildEllipseCentreRadius(c.points[0], c.points[1], c.work.tiltDeg, variant);
}

Draft BuildEllipseFixedRadii(const Construction& c, int variant)
{
    // The radius point whose tilted offsets are the dialog's radii.
    const double t = DegToRad(c.work.tiltDeg);
    const double rx = c.work.radiusX, ry = c.work.radiusY;
    const PointD centre = c.points[0];
    const PointD corner{centre.x + rx * std::cos(t) + ry * std::sin(t),
                        centre.y - rx * std::sin(t) + ry * std::cos(t)};
    return BuildEllipseCentreRadius(centre, corner, c.work.tiltDeg, variant);
}

Draft BuildEllipseDiagonal(PointD p1, PointD p2, double tiltDeg, int variant)
{
    const PointD centre = middle(p1, p2);
    Draft draft = ellipse(centre, SemiAxesOf(centre, p2, tiltDeg), tiltDeg, variant, 1);
    if (auto* rec = std::get_if<EllipseRecord>(&draft.record)) {
        rec->p1x = p1.x;
        rec->p1y = p1.y;
        rec->p2x = p2.x;
        rec->p2y = p2.y;
    }
    return draft;
}

Draft BuildEllipseFromDiagonal(const Construction& c, int variant)
{
    return BuildEllipseDiagonal(c.points[0], c.points[1], c.work.tiltDeg, variant);
}

Draft BuildEllipseRatio(PointD p1, PointD p2, double ratio, int variant)
{
    const double rx = Distance(p1, p2) / 2;
    const double tilt = VectorAngleDeg(p2.x - p1.x, p1.y - p2.y);
    Draft draft = ellipse(middle(p1, p2), {rx, ratio * rx}, tilt, variant, 2);
    if (auto* rec = std::get_if<EllipseRecord>(&draft.record)) {
        rec->p1x = p1.x;
        rec->p1y = p1.y;
        rec->p2x = p2.x;
        rec->p2y = p2.y;
    }
    return draft;
}

Draft BuildEllipseFromRatio(const Construction& c, int variant)
{
    return BuildEllipseRatio(c.points[0], c.points[1], c.work.ratio, variant);
}
