// The SVG paint engine. It declares every feature, so QPainter hands over
// paths with their own pens and brushes (solid, hatch and image tiles, linear
// gradients) untouched; geometry is mapped to device pixels here, so paint
// servers live in device space too and a hatch tile, which the surface
// anchors at the device origin, needs no transform at all. Text items arrive
// as glyph outlines through QPaintEngine's own fallback.
//
// Shared definitions are remembered by their text up to a bound; past it the
// memory is emptied and later uses write their definition again, so a
// drawing of a million distinct gradients still streams in bounded memory.
#include "render/svg_device.h"

#include "render/recording_engine.h"
#include "render/svg_markup.h"

#include <QHash>
#include <QIODevice>
#include <QLinearGradient>
#include <QPainterPathStroker>

#include <cmath>

namespace {

constexpr qsizetype kFlushBytes = 1 << 16;
constexpr qsizetype kMaxRemembered = 4096;
// Canvas coordinates name pixel centres; SVG coordinates name pixel corners.
// The root group moves the drawing by half a pixel, so a 1-pixel line on a
// whole coordinate covers that pixel row as on the canvas. Tiles and images,
// whose texels are whole device pixels, are moved back: a tile the brush
// leaves in place (a hatch) onto the device pixels, a turned one onto where
// the canvas puts it, just under half a pixel off (see graph_p.cpp).
const QTransform kToPixelAreas = QTransform::fromTranslate(-0.5, -0.5);
const QTransform kToCanvasTexels = QTransform::fromTranslate(-1.0 / 64, -1.0 / 64);

// Ids of written definitions by their text; emptied when it grows too big.
class Remembered {
public:
    // The id of `key`, and whether it is new (to be written by the caller).
    std::pair<int, bool> idOf(const QByteArray& key)
    {
        if (const auto it = m_ids.constFind(key); it != m_ids.cend())
            return { *it, false };
        if (m_ids.size() >= kMaxRemembered)
            m_ids.clear();
        m_ids.insert(key, m_next);
        return { m_next++, true };
    }

private:
    QHash<QByteArray, int> m_ids;
    int m_next = 0;
};

// A clip in device pixels; an intersection refers to the clip it narrows.
struct ClipNode {
    QPainterPath path;
    std::shared_ptr<ClipNode> parent;
    int id = -1; // written as <clipPath id="k<id>"> once used
};

const char* capName(Qt::PenCapStyle cap)
{
    return cap == Qt::SquareCap ? "square" : cap == Qt::RoundCap ? "round" : nullptr;
}

const char* joinName(Qt::PenJoinStyle join)
{
    return join == Qt::BevelJoin ? "bevel" : join == Qt::RoundJoin ? "round" : nullptr;
}

void appendId(QByteArray& out, char prefix, int id)
{
    out += prefix;
    out += QByteArray::number(id);
}

void appendUrl(QByteArray& out, char prefix, int id)
{
    out += "url(#";
    appendId(out, prefix, id);
    out += ')';
}

} // namespace

