// Picking one element at a click, kind by kind. Open figures are hit near
// their outline; closed ones near the outline or, when filled, anywhere
// inside. Curves of the polyline family are picked on their control polygon,
// not on the drawn curve. Only segment tests add half the pen width to the
// tolerance; rectangles, circles and ellipses are tested on their geometry.
//
// Ellipses are tested in normalised distance: the click is turned into the
// ellipse's own frame and its offset along the second axis is stretched by
// rx / ry, so the ellipse itself lies at distance rx.
//
// The exact tests cost several sines and arc tangents each, and a click on
// empty canvas runs them for every element. Each therefore starts with a
// cheap, conservative reject: a distance beyond which the exact test cannot
// pass (derived below), with a small relative margin for rounding, so the
// outcome never differs from the exact test alone.
#include "model/hit_test.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "model/element_geometry.h"

namespace {

// A reach widened by a rounding margin relative to the coordinates involved.
double withMargin(double reach, double magnitude)
{
    return reach + 1e-9 * (1 + std::fabs(reach) + magnitude);
}

struct Click {
    PointD p;
    double tol = 0;

    bool inSquareOf(PointD q) const
    {
        return std::fabs(q.x - p.x) <= tol && std::fabs(q.y - p.y) <= tol;
    }
    // A click near the segment lies within reach of a foot on it, so within
    // the segment's box grown by that reach.
    bool nearSegment(PointD a, PointD b, double penWidth) const
    {
        const double reach = tol + penWidth / 2;
        const double m = withMargin(reach, std::fabs(a.x) + std::fabs(a.y) + std::fabs(b.x) + std::fabs(b.y));
        if (p.x < std::min(a.x, b.x) - m || p.x > std::max(a.x, b.x) + m || p.y < std::min(a.y, b.y) - m ||
            p.y > std::max(a.y, b.y) + m)
            return false;
        const SegmentFoot foot = FootOnSegment(a, b, p);
        return foot.onSegment && foot.distance < reach;
    }
    bool fartherThan(PointD centre, double reach) const
    {
        return Distance(p, centre) > withMargin(reach, std::fabs(centre.x) + std::fabs(centre.y));
    }
};

// Vertices first (any of them within the square), then the edges.
bool hitPointPath(const Click& c, std::span<const PointD> pts, bool closed, double penWidth)
{
    if (std::any_of(pts.begin(), pts.end(), [&](PointD q) { return c.inSquareOf(q); }))
        return true;
    for (size_t i = 1; i < pts.size(); ++i)
        if (c.nearSegment(pts[i - 1], pts[i], penWidth))
            return true;
    return closed && pts.size() > 1 && c.nearSegment(pts.back(), pts.front(), penWidth);
}

double normalisedDistance(const EllipseArc& e, PointD p)
{
    return EllipseRadiusOfPoint(p, e.centre, e.rx, e.ry, -e.tiltDeg);
}

// The elliptic band around an outline, measured along the click's own
// parametric angle. screenAngle is that angle turned back to the records'
// counter-clockwise-on-screen sense, for the sweep test.
struct Band {
    bool withinOuter = false;
    bool beyondInner = false;
    double screenAngle = 0;

    bool onOutline() const { return withinOuter && beyondInner; }
};

// Farthest a click can lie from the centre and still pass the outer limit.
// With k = ry / rx (as the radius function clamps it) a click at normalised
// distance n lies at most max(1, k) * n from the centre, and the outer
// limit's own normalised distance is at most max(|rx + P|, |ry + P| / k).
// Only for positive finite radii; otherwise no bound (infinity).
double outerReach(const EllipseArc& e, double tol)
{
    if (!(e.rx > 0 && e.ry > 0 && std::isfinite(e.rx) && std::isfinite(e.ry)))
        return std::numeric_limits<double>::infinity();
    const double k = std::max(e.ry / e.rx, 1e-10);
    return std::max(1.0, k) * std::max(std::fabs(e.rx + tol), std::fabs(e.ry + tol) / k);
}

Band bandTest(const EllipseArc& e, const Click& c)
{
    if (c.fartherThan(e.centre, outerReach(e, c.tol)))
        return {};
    const double theta = EllipseAngleOfPointDeg(c.p, e.centre, e.rx, e.ry, -e.tiltDeg);
    const double d = normalisedDistance(e, c.p);
    const PointD outer = PointOnEllipseDeg(e.centre, e.rx + c.tol, e.ry + c.tol, -e.tiltDeg, theta);
    const PointD inner = PointOnEllipseDeg(e.centre, std::max(0.5, e.rx - c.tol),
                                           std::max(0.5, e.ry - c.tol), -e.tiltDeg, theta);
    return {d <= normalisedDistance(e, outer), d >= normalisedDistance(e, inner), 360 - theta};
}

bool onArcOutline(const EllipseArc& e, const Click& c)
{
    const Band band = bandTest(e, c);
    return band.onOutline() && AngleInSweep(band.screenAngle, e.startDeg, e.sweepDeg);
}

// Radial distance test with an optional filled interior (circles: fillMode 0
// is an outline only).
bool hitRadial(double d, double r, double tol, bool filled)
{
    return d <= r + tol && (filled || d >= r - tol);
}

bool hitRectangle(const Click& c, double x1, double y1, double x2, double y2, bool filled)
{
    const double x = c.p.x, y = c.p.y, t = c.tol;
    if (x < x1 - t || x > x2 + t || y < y1 - t || y > y2 + t)
        return false;
    if (filled)
        return true;
    return !(x1 + t <= x && x <= x2 - t && y1 + t <= y && y <= y2 - t);
}

bool hitOutsideShape(const Drawing& d, const Click& c, const SectorRecord& r)
{
    const EllipseArc e = arcOf(r);
    if (onArcOutline(e, c))
        return true;
    // Every tangent corner of a piece of at most 90 degrees is the affine
    // image of a point within sqrt(2) radii of a unit circle's centre.
    const double w = penWidthOf(d, r.h.widthRef);
    if (c.fartherThan(e.centre, std::sqrt(2.0) * std::max(std::fabs(e.rx), std::fabs(e.ry)) + c.tol + w / 2))
        return false;
    const ArcCorners corners = e.tangentCorners();
    const ArcSegment ends = e.pieceEnds();
    for (int k = 0; k < corners.partCount && k + 1 < ends.pointCount; ++k) {
        if (c.nearSegment(corners.corners[k], ends.points[k], w) ||
            c.nearSegment(corners.corners[k], ends.points[k + 1], w))
            return true;
    }
    return false;
}

bool hitRing(const Click& c, const RingRecord& r)
{
    for (const EllipseArc& e : {outerArcOf(r), innerArcOf(r)}) {
        const Band band = bandTest(e, c);
        if (!band.onOutline())
            continue;
        if (std::fabs(std::fabs(e.sweepDeg) - 360) <= 1e-6 ||
            AngleInSweep(band.screenAngle, e.startDeg, e.sweepDeg))
            return true;
    }
    return false;
}

bool hitText(const Click& c, const TextRecord& t)
{
    const double a = DegToRad(t.angle);
    const double dx = c.p.x - t.boxA;
    const double dy = t.boxB - c.p.y;  // up positive
    const double u = dx * std::cos(a) + dy * std::sin(a);
    const double v = -dx * std::sin(a) + dy * std::cos(a);
    return std::min(0.0, t.boxC) - c.tol <= u && u <= std::max(0.0, t.boxC) + c.tol &&
           std::min(0.0, t.boxD) - c.tol <= v && v <= std::max(0.0, t.boxD) + c.tol;
}

struct HitVisitor {
    const Drawing& d;
    const Click& c;
    bool hit = false;

