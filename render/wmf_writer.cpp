// Windows metafile records behind a placeable header. Coordinates are 16-bit,
// so the logical scale is k units per pixel with k chosen to keep the image
// inside 32767 units (at most 16). Objects take the lowest free slot of the
// object table, as players assume: a new pen or brush is created and
// selected before the old one is deleted, and one null pen lives for the
// whole file for outline-free fills. WMF holds no Unicode, so text reaches
// this writer only as outlines.
#include "render/metafile_writer.h"

#include <algorithm>
#include <vector>

namespace {

enum WmfFunction : uint16_t {
    MetaEof = 0x0000,
    MetaSetBkMode = 0x0102,
    MetaSetMapMode = 0x0103,
    MetaSetPolyFillMode = 0x0106,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaSelectObject = 0x012D,
    MetaDeleteObject = 0x01F0,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateBrushIndirect = 0x02FC,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaPolyPolygon = 0x0538,
    MetaStretchDib = 0x0F43,
};

constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr int kMaxPoints = 32767;

class WmfWriter final : public MetafileWriter {
public:
    explicit WmfWriter(QSize size);

    void fillPolygons(const QList<QPolygonF>& polygons, QRgb colour, Qt::FillRule rule) override;
    void polyline(const QPolygonF& points, QRgb colour) override;
    void bitmap(const QRect& target, const QImage& image, const QRect& part) override;
    bool text(const MetafileText&) override { return false; }
    QByteArray finish() override;

private:
    qsizetype begin(uint16_t function);
    void end(qsizetype start);
    void simple(uint16_t function, uint16_t value);
    void point(QPointF p);
    int createObject(uint16_t function, uint16_t style, QRgb colour);
    void selectObject(int slot);
    void deleteObject(int slot);
    void usePen(QRgb colour);

