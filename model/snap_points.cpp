// Snap registration, kind by kind, and the look-up. The point codes and their
// order are what the click machine relies on: codes 1..3 line, 10 point,
// 20..27 rectangle, 30..47 cornered rectangle, 50..54 circle, 60..64 ellipse,
// base + 0..6 for the arc kinds (bases 70..120, 117 the outside shape's
// tangent corners), 300..341 the polyline family, 400..408 the text box grid.
//
// Screen positions truncate toward zero, and a point is registered only when
// it lands on the canvas, edges included. The positions stay doubles until
// that test passes so that a far-off point cannot overflow an int.
#include "model/snap_points.h"

#include <cmath>
#include <cstdlib>

#include "model/element_extent.h"
#include "model/element_geometry.h"
#include "model/paint_order.h"

namespace {

struct ScreenPos {
    double x = 0, y = 0;  // whole numbers
};

struct Registrar {
    std::vector<SnapPoint>& out;
    const CanvasView& canvas;
    int32_t index = 0;
    int32_t layer = 0;

    ScreenPos toScreen(PointD p) const
    {
        return {std::trunc(canvas.view.toScreenX(p.x)), std::trunc(canvas.view.toScreenY(p.y))};
    }
    double scaled(double length) const { return canvas.view.scale * length; }

