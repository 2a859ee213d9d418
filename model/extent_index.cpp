// Building the packed tree: positions sorted along a Hilbert curve over the
// box centres, then node boxes level by level, 16 children a node.
#include "model/extent_index.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

float lowerFloat(double v)
{
    if (!(v >= -double(FLT_MAX)))
        return -kInf;
    if (v > double(FLT_MAX))
        return FLT_MAX;
    const auto f = static_cast<float>(v);
    return double(f) > v ? std::nextafter(f, -kInf) : f;
}

float upperFloat(double v)
{
    if (!(v <= double(FLT_MAX)))
        return kInf;
    if (v < -double(FLT_MAX))
        return -FLT_MAX;
    const auto f = static_cast<float>(v);
    return double(f) < v ? std::nextafter(f, kInf) : f;
}

// Distance along the Hilbert curve of a 65536 x 65536 grid.
uint32_t hilbert(uint32_t x, uint32_t y)
{
    constexpr uint32_t n = 1u << 16;
    uint32_t d = 0;
    for (uint32_t s = n / 2; s > 0; s /= 2) {
        const uint32_t rx = (x & s) ? 1 : 0, ry = (y & s) ? 1 : 0;
        d += s * s * ((3 * rx) ^ ry);
        if (ry == 0) {
            if (rx == 1) {
                x = n - 1 - x;
                y = n - 1 - y;
            }
            std::swap(x, y);
        }
    }
    return d;
}

bool unbounded(const ExtentBoxF& b)
{
    return !(std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) && std::isfinite(b.y1));
}

ExtentBoxF emptyBox() { return {kInf, kInf, -kInf, -kInf}; }

void unite(ExtentBoxF& into, const ExtentBoxF& b)
{
    into.x0 = std::min(into.x0, b.x0), into.y0 = std::min(into.y0, b.y0);
    into.x1 = std::max(into.x1, b.x1), into.y1 = std::max(into.y1, b.y1);
}

}  // namespace

ExtentBoxF ToExtentBoxF(const WorldBox& box)
{
    if (!box.trusted)
        return {-kInf, -kInf, kInf, kInf};
    return {lowerFloat(box.x0), lowerFloat(box.y0), upperFloat(box.x1), upperFloat(box.y1)};
}

void ExtentIndex::clear()
{
    *this = ExtentIndex{};
}

void ExtentIndex::append(const WorldBox& box, int32_t layer)
{
    m_boxes.push_back(ToExtentBoxF(box));
    m_layers.push_back(layer >= 0 && layer < 256 ? static_cast<int16_t>(layer) : int16_t{-1});
    // Rounded up; anything not a sound number below the worst case is the worst case.
    const double margin = box.marginPx >= 0 && box.marginPx < kExtentMarginPx ? std::ceil(box.marginPx) : kExtentMarginPx;
    m_margins.push_back(static_cast<uint8_t>(margin));
}

void ExtentIndex::settle()
{
    const size_t tail = m_boxes.size() - m_treeCount;
    if (tail > 4096 + m_treeCount / 8)
        build();
}

void ExtentIndex::build()
{
    m_treeCount = m_boxes.size();
    m_always.clear();
    m_leaves.clear();
    m_nodes.clear();
    m_levelStart.clear();
    ExtentBoxF all = emptyBox();
    for (size_t p = 0; p < m_treeCount; ++p)
        if (!unbounded(m_boxes[p]))
            unite(all, m_boxes[p]);
    const double w = std::max(double(all.x1) - all.x0, 1e-30), h = std::max(double(all.y1) - all.y0, 1e-30);
    std::vector<uint64_t> keyed;
    keyed.reserve(m_treeCount);
    for (size_t p = 0; p < m_treeCount; ++p) {
        const ExtentBoxF& b = m_boxes[p];
        if (unbounded(b)) {
            m_always.push_back(static_cast<int32_t>(p));
            continue;
        }
        const double cx = ((double(b.x0) + b.x1) / 2 - all.x0) / w, cy = ((double(b.y0) + b.y1) / 2 - all.y0) / h;
        const auto gx = static_cast<uint32_t>(std::clamp(cx, 0.0, 1.0) * 65535);
        const auto gy = static_cast<uint32_t>(std::clamp(cy, 0.0, 1.0) * 65535);
        keyed.push_back(uint64_t{hilbert(gx, gy)} << 32 | p);
    }
    std::sort(keyed.begin(), keyed.end());
    m_leaves.reserve(keyed.size());
    for (const uint64_t k : keyed)
        m_leaves.push_back(static_cast<int32_t>(k & 0xFFFFFFFFu));
    keyed = {};
    if (m_leaves.empty())
        return;
    // Leaf level, then each level over the one below until one node is left.
    m_levelStart.push_back(0);
    for (size_t i = 0; i < m_leaves.size(); i += kIndexNodeSize) {
        ExtentBoxF box = emptyBox();
        for (size_t j = i; j < std::min(i + kIndexNodeSize, m_leaves.size()); ++j)
            unite(box, m_boxes[static_cast<size_t>(m_leaves[j])]);
        m_nodes.push_back(box);
    }
    m_levelStart.push_back(m_nodes.size());
    while (m_levelStart.back() - m_levelStart[m_levelStart.size() - 2] > 1) {
        const size_t from = m_levelStart[m_levelStart.size() - 2], to = m_levelStart.back();
        for (size_t i = from; i < to; i += kIndexNodeSize) {
            ExtentBoxF box = emptyBox();
            for (size_t j = i; j < std::min(i + kIndexNodeSize, to); ++j)
                unite(box, m_nodes[j]);
            m_nodes.push_back(box);
        }
        m_levelStart.push_back(m_nodes.size());
    }
}

size_t ExtentIndex::memoryBytes() const
{
    return m_boxes.capacity() * sizeof(ExtentBoxF) + m_layers.capacity() * sizeof(int16_t) + m_margins.capacity() +
           m_leaves.capacity() * sizeof(int32_t) + m_nodes.capacity() * sizeof(ExtentBoxF) +
           m_always.capacity() * sizeof(int32_t) + m_levelStart.capacity() * sizeof(size_t);
}
