#include "editing/displace.h"

#include "editing/append_record.h"

#include <cmath>
#include <numbers>

namespace {

struct Shift {
    double dx, dy;
    void operator()(double& x, double& y) const
    {
        x += dx;
        y += dy;
    }
};

void displace(LineRecord& r, Shift s)
{
    s(r.x1, r.y1), s(r.x2, r.y2);
}
void displace(PointRecord& r, Shift s)
{
    s(r.x, r.y);
}
void displace(RectRecord& r, Shift s)
{
    s(r.x1, r.y1), s(r.x2, r.y2);
}
void displace(CornerRectRecord& r, Shift s)
{
    s(r.x1, r.y1), s(r.x2, r.y2);
}
// Defining points a method does not keep stay (0, 0).
void displace(CircleRecord& r, Shift s)
{
    s(r.cx, r.cy);
    if (r.method == 0)
        return;
    s(r.p1x, r.p1y), s(r.p2x, r.p2y);
    if (r.method != 1)
        s(r.p3x, r.p3y);
}
void displace(EllipseRecord& r, Shift s)
{
    s(r.cx, r.cy);
    if (r.method != 0)
        s(r.p1x, r.p1y), s(r.p2x, r.p2y);
}
// Method 0 arcs get their end points derived again by the append.
void displace(ArcRecord& r, Shift s)
{
    s(r.cx, r.cy);
    if (r.method != 0)
        s(r.startX, r.startY), s(r.endX, r.endY), s(r.thirdX, r.thirdY);
}
void displace(EllipticArcRecord& r, Shift s)
{
    s(r.cx, r.cy);
    if (r.method != 0)
        s(r.startX, r.startY), s(r.endX, r.endY);
}
void displace(SectorRecord& r, Shift s)
{
    s(r.cx, r.cy);
}
void displace(RingRecord& r, Shift s)
{
    s(r.cx, r.cy);
}
void displace(OpenPathRecord& r, Shift s)
{
    for (PointD& p : r.points)
        s(p.x, p.y);
}
void displace(ClosedPathRecord& r, Shift s)
{
    for (PointD& p : r.points)
        s(p.x, p.y);
}
void displace(TextRecord& r, Shift s)
{
    s(r.x, r.y), s(r.boxA, r.boxB);
}

// --- outlines -----------------------------------------------------------

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

bool AppendDisplaced(Drawing& d, const ElementRef& ref, double dx, double dy)
{
    return AppendEditedCopy(d, ref, [&](auto& copy) {
        displace(copy, Shift { dx, dy });
        return true;
    });
}

void AppendDisplacedSelection(Drawing& d, double dx, double dy)
{
    for (const SelectionEntry& s : d.selection) {
        const auto pos = static_cast<size_t>(s.registryPosition);
        if (pos < d.registry.size())
            AppendDisplaced(d, d.registry[pos], dx, dy);
    }
}

void KillSelection(Drawing& d)
{
    for (const SelectionEntry& s : d.selection)
        d.markDead(s.registryPosition);
}

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
