#include "dxf/dxf_style.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "dxf/dxf_palette.h"

namespace dxf {
namespace {

constexpr std::array kLineweights = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                     53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
constexpr double kMillimetresPerUnit = 25.4 / 96;

struct LinetypeWord {
    const char* prefix;
    int dashStyle;
};
// Longest prefixes first: DASHDOT before DASH, DIVIDE before DOT.
constexpr LinetypeWord kLinetypeWords[] = {
    {"DASHDOT", 3}, {"CENTER", 3}, {"DIVIDE", 4}, {"PHANTOM", 4},
    {"DASH", 1},    {"HIDDEN", 1}, {"DOT", 2},
};

// Anchor k = 3 * row + column: rows bottom, middle, top; columns left,
// centre, right.
constexpr int kVerticalOfRow[3] = {1, 2, 3};

uint32_t rgbOf(int32_t ref) { return RefToRgb(ref); }

}  // namespace

PenLook PenLookOf(const AttributeTables& t, int32_t penKind, int32_t penRef, int32_t widthRef, int32_t lineTypeRef)
{
    PenLook look;
    switch (penKind) {
    case 1: if (const auto* e = entryAt(t.penColor, penRef)) look.rgb = rgbOf(e->color); break;
    case 2: if (const auto* e = entryAt(t.penAlphaColor, penRef)) look.rgb = rgbOf(e->color); break;
    case 3: if (const auto* e = entryAt(t.penHatch, penRef)) look.rgb = rgbOf(e->foreColor); break;
    case 5: if (const auto* e = entryAt(t.penGradient, penRef)) look.rgb = rgbOf(e->color1); break;
    default: break;
    }
    if (const auto* w = entryAt(t.width, widthRef); w && std::isfinite(w->width))
        look.width = std::max(0.0, w->width);
    if (const auto* l = entryAt(t.lineType, lineTypeRef))
        look.dashStyle = l->dashStyle >= 0 && l->dashStyle <= 4 ? l->dashStyle : 0;
    return look;
}

uint32_t BrushRgb(const AttributeTables& t, int32_t brushKind, int32_t brushRef)
{
    switch (brushKind) {
    case 1: if (const auto* e = entryAt(t.brushColor, brushRef)) return rgbOf(e->color); break;
    case 2: if (const auto* e = entryAt(t.brushAlphaColor, brushRef)) return rgbOf(e->color); break;
    case 3: if (const auto* e = entryAt(t.brushHatch, brushRef)) return rgbOf(e->foreColor); break;
    case 4: return 0xFFFFFF;
    case 5: if (const auto* e = entryAt(t.brushGradient, brushRef)) return rgbOf(e->color1); break;
    case 6: if (const auto* e = entryAt(t.brushRadial, brushRef)) return rgbOf(e->color1); break;
    default: break;
    }
    return 0;
}

int Lineweight(double widthUnits)
{
    const double hundredths = widthUnits * kMillimetresPerUnit * 100;
    int best = kLineweights.front();
    for (const int w : kLineweights)
        if (std::abs(w - hundredths) < std::abs(best - hundredths))
            best = w;
    return best;
}

double WidthOfLineweight(int lineweight)
{
    if (lineweight < 0 || lineweight > 211)
        return 1;
    return lineweight / 100.0 / kMillimetresPerUnit;
}

int DashStyleOfLinetype(std::string_view name)
{
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const LinetypeWord& word : kLinetypeWords)
        if (upper.rfind(word.prefix, 0) == 0)
            return word.dashStyle;
    return 0;
}

TextPlacement PlacementOfAnchor(int32_t anchor)
{
    if (anchor < 0 || anchor > 8)
        anchor = 0;
    return {anchor % 3, kVerticalOfRow[anchor / 3]};
}

int32_t AnchorOfPlacement(int horizontal, int vertical)
{
    // 3 aligned, 4 middle (of the whole text), 5 fit: as centre or left.
    const int column = horizontal == 1 || horizontal == 4 ? 1 : horizontal == 2 ? 2 : 0;
    const int row = vertical == 2 || horizontal == 4 ? 1 : vertical == 3 ? 2 : 0;
    return 3 * row + column;
}

int32_t AnchorOfAttachment(int attachment)
{
    if (attachment < 1 || attachment > 9)
        attachment = 1;
    const int column = (attachment - 1) % 3;
    const int row = 2 - (attachment - 1) / 3;
    return 3 * row + column;
}

std::string LayerNameFor(const std::string& name, int layer)
{
    std::string out;
    for (const char c : name)
        out += std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32
                   ? '_'
                   : c;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out.empty() ? "LAYER" + std::to_string(layer) : out;
}

}  // namespace dxf
