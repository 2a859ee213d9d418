// Each kind is reduced to pieces whose painted pixels stay within the
// element's reach (PaintedReach) of them: segments, box bands, whole
// ellipses sampled as polygons, and for filled kinds a region the area's
// centre is tested against. An area that no piece comes within reach of
// gets no pixel: if a filled region met it without its outline doing so,
// the region would hold the whole grown area, centre included. Pieces are
// loose where the exact curve is costly (an arc counts as its whole
// ellipse, a curve piece as the box of its control points).
#include "model/paint_reach.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

#include "model/element_extent.h"
#include "model/element_geometry.h"

namespace {

bool finite(PointD p) { return std::isfinite(p.x) && std::isfinite(p.y); }
PointD minus(PointD a, PointD b) { return {a.x - b.x, a.y - b.y}; }

// The area in drawing units, grown by what an element adds around its pieces.
struct Target {
    double x0, y0, x1, y1;

    Target grown(double d) const { return {x0 - d, y0 - d, x1 + d, y1 + d}; }
    PointD centre() const { return {(x0 + x1) / 2, (y0 + y1) / 2}; }

    bool meetsBox(double bx0, double by0, double bx1, double by1) const
    {
        return std::min(bx0, bx1) <= x1 && std::max(bx0, bx1) >= x0 && std::min(by0, by1) <= y1 &&
               std::max(by0, by1) >= y0;
    }
    // Strictly inside the box: then only the box's interior, not its border, is near.
    bool insideBox(double bx0, double by0, double bx1, double by1) const
    {
        return x0 > std::min(bx0, bx1) && x1 < std::max(bx0, bx1) && y0 > std::min(by0, by1) &&
               y1 < std::max(by0, by1);
    }
    // The segment meets the box when their boxes meet and the box's corners
    // do not all lie on one side of the segment's line.
    bool meetsSegment(PointD a, PointD b) const
    {
        if (!meetsBox(a.x, a.y, b.x, b.y))
            return false;
        const double dx = b.x - a.x, dy = b.y - a.y;
        int below = 0, above = 0;
        for (const double x : {x0, x1}) {
            for (const double y : {y0, y1}) {
                const double side = dx * (y - a.y) - dy * (x - a.x);
                below += side < 0;
                above += side > 0;
            }
        }
        return below < 4 && above < 4;
    }
    bool meetsPath(std::span<const PointD> pts, bool closed) const
    {
        for (size_t i = 1; i < pts.size(); ++i) {
            if (meetsSegment(pts[i - 1], pts[i]))
                return true;
        }
        return closed && pts.size() > 2 && meetsSegment(pts.back(), pts.front());
    }
};

// Non-zero winding, which holds every point the alternate rule fills too.
bool insidePolygon(std::span<const PointD> pts, PointD p)
{
    int winding = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const PointD a = pts[i], b = pts[(i + 1) % pts.size()];
        const double cross = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
        if (a.y <= p.y && b.y > p.y && cross > 0)
            ++winding;
        else if (a.y > p.y && b.y <= p.y && cross < 0)
            --winding;
    }
    return winding != 0;
}

// A whole ellipse as c + cos t * U + sin t * V (t the parametric angle the
// records use), sampled at kSteps points.
class Ellipse {
public:
    explicit Ellipse(const EllipseArc& arc)
        : m_c(arc.centre), m_u(minus(arc.pointAt(0), arc.centre)), m_v(minus(arc.pointAt(90), arc.centre))
    {
    }
    bool usable() const { return finite(m_c) && finite(m_u) && finite(m_v); }

