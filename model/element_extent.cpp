// Painted extents of the elements. Each kind gives its geometry, a reach
// in drawing units for what its renderer adds around it (pen widths, point
// sizes, corner cuts, spline overshoot) and a margin in canvas pixels for
// what it adds whatever the zoom. The reaches are loose: a box too large
// only costs a needless draw, one too small would change the picture. The
// margins are few and small because a one-element repaint meets everything
// within them.
#include "model/element_extent.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

struct Extent {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0;
    double x1 = -x0, y1 = -x0;
    bool notANumber = false;  // min and max would drop a NaN silently

    void add(double x, double y)
    {
        notANumber |= std::isnan(x) || std::isnan(y);
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

// Canvas pixels beyond the extent. A pen under a pixel is drawn one pixel
// wide, with miters of five pixels at sharp joins; radii under 2 pixels are
// drawn at 2; antialiasing and the pixel-centre offset add one more.
constexpr double kStrokeMarginPx = 8;
// Anchor ends are at least 2 pixels wide and reach 4 anchor widths and 2
// pixels past the end.
constexpr double kAnchorMarginPx = 14;
// Glyph outlines are hinted and rounded in pixels; the worst case stays.
constexpr double kTextMarginPx = kExtentMarginPx;

constexpr int32_t kFirstAnchorEnd = 4;

// Miter joins reach 5 widths beyond the line, anchor caps 4 widths.
double penReach(const Drawing& d, int32_t widthRef)
{
    const WidthEntry* width = entryAt(d.attributes.width, widthRef);
    return width ? 6 * std::fabs(width->width) : 6;
}

// A single segment has no joins: square caps and dash caps reach under a
// width beyond its ends, anchors 4 anchor widths.
double segmentReach(const Drawing& d, const OutlineHeader& h)
{
    const WidthEntry* width = entryAt(d.attributes.width, h.widthRef);
    if (!width)
        return 6;
    return (h.endStyle >= kFirstAnchorEnd ? 4.5 : 1.0) * std::fabs(width->width);
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
    Extent& e;
    double& reach;
    double& margin;

    void pen(int32_t widthRef) const { reach = penReach(d, widthRef); }
    void pen(const OutlineHeader& h) const
    {
        pen(h.widthRef);
        margin = h.endStyle >= kFirstAnchorEnd ? kAnchorMarginPx : kStrokeMarginPx;
    }

    void operator()(ElementKind, const LineRecord& r) const
    {
        pen(r.h);
        reach = segmentReach(d, r.h);
        e.add(r.x1, r.y1), e.add(r.x2, r.y2);
    }
    // The marker's outline is a one-pixel pen.
    void operator()(ElementKind, const PointRecord& r) const
    {
        e.add(r.x, r.y);
        reach = 0.75 * std::fabs(r.size);
    }
    void operator()(ElementKind, const RectRecord& r) const
    {
        pen(r.h.widthRef);
        e.add(r.x1, r.y1), e.add(r.x2, r.y2);
    }
    void operator()(ElementKind, const CornerRectRecord& r) const
    {
        pen(r.h.widthRef);
        e.add(r.x1, r.y1), e.add(r.x2, r.y2);
        double corner = 0;
        for (const double s : r.cornerSizes)
            corner = std::max(corner, std::fabs(s));
        e.grow(corner);
    }
    void operator()(ElementKind, const CircleRecord& r) const
    {
        pen(r.h.widthRef);
        e.addRadius(r.cx, r.cy, std::fabs(r.r));
    }
    void operator()(ElementKind, const EllipseRecord& r) const
    {
        pen(r.h.widthRef);
        e.addRadius(r.cx, r.cy, maxAbs({r.rx, r.ry}));
    }
    void operator()(ElementKind, const ArcRecord& r) const
    {
        pen(r.h);
        e.addRadius(r.cx, r.cy, std::fabs(r.r));
    }
    void operator()(ElementKind, const EllipticArcRecord& r) const
    {
        pen(r.h);
        e.addRadius(r.cx, r.cy, maxAbs({r.rx, r.ry}));
    }
    // Tangent corners of parts of at most 90 degrees lie within sqrt(2) radii.
    void operator()(ElementKind kind, const SectorRecord& r) const
    {
        pen(r.h.widthRef);
        const double factor = kind == ElementKind::Outside ? 1.5 : 1.0;
        e.addRadius(r.cx, r.cy, factor * maxAbs({r.rx, r.ry}));
    }
    void operator()(ElementKind, const RingRecord& r) const
    {
        pen(r.h.widthRef);
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
        pen(r.h);
        points(r.points, kind == ElementKind::OpenSpline);
    }
    void operator()(ElementKind kind, const ClosedPathRecord& r) const
    {
        pen(r.h.widthRef);
        points(r.points, kind == ElementKind::ClosedSpline);
    }
    // Any glyph fits in two ems per byte of its UTF-8 form; the stored box
    // carries the snap points.
    void operator()(ElementKind, const TextRecord& r) const
    {
        const double em = std::fabs(r.size);
        const double textReach = em * (2.0 * static_cast<double>(r.text.size()) + 3) * std::max(1.0, std::fabs(r.xRatio));
        e.addRadius(r.x, r.y, textReach);
        const double a = r.angle * std::numbers::pi / 180;
        // u along the text, v across it, both turned counter-clockwise on screen.
        const double ux = std::cos(a), uy = -std::sin(a), vx = -std::sin(a), vy = -std::cos(a);
        for (const double fw : {0.0, 1.0})
            for (const double fh : {0.0, 1.0})
                e.add(r.boxA + fw * r.boxC * ux + fh * r.boxD * vx, r.boxB + fw * r.boxC * uy + fh * r.boxD * vy);
        reach = 0;
        margin = kTextMarginPx;
    }
};

bool finite(const WorldBox& b)
{
    return std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) && std::isfinite(b.y1) &&
           b.x0 <= b.x1 && b.y0 <= b.y1;
}

}  // namespace

bool PaintedExtent(const Drawing& drawing, const ElementRef& ref, WorldBox& box)
{
    Extent e;
    double reach = 0, margin = kStrokeMarginPx;
    if (!visitElement(drawing, ref, Bounder{drawing, e, reach, margin}))
        return false;
    e.grow(reach);
    box = WorldBox{e.x0, e.y0, e.x1, e.y1, true, margin};
    // Any NaN or overflow on the way leaves a box the comparisons cannot
    // trust; such an element is always drawn.
    box.trusted = !e.notANumber && finite(box);
    return true;
}

bool PaintedReach(const Drawing& drawing, const ElementRef& ref, double& reach, double& marginPx)
{
    Extent unused;
    reach = 0, marginPx = kStrokeMarginPx;
    return visitElement(drawing, ref, Bounder{drawing, unused, reach, marginPx});
}

WorldBox CanvasAreaInWorld(const ViewTransform& view, double left, double top, double right, double bottom,
                           double marginPx)
{
    const double m = marginPx;
    WorldBox box{view.toWorldX(left - m), view.toWorldY(top - m), view.toWorldX(right + m), view.toWorldY(bottom + m)};
    if (box.x0 > box.x1)
        std::swap(box.x0, box.x1);
    if (box.y0 > box.y1)
        std::swap(box.y0, box.y1);
    box.trusted = view.scale > 0 && finite(box);
    return box;
}
