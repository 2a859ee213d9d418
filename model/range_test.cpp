// Whether an element lies wholly inside a selection range. Each kind offers a
// few test points: its stored corners and vertices where those bound it, the
// corners of a sampled box for the elliptic kinds. Points of the "direct"
// kinds are compared strictly with the box; the others go through the
// clipping outcode, which also counts a point within 1e-12 of an edge as out.
#include <cmath>
#include <span>

#include "model/clipping.h"
#include "model/element_geometry.h"
#include "model/hit_test.h"

namespace {

struct RangeVisitor {
    const BoundsD& box;
    bool inside = true;

    void direct(PointD p)
    {
        inside = inside && box.minX < p.x && p.x < box.maxX && box.minY < p.y && p.y < box.maxY;
    }
    void clipped(PointD p)
    {
        inside = inside && PointOutside(p.x, p.y, box.minX, box.minY, box.maxX, box.maxY) == 0;
    }
    void directAll(std::span<const PointD> pts)
    {
        for (PointD p : pts)
            direct(p);
    }
    void clippedBox(const BoundsD& b)
    {
        clipped({b.minX, b.minY});
        clipped({b.maxX, b.maxY});
    }
    // The sampled box of an arc holds the arc's start point, so a start point
    // clearly outside the range settles the answer without the 37 samples.
    void clippedArcBox(const EllipseArc& e)
    {
        const PointD s = e.startPoint();
        const double m = 1e-9 * (1 + std::fabs(s.x) + std::fabs(s.y));
        if (!(s.x > box.minX - m && s.x < box.maxX + m && s.y > box.minY - m && s.y < box.maxY + m)) {
            inside = false;
            return;
        }
        clippedBox(e.bounds());
    }
    void directSquare(double cx, double cy, double half)
    {
        direct({cx - half, cy - half});
        direct({cx + half, cy + half});
    }

    void operator()(ElementKind, const LineRecord& r)
    {
        direct({r.x1, r.y1});
        direct({r.x2, r.y2});
    }
    void operator()(ElementKind, const PointRecord& r) { directSquare(r.x, r.y, r.size / 2); }
    void operator()(ElementKind, const RectRecord& r)
    {
        direct({r.x1, r.y1});
        direct({r.x2, r.y2});
    }
    void operator()(ElementKind, const CornerRectRecord& r)
    {
        direct({r.x1, r.y1});
        direct({r.x2, r.y2});
    }
    void operator()(ElementKind, const CircleRecord& r) { directSquare(r.cx, r.cy, r.r); }
    void operator()(ElementKind, const EllipseRecord& r)
    {
        clippedArcBox(EllipseArc{{r.cx, r.cy}, r.rx, r.ry, r.tilt, 0, 360});
    }
    // The circle's quadrant points count only where the arc passes them.
    void operator()(ElementKind, const ArcRecord& r)
    {
        clipped({r.startX, r.startY});
        clipped({r.endX, r.endY});
        const PointD quadrants[] = {{r.cx + r.r, r.cy}, {r.cx, r.cy - r.r}, {r.cx - r.r, r.cy}, {r.cx, r.cy + r.r}};
        for (int q = 0; q < 4; ++q)
            if (AngleInSweep(90.0 * q, r.startAngle, r.sweepAngle))
                clipped(quadrants[q]);
    }
    void operator()(ElementKind, const EllipticArcRecord& r) { clippedArcBox(arcOf(r)); }
    void operator()(ElementKind kind, const SectorRecord& r)
    {
        const EllipseArc e = arcOf(r);
        clippedArcBox(e);
        if (!inside)
            return;
        if (kind == ElementKind::Pie) {
            clipped(e.centre);
        } else if (kind == ElementKind::Outside) {
            const ArcCorners corners = e.tangentCorners();
            for (int k = 0; k < corners.partCount; ++k)
                clipped(corners.corners[k]);
        }
    }
    void operator()(ElementKind, const RingRecord& r) { clippedArcBox(outerArcOf(r)); }
    void operator()(ElementKind kind, const OpenPathRecord& r)
    {
        std::span<const PointD> pts(r.points);
        if (kind == ElementKind::Bezier)
            pts = pts.first(bezierUsedCount(pts.size()));
        directAll(pts);
    }
    void operator()(ElementKind, const ClosedPathRecord& r) { directAll(r.points); }
    void operator()(ElementKind, const TextRecord& r)
    {
        const TextBox t = textBoxOf(r);
        for (PointD p : {t.at(0, 0), t.at(t.w, 0), t.at(0, t.h), t.at(t.w, t.h)})
            clipped(p);
    }
};

}  // namespace

bool ElementInsideBox(const Drawing& drawing, const ElementRef& ref, const BoundsD& box)
{
    RangeVisitor visitor{box};
    return visitElement(drawing, ref, visitor) && visitor.inside;
}