    void operator()(ElementKind, const LineRecord& r)
    {
        const PointD pts[] = {{r.x1, r.y1}, {r.x2, r.y2}};
        hit = hitPointPath(c, pts, false, penWidthOf(d, r.h.widthRef));
    }
    void operator()(ElementKind, const PointRecord& r)
    {
        const double reach = r.size / 2 + c.tol;
        hit = std::fabs(r.x - c.p.x) <= reach && std::fabs(r.y - c.p.y) <= reach;
    }
    void operator()(ElementKind, const RectRecord& r)
    {
        hit = hitRectangle(c, r.x1, r.y1, r.x2, r.y2, r.h.fillMode != 0);
    }
    void operator()(ElementKind, const CornerRectRecord& r)
    {
        hit = hitRectangle(c, r.x1, r.y1, r.x2, r.y2, r.h.fillMode != 0);
    }
    void operator()(ElementKind, const CircleRecord& r)
    {
        hit = hitRadial(Distance(c.p, {r.cx, r.cy}), r.r, c.tol, r.h.fillMode > 0);
    }
    void operator()(ElementKind, const EllipseRecord& r)
    {
        const EllipseArc e{{r.cx, r.cy}, r.rx, r.ry, r.tilt};
        hit = hitRadial(normalisedDistance(e, c.p), r.rx, c.tol, r.h.fillMode > 0);
    }
    void operator()(ElementKind, const ArcRecord& r)
    {
        const double angle = VectorAngleDeg(c.p.x - r.cx, r.cy - c.p.y);
        hit = hitRadial(Distance(c.p, {r.cx, r.cy}), r.r, c.tol, false) &&
              AngleInSweep(angle, r.startAngle, r.sweepAngle);
    }
    void operator()(ElementKind, const EllipticArcRecord& r) { hit = onArcOutline(arcOf(r), c); }
    void operator()(ElementKind kind, const SectorRecord& r)
    {
        const EllipseArc e = arcOf(r);
        if (kind == ElementKind::Pie) {
            const Band band = bandTest(e, c);
            hit = band.withinOuter && (band.beyondInner || r.h.fillMode > 0) &&
                  AngleInSweep(band.screenAngle, e.startDeg, e.sweepDeg);
        } else if (kind == ElementKind::Chord) {
            hit = onArcOutline(e, c) ||
                  c.nearSegment(e.startPoint(), e.endPoint(), penWidthOf(d, r.h.widthRef));
        } else {
            hit = hitOutsideShape(d, c, r);
        }
    }
    void operator()(ElementKind, const RingRecord& r) { hit = hitRing(c, r); }
    void operator()(ElementKind kind, const OpenPathRecord& r)
    {
        std::span<const PointD> pts(r.points);
        if (kind == ElementKind::Bezier)
            pts = pts.first(bezierUsedCount(pts.size()));
        hit = hitPointPath(c, pts, false, penWidthOf(d, r.h.widthRef));
    }
    void operator()(ElementKind, const ClosedPathRecord& r)
    {
        hit = hitPointPath(c, r.points, true, penWidthOf(d, r.h.widthRef));
    }
    void operator()(ElementKind, const TextRecord& r) { hit = hitText(c, r); }
};

}  // namespace

bool HitTestElement(const Drawing& drawing, const ElementRef& ref, double tolerance, PointD click)
{
    const Click c{click, tolerance};
    HitVisitor visitor{drawing, c};
    visitElement(drawing, ref, visitor);
    return visitor.hit;
}
