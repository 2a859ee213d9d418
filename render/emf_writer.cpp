// Enhanced metafile records. Logical units are 1/16 device pixel
// (MM_ANISOTROPIC with a window 16 times the viewport) so that fractional
// geometry survives rounding; polygons use the 16-bit point records when every
// coordinate fits and the 32-bit ones otherwise. One pen, one brush and one
// font handle (slots 1 to 3) are re-created whenever their colour or face
// changes, deselecting to a stock object before each delete.
#include "render/metafile_writer.h"

#include <QFontInfo>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kUnits = 16; // logical units per device pixel

enum EmfType : uint32_t {
    EmrHeader = 1,
    EmrPolyBezier = 2,
    EmrPolygon = 3,
    EmrPolyline = 4,
    EmrPolyPolygon = 8,
    EmrSetWindowExtEx = 9,
    EmrSetViewportExtEx = 11,
    EmrEof = 14,
    EmrSetMapMode = 17,
    EmrSetBkMode = 18,
    EmrSetPolyFillMode = 19,
    EmrSetTextAlign = 22,
    EmrSetTextColor = 24,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrStretchDIBits = 81,
    EmrExtCreateFontIndirectW = 82,
    EmrExtTextOutW = 84,
    EmrPolyBezier16 = 85,
    EmrPolygon16 = 86,
    EmrPolyline16 = 87,
    EmrPolyPolygon16 = 91,
};

constexpr uint32_t kStockNullBrush = 0x80000005;
constexpr uint32_t kStockNullPen = 0x80000008;
constexpr uint32_t kStockSystemFont = 0x8000000D;
enum Slot : uint32_t { PenSlot = 1, BrushSlot = 2, FontSlot = 3, SlotCount = 4 };

class EmfWriter final : public MetafileWriter {
public:
    explicit EmfWriter(QSize size)
        : m_size(size)
    {
        writePrologue();
    }

    void fillPolygons(const QList<QPolygonF>& polygons, QRgb colour, Qt::FillRule rule) override;
    void polyline(const QPolygonF& points, QRgb colour) override;
    void bezier(const QPolygonF& points, QRgb colour) override;
    void bitmap(const QRect& target, const QImage& image, const QRect& part) override;
    bool text(const MetafileText& run) override;
    QByteArray finish() override;

private:
    void writePrologue();
    qsizetype begin(uint32_t type);
    void end(qsizetype start);
    void simple(uint32_t type, uint32_t value);
    void rectl(const QRect& r);
    void selectPen(QRgb colour);
    void selectBrush(QRgb colour);
    void selectFont(const MetafileText& run);
    void replaceObject(Slot slot, uint32_t stock);
    void points(uint32_t type16, uint32_t type32, const QList<QPoint>& pts);
    void pointArray(const QList<QPoint>& pts, bool small);

    static QPoint logical(QPointF p) { return QPoint(qRound(p.x() * kUnits), qRound(p.y() * kUnits)); }
    static QList<QPoint> logical(const QPolygonF& poly);
    static bool fits16(const QList<QPoint>& pts);
    static QRect bounds(const QList<QPoint>& pts);

    QSize m_size;
    LeBuffer m_out;
    uint32_t m_records = 0;
    bool m_slotUsed[SlotCount] = {};
    QRgb m_pen = 0, m_brush = 0;
    bool m_penSelected = false; // else the stock null pen is selected
    QString m_fontKey;
    QRgb m_textColour = 0;
    bool m_textColourSet = false;
    int m_fillMode = 0;
};

qsizetype EmfWriter::begin(uint32_t type)
{
    const qsizetype start = m_out.size();
    m_out.u32(type);
    m_out.u32(0); // size, patched by end()
    return start;
}

void EmfWriter::end(qsizetype start)
{
    m_out.padTo(4);
    m_out.putU32At(start + 4, uint32_t(m_out.size() - start));
    ++m_records;
}

void EmfWriter::simple(uint32_t type, uint32_t value)
{
    const qsizetype r = begin(type);
    m_out.u32(value);
    end(r);
}

