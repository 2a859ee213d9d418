// The outline of a selection that the move and copy rubber bands drag along:
// a box around each curve, the segment of a line, the vertex chain of a point
// list and the turned box of a text.
#include "interaction/selection_outline.h"

#include <cmath>
#include <numbers>

namespace {

using Outline = std::vector<std::vector<PointD>>;

void box(Outline& out, double x1, double y1, double x2, double y2)
{
    out.push_back({ { x1, y1 }, { x2, y1 }, { x2, y2 }, { x1, y2 }, { x1, y1 } });
}
void around(Outline& out, double cx, double cy, double rx, double ry)
{
    const double r = std::max(std::fabs(rx), std::fabs(ry));
    box(out, cx - r, cy - r, cx + r, cy + r);
}

void outline(Outline& out, const LineRecord& r)
{
    out.push_back({ { r.x1, r.y1 }, { r.x2, r.y2 } });
}
void outline(Outline& out, const PointRecord& r)
{
    box(out, r.x - 2, r.y - 2, r.x + 2, r.y + 2);
}
void outline(Outline& out, const RectRecord& r)
{
    box(out, r.x1, r.y1, r.x2, r.y2);
}
void outline(Outline& out, const CornerRectRecord& r)
{
    box(out, r.x1, r.y1, r.x2, r.y2);
}
void outline(Outline& out, const CircleRecord& r)
{
    around(out, r.cx, r.cy, r.r, r.r);
}
void outline(Outline& out, const EllipseRecord& r)
{
    around(out, r.cx, r.cy, r.rx, r.ry);
}
void outline(Outline& out, const ArcRecord& r)
{
    around(out, r.cx, r.cy, r.r, r.r);
}
void outline(Outline& out, const EllipticArcRecord& r)
{
    around(out, r.cx, r.cy, r.rx, r.ry);
}
void outline(Outline& out, const SectorRecord& r)
{
    around(out, r.cx, r.cy, r.rx, r.ry);
}
void outline(Outline& out, const RingRecord& r)
{
    around(out, r.cx, r.cy, r.outerRx, r.outerRy);
}
void outline(Outline& out, const OpenPathRecord& r)
{
    out.push_back(r.points);
}
void outline(Outline& out, const ClosedPathRecord& r)
{
    out.push_back(r.points);
    if (!r.points.empty())
        out.back().push_back(r.points.front());
}
// The laid-out box, turned by the text's angle (counter-clockwise on screen).
void outline(Outline& out, const TextRecord& r)
{
    const double a = r.angle * std::numbers::pi / 180;
    const PointD u { std::cos(a) * r.boxC, -std::sin(a) * r.boxC },
        v { -std::sin(a) * r.boxD, -std::cos(a) * r.boxD };
    const PointD o { r.boxA, r.boxB };
    out.push_back(
        { o, { o.x + u.x, o.y + u.y }, { o.x + u.x + v.x, o.y + u.y + v.y }, { o.x + v.x, o.y + v.y }, o });
}

} // namespace

std::vector<std::vector<PointD>> SelectionOutline(const Drawing& d, size_t maxElements)
{
    Outline out;
    for (const SelectionEntry& s : d.selection) {
        if (maxElements-- == 0)
            break;
        const auto pos = static_cast<size_t>(s.registryPosition);
        if (pos < d.registry.size())
            visitElement(d, d.registry[pos], [&](ElementKind, const auto& record) { outline(out, record); });
    }
    return out;
}

void PreviewDisplacedSelection(const Construction& c, PointD cursor, PreviewShape& out)
{
    const double dx = cursor.x - c.points[0].x, dy = cursor.y - c.points[0].y;
    for (const auto& line : c.outline) {
        auto& moved = out.add();
        moved.reserve(line.size());
        for (const PointD& p : line)
            moved.push_back({ p.x + dx, p.y + dy });
    }
    out.add() = { c.points[0], cursor };
}