    QSize m_size;
    int m_k = 1;
    LeBuffer m_out;
    uint32_t m_maxRecordWords = 0;
    std::vector<bool> m_slots;
    int m_nullPen = -1, m_pen = -1, m_brush = -1, m_selectedPen = -1;
    QRgb m_penColour = 0, m_brushColour = 0;
    int m_fillMode = 0;
};

WmfWriter::WmfWriter(QSize size)
    : m_size(size.expandedTo(QSize(1, 1)))
{
    m_k = std::clamp(32767 / std::max(m_size.width(), m_size.height()), 1, 16);
    const int w = m_size.width() * m_k, h = m_size.height() * m_k;
    m_out.u32(0x9AC6CDD7);
    m_out.u16(0);
    for (int v : { 0, 0, std::min(w, 32767), std::min(h, 32767) })
        m_out.i16(v);
    m_out.u16(uint16_t(96 * m_k));
    m_out.u32(0);
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uint16_t(uint8_t(m_out.data()[i]) | uint8_t(m_out.data()[i + 1]) << 8);
    m_out.u16(checksum);

    for (int v : { 1, 9, 0x0300, 0, 0, 0, 0, 0, 0 }) // META_HEADER; sizes patched in finish()
        m_out.u16(uint16_t(v));

    simple(MetaSetMapMode, 8); // MM_ANISOTROPIC
    for (uint16_t f : { uint16_t(MetaSetWindowOrg), uint16_t(MetaSetWindowExt) }) {
        const qsizetype r = begin(f);
        m_out.i16(f == MetaSetWindowOrg ? 0 : std::min(h, 32767)); // y before x
        m_out.i16(f == MetaSetWindowOrg ? 0 : std::min(w, 32767));
        end(r);
    }
    simple(MetaSetBkMode, 1); // TRANSPARENT
    m_nullPen = createObject(MetaCreatePenIndirect, 5, 0); // PS_NULL
    selectObject(m_nullPen);
}

qsizetype WmfWriter::begin(uint16_t function)
{
    const qsizetype start = m_out.size();
    m_out.u32(0);
    m_out.u16(function);
    return start;
}

void WmfWriter::end(qsizetype start)
{
    m_out.padTo(2);
    const uint32_t words = uint32_t((m_out.size() - start) / 2);
    m_out.putU32At(start, words);
    m_maxRecordWords = std::max(m_maxRecordWords, words);
}

void WmfWriter::simple(uint16_t function, uint16_t value)
{
    const qsizetype r = begin(function);
    m_out.u16(value);
    end(r);
}

void WmfWriter::point(QPointF p)
{
    m_out.i16(std::clamp(qRound(p.x() * m_k), -32767, 32767));
    m_out.i16(std::clamp(qRound(p.y() * m_k), -32767, 32767));
}

int WmfWriter::createObject(uint16_t function, uint16_t style, QRgb colour)
{
    const auto free = std::find(m_slots.begin(), m_slots.end(), false);
    const int slot = int(free - m_slots.begin());
    if (free == m_slots.end())
        m_slots.push_back(true);
    else
        *free = true;
    const qsizetype r = begin(function);
    m_out.u16(style);
    if (function == MetaCreatePenIndirect) {
        m_out.i16(style == 5 ? 0 : m_k); // one device pixel; readers draw width 0 as a hairline
        m_out.i16(0);
        m_out.u32(ColorRef(colour));
    } else {
        m_out.u32(ColorRef(colour));
        m_out.u16(0);
    }
    end(r);
    return slot;
}

void WmfWriter::selectObject(int slot)
{
    simple(MetaSelectObject, uint16_t(slot));
}

void WmfWriter::deleteObject(int slot)
{
    if (slot < 0)
        return;
    simple(MetaDeleteObject, uint16_t(slot));
    m_slots[size_t(slot)] = false;
}

void WmfWriter::usePen(QRgb colour)
{
    if (m_pen >= 0 && m_penColour == colour) {
        if (m_selectedPen != m_pen)
            selectObject(m_pen);
        m_selectedPen = m_pen;
        return;
    }
    const int pen = createObject(MetaCreatePenIndirect, 0, colour);
    selectObject(pen);
    deleteObject(m_pen);
    m_pen = m_selectedPen = pen;
    m_penColour = colour;
}

void WmfWriter::fillPolygons(const QList<QPolygonF>& polygons, QRgb colour, Qt::FillRule rule)
{
    QList<QPolygonF> polys;
    qsizetype total = 0;
    for (const QPolygonF& p : polygons) {
        if (p.size() >= 3 && p.size() <= kMaxPoints && total + p.size() <= 0x7FFFFFF) {
            polys.append(p);
            total += p.size();
        }
    }
    if (polys.isEmpty() || polys.size() > kMaxPoints)
        return;
    const int mode = rule == Qt::WindingFill ? 2 : 1;
    if (mode != m_fillMode)
        simple(MetaSetPolyFillMode, uint16_t(mode));
    m_fillMode = mode;
    if (m_brush < 0 || m_brushColour != colour) {
        const int brush = createObject(MetaCreateBrushIndirect, 0, colour); // BS_SOLID
        selectObject(brush);
        deleteObject(m_brush);
        m_brush = brush;
        m_brushColour = colour;
    }
    if (m_selectedPen != m_nullPen)
        selectObject(m_nullPen);
    m_selectedPen = m_nullPen;

    const qsizetype r = begin(polys.size() == 1 ? MetaPolygon : MetaPolyPolygon);
    if (polys.size() == 1) {
        m_out.i16(int(polys[0].size()));
    } else {
        m_out.u16(uint16_t(polys.size()));
        for (const QPolygonF& p : polys)
            m_out.u16(uint16_t(p.size()));
    }
    for (const QPolygonF& p : polys)
        for (const QPointF& pt : p)
            point(pt);
    end(r);
}

void WmfWriter::polyline(const QPolygonF& points, QRgb colour)
{
    if (points.size() < 2)
        return;
    usePen(colour);
    // Long lines go out in pieces that share their end points.
    for (qsizetype from = 0; from + 1 < points.size(); from += kMaxPoints - 1) {
        const qsizetype count = std::min<qsizetype>(kMaxPoints, points.size() - from);
        const qsizetype r = begin(MetaPolyline);
        m_out.i16(int(count));
        for (qsizetype i = from; i < from + count; ++i)
            point(points[i]);
        end(r);
    }
}

void WmfWriter::bitmap(const QRect& target, const QImage& image, const QRect& part)
{
    const QImage pixels = part == image.rect() ? image : image.copy(part);
    const qsizetype r = begin(MetaStretchDib);
    m_out.u32(kSrcCopy);
    m_out.u16(0); // DIB_RGB_COLORS
    for (int v : { pixels.height(), pixels.width(), 0, 0 })
        m_out.i16(v);
    const QPointF topLeft = target.topLeft(), bottomRight(target.right() + 1, target.bottom() + 1);
    m_out.i16(qRound((bottomRight.y() - topLeft.y()) * m_k));
    m_out.i16(qRound((bottomRight.x() - topLeft.x()) * m_k));
    m_out.i16(qRound(topLeft.y() * m_k));
    m_out.i16(qRound(topLeft.x() * m_k));
    m_out.bytes(DibHeader(pixels.size(), 24));
    m_out.bytes(DibBits(pixels));
    end(r);
}

QByteArray WmfWriter::finish()
{
    if (m_selectedPen != m_nullPen)
        selectObject(m_nullPen);
    const qsizetype r = begin(MetaEof);
    end(r);
    constexpr qsizetype kPlaceable = 22;
    const uint32_t words = uint32_t((m_out.size() - kPlaceable) / 2);
    m_out.putU16At(kPlaceable + 6, uint16_t(words));
    m_out.putU16At(kPlaceable + 8, uint16_t(words >> 16));
    m_out.putU16At(kPlaceable + 10, uint16_t(std::max<size_t>(m_slots.size(), 1)));
    m_out.putU16At(kPlaceable + 12, uint16_t(m_maxRecordWords));
    m_out.putU16At(kPlaceable + 14, uint16_t(m_maxRecordWords >> 16));
    return m_out.data();
}

} // namespace

std::unique_ptr<MetafileWriter> MakeWmfWriter(QSize imageSize)
{
    return std::make_unique<WmfWriter>(imageSize);
}