    bool outlineMeets(const Target& t) const
    {
        const double ru = std::hypot(m_u.x, m_u.y), rv = std::hypot(m_v.x, m_v.y);
        const double big = std::max(ru, rv), small = std::min(ru, rv);
        if (!t.meetsBox(m_c.x - big, m_c.y - big, m_c.x + big, m_c.y + big))
            return false;
        // Wholly within the disc the ellipse holds: away from the outline.
        double farthest = 0;
        for (const double x : {t.x0, t.x1})
            for (const double y : {t.y0, t.y1})
                farthest = std::max(farthest, std::hypot(x - m_c.x, y - m_c.y));
        if (farthest < small)
            return false;
        // A chord of parametric step h lies within h^2 / 8 times the
        // largest second derivative (the larger radius) of the curve; the
        // renderer's own chords (5 degrees) lie as near on the other side.
        constexpr double kStep = 2 * std::numbers::pi / kSteps;
        const Target near = t.grown(2 * kStep * kStep / 8 * big * 1.01);
        const auto& table = unitCircle();
        PointD previous = at(table[0]);
        for (size_t k = 1; k <= kSteps; ++k) {
            const PointD p = at(table[k % kSteps]);
            if (near.meetsSegment(previous, p))
                return true;
            previous = p;
        }
        return false;
    }
    bool holds(PointD p) const
    {
        const double uu = m_u.x * m_u.x + m_u.y * m_u.y, vv = m_v.x * m_v.x + m_v.y * m_v.y;
        if (!(uu > 0 && vv > 0))
            return false;  // no interior: the outline test covers it
        const PointD d = minus(p, m_c);
        const double a = (d.x * m_u.x + d.y * m_u.y) / uu, b = (d.x * m_v.x + d.y * m_v.y) / vv;
        return a * a + b * b <= 1;
    }

private:
    static constexpr size_t kSteps = 64;
    static const std::array<PointD, kSteps>& unitCircle()
    {
        static const auto table = [] {
            std::array<PointD, kSteps> t{};
            for (size_t k = 0; k < kSteps; ++k) {
                const double a = 2 * std::numbers::pi * static_cast<double>(k) / kSteps;
                t[k] = {std::cos(a), std::sin(a)};
            }
            return t;
        }();
        return table;
    }
    PointD at(PointD cs) const { return {m_c.x + cs.x * m_u.x + cs.y * m_v.x, m_c.y + cs.x * m_u.y + cs.y * m_v.y}; }

    PointD m_c, m_u, m_v;
};

bool mayBeFilled(int32_t fillMode) { return fillMode != 0; }

bool allFinite(std::span<const PointD> pts)
{
    return std::all_of(pts.begin(), pts.end(), [](PointD p) { return finite(p); });
}

// Box bands: the outline lies between the box grown and shrunk by `inset`.
bool boxOutlineMeets(const Target& t, double x1, double y1, double x2, double y2, double inset, bool filled)
{
    const double lx = std::min(x1, x2), hx = std::max(x1, x2), ly = std::min(y1, y2), hy = std::max(y1, y2);
    if (!t.meetsBox(lx - inset, ly - inset, hx + inset, hy + inset))
        return false;
    const bool hollow = lx + inset < hx - inset && ly + inset < hy - inset;
    return filled || !hollow || !t.insideBox(lx + inset, ly + inset, hx - inset, hy - inset);
}

// The ellipse of an arc kind with the segments its renderer adds.
bool sectorMeets(const Target& t, const EllipseArc& arc, ElementKind kind, bool filled)
{
    const Ellipse e(arc);
    if (!e.usable() || !finite(arc.startPoint()) || !finite(arc.endPoint()))
        return true;
    if (e.outlineMeets(t) || (filled && e.holds(t.centre())))
        return true;
    if (kind == ElementKind::Pie)
        return t.meetsSegment(arc.centre, arc.startPoint()) || t.meetsSegment(arc.centre, arc.endPoint());
    if (kind == ElementKind::Chord)
        return t.meetsSegment(arc.startPoint(), arc.endPoint());
    return false;
}

bool ringMeets(const Target& t, const RingRecord& r)
{
    const EllipseArc outer = outerArcOf(r), inner = innerArcOf(r);
    const Ellipse eo(outer), ei(inner);
    if (!eo.usable() || !ei.usable() || !finite(outer.startPoint()) || !finite(outer.endPoint()) ||
        !finite(inner.startPoint()) || !finite(inner.endPoint()))
        return true;
    if (eo.outlineMeets(t) || ei.outlineMeets(t) || (mayBeFilled(r.h.fillMode) && eo.holds(t.centre())))
        return true;
    return std::fabs(r.sweepAngle) < 360 && (t.meetsSegment(outer.startPoint(), inner.startPoint()) ||
                                             t.meetsSegment(outer.endPoint(), inner.endPoint()));
}

// Cardinal spline pieces lie within the box of their control points, which
// reach at most a sixth of a chord two points wide beyond their ends.
bool splineMeets(const Target& t, std::span<const PointD> pts, bool closed)
{
    const size_t n = pts.size();
    auto hop = [&](size_t i) {  // |p[i+1] - p[i]|, 0 past an open end
        if (!closed && i + 1 >= n)
            return 0.0;
        const PointD a = pts[i % n], b = pts[(i + 1) % n];
        return std::hypot(b.x - a.x, b.y - a.y);
    };
    const size_t pieces = closed ? n : n - 1;
    for (size_t i = 0; i < pieces; ++i) {
        const double before = closed || i > 0 ? hop((i + n - 1) % n) : 0.0;
        const double grow = (before + hop(i) + hop(i + 1)) / 3;
        const PointD a = pts[i], b = pts[(i + 1) % n];
        if (t.grown(grow).meetsBox(a.x, a.y, b.x, b.y))
            return true;
    }
    return false;
}

