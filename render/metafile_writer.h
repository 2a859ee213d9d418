// The format side of the metafile export: the metafile paint engine reduces
// everything QPainter sends it to a handful of device-pixel primitives and
// hands them to one of these writers, which turn them into EMF or WMF records.
// Colours reaching a writer are opaque; alpha, gradients, hatches and textures
// arrive as images because the engine leaves them to QPainter's rasteriser.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPolygonF>
#include <QRgb>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>

// One run of text at a baseline point, in device pixels, unrotated.
struct MetafileText {
    QPointF baseline;
    QString text;
    QFont font;
    double pixelSize = 0; // em height
    QList<double> advances; // one per UTF-16 unit
    QRgb colour = 0;
};

class MetafileWriter {
public:
    virtual ~MetafileWriter() = default;

    virtual void fillPolygons(const QList<QPolygonF>& polygons, QRgb colour, Qt::FillRule rule) = 0;
    // A one-pixel solid line through the points.
    virtual void polyline(const QPolygonF& points, QRgb colour) = 0;
    // A cubic Bezier curve (1 + 3k points) drawn with a one-pixel pen; the
    // default flattens it into a polyline.
    virtual void bezier(const QPolygonF& points, QRgb colour);
    // target in device pixels; image is ARGB32 premultiplied.
    void image(const QRect& target, const QImage& image);
    // The part of an opaque RGB32 image placed at target (device pixels),
    // written as a bitmap of its own so that readers ignoring source offsets
    // still place the right pixels.
    virtual void bitmap(const QRect& target, const QImage& image, const QRect& part) = 0;
    // False when the format cannot hold text; the engine then sends outlines.
    virtual bool text(const MetafileText& run) = 0;
    // The complete file.
    virtual QByteArray finish() = 0;
};

std::unique_ptr<MetafileWriter> MakeEmfWriter(QSize imageSize);
std::unique_ptr<MetafileWriter> MakeWmfWriter(QSize imageSize);

// Little-endian record assembly shared by both formats.
class LeBuffer {
public:
    void u8(uint8_t v) { m_bytes.append(char(v)); }
    void u16(uint16_t v)
    {
        u8(uint8_t(v));
        u8(uint8_t(v >> 8));
    }
    void i16(int v) { u16(uint16_t(int16_t(v))); }
    void u32(uint32_t v)
    {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    }
    void i32(int32_t v) { u32(uint32_t(v)); }
    void f32(float v);
    void bytes(const QByteArray& b) { m_bytes.append(b); }
    void padTo(int multiple);
    void putU32At(qsizetype offset, uint32_t v);
    void putU16At(qsizetype offset, uint16_t v);
    qsizetype size() const { return m_bytes.size(); }
    const QByteArray& data() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// A bottom-up BITMAPINFOHEADER (24 or 32 bits per pixel) and the pixels of
// an opaque image, as both formats embed them.
QByteArray DibHeader(QSize size, int bitCount);
QByteArray DibBits(const QImage& image, int bitCount = 24);

// An image with transparent pixels, reduced to what readers without blending
// (libwmf, Inkscape's importers) can place: rectangles of pixels that are not
// fully transparent, each partly transparent pixel composited onto white.
// When the image holds few colours every rectangle is one colour, so it can
// become a solid fill; otherwise rectangles are runs of rows to embed as
// bitmaps. Empty `rects` with `opaque` set means the whole image is opaque.
struct OpaqueRegions {
    bool opaque = false;
    QImage onWhite; // RGB32, the image composited onto white
    QList<QRect> rects; // image pixels, disjoint
    QList<QRgb> colours; // per rect when few colours, else empty
};
OpaqueRegions SplitOpaque(const QImage& image);

// COLORREF 0x00BBGGRR of an ARGB colour.
uint32_t ColorRef(QRgb colour);
