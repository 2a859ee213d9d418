// The rules follow RenderText: an opaque colour brush draws the string with
// QPainter::drawText, any other brush fills the glyph outlines, and Qt's
// raster engine caches glyphs only under 64 pixels (larger ones are filled).
#include "render/clip_free.h"

#include <algorithm>
#include <cmath>

#include "model/data_visit.h"

namespace {

// Well under the raster engine's cached glyph size, whatever the font adds.
constexpr double kCachedGlyphPx = 40;

// A brush whose entry is missing keeps the one before it, which may be any.
bool opaqueColour(const AttributeTables& a, int32_t brushKind, int32_t brushRef)
{
    if (brushKind == 1)
        return entryAt(a.brushColor, brushRef) != nullptr;
    const PenAlphaColorEntry* e = brushKind == 2 ? entryAt(a.brushAlphaColor, brushRef) : nullptr;
    return e && e->alpha == 255;
}

}  // namespace

bool DrawnAlikeWhereverClipped(const Drawing& drawing, const ElementRef& ref, double scale)
{
    bool alike = false;
    visitElement(drawing, ref, [&](ElementKind, const auto& r) {
        if constexpr (requires { r.text; }) {
            const double em = std::fabs(r.size * scale) * std::max(1.0, std::fabs(r.xRatio));
            alike = em < kCachedGlyphPx && opaqueColour(drawing.attributes, r.brushKind, r.brushRef);
        }
    });
    return alike;
}
