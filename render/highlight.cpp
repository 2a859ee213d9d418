#include "render/highlight.h"

#include "render/renderers.h"

namespace {

constexpr int32_t kGripColourRef = 0x008000; // 0x00BBGGRR: dark green

void drawGrips(TGraphP& g, const ViewTransform& view, const Drawing& d)
{
    for (const ControlPoint& p : d.controlPoints) {
        const double x = view.toScreenX(p.x), y = view.toScreenY(p.y);
        g.DrawRectangle(QRectF(x - kGripHalfSide, y - kGripHalfSide, 2 * kGripHalfSide, 2 * kGripHalfSide));
    }
}

void solidPen(TGraphP& g)
{
    g.SetPenWidth(1.0);
    g.SetDashStyle(0);
    g.SetDashCap(0);
    g.SetPenCaps(3, 0);
}

} // namespace

void BeginHighlight(TGraphP& g, int level, const ViewTransform& view, const Drawing& d)
{
    g.SetPenOpaque(255, 255, 255);
    solidPen(g);
    g.SetSolidBrushOpaque(255, 255, 255);
    if (level < 0)
        drawGrips(g, view, d);
    g.SetPenOpaque(0, 0, 0);
}

void HighlightElement(TGraphP& g, int level, const ViewTransform& view, const Drawing& d, int32_t registryPosition)
{
    const auto pos = static_cast<size_t>(registryPosition);
    if (pos < d.registry.size())
        RenderElement(g, level, view, d, d.registry[pos]);
}

void EndHighlight(TGraphP& g, int level, const ViewTransform& view, const Drawing& d)
{
    if (level >= 0 && !d.controlPoints.empty()) {
        g.SetPenColourRef(kGripColourRef);
        solidPen(g);
        drawGrips(g, view, d);
    }
}

void DrawHighlight(TGraphP& g, int level, const ViewTransform& view, const Drawing& d)
{
    BeginHighlight(g, level, view, d);
    for (const SelectionEntry& s : d.selection)
        HighlightElement(g, level, view, d, s.registryPosition);
    EndHighlight(g, level, view, d);
}

void BlinkLevel::step()
{
    if (falling) {
        if (--level < 0) {
            level = 1;
            falling = false;
        }
    } else if (++level > kHighlightTopLevel) {
        level = kHighlightTopLevel;
        falling = true;
    }
}
