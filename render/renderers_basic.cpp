// Renderers of the simple kinds: line segment, point, rectangle, cornered
// rectangle, circle and ellipse. Sizes are canvas pixels after the view
// transform; lines and rectangles of 2 pixels or less are not drawn at all,
// radii of 2 pixels or less are drawn as 2.
#include <array>
#include <cmath>

#include "render/renderers.h"
#include "render/renderers_p.h"

using namespace render_detail;

namespace {

QRectF boxAround(QPointF c, double rx, double ry)
{
    return {c.x() - rx, c.y() - ry, 2 * rx, 2 * ry};
}

bool tiltIsZero(double tiltDeg)
{
    return std::fabs(tiltDeg) <= 1e-6 || std::fabs(tiltDeg - 360) <= 1e-6;
}

// Gradient ends of a line segment: along the segment, one pixel beyond each
// end, plus half the width when the ends are capped.
void lineGradientEnds(TGraphP& g, const LineRecord& r, double scale, QPointF a, QPointF b, QPointF& p1,
                      QPointF& p2)
{
    double push = 1;
    if (r.h.widthRef >= 0 && r.h.endStyle > 0)
        push += penHalfWidthPx(g, r.h.widthRef, scale);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = len > 0 ? d / len : QPointF(0, 0);
    p1 = a - push * u;
    p2 = b + push * u;
}

}  // namespace

void RenderLine(TGraphP& g, int level, const ViewTransform& v, const LineRecord& r)
{
    const QPointF a = toCanvas(v, r.x1, r.y1);
    const QPointF b = toCanvas(v, r.x2, r.y2);
    if (!(std::fabs(b.x() - a.x()) > 2 || std::fabs(b.y() - a.y()) > 2))
        return;
    QPointF p1 = a, p2 = b;
    if (r.h.penKind == 5)
        lineGradientEnds(g, r, v.scale, a, b, p1, p2);
    g.ApplyPen(r.h.penKind, r.h.penRef, p1, p2, v.scale, false, r.h.endStyle, r.h.lineTypeRef, r.h.widthRef);
    if (level >= 0)
        g.SetHighlightColour(level);
    g.DrawLine(a.x(), a.y(), b.x(), b.y());
}

void RenderPoint(TGraphP& g, int level, const ViewTransform& v, const PointRecord& r)
{
    const QPointF c = toCanvas(v, r.x, r.y);
    const double diameter = v.scale * r.size;
    const QPointF reach{diameter / 2 * std::sqrt(2.0) + 1, 0};
    g.ApplyPen(r.penKind, r.penRef, c, reach, v.scale, true, 1, -1, -1);
    if (PointMarkerIsFilled(r.pointStyle))
        g.ApplyBrushFromPen(r.penKind, r.penRef, c, reach, true);
    if (level >= 0)
        g.SetHighlightColour(level);
    DrawPointMarker(g, r.pointStyle, c.x(), c.y(), diameter);
}

void RenderRectangle(TGraphP& g, int level, const ViewTransform& v, const RectRecord& r)
{
    const QPointF a = toCanvas(v, r.x1, r.y1);
    const QPointF b = toCanvas(v, r.x2, r.y2);
    if (!spansTwoPixels(a, b))
        return;
    const std::array<QPointF, 4> corners{a, QPointF(b.x(), a.y()), b, QPointF(a.x(), b.y())};
    ClosedLook look;
    look.capCode = 0;
    look.joinCode = r.h.joinStyle;
    look.gradient.corner1 = a;
    look.gradient.corner2 = b;
    look.gradient.points = corners;
    look.radialCentre = (a + b) / 2;
    if (r.h.brushKind == 6 && isFilled(r.h.fillMode)) {
        g.NewPath();
        g.path().addRect(QRectF(a, b).normalized());
    }
    applyClosedLook(g, level, v.scale, r.h, look);
    g.FillOrOutlineRect(r.h.fillMode, a, b);
    g.NewPath();
}

void RenderCorneredRectangle(TGraphP& g, int level, const ViewTransform& v, const CornerRectRecord& r)
{
    const QPointF a = toCanvas(v, r.x1, r.y1);
    const QPointF b = toCanvas(v, r.x2, r.y2);
    if (!spansTwoPixels(a, b))
        return;
    const CornerOutline outline = CornerRectOutline(r, v);
    ClosedLook look;
    look.capCode = 0;
    look.joinCode = r.h.joinStyle;
    look.gradient.corner1 = a;
    look.gradient.corner2 = b;
    look.gradient.points = outline.frame();
    look.radialCentre = (a + b) / 2;
    g.NewPath();
    g.path().addPolygon(outline.polygon);
    g.path().closeSubpath();
    applyClosedLook(g, level, v.scale, r.h, look);
    fillThenOutline(
        r.h.fillMode, [&] { g.FillPath(g.path()); }, [&] { g.DrawPath(g.path()); });
    g.NewPath();
}

void RenderCircle(TGraphP& g, int level, const ViewTransform& v, const CircleRecord& r)
{
    const QPointF c = toCanvas(v, r.cx, r.cy);
    const double radius = minRadiusPx(v.scale * r.r);
    const QRectF box = boxAround(c, radius, radius);
    const ClosedLook look = orientedLook(c, radius, 1, r.h.joinStyle);
    if (r.h.brushKind == 6 && isFilled(r.h.fillMode)) {
        g.NewPath();
        g.path().addEllipse(box);
    }
    applyClosedLook(g, level, v.scale, r.h, look);
    fillThenOutline(
        r.h.fillMode, [&] { g.FillEllipse(box); }, [&] { g.DrawEllipse(box); });
    g.NewPath();
}

// A tilted ellipse is drawn axis-aligned under a rotation about its centre,
// so its pen and brush (gradients included) turn with it.
void RenderEllipse(TGraphP& g, int level, const ViewTransform& v, const EllipseRecord& r)
{
    const QPointF c = toCanvas(v, r.cx, r.cy);
    const double rx = minRadiusPx(v.scale * r.rx);
    const double ry = minRadiusPx(v.scale * r.ry);
    const QRectF box = boxAround(c, rx, ry);
    const ClosedLook look = orientedLook(c, std::max(rx, ry), 1, r.h.joinStyle);
    if (r.h.brushKind == 6 && isFilled(r.h.fillMode)) {
        g.NewPath();
        g.path().addEllipse(box);
    }
    applyClosedLook(g, level, v.scale, r.h, look);
    const bool turned = !tiltIsZero(r.tilt);
    if (turned) {
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(-r.tilt);
        t.translate(-c.x(), -c.y());
        g.SetTransform(t);
    }
    fillThenOutline(
        r.h.fillMode, [&] { g.FillEllipse(box); }, [&] { g.DrawEllipse(box); });
    if (turned)
        g.ResetTransform();
    g.NewPath();
}
