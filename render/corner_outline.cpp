// The outline of a cornered rectangle in canvas pixels: one closed figure
// from the top-left corner clockwise on screen (top edge, right edge, bottom
// edge, left edge), each corner replaced by the figure of its type. Arc
// corners are point sequences with the usual 5-degree steps.
//
// A corner is described by its point P, the inward directions of its two
// edges (hx along the horizontal edge, vy along the vertical one) and its
// sizes (sx, sy). The edges stop at V = P + (0, vy sy) and H = P + (hx sx, 0);
// each figure below runs from V to H and is reversed where the outline arrives
// along the horizontal edge.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "render/renderers_p.h"

namespace render_detail {
namespace {

struct Corner {
    QPointF p;
    double hx, vy;  // +1 or -1
    double sx, sy;  // canvas pixels
};

QPointF at(const Corner& c, double fx, double fy)
{
    return c.p + QPointF(fx * c.hx * c.sx, fy * c.vy * c.sy);
}

// The arc of the ellipse with semi-axes (sx, sy) about centre, from the
// direction (fromX, fromY) to (toX, toY) (unit steps in the corner's frame),
// the short way or the long way round.
void appendCornerArc(QPolygonF& out, const Corner& c, QPointF centre, QPointF from, QPointF to, bool longWay)
{
    const double t0 = std::atan2(from.y() * c.vy, from.x() * c.hx);
    const double t1 = std::atan2(to.y() * c.vy, to.x() * c.hx);
    double sweep = std::remainder(t1 - t0, 2 * std::numbers::pi);
    if (longWay)
        sweep -= std::copysign(2 * std::numbers::pi, sweep);
    const int n = TGraphP::SegmentCount(sweep * 180 / std::numbers::pi);
    for (int i = 0; i <= n; ++i) {
        const double t = t0 + sweep * i / n;
        out.append(centre + QPointF(c.sx * std::cos(t), c.sy * std::sin(t)));
    }
}

// The figure of one corner from V to H.
void cornerFigure(QPolygonF& out, const Corner& c, int type)
{
    switch (type) {
    case 2:  // inward square step
        out << at(c, 0, 1) << at(c, 1, 1) << at(c, 1, 0);
        return;
    case 3:  // outward square around the corner point
        out << at(c, 0, 1) << at(c, -1, 1) << at(c, -1, -1) << at(c, 1, -1) << at(c, 1, 0);
        return;
    case 4:  // convex quarter about the inset point
        appendCornerArc(out, c, at(c, 1, 1), {-1, 0}, {0, -1}, false);
        return;
    case 5:  // concave quarter about the corner point
        appendCornerArc(out, c, c.p, {0, 1}, {1, 0}, false);
        return;
    case 6:  // three quarters around the outside of the corner point
        appendCornerArc(out, c, c.p, {0, 1}, {1, 0}, true);
        return;
    default:  // 0 none, 1 chamfer: straight from one edge end to the next
        out << at(c, 0, 1) << at(c, 1, 0);
        return;
    }
}

}  // namespace

CornerOutline CornerRectOutline(const CornerRectRecord& r, const ViewTransform& v)
{
    const QPointF a = toCanvas(v, r.x1, r.y1);
    const QPointF b = toCanvas(v, r.x2, r.y2);
    // Inward directions; a record stored with its corners swapped draws mirrored.
    const double right = b.x() >= a.x() ? 1 : -1;
    const double down = b.y() >= a.y() ? 1 : -1;
    // Record order: top-left, top-right, bottom-left, bottom-right.
    const Corner corners[4] = {
        {a, right, down, 0, 0},
        {{b.x(), a.y()}, -right, down, 0, 0},
        {{a.x(), b.y()}, right, -down, 0, 0},
        {b, -right, -down, 0, 0},
    };
    CornerOutline out;
    out.framePoints[0] = a;
    out.framePoints[1] = {b.x(), a.y()};
    out.framePoints[2] = b;
    out.framePoints[3] = {a.x(), b.y()};
    out.frameCount = 4;
    // Traversal order top-left, top-right, bottom-right, bottom-left; the
    // outline arrives at the top-right and bottom-left corners along their
    // horizontal edges.
    constexpr int kOrder[4] = {0, 1, 3, 2};
    constexpr bool kArrivesAlongHorizontal[4] = {false, true, false, true};
    for (int step = 0; step < 4; ++step) {
        const int k = kOrder[step];
        Corner c = corners[k];
        c.sx = v.scale * r.cornerSizes[2 * k];
        c.sy = v.scale * r.cornerSizes[2 * k + 1];
        const int type = r.cornerTypes[k];
        QPolygonF figure;
        cornerFigure(figure, c, type);
        if (kArrivesAlongHorizontal[step])
            std::reverse(figure.begin(), figure.end());
        out.polygon += figure;
        if (type == 3 || type == 6) {
            for (const auto& [fx, fy] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}})
                out.framePoints[out.frameCount++] = c.p + QPointF(fx * c.sx, fy * c.sy);
        }
    }
    return out;
}

}  // namespace render_detail
