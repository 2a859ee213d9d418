// The one fill routine of the drawing surface. Filled shapes and stroke
// outlines both end here, so a hatch, texture or gradient looks the same in a
// brush as in a pen, on the canvas and on every export device.
#include "render/hatch.h"
#include "render/paint.h"

#include <QBrush>
#include <QColor>
#include <QLinearGradient>

QBrush brushFor(const Paint& paint, const QPainter& painter)
{
    switch (paint.kind) {
    case Paint::Kind::Solid:
        return QBrush(QColor::fromRgba(paint.colour));
    case Paint::Kind::Hatch: {
        // Hatch cells stay on device pixels: undo whatever the painter maps.
        QBrush brush(paint.texture.isNull() ? hatchCell(paint.hatchStyle, paint.fore, paint.back) : paint.texture);
        brush.setTransform(painter.combinedTransform().inverted());
        return brush;
    }
    case Paint::Kind::Texture:
        if (paint.texture.isNull())
            return QBrush(QColor::fromRgba(paint.colour));
        return QBrush(paint.texture);
    case Paint::Kind::Linear: {
        QLinearGradient gradient(paint.p1, paint.p2);
        gradient.setColorAt(0, QColor::fromRgba(paint.start));
        gradient.setColorAt(1, QColor::fromRgba(paint.end));
        gradient.setSpread(QGradient::RepeatSpread);  // tiles: start colour again right after P2
        // Straight-alpha blending of the two colours, as the original platform does.
        gradient.setInterpolationMode(QGradient::ComponentInterpolation);
        return QBrush(gradient);
    }
    case Paint::Kind::PathGradient:
        return QBrush(QColor::fromRgba(paint.start));
    }
    return QBrush(QColor::fromRgba(paint.colour));
}

void fillArea(QPainter& painter, const QPainterPath& area, const Paint& paint)
{
    if (area.isEmpty())
        return;
    if (paint.kind == Paint::Kind::PathGradient) {
        fillPathGradient(painter, area, paint.outline, paint.p1, paint.start, paint.end);
        return;
    }
    painter.fillPath(area, brushFor(paint, painter));
}
