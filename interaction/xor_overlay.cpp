// XOR figures on the canvas image.
#include "interaction/xor_overlay.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Far-off points are pinned so that the int conversion stays defined; the
// clipped figure on the canvas is the same.
int toPixel(double v)
{
    constexpr double kLimit = 1e7;
    return static_cast<int>(std::trunc(std::clamp(v, -kLimit, kLimit)));
}

}  // namespace

QRect XorFigure::drawAll(QImage& canvas) const
{
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen{QColor(m_colour), double(m_width)};
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QRect touched;
    for (const QPolygon& line : m_polylines) {
        // A closed figure is stroked as a polygon so that its last corner is
        // joined like the others.
        if (line.size() > 3 && line.first() == line.last())
            painter.drawPolygon(line.data(), line.size() - 1);
        else
            painter.drawPolyline(line);
        touched |= line.boundingRect();
    }
    return touched.adjusted(-m_width - 1, -m_width - 1, m_width + 1, m_width + 1);
}

QRect XorFigure::show(QImage& canvas, std::vector<QPolygon> polylines)
{
    m_polylines = std::move(polylines);
    m_shown = true;
    return drawAll(canvas);
}

QRect XorFigure::erase(QImage& canvas)
{
    if (!m_shown)
        return {};
    const QRect touched = drawAll(canvas);
    forget();
    return touched;
}

std::vector<QPolygon> PreviewPixels(const PreviewShape& shape, const ViewTransform& view)
{
    std::vector<QPolygon> out;
    out.reserve(shape.polylines.size());
    for (const std::vector<PointD>& line : shape.polylines) {
        QPolygon pixels;
        pixels.reserve(static_cast<int>(line.size()));
        for (const PointD& p : line)
            pixels.append(QPoint(toPixel(view.toScreenX(p.x)), toPixel(view.toScreenY(p.y))));
        if (pixels.size() < 2)
            continue;
        if (pixels.size() == 2 && std::abs(pixels[0].x() - pixels[1].x()) <= 2 &&
            std::abs(pixels[0].y() - pixels[1].y()) <= 2)
            continue;
        out.push_back(std::move(pixels));
    }
    return out;
}

std::vector<QPolygon> SnapMarkerPixels(int x, int y)
{
    const int h = kSnapMarkerHalf;
    QPolygon square;
    square << QPoint(x - h, y - h) << QPoint(x + h, y - h) << QPoint(x + h, y + h) << QPoint(x - h, y + h)
           << QPoint(x - h, y - h);
    return {square};
}
