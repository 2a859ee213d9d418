// Find-or-append over the attribute tables, and the conversion of the current
// attributes into table references that every constructor shares.
#include "model/attributes.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
constexpr double kWidthTolerance = 0.000001;
constexpr double kAngleTolerance = 0.0000000001;

// ASCII case folding: file names in other scripts compare exactly.
bool sameFileName(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

template <class Entry, class Pred>
int32_t findFirst(const std::vector<Entry>& table, Pred&& equal)
{
    const auto it = std::find_if(table.begin(), table.end(), equal);
    return it == table.end() ? -1 : static_cast<int32_t>(it - table.begin());
}

bool sameHatch(const HatchEntry& a, const HatchEntry& b)
{
    return a.hatchStyle == b.hatchStyle && a.foreColor == b.foreColor && a.foreAlpha == b.foreAlpha
        && a.backColor == b.backColor && a.backAlpha == b.backAlpha;
}

bool sameGradient(const GradientEntry& a, const GradientEntry& b)
{
    return a.color1 == b.color1 && a.alpha1 == b.alpha1 && a.color2 == b.color2 && a.alpha2 == b.alpha2
        && std::fabs(a.angle - b.angle) < kAngleTolerance;
}

}  // namespace

void AttributeTables::clear()
{
    *this = AttributeTables{};
}

int32_t findPenColor(const AttributeTables& t, int32_t color)
{
    return findFirst(t.penColor, [&](const PenColorEntry& e) { return e.color == color; });
}

int32_t findPenAlphaColor(const AttributeTables& t, int32_t color, int32_t alpha)
{
    return findFirst(t.penAlphaColor,
                     [&](const PenAlphaColorEntry& e) { return e.color == color && e.alpha == alpha; });
}

int32_t findPenHatch(const AttributeTables& t, const HatchEntry& h)
{
    return findFirst(t.penHatch, [&](const HatchEntry& e) { return sameHatch(e, h); });
}

int32_t findPenImage(const AttributeTables& t, const std::string& fileName)
{
    return findFirst(t.penImage, [&](const ImageEntry& e) { return sameFileName(e.fileName, fileName); });
}

int32_t findPenGradient(const AttributeTables& t, const GradientEntry& g)
{
    return findFirst(t.penGradient, [&](const GradientEntry& e) { return sameGradient(e, g); });
}

int32_t findWidth(const AttributeTables& t, double width)
{
    return findFirst(t.width, [&](const WidthEntry& e) { return std::fabs(e.width - width) < kWidthTolerance; });
}

int32_t findLineType(const AttributeTables& t, int32_t dashStyle, int32_t dashCap)
{
    return findFirst(t.lineType,
                     [&](const LineTypeEntry& e) { return e.dashStyle == dashStyle && e.dashCap == dashCap; });
}

int32_t findBrushColor(const AttributeTables& t, int32_t color)
{
    return findFirst(t.brushColor, [&](const PenColorEntry& e) { return e.color == color; });
}

int32_t findBrushAlphaColor(const AttributeTables& t, int32_t color, int32_t alpha)
{
    return findFirst(t.brushAlphaColor,
                     [&](const PenAlphaColorEntry& e) { return e.color == color && e.alpha == alpha; });
}

int32_t findBrushHatch(const AttributeTables& t, const HatchEntry& h)
{
    return findFirst(t.brushHatch, [&](const HatchEntry& e) { return sameHatch(e, h); });
}

int32_t findBrushImage(const AttributeTables& t, const std::string& fileName)
{
    return findFirst(t.brushImage, [&](const ImageEntry& e) { return sameFileName(e.fileName, fileName); });
}

int32_t findBrushGradient(const AttributeTables& t, const GradientEntry& g)
{
    return findFirst(t.brushGradient, [&](const GradientEntry& e) { return sameGradient(e, g); });
}

