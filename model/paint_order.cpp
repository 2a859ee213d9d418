// Gathering from the index and sorting into paint order. Small answers are
// sorted by (layer, position); large ones are marked in a byte per position
// and read back in registry order into layer buckets, which is linear.
#include "model/paint_order.h"

#include <algorithm>
#include <array>

void ElementsInPaintOrder(const Drawing& drawing, const WorldBox& area, std::vector<int32_t>& out)
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
            if (static_cast<size_t>(p) < indexed)
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