    void add(int32_t code, PointD p, ScreenPos s)
    {
        if (!(s.x >= 0 && s.x <= canvas.width && s.y >= 0 && s.y <= canvas.height))
            return;
        out.push_back({code, index, layer, static_cast<int32_t>(s.x), static_cast<int32_t>(s.y), p.x, p.y});
    }
    void add(int32_t code, PointD p) { add(code, p, toScreen(p)); }
};

PointD midpoint(PointD a, PointD b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }
// Integer average of two whole screen coordinates, truncated toward zero.
double screenMid(double a, double b) { return std::trunc((a + b) / 2); }

void registerLine(Registrar& reg, const LineRecord& r)
{
    const PointD a{r.x1, r.y1}, b{r.x2, r.y2};
    const ScreenPos sa = reg.toScreen(a), sb = reg.toScreen(b);
    if (std::fabs(sb.x - sa.x) <= 2 && std::fabs(sb.y - sa.y) <= 2)
        return;
    reg.add(1, a, sa);
    reg.add(2, b, sb);
    reg.add(3, midpoint(a, b), {screenMid(sa.x, sb.x), screenMid(sa.y, sb.y)});
}

// Corners and edge midpoints, codes base + 0..7; false (nothing registered)
// when the rectangle is under 3 pixels wide or high on screen.
bool registerBox(Registrar& reg, int32_t base, double x1, double y1, double x2, double y2)
{
    const ScreenPos s1 = reg.toScreen({x1, y1}), s2 = reg.toScreen({x2, y2});
    if (std::fabs(s2.x - s1.x) < 3 || std::fabs(s2.y - s1.y) < 3)
        return false;
    const double xm = (x1 + x2) / 2, ym = (y1 + y2) / 2;
    const double sxm = screenMid(s1.x, s2.x), sym = screenMid(s1.y, s2.y);
    reg.add(base + 0, {x1, y1}, {s1.x, s1.y});
    reg.add(base + 1, {x2, y1}, {s2.x, s1.y});
    reg.add(base + 2, {x1, y2}, {s1.x, s2.y});
    reg.add(base + 3, {x2, y2}, {s2.x, s2.y});
    reg.add(base + 4, {xm, y1}, {sxm, s1.y});
    reg.add(base + 5, {xm, y2}, {sxm, s2.y});
    reg.add(base + 6, {x1, ym}, {s1.x, sym});
    reg.add(base + 7, {x2, ym}, {s2.x, sym});
    return true;
}

// Where each corner's cut starts on its horizontal and on its vertical edge;
// a cut too small to move the point off the corner's pixel offers nothing.
void registerCornerCuts(Registrar& reg, const CornerRectRecord& r)
{
    const double* cut = r.cornerSizes;
    const double xs[4] = {r.x1, r.x2, r.x1, r.x2};
    const double ys[4] = {r.y1, r.y1, r.y2, r.y2};
    const double towardX[4] = {1, -1, 1, -1};
    const double towardY[4] = {1, 1, -1, -1};
    for (int k = 0; k < 4; ++k) {
        const ScreenPos corner = reg.toScreen({xs[k], ys[k]});
        const PointD alongX{xs[k] + towardX[k] * cut[2 * k], ys[k]};
        const PointD alongY{xs[k], ys[k] + towardY[k] * cut[2 * k + 1]};
        const ScreenPos sx = reg.toScreen(alongX), sy = reg.toScreen(alongY);
        if (sx.x != corner.x)
            reg.add(40 + 2 * k, alongX, sx);
        if (sy.y != corner.y)
            reg.add(41 + 2 * k, alongY, sy);
    }
}

void registerCircle(Registrar& reg, const CircleRecord& r)
{
    if (std::fabs(reg.scaled(r.r)) <= 2)
        return;
    const ScreenPos c = reg.toScreen({r.cx, r.cy});
    const double t = std::trunc(reg.scaled(r.r));
    reg.add(50, {r.cx, r.cy}, c);
    reg.add(51, {r.cx + r.r, r.cy}, {c.x + t, c.y});
    reg.add(52, {r.cx, r.cy - r.r}, {c.x, c.y - t});
    reg.add(53, {r.cx - r.r, r.cy}, {c.x - t, c.y});
    reg.add(54, {r.cx, r.cy + r.r}, {c.x, c.y + t});
}

bool tooSmall(const Registrar& reg, const EllipseArc& e)
{
    return std::fabs(reg.scaled(e.rx)) <= 2 || std::fabs(reg.scaled(e.ry)) <= 2;
}

void registerEllipse(Registrar& reg, const EllipseRecord& r)
{
    const EllipseArc e{{r.cx, r.cy}, r.rx, r.ry, r.tilt};
    if (tooSmall(reg, e))
        return;
    reg.add(60, e.centre);
    for (int q = 0; q < 4; ++q)
        reg.add(61 + q, e.pointAt(90.0 * q));
}

// Centre, both ends, then the quadrant points the arc passes.
void registerArcPoints(Registrar& reg, int32_t base, const EllipseArc& e)
{
    if (tooSmall(reg, e))
        return;
    reg.add(base, e.centre);
    reg.add(base + 1, e.startPoint());
    reg.add(base + 2, e.endPoint());
    for (int q = 0; q < 4; ++q)
        if (AngleInSweep(90.0 * q, e.startDeg, e.sweepDeg))
            reg.add(base + 3 + q, e.pointAt(90.0 * q));
}

void registerSector(Registrar& reg, ElementKind kind, const SectorRecord& r)
{
    const EllipseArc e = arcOf(r);
    const int32_t base = kind == ElementKind::Pie ? 90 : kind == ElementKind::Chord ? 100 : 110;
    registerArcPoints(reg, base, e);
    if (kind != ElementKind::Outside)
        return;
    const ArcCorners corners = e.tangentCorners();
    for (int k = 0; k < corners.partCount; ++k)
        reg.add(117, corners.corners[k]);
}

// Vertices with code, then the midpoints of consecutive vertices with
// midCode (none when midCode is 0); a polygon's closing edge has none.
void registerPath(Registrar& reg, const std::vector<PointD>& pts, int32_t code, int32_t midCode)
{
    for (PointD p : pts)
        reg.add(code, p);
    if (midCode == 0)
        return;
    for (size_t i = 1; i < pts.size(); ++i)
        reg.add(midCode, midpoint(pts[i - 1], pts[i]));
}

void registerText(Registrar& reg, const TextRecord& r)
{
    const TextBox t = textBoxOf(r);
    if (std::fabs(reg.scaled(t.w)) <= 2 && std::fabs(reg.scaled(t.h)) <= 2)
        return;
    int32_t code = 400;
    for (double across : {0.0, t.h / 2, t.h})
        for (double along : {0.0, t.w / 2, t.w})
            reg.add(code++, t.at(along, across));
}

struct RegisterVisitor {
    Registrar& reg;

    template <class Record>
    void operator()(ElementKind kind, const Record& r)
    {
        reg.layer = recordLayer(r);
        registerKind(kind, r);
    }

