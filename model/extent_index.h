// The painted extents of all elements by registry position, and a spatial
// index over them that answers "which positions meet this box". Extents are
// filled as elements are appended and never change (records are immutable);
// dead elements keep theirs for undo, so the index ignores liveness and the
// callers filter it. A static packed tree (Hilbert-sorted, 16 entries a node)
// holds the positions up to the last settle; what was appended since is
// scanned directly until settle() merges it. Boxes are floats rounded
// outwards; an element whose extent cannot be trusted meets every box.
// Each position also keeps its margin in canvas pixels (what its renderer adds
// whatever the zoom). About 24 bytes per element.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>


// The most canvas pixels any renderer adds beyond a painted extent.
inline constexpr double kExtentMarginPx = 24;

// A box in drawing units. One whose numbers cannot be trusted (NaN,
// overflow) meets everything. marginPx: what the renderer adds in canvas
// pixels whatever the zoom (at most kExtentMarginPx).
struct WorldBox {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool trusted = true;
    double marginPx = kExtentMarginPx;
};

struct ExtentBoxF {
    float x0, y0, x1, y1;
    bool meets(const ExtentBoxF& o) const { return x0 <= o.x1 && x1 >= o.x0 && y0 <= o.y1 && y1 >= o.y0; }
};

// Outward float box of a world box; untrusted boxes become the whole plane.
ExtentBoxF ToExtentBoxF(const WorldBox& box);

class ExtentIndex {
public:
    void clear();
    // The extent and layer of the next registry position (-1: no record).
    void append(const WorldBox& box, int32_t layer);
    size_t size() const { return m_boxes.size(); }
    const ExtentBoxF& box(size_t position) const { return m_boxes[position]; }
    int32_t layer(size_t position) const { return m_layers[position]; }
    double marginPx(size_t position) const { return m_margins[position]; }

    // Merges what was appended since the last build into the tree once it has
    // grown past a share of the tree. Not thread-safe; queries are.
    void settle();
    // Calls hit(position) for every indexed position whose box meets area,
    // in no particular order.
    template <class Hit> void query(const ExtentBoxF& area, Hit&& hit) const;
    size_t memoryBytes() const;

private:
    void build();

    std::vector<ExtentBoxF> m_boxes;
    std::vector<int16_t> m_layers;
    std::vector<uint8_t> m_margins;
    size_t m_treeCount = 0;            // positions [0, m_treeCount) are in the tree
    std::vector<int32_t> m_leaves;     // the tree's trusted positions, Hilbert order
    std::vector<ExtentBoxF> m_nodes;   // node boxes, leaf level first
    std::vector<size_t> m_levelStart;  // offset of each level in m_nodes, plus the end
    std::vector<int32_t> m_always;     // untrusted positions below m_treeCount
};

inline constexpr size_t kIndexNodeSize = 16;

template <class Hit> void ExtentIndex::query(const ExtentBoxF& area, Hit&& hit) const
{
    for (const int32_t p : m_always)
        hit(p);
    if (!m_levelStart.empty() && m_levelStart.size() > 1) {
        struct Item {
            size_t level, node;
        };
        std::vector<Item> stack;
        const size_t top = m_levelStart.size() - 2;
        for (size_t n = 0; n < m_levelStart[top + 1] - m_levelStart[top]; ++n)
            stack.push_back({top, n});
        while (!stack.empty()) {
            const Item item = stack.back();
            stack.pop_back();
            if (!m_nodes[m_levelStart[item.level] + item.node].meets(area))
                continue;
            const size_t first = item.node * kIndexNodeSize;
            if (item.level == 0) {
                const size_t last = std::min(first + kIndexNodeSize, m_leaves.size());
                for (size_t i = first; i < last; ++i)
                    if (m_boxes[static_cast<size_t>(m_leaves[i])].meets(area))
                        hit(m_leaves[i]);
                continue;
            }
            const size_t below = m_levelStart[item.level] - m_levelStart[item.level - 1];
            const size_t last = std::min(first + kIndexNodeSize, below);
            for (size_t n = first; n < last; ++n)
                stack.push_back({item.level - 1, n});
        }
    }
    for (size_t p = m_treeCount; p < m_boxes.size(); ++p)
        if (m_boxes[p].meets(area))
            hit(static_cast<int32_t>(p));
}
