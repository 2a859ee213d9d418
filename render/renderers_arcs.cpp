// Renderers of the kinds built on elliptic arcs: arc, elliptic arc, pie,
// chord, outside-of-circle shape and concentric shape (ring). Angles are
// degrees counter-clockwise on screen; arcs of ellipses are point sequences of
// about 5 degrees a step (TGraphP::SegmentCount), so every kind's outline is
// the same polygon its fill covers.
#include <algorithm>
#include <cmath>

#include "geometry/construct.h"
#include "render/renderers.h"
#include "render/renderers_p.h"

using namespace render_detail;

namespace {

struct CanvasEllipse {
    QPointF c;
    double rx, ry;
};

CanvasEllipse toCanvasEllipse(const ViewTransform& v, double cx, double cy, double rx, double ry)
{
    return {toCanvas(v, cx, cy), minRadiusPx(v.scale * rx), minRadiusPx(v.scale * ry)};
}

QPolygonF arcPoints(const CanvasEllipse& e, double tilt, double start, double sweep)
{
    return TGraphP::EllipsePoints(e.c.x(), e.c.y(), e.rx, e.ry, tilt, start, sweep,
                                  TGraphP::SegmentCount(sweep));
}

// Pie and chord: one closed polygon, filled and outlined alike.
void renderSectorPolygon(TGraphP& g, int level, const ViewTransform& v, const SectorRecord& r, bool pie)
{
    const CanvasEllipse e = toCanvasEllipse(v, r.cx, r.cy, r.rx, r.ry);
    QPolygonF poly = arcPoints(e, r.tilt, r.startAngle, r.sweepAngle);
    const QPointF first = poly.front();
    if (pie)
        poly.append(e.c);
    poly.append(first);
    if (r.h.brushKind == 6 && isFilled(r.h.fillMode)) {
        g.NewPath();
        g.path().addPolygon(poly);
        g.path().closeSubpath();
    }
    applyClosedLook(g, level, v.scale, r.h, orientedLook(e.c, std::max(e.rx, e.ry), 1, r.h.joinStyle));
    fillThenOutline(
        r.h.fillMode, [&] { g.FillPolygon(poly); }, [&] { g.DrawPolygon(poly); });
    g.NewPath();
}

}  // namespace

void RenderArc(TGraphP& g, int level, const ViewTransform& v, const ArcRecord& r)
{
    const CanvasEllipse e = toCanvasEllipse(v, r.cx, r.cy, r.r, r.r);
    GradientLayout grad;
    grad.oriented = true;
    grad.centre = e.c;
    grad.halfLength = e.rx;
    applyOutlinePen(g, level, v.scale, r.h, grad, -1);
    // Qt's arcs run counter-clockwise on screen for positive angles, as ours.
    const QRectF box(e.c.x() - e.rx, e.c.y() - e.rx, 2 * e.rx, 2 * e.rx);
    QPainterPath arc;
    arc.arcMoveTo(box, r.startAngle);
    arc.arcTo(box, r.startAngle, r.sweepAngle);
    g.DrawPath(arc);
}

void RenderEllipticArc(TGraphP& g, int level, const ViewTransform& v, const EllipticArcRecord& r)
{
    const CanvasEllipse e = toCanvasEllipse(v, r.cx, r.cy, r.rx, r.ry);
    GradientLayout grad;
    grad.oriented = true;
    grad.centre = e.c;
    grad.halfLength = std::max(e.rx, e.ry);
    applyOutlinePen(g, level, v.scale, r.h, grad, -1);
    g.DrawLines(arcPoints(e, r.tilt, r.startAngle, r.sweepAngle));
}

void RenderPie(TGraphP& g, int level, const ViewTransform& v, const SectorRecord& r)
{
    renderSectorPolygon(g, level, v, r, true);
}

void RenderChord(TGraphP& g, int level, const ViewTransform& v, const SectorRecord& r)
{
    renderSectorPolygon(g, level, v, r, false);
}

