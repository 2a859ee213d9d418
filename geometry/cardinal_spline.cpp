#include "geometry/cardinal_spline.h"

#include <algorithm>
#include <cstddef>

std::vector<PointD> CardinalBeziers(std::span<const PointD> points, bool closed)
{
    // The segment P(i) -> P(i+1) has controls P(i) + k (P(i+1) - P(i-1)) and
    // P(i+1) - k (P(i+2) - P(i)), k = tension / 3; an open curve repeats its
    // end points as neighbours.
    std::vector<PointD> out;
    const auto n = static_cast<std::ptrdiff_t>(points.size());
    if (n < 2)
        return out;
    constexpr double k = 0.5 / 3.0;
    auto at = [&](std::ptrdiff_t i) {
        return closed ? points[static_cast<size_t>(((i % n) + n) % n)]
                      : points[static_cast<size_t>(std::clamp<std::ptrdiff_t>(i, 0, n - 1))];
    };
    out.push_back(points[0]);
    for (std::ptrdiff_t i = 0, segments = closed ? n : n - 1; i < segments; ++i) {
        const PointD p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        out.push_back({p1.x + k * (p2.x - p0.x), p1.y + k * (p2.y - p0.y)});
        out.push_back({p2.x - k * (p3.x - p1.x), p2.y - k * (p3.y - p1.y)});
        out.push_back(p2);
    }
    return out;
}
