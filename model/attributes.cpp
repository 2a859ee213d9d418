// Find-or-append over the attribute tables, and the conversion of the current
// attributes into table references that every constructor shares.
#include "model/attributes.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
constexpr double kWidthTolerance = 0.000001;
constexpr double kAngleTolerance = 0.0000000001;
} // namespace

void AttributeTables::clear()
{
    *this = AttributeTables {};
}

bool sameEntry(const PenColorEntry& a, const PenColorEntry& b)
{
    return a.color == b.color;
}

bool sameEntry(const PenAlphaColorEntry& a, const PenAlphaColorEntry& b)
{
    return a.color == b.color && a.alpha == b.alpha;
}

bool sameEntry(const HatchEntry& a, const HatchEntry& b)
{
    return a.hatchStyle == b.hatchStyle && a.foreColor == b.foreColor && a.foreAlpha == b.foreAlpha
        && a.backColor == b.backColor && a.backAlpha == b.backAlpha;
}

// ASCII case folding: file names in other scripts compare exactly.
bool sameEntry(const ImageEntry& a, const ImageEntry& b)
{
    return std::equal(
        a.fileName.begin(), a.fileName.end(), b.fileName.begin(), b.fileName.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
}

bool sameEntry(const GradientEntry& a, const GradientEntry& b)
{
    return a.color1 == b.color1 && a.alpha1 == b.alpha1 && a.color2 == b.color2 && a.alpha2 == b.alpha2
        && std::fabs(a.angle - b.angle) < kAngleTolerance;
}

bool sameEntry(const RadialEntry& a, const RadialEntry& b)
{
    return a.color1 == b.color1 && a.alpha1 == b.alpha1 && a.color2 == b.color2 && a.alpha2 == b.alpha2;
}

bool sameEntry(const WidthEntry& a, const WidthEntry& b)
{
    return std::fabs(a.width - b.width) < kWidthTolerance;
}

bool sameEntry(const LineTypeEntry& a, const LineTypeEntry& b)
{
    return a.dashStyle == b.dashStyle && a.dashCap == b.dashCap;
}

namespace {
int32_t resolvePenRef(AttributeTables& t, const CurrentAttributes& c, int32_t penKind)
{
    switch (penKind) {
    case 2: return findOrAppend(t.penAlphaColor, PenAlphaColorEntry { 0, c.penColors[1], c.penAlphas[0] });
    case 3:
        return findOrAppend(t.penHatch,
            HatchEntry {
                0, c.penHatchStyle, c.penColors[2], c.penAlphas[1], c.penColors[3], c.penAlphas[2] });
    case 4: return findOrAppend(t.penImage, ImageEntry { 0, c.penImageFile });
    case 5:
        return findOrAppend(t.penGradient,
            GradientEntry {
                0, c.penColors[4], c.penAlphas[3], c.penColors[5], c.penAlphas[4], c.penGradientAngle });
    default: return findOrAppend(t.penColor, PenColorEntry { 0, c.penColors[0] });
    }
}

int32_t resolveBrushRef(AttributeTables& t, const CurrentAttributes& c, int32_t brushKind)
{
    switch (brushKind) {
    case 2:
        return findOrAppend(t.brushAlphaColor, PenAlphaColorEntry { 0, c.brushColors[1], c.brushAlphas[0] });
    case 3:
        return findOrAppend(t.brushHatch,
            HatchEntry { 0, c.brushHatchStyle, c.brushColors[2], c.brushAlphas[1], c.brushColors[3],
                c.brushAlphas[2] });
    case 4: return findOrAppend(t.brushImage, ImageEntry { 0, c.brushImageFile });
    case 5:
        return findOrAppend(t.brushGradient,
            GradientEntry { 0, c.brushColors[4], c.brushAlphas[3], c.brushColors[5], c.brushAlphas[4],
                c.brushGradientAngle });
    case 6:
        return findOrAppend(t.brushRadial,
            RadialEntry { 0, c.brushColors[6], c.brushAlphas[5], c.brushColors[7], c.brushAlphas[6] });
    default: return findOrAppend(t.brushColor, PenColorEntry { 0, c.brushColors[0] });
    }
}
} // namespace

// A kind outside the table's range resolves as the plain colour kind, so an
// element never points into a table its kind does not name.
PenRefs resolvePen(AttributeTables& t, const CurrentAttributes& c)
{
    PenRefs refs;
    refs.penKind = (c.penKind >= 1 && c.penKind <= 5) ? c.penKind : 1;
    refs.penRef = resolvePenRef(t, c, refs.penKind);
    refs.widthRef = findOrAppend(t.width, WidthEntry { 0, c.penWidth });
    refs.lineTypeRef = findOrAppend(t.lineType, LineTypeEntry { 0, c.dashStyle, c.dashCap });
    return refs;
}

BrushRefs resolveBrush(AttributeTables& t, const CurrentAttributes& c)
{
    BrushRefs refs;
    refs.brushKind = (c.brushKind >= 1 && c.brushKind <= 6) ? c.brushKind : 1;
    refs.brushRef = resolveBrushRef(t, c, refs.brushKind);
    return refs;
}
