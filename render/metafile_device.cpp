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

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QTextItem>
#include <cmath>
#include <optional>

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

class MetafileEngine final : public QPaintEngine {
public:
    MetafileEngine(QSize size, MetafileFormat format)
        : QPaintEngine(PainterPaths | PrimitiveTransform)
        , m_size(size)
        , m_format(format)
    {
    }

    bool begin(QPaintDevice*) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;
    Type type() const override { return User; }

    QByteArray data;

private:
    void fillDevice(const QPainterPath& devicePath, QRgb colour);
    void stroke(const QPainterPath& logicalPath);
    void strokeThin(const QPainterPath& devicePath);
    double penWidthPx() const;
    void applyClip(const QPainterPath& path, Qt::ClipOperation op);
    bool clipping() const { return m_clipEnabled && m_clip.has_value(); }

    QSize m_size;
    MetafileFormat m_format;
    std::unique_ptr<MetafileWriter> m_writer;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    std::optional<QPainterPath> m_clip; // device pixels
    bool m_clipEnabled = false;
};

bool MetafileEngine::begin(QPaintDevice*)
{
    m_writer = m_format == MetafileFormat::Emf ? MakeEmfWriter(m_size) : MakeWmfWriter(m_size);
    data.clear();
    m_clip.reset();
    m_clipEnabled = false;
    m_transform = QTransform();
    return true;
}

bool MetafileEngine::end()
{
    if (!m_writer)
        return false;
    data = m_writer->finish();
    m_writer.reset();
    return true;
}

void MetafileEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & DirtyClipEnabled)
        m_clipEnabled = state.isClipEnabled();
    if (flags & DirtyClipPath)
        applyClip(state.clipPath(), state.clipOperation());
    if (flags & DirtyClipRegion) {
        QPainterPath region;
        region.addRegion(state.clipRegion());
        applyClip(region, state.clipOperation());
    }
}

void MetafileEngine::applyClip(const QPainterPath& path, Qt::ClipOperation op)
{
    const QPainterPath mapped = m_transform.map(path);
    if (op == Qt::NoClip) {
        m_clip.reset();
        m_clipEnabled = false;
        return;
    }
    m_clip = (op == Qt::IntersectClip && m_clip) ? m_clip->intersected(mapped) : mapped;
    m_clipEnabled = true;
}

void MetafileEngine::fillDevice(const QPainterPath& devicePath, QRgb colour)
{
    const QPainterPath shape = clipping() ? devicePath.intersected(*m_clip) : devicePath;
    const QList<QPolygonF> polygons = shape.toSubpathPolygons();
    if (!polygons.isEmpty())
        m_writer->fillPolygons(polygons, colour, shape.fillRule());
}

double MetafileEngine::penWidthPx() const
{
    const double width = m_pen.widthF();
    if (m_pen.isCosmetic())
        return std::max(width, 1.0);
    return width * std::sqrt(std::abs(m_transform.determinant()));
}

void MetafileEngine::stroke(const QPainterPath& logicalPath)
{
    if (m_pen.style() == Qt::NoPen || m_pen.brush().style() != Qt::SolidPattern)
        return;
    const QPainterPath device = m_transform.map(logicalPath);
    const double width = penWidthPx();
    if (width <= kThinPen && !clipping())
        return strokeThin(device);
    QPainterPathStroker stroker(m_pen);
    stroker.setWidth(std::max(width, 1.0));
    QPainterPath outline = stroker.createStroke(device);
    outline.setFillRule(Qt::WindingFill);
    fillDevice(outline, m_pen.color().rgb());
}

void MetafileEngine::strokeThin(const QPainterPath& device)
{
    const QRgb colour = m_pen.color().rgb();
    const bool solid = m_pen.style() == Qt::SolidLine;
    if (solid && isSingleBezier(device)) {
        QPolygonF points;
        for (int i = 0; i < device.elementCount(); ++i)
            points << QPointF(device.elementAt(i));
        return m_writer->bezier(points, colour);
    }
    const double unit = std::max(penWidthPx(), 1.0);
    QList<qreal> pattern = m_pen.dashPattern();
    for (qreal& v : pattern)
        v *= unit;
    for (const QPolygonF& line : device.toSubpathPolygons()) {
        if (solid) {
            m_writer->polyline(line, colour);
            continue;
        }
        for (const QPolygonF& dash : dashPolyline(line, pattern, m_pen.dashOffset() * unit))
            m_writer->polyline(dash, colour);
    }
}

void MetafileEngine::drawPath(const QPainterPath& path)
{
    if (m_brush.style() == Qt::SolidPattern)
        fillDevice(m_transform.map(path), m_brush.color().rgb());
    stroke(path);
}

void MetafileEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    if (count < 2)
        return;
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
    if (mode == PolylineMode)
        return stroke(path);
    path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    drawPath(path);
}

void MetafileEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr)
{
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
}

// Images are placed on whole device pixels. A rotated or sheared placement,
// and any clip, is resolved by painting the image into a device-aligned one.
void MetafileEngine::drawImage(
    const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags)
{
    if (image.isNull() || r.isEmpty())
        return;
    const QImage source = image.copy(sr.toAlignedRect()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QRect target = m_transform.mapRect(r).toAlignedRect();
    const bool axisAligned = m_transform.type() <= QTransform::TxScale;
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
        p.setClipPath(*m_clip);
    p.setTransform(m_transform, true);
    p.drawImage(r, source);
    p.end();
    m_writer->image(target, placed);
}

void MetafileEngine::drawTextItem(const QPointF& p, const QTextItem& item)
{
    if (m_pen.style() == Qt::NoPen || item.text().isEmpty())
        return;
    const QFont font = item.font();
    MetafileText run;
    run.text = item.text();
    run.font = font;
    run.colour = m_pen.color().rgb();
    if (m_transform.type() <= QTransform::TxTranslate && !clipping()) {
        const QFontMetricsF metrics(font, paintDevice());
        run.baseline = m_transform.map(p);
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
    fillDevice(m_transform.map(outline), run.colour);
}

MetafileDevice::MetafileDevice(QSize size, MetafileFormat format)
    : m_size(size.expandedTo(QSize(1, 1)))
    , m_engine(std::make_unique<MetafileEngine>(m_size, format))
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

int MetafileDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return qRound(m_size.width() * 25.4 / 96);
    case PdmHeightMM: return qRound(m_size.height() * 25.4 / 96);
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}
