// The path-gradient brush: centre colour at the centre point, surround colour
// on the outline, blended linearly along each ray from the centre. It is
// drawn as a fan of triangles (centre, edge start, edge end), each shaded from
// the edge (surround) straight to the centre (centre colour). Inside one
// triangle the distance to the edge falls linearly along every ray from the
// centre, so this is exactly the ray blend. Aliased triangles that share an
// edge cover each pixel once, so alpha colours do not double up along the
// seams. Outlines that are not star-shaped around the centre give overlapping
// triangles; each one replaces what is under it, and the fan reaches the
// target once. On raster targets our own fan rasteriser shades a layer
// (render/fan_raster.h); other devices get one linear-gradient polygon per
// triangle.
#include "render/paint.h"

#include "render/fan_raster.h"

#include <QLineF>
#include <QPaintEngine>
#include <QLinearGradient>

namespace {

void fillFanTriangle(QPainter& painter, QPointF centre, QPointF a, QPointF b, const QColor& centreColour,
                     const QColor& surroundColour)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    if (len2 <= 0)
        return;
    const QPointF foot = a + ab * (QPointF::dotProduct(centre - a, ab) / len2);
    if (QLineF(foot, centre).length() < 1e-9)
        return;  // the centre lies on this edge's line: the triangle has no area
    QLinearGradient gradient(foot, centre);
    gradient.setColorAt(0, surroundColour);
    gradient.setColorAt(1, centreColour);
    gradient.setInterpolationMode(QGradient::ComponentInterpolation);
    painter.setBrush(gradient);
    painter.drawPolygon(QPolygonF{centre, a, b});
}

void drawFan(QPainter& painter, const QPainterPath& outline, QPointF centre, const QColor& centreColour,
             const QColor& surroundColour)
{
    painter.setPen(Qt::NoPen);
    for (QPolygonF poly : outline.toSubpathPolygons()) {
        if (poly.size() > 1 && poly.first() != poly.last())
            poly << poly.first();
        for (qsizetype i = 0; i + 1 < poly.size(); ++i)
            fillFanTriangle(painter, centre, poly[i], poly[i + 1], centreColour, surroundColour);
    }
}

// A layer of at least `size`, reusing one buffer per thread: obtaining and
// releasing a picture-sized block for every element costs more in page faults
// than the fan costs to draw.
QImage layerOf(QSize size)
{
    thread_local QImage buffer;
    if (buffer.width() < size.width() || buffer.height() < size.height())
        buffer = QImage(buffer.size().expandedTo(size), QImage::Format_ARGB32_Premultiplied);
    return QImage(buffer.bits(), size.width(), size.height(), buffer.bytesPerLine(), buffer.format());
}

// On raster targets the fan is rasterised into an ARGB layer covering the
// outline's device box (never more than the device), which is then drawn
// once under the current clip: every pixel is blended onto the target once,
// and no polygon fill per outline edge is needed.
void drawFanThroughLayer(QPainter& painter, const QPainterPath& outline, QPointF centre, QRgb centreArgb,
                         QRgb surroundArgb)
{
    const QPaintDevice* device = painter.device();
    const QTransform toDevice = painter.combinedTransform();
    const QRect box = toDevice.mapRect(outline.boundingRect()).toAlignedRect().adjusted(-1, -1, 1, 1) &
                      QRect(0, 0, device->width(), device->height());
    if (box.isEmpty())
        return;
    QImage layer = layerOf(box.size());
    layer.fill(Qt::transparent);
    const QList<QPolygonF> polygons = outline.toSubpathPolygons();
    RasterFan(layer, toDevice * QTransform::fromTranslate(-box.x(), -box.y()), polygons, centre, centreArgb,
              surroundArgb);
    painter.setWorldTransform(QTransform());  // the clip stays where it was set, in device space
    painter.drawImage(box.topLeft(), layer);
}

}  // namespace

void fillPathGradient(QPainter& painter, const QPainterPath& area, const QPainterPath& outline,
                      QPointF centre, QRgb centreArgb, QRgb surroundArgb)
{
    if (outline.isEmpty() || area.isEmpty())
        return;
    painter.save();
    // Nothing is painted outside the outline, nor outside the shape being filled.
    painter.setClipPath(outline, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (!(area == outline))  // a shape filled with its own outline needs one clip
        painter.setClipPath(area, Qt::IntersectClip);
    if (painter.paintEngine()->type() == QPaintEngine::Raster)
        drawFanThroughLayer(painter, outline, centre, centreArgb, surroundArgb);
    else
        drawFan(painter, outline, centre, QColor::fromRgba(centreArgb), QColor::fromRgba(surroundArgb));
    painter.restore();
}