// The region between an elliptic arc and the tangents at its ends, one closed
// figure per part of at most 90 degrees (beyond that the tangents would not
// meet on the outside).
void RenderOutsideShape(TGraphP& g, int level, const ViewTransform& v, const SectorRecord& r)
{
    const CanvasEllipse e = toCanvasEllipse(v, r.cx, r.cy, r.rx, r.ry);
    const PointD c{e.c.x(), e.c.y()};
    const ArcCorners corners = ArcCornerPoints(c, e.rx, e.ry, r.tilt, r.startAngle, r.sweepAngle);
    const int parts = corners.partCount;
    const double sweep = std::isfinite(r.sweepAngle) ? std::clamp(r.sweepAngle, -360.0, 360.0) : 0;
    const double part = sweep / parts;

    g.NewPath();
    QPainterPath& path = g.path();
    for (int i = 0; i < parts; ++i) {
        QPolygonF figure = arcPoints(e, r.tilt, r.startAngle + i * part, part);
        const QPointF first = figure.front();
        figure << QPointF(corners.corners[i].x, corners.corners[i].y) << first;
        path.addPolygon(figure);
        path.closeSubpath();
    }

    // The frame: the parts' end points on the arc and their tangent corners.
    const ArcSegment ends = ArcSegmentPoints(c, e.rx, e.ry, -r.tilt, -r.startAngle, -r.sweepAngle);
    std::array<QPointF, 9> framePoints{};
    size_t count = 0;
    for (int i = 0; i < ends.pointCount; ++i)
        framePoints[count++] = {ends.points[i].x, ends.points[i].y};
    for (int i = 0; i < parts; ++i)
        framePoints[count++] = {corners.corners[i].x, corners.corners[i].y};

    ClosedLook look;
    look.capCode = 0;
    look.joinCode = r.h.joinStyle == 1 ? 1 : 2;
    look.gradient.corner1 = e.c;
    look.gradient.corner2 = e.c;
    look.gradient.points = std::span<const QPointF>(framePoints.data(), count);
    look.radialCentre = e.c;
    applyClosedLook(g, level, v.scale, r.h, look);
    fillThenOutline(
        r.h.fillMode, [&] { g.FillPath(path); }, [&] { g.DrawPath(path); });
    g.NewPath();
}

// A full ring is two closed ellipses, filled as one even-odd polygon so the
// inner ellipse stays empty; a sector is one polygon out along the outer arc
// and back along the inner one.
void RenderRing(TGraphP& g, int level, const ViewTransform& v, const RingRecord& r)
{
    const CanvasEllipse outer = toCanvasEllipse(v, r.cx, r.cy, r.outerRx, r.outerRy);
    const CanvasEllipse inner = toCanvasEllipse(v, r.cx, r.cy, r.innerRx, r.innerRy);
    const bool full = std::fabs(std::fabs(r.sweepAngle) - 360) < 1e-6;
    const bool radial = r.h.brushKind == 6 && isFilled(r.h.fillMode);
    QPolygonF first, second;
    if (full) {
        first = TGraphP::EllipsePoints(outer.c.x(), outer.c.y(), outer.rx, outer.ry, r.tilt, r.startAngle, 360, 72);
        second = TGraphP::EllipsePoints(inner.c.x(), inner.c.y(), inner.rx, inner.ry, r.tilt, r.startAngle, 360, 72);
    } else {
        first = arcPoints(outer, r.tilt, r.startAngle, r.sweepAngle);
        first += arcPoints(inner, r.tilt, r.startAngle + r.sweepAngle, -r.sweepAngle);
        first.append(first.front());
    }
    if (radial) {
        g.NewPath();
        g.path().addPolygon(first);
        g.path().closeSubpath();
        if (full) {
            g.path().addPolygon(second);
            g.path().closeSubpath();
        }
    }
    applyClosedLook(g, level, v.scale, r.h,
                    orientedLook(outer.c, std::max(outer.rx, outer.ry), 1, r.h.joinStyle));
    if (isFilled(r.h.fillMode))
        g.FillPolygon(full ? first + second : first);
    if (isOutlined(r.h.fillMode)) {
        g.DrawPolygon(first);
        if (full)
            g.DrawPolygon(second);
    }
    g.NewPath();
}
