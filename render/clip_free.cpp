// The rules follow the renderers: TGraphP::ApplyPen and strokePath send a
// solid colour pen wider than one device pixel with plain caps and no dashes
// to QPainter::strokePath (an outline Qt fills); colour, hatch and linear
// gradient brushes fill through QPainter::fillPath; RenderText draws an
// opaque colour with QPainter::drawText, which Qt's raster engine takes
// from its glyph cache under 64 pixels and fills as outlines above.
#include "render/clip_free.h"

#include <algorithm>
#include <cmath>

#include "model/data_visit.h"

namespace {

constexpr int32_t kColourPen = 1, kAlphaColourPen = 2;
// Well under the raster engine's cached glyph size, whatever the font adds.
constexpr double kCachedGlyphPx = 40;

// Cap codes that map to flat, round or square ends (TGraphP::SetPenCaps);
// codes out of its table map to flat.
constexpr bool plainCap(int32_t code) { return code == 0 || code == 1 || code == 3 || code < 0 || code > 7; }

// An entry that is missing keeps the pen or brush before it, which may be any.
bool strokedByQt(const Drawing& d, int32_t penKind, int32_t penRef, int32_t widthRef, int32_t lineTypeRef,
                 int32_t capCode, double scale)
{
    const AttributeTables& a = d.attributes;
    const bool colour = (penKind == kColourPen && entryAt(a.penColor, penRef)) ||
                        (penKind == kAlphaColourPen && entryAt(a.penAlphaColor, penRef));
    const WidthEntry* width = entryAt(a.width, widthRef);
    const double px = width ? width->width * scale : 0;
    const LineTypeEntry* lineType = entryAt(a.lineType, lineTypeRef);
    const bool solid = !lineType || lineType->dashStyle == 0;
    return colour && px > 1 && std::isfinite(px) && solid && plainCap(capCode);
}

bool filledByQt(const Drawing& d, int32_t brushKind, int32_t brushRef)
{
    const AttributeTables& a = d.attributes;
    switch (brushKind) {
    case 1: return entryAt(a.brushColor, brushRef) != nullptr;
    case 2: return entryAt(a.brushAlphaColor, brushRef) != nullptr;
    case 3: return entryAt(a.brushHatch, brushRef) != nullptr;
    case 5: return entryAt(a.brushGradient, brushRef) != nullptr;
    default: return false;
    }
}

bool opaqueColour(const AttributeTables& a, int32_t brushKind, int32_t brushRef)
{
    if (brushKind == 1)
        return entryAt(a.brushColor, brushRef) != nullptr;
    const PenAlphaColorEntry* e = brushKind == 2 ? entryAt(a.brushAlphaColor, brushRef) : nullptr;
    return e && e->alpha == 255;
}

bool outlined(int32_t fillMode) { return fillMode == 0 || fillMode == 2; }
bool filled(int32_t fillMode) { return fillMode == 1 || fillMode == 2; }

ClipFree sidesIf(bool fillsOnly) { return fillsOnly ? ClipFree::Sides : ClipFree::None; }

}  // namespace

ClipFree ClipFreedomOf(const Drawing& drawing, const ElementRef& ref, double scale)
{
    ClipFree freedom = ClipFree::None;
    visitElement(drawing, ref, [&](ElementKind, const auto& r) {
        if constexpr (requires { r.text; }) {
            const double em = std::fabs(r.size * scale) * std::max(1.0, std::fabs(r.xRatio));
            if (em < kCachedGlyphPx && opaqueColour(drawing.attributes, r.brushKind, r.brushRef))
                freedom = ClipFree::All;
            else
                freedom = sidesIf(filledByQt(drawing, r.brushKind, r.brushRef));
        } else if constexpr (requires { r.h.fillMode; }) {
            // Closed outlines end with flat or round caps.
            const ClosedHeader& h = r.h;
            freedom = sidesIf((!filled(h.fillMode) || filledByQt(drawing, h.brushKind, h.brushRef)) &&
                              (!outlined(h.fillMode) ||
                               strokedByQt(drawing, h.penKind, h.penRef, h.widthRef, h.lineTypeRef, 0, scale)));
        } else if constexpr (requires { r.h.endStyle; }) {
            const OutlineHeader& h = r.h;
            freedom = sidesIf(strokedByQt(drawing, h.penKind, h.penRef, h.widthRef, h.lineTypeRef, h.endStyle, scale));
        }
    });
    return freedom;
}
