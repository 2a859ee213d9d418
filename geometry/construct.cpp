// Construction geometry: lines, circles through points and tilted ellipses.
//
// The line operations turn the plane about A by minus the direction of AB, so
// the line becomes the horizontal through A: the turned point's y offset from
// A is its signed distance, its x offset its position along the line.
// Sections: lines, circles, ellipses, arc corners and points.
#include "geometry/construct.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// P and B seen in the frame where AB is the horizontal through A.
struct LineFrame {
    double angleRad = 0; // direction of AB
    PointD p; // P turned about A by -angleRad
};

LineFrame toLineFrame(PointD a, PointD b, PointD p)
{
    const double angle = VectorAngle(b.x - a.x, b.y - a.y);
    return { angle, RotatePoint(p, a, -angle) };
}

bool withinWidened(double v, double end1, double end2)
{
    return v >= std::min(end1, end2) - 1e-6 && v <= std::max(end1, end2) + 1e-6;
}

double slope(PointD p1, PointD p2)
{
    return (p2.y - p1.y) / (p2.x - p1.x);
}

// Offset of the parametric point t (radians) of an untilted ellipse, turned by
// the tilt; the caller adds it to the centre in its own y convention.
PointD ellipseOffset(double rx, double ry, double tiltRad, double tRad)
{
    return RotatePoint({ rx * std::cos(tRad), ry * std::sin(tRad) }, { 0, 0 }, tiltRad);
}

// Number of parts of at most 90 degrees an arc is cut into: 1 for sweeps up to
// 90 (and for 0), 4 for a full turn.
int quarterPartCount(double sweepDeg)
{
    return static_cast<int>((std::fabs(sweepDeg) - 1e-6) / 90) + 1;
}

// Arcs never run more than one turn; this also keeps the part count within the
// four corners and five points the results hold.
double clampSweepDeg(double sweepDeg)
{
    if (!std::isfinite(sweepDeg))
        return 0;
    return std::clamp(sweepDeg, -360.0, 360.0);
}

} // namespace

// ---- Lines --------------------------------------------------------------------

double DistanceToLine(PointD a, PointD b, PointD p)
{
    return std::fabs(toLineFrame(a, b, p).p.y - a.y);
}

int SideOfLine(PointD a, PointD b, PointD p)
{
    const double s = toLineFrame(a, b, p).p.y - a.y;
    if (std::fabs(s) <= 1e-6)
        return 0;
    return s > 0 ? 1 : -1;
}

PerpendicularFoot FootOfPerpendicular(PointD a, PointD b, PointD p)
{
    const LineFrame frame = toLineFrame(a, b, p);
    return { RotatePoint({ frame.p.x, a.y }, a, frame.angleRad), std::fabs(frame.p.y - a.y) };
}

SegmentFoot FootOnSegment(PointD a, PointD b, PointD p)
{
    const PerpendicularFoot foot = FootOfPerpendicular(a, b, p);
    const LineFrame frame = toLineFrame(a, b, p);
    const double bAlong = RotatePoint(b, a, -frame.angleRad).x;
    // Strict comparisons; the 1e-10 slack admits the end points themselves.
    const bool on = a.x - 1e-10 < frame.p.x && frame.p.x < bAlong + 1e-10;
    return { foot.foot, foot.distance, on };
}

LineIntersection IntersectLines(PointD a1, PointD a2, PointD b1, PointD b2)
{
    const double dx1 = Quantize6(a1.x - a2.x);
    const double dx2 = Quantize6(b1.x - b2.x);
    PointD x;
    if (dx1 == 0 && dx2 == 0)
        return {}; // both vertical
    if (dx1 == 0) {
        x = { a1.x, b1.y + slope(b1, b2) * (a1.x - b1.x) };
    } else if (dx2 == 0) {
        x = { b1.x, a1.y + slope(a1, a2) * (b1.x - a1.x) };
    } else {
        const double m1 = slope(a1, a2);
        const double m2 = slope(b1, b2);
        if (Quantize6(m1 - m2) == 0)
            return {}; // parallel
        const double c1 = a1.y - m1 * a1.x;
        const double c2 = b1.y - m2 * b1.x;
        x.x = (c2 - c1) / (m1 - m2);
        x.y = m1 * x.x + c1;
    }
    const bool within = withinWidened(x.x, a1.x, a2.x) && withinWidened(x.y, a1.y, a2.y)
        && withinWidened(x.x, b1.x, b2.x) && withinWidened(x.y, b1.y, b2.y);
    return { within ? LineCrossing::WithinSegments : LineCrossing::OutsideSegments, x };
}

