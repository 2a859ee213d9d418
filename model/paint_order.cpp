// Gathering from the index and sorting into paint order. Small answers are
// sorted by (layer, position); large ones are marked in a byte per position
// and read back in registry order into layer buckets, which is linear.
#include "model/paint_order.h"

#include <algorithm>
#include <array>

#include "model/element_extent.h"

namespace {

// Whether an indexed position is a candidate; all are without a filter.
struct NoFilter {
    bool operator()(size_t) const { return true; }
};

// Keeps the positions whose box, grown by their own margin, meets the area.
struct OwnMargin {
    const ExtentIndex& extents;
    WorldBox area;  // without margin
    double unitsPerPixel;

    bool operator()(size_t p) const
    {
        const ExtentBoxF& b = extents.box(p);
        const double m = extents.marginPx(p) * unitsPerPixel;
        // Written so that any NaN keeps the element.
        return !(b.x1 + m < area.x0 || b.x0 - m > area.x1 || b.y1 + m < area.y0 || b.y0 - m > area.y1);
    }
};

template <class Filter>
void inPaintOrder(const Drawing& drawing, const WorldBox& area, Filter&& keep, std::vector<int32_t>& out)
{
    out.clear();
    const size_t n = drawing.registry.size();
    const size_t indexed = std::min(n, drawing.extents.size());
    std::vector<uint64_t> keyed;
    auto take = [&](int32_t position, int32_t layer) {
        if (drawing.registry[static_cast<size_t>(position)].live && drawing.layerVisible(layer))
            keyed.push_back(uint64_t(uint32_t(layer)) << 32 | uint32_t(position));
    };
    if (area.trusted) {
        drawing.extents.query(ToExtentBoxF(area), [&](int32_t p) {
            if (static_cast<size_t>(p) < indexed && keep(static_cast<size_t>(p)))
                take(p, drawing.extents.layer(static_cast<size_t>(p)));
        });
    } else {
        for (size_t p = 0; p < indexed; ++p)
            take(static_cast<int32_t>(p), drawing.extents.layer(p));
    }
    // Entries the appends did not index (made by hand) are always candidates.
    for (size_t p = indexed; p < n; ++p)
        take(static_cast<int32_t>(p), drawing.layerOf(drawing.registry[p]));
    if (keyed.size() < n / 32 + 1024) {
        std::sort(keyed.begin(), keyed.end());
        out.reserve(keyed.size());
        for (const uint64_t k : keyed)
            out.push_back(static_cast<int32_t>(k & 0xFFFFFFFFu));
        return;
    }
    std::vector<uint16_t> layerPlusOne(n, 0);
    std::array<size_t, kLayerCount + 1> start{};
    for (const uint64_t k : keyed) {
        const auto layer = static_cast<size_t>(k >> 32);
        layerPlusOne[k & 0xFFFFFFFFu] = static_cast<uint16_t>(layer + 1);
        ++start[layer + 1];
    }
    for (size_t l = 1; l < start.size(); ++l)
        start[l] += start[l - 1];
    out.resize(keyed.size());
    for (size_t p = 0; p < n; ++p)
        if (layerPlusOne[p])
            out[start[layerPlusOne[p] - 1u]++] = static_cast<int32_t>(p);
}

}  // namespace

void ElementsInPaintOrder(const Drawing& drawing, const WorldBox& area, std::vector<int32_t>& out)
{
    inPaintOrder(drawing, area, NoFilter{}, out);
}

void ElementsInPaintOrder(const Drawing& drawing, const ViewTransform& view, double left, double top, double right,
                          double bottom, std::vector<int32_t>& out)
{
    const WorldBox worst = CanvasAreaInWorld(view, left, top, right, bottom);
    const WorldBox tight = CanvasAreaInWorld(view, left, top, right, bottom, 0);
    if (!tight.trusted)
        return inPaintOrder(drawing, worst, NoFilter{}, out);
    inPaintOrder(drawing, worst, OwnMargin{drawing.extents, tight, 1 / view.scale}, out);
}