    void registerKind(ElementKind, const LineRecord& r) { registerLine(reg, r); }
    void registerKind(ElementKind, const PointRecord& r) { reg.add(10, {r.x, r.y}); }
    void registerKind(ElementKind, const RectRecord& r) { registerBox(reg, 20, r.x1, r.y1, r.x2, r.y2); }
    void registerKind(ElementKind, const CornerRectRecord& r)
    {
        if (registerBox(reg, 30, r.x1, r.y1, r.x2, r.y2))
            registerCornerCuts(reg, r);
    }
    void registerKind(ElementKind, const CircleRecord& r) { registerCircle(reg, r); }
    void registerKind(ElementKind, const EllipseRecord& r) { registerEllipse(reg, r); }
    void registerKind(ElementKind, const ArcRecord& r) { registerArcPoints(reg, 70, arcOf(r)); }
    void registerKind(ElementKind, const EllipticArcRecord& r) { registerArcPoints(reg, 80, arcOf(r)); }
    void registerKind(ElementKind kind, const SectorRecord& r) { registerSector(reg, kind, r); }
    void registerKind(ElementKind, const RingRecord& r)
    {
        registerArcPoints(reg, 120, outerArcOf(r));
        registerArcPoints(reg, 120, innerArcOf(r));
    }
    void registerKind(ElementKind kind, const OpenPathRecord& r)
    {
        const auto code = static_cast<int32_t>(kind);
        registerPath(reg, r.points, code, kind == ElementKind::Polyline ? code + 1 : 0);
    }
    void registerKind(ElementKind kind, const ClosedPathRecord& r)
    {
        const auto code = static_cast<int32_t>(kind);
        registerPath(reg, r.points, code, kind == ElementKind::Polygon ? code + 1 : 0);
    }
    void registerKind(ElementKind, const TextRecord& r) { registerText(reg, r); }
};

}  // namespace

// The storage is kept: the next paint registers about as many points again,
// and refilling kept pages is far cheaper than faulting in fresh ones on
// every repaint of a large drawing. A drawing reset releases it.
void ClearSnapPoints(Drawing& drawing)
{
    drawing.snapPoints.clear();
}

void RegisterSnapPoints(Drawing& drawing, const ElementRef& ref, const CanvasView& canvas)
{
    Registrar reg{drawing.snapPoints, canvas, ref.index};
    RegisterVisitor visitor{reg};
    visitElement(drawing, ref, visitor);
}

namespace {

bool within(const SnapPoint& s, int mouseX, int mouseY, int tolerance)
{
    return std::llabs(int64_t{s.screenX} - mouseX) <= tolerance && std::llabs(int64_t{s.screenY} - mouseY) <= tolerance;
}

// The list a full paint of the canvas would have registered, read only where
// it can matter: the elements whose extent meets the window around the
// cursor, in paint order, each registering into a scratch list.
std::optional<SnapPoint> findIndexed(const Drawing& drawing, const CanvasView& canvas, int mouseX, int mouseY,
                                     int tolerance)
{
    const double reach = tolerance + 2.0;
    const WorldBox window =
        CanvasAreaInWorld(canvas.view, mouseX - reach, mouseY - reach, mouseX + reach, mouseY + reach);
    std::vector<int32_t> order;
    ElementsInPaintOrder(drawing, window, order);
    std::vector<SnapPoint> points;
    for (const int32_t position : order) {
        const ElementRef& ref = drawing.registry[static_cast<size_t>(position)];
        points.clear();
        Registrar reg{points, canvas, ref.index};
        RegisterVisitor visitor{reg};
        visitElement(drawing, ref, visitor);
        for (const SnapPoint& s : points)
            if (within(s, mouseX, mouseY, tolerance))
                return s;
    }
    return std::nullopt;
}

}  // namespace

std::optional<SnapPoint> FindSnapPoint(const Drawing& drawing, int mouseX, int mouseY, int tolerance)
{
    if (drawing.indexedSnapCanvas)
        return findIndexed(drawing, *drawing.indexedSnapCanvas, mouseX, mouseY, tolerance);
    for (const SnapPoint& s : drawing.snapPoints)
        if (within(s, mouseX, mouseY, tolerance) && drawing.layerVisible(s.layer))
            return s;
    return std::nullopt;
}
