// Renderers of the point-list kinds: polyline, polygon, Bezier curve and the
// open and closed C-splines (cardinal splines of tension 0.5). Their gradient
// frames span the drawn points, or for the splines the curve's own bounding
// box, which can reach beyond the points.
#include <array>

#include "render/renderers.h"
#include "render/renderers_p.h"

using namespace render_detail;

namespace {

// Loads the first count points, in canvas pixels, into the surface's point list.
const QPolygonF& loadPoints(TGraphP& g, const ViewTransform& v, const std::vector<PointD>& points, size_t count)
{
    g.PointListClear();
    for (size_t i = 0; i < count; ++i)
        g.PointListPush(v.toScreenX(points[i].x), v.toScreenY(points[i].y));
    return g.pointList();
}

const QPolygonF& loadPoints(TGraphP& g, const ViewTransform& v, const std::vector<PointD>& points)
{
    return loadPoints(g, v, points, points.size());
}

GradientLayout framedBy(std::span<const QPointF> points, const QRectF& box)
{
    GradientLayout grad;
    grad.corner1 = box.topLeft();
    grad.corner2 = box.bottomRight();
    grad.points = points;
    return grad;
}

// The four corners of a box, for frames laid over a curve's bounds.
std::array<QPointF, 4> cornersOf(const QRectF& box)
{
    return {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
}

QPointF average(const QPolygonF& points)
{
    QPointF sum;
    for (const QPointF& p : points)
        sum += p;
    return points.isEmpty() ? sum : sum / static_cast<double>(points.size());
}

void renderOpen(TGraphP& g, int level, const ViewTransform& v, const OutlineHeader& h, const QPolygonF& pts)
{
    applyOutlinePen(g, level, v.scale, h, framedBy(pts, pts.boundingRect()), joinFromEndStyle(h.endStyle));
    g.DrawLines(pts);
}

// Two-point splines are drawn as line segments with the spline's pen.
LineRecord asLine(const OutlineHeader& h, const std::vector<PointD>& points)
{
    return LineRecord{h, points[0].x, points[0].y, points[1].x, points[1].y};
}

}  // namespace

void RenderPolyline(TGraphP& g, int level, const ViewTransform& v, const OpenPathRecord& r)
{
    renderOpen(g, level, v, r.h, loadPoints(g, v, r.points));
    g.PointListClear();
}

void RenderPolygon(TGraphP& g, int level, const ViewTransform& v, const ClosedPathRecord& r)
{
    const QPolygonF& pts = loadPoints(g, v, r.points);
    const QRectF box = pts.boundingRect();
    ClosedLook look;
    look.capCode = 0;
    look.joinCode = joinFromEndStyle(r.h.joinStyle);
    look.gradient = framedBy(pts, box);
    look.radialCentre = average(pts);
    if (r.h.brushKind == 6 && isFilled(r.h.fillMode)) {
        g.NewPath();
        g.path().addPolygon(pts);
        g.path().closeSubpath();
    }
    applyClosedLook(g, level, v.scale, r.h, look);
    fillThenOutline(
        r.h.fillMode, [&] { g.FillPolygon(pts); }, [&] { g.DrawPolygon(pts); });
    g.NewPath();
    g.PointListClear();
}

// Beziers take 1 + 3k points; trailing points that do not complete a segment
// are left out, and fewer than 4 points are a polyline.
void RenderBezier(TGraphP& g, int level, const ViewTransform& v, const OpenPathRecord& r)
{
    const size_t n = r.points.size();
    if (n < 4) {
        RenderPolyline(g, level, v, r);
        return;
    }
    const QPolygonF& pts = loadPoints(g, v, r.points, 3 * ((n - 1) / 3) + 1);
    applyOutlinePen(g, level, v.scale, r.h, framedBy(pts, pts.boundingRect()), joinFromEndStyle(r.h.endStyle));
    g.DrawBeziers(pts);
    g.PointListClear();
}

void RenderOpenSpline(TGraphP& g, int level, const ViewTransform& v, const OpenPathRecord& r)
{
    if (r.points.size() == 2) {
        RenderLine(g, level, v, asLine(r.h, r.points));
        return;
    }
    const QPolygonF& pts = loadPoints(g, v, r.points);
    std::array<QPointF, 4> box{};
    if (r.h.penKind == 5)
        box = cornersOf(TGraphP::CurvePath(pts, false).boundingRect());
    applyOutlinePen(g, level, v.scale, r.h, framedBy(box, QRectF(box[0], box[2])), joinFromEndStyle(r.h.endStyle));
    g.DrawCurve(pts);
    g.PointListClear();
}

void RenderClosedSpline(TGraphP& g, int level, const ViewTransform& v, const ClosedPathRecord& r)
{
    if (r.points.size() == 2) {
        const OutlineHeader h{r.h.layer, r.h.penKind, r.h.penRef, r.h.widthRef, r.h.lineTypeRef, r.h.joinStyle};
        RenderLine(g, level, v, asLine(h, r.points));
        return;
    }
    const QPolygonF& pts = loadPoints(g, v, r.points);
    const bool radial = r.h.brushKind == 6 && isFilled(r.h.fillMode);
    const bool gradient = r.h.penKind == 5 || r.h.brushKind == 5;
    std::array<QPointF, 4> box{};
    if (radial || gradient) {
        g.NewPath();
        g.path() = TGraphP::CurvePath(pts, true);
        box = cornersOf(g.path().boundingRect());
    }
    ClosedLook look;
    look.capCode = 0;
    look.joinCode = joinFromEndStyle(r.h.joinStyle);
    look.gradient = framedBy(box, QRectF(box[0], box[2]));
    look.radialCentre = average(pts);
    applyClosedLook(g, level, v.scale, r.h, look);
    fillThenOutline(
        r.h.fillMode, [&] { g.FillClosedCurve(pts); }, [&] { g.DrawClosedCurve(pts); });
    g.NewPath();
    g.PointListClear();
}
