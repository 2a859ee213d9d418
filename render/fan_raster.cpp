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

// The layer's pixels, looked up once per fan rather than once per row.
struct Pixels {
    uchar* bits;
    qsizetype bytesPerLine;
    int width, height;

    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits + y * bytesPerLine); }
};

// ceil(v) clamped to [0, limit], for the first row or column a span covers.
int ceilWithin(double v, int limit)
{
    if (!(v > 0))
        return 0;
    return v >= limit ? limit : static_cast<int>(std::ceil(v));
}

// Where the row's centre line crosses edge p-q (p above q), the same for both
// triangles that share the edge, so they meet without a gap or an overlap.
double crossing(QPointF p, QPointF q, double yc)
{
    return p.x() + (yc - p.y()) * (q.x() - p.x()) / (q.y() - p.y());
}

// Fills the pixels whose centres lie inside triangle (c, a, b), in layer
// coordinates, with the ramp at the centre's barycentric weight. With the
// corners sorted by height, a row whose centre lies above the middle corner
// crosses the two edges from the top one, any other the two edges to the
// bottom one.
void fillTriangle(const Pixels& layer, const QRgb* colours, QPointF c, QPointF a, QPointF b)
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

    std::array<QPointF, 3> corner{c, a, b};
    std::sort(corner.begin(), corner.end(), [](QPointF u, QPointF v) { return u.y() < v.y(); });
    const auto [top, middle, bottom] = corner;
    const int yFirst = ceilWithin(top.y() - 0.5, layer.height);
    const int yEnd = ceilWithin(bottom.y() - 0.5, layer.height);
    for (int y = yFirst; y < yEnd; ++y) {
        const double yc = y + 0.5;
        if (!(top.y() <= yc && yc < bottom.y()))
            continue;  // a rounded first or last row that the corners do not reach
        const double across = crossing(top, bottom, yc);
        const double side = yc < middle.y() ? crossing(top, middle, yc) : crossing(middle, bottom, yc);
        const double left = std::min(across, side), right = std::max(across, side);
        if (!(left < right))
            continue;
        const int xFirst = ceilWithin(left - 0.5, layer.width);
        const int xEnd = ceilWithin(right - 0.5, layer.width);
        QRgb* const line = layer.row(y);
        double t = tx * (xFirst + 0.5) + ty * yc + t0;
        for (int x = xFirst; x < xEnd; ++x, t += tx)
            line[x] = colours[static_cast<int>(std::min(std::max(t, 0.0), 1.0) * (kRampSteps - 1) + 0.5)];
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
    // Read through a copy on the stack: an address of thread-local storage
    // is looked up again at every pixel, a call that costs more than the pixel.
    const Ramp colours = ramp;
    const Pixels pixels{layer.bits(), layer.bytesPerLine(), layer.width(), layer.height()};
    const QPointF c = toLayer.map(centre);
    for (const QPolygonF& poly : outline) {
        if (poly.size() < 2)
            continue;
        const QPolygonF device = toLayer.map(poly);
        for (qsizetype i = 0; i + 1 < device.size(); ++i)
            fillTriangle(pixels, colours.data(), c, device[i], device[i + 1]);
        if (device.first() != device.last())  // an open subpath closes back to its start
            fillTriangle(pixels, colours.data(), c, device.last(), device.first());
    }
}