int32_t findBrushRadial(const AttributeTables& t, const RadialEntry& r)
{
    return findFirst(t.brushRadial, [&](const RadialEntry& e) {
        return e.color1 == r.color1 && e.alpha1 == r.alpha1 && e.color2 == r.color2 && e.alpha2 == r.alpha2;
    });
}

namespace {
int32_t orAppend(int32_t found, auto& table, auto entry)
{
    return found >= 0 ? found : appendEntry(table, std::move(entry));
}

int32_t resolvePenRef(AttributeTables& t, const CurrentAttributes& c, int32_t penKind)
{
    switch (penKind) {
    case 2: return orAppend(findPenAlphaColor(t, c.penColors[1], c.penAlphas[0]), t.penAlphaColor,
                            PenAlphaColorEntry{0, c.penColors[1], c.penAlphas[0]});
    case 3: {
        const HatchEntry h{0, c.penHatchStyle, c.penColors[2], c.penAlphas[1], c.penColors[3], c.penAlphas[2]};
        return orAppend(findPenHatch(t, h), t.penHatch, h);
    }
    case 4: return orAppend(findPenImage(t, c.penImageFile), t.penImage, ImageEntry{0, c.penImageFile});
    case 5: {
        const GradientEntry g{0, c.penColors[4], c.penAlphas[3], c.penColors[5], c.penAlphas[4],
                              c.penGradientAngle};
        return orAppend(findPenGradient(t, g), t.penGradient, g);
    }
    default: return orAppend(findPenColor(t, c.penColors[0]), t.penColor, PenColorEntry{0, c.penColors[0]});
    }
}

int32_t resolveBrushRef(AttributeTables& t, const CurrentAttributes& c, int32_t brushKind)
{
    switch (brushKind) {
    case 2: return orAppend(findBrushAlphaColor(t, c.brushColors[1], c.brushAlphas[0]), t.brushAlphaColor,
                            PenAlphaColorEntry{0, c.brushColors[1], c.brushAlphas[0]});
    case 3: {
        const HatchEntry h{0, c.brushHatchStyle, c.brushColors[2], c.brushAlphas[1], c.brushColors[3],
                           c.brushAlphas[2]};
        return orAppend(findBrushHatch(t, h), t.brushHatch, h);
    }
    case 4: return orAppend(findBrushImage(t, c.brushImageFile), t.brushImage, ImageEntry{0, c.brushImageFile});
    case 5: {
        const GradientEntry g{0, c.brushColors[4], c.brushAlphas[3], c.brushColors[5], c.brushAlphas[4],
                              c.brushGradientAngle};
        return orAppend(findBrushGradient(t, g), t.brushGradient, g);
    }
    case 6: {
        const RadialEntry r{0, c.brushColors[6], c.brushAlphas[5], c.brushColors[7], c.brushAlphas[6]};
        return orAppend(findBrushRadial(t, r), t.brushRadial, r);
    }
    default:
        return orAppend(findBrushColor(t, c.brushColors[0]), t.brushColor, PenColorEntry{0, c.brushColors[0]});
    }
}
}  // namespace

// A kind outside the table's range resolves as the plain colour kind, so an
// element never points into a table its kind does not name.
PenRefs resolvePen(AttributeTables& t, const CurrentAttributes& c)
{
    PenRefs refs;
    refs.penKind = (c.penKind >= 1 && c.penKind <= 5) ? c.penKind : 1;
    refs.penRef = resolvePenRef(t, c, refs.penKind);
    refs.widthRef = orAppend(findWidth(t, c.penWidth), t.width, WidthEntry{0, c.penWidth});
    refs.lineTypeRef = orAppend(findLineType(t, c.dashStyle, c.dashCap), t.lineType,
                                LineTypeEntry{0, c.dashStyle, c.dashCap});
    return refs;
}

BrushRefs resolveBrush(AttributeTables& t, const CurrentAttributes& c)
{
    BrushRefs refs;
    refs.brushKind = (c.brushKind >= 1 && c.brushKind <= 6) ? c.brushKind : 1;
    refs.brushRef = resolveBrushRef(t, c, refs.brushKind);
    return refs;
}
