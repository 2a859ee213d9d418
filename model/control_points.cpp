// The grips of the one selected element, in the layouts of
// model/grip_layout.h: the point code names the layout, so handle editing
// knows which defining points it is moving. Points on ellipses are placed as
// the renderer draws them.
#include <cstdint>
#include <limits>

#include "model/element_geometry.h"
#include "model/grip_layout.h"
#include "model/selection.h"

namespace {

struct GripVisitor {
    Drawing& d;
    int32_t index;
    int32_t position;

    void add(int32_t code, PointD p) { d.controlPoints.push_back({code, index, position, p.x, p.y}); }
    void add(int32_t code, std::initializer_list<PointD> pts)
    {
        for (PointD p : pts)
            add(code, p);
    }
    void addAll(ElementKind kind, const std::vector<PointD>& pts)
    {
        for (PointD p : pts)
            add(static_cast<int32_t>(kind), p);
    }
    // The point at the same parametric angle as p on the ellipse grown by 10
    // units: a grip that stays clear of the outline.
    static PointD grownTwin(const EllipseArc& e, PointD p)
    {
        const double theta = EllipseAngleOfPointDeg(p, e.centre, e.rx, e.ry, -e.tiltDeg);
        return PointOnEllipseDeg(e.centre, e.rx + 10, e.ry + 10, -e.tiltDeg, theta);
    }
    // EllipseRadius + method for constructed ellipses; a method so large that the code
    // would overflow (a damaged file) falls back to the plain code.
    static int32_t ellipseCode(int32_t method)
    {
        const int64_t code = int64_t{PointCode(GripLayout::EllipseRadius)} + method;
        return code > std::numeric_limits<int32_t>::max() || code < std::numeric_limits<int32_t>::min()
                   ? PointCode(GripLayout::EllipseRadius)
                   : static_cast<int32_t>(code);
    }

    void operator()(ElementKind, const LineRecord& r) { add(PointCode(GripLayout::Line), {{r.x1, r.y1}, {r.x2, r.y2}}); }
    void operator()(ElementKind, const PointRecord& r) { add(PointCode(GripLayout::Point), {r.x, r.y}); }
    void operator()(ElementKind kind, const RectRecord& r) { corners(kind, r.x1, r.y1, r.x2, r.y2); }
    void operator()(ElementKind kind, const CornerRectRecord& r) { corners(kind, r.x1, r.y1, r.x2, r.y2); }
    void corners(ElementKind kind, double x1, double y1, double x2, double y2)
    {
        add(static_cast<int32_t>(kind), {{x1, y1}, {x2, y1}, {x1, y2}, {x2, y2}});
    }
    void operator()(ElementKind, const CircleRecord& r)
    {
        const PointD c{r.cx, r.cy};
        if (r.method == 0)
            add(PointCode(GripLayout::CircleRadius), {c, {r.cx + r.r, r.cy}});
        else if (r.method == 1)
            add(PointCode(GripLayout::CircleRadiusTwoPoints), {c, {r.p1x, r.p1y}, {r.p2x, r.p2y}});
        else
            add(PointCode(GripLayout::CircleThreePoints), {c, {r.p1x, r.p1y}, {r.p2x, r.p2y}, {r.p3x, r.p3y}});
    }
    void operator()(ElementKind, const EllipseRecord& r)
    {
        const PointD c{r.cx, r.cy};
        if (r.method != 0) {
            add(ellipseCode(r.method), {c, {r.p1x, r.p1y}, {r.p2x, r.p2y}});
            return;
        }
        const double t = DegToRad(r.tilt);
        const PointD corner{r.cx + r.rx * std::cos(t) + r.ry * std::sin(t),
                            r.cy - r.rx * std::sin(t) + r.ry * std::cos(t)};
        add(PointCode(GripLayout::EllipseRadius), {c, corner});
    }
    void operator()(ElementKind, const ArcRecord& r)
    {
        const PointD c{r.cx, r.cy}, s{r.startX, r.startY}, e{r.endX, r.endY};
        if (r.method == 0)
            add(PointCode(GripLayout::Arc), {c, s, e});
        else
            add(PointCode(GripLayout::ArcThreePoints), {c, s, e, {r.thirdX, r.thirdY}});
    }
    // Methods other than 1 and 2 keep the plain layout of method 0.
    void operator()(ElementKind, const EllipticArcRecord& r)
    {
        const EllipseArc e = arcOf(r);
        const PointD s{r.startX, r.startY}, end{r.endX, r.endY};
        if (r.method == 1)
            add(PointCode(GripLayout::EllipticArcDiagonal), {e.centre, e.startPoint(), e.endPoint(), s, end});
        else if (r.method == 2)
            add(PointCode(GripLayout::EllipticArcAxis), {e.centre, e.startPoint(), e.endPoint(), grownTwin(e, s), grownTwin(e, end)});
        else
            add(PointCode(GripLayout::EllipticArc), {e.centre, s, end});
    }
    void operator()(ElementKind kind, const SectorRecord& r)
    {
        const EllipseArc e = arcOf(r);
        add(static_cast<int32_t>(kind), {e.centre, e.startPoint(), e.endPoint()});
    }
    void operator()(ElementKind, const RingRecord& r)
    {
        const EllipseArc outer = outerArcOf(r);
        add(PointCode(GripLayout::Ring), {outer.centre, outer.startPoint(), outer.endPoint(), innerArcOf(r).startPoint()});
    }
    void operator()(ElementKind kind, const OpenPathRecord& r) { addAll(kind, r.points); }
    void operator()(ElementKind kind, const ClosedPathRecord& r) { addAll(kind, r.points); }
    void operator()(ElementKind, const TextRecord& r) { add(PointCode(GripLayout::Text), {r.x, r.y}); }
};

}  // namespace

void BuildControlPoints(Drawing& drawing, int32_t kind, int32_t index, int32_t registryPosition)
{
    GripVisitor visitor{drawing, index, registryPosition};
    visitElement(drawing, ElementRef{kind, index, 1}, visitor);
}
