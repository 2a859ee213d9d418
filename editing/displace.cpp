#include "editing/displace.h"

#include "editing/append_record.h"

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
