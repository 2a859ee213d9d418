// The dispatch from a registry entry to its kind's renderer, the device
// companion that brackets one render in Begin/End, and the attribute steps all
// renderers share (pen, join, brush, gradient orientation, highlight).
#include "render/renderers.h"

#include <cmath>

#include "geometry/func.h"
#include "render/renderers_p.h"

namespace render_detail {
namespace {

// Direction (cos a, -sin a) on screen of a linear brush's angle a; a
// reference that names no entry counts as angle 0.
QPointF brushDirection(const TGraphP& g, int32_t brushRef)
{
    const GradientEntry* entry = g.attributes() ? entryAt(g.attributes()->brushGradient, brushRef) : nullptr;
    const double a = entry ? DegToRad(entry->angle) : 0;
    return {std::cos(a), -std::sin(a)};
}

void feedFrame(TGraphP& g, const GradientLayout& layout, const ClosedHeader& h)
{
    g.BeginGradientFrame(layout.corner1, layout.corner2, h.penKind, h.penRef, h.brushKind, h.brushRef);
    const auto& pts = layout.points;
    for (size_t i = 0; i < pts.size(); i += 2) {
        const QPointF a = pts[i];
        const QPointF b = i + 1 < pts.size() ? pts[i + 1] : a;
        g.AddToGradientFrame(i == 0, a.x(), a.y(), b.x(), b.y());
    }
}

void applyClosedBrush(TGraphP& g, const ClosedHeader& h, const ClosedLook& look)
{
    QPointF p1 = look.radialCentre, p2 = look.radialCentre;
    if (h.brushKind == 5) {
        if (look.gradient.oriented) {
            const QPointF dir = brushDirection(g, h.brushRef);
            p1 = look.gradient.centre - look.gradient.halfLength * dir;
            p2 = look.gradient.centre + look.gradient.halfLength * dir;
        } else {
            g.BrushGradientEnds(p1, p2);
        }
    }
    g.ApplyBrush(h.brushKind, h.brushRef, p1, p2);
}

}  // namespace

double penHalfWidthPx(const TGraphP& g, int32_t widthRef, double scale)
{
    const WidthEntry* entry = g.attributes() ? entryAt(g.attributes()->width, widthRef) : nullptr;
    return entry ? entry->width / 2 * scale : 0;
}

ClosedLook orientedLook(QPointF centre, double halfLength, int capCode, int joinCode)
{
    ClosedLook look;
    look.capCode = capCode;
    look.joinCode = joinCode;
    look.gradient.oriented = true;
    look.gradient.centre = centre;
    look.gradient.halfLength = halfLength;
    look.radialCentre = centre;
    return look;
}

void applyClosedLook(TGraphP& g, int level, double scale, const ClosedHeader& h, const ClosedLook& look)
{
    const GradientLayout& grad = look.gradient;
    const bool framed = !grad.oriented && (h.penKind == 5 || h.brushKind == 5);
    if (framed)
        feedFrame(g, grad, h);
    if (isOutlined(h.fillMode)) {
        if (grad.oriented) {
            g.ApplyPen(h.penKind, h.penRef, grad.centre, {grad.halfLength, 0}, scale, true, look.capCode,
                       h.lineTypeRef, h.widthRef);
        } else {
            QPointF p1, p2;
            if (h.penKind == 5)
                g.PenGradientEnds(h.widthRef, scale, p1, p2);
            g.ApplyPen(h.penKind, h.penRef, p1, p2, scale, false, look.capCode, h.lineTypeRef, h.widthRef);
        }
        g.SetLineJoin(look.joinCode);
    }
    if (isFilled(h.fillMode))
        applyClosedBrush(g, h, look);
    if (level >= 0)
        g.SetHighlightColour(level);
}

void applyOutlinePen(TGraphP& g, int level, double scale, const OutlineHeader& h,
                     const GradientLayout& grad, int joinCode)
{
    if (grad.oriented) {
        g.ApplyPen(h.penKind, h.penRef, grad.centre, {grad.halfLength, 0}, scale, true, h.endStyle,
                   h.lineTypeRef, h.widthRef);
    } else {
        QPointF p1, p2;
        if (h.penKind == 5) {
            g.BeginGradientFrame(grad.corner1, grad.corner2, h.penKind, h.penRef, 0, -1);
            for (size_t i = 0; i < grad.points.size(); ++i)
                g.AddToGradientFrame(i == 0, grad.points[i].x(), grad.points[i].y(), grad.points[i].x(),
                                     grad.points[i].y());
            g.PenGradientEnds(h.widthRef, scale, p1, p2);
        }
        g.ApplyPen(h.penKind, h.penRef, p1, p2, scale, false, h.endStyle, h.lineTypeRef, h.widthRef);
    }
    if (joinCode >= 0)
        g.SetLineJoin(joinCode);
    if (level >= 0)
        g.SetHighlightColour(level);
}

}  // namespace render_detail

namespace {

struct Dispatch {
    TGraphP& g;
    int level;
    const ViewTransform& view;

    void operator()(ElementKind, const LineRecord& r) const { RenderLine(g, level, view, r); }
    void operator()(ElementKind, const PointRecord& r) const { RenderPoint(g, level, view, r); }
    void operator()(ElementKind, const RectRecord& r) const { RenderRectangle(g, level, view, r); }
    void operator()(ElementKind, const CornerRectRecord& r) const
    {
        RenderCorneredRectangle(g, level, view, r);
    }
    void operator()(ElementKind, const CircleRecord& r) const { RenderCircle(g, level, view, r); }
    void operator()(ElementKind, const EllipseRecord& r) const { RenderEllipse(g, level, view, r); }
    void operator()(ElementKind, const ArcRecord& r) const { RenderArc(g, level, view, r); }
    void operator()(ElementKind, const EllipticArcRecord& r) const { RenderEllipticArc(g, level, view, r); }
    void operator()(ElementKind, const RingRecord& r) const { RenderRing(g, level, view, r); }
    void operator()(ElementKind, const TextRecord& r) const { RenderText(g, level, view, r); }

    void operator()(ElementKind kind, const SectorRecord& r) const
    {
        if (kind == ElementKind::Pie)
            RenderPie(g, level, view, r);
        else if (kind == ElementKind::Chord)
            RenderChord(g, level, view, r);
        else
            RenderOutsideShape(g, level, view, r);
    }
    void operator()(ElementKind kind, const OpenPathRecord& r) const
    {
        if (kind == ElementKind::Polyline)
            RenderPolyline(g, level, view, r);
        else if (kind == ElementKind::Bezier)
            RenderBezier(g, level, view, r);
        else
            RenderOpenSpline(g, level, view, r);
    }
    void operator()(ElementKind kind, const ClosedPathRecord& r) const
    {
        if (kind == ElementKind::Polygon)
            RenderPolygon(g, level, view, r);
        else
            RenderClosedSpline(g, level, view, r);
    }
};

}  // namespace

bool RenderElement(TGraphP& g, int level, const ViewTransform& view, const Drawing& drawing,
                   const ElementRef& ref)
{
    g.setAttributes(&drawing.attributes);
    return visitElement(drawing, ref, Dispatch{g, level, view});
}

bool RenderElementOnDc(TGraphP& g, QPaintDevice* device, int level, const ViewTransform& view,
                       const Drawing& drawing, const ElementRef& ref)
{
    if (!g.Begin(device))
        return false;
    const bool drawn = RenderElement(g, level, view, drawing, ref);
    g.End();
    return drawn;
}
