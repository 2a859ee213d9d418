// TGraphP, part three: turning an element's attribute references into the
// pen and brush (looked up in the AttributeTables given by setAttributes),
// the gradient frame that lays a gradient across an element's own extent,
// the blink colour of the selection, and the text font.
//
// References come from drawing files and are untrusted: a reference outside
// its table is treated like an unknown kind and leaves the pen or brush as it
// was (width and line type still fall back to 1 pixel and solid).
#include "render/graph_p.h"

#include <QtMath>

#include <cmath>

#include "geometry/func.h"
#include "render/fonts.h"
#include "render/graph_p_state.h"

namespace {

template <class Entry>
const Entry* entryAt(const AttributeTables* tables, const std::vector<Entry> AttributeTables::*table, int32_t ref)
{
    return tables ? entryAt(tables->*table, ref) : nullptr;
}

// The ends of a gradient running through `centre` along angleDeg over the
// half-length h: the start colour lies opposite the angle's direction.
void orientedEnds(QPointF centre, double h, double angleDeg, QPointF& p1, QPointF& p2)
{
    const double a = qDegreesToRadians(angleDeg);
    p1 = QPointF(centre.x() - h * std::cos(a), centre.y() + h * std::sin(a));
    p2 = QPointF(centre.x() + h * std::cos(a), centre.y() - h * std::sin(a));
}

void endsAlong(QPointF centre, double angleRad, double lo, double hi, QPointF& p1, QPointF& p2)
{
    p1 = QPointF(centre.x() + lo * std::cos(angleRad), centre.y() - lo * std::sin(angleRad));
    p2 = QPointF(centre.x() + hi * std::cos(angleRad), centre.y() - hi * std::sin(angleRad));
}

// Projection of (x, y) on the direction angleRad, y turned upward about c.
double project(QPointF c, double x, double y, double angleRad)
{
    return RotateX(PointD{x - c.x(), c.y() - y}, PointD{0, 0}, -angleRad);
}

}  // namespace

void TGraphP::ApplyPen(int32_t penKind, int32_t penRef, QPointF p1, QPointF p2, double scale, bool oriented,
                       int capCode, int32_t lineTypeRef, int32_t widthRef)
{
    const WidthEntry* width = entryAt(m_tables, &AttributeTables::width, widthRef);
    switch (penKind) {
    case 1:
        if (auto* e = entryAt(m_tables, &AttributeTables::penColor, penRef))
            SetPenColourRef(e->color);
        break;
    case 2:
        if (auto* e = entryAt(m_tables, &AttributeTables::penAlphaColor, penRef))
            SetPenArgb(AlphaColor(e->alpha, e->color));
        break;
    case 3:
        if (auto* e = entryAt(m_tables, &AttributeTables::penHatch, penRef))
            MakeHatchPen(e->hatchStyle, AlphaColor(e->foreAlpha, e->foreColor), AlphaColor(e->backAlpha, e->backColor));
        break;
    case 4:
        if (auto* e = entryAt(m_tables, &AttributeTables::penImage, penRef))
            MakeImagePen(QString::fromStdString(e->fileName));
        break;
    case 5:
        if (auto* e = entryAt(m_tables, &AttributeTables::penGradient, penRef)) {
            if (oriented) {
                const double h = p2.x() + (width ? width->width * scale + 1 : 0);
                orientedEnds(p1, h, e->angle, p1, p2);
            }
            MakeGradientPen(AlphaColor(e->alpha1, e->color1), AlphaColor(e->alpha2, e->color2), p1, p2);
        }
        break;
    default:
        break;  // other kinds keep the pen as it is
    }
    SetPenWidth(width ? width->width * scale : 1.0);
    const LineTypeEntry* lineType = entryAt(m_tables, &AttributeTables::lineType, lineTypeRef);
    SetDashStyle(lineType ? lineType->dashStyle : 0);
    SetDashCap(lineType ? lineType->dashCap : 0);
    SetPenCaps(3, capCode);
}

void TGraphP::ApplyBrushFromPen(int32_t penKind, int32_t penRef, QPointF p1, QPointF p2, bool oriented)
{
    switch (penKind) {
    case 1:
        if (auto* e = entryAt(m_tables, &AttributeTables::penColor, penRef))
            SetSolidBrushColourRef(e->color);
        break;
    case 2:
        if (auto* e = entryAt(m_tables, &AttributeTables::penAlphaColor, penRef))
            SetSolidBrush(AlphaColor(e->alpha, e->color));
        break;
    case 3:
        if (auto* e = entryAt(m_tables, &AttributeTables::penHatch, penRef))
            MakeHatchBrush(e->hatchStyle, AlphaColor(e->foreAlpha, e->foreColor), AlphaColor(e->backAlpha, e->backColor));
        break;
    case 4:
        if (auto* e = entryAt(m_tables, &AttributeTables::penImage, penRef))
            MakeTextureBrush(QString::fromStdString(e->fileName));
        break;
    case 5:
        if (auto* e = entryAt(m_tables, &AttributeTables::penGradient, penRef)) {
            if (oriented)
                orientedEnds(p1, p2.x(), e->angle, p1, p2);
            MakeLinearGradientBrush(AlphaColor(e->alpha1, e->color1), AlphaColor(e->alpha2, e->color2), p1, p2);
        }
        break;
    default:
        break;
    }
}

