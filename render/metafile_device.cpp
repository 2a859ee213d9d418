// The metafile paint engine. It declares only path and transform support, so
// QPainter itself rasterises alpha colours, gradients, hatch and texture
// brushes and passes them in as images with exact device bounds; everything
// else arrives as paths, polygons and text items in logical coordinates and
// is mapped to device pixels here. Fills become polygon sets with the path's
// fill rule; strokes wider than one pixel become their filled outline (GDI
// pens cannot carry our caps and dash units); one-pixel solid strokes stay
// lines. A clip is applied in Qt (path intersection, image masking) so that
// both formats see already-clipped geometry.
#include "render/metafile_device.h"

#include "render/metafile_writer.h"
#include "render/recording_engine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTextItem>
#include <cmath>

namespace {

constexpr double kThinPen = 1.0 + 1e-9;

// Splits a polyline into its dashes; pattern lengths are in device pixels.
QList<QPolygonF> dashPolyline(const QPolygonF& line, const QList<qreal>& pattern, double offset)
{
    QList<QPolygonF> dashes;
    double total = 0;
    for (qreal v : pattern)
        total += std::max<qreal>(v, 0);
    if (pattern.size() < 2 || total <= 1e-9)
        return { line };
    int index = 0;
    double left = std::max<qreal>(pattern[0], 0);
    for (offset = std::fmod(std::max(offset, 0.0), total); offset > 0;) {
        const double step = std::min(offset, left);
        offset -= step, left -= step;
        if (left <= 0)
            index = (index + 1) % int(pattern.size()), left = std::max<qreal>(pattern[index], 0);
    }
    QPolygonF current;
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        QPointF a = line[i];
        const QPointF b = line[i + 1];
        double segment = std::hypot(b.x() - a.x(), b.y() - a.y());
        while (segment > 1e-12) {
            const double step = std::min(segment, left);
            const QPointF next = a + (b - a) * (step / segment);
            if (index % 2 == 0) {
                if (current.isEmpty())
                    current << a;
                current << next;
            }
            a = next, segment -= step, left -= step;
            if (left <= 1e-12) {
                if (index % 2 == 0 && current.size() >= 2)
                    dashes.append(current);
                current.clear();
                index = (index + 1) % int(pattern.size()), left = std::max<qreal>(pattern[index], 0);
            }
        }
    }
    if (current.size() >= 2)
        dashes.append(current);
    return dashes;
}

bool isSingleBezier(const QPainterPath& path)
{
    if (path.elementCount() < 4 || !path.elementAt(0).isMoveTo())
        return false;
    for (int i = 1; i < path.elementCount(); ++i)
        if (path.elementAt(i).type
            != ((i - 1) % 3 == 0 ? QPainterPath::CurveToElement : QPainterPath::CurveToDataElement))
            return false;
    return true;
}

} // namespace

