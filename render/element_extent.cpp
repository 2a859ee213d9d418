// Culling boxes of the elements. Each kind gives a box in drawing units that
// holds its geometry and its snap points, and a padding in canvas pixels for
// what the renderer adds around the geometry. The padding is deliberately
// loose: a box too large only costs a needless draw, one too small would
// change the picture.
#include "render/element_extent.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

struct Extent {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0;
    double x1 = -x0, y1 = -x0;
    double padPx = 0;

    void add(double x, double y)
    {
        x0 = std::min(x0, x), y0 = std::min(y0, y);
        x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
    void add(PointD p) { add(p.x, p.y); }
    void addRadius(double cx, double cy, double r)
    {
        add(cx - r, cy - r);
        add(cx + r, cy + r);
    }
    void grow(double d) { x0 -= d, y0 -= d, x1 += d, y1 += d; }
};

// Miter joins reach 5 widths beyond the line, anchor caps 2 widths of a pen
// at least 2 pixels wide; one pixel more for the pixel-centre offset.
double penPadPx(const Drawing& d, int32_t widthRef, double scale)
{
    const WidthEntry* width = entryAt(d.attributes.width, widthRef);
    const double widthPx = width ? std::fabs(width->width * scale) : 1;
    return 6 * std::max(widthPx, 2.0) + 4;
}

double maxAbs(std::initializer_list<double> values)
{
    double m = 0;
    for (const double v : values)
        m = std::max(m, std::fabs(v));
    return m;
}

struct Bounder {
    const Drawing& d;
    double scale;
    Extent& e;

    void outline(const OutlineHeader& h) const { e.padPx = penPadPx(d, h.widthRef, scale); }
    // Radii of 2 pixels or less are drawn as 2.
    void closed(const ClosedHeader& h) const { e.padPx = penPadPx(d, h.widthRef, scale) + 2; }

    void operator()(ElementKind, const LineRecord& r) const
    {
        outline(r.h);
        e.add(r.x1, r.y1), e.add(r.x2, r.y2);
    }
    void operator()(ElementKind, const PointRecord& r) const
    {
        e.add(r.x, r.y);
        e.padPx = 0.75 * std::fabs(r.size * scale) + 6;
    }
    void operator()(ElementKind, const RectRecord& r) const
    {
        closed(r.h);
        e.add(r.x1, r.y1), e.add(r.x2, r.y2);
    }
    void operator()(ElementKind, const CornerRectRecord& r) const
    {
        closed(r.h);
        e.add(r.x1, r.y1), e.add(r.x2, r.y2);
        double corner = 0;
        for (const double s : r.cornerSizes)
            corner = std::max(corner, std::fabs(s));
        e.grow(corner);
    }
    void operator()(ElementKind, const CircleRecord& r) const
    {
        closed(r.h);
        e.addRadius(r.cx, r.cy, std::fabs(r.r));
    }
    void operator()(ElementKind, const EllipseRecord& r) const
    {
        closed(r.h);
        e.addRadius(r.cx, r.cy, maxAbs({r.rx, r.ry}));
    }
    void operator()(ElementKind, const ArcRecord& r) const
    {
        outline(r.h);
        e.padPx += 2;
        e.addRadius(r.cx, r.cy, std::fabs(r.r));
    }
    void operator()(ElementKind, const EllipticArcRecord& r) const
    {
        outline(r.h);
        e.padPx += 2;
        e.addRadius(r.cx, r.cy, maxAbs({r.rx, r.ry}));
    }
    // Tangent corners of parts of at most 90 degrees lie within sqrt(2) radii.
    void operator()(ElementKind kind, const SectorRecord& r) const
    {
        closed(r.h);
        const double reach = kind == ElementKind::Outside ? 1.5 : 1.0;
        e.addRadius(r.cx, r.cy, reach * maxAbs({r.rx, r.ry}));
        e.padPx += kind == ElementKind::Outside ? 3 : 0;
    }
    void operator()(ElementKind, const RingRecord& r) const
    {
        closed(r.h);
        e.addRadius(r.cx, r.cy, maxAbs({r.outerRx, r.outerRy, r.innerRx, r.innerRy}));
    }
    // A cardinal spline's control points reach a sixth of a chord beyond
    // their points; a third of the diagonal is plenty.
    void points(const std::vector<PointD>& pts, bool spline) const
    {
        for (const PointD& p : pts)
            e.add(p);
        if (spline && !pts.empty())
            e.grow(std::hypot(e.x1 - e.x0, e.y1 - e.y0) / 3);
    }
    void operator()(ElementKind kind, const OpenPathRecord& r) const
    {
        outline(r.h);
        points(r.points, kind == ElementKind::OpenSpline);
    }
    void operator()(ElementKind kind, const ClosedPathRecord& r) const
    {
        closed(r.h);
        points(r.points, kind == ElementKind::ClosedSpline);
    }
    // Any glyph fits in two ems per byte of its UTF-8 form; the stored box
    // carries the snap points.
    void operator()(ElementKind, const TextRecord& r) const
    {
        const double em = std::fabs(r.size);
        const double reach = em * (2.0 * static_cast<double>(r.text.size()) + 3) * std::max(1.0, std::fabs(r.xRatio));
        e.addRadius(r.x, r.y, reach);
        const double a = r.angle * std::numbers::pi / 180;
        // u along the text, v across it, both turned counter-clockwise on screen.
        const double ux = std::cos(a), uy = -std::sin(a), vx = -std::sin(a), vy = -std::cos(a);
        for (const double fw : {0.0, 1.0})
            for (const double fh : {0.0, 1.0})
                e.add(r.boxA + fw * r.boxC * ux + fh * r.boxD * vx, r.boxB + fw * r.boxC * uy + fh * r.boxD * vy);
        e.padPx = 4;
    }
};

}  // namespace

bool ElementOffArea(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view, const QRectF& area)
{
    Extent e;
    if (!visitElement(drawing, ref, Bounder{drawing, view.scale, e}))
        return false;
    const double sx0 = view.toScreenX(e.x0), sx1 = view.toScreenX(e.x1);
    const double sy0 = view.toScreenY(e.y0), sy1 = view.toScreenY(e.y1);
    const double left = std::min(sx0, sx1) - e.padPx, right = std::max(sx0, sx1) + e.padPx;
    const double top = std::min(sy0, sy1) - e.padPx, bottom = std::max(sy0, sy1) + e.padPx;
    // Written so that any NaN keeps the element.
    return right < area.left() || left > area.right() || bottom < area.top() || top > area.bottom();
}
