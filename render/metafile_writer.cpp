// Shared pieces of the EMF and WMF writers: little-endian assembly, the
// device-independent bitmaps both formats embed, colour conversion.
#include "render/metafile_writer.h"

#include <QPainterPath>
#include <QTransform>
#include <cstring>
#include <map>
#include <unordered_set>

void MetafileWriter::bezier(const QPolygonF& points, QRgb colour)
{
    if (points.isEmpty())
        return;
    QPainterPath path(points.first());
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    for (const QPolygonF& flat : path.toSubpathPolygons())
        polyline(flat, colour);
}

// Readers differ in the blending and raster operations they honour (libwmf
// and Inkscape draw mask pairs as plain copies, Inkscape skips AlphaBlend),
// so only the pixels that show are written: a partly transparent image
// becomes solid fills when it has few colours, else bitmaps of its opaque
// runs. Partly transparent pixels are drawn opaque as they look over white.
void MetafileWriter::image(const QRect& target, const QImage& image)
{
    if (target.isEmpty() || image.isNull())
        return;
    const OpaqueRegions regions = SplitOpaque(image);
    if (regions.opaque)
        return bitmap(target, regions.onWhite, QRect(QPoint(0, 0), image.size()));
    const QTransform toTarget = QTransform::fromScale(
        double(target.width()) / image.width(), double(target.height()) / image.height())
        * QTransform::fromTranslate(target.left(), target.top());
    if (regions.colours.isEmpty()) {
        for (const QRect& r : regions.rects)
            bitmap(toTarget.mapRect(QRectF(r)).toRect(), regions.onWhite, r);
        return;
    }
    std::map<QRgb, QList<QPolygonF>> byColour;
    for (qsizetype i = 0; i < regions.rects.size(); ++i)
        byColour[regions.colours[i]].append(toTarget.map(QPolygonF(QRectF(regions.rects[i]))));
    constexpr qsizetype kRectsPerRecord = 4000; // keeps a record under 32767 points
    for (const auto& [colour, rects] : byColour)
        for (qsizetype from = 0; from < rects.size(); from += kRectsPerRecord)
            fillPolygons(rects.mid(from, kRectsPerRecord), colour, Qt::OddEvenFill);
}

void LeBuffer::f32(float v)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    u32(bits);
}

void LeBuffer::padTo(int multiple)
{
    while (m_bytes.size() % multiple != 0)
        u8(0);
}

void LeBuffer::putU32At(qsizetype offset, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        m_bytes[offset + i] = char(uint8_t(v >> (8 * i)));
}

void LeBuffer::putU16At(qsizetype offset, uint16_t v)
{
    m_bytes[offset] = char(uint8_t(v));
    m_bytes[offset + 1] = char(uint8_t(v >> 8));
}

QByteArray DibHeader(QSize size, int bitCount)
{
    const uint32_t stride = (uint32_t(size.width()) * uint32_t(bitCount) / 8 + 3) / 4 * 4;
    LeBuffer b;
    b.u32(40); // biSize
    b.i32(size.width());
    b.i32(size.height()); // positive: rows stored bottom-up
    b.u16(1); // planes
    b.u16(uint16_t(bitCount));
    b.u32(0); // BI_RGB
    b.u32(stride * uint32_t(size.height()));
    b.i32(3780); // 96 dpi in pixels per metre
    b.i32(3780);
    b.u32(0);
    b.u32(0);
    return b.data();
}

QByteArray DibBits(const QImage& image, int bitCount)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const int bytesPerPixel = bitCount / 8;
    const qsizetype stride = (qsizetype(src.width()) * bytesPerPixel + 3) / 4 * 4;
    QByteArray bits(stride * src.height(), '\0');
    char* out = bits.data();
    for (int y = src.height() - 1; y >= 0; --y, out += stride) {
        const QRgb* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            char* px = out + qsizetype(x) * bytesPerPixel;
            px[0] = char(qBlue(row[x]));
            px[1] = char(qGreen(row[x]));
            px[2] = char(qRed(row[x]));
        }
    }
    return bits;
}

uint32_t ColorRef(QRgb colour)
{
    return uint32_t(qRed(colour)) | uint32_t(qGreen(colour)) << 8 | uint32_t(qBlue(colour)) << 16;
}

namespace {

constexpr int kFewColours = 16;

// Rectangles of equal (x0, x1, key) runs in consecutive rows; key is the
// colour when colours are kept apart, else 0.
struct OpenRect {
    QRect rect;
    QRgb key;
};

} // namespace

OpaqueRegions SplitOpaque(const QImage& image)
{
    OpaqueRegions out;
    const QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    out.onWhite = QImage(src.size(), QImage::Format_RGB32);
    bool anyTransparent = false;
    std::unordered_set<QRgb> colours;
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb* row = reinterpret_cast<QRgb*>(out.onWhite.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int inv = 255 - qAlpha(in[x]);
            row[x] = qRgb(qRed(in[x]) + inv, qGreen(in[x]) + inv, qBlue(in[x]) + inv);
            anyTransparent = anyTransparent || qAlpha(in[x]) == 0;
            if (qAlpha(in[x]) != 0 && colours.size() <= kFewColours)
                colours.insert(row[x]);
        }
    }
    out.opaque = !anyTransparent;
    if (out.opaque)
        return out;
    const bool byColour = colours.size() <= kFewColours;
    QList<OpenRect> open, next;
    auto close = [&](const OpenRect& r) {
        out.rects.append(r.rect);
        if (byColour)
            out.colours.append(r.key);
    };
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        const QRgb* row = reinterpret_cast<const QRgb*>(out.onWhite.constScanLine(y));
        next.clear();
        qsizetype o = 0; // open rects are sorted by x, as runs are found
        for (int x = 0; x < src.width();) {
            if (qAlpha(in[x]) == 0) {
                ++x;
                continue;
            }
            const QRgb key = byColour ? row[x] : 0;
            int end = x + 1;
            while (end < src.width() && qAlpha(in[end]) != 0 && (!byColour || row[end] == key))
                ++end;
            while (o < open.size() && open[o].rect.left() < x)
                close(open[o++]);
            if (o < open.size() && open[o].rect.left() == x && open[o].rect.right() == end - 1
                && open[o].key == key) {
                OpenRect grown = open[o++];
                grown.rect.setBottom(y);
                next.append(grown);
            } else {
                next.append({ QRect(x, y, end - x, 1), key });
            }
            x = end;
        }
        while (o < open.size())
            close(open[o++]);
        std::swap(open, next);
    }
    for (const OpenRect& r : open)
        close(r);
    return out;
}
