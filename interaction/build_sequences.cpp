// Point-sequence click rules and the regular polygon and star vertices.
#include "interaction/build_sequences.h"

#include <algorithm>
#include <cmath>

#include "geometry/func.h"
#include "interaction/arc_geometry.h"

namespace {

bool samePoint(PointD a, PointD b)
{
    return !(std::abs(a.x - b.x) > kBuildTolerance) && !(std::abs(a.y - b.y) > kBuildTolerance);
}

// The number from which a click on the previous or the first point finishes.
int32_t firstFinishingNumber(SequenceKind kind)
{
    switch (kind) {
    case SequenceKind::Polyline:
    case SequenceKind::OpenSpline: return 3;
    case SequenceKind::Polygon:
    case SequenceKind::ClosedSpline: return 4;
    case SequenceKind::Bezier: return 5;
    }
    return 3;
}

// Whether a click at number n (below the finishing numbers) may advance.
bool mayAdvance(SequenceKind kind, const std::vector<PointD>& pts, int32_t n, PointD p)
{
    if (n == 1 || (kind == SequenceKind::Bezier && n > 2))
        return true;
    if (n == 2)
        return !samePoint(p, pts[0]);
    return !samePoint(p, pts[0]) && !samePoint(p, pts[1]);  // closed kinds at 3
}

// Polar placement: angle counter-clockwise on screen.
PointD polar(PointD c, double radius, double angleDeg)
{
    const double a = DegToRad(angleDeg);
    return {c.x + radius * std::cos(a), c.y - radius * std::sin(a)};
}

}  // namespace

ElementKind ElementKindOf(SequenceKind kind)
{
    switch (kind) {
    case SequenceKind::Polyline: return ElementKind::Polyline;
    case SequenceKind::Polygon: return ElementKind::Polygon;
    case SequenceKind::Bezier: return ElementKind::Bezier;
    case SequenceKind::OpenSpline: return ElementKind::OpenSpline;
    case SequenceKind::ClosedSpline: return ElementKind::ClosedSpline;
    }
    return ElementKind::Polyline;
}

bool IsClosedSequence(SequenceKind kind)
{
    return kind == SequenceKind::Polygon || kind == SequenceKind::ClosedSpline;
}

int MinimumPoints(SequenceKind kind)
{
    switch (kind) {
    case SequenceKind::Polyline:
    case SequenceKind::OpenSpline: return 2;
    case SequenceKind::Polygon:
    case SequenceKind::ClosedSpline: return 3;
    case SequenceKind::Bezier: return 4;
    }
    return 2;
}

SequenceClickResult AddSequencePoint(SequenceKind kind, PointSequence& s, PointD p)
{
    s.next = std::clamp<int32_t>(s.next, 1, static_cast<int32_t>(s.points.size()) + 1);
    const int32_t n = s.next;
    s.points.resize(static_cast<size_t>(n));
    s.points[static_cast<size_t>(n - 1)] = p;
    if (n < firstFinishingNumber(kind)) {
        if (!mayAdvance(kind, s.points, n, p))
            return {SequenceClick::Ignored, 0};
        ++s.next;
        return {SequenceClick::Advanced, 0};
    }
    if (samePoint(p, s.points[static_cast<size_t>(n - 2)])) {
        return {SequenceClick::Finished, n - 1};
    }
    if (samePoint(p, s.points[0]))
        return {SequenceClick::Finished, IsClosedSequence(kind) ? n - 1 : n};
    ++s.next;
    return {SequenceClick::Advanced, 0};
}

int32_t FinishCount(SequenceKind kind, const PointSequence& s)
{
    const int32_t count = std::min<int32_t>(s.entered(), static_cast<int32_t>(s.points.size()));
    return count >= MinimumPoints(kind) ? count : 0;
}

void RemoveLastPoint(PointSequence& s)
{
    s.next = std::max<int32_t>(1, s.next - 1);
}

std::vector<PointD> SequencePreview(SequenceKind kind, const PointSequence& s, PointD cursor)
{
    const size_t entered = std::min(static_cast<size_t>(std::max(0, s.entered())), s.points.size());
    std::vector<PointD> line(s.points.begin(), s.points.begin() + static_cast<std::ptrdiff_t>(entered));
    line.push_back(cursor);
    if (IsClosedSequence(kind) && line.size() > 2)
        line.push_back(line.front());
    return line;
}

std::vector<PointD> RegularPolygonVertices(PointD centre, PointD p, int32_t corners)
{
    std::vector<PointD> v;
    if (corners < 1)
        return v;
    const double radius = Distance(centre, p);
    const double first = ScreenAngleDeg(centre, p);
    v.reserve(static_cast<size_t>(corners));
    v.push_back(p);
    for (int32_t i = 1; i < corners; ++i)
        v.push_back(polar(centre, radius, first + i * 360.0 / corners));
    return v;
}

std::vector<PointD> StarVertices(PointD centre, PointD p, double innerRadius, int32_t corners)
{
    std::vector<PointD> v;
    if (corners < 1)
        return v;
    const double outerRadius = Distance(centre, p);
    const double first = ScreenAngleDeg(centre, p);
    const double step = 360.0 / (2 * corners);
    v.reserve(static_cast<size_t>(2 * corners));
    for (int32_t i = 0; i < 2 * corners; ++i) {
        if (i == 0)
            v.push_back(p);
        else
            v.push_back(polar(centre, i % 2 ? innerRadius : outerRadius, first + i * step));
    }
    return v;
}

bool StarInnerRadiusFits(PointD centre, PointD outer, PointD inner)
{
    const double ri = Distance(centre, inner);
    return ri > kBuildTolerance && ri < Distance(centre, outer);
}