bool bezierMeets(const Target& t, std::span<const PointD> pts)
{
    for (size_t i = 0; i + 3 < pts.size(); i += 3) {
        const auto piece = pts.subspan(i, 4);
        const auto [lx, hx] = std::minmax({piece[0].x, piece[1].x, piece[2].x, piece[3].x});
        const auto [ly, hy] = std::minmax({piece[0].y, piece[1].y, piece[2].y, piece[3].y});
        if (t.meetsBox(lx, ly, hx, hy))
            return true;
    }
    return false;
}

// A text's glyphs, under the same allowance as its extent (two ems per byte
// along it, three ems of sidebearings and box), run from the anchor along
// the text by the anchor's column, and stay within five ems across it.
bool textMeets(const Target& t, const TextRecord& r)
{
    const double em = std::fabs(r.size);
    const double stretch = std::max(1.0, std::fabs(r.xRatio));
    const double along = em * 2.0 * static_cast<double>(r.text.size()) * stretch, spare = em * 3 * stretch;
    const int32_t column = r.anchor >= 0 && r.anchor <= 8 ? r.anchor % 3 : 0;
    const double share[3] = {0, 0.5, 1};  // of the text before the anchor
    double back = along * share[column] + spare, ahead = along * (1 - share[column]) + spare;
    if (!(r.xRatio > 0))
        back = ahead = std::max(back, ahead);
    const double across = 5 * em;
    const double a = r.angle * std::numbers::pi / 180;
    const PointD u{std::cos(a), -std::sin(a)}, v{-std::sin(a), -std::cos(a)};
    const PointD o{r.x, r.y};
    auto corner = [&](double s, double w) { return PointD{o.x + s * u.x + w * v.x, o.y + s * u.y + w * v.y}; };
    const std::array<PointD, 4> box{corner(-back, -across), corner(ahead, -across), corner(ahead, across),
                                    corner(-back, across)};
    if (!allFinite(box))
        return true;
    return t.meetsPath(box, true) || insidePolygon(box, t.centre());
}

struct Tester {
    const Target& t;
    bool& meets;

    void operator()(ElementKind, const LineRecord& r) const
    {
        const PointD a{r.x1, r.y1}, b{r.x2, r.y2};
        meets = !finite(a) || !finite(b) || t.meetsSegment(a, b);
    }
    void operator()(ElementKind, const RectRecord& r) const
    {
        meets = boxOutlineMeets(t, r.x1, r.y1, r.x2, r.y2, 0, mayBeFilled(r.h.fillMode));
    }
    void operator()(ElementKind, const CornerRectRecord& r) const
    {
        double corner = 0;
        for (const double s : r.cornerSizes)
            corner = std::max(corner, std::fabs(s));
        meets = boxOutlineMeets(t, r.x1, r.y1, r.x2, r.y2, corner, mayBeFilled(r.h.fillMode));
    }
    void operator()(ElementKind, const CircleRecord& r) const
    {
        const double radius = std::fabs(r.r);
        const double nx = std::clamp(r.cx, t.x0, t.x1), ny = std::clamp(r.cy, t.y0, t.y1);
        const double nearest = std::hypot(nx - r.cx, ny - r.cy);
        const double farthest = std::hypot(std::max(std::fabs(t.x0 - r.cx), std::fabs(t.x1 - r.cx)),
                                           std::max(std::fabs(t.y0 - r.cy), std::fabs(t.y1 - r.cy)));
        meets = !(nearest > radius) && (mayBeFilled(r.h.fillMode) || !(farthest < radius));
    }
    void operator()(ElementKind, const EllipseRecord& r) const
    {
        const Ellipse e(EllipseArc{{r.cx, r.cy}, r.rx, r.ry, r.tilt});
        meets = !e.usable() || e.outlineMeets(t) || (mayBeFilled(r.h.fillMode) && e.holds(t.centre()));
    }
    void operator()(ElementKind kind, const ArcRecord& r) const { meets = sectorMeets(t, arcOf(r), kind, false); }
    void operator()(ElementKind kind, const EllipticArcRecord& r) const
    {
        meets = sectorMeets(t, arcOf(r), kind, false);
    }
    void operator()(ElementKind kind, const SectorRecord& r) const
    {
        meets = kind == ElementKind::Outside || sectorMeets(t, arcOf(r), kind, mayBeFilled(r.h.fillMode));
    }
    void operator()(ElementKind, const RingRecord& r) const { meets = ringMeets(t, r); }
    void operator()(ElementKind kind, const OpenPathRecord& r) const
    {
        const std::span<const PointD> pts = r.points;
        if (pts.size() < 2 || !allFinite(pts))
            meets = true;
        else if (kind == ElementKind::OpenSpline)
            meets = splineMeets(t, pts, false);
        else if (kind == ElementKind::Bezier && pts.size() >= 4)
            meets = bezierMeets(t, pts.first(bezierUsedCount(pts.size())));
        else
            meets = t.meetsPath(pts, false);
    }
    void operator()(ElementKind kind, const ClosedPathRecord& r) const
    {
        const std::span<const PointD> pts = r.points;
        const bool filled = mayBeFilled(r.h.fillMode);
        if (pts.size() < 2 || !allFinite(pts))
            meets = true;
        else if (kind == ElementKind::ClosedSpline)
            meets = (filled && pts.size() > 2) || splineMeets(t, pts, pts.size() > 2);
        else
            meets = t.meetsPath(pts, true) || (filled && insidePolygon(pts, t.centre()));
    }
    void operator()(ElementKind, const TextRecord& r) const { meets = textMeets(t, r); }
    void operator()(ElementKind, const PointRecord&) const { meets = true; }
};

