// Builders of line segments, points, rectangles and cornered rectangles.
#include <algorithm>
#include <cmath>

#include "geometry/construct.h"
#include "interaction/builders.h"

namespace {

bool samePoint(PointD a, PointD b)
{
    return std::fabs(a.x - b.x) <= kBuildTolerance && std::fabs(a.y - b.y) <= kBuildTolerance;
}

bool flatBox(PointD a, PointD b)
{
    return std::fabs(a.x - b.x) <= kBuildTolerance || std::fabs(a.y - b.y) <= kBuildTolerance;
}

}  // namespace

Draft BuildLine(PointD start, PointD end)
{
    if (samePoint(start, end))
        return Draft::refusal(ElementKind::Line);
    LineRecord line;
    line.x1 = start.x;
    line.y1 = start.y;
    line.x2 = end.x;
    line.y2 = end.y;
    return {ElementKind::Line, line};
}

Draft BuildLineFromPoints(const Construction& c, int)
{
    return BuildLine(c.points[0], c.points[1]);
}

PointD FootOnReferenceLine(PointD pass, double directionDeg, PointD p)
{
    const double a = DegToRad(directionDeg);
    const PointD along{pass.x + 10 * std::cos(a), pass.y + 10 * std::sin(a)};
    return FootOfPerpendicular(pass, along, p).foot;
}

Draft BuildReferenceLine(const Construction& c, int)
{
    const double dir = c.work.directionDeg;
    return BuildLine(FootOnReferenceLine(c.points[0], dir, c.points[1]),
                     FootOnReferenceLine(c.points[0], dir, c.points[2]));
}

Draft BuildPoint(PointD at)
{
    PointRecord point;
    point.x = at.x;
    point.y = at.y;
    return {ElementKind::Point, point};
}

Draft BuildPointFromClick(const Construction& c, int)
{
    return BuildPoint(c.points[0]);
}

namespace {

template <class Record> bool sortedBox(PointD a, PointD b, int variant, Record& record)
{
    if (flatBox(a, b))
        return false;
    record.h.fillMode = variant;
    record.x1 = std::min(a.x, b.x);
    record.y1 = std::min(a.y, b.y);
    record.x2 = std::max(a.x, b.x);
    record.y2 = std::max(a.y, b.y);
    return true;
}

}  // namespace

Draft BuildRect(PointD a, PointD b, int variant)
{
    RectRecord rect;
    if (!sortedBox(a, b, variant, rect))
        return Draft::refusal(ElementKind::Rect);
    return {ElementKind::Rect, rect};
}

Draft BuildRectFromPoints(const Construction& c, int variant)
{
    return BuildRect(c.points[0], c.points[1], variant);
}

Draft BuildCornerRect(PointD a, PointD b, int variant, const WorkingValues& corners)
{
    CornerRectRecord rect;
    if (!sortedBox(a, b, variant, rect))
        return Draft::refusal(ElementKind::CornerRect);
    std::copy(std::begin(corners.cornerTypes), std::end(corners.cornerTypes), rect.cornerTypes);
    std::copy(std::begin(corners.cornerSizes), std::end(corners.cornerSizes), rect.cornerSizes);
    return {ElementKind::CornerRect, rect};
}

Draft BuildCornerRectFromPoints(const Construction& c, int variant)
{
    return BuildCornerRect(c.points[0], c.points[1], variant, c.work);
}
