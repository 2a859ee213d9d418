// Click geometry of the angular kinds; see arc_geometry.h for the angle
// convention.
#include "interaction/arc_geometry.h"

#include <cmath>

#include "geometry/construct.h"
#include "geometry/func.h"

namespace {

bool usable(double radius)
{
    return radius > kBuildTolerance && std::isfinite(radius);
}

EllipseArc fullEllipse(PointD c, double rx, double ry, double tiltDeg)
{
    return {c, rx, ry, tiltDeg, 0, 360};
}

PointD middle(PointD a, PointD b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

}  // namespace

double ScreenAngleDeg(PointD centre, PointD p)
{
    return VectorAngleDeg(p.x - centre.x, centre.y - p.y);
}

double EllipseScreenAngleDeg(const EllipseArc& e, PointD p)
{
    return NormalizeDeg(360 - EllipseAngleOfPointDeg(p, e.centre, e.rx, e.ry, -e.tiltDeg));
}

double ClickAngleDeg(const EllipseArc& e, PointD p)
{
    return e.rx == e.ry && e.tiltDeg == 0 ? ScreenAngleDeg(e.centre, p) : EllipseScreenAngleDeg(e, p);
}

std::optional<double> SweepBetweenDeg(double startDeg, double endDeg)
{
    double sweep = endDeg - startDeg;
    if (sweep < 0)
        sweep += 360;
    if (!(sweep > kBuildTolerance))
        return std::nullopt;
    return sweep;
}

std::optional<EllipseArc> CircleByRadiusPoint(PointD centre, PointD p)
{
    const double r = Distance(centre, p);
    if (!usable(r))
        return std::nullopt;
    return fullEllipse(centre, r, r, 0);
}

std::optional<EllipseArc> EllipseByRadii(PointD centre, double rx, double ry, double tiltDeg)
{
    if (!usable(rx) || !usable(ry))
        return std::nullopt;
    return fullEllipse(centre, rx, ry, tiltDeg);
}

std::optional<EllipseArc> EllipseByRadiusPoint(PointD centre, PointD p, double tiltDeg)
{
    const SemiAxes r = SemiAxesOf(centre, p, tiltDeg);
    return EllipseByRadii(centre, r.rx, r.ry, tiltDeg);
}

std::optional<EllipseArc> EllipseByDiagonal(PointD corner1, PointD corner2, double tiltDeg)
{
    return EllipseByRadiusPoint(middle(corner1, corner2), corner2, tiltDeg);
}

std::optional<EllipseArc> EllipseByAxis(PointD end1, PointD end2, double ratio)
{
    const double length = Distance(end1, end2);
    if (!usable(length))
        return std::nullopt;
    const double rx = length / 2;
    return EllipseByRadii(middle(end1, end2), rx, ratio * rx, ScreenAngleDeg(end1, end2));
}

std::optional<EllipseArc> ArcThroughPoints(PointD start, PointD end, PointD pass)
{
    const std::optional<ThreePointCircle> c = CircleThrough3PointsDeg(start, pass, end);
    if (!c || !usable(c->radius))
        return std::nullopt;
    // The kernel's arc runs from c->start to c->end in y-down angles, that is
    // clockwise on screen; seen counter-clockwise it runs from 360 - end to
    // 360 - start.
    return EllipseArc{c->centre, c->radius, c->radius, 0, NormalizeDeg(360 - c->end),
                      NormalizeDeg(c->end - c->start)};
}

std::optional<EllipseArc> ArcOfRadiusThroughPoints(double r, PointD p1, PointD p2, PointD d)
{
    if (!usable(r))
        return std::nullopt;
    const std::optional<PointD> c = CentreForRadiusTwoPoints(p1, p2, r, SideOfLine(p1, p2, d));
    if (!c)
        return std::nullopt;
    const double start = ScreenAngleDeg(*c, p1);
    double sweep = ScreenAngleDeg(*c, p2) - start;
    if (sweep < 0)
        sweep += 360;
    return EllipseArc{*c, r, r, 0, start, sweep};
}

std::optional<SemiAxes> InnerRadiiInside(const EllipseArc& outer, PointD q)
{
    const SemiAxes r = SemiAxesOf(outer.centre, q, outer.tiltDeg);
    if (!usable(r.rx) || !usable(r.ry) || !(r.rx < outer.rx) || !(r.ry < outer.ry))
        return std::nullopt;
    return r;
}

std::optional<double> InnerRadiusInside(const EllipseArc& outer, PointD q)
{
    const double r = Distance(outer.centre, q);
    if (!usable(r) || !(r < outer.rx))
        return std::nullopt;
    return r;
}

EllipseArc WithAngles(EllipseArc e, double startDeg, double sweepDeg)
{
    e.startDeg = startDeg;
    e.sweepDeg = sweepDeg;
    return e;
}

std::optional<EllipseArc> WithClickedAngles(EllipseArc e, PointD startClick, PointD endClick)
{
    const double start = ClickAngleDeg(e, startClick);
    const std::optional<double> sweep = SweepBetweenDeg(start, ClickAngleDeg(e, endClick));
    if (!sweep)
        return std::nullopt;
    return WithAngles(e, start, *sweep);
}

std::optional<EllipseArc> WithMovedEnd(EllipseArc e, bool startPicked, double clickedDeg)
{
    const double start = startPicked ? clickedDeg : e.startDeg;
    const double end = startPicked ? e.startDeg + e.sweepDeg : clickedDeg;
    const double reduced = NormalizeDeg(end - start);
    if (!(reduced > kBuildTolerance) || !(reduced < 360 - kBuildTolerance))
        return std::nullopt;
    return WithAngles(e, start, e.sweepDeg < 0 ? reduced - 360 : reduced);
}