// Fill colours that replace every pixel they cover.
bool opaqueBrush(const AttributeTables& a, int32_t brushKind, int32_t brushRef)
{
    if (brushKind == 1)
        return entryAt(a.brushColor, brushRef) != nullptr;
    const PenAlphaColorEntry* e = brushKind == 2 ? entryAt(a.brushAlphaColor, brushRef) : nullptr;
    return e && e->alpha == 255;
}

// Rectangles and circles filled with an opaque colour whose interior holds
// the area (grown by what the renderer's outline and pixel rounding take).
struct Cover {
    const Drawing& d;
    const Target& t;
    bool& hides;

    bool opaqueFill(const ClosedHeader& h) const
    {
        return (h.fillMode == 1 || h.fillMode == 2) && opaqueBrush(d.attributes, h.brushKind, h.brushRef);
    }
    void holdsBox(const ClosedHeader& h, double x1, double y1, double x2, double y2, double inset) const
    {
        hides = opaqueFill(h) && t.insideBox(std::min(x1, x2) + inset, std::min(y1, y2) + inset,
                                             std::max(x1, x2) - inset, std::max(y1, y2) - inset);
    }
    void operator()(ElementKind, const RectRecord& r) const { holdsBox(r.h, r.x1, r.y1, r.x2, r.y2, 0); }
    void operator()(ElementKind, const CornerRectRecord& r) const
    {
        double corner = 0;
        for (const double s : r.cornerSizes)
            corner = std::max(corner, std::fabs(s));
        holdsBox(r.h, r.x1, r.y1, r.x2, r.y2, corner);
    }
    // The renderer's circle is a polygon of 5-degree chords inside it.
    void operator()(ElementKind, const CircleRecord& r) const
    {
        const double inner = std::fabs(r.r) * 0.99;
        const double farthest = std::hypot(std::max(std::fabs(t.x0 - r.cx), std::fabs(t.x1 - r.cx)),
                                           std::max(std::fabs(t.y0 - r.cy), std::fabs(t.y1 - r.cy)));
        hides = opaqueFill(r.h) && farthest < inner;
    }
    void operator()(ElementKind, const auto&) const { hides = false; }
};

}  // namespace

bool ElementHidesArea(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view, double left,
                      double top, double right, double bottom)
{
    constexpr double kRoundingPx = 3;
    if (!(view.scale > 0))
        return false;
    const Target area{view.toWorldX(left), view.toWorldY(top), view.toWorldX(right), view.toWorldY(bottom)};
    const Target t = area.grown(kRoundingPx / view.scale);
    if (!(std::isfinite(t.x0) && std::isfinite(t.y0) && std::isfinite(t.x1) && std::isfinite(t.y1)))
        return false;
    bool hides = false;
    visitElement(drawing, ref, Cover{drawing, t, hides});
    return hides;
}

bool ElementMayPaintArea(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view, double left,
                         double top, double right, double bottom)
{
    double reach = 0, marginPx = 0;
    if (!(view.scale > 0) || !PaintedReach(drawing, ref, reach, marginPx))
        return true;
    const Target area{view.toWorldX(left), view.toWorldY(top), view.toWorldX(right), view.toWorldY(bottom)};
    const Target t = area.grown(reach + marginPx / view.scale);
    if (!(std::isfinite(t.x0) && std::isfinite(t.y0) && std::isfinite(t.x1) && std::isfinite(t.y1)))
        return true;
    bool meets = true;
    visitElement(drawing, ref, Tester{t, meets});
    return meets;
}
