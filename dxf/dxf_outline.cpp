// Arc edges are bulges only when they are circular; an elliptic edge is the
// renderer's point run, so the file shows what the screen shows.
#include "dxf/dxf_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/construct.h"

namespace dxf {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kMaxSteps = 1 << 16;

double rad(double deg) { return deg * kPi / 180; }

// The renderer's step count: trunc(|sweep| / 5 + 0.9), at least 4.
int stepCount(double sweepDeg)
{
    const double n = std::trunc(std::abs(sweepDeg) / 5 + 0.9);
    return std::isfinite(n) ? std::clamp(static_cast<int>(std::min(n, double(kMaxSteps))), 4, kMaxSteps) : 4;
}

// The point at parameter t (degrees) of the tilted ellipse, y down.
PointD pointOn(double cx, double cy, double rx, double ry, double tiltDeg, double tDeg)
{
    const double t = rad(tDeg), phi = rad(tiltDeg);
    return {cx + rx * std::cos(t) * std::cos(phi) - ry * std::sin(t) * std::sin(phi),
            cy - (rx * std::cos(t) * std::sin(phi) + ry * std::sin(t) * std::cos(phi))};
}

bool isCircular(double rx, double ry)
{
    return std::abs(rx - ry) <= 1e-9 * std::max(std::abs(rx), std::abs(ry));
}

double boundedSweep(double sweepDeg)
{
    return std::isfinite(sweepDeg) ? std::clamp(sweepDeg, -360.0, 360.0) : 0;
}

// Vertices of the arc from startDeg over sweepDeg, the end point left to the
// next edge: bulged pieces of at most 180 degrees on a circle, the
// renderer's points on an ellipse.
void appendArc(Loop& loop, double cx, double cy, double rx, double ry, double tiltDeg, double startDeg,
               double sweepDeg)
{
    if (isCircular(rx, ry)) {
        const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(sweepDeg) / 180 - 1e-12)));
        const double piece = sweepDeg / pieces;
        for (int i = 0; i < pieces; ++i) {
            const PointD p = pointOn(cx, cy, rx, rx, 0, tiltDeg + startDeg + i * piece);
            loop.push_back({p.x, p.y, std::tan(rad(piece) / 4)});
        }
        return;
    }
    const std::vector<PointD> points = EllipsePoints(cx, cy, rx, ry, tiltDeg, startDeg, sweepDeg);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        loop.push_back({points[i].x, points[i].y, 0});
}

void appendPoint(Loop& loop, PointD p) { loop.push_back({p.x, p.y, 0}); }

// A corner of a cornered rectangle: its point, the inward directions of its
// edges (hx along the horizontal one, vy along the vertical one) and sizes.
struct Corner {
    PointD p;
    double hx, vy, sx, sy;
    PointD at(double fx, double fy) const { return {p.x + fx * hx * sx, p.y + fy * vy * sy}; }
};

// The quarter (or three quarters, longWay) of the ellipse (sx, sy) about
// centre, from direction `from` to `to` in the corner's frame.
void appendCornerArc(Loop& out, const Corner& c, PointD centre, PointD from, PointD to, bool longWay)
{
    // Screen angles (y down), as the renderer measures them.
    const double t0 = std::atan2(from.y * c.vy, from.x * c.hx);
    const double t1 = std::atan2(to.y * c.vy, to.x * c.hx);
    double sweep = std::remainder(t1 - t0, 2 * kPi);
    if (longWay)
        sweep -= std::copysign(2 * kPi, sweep);
    if (isCircular(c.sx, c.sy)) {
        // A y-down sweep turns the other way on screen; pieces of at most 180.
        const int pieces = longWay ? 2 : 1;
        for (int i = 0; i < pieces; ++i) {
            const double t = t0 + sweep * i / pieces;
            out.push_back({centre.x + c.sx * std::cos(t), centre.y + c.sy * std::sin(t),
                           std::tan(-sweep / pieces / 4)});
        }
        out.push_back({centre.x + c.sx * std::cos(t1), centre.y + c.sy * std::sin(t1), 0});
        return;
    }
    const int n = stepCount(sweep * 180 / kPi);
    for (int i = 0; i <= n; ++i) {
        const double t = t0 + sweep * i / n;
        out.push_back({centre.x + c.sx * std::cos(t), centre.y + c.sy * std::sin(t), 0});
    }
}