// ---- Circles ------------------------------------------------------------------

CircleIntersection IntersectCircles(PointD c1, double r1, PointD c2, double r2)
{
    const double dx = c1.x - c2.x;
    const double dy = c1.y - c2.y;
    if (std::fabs(dx) < 1e-6 && std::fabs(dy) < 1e-6)
        return {}; // concentric
    // Turn C1 about C2 onto the horizontal through C2.
    const double theta = VectorAngle(dx, dy);
    const PointD c1t = RotatePoint(c1, c2, -theta);
    const double d = std::fabs(c1t.x - c2.x);

    const double apart = Quantize6(r1 + r2 - d);
    const double nested = Quantize6(std::fabs(r1 - r2) - d);
    if (apart < 0 || nested > 0)
        return {};
    const int count = (apart == 0 || nested == 0) ? 1 : 2;

    // Height of the triangle C1, C2, point over the side C1C2 (Heron).
    const double s = (r1 + r2 + d) / 2;
    const double q = std::max(0.0, Quantize6((s - r1) * s * (s - r2) * (s - d)));
    const double h = 2 * std::sqrt(q) / d;

    // Of the two feet at distance k from C1, keep the one that fits circle 2.
    const double k = std::sqrt(std::fabs(Quantize6(r1 * r1 - h * h)));
    const auto misfit = [&](double x) { return std::fabs((x - c2.x) * (x - c2.x) + h * h - r2 * r2); };
    const double x = misfit(c1t.x - k) > misfit(c1t.x + k) ? c1t.x + k : c1t.x - k;

    const double u = x - c2.x;
    const PointD o1 = RotatePoint({ u, c1t.y + h - c2.y }, { 0, 0 }, theta);
    const PointD o2 = RotatePoint({ u, c1t.y - h - c2.y }, { 0, 0 }, theta);
    return { count, { c2.x + o1.x, c2.y + o1.y }, { c2.x + o2.x, c2.y + o2.y } };
}

std::optional<ThreePointCircle> CircleThrough3Points(PointD p1, PointD p2, PointD p3)
{
    if (DistanceToLine(p1, p2, p3) < 1e-6)
        return std::nullopt; // collinear
    const double d = (p3.x - p2.x) * (p1.y - p2.y) - (p3.y - p2.y) * (p1.x - p2.x);
    if (std::fabs(d) < 1e-6)
        return std::nullopt;
    const double s1 = p2.x * p2.x + p2.y * p2.y - p1.x * p1.x - p1.y * p1.y;
    const double s3 = p2.x * p2.x + p2.y * p2.y - p3.x * p3.x - p3.y * p3.y;
    // The x formula's determinant is -d: same magnitude, so no second test.
    ThreePointCircle circle;
    circle.centre.y = (-0.5 * (p3.x - p2.x) * s1 + 0.5 * (p1.x - p2.x) * s3) / d;
    circle.centre.x = (-0.5 * (p3.y - p2.y) * s1 + 0.5 * (p1.y - p2.y) * s3) / -d;
    circle.radius = Distance(p1, circle.centre);
    if (circle.radius < 1e-6)
        return std::nullopt;

    const PointD c = circle.centre;
    const double a1 = VectorAngle(p1.x - c.x, p1.y - c.y);
    const double a2 = VectorAngle(p2.x - c.x, p2.y - c.y);
    const double a3 = VectorAngle(p3.x - c.x, p3.y - c.y);
    const double lo = std::min(a1, a3);
    const double hi = std::max(a1, a3);
    const bool p1First = a1 <= a3;
    if (lo <= a2 && a2 <= hi) {
        circle.start = lo;
        circle.end = hi;
        circle.startsAtP1 = p1First;
    } else { // P2 lies on the part through angle 0
        circle.start = hi;
        circle.end = lo;
        circle.startsAtP1 = !p1First;
    }
    return circle;
}

std::optional<ThreePointCircle> CircleThrough3PointsDeg(PointD p1, PointD p2, PointD p3)
{
    std::optional<ThreePointCircle> circle = CircleThrough3Points(p1, p2, p3);
    if (circle) {
        circle->start = Round10(RadToDeg(circle->start));
        circle->end = Round10(RadToDeg(circle->end));
    }
    return circle;
}

// ---- Ellipses -------------------------------------------------------------------

