// Shared pieces of the EMF and WMF writers: little-endian assembly, the
// device-independent bitmaps both formats embed, colour conversion.
#include "render/metafile_writer.h"

#include <QPainterPath>
#include <cstring>

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

QByteArray DibBits(const QImage& image, DibPixels pixels, int bitCount)
{
    const QImage src = image.convertToFormat(
        pixels == DibPixels::Straight ? QImage::Format_ARGB32 : QImage::Format_ARGB32_Premultiplied);
    const int bytesPerPixel = bitCount / 8;
    const qsizetype stride = (qsizetype(src.width()) * bytesPerPixel + 3) / 4 * 4;
    QByteArray bits(stride * src.height(), '\0');
    char* out = bits.data();
    for (int y = src.height() - 1; y >= 0; --y, out += stride) {
        const QRgb* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            QRgb p = row[x];
            if (pixels == DibPixels::OnWhite) {
                const int inv = 255 - qAlpha(p); // premultiplied over white: c + (255 - a)
                p = qRgba(qRed(p) + inv, qGreen(p) + inv, qBlue(p) + inv, 0);
            }
            char* px = out + qsizetype(x) * bytesPerPixel;
            px[0] = char(qBlue(p));
            px[1] = char(qGreen(p));
            px[2] = char(qRed(p));
            if (bytesPerPixel == 4)
                px[3] = char(pixels == DibPixels::Premultiplied ? qAlpha(p) : 0);
        }
    }
    return bits;
}

uint32_t ColorRef(QRgb colour)
{
    return uint32_t(qRed(colour)) | uint32_t(qGreen(colour)) << 8 | uint32_t(qBlue(colour)) << 16;
}