// The figure of one corner from the end of its vertical edge to the end of
// its horizontal edge; the last vertex's bulge is 0.
Loop cornerFigure(const Corner& c, int type)
{
    Loop out;
    switch (type) {
    case 2:
        for (PointD p : {c.at(0, 1), c.at(1, 1), c.at(1, 0)})
            appendPoint(out, p);
        break;
    case 3:
        for (PointD p : {c.at(0, 1), c.at(-1, 1), c.at(-1, -1), c.at(1, -1), c.at(1, 0)})
            appendPoint(out, p);
        break;
    case 4: appendCornerArc(out, c, c.at(1, 1), {-1, 0}, {0, -1}, false); break;
    case 5: appendCornerArc(out, c, c.p, {0, 1}, {1, 0}, false); break;
    case 6: appendCornerArc(out, c, c.p, {0, 1}, {1, 0}, true); break;
    default:
        appendPoint(out, c.at(0, 1));
        appendPoint(out, c.at(1, 0));
        break;
    }
    return out;
}

// The same run travelled backwards: each edge's bulge changes sign and moves
// to the edge's other end.
Loop reversed(const Loop& run)
{
    Loop out(run.rbegin(), run.rend());
    for (size_t i = 0; i + 1 < out.size(); ++i)
        out[i].bulge = -run[run.size() - 2 - i].bulge;
    if (!out.empty())
        out.back().bulge = 0;
    return out;
}

}  // namespace