void EmfWriter::rectl(const QRect& r)
{
    m_out.i32(r.left());
    m_out.i32(r.top());
    m_out.i32(r.right());
    m_out.i32(r.bottom());
}

void EmfWriter::writePrologue()
{
    const int w = std::max(1, m_size.width()), h = std::max(1, m_size.height());
    const qsizetype r = begin(EmrHeader);
    rectl(QRect(0, 0, w, h)); // inclusive: (0, 0, w - 1, h - 1)
    rectl(QRect(0, 0, qRound(w * 2540.0 / 96), qRound(h * 2540.0 / 96)));
    m_out.u32(0x464D4520);
    m_out.u32(0x00010000);
    m_out.u32(0); // nBytes, patched in finish()
    m_out.u32(0); // nRecords, patched in finish()
    m_out.u16(SlotCount);
    m_out.u16(0);
    m_out.u32(0); // no description
    m_out.u32(0);
    m_out.u32(0); // no palette
    m_out.i32(960); // reference device: an exact 96 dpi
    m_out.i32(960);
    m_out.i32(254);
    m_out.i32(254);
    m_out.u32(0);
    m_out.u32(0);
    m_out.u32(0);
    m_out.i32(254000);
    m_out.i32(254000);
    end(r);

    simple(EmrSetMapMode, 8); // MM_ANISOTROPIC
    for (uint32_t type : { uint32_t(EmrSetWindowExtEx), uint32_t(EmrSetViewportExtEx) }) {
        const int k = type == EmrSetWindowExtEx ? kUnits : 1;
        const qsizetype e = begin(type);
        m_out.i32(w * k);
        m_out.i32(h * k);
        end(e);
    }
    simple(EmrSelectObject, kStockNullPen); // fills carry no outline unless a pen is selected
    simple(EmrSetBkMode, 1); // TRANSPARENT
    simple(EmrSetTextAlign, 24); // TA_BASELINE
}

void EmfWriter::replaceObject(Slot slot, uint32_t stock)
{
    if (!m_slotUsed[slot])
        return;
    simple(EmrSelectObject, stock);
    simple(EmrDeleteObject, slot);
    if (slot == PenSlot)
        m_penSelected = false;
    m_slotUsed[slot] = false;
}

void EmfWriter::selectPen(QRgb colour)
{
    if (m_slotUsed[PenSlot] && m_pen == colour) {
        if (!m_penSelected)
            simple(EmrSelectObject, PenSlot);
        m_penSelected = true;
        return;
    }
    replaceObject(PenSlot, kStockNullPen);
    const qsizetype r = begin(EmrCreatePen);
    m_out.u32(PenSlot);
    m_out.u32(0); // PS_SOLID
    m_out.i32(kUnits); // one device pixel; readers draw width 0 as a hairline
    m_out.i32(0);
    m_out.u32(ColorRef(colour));
    end(r);
    simple(EmrSelectObject, PenSlot);
    m_slotUsed[PenSlot] = true;
    m_penSelected = true;
    m_pen = colour;
}

void EmfWriter::selectBrush(QRgb colour)
{
    if (m_slotUsed[BrushSlot] && m_brush == colour)
        return;
    replaceObject(BrushSlot, kStockNullBrush);
    const qsizetype r = begin(EmrCreateBrushIndirect);
    m_out.u32(BrushSlot);
    m_out.u32(0); // BS_SOLID
    m_out.u32(ColorRef(colour));
    m_out.u32(0);
    end(r);
    simple(EmrSelectObject, BrushSlot);
    m_slotUsed[BrushSlot] = true;
    m_brush = colour;
}

QList<QPoint> EmfWriter::logical(const QPolygonF& poly)
{
    QList<QPoint> out;
    out.reserve(poly.size());
    for (const QPointF& p : poly)
        out.append(logical(p));
    return out;
}

bool EmfWriter::fits16(const QList<QPoint>& pts)
{
    return std::all_of(pts.begin(), pts.end(), [](const QPoint& p) {
        return p.x() >= -32768 && p.x() <= 32767 && p.y() >= -32768 && p.y() <= 32767;
    });
}

