// The text renderer and the text-box measurement the text constructors use.
//
// A text is laid out like GdipDrawString with an unlimited layout box: the box
// is the glyph advances plus a sixth of the em on each side, one line spacing
// high, and the first glyph's baseline sits one ascent below the box's top.
// Metrics come from the surface's font re-sized to a fixed reference em and
// scaled, because Qt loads faces at whole pixel sizes only and our sizes are
// fractional. The box is placed by its anchor, then turned by the text angle
// about the anchor point and stretched by the x ratio along the text.
#include <QFontMetricsF>
#include <QPainterPath>
#include <QTransform>
#include <cmath>

#include "geometry/func.h"
#include "render/renderers.h"
#include "render/renderers_p.h"
#include "storage/cp932.h"

using namespace render_detail;

namespace {

constexpr double kReferenceEmPx = 256;

struct TextMetrics {
    QFont reference;  // the surface's font at the reference em
    double scale = 0; // canvas pixels per reference pixel
    double width = 0; // laid-out box, canvas pixels, before the x ratio
    double height = 0;
    double ascent = 0;
};

// Measures with the surface's current font; false when it has none.
bool measure(TGraphP& g, const QString& text, double emPx, TextMetrics& m)
{
    if (!g.hasFont())
        return false;
    m.reference = g.font();
    m.reference.setPixelSize(static_cast<int>(kReferenceEmPx));
    const QFontMetricsF fm(m.reference);
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;  // trailing blanks take no room
    m.scale = emPx / kReferenceEmPx;
    m.width = fm.horizontalAdvance(text.left(end)) * m.scale + emPx / 3;
    m.height = fm.lineSpacing() * m.scale;
    m.ascent = fm.ascent() * m.scale;
    return true;
}

// Offsets of the box's top-left corner from the anchor point, by anchor code
// (0..8: bottom, middle, top rows of left, centre, right).
QPointF anchorOffset(int32_t anchor, double w, double h)
{
    if (anchor < 0 || anchor > 8)
        anchor = 0;
    const double fx[3] = {0, -0.5, -1};
    const double fy[3] = {-1, -0.5, 0};
    return {fx[anchor % 3] * w, fy[anchor / 3] * h};
}

// File bytes that are no character show as the replacement glyph.
QString qText(const std::string& utf8)
{
    const std::string shown = displayText(utf8);
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

// Device = T(A) R(-angle) T(-A) S(xRatio, 1): the string is laid out in a
// frame stretched by 1 / xRatio along x, then turned about A.
QTransform textTransform(QPointF a, double angleDeg, double xRatio)
{
    QTransform t;
    t.translate(a.x(), a.y());
    t.rotate(-angleDeg);
    t.translate(-a.x(), -a.y());
    t.scale(xRatio, 1);
    return t;
}

void applyTextBrush(TGraphP& g, int level, const TextRecord& r, const QRectF& box)
{
    QPointF p1 = box.center(), p2 = box.center();
    if (r.brushKind == 6) {
        g.NewPath();
        g.path().addRect(box);
    } else if (r.brushKind == 5) {
        const std::array<QPointF, 4> corners{box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
        g.BeginGradientFrame(box.topLeft(), box.bottomRight(), 0, -1, r.brushKind, r.brushRef);
        g.AddToGradientFrame(true, corners[0].x(), corners[0].y(), corners[1].x(), corners[1].y());
        g.AddToGradientFrame(false, corners[2].x(), corners[2].y(), corners[3].x(), corners[3].y());
        g.BrushGradientEnds(p1, p2);
    }
    g.ApplyBrush(r.brushKind, r.brushRef, p1, p2);
    if (level >= 0)
        g.SetHighlightColour(level);
}

// Opaque solid brushes draw the string through the painter's glyph cache;
// translucent, patterned and gradient brushes fill the glyph outlines.
void drawString(TGraphP& g, bool solid, const QString& text, const TextMetrics& m, QPointF baseline)
{
    if (solid) {
        QPainter* p = g.painter();
        if (!p)
            return;
        p->save();
        p->translate(baseline);
        p->scale(m.scale, m.scale);
        p->setFont(m.reference);
        p->setPen(g.brushColor());
        p->drawText(QPointF(0, 0), text);
        p->restore();
        return;
    }
    QPainterPath glyphs;
    glyphs.addText(0, 0, m.reference, text);
    QTransform place;
    place.translate(baseline.x(), baseline.y());
    place.scale(m.scale, m.scale);
    g.FillPath(place.map(glyphs));
}

}  // namespace

void RenderText(TGraphP& g, int level, const ViewTransform& v, const TextRecord& r)
{
    if (StripBlanks(r.text).empty())
        return;
    const QPointF a = toCanvas(v, r.x, r.y);
    const double s = v.scale * r.size;
    if (!(s > 2) || !std::isfinite(r.xRatio) || r.xRatio == 0)
        return;
    const QString text = qText(r.text);
    g.SetFont(qText(r.fontName), r.fontStyle, s);
    TextMetrics m;
    if (!measure(g, text, s, m))
        return;
    const double w = m.width * r.xRatio;
    const QPointF d = anchorOffset(r.anchor, w, m.height);
    // The box in the stretched frame the text transform maps onto the screen.
    const QPointF origin((a.x() + d.x()) / r.xRatio, a.y() + d.y());
    const QRectF box(origin, QSizeF(m.width, m.height));
    applyTextBrush(g, level, r, box);
    g.SetTransform(textTransform(a, r.angle, r.xRatio));
    // The raster engine's aliased glyphs ignore alpha: a translucent colour
    // would come out as its dark premultiplied value, so it fills outlines.
    const bool solid = level >= 0 || ((r.brushKind == 1 || r.brushKind == 2) && g.brushColor().alpha() == 255);
    drawString(g, solid, text, m, origin + QPointF(s / 6, m.ascent));
    g.ResetTransform();
    g.NewPath();
}

StoredTextBox MeasureTextBox(const TextRecord& r)
{
    TGraphP g;
    g.SetFont(qText(r.fontName), r.fontStyle, r.size);
    TextMetrics m;
    if (!(r.size > 0) || !measure(g, qText(r.text), r.size, m))
        return {};
    const double w = m.width * (std::isfinite(r.xRatio) ? r.xRatio : 0);
    const double h = m.height;
    // Offsets of the bottom-left corner from the anchor, y counted upward.
    const int32_t anchor = r.anchor >= 0 && r.anchor <= 8 ? r.anchor : 0;
    const double ex[3] = {0, -w / 2, -w};
    const double ey[3] = {0, -h / 2, -h};
    const PointD e{ex[anchor % 3], ey[anchor / 3]};
    const double angle = DegToRad(r.angle);
    return {r.x + RotateX(e, {0, 0}, angle), r.y - RotateY(e, {0, 0}, angle), w, h};
}
