#include "render/svg_markup.h"

#include <QBuffer>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace svg {

namespace {

constexpr double kMaxMagnitude = 1e9; // far outside any picture; keeps numbers short

void appendCommand(QByteArray& out, char command, QPointF p)
{
    out += command;
    appendNumber(out, p.x());
    out += ' ';
    appendNumber(out, p.y());
}

bool sameAs(const QPainterPath::Element& a, const QPainterPath::Element& b) { return a.x == b.x && a.y == b.y; }

QImage straightArgb(const QImage& image)
{
    return image.format() == QImage::Format_ARGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray pngBase64(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toBase64();
}

} // namespace

// Thousandths as an integer, written by hand: the floating-point formatting
// of the standard library is the slowest step of a large export.
void appendNumber(QByteArray& out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    long long thousandths = std::llround(std::clamp(value, -kMaxMagnitude, kMaxMagnitude) * 1000);
    if (thousandths < 0) {
        out += '-';
        thousandths = -thousandths;
    }
    char text[24];
    char* end = std::to_chars(text, text + sizeof text, thousandths / 1000).ptr;
    if (int fraction = int(thousandths % 1000)) {
        *end++ = '.';
        for (int unit = 100; fraction; unit /= 10) {
            *end++ = char('0' + fraction / unit);
            fraction %= unit;
        }
    }
    out.append(text, end - text);
}

void appendColour(QByteArray& out, QRgb argb)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const int parts[3] = { qRed(argb), qGreen(argb), qBlue(argb) };
    out += '#';
    for (int part : parts) {
        out += kHex[part >> 4];
        out += kHex[part & 15];
    }
}

void appendOpacity(QByteArray& out, int alpha) { appendNumber(out, alpha / 255.0); }

void appendPathData(QByteArray& out, const QPainterPath& path)
{
    const int count = path.elementCount();
    int start = 0; // the subpath's move
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            start = i;
            appendCommand(out, 'M', e);
            break;
        case QPainterPath::LineToElement:
            appendCommand(out, 'L', e);
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 >= count)
                return;
            appendCommand(out, 'C', e);
            for (int k = 1; k <= 2; ++k) {
                out += ' ';
                appendNumber(out, path.elementAt(i + k).x);
                out += ' ';
                appendNumber(out, path.elementAt(i + k).y);
            }
            i += 2;
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
        const bool subpathEnds = i + 1 == count || path.elementAt(i + 1).isMoveTo();
        if (subpathEnds && i - start >= 2 && sameAs(path.elementAt(i), path.elementAt(start)))
            out += 'Z';
    }
}

void appendMatrix(QByteArray& out, const QTransform& t)
{
    const double values[6] = { t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy() };
    out += "matrix(";
    for (int i = 0; i < 6; ++i) {
        if (i)
            out += ' ';
        appendNumber(out, values[i]);
    }
    out += ')';
}

bool nearIdentity(const QTransform& t)
{
    constexpr double kNoise = 1e-6;
    return std::abs(t.m11() - 1) < kNoise && std::abs(t.m22() - 1) < kNoise && std::abs(t.m12()) < kNoise
        && std::abs(t.m21()) < kNoise && std::abs(t.dx()) < kNoise && std::abs(t.dy()) < kNoise;
}

void appendTile(QByteArray& out, const QImage& tile)
{
    constexpr int kMaxVectorPixels = 16 * 16;
    const QImage image = straightArgb(tile);
    if (qint64(image.width()) * image.height() > kMaxVectorPixels) {
        appendImage(out, image, QRectF(0, 0, image.width(), image.height()));
        return;
    }
    // Horizontal runs of one colour, gathered per colour.
    std::map<QRgb, QByteArray> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            int end = x + 1;
            while (end < image.width() && row[end] == row[x])
                ++end;
            if (qAlpha(row[x]) != 0) {
                QByteArray& d = runs[row[x]];
                appendCommand(d, 'M', QPointF(x, y));
                d += 'h';
                appendNumber(d, end - x);
                d += "v1h";
                appendNumber(d, x - end);
                d += 'z';
            }
            x = end;
        }
    }
    for (const auto& [colour, d] : runs) {
        out += "<path fill=\"";
        appendColour(out, colour);
        if (qAlpha(colour) != 255) {
            out += "\" fill-opacity=\"";
            appendOpacity(out, qAlpha(colour));
        }
        out += "\" d=\"";
        out += d;
        out += "\"/>";
    }
}

void appendImage(QByteArray& out, const QImage& image, const QRectF& target)
{
    out += "<image x=\"";
    appendNumber(out, target.x());
    out += "\" y=\"";
    appendNumber(out, target.y());
    out += "\" width=\"";
    appendNumber(out, target.width());
    out += "\" height=\"";
    appendNumber(out, target.height());
    out += "\" preserveAspectRatio=\"none\" image-rendering=\"optimizeSpeed\" "
           "style=\"image-rendering:pixelated\" xlink:href=\"data:image/png;base64,";
    out += pngBase64(straightArgb(image));
    out += "\"/>";
}

} // namespace svg