QRect EmfWriter::bounds(const QList<QPoint>& pts)
{
    if (pts.isEmpty())
        return QRect(0, 0, 1, 1);
    int l = pts[0].x(), t = pts[0].y(), r = l, b = t;
    for (const QPoint& p : pts) {
        l = std::min(l, p.x()), r = std::max(r, p.x());
        t = std::min(t, p.y()), b = std::max(b, p.y());
    }
    return QRect(QPoint(l, t), QPoint(r, b));
}

// The 16-bit records hold coordinates as two shorts, the others as two longs.
void EmfWriter::pointArray(const QList<QPoint>& pts, bool small)
{
    for (const QPoint& p : pts) {
        if (small) {
            m_out.i16(p.x());
            m_out.i16(p.y());
        } else {
            m_out.i32(p.x());
            m_out.i32(p.y());
        }
    }
}

void EmfWriter::points(uint32_t type16, uint32_t type32, const QList<QPoint>& pts)
{
    const bool small = fits16(pts);
    const qsizetype r = begin(small ? type16 : type32);
    rectl(bounds(pts));
    m_out.u32(uint32_t(pts.size()));
    pointArray(pts, small);
    end(r);
}

void EmfWriter::fillPolygons(const QList<QPolygonF>& polygons, QRgb colour, Qt::FillRule rule)
{
    QList<QList<QPoint>> polys;
    QList<QPoint> all;
    for (const QPolygonF& poly : polygons) {
        if (poly.size() < 3)
            continue;
        polys.append(logical(poly));
        all.append(polys.last());
    }
    if (polys.isEmpty())
        return;
    const int mode = rule == Qt::WindingFill ? 2 : 1;
    if (mode != m_fillMode)
        simple(EmrSetPolyFillMode, uint32_t(mode));
    m_fillMode = mode;
    selectBrush(colour);
    if (m_penSelected)
        simple(EmrSelectObject, kStockNullPen);
    m_penSelected = false;
    if (polys.size() == 1)
        return points(EmrPolygon16, EmrPolygon, polys[0]);

    const bool small = fits16(all);
    const qsizetype r = begin(small ? EmrPolyPolygon16 : EmrPolyPolygon);
    rectl(bounds(all));
    m_out.u32(uint32_t(polys.size()));
    m_out.u32(uint32_t(all.size()));
    for (const QList<QPoint>& p : polys)
        m_out.u32(uint32_t(p.size()));
    pointArray(all, small);
    end(r);
}

void EmfWriter::polyline(const QPolygonF& pts, QRgb colour)
{
    if (pts.size() < 2)
        return;
    selectPen(colour);
    points(EmrPolyline16, EmrPolyline, logical(pts));
}

void EmfWriter::bezier(const QPolygonF& pts, QRgb colour)
{
    if (pts.size() < 4 || (pts.size() - 1) % 3 != 0)
        return MetafileWriter::bezier(pts, colour);
    selectPen(colour);
    points(EmrPolyBezier16, EmrPolyBezier, logical(pts));
}

void EmfWriter::bitmap(const QRect& target, const QImage& image, const QRect& part)
{
    if (target.isEmpty() || part.isEmpty())
        return;
    const QImage pixels = part == image.rect() ? image : image.copy(part);
    const QByteArray bmi = DibHeader(pixels.size(), 24);
    const QByteArray bits = DibBits(pixels);
    const QRect dest(logical(target.topLeft()), logical(QPointF(target.right() + 1, target.bottom() + 1)));
    const qsizetype r = begin(EmrStretchDIBits);
    rectl(QRect(dest.topLeft(), dest.bottomRight() - QPoint(1, 1)));
    m_out.i32(dest.left());
    m_out.i32(dest.top());
    m_out.i32(0);
    m_out.i32(0);
    m_out.i32(pixels.width());
    m_out.i32(pixels.height());
    m_out.u32(80); // offBmiSrc: just after this fixed part
    m_out.u32(uint32_t(bmi.size()));
    m_out.u32(uint32_t(80 + bmi.size()));
    m_out.u32(uint32_t(bits.size()));
    m_out.u32(0); // DIB_RGB_COLORS
    m_out.u32(0x00CC0020); // SRCCOPY
    m_out.i32(dest.width() - 1);
    m_out.i32(dest.height() - 1);
    m_out.bytes(bmi);
    m_out.bytes(bits);
    end(r);
}

