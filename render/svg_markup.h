// The text pieces of an SVG picture: numbers, colours, path data, matrices
// and tiles, written into a buffer that the SVG device streams to its file.
// Numbers keep three decimals (a thousandth of a device pixel) and drop
// trailing zeros, so most canvas coordinates are short integers.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QRgb>
#include <QTransform>

namespace svg {

void appendNumber(QByteArray& out, double value);
// "#rrggbb" of the colour, alpha ignored.
void appendColour(QByteArray& out, QRgb argb);
// Alpha as an opacity 0..1.
void appendOpacity(QByteArray& out, int alpha);
// Path data in absolute commands; a subpath that ends on its start point is
// closed with Z, as QPainterPathStroker joins it there.
void appendPathData(QByteArray& out, const QPainterPath& path);
// "matrix(a b c d e f)".
void appendMatrix(QByteArray& out, const QTransform& transform);

// An identity up to rounding noise (a transform times its inverse).
bool nearIdentity(const QTransform& transform);

// A tile's content in its own pixel space (0,0)-(width,height). Small tiles
// (hatch cells) become squares of colour, one path per colour, so they stay
// sharp at any zoom; larger ones an embedded PNG drawn without smoothing.
void appendTile(QByteArray& out, const QImage& tile);
// An <image> of the picture stretched over `target`, as an embedded PNG.
void appendImage(QByteArray& out, const QImage& image, const QRectF& target);

} // namespace svg
