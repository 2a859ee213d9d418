#include "render/fan_raster.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kRampSteps = 1024;

using Ramp = std::array<QRgb, kRampSteps>;

Ramp rampOf(QRgb centre, QRgb surround)
{
    Ramp ramp;
    const auto lerp = [](int from, int to, double t) { return static_cast<int>(std::lround(from + (to - from) * t)); };
    for (int i = 0; i < kRampSteps; ++i) {
        const double t = double(i) / (kRampSteps - 1);
        ramp[static_cast<size_t>(i)] =
            qPremultiply(qRgba(lerp(qRed(surround), qRed(centre), t), lerp(qGreen(surround), qGreen(centre), t),
                               lerp(qBlue(surround), qBlue(centre), t), lerp(qAlpha(surround), qAlpha(centre), t)));
    }
    return ramp;
}

// Fills the pixels whose centres lie inside triangle (c, a, b), in layer
// coordinates, with the ramp at the centre's barycentric weight.
void fillTriangle(QImage& layer, const Ramp& ramp, QPointF c, QPointF a, QPointF b)
{
    // Twice the signed area; the weight of c at p is cross(a, b, p) / area.
    const auto cross = [](QPointF o, QPointF u, QPointF p) {
        return (u.x() - o.x()) * (p.y() - o.y()) - (u.y() - o.y()) * (p.x() - o.x());
    };
    const double area = cross(a, b, c);
    if (!(std::abs(area) > 1e-12) || !std::isfinite(area))
        return;
    // t(x, y) = tx * x + ty * y + t0, affine over the layer.
    const double tx = -(b.y() - a.y()) / area, ty = (b.x() - a.x()) / area;
    const double t0 = -(tx * a.x() + ty * a.y());

    const double top = std::min({c.y(), a.y(), b.y()}), bottom = std::max({c.y(), a.y(), b.y()});
    const int yFirst = std::max(0, static_cast<int>(std::ceil(top - 0.5)));
    const int yEnd = std::min(layer.height(), static_cast<int>(std::ceil(bottom - 0.5)));
    const std::array<std::pair<QPointF, QPointF>, 3> edges{{{c, a}, {a, b}, {b, c}}};
    for (int y = yFirst; y < yEnd; ++y) {
        const double yc = y + 0.5;
        double left = INFINITY, right = -INFINITY;
        for (auto [p, q] : edges) {
            if ((p.y() <= yc) == (q.y() <= yc))
                continue;  // the row's centre line does not cross this edge
            // Both triangles of a shared edge compute its crossing alike, so
            // they meet without a gap or an overlap.
            if (q.y() < p.y())
                std::swap(p, q);
            const double x = p.x() + (yc - p.y()) * (q.x() - p.x()) / (q.y() - p.y());
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (!(left < right))
            continue;
        const int xFirst = std::max(0, static_cast<int>(std::ceil(left - 0.5)));
        const int xEnd = std::min(layer.width(), static_cast<int>(std::ceil(right - 0.5)));
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        double t = tx * (xFirst + 0.5) + ty * yc + t0;
        for (int x = xFirst; x < xEnd; ++x, t += tx) {
            const int i = static_cast<int>(std::clamp(t, 0.0, 1.0) * (kRampSteps - 1) + 0.5);
            line[x] = ramp[static_cast<size_t>(i)];
        }
    }
}

}  // namespace

void RasterFan(QImage& layer, const QTransform& toLayer, std::span<const QPolygonF> outline, QPointF centre,
               QRgb centreArgb, QRgb surroundArgb)
{
    if (layer.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    // Most paints fill many shapes with one pair of colours.
    thread_local std::pair<QRgb, QRgb> rampColours{0, 0};
    thread_local Ramp ramp = rampOf(0, 0);
    if (rampColours != std::pair{centreArgb, surroundArgb}) {
        rampColours = {centreArgb, surroundArgb};
        ramp = rampOf(centreArgb, surroundArgb);
    }
    const QPointF c = toLayer.map(centre);
    for (const QPolygonF& poly : outline) {
        if (poly.size() < 2)
            continue;
        const QPolygonF device = toLayer.map(poly);
        for (qsizetype i = 0; i + 1 < device.size(); ++i)
            fillTriangle(layer, ramp, c, device[i], device[i + 1]);
        if (device.first() != device.last())  // an open subpath closes back to its start
            fillTriangle(layer, ramp, c, device.last(), device.first());
    }
}
