// Rubber bands of lines, rectangles, circles and ellipses. Each calls the
// geometry its builder uses, so what the user sees is what the click builds.
#include "interaction/previews.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "geometry/construct.h"
#include "interaction/builders.h"

void AddEllipse(PreviewShape& out, PointD c, double rx, double ry, double tiltDeg, double startDeg,
                double sweepDeg)
{
    std::vector<PointD>& line = out.add();
    line.reserve(kCurveVertices);
    const double t = DegToRad(tiltDeg);
    for (int i = 0; i < kCurveVertices; ++i) {
        const double a = DegToRad(startDeg + sweepDeg * i / (kCurveVertices - 1));
        // The figure's own frame: x along the tilted axis, y up on screen.
        const double ex = rx * std::cos(a), ey = ry * std::sin(a);
        line.push_back({c.x + ex * std::cos(t) - ey * std::sin(t), c.y - (ex * std::sin(t) + ey * std::cos(t))});
    }
}

void AddSegment(PreviewShape& out, PointD a, PointD b)
{
    out.add() = {a, b};
}

void AddBox(PreviewShape& out, PointD a, PointD b)
{
    out.add() = {a, {b.x, a.y}, b, {a.x, b.y}, a};
}

void PreviewSegment(const Construction& c, PointD cursor, PreviewShape& out)
{
    AddSegment(out, c.points[0], cursor);
}

void PreviewHorizontal(const Construction& c, PointD cursor, PreviewShape& out)
{
    AddSegment(out, c.points[0], {cursor.x, c.points[0].y});
}

void PreviewVertical(const Construction& c, PointD cursor, PreviewShape& out)
{
    AddSegment(out, c.points[0], {c.points[0].x, cursor.y});
}

void PreviewReferenceLine(const Construction& c, PointD cursor, PreviewShape& out)
{
    const double dir = c.work.directionDeg;
    AddSegment(out, FootOnReferenceLine(c.points[0], dir, c.points[1]),
               FootOnReferenceLine(c.points[0], dir, cursor));
}

void PreviewBox(const Construction& c, PointD cursor, PreviewShape& out)
{
    AddBox(out, c.points[0], cursor);
}

void PreviewCircleCentre(const Construction& c, PointD cursor, PreviewShape& out)
{
    const double r = Distance(c.points[0], cursor);
    AddEllipse(out, c.points[0], r, r, 0);
}

void PreviewCircleFixed(const Construction& c, PointD cursor, PreviewShape& out)
{
    AddEllipse(out, cursor, c.work.radius, c.work.radius, 0);
}

void PreviewCircleRadiusTwoPoints(const Construction& c, PointD cursor, PreviewShape& out)
{
    const PointD p1 = c.points[0], p2 = c.points[1];
    const double r = c.work.radius;
    if (const std::optional<PointD> centre = CentreForRadiusTwoPoints(p1, p2, r, SideOfLine(p1, p2, cursor)))
        AddEllipse(out, *centre, r, r, 0);
}

void PreviewCircleThreePoints(const Construction& c, PointD cursor, PreviewShape& out)
{
    if (const auto through = CircleThrough3Points(c.points[0], c.points[1], cursor))
        AddEllipse(out, through->centre, through->radius, through->radius, 0);
}

namespace {

void addEllipseDraft(PreviewShape& out, const Draft& draft)
{
    if (const auto* e = std::get_if<EllipseRecord>(&draft.record))
        AddEllipse(out, {e->cx, e->cy}, e->rx, e->ry, e->tilt);
}

}  // namespace

void PreviewEllipseCentre(const Construction& c, PointD cursor, PreviewShape& out)
{
    addEllipseDraft(out, BuildEllipseCentreRadius(c.points[0], cursor, c.work.tiltDeg, 0));
}

void PreviewEllipseDiagonal(const Construction& c, PointD cursor, PreviewShape& out)
{
    addEllipseDraft(out, BuildEllipseDiagonal(c.points[0], cursor, c.work.tiltDeg, 0));
}

void PreviewEllipseFixed(const Construction& c, PointD cursor, PreviewShape& out)
{
    AddEllipse(out, cursor, c.work.radiusX, c.work.radiusY, c.work.tiltDeg);
}

void PreviewEllipseRatio(const Construction& c, PointD cursor, PreviewShape& out)
{
    addEllipseDraft(out, BuildEllipseRatio(c.points[0], cursor, c.work.ratio, 0));
}

namespace {

void addEntered(const Construction& c, std::vector<PointD>& line)
{
    const size_t entered = std::min(c.sequence.size(), static_cast<size_t>(std::max(0, c.nextPoint - 1)));
    line.assign(c.sequence.begin(), c.sequence.begin() + static_cast<std::ptrdiff_t>(entered));
}

}  // namespace

void PreviewOpenSequence(const Construction& c, PointD cursor, PreviewShape& out)
{
    std::vector<PointD>& line = out.add();
    addEntered(c, line);
    if (line.empty())
        return;
    line.push_back(cursor);
}

void PreviewClosedSequence(const Construction& c, PointD cursor, PreviewShape& out)
{
    std::vector<PointD>& line = out.add();
    addEntered(c, line);
    if (line.empty())
        return;
    line.push_back(cursor);
    line.push_back(line.front());
}
