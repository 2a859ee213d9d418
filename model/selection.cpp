// The selecting walks over the registry. Each filters dead elements and hidden
// layers (only the visible flag counts, not the in-use flag), appends what its
// test accepts, and finishes by rebuilding the control points.
#include "model/selection.h"

#include <algorithm>

#include "model/hit_test.h"

namespace {

bool selectable(const Drawing& drawing, const ElementRef& ref)
{
    return ref.live && drawing.layerVisible(drawing.layerOf(ref));
}

void finishSelection(Drawing& drawing)
{
    drawing.controlPoints.clear();
    if (drawing.selection.size() == 1) {
        const SelectionEntry& only = drawing.selection.front();
        BuildControlPoints(drawing, only.kind, only.index, only.registryPosition);
    }
}

// Appends every selectable element of positions [first, end) that accept()
// takes, stopping after the first when firstOnly. Returns whether any was.
template <class Accept>
bool selectWhere(Drawing& drawing, size_t first, size_t end, bool firstOnly, Accept accept)
{
    bool any = false;
    for (size_t pos = first; pos < end; ++pos) {
        const ElementRef& ref = drawing.registry[pos];
        if (!selectable(drawing, ref) || !accept(ref))
            continue;
        drawing.selection.push_back({static_cast<int32_t>(pos), ref.kind, ref.index});
        any = true;
        if (firstOnly)
            break;
    }
    finishSelection(drawing);
    return any;
}

}  // namespace

bool SelectAt(Drawing& drawing, double tolerance, double x, double y)
{
    return selectWhere(drawing, 0, drawing.registry.size(), true, [&](const ElementRef& ref) {
        return HitTestElement(drawing, ref, tolerance, {x, y});
    });
}

// The 1e-10 growth lets an element that touches the border exactly count as
// inside even though the point tests themselves are strict.
bool SelectInRange(Drawing& drawing, double x1, double y1, double x2, double y2)
{
    constexpr double kGrow = 1e-10;
    const BoundsD box{std::min(x1, x2) - kGrow, std::min(y1, y2) - kGrow, std::max(x1, x2) + kGrow,
                      std::max(y1, y2) + kGrow};
    return selectWhere(drawing, 0, drawing.registry.size(), false,
                       [&](const ElementRef& ref) { return ElementInsideBox(drawing, ref, box); });
}

bool SelectAll(Drawing& drawing)
{
    return selectWhere(drawing, 0, drawing.registry.size(), false, [](const ElementRef&) { return true; });
}

bool SelectRegistrySpan(Drawing& drawing, int32_t first, int32_t last)
{
    if (last < first)
        return false;
    const auto size = static_cast<int64_t>(drawing.registry.size());
    const int64_t begin = std::clamp<int64_t>(first, 0, size);
    const int64_t end = std::clamp<int64_t>(int64_t{last} + 1, begin, size);
    return selectWhere(drawing, static_cast<size_t>(begin), static_cast<size_t>(end), false,
                       [](const ElementRef&) { return true; });
}

void ClearSelection(Drawing& drawing)
{
    drawing.selection.clear();
    drawing.selection.shrink_to_fit();
    drawing.controlPoints.clear();
    drawing.controlPoints.shrink_to_fit();
}