class SvgEngine final : public RecordingEngine {
public:
    SvgEngine(QIODevice& out, QSize size)
        : RecordingEngine(AllFeatures, { false, Qt::WindingFill })
        , m_out(out)
        , m_size(size)
    {
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override;

    bool complete = false;

private:
    bool startRecording() override;
    bool finishRecording() override;
    void paintPath(const QPainterPath& logical, const QBrush& brush) override;
    void setClip(const QPainterPath& device, bool narrows) override;
    void dropClip() override { m_clip.reset(); }

    void writeShape(const QPainterPath& device, const QPen& pen, const QBrush& brush);
    int classOf(const QPen& pen, const QBrush& brush, Qt::FillRule rule);
    void appendStroke(QByteArray& style, const QPen& pen);
    void appendPaint(QByteArray& style, const char* property, const QBrush& brush);
    void appendGradient(QByteArray& attributes, const char* property, const QBrush& brush);
    int tileOf(const QImage& tile);
    void appendPattern(QByteArray& style, const QBrush& brush);
    int gradientOf(const QBrush& brush);
    int clipId(ClipNode& clip);
    void useClip();
    void enterClipGroup(int clip);
    void flushIfFull();

    QIODevice& m_out;
    QSize m_size;
    QByteArray m_text; // written out in pieces of kFlushBytes
    bool m_writeFailed = false;

    std::shared_ptr<ClipNode> m_clip; // while clipping()
    int m_nextClip = 0;
    int m_groupClip = -1; // the clip of the open group, -1 when none is open

    // The class the last shape used, kept while pen and brush stay the same.
    struct LastClass {
        QPen pen;
        QBrush brush;
        QTransform transform;
        Qt::FillRule rule = Qt::OddEvenFill;
        int id = -1;
    } m_last;
    Remembered m_classes, m_tiles, m_patterns, m_gradients;
};

bool SvgEngine::startRecording()
{
    m_text.reserve(kFlushBytes * 2);
    m_text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
              "version=\"1.1\" width=\"";
    m_text += QByteArray::number(m_size.width());
    m_text += "\" height=\"";
    m_text += QByteArray::number(m_size.height());
    m_text += "\" viewBox=\"0 0 ";
    m_text += QByteArray::number(m_size.width());
    m_text += ' ';
    m_text += QByteArray::number(m_size.height());
    m_text += "\" shape-rendering=\"crispEdges\">\n<g transform=\"translate(0.5 0.5)\">\n";
    return true;
}

bool SvgEngine::finishRecording()
{
    enterClipGroup(-1);
    m_text += "</g>\n</svg>\n";
    if (!m_writeFailed && m_out.write(m_text) != m_text.size())
        m_writeFailed = true;
    m_text.clear();
    complete = !m_writeFailed;
    return complete;
}

void SvgEngine::flushIfFull()
{
    if (m_text.size() < kFlushBytes)
        return;
    if (!m_writeFailed && m_out.write(m_text) != m_text.size())
        m_writeFailed = true;
    m_text.resize(0); // keeps the capacity
}

void SvgEngine::setClip(const QPainterPath& device, bool narrows)
{
    auto clip = std::make_shared<ClipNode>();
    clip->path = device;
    if (narrows)
        clip->parent = m_clip;
    m_clip = std::move(clip);
}

// Pens whose width the transform would distort are drawn as their outline.
void SvgEngine::paintPath(const QPainterPath& logical, const QBrush& brush)
{
    if (logical.isEmpty())
        return;
    const QPen& pen = this->pen();
    const bool stroked = pen.style() != Qt::NoPen;
    const bool outlined = stroked && !pen.isCosmetic() && transform().type() > QTransform::TxTranslate;
    if (!outlined) {
        writeShape(transform().map(logical), pen, brush);
        return;
    }
    if (brush.style() != Qt::NoBrush)
        writeShape(transform().map(logical), Qt::NoPen, brush);
    QPainterPathStroker stroker(pen);
    QPainterPath outline = transform().map(stroker.createStroke(logical));
    outline.setFillRule(Qt::WindingFill);
    writeShape(outline, Qt::NoPen, pen.brush());
}

void SvgEngine::writeShape(const QPainterPath& device, const QPen& pen, const QBrush& brush)
{
    if (device.isEmpty() || (pen.style() == Qt::NoPen && brush.style() == Qt::NoBrush))
        return;
    const int style = classOf(pen, brush, device.fillRule());
    QByteArray gradients; // each lies across its own element: not worth a class
    appendGradient(gradients, "fill", brush);
    if (pen.style() != Qt::NoPen)
        appendGradient(gradients, "stroke", pen.brush());
    useClip();
    m_text += "<path class=\"";
    appendId(m_text, 'c', style);
    m_text += '"';
    m_text += gradients;
    m_text += " d=\"";
    svg::appendPathData(m_text, device);
    m_text += "\"/>\n";
    flushIfFull();
}

int SvgEngine::classOf(const QPen& pen, const QBrush& brush, Qt::FillRule rule)
{
    // Tiles and gradients are placed through the transform; solid colours are not.
    const bool placed = brush.style() > Qt::SolidPattern || pen.brush().style() > Qt::SolidPattern;
    LastClass& last = m_last;
    if (last.id >= 0 && rule == last.rule && pen == last.pen && brush == last.brush
        && (!placed || transform() == last.transform))
        return last.id;
    QByteArray style; // declarations each end in ';', the last one's is dropped
    appendPaint(style, "fill", brush);
    if (brush.style() != Qt::NoBrush && rule == Qt::OddEvenFill)
        style += "fill-rule:evenodd;";
    appendStroke(style, pen);
    style.chop(1);
    const auto [id, isNew] = m_classes.idOf(style);
    if (isNew) {
        m_text += "<style>.";
        appendId(m_text, 'c', id);
        m_text += '{';
        m_text += style;
        m_text += "}</style>\n";
    }
    last = LastClass { pen, brush, transform(), rule, id };
    return id;
}

void SvgEngine::appendStroke(QByteArray& style, const QPen& pen)
{
    if (pen.style() == Qt::NoPen) {
        style += "stroke:none;";
        return;
    }
    appendPaint(style, "stroke", pen.brush());
    // Cosmetic widths are device pixels already, a width of 0 meaning one;
    // other pens reach here only under a translation.
    const double width = pen.widthF() > 0 ? pen.widthF() : 1.0;
    if (width != 1) {
        style += "stroke-width:";
        svg::appendNumber(style, width);
        style += ';';
    }
    if (const char* cap = capName(pen.capStyle())) {
        style += "stroke-linecap:";
        style += cap;
        style += ';';
    }
    if (const char* join = joinName(pen.joinStyle())) {
        style += "stroke-linejoin:";
        style += join;
        style += ';';
    } else {
        // Qt measures the miter from the join point, SVG across the whole miter.
        style += "stroke-miterlimit:";
        svg::appendNumber(style, std::max(1.0, 2 * pen.miterLimit()));
        style += ';';
    }
    if (pen.style() != Qt::SolidLine) {
        const QList<qreal> pattern = pen.dashPattern(); // in widths
        style += "stroke-dasharray:";
        for (qsizetype i = 0; i < pattern.size(); ++i) {
            if (i)
                style += ',';
            svg::appendNumber(style, pattern[i] * width);
        }
        style += ';';
        if (pen.dashOffset() != 0) {
            style += "stroke-dashoffset:";
            svg::appendNumber(style, pen.dashOffset() * width);
            style += ';';
        }
    }
}

// "fill:#rrggbb;fill-opacity:0.5;", "fill:url(#p3);", "fill:none;", or
// nothing for a linear gradient (an attribute of the element, which a class
// naming the property would override).
void SvgEngine::appendPaint(QByteArray& style, const char* property, const QBrush& brush)
{
    if (brush.style() == Qt::LinearGradientPattern)
        return;
    style += property;
    style += ':';
    QColor colour = brush.color();
    switch (brush.style()) {
    case Qt::NoBrush:
        style += "none;";
        return;
    case Qt::TexturePattern:
        if (!brush.textureImage().isNull()) {
            appendPattern(style, brush);
            style += ';';
            return;
        }
        break;
    case Qt::RadialGradientPattern:
    case Qt::ConicalGradientPattern:
        if (!brush.gradient()->stops().isEmpty())
            colour = brush.gradient()->stops().first().second;
        break;
    default:
        break;
    }
    svg::appendColour(style, colour.rgba());
    style += ';';
    if (colour.alpha() != 255) {
        style += property;
        style += "-opacity:";
        svg::appendOpacity(style, colour.alpha());
        style += ';';
    }
}

// ` fill="url(#g3)"` for a linear gradient brush.
void SvgEngine::appendGradient(QByteArray& attributes, const char* property, const QBrush& brush)
{
    if (brush.style() != Qt::LinearGradientPattern)
        return;
    attributes += ' ';
    attributes += property;
    attributes += "=\"";
    appendUrl(attributes, 'g', gradientOf(brush));
    attributes += '"';
}

// The tile's content, once per image: <pattern id="t<id>"> at the origin.
int SvgEngine::tileOf(const QImage& tile)
{
    const auto [id, isNew] = m_tiles.idOf(QByteArray::number(tile.cacheKey()));
    if (isNew) {
        m_text += "<pattern id=\"";
        appendId(m_text, 't', id);
        m_text += "\" patternUnits=\"userSpaceOnUse\" width=\"";
        m_text += QByteArray::number(tile.width());
        m_text += "\" height=\"";
        m_text += QByteArray::number(tile.height());
        m_text += "\" patternTransform=\"translate(-0.5 -0.5)\">";
        svg::appendTile(m_text, tile);
        m_text += "</pattern>\n";
    }
    return id;
}

// "url(#t<id>)" for a tile the brush leaves where it is (a hatch, locked to
// the device origin), else a pattern that places the tile as the brush does.
void SvgEngine::appendPattern(QByteArray& style, const QBrush& brush)
{
    const int tile = tileOf(brush.textureImage());
    const QTransform place = brush.transform() * transform();
    if (svg::nearIdentity(place)) {
        appendUrl(style, 't', tile);
        return;
    }
    QByteArray key = " xlink:href=\"#";
    appendId(key, 't', tile);
    key += "\" patternTransform=\"";
    svg::appendMatrix(key, place * kToCanvasTexels);
    key += "\"/>";
    const auto [id, isNew] = m_patterns.idOf(key);
    if (isNew) {
        m_text += "<pattern id=\"";
        appendId(m_text, 'p', id);
        m_text += '"';
        m_text += key;
        m_text += '\n';
    }
    appendUrl(style, 'p', id);
}

int SvgEngine::gradientOf(const QBrush& brush)
{
    const auto* gradient = static_cast<const QLinearGradient*>(brush.gradient());
    QByteArray key = " gradientUnits=\"userSpaceOnUse\" x1=\"";
    svg::appendNumber(key, gradient->start().x());
    key += "\" y1=\"";
    svg::appendNumber(key, gradient->start().y());
    key += "\" x2=\"";
    svg::appendNumber(key, gradient->finalStop().x());
    key += "\" y2=\"";
    svg::appendNumber(key, gradient->finalStop().y());
    key += '"';
    if (gradient->spread() != QGradient::PadSpread)
        key += gradient->spread() == QGradient::RepeatSpread ? " spreadMethod=\"repeat\"" : " spreadMethod=\"reflect\"";
    const QTransform place = brush.transform() * transform();
    if (!svg::nearIdentity(place)) {
        key += " gradientTransform=\"";
        svg::appendMatrix(key, place);
        key += '"';
    }
    key += '>';
    for (const QGradientStop& stop : gradient->stops()) {
        key += "<stop offset=\"";
        svg::appendNumber(key, stop.first);
        key += "\" stop-color=\"";
        svg::appendColour(key, stop.second.rgba());
        if (stop.second.alpha() != 255) {
            key += "\" stop-opacity=\"";
            svg::appendOpacity(key, stop.second.alpha());
        }
        key += "\"/>";
    }
    const auto [id, isNew] = m_gradients.idOf(key);
    if (isNew) {
        m_text += "<linearGradient id=\"";
        appendId(m_text, 'g', id);
        m_text += '"';
        m_text += key;
        m_text += "</linearGradient>\n";
    }
    return id;
}

int SvgEngine::clipId(ClipNode& clip)
{
    if (clip.id >= 0)
        return clip.id;
    const int parent = clip.parent ? clipId(*clip.parent) : -1;
    clip.id = m_nextClip++;
    m_text += "<clipPath id=\"";
    appendId(m_text, 'k', clip.id);
    m_text += '"';
    if (parent >= 0) {
        m_text += " clip-path=\"";
        appendUrl(m_text, 'k', parent);
        m_text += '"';
    }
    m_text += clip.path.fillRule() == Qt::OddEvenFill ? "><path clip-rule=\"evenodd\" d=\"" : "><path d=\"";
    svg::appendPathData(m_text, clip.path);
    m_text += "\"/></clipPath>\n";
    return clip.id;
}

// Elements drawn under one clip share a group, which also keeps the clip in
// device space for an element with a transform of its own.
void SvgEngine::useClip() { enterClipGroup(clipping() ? clipId(*m_clip) : -1); }

void SvgEngine::enterClipGroup(int id)
{
    if (id == m_groupClip)
        return;
    if (m_groupClip >= 0)
        m_text += "</g>\n";
    if (id >= 0) {
        m_text += "<g clip-path=\"";
        appendUrl(m_text, 'k', id);
        m_text += "\">\n";
    }
    m_groupClip = id;
}

void SvgEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags)
{
    if (image.isNull() || r.isEmpty())
        return;
    useClip();
    m_text += "<g transform=\"";
    svg::appendMatrix(m_text, transform() * kToPixelAreas);
    m_text += "\">";
    const QRect source = sr.toAlignedRect() & image.rect();
    svg::appendImage(m_text, source == image.rect() ? image : image.copy(source), r);
    m_text += "</g>\n";
    flushIfFull();
}

SvgDevice::SvgDevice(QIODevice& out, QSize size)
    : RecordingDevice(size)
    , m_engine(std::make_unique<SvgEngine>(out, this->size()))
{
}

SvgDevice::~SvgDevice() = default;

QPaintEngine* SvgDevice::paintEngine() const { return m_engine.get(); }

bool SvgDevice::complete() const { return m_engine->complete; }
