// Small record builders for the selection and snap tests, and an independent
// formula for where a tilted ellipse's point lies on screen (y down, angles
// and tilt counter-clockwise on screen) to check the code's placement against.
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "model/data.h"

namespace testing_builders {

inline ClosedHeader closedHeader(int fillMode, int layer = 0)
{
    ClosedHeader h;
    h.fillMode = fillMode;
    h.layer = layer;
    return h;
}

inline OutlineHeader outlineHeader(int layer = 0, int widthRef = 0)
{
    OutlineHeader h;
    h.layer = layer;
    h.widthRef = widthRef;
    return h;
}

inline LineRecord line(double x1, double y1, double x2, double y2, int layer = 0)
{
    return {outlineHeader(layer), x1, y1, x2, y2};
}

inline SectorRecord sector(double cx, double cy, double rx, double ry, double tilt, double start,
                           double sweep, int fillMode = 0)
{
    return {closedHeader(fillMode), cx, cy, rx, ry, tilt, start, sweep};
}

inline EllipticArcRecord ellipticArc(double cx, double cy, double rx, double ry, double tilt,
                                     double start, double sweep)
{
    EllipticArcRecord r;
    r.cx = cx, r.cy = cy, r.rx = rx, r.ry = ry, r.tilt = tilt, r.startAngle = start, r.sweepAngle = sweep;
    return r;
}

inline ArcRecord arc(double cx, double cy, double r, double start, double sweep)
{
    ArcRecord a;
    a.cx = cx, a.cy = cy, a.r = r, a.startAngle = start, a.sweepAngle = sweep;
    return a;
}

inline TextRecord textBox(double a, double b, double w, double h, double angle)
{
    TextRecord t;
    t.boxA = a, t.boxB = b, t.boxC = w, t.boxD = h, t.angle = angle;
    return t;
}

inline PointD screenEllipsePoint(PointD c, double rx, double ry, double tiltDeg, double tDeg)
{
    const double t = tDeg * std::numbers::pi / 180, f = tiltDeg * std::numbers::pi / 180;
    const double ux = rx * std::cos(t), uy = ry * std::sin(t);
    return {c.x + ux * std::cos(f) - uy * std::sin(f), c.y - (ux * std::sin(f) + uy * std::cos(f))};
}

inline PointD screenCirclePoint(PointD c, double r, double angleDeg)
{
    return screenEllipsePoint(c, r, r, 0, angleDeg);
}

}  // namespace testing_builders