std::vector<PointD> EllipsePoints(double cx, double cy, double rx, double ry, double tiltDeg, double startDeg,
                                  double sweepDeg)
{
    const int n = stepCount(sweepDeg);
    std::vector<PointD> points;
    points.reserve(static_cast<size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        points.push_back(pointOn(cx, cy, rx, ry, tiltDeg, startDeg + i * sweepDeg / n));
    return points;
}

Loop RectLoop(const RectRecord& r)
{
    return {{r.x1, r.y1, 0}, {r.x2, r.y1, 0}, {r.x2, r.y2, 0}, {r.x1, r.y2, 0}};
}

Loop CornerRectLoop(const CornerRectRecord& r)
{
    const double right = r.x2 >= r.x1 ? 1 : -1;
    const double down = r.y2 >= r.y1 ? 1 : -1;
    // Record order: top-left, top-right, bottom-left, bottom-right.
    const Corner corners[4] = {
        {{r.x1, r.y1}, right, down, 0, 0},
        {{r.x2, r.y1}, -right, down, 0, 0},
        {{r.x1, r.y2}, right, -down, 0, 0},
        {{r.x2, r.y2}, -right, -down, 0, 0},
    };
    // Clockwise on screen from the top-left; the outline reaches the
    // top-right and bottom-left corners along their horizontal edges.
    constexpr int kOrder[4] = {0, 1, 3, 2};
    constexpr bool kArrivesAlongHorizontal[4] = {false, true, false, true};
    Loop loop;
    for (int step = 0; step < 4; ++step) {
        const int k = kOrder[step];
        Corner c = corners[k];
        c.sx = r.cornerSizes[2 * k];
        c.sy = r.cornerSizes[2 * k + 1];
        Loop figure = cornerFigure(c, r.cornerTypes[k]);
        if (kArrivesAlongHorizontal[step])
            figure = reversed(figure);
        loop.insert(loop.end(), figure.begin(), figure.end());
    }
    return loop;
}

Loop SectorLoop(const SectorRecord& r, bool withCentre)
{
    const double sweep = boundedSweep(r.sweepAngle);
    Loop loop;
    appendArc(loop, r.cx, r.cy, r.rx, r.ry, r.tilt, r.startAngle, sweep);
    appendPoint(loop, pointOn(r.cx, r.cy, r.rx, r.ry, r.tilt, r.startAngle + sweep));
    if (withCentre)
        appendPoint(loop, {r.cx, r.cy});
    return loop;
}

std::vector<Loop> OutsideLoops(const SectorRecord& r)
{
    const PointD c{r.cx, r.cy};
    const ArcCorners corners = ArcCornerPoints(c, r.rx, r.ry, r.tilt, r.startAngle, r.sweepAngle);
    const double part = boundedSweep(r.sweepAngle) / std::max(1, corners.partCount);
    std::vector<Loop> loops;
    for (int i = 0; i < corners.partCount; ++i) {
        Loop loop;
        const double start = r.startAngle + i * part;
        appendArc(loop, r.cx, r.cy, r.rx, r.ry, r.tilt, start, part);
        appendPoint(loop, pointOn(r.cx, r.cy, r.rx, r.ry, r.tilt, start + part));
        appendPoint(loop, corners.corners[static_cast<size_t>(i)]);
        loops.push_back(std::move(loop));
    }
    return loops;
}

std::vector<Loop> RingLoops(const RingRecord& r)
{
    const double sweep = boundedSweep(r.sweepAngle);
    std::vector<Loop> loops;
    if (std::abs(std::abs(sweep) - 360) < 1e-6) {
        for (const auto& [rx, ry] : {std::pair{r.outerRx, r.outerRy}, {r.innerRx, r.innerRy}}) {
            Loop loop;
            appendArc(loop, r.cx, r.cy, rx, ry, r.tilt, r.startAngle, 360);
            loops.push_back(std::move(loop));
        }
        return loops;
    }
    Loop loop;
    appendArc(loop, r.cx, r.cy, r.outerRx, r.outerRy, r.tilt, r.startAngle, sweep);
    appendPoint(loop, pointOn(r.cx, r.cy, r.outerRx, r.outerRy, r.tilt, r.startAngle + sweep));
    appendArc(loop, r.cx, r.cy, r.innerRx, r.innerRy, r.tilt, r.startAngle + sweep, -sweep);
    appendPoint(loop, pointOn(r.cx, r.cy, r.innerRx, r.innerRy, r.tilt, r.startAngle));
    loops.push_back(std::move(loop));
    return loops;
}

std::vector<PointD> Flatten(const Loop& loop)
{
    std::vector<PointD> out;
    out.reserve(loop.size());
    for (size_t i = 0; i < loop.size(); ++i) {
        const Vertex& a = loop[i];
        out.push_back({a.x, a.y});
        if (a.bulge == 0 || !std::isfinite(a.bulge))
            continue;
        const Vertex& b = loop[(i + 1) % loop.size()];
        // In y-up terms the arc turns counter-clockwise for a positive bulge.
        const double ax = a.x, ay = -a.y, bx = b.x, by = -b.y;
        const double dx = bx - ax, dy = by - ay, length = std::hypot(dx, dy);
        if (length == 0)
            continue;
        const double sweep = 4 * std::atan(a.bulge);
        const double offset = length * (1 - a.bulge * a.bulge) / (4 * a.bulge);
        const double cx = (ax + bx) / 2 - dy / length * offset, cy = (ay + by) / 2 + dx / length * offset;
        const double r = std::hypot(ax - cx, ay - cy), t0 = std::atan2(ay - cy, ax - cx);
        const int n = stepCount(sweep * 180 / kPi);
        for (int k = 1; k < n; ++k) {
            const double t = t0 + sweep * k / n;
            out.push_back({cx + r * std::cos(t), -(cy + r * std::sin(t))});
        }
    }
    return out;
}

std::vector<PointD> SampleBeziers(std::span<const PointD> controls, int perSegment)
{
    std::vector<PointD> out;
    if (controls.empty())
        return out;
    out.push_back(controls[0]);
    for (size_t s = 0; s + 3 < controls.size(); s += 3) {
        const PointD p0 = controls[s], p1 = controls[s + 1], p2 = controls[s + 2], p3 = controls[s + 3];
        for (int i = 1; i <= perSegment; ++i) {
            const double t = double(i) / perSegment, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            out.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
        }
    }
    return out;
}

}  // namespace dxf