void TGraphP::ApplyBrush(int32_t brushKind, int32_t brushRef, QPointF p1, QPointF p2)
{
    switch (brushKind) {
    case 1:
        if (auto* e = entryAt(m_tables, &AttributeTables::brushColor, brushRef))
            SetSolidBrushColourRef(e->color);
        break;
    case 2:
        if (auto* e = entryAt(m_tables, &AttributeTables::brushAlphaColor, brushRef))
            SetSolidBrush(AlphaColor(e->alpha, e->color));
        break;
    case 3:
        if (auto* e = entryAt(m_tables, &AttributeTables::brushHatch, brushRef))
            MakeHatchBrush(e->hatchStyle, AlphaColor(e->foreAlpha, e->foreColor), AlphaColor(e->backAlpha, e->backColor));
        break;
    case 4:
        if (auto* e = entryAt(m_tables, &AttributeTables::brushImage, brushRef))
            MakeTextureBrush(QString::fromStdString(e->fileName));
        break;
    case 5:
        if (auto* e = entryAt(m_tables, &AttributeTables::brushGradient, brushRef))
            MakeLinearGradientBrush(AlphaColor(e->alpha1, e->color1), AlphaColor(e->alpha2, e->color2), p1, p2);
        break;
    case 6:
        if (auto* e = entryAt(m_tables, &AttributeTables::brushRadial, brushRef))
            MakePathGradientBrush(AlphaColor(e->alpha1, e->color1), AlphaColor(e->alpha2, e->color2), p1.x(), p1.y());
        break;
    default:
        break;
    }
}

// --- gradient frame ----------------------------------------------------------------------

void TGraphP::BeginGradientFrame(QPointF corner1, QPointF corner2, int32_t penKind, int32_t penRef,
                                 int32_t brushKind, int32_t brushRef)
{
    State& s = *m_state;
    s.frameCentre = (corner1 + corner2) / 2;
    s.penAngle = s.brushAngle = 0;
    s.penMin = s.penMax = s.brushMin = s.brushMax = 0;
    if (penKind == 5)
        if (auto* e = entryAt(m_tables, &AttributeTables::penGradient, penRef))
            s.penAngle = qDegreesToRadians(e->angle);
    if (brushKind == 5)
        if (auto* e = entryAt(m_tables, &AttributeTables::brushGradient, brushRef))
            s.brushAngle = qDegreesToRadians(e->angle);
}

void TGraphP::AddToGradientFrame(bool first, double x1, double y1, double x2, double y2)
{
    State& s = *m_state;
    auto widen = [&](double angle, double& lo, double& hi) {
        const double u1 = project(s.frameCentre, x1, y1, angle);
        const double u2 = project(s.frameCentre, x2, y2, angle);
        lo = first ? std::min(u1, u2) : std::min({lo, u1, u2});
        hi = first ? std::max(u1, u2) : std::max({hi, u1, u2});
    };
    widen(s.penAngle, s.penMin, s.penMax);
    widen(s.brushAngle, s.brushMin, s.brushMax);
}

void TGraphP::PenGradientEnds(int32_t widthRef, double scale, QPointF& p1, QPointF& p2) const
{
    const State& s = *m_state;
    double lo = s.penMin, hi = s.penMax;
    if (const WidthEntry* width = entryAt(m_tables, &AttributeTables::width, widthRef)) {
        const double half = width->width / 2 * 1.414 * scale;  // half the pen across a 45-degree corner
        lo -= half;
        hi += half;
    }
    endsAlong(s.frameCentre, s.penAngle, lo - 1, hi + 1, p1, p2);
}

void TGraphP::BrushGradientEnds(QPointF& p1, QPointF& p2) const
{
    const State& s = *m_state;
    endsAlong(s.frameCentre, s.brushAngle, s.brushMin - 1, s.brushMax + 1, p1, p2);
}

// --- highlight -------------------------------------------------------------------------------

void TGraphP::SetHighlightColour(int level)
{
    if (level < 0)
        return;
    // 0 gives red, 8 white; levels past 8 overflow to 0 through MakeARGB's clamp.
    const int g = level == 0 ? 0 : 32 * level - 1;
    SetPenOpaque(255, g, g);
    SetSolidBrushOpaque(255, g, g);
}

// --- font --------------------------------------------------------------------------------------

void TGraphP::SetFont(const QString& family, int style, double sizePx)
{
    State& s = *m_state;
    if (s.fontBuilt && family == s.fontFamily && style == s.fontStyle && sizePx == s.fontSize)
        return;
    installFontSubstitutions();
    s.fontFamily = family;
    s.fontStyle = style;
    s.fontSize = sizePx;
    auto known = s.familyAvailable.constFind(family);
    if (known == s.familyAvailable.cend())
        known = s.familyAvailable.insert(family, fontFamilyAvailable(family));
    s.hasFont = std::isfinite(sizePx) && sizePx > 0 && known.value();
    s.font = QFont(family);  // Qt applies the substitution when it loads the face
    s.font.setPixelSize(std::max(1, int(std::lround(std::clamp(s.hasFont ? sizePx : 1.0, 1.0, 1e5)))));
    s.font.setBold(style & 1);
    s.font.setItalic(style & 2);
    s.font.setUnderline(style & 4);
    s.font.setStrikeOut(style & 8);
    s.font.setHintingPreference(QFont::PreferNoHinting);
    s.font.setStyleStrategy(QFont::NoAntialias);
    s.fontBuilt = true;
}

bool TGraphP::hasFont() const { return m_state->hasFont; }

const QFont& TGraphP::font() const { return m_state->font; }