BoundsD EllipseArcBounds(PointD c, double rx, double ry, double tiltRad, double startRad, double sweepRad)
{
    BoundsD box { c.x, c.y, c.x, c.y };
    for (int i = 0; i <= 36; ++i) {
        const PointD o = ellipseOffset(rx, ry, tiltRad, startRad + i * sweepRad / 36);
        const PointD p { c.x + o.x, c.y + o.y };
        if (i == 0) {
            box = { p.x, p.y, p.x, p.y };
            continue;
        }
        box.minX = std::min(box.minX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxX = std::max(box.maxX, p.x);
        box.maxY = std::max(box.maxY, p.y);
    }
    return box;
}

BoundsD EllipseArcBoundsDeg(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg)
{
    return EllipseArcBounds(c, rx, ry, DegToRad(tiltDeg), DegToRad(startDeg), DegToRad(sweepDeg));
}

PointD PointOnEllipse(PointD c, double rx, double ry, double tiltRad, double tRad)
{
    const PointD o = ellipseOffset(rx, ry, tiltRad, tRad);
    return { c.x + o.x, c.y + o.y };
}

PointD PointOnEllipseDeg(PointD c, double rx, double ry, double tiltDeg, double tDeg)
{
    return PointOnEllipse(c, rx, ry, DegToRad(tiltDeg), DegToRad(tDeg));
}

double EllipseAngleOfPoint(PointD p, PointD c, double rx, double ry, double tiltRad)
{
    // A zero or missing axis would give 0/0; such an ellipse is flattened to
    // the 1e-10 ratio the radius test uses.
    double k = ry / rx;
    if (!(std::fabs(k) >= 1e-10))
        k = 1e-10;
    const PointD q = RotatePoint(p, c, -tiltRad);
    return VectorAngle(q.x - c.x, (q.y - c.y) / k);
}

double EllipseAngleOfPointDeg(PointD p, PointD c, double rx, double ry, double tiltDeg)
{
    const double a = Round10(RadToDeg(EllipseAngleOfPoint(p, c, rx, ry, DegToRad(tiltDeg))));
    return a >= 360 ? 0 : a;
}

double EllipseRadiusOfPoint(PointD p, PointD c, double rx, double ry, double tiltDeg)
{
    double k = ry / rx;
    if (!(k >= 1e-10)) // also catches 0/0
        k = 1e-10;
    const PointD q = RotatePointDeg(p, c, -tiltDeg);
    const double u = q.x - c.x;
    const double v = (q.y - c.y) / k;
    return std::sqrt(u * u + v * v);
}

// ---- Arc corners and arc points ---------------------------------------------------

PointD ArcTangentCorner(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg)
{
    const double a0 = DegToRad(startDeg);
    const double a1 = DegToRad(startDeg + sweepDeg);
    const double quarter = std::numbers::pi / 2;
    // End points and a second point on each end's tangent, in the ellipse's frame.
    const PointD p0 { rx * std::cos(a0), ry * std::sin(a0) };
    const PointD t0 { p0.x + rx * std::cos(a0 + quarter), p0.y + ry * std::sin(a0 + quarter) };
    const PointD p1 { rx * std::cos(a1), ry * std::sin(a1) };
    const PointD t1 { p1.x + rx * std::cos(a1 - quarter), p1.y + ry * std::sin(a1 - quarter) };
    const LineIntersection meet = IntersectLines(p0, t0, p1, t1);
    const PointD x = meet.kind == LineCrossing::Parallel ? PointD { 0, 0 } : meet.point;
    const double tilt = DegToRad(tiltDeg);
    return { c.x + RotateX(x, { 0, 0 }, tilt), c.y - RotateY(x, { 0, 0 }, tilt) };
}

ArcCorners ArcCornerPoints(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg)
{
    sweepDeg = clampSweepDeg(sweepDeg);
    ArcCorners result;
    result.partCount = quarterPartCount(sweepDeg);
    const double part = sweepDeg / result.partCount;
    for (int i = 0; i < result.partCount; ++i)
        result.corners[i] = ArcTangentCorner(c, rx, ry, tiltDeg, startDeg + i * part, part);
    return result;
}

ArcSegment ArcSegmentPoints(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg)
{
    sweepDeg = clampSweepDeg(sweepDeg);
    const int k = quarterPartCount(sweepDeg);
    ArcSegment result;
    result.pointCount = k + 1;
    for (int i = 0; i <= k; ++i)
        result.points[i] = PointOnEllipseDeg(c, rx, ry, tiltDeg, startDeg + i * sweepDeg / k);
    return result;
}