void EmfWriter::selectFont(const MetafileText& run)
{
    const QFontInfo info(run.font);
    const QString key = info.family() + '/' + QString::number(run.pixelSize) + '/'
        + QString::number(run.font.bold()) + QString::number(run.font.italic())
        + QString::number(run.font.underline()) + QString::number(run.font.strikeOut());
    if (m_slotUsed[FontSlot] && key == m_fontKey)
        return;
    replaceObject(FontSlot, kStockSystemFont);
    const qsizetype r = begin(EmrExtCreateFontIndirectW);
    m_out.u32(FontSlot);
    m_out.i32(-qRound(run.pixelSize * kUnits)); // negative: em height
    m_out.i32(0);
    m_out.i32(0);
    m_out.i32(0);
    m_out.i32(run.font.bold() ? 700 : 400);
    for (int b :
        { int(run.font.italic()), int(run.font.underline()), int(run.font.strikeOut()), 1, 0, 0, 0, 0 })
        m_out.u8(uint8_t(b)); // charset DEFAULT, default precisions, quality and pitch
    const QString face = info.family().left(31);
    for (int i = 0; i < 32; ++i)
        m_out.u16(i < face.size() ? face[i].unicode() : 0);
    end(r);
    simple(EmrSelectObject, FontSlot);
    m_slotUsed[FontSlot] = true;
    m_fontKey = key;
}

bool EmfWriter::text(const MetafileText& run)
{
    if (run.text.isEmpty())
        return true;
    selectFont(run);
    if (!m_textColourSet || m_textColour != run.colour)
        simple(EmrSetTextColor, ColorRef(run.colour));
    m_textColourSet = true;
    m_textColour = run.colour;

    const QPoint origin = logical(run.baseline);
    double width = 0;
    for (double a : run.advances)
        width += a;
    const QRect box = QRect(origin - QPoint(0, qRound(run.pixelSize * kUnits)),
        QSize(qRound(width * kUnits) + 1, qRound(run.pixelSize * 1.5 * kUnits) + 1));
    const int n = int(run.text.size());
    const uint32_t offDx = uint32_t(76 + ((2 * n + 3) / 4) * 4);
    const float unitTo01mm = float(2540.0 / 96 / kUnits);
    const qsizetype r = begin(EmrExtTextOutW);
    rectl(box);
    m_out.u32(1); // GM_COMPATIBLE
    m_out.f32(unitTo01mm);
    m_out.f32(unitTo01mm);
    m_out.i32(origin.x());
    m_out.i32(origin.y());
    m_out.u32(uint32_t(n));
    m_out.u32(76);
    m_out.u32(0); // no clipping or opaque box
    rectl(QRect(0, 0, 0, 0));
    m_out.u32(offDx);
    for (QChar c : run.text)
        m_out.u16(c.unicode());
    m_out.padTo(4);
    double pen = 0;
    int placed = 0;
    for (int i = 0; i < n; ++i) {
        pen += i < run.advances.size() ? run.advances[i] * kUnits : 0;
        const int next = qRound(pen); // rounding the running sum keeps the total exact
        m_out.i32(next - placed);
        placed = next;
    }
    end(r);
    return true;
}

QByteArray EmfWriter::finish()
{
    replaceObject(PenSlot, kStockNullPen);
    replaceObject(BrushSlot, kStockNullBrush);
    replaceObject(FontSlot, kStockSystemFont);
    const qsizetype r = begin(EmrEof);
    m_out.u32(0);
    m_out.u32(16);
    m_out.u32(20);
    end(r);
    m_out.putU32At(48, uint32_t(m_out.size()));
    m_out.putU32At(52, m_records);
    return m_out.data();
}

} // namespace

std::unique_ptr<MetafileWriter> MakeEmfWriter(QSize imageSize)
{
    return std::make_unique<EmfWriter>(imageSize);
}