class MetafileEngine final : public RecordingEngine {
public:
    MetafileEngine(QSize size, MetafileFormat format)
        : RecordingEngine(PainterPaths | PrimitiveTransform, { true, Qt::OddEvenFill })
        , m_size(size)
        , m_format(format)
    {
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;

    QByteArray data;

private:
    bool startRecording() override;
    bool finishRecording() override;
    void paintPath(const QPainterPath& logical, const QBrush& brush) override;
    void setClip(const QPainterPath& device, bool narrows) override;
    void dropClip() override { m_clip = QPainterPath(); }

    void fillDevice(const QPainterPath& devicePath, QRgb colour);
    void stroke(const QPainterPath& logicalPath);
    void strokeThin(const QPainterPath& devicePath);
    double penWidthPx() const;

    QSize m_size;
    MetafileFormat m_format;
    std::unique_ptr<MetafileWriter> m_writer;
    QPainterPath m_clip; // device pixels, while clipping()
};

bool MetafileEngine::startRecording()
{
    m_writer = m_format == MetafileFormat::Emf ? MakeEmfWriter(m_size) : MakeWmfWriter(m_size);
    data.clear();
    return true;
}

bool MetafileEngine::finishRecording()
{
    if (!m_writer)
        return false;
    data = m_writer->finish();
    m_writer.reset();
    return true;
}

void MetafileEngine::setClip(const QPainterPath& device, bool narrows)
{
    m_clip = narrows ? m_clip.intersected(device) : device;
}

void MetafileEngine::fillDevice(const QPainterPath& devicePath, QRgb colour)
{
    const QPainterPath shape = clipping() ? devicePath.intersected(m_clip) : devicePath;
    const QList<QPolygonF> polygons = shape.toSubpathPolygons();
    if (!polygons.isEmpty())
        m_writer->fillPolygons(polygons, colour, shape.fillRule());
}

double MetafileEngine::penWidthPx() const
{
    const double width = pen().widthF();
    if (pen().isCosmetic())
        return std::max(width, 1.0);
    return width * std::sqrt(std::abs(transform().determinant()));
}

void MetafileEngine::stroke(const QPainterPath& logicalPath)
{
    if (pen().style() == Qt::NoPen || pen().brush().style() != Qt::SolidPattern)
        return;
    const QPainterPath device = transform().map(logicalPath);
    const double width = penWidthPx();
    if (width <= kThinPen && !clipping())
        return strokeThin(device);
    QPainterPathStroker stroker(pen());
    stroker.setWidth(std::max(width, 1.0));
    QPainterPath outline = stroker.createStroke(device);
    outline.setFillRule(Qt::WindingFill);
    fillDevice(outline, pen().color().rgb());
}

void MetafileEngine::strokeThin(const QPainterPath& device)
{
    const QRgb colour = pen().color().rgb();
    const bool solid = pen().style() == Qt::SolidLine;
    if (solid && isSingleBezier(device)) {
        QPolygonF points;
        for (int i = 0; i < device.elementCount(); ++i)
            points << QPointF(device.elementAt(i));
        return m_writer->bezier(points, colour);
    }
    const double unit = std::max(penWidthPx(), 1.0);
    QList<qreal> pattern = pen().dashPattern();
    for (qreal& v : pattern)
        v *= unit;
    for (const QPolygonF& line : device.toSubpathPolygons()) {
        if (solid) {
            m_writer->polyline(line, colour);
            continue;
        }
        for (const QPolygonF& dash : dashPolyline(line, pattern, pen().dashOffset() * unit))
            m_writer->polyline(dash, colour);
    }
}

void MetafileEngine::paintPath(const QPainterPath& logical, const QBrush& brush)
{
    if (brush.style() == Qt::SolidPattern)
        fillDevice(transform().map(logical), brush.color().rgb());
    stroke(logical);
}

// Images are placed on whole device pixels. A rotated or sheared placement,
// and any clip, is resolved by painting the image into a device-aligned one.
void MetafileEngine::drawImage(
    const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags)
{
    if (image.isNull() || r.isEmpty())
        return;
    const QImage source = image.copy(sr.toAlignedRect()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QRect target = transform().mapRect(r).toAlignedRect();
    const bool axisAligned = transform().type() <= QTransform::TxScale;
    if (axisAligned && !clipping() && target.size() == source.size())
        return m_writer->image(target, source);

    target = target.intersected(QRect(QPoint(-m_size.width(), -m_size.height()), m_size * 3));
    if (target.isEmpty())
        return;
    QImage placed(target.size(), QImage::Format_ARGB32_Premultiplied);
    placed.fill(Qt::transparent);
    QPainter p(&placed);
    p.translate(-target.topLeft());
    if (clipping())
        p.setClipPath(m_clip);
    p.setTransform(transform(), true);
    p.drawImage(r, source);
    p.end();
    m_writer->image(target, placed);
}

void MetafileEngine::drawTextItem(const QPointF& p, const QTextItem& item)
{
    if (pen().style() == Qt::NoPen || item.text().isEmpty())
        return;
    const QFont font = item.font();
    MetafileText run;
    run.text = item.text();
    run.font = font;
    run.colour = pen().color().rgb();
    if (transform().type() <= QTransform::TxTranslate && !clipping()) {
        const QFontMetricsF metrics(font, paintDevice());
        run.baseline = transform().map(p);
        run.pixelSize = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
        double before = 0;
        for (qsizetype i = 1; i <= run.text.size(); ++i) {
            const double upTo = metrics.horizontalAdvance(run.text.left(i));
            run.advances.append(upTo - before);
            before = upTo;
        }
        if (m_writer->text(run))
            return;
    }
    QPainterPath outline;
    outline.addText(p, font, run.text);
    outline.setFillRule(Qt::WindingFill);
    fillDevice(transform().map(outline), run.colour);
}

MetafileDevice::MetafileDevice(QSize size, MetafileFormat format)
    : RecordingDevice(size)
    , m_engine(std::make_unique<MetafileEngine>(this->size(), format))
{
}

MetafileDevice::~MetafileDevice() = default;

QPaintEngine* MetafileDevice::paintEngine() const
{
    return m_engine.get();
}

QByteArray MetafileDevice::data() const
{
    return m_engine->data;
}
