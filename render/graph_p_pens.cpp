// TGraphP, part two: the pen and the five brushes built from colours, hatch
// styles, image files and gradient ends. The "pen object" is the Paint its
// strokes are filled with plus the stored width, dashes, caps and join, so
// rebuilding a pen of another construction keeps the stored state as the
// original platform re-applies it.
#include "render/graph_p.h"

#include <cmath>

#include "render/graph_p_state.h"
#include "render/hatch.h"
#include "render/texture.h"

namespace {

// Attribute codes (dialogs, drawing files) to the platform values stroke.h uses.
constexpr int kCapCodes[] = {LineCap::Flat,         LineCap::Round,         LineCap::Triangle,
                             LineCap::Square,       LineCap::RoundAnchor,   LineCap::DiamondAnchor,
                             LineCap::SquareAnchor, LineCap::ArrowAnchor};
constexpr int kJoinCodes[] = {LineJoin::Miter, LineJoin::Round, LineJoin::Bevel, LineJoin::MiterClipped};

template <size_t N>
int mapCode(const int (&table)[N], int code)
{
    return (code >= 0 && code < int(N)) ? table[code] : table[0];
}

bool finitePoint(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// A linear gradient needs two distinct, finite ends; the original refuses
// to build one otherwise.
bool validGradientEnds(QPointF p1, QPointF p2) { return finitePoint(p1) && finitePoint(p2) && p1 != p2; }

Paint hatchPaint(int style, QRgb fore, QRgb back)
{
    Paint paint;
    paint.kind = Paint::Kind::Hatch;
    paint.hatchStyle = normalHatchStyle(style);
    paint.fore = fore;
    paint.back = back;
    paint.texture = hatchCell(paint.hatchStyle, fore, back);
    return paint;
}

Paint linearPaint(QRgb start, QRgb end, QPointF p1, QPointF p2)
{
    Paint paint;
    paint.kind = Paint::Kind::Linear;
    paint.start = start;
    paint.end = end;
    paint.p1 = p1;
    paint.p2 = p2;
    return paint;
}

Paint texturePaint(const QImage& image)
{
    Paint paint;
    paint.kind = Paint::Kind::Texture;
    paint.texture = image;
    return paint;
}

}  // namespace

// --- pen ------------------------------------------------------------------------------

bool TGraphP::SetPenArgb(QRgb argb)
{
    State& s = *m_state;
    if (!s.hasPen)
        s.penWidth = 1.0f;  // a new pen starts 1 pixel wide
    s.hasPen = true;
    s.penColor = argb;
    s.penPaint = Paint::solid(argb);
    return true;
}

bool TGraphP::SetPenColourRef(int32_t colourRef) { return SetPenArgb(ToARGB(colourRef)); }

void TGraphP::SetPenArgbParts(int alpha, int red, int green, int blue) { SetPenArgb(MakeARGB(alpha, red, green, blue)); }

void TGraphP::SetPenOpaque(int red, int green, int blue) { SetPenArgbParts(255, red, green, blue); }

void TGraphP::SetPenWidth(double widthPx)
{
    // Negative or non-finite widths (a corrupt width table) draw as thin lines.
    m_state->penWidth = (std::isfinite(widthPx) && widthPx > 0) ? float(widthPx) : 0.0f;
}

void TGraphP::SetPenCaps(int which, int capCode)
{
    const int cap = mapCode(kCapCodes, capCode);
    if (which & 1)
        m_state->startCap = cap;
    if (which & 2)
        m_state->endCap = cap;
}

void TGraphP::SetDashStyle(int code)
{
    m_state->dashStyle = (code >= DashStyle::Solid && code <= DashStyle::Custom) ? code : DashStyle::Solid;
}

void TGraphP::SetDashCap(int code)
{
    m_state->dashCap = code == 1 ? DashCap::Round : code == 2 ? DashCap::Triangle : DashCap::Flat;
}

void TGraphP::SetDashPattern(const float* values, int count)
{
    State& s = *m_state;
    s.dashCount = values ? std::clamp(count, 0, int(s.dashPattern.size())) : 0;
    std::copy(values, values + s.dashCount, s.dashPattern.begin());
}

void TGraphP::SetLineJoin(int code) { m_state->lineJoin = mapCode(kJoinCodes, code); }

void TGraphP::MakeHatchPen(int style, QRgb fore, QRgb back)
{
    m_state->hasPen = true;
    m_state->penPaint = hatchPaint(style, fore, back);
}

void TGraphP::MakeImagePen(const QString& path)
{
    const TextureResult texture = loadTexture(path);
    switch (texture.status) {
    case TextureLoad::Missing:
        return;  // the previous pen stays; ApplyPen restyles it
    case TextureLoad::Failed:
        m_state->hasPen = true;
        m_state->penPaint = Paint::solid(m_state->penColor);
        return;
    case TextureLoad::Ok:
        m_state->hasPen = true;
        m_state->penPaint = texturePaint(texture.image);
        return;
    }
}

void TGraphP::MakeGradientPen(QRgb start, QRgb end, QPointF p1, QPointF p2)
{
    m_state->hasPen = true;
    m_state->penPaint =
        validGradientEnds(p1, p2) ? linearPaint(start, end, p1, p2) : Paint::solid(m_state->penColor);
}

// --- brushes ----------------------------------------------------------------------------

bool TGraphP::SetSolidBrush(QRgb argb)
{
    m_state->activeBrush = ActiveBrush::Solid;
    m_state->hasSolidBrush = true;
    m_state->brushColor = argb;
    m_state->solidBrush.colour = argb;
    return true;
}

bool TGraphP::SetSolidBrushColourRef(int32_t colourRef) { return SetSolidBrush(ToARGB(colourRef)); }

void TGraphP::SetSolidBrushParts(int alpha, int red, int green, int blue)
{
    SetSolidBrush(MakeARGB(alpha, red, green, blue));
}

void TGraphP::SetSolidBrushOpaque(int red, int green, int blue) { SetSolidBrushParts(255, red, green, blue); }

void TGraphP::MakeHatchBrush(int style, QRgb fore, QRgb back)
{
    m_state->hatchBrush = hatchPaint(style, fore, back);
    m_state->activeBrush = ActiveBrush::Hatch;
}

void TGraphP::MakeHatchBrushRefs(int style, int32_t foreRef, int32_t backRef)
{
    MakeHatchBrush(style, ToARGB(foreRef), ToARGB(backRef));
}

void TGraphP::MakeTextureBrush(const QString& path)
{
    m_state->activeBrush = ActiveBrush::Solid;
    const TextureResult texture = loadTexture(path);
    if (texture.status != TextureLoad::Ok)
        return;  // fills use the solid brush with its last colour
    m_state->textureBrush = texturePaint(texture.image);
    m_state->activeBrush = ActiveBrush::Texture;
}

void TGraphP::MakeLinearGradientBrush(QRgb start, QRgb end, QPointF p1, QPointF p2)
{
    m_state->activeBrush = ActiveBrush::Solid;
    if (!validGradientEnds(p1, p2))
        return;
    m_state->linearBrush = linearPaint(start, end, p1, p2);
    m_state->activeBrush = ActiveBrush::Linear;
}

void TGraphP::MakePathGradientBrush(QRgb centre, QRgb surround, double cx, double cy)
{
    m_state->activeBrush = ActiveBrush::Solid;
    if (m_path.isEmpty() || !finitePoint(QPointF(cx, cy)))
        return;
    Paint paint;
    paint.kind = Paint::Kind::PathGradient;
    paint.start = centre;
    paint.end = surround;
    paint.p1 = QPointF(cx, cy);
    paint.outline = m_path;
    m_state->pathBrush = paint;
    m_state->activeBrush = ActiveBrush::PathGradient;
}

QColor TGraphP::penColor() const { return QColor::fromRgba(m_state->penColor); }

QColor TGraphP::brushColor() const { return QColor::fromRgba(m_state->brushColor); }
