// The handle test of the click and the set-up of each change mode.
#include "interaction/change_entry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/construct.h"
#include "interaction/canvas_host.h"
#include "interaction/interaction_state.h"

namespace {

// What stays of the element, as the change mode's rubber band needs it.
using Setup = void (*)(const Drawing&, const ControlPoint& picked, Construction&);

// The row of a point code for handles first .. last (kAnyHandle: every one).
struct ChangeEntry {
    int32_t pointCode;
    int32_t first, last;
    int mode;
    Setup setup;
};

constexpr int32_t kAnyHandle = std::numeric_limits<int32_t>::max();

const ControlPoint& handle(const Drawing& d, size_t i)
{
    return d.controlPoints[i];
}

// The handle that stays: the other line end, the opposite box corner, the
// other pass point or axis end.
void keepOpposite(const Drawing& d, const ControlPoint& picked, Construction& c)
{
    const int n = static_cast<int>(d.controlPoints.size());
    const int k = c.changeHandle;
    int keep = 0;
    if (picked.code == static_cast<int32_t>(ElementKind::Line))
        keep = 1 - k;
    else if (n == 4)
        keep = 3 - k;  // box corners (x1,y1) (x2,y1) (x1,y2) (x2,y2)
    else
        keep = k == 1 ? 2 : 1;  // handles 1 and 2 after the centre
    const ControlPoint& stays = handle(d, static_cast<size_t>(std::clamp(keep, 0, n - 1)));
    c.points[0] = {stays.x, stays.y};
}

void keepCentre(const Drawing& d, const ControlPoint&, Construction& c)
{
    c.points[0] = {handle(d, 0).x, handle(d, 0).y};
}

const EllipseRecord* ellipseOf(const Drawing& d, const ControlPoint& p)
{
    const auto i = static_cast<size_t>(p.index);
    return i < d.tables.ellipses.size() ? &d.tables.ellipses[i] : nullptr;
}

const CircleRecord* circleOf(const Drawing& d, const ControlPoint& p)
{
    const auto i = static_cast<size_t>(p.index);
    return i < d.tables.circles.size() ? &d.tables.circles[i] : nullptr;
}

void keepCentreAndTilt(const Drawing& d, const ControlPoint& p, Construction& c)
{
    keepCentre(d, p, c);
    if (const EllipseRecord* e = ellipseOf(d, p))
        c.work.tiltDeg = e->tilt;
}

void keepCornerAndTilt(const Drawing& d, const ControlPoint& p, Construction& c)
{
    keepOpposite(d, p, c);
    if (const EllipseRecord* e = ellipseOf(d, p))
        c.work.tiltDeg = e->tilt;
}

void keepAxisEndAndRatio(const Drawing& d, const ControlPoint& p, Construction& c)
{
    keepOpposite(d, p, c);
    if (const EllipseRecord* e = ellipseOf(d, p); e && e->rx > 0)
        c.work.ratio = e->ry / e->rx;
}

// 429: the fixed pass point, the radius, and the side the new centre keeps.
void keepPassPointAndSide(const Drawing& d, const ControlPoint& p, Construction& c)
{
    keepOpposite(d, p, c);
    if (const CircleRecord* r = circleOf(d, p)) {
        const PointD moving = c.changeHandle == 1 ? PointD{r->p1x, r->p1y} : PointD{r->p2x, r->p2y};
        c.work.radius = r->r;
        c.work.side = -SideOfLine(c.points[0], moving, {r->cx, r->cy});
    }
}

// 439: the two pass points that stay.
void keepOtherPassPoints(const Drawing& d, const ControlPoint&, Construction& c)
{
    int slot = 0;
    for (int k = 1; k <= 3 && static_cast<size_t>(k) < d.controlPoints.size(); ++k) {
        if (k != c.changeHandle)
            c.points[static_cast<size_t>(slot++)] = {handle(d, static_cast<size_t>(k)).x,
                                                     handle(d, static_cast<size_t>(k)).y};
    }
}

// The arc family rebuilds from the stored record; nothing is copied.
void keepRecord(const Drawing&, const ControlPoint&, Construction&) {}

// Point lists: every vertex goes into the point sequence.
void keepVertices(const Drawing& d, const ControlPoint&, Construction& c)
{
    c.sequence.clear();
    for (const ControlPoint& p : d.controlPoints)
        c.sequence.push_back({p.x, p.y});
    c.nextPoint = static_cast<int32_t>(c.sequence.size());
}

// Point codes: the kind, or for circles, ellipses, arcs and elliptic arcs the
// kind plus the method. The first row that covers the handle wins.
constexpr ChangeEntry kEntries[] = {
    {100, 0, 1, 102, keepOpposite},
    {120, 0, 3, 306, keepOpposite},
    {130, 0, 3, 316, keepOpposite},
    {150, 0, 1, 406, keepCentre},
    {151, 0, 0, 406, keepCentre},           {151, 1, 2, 429, keepPassPointAndSide},
    {152, 0, 0, 406, keepCentre},           {152, 1, 3, 439, keepOtherPassPoints},
    {160, 0, 1, 506, keepCentreAndTilt},
    {161, 0, 0, 506, keepCentreAndTilt},    {161, 1, 2, 516, keepCornerAndTilt},
    {162, 0, 0, 506, keepCentreAndTilt},    {162, 1, 2, 536, keepAxisEndAndRatio},
    {170, 0, 0, 604, keepRecord},           {170, 1, 2, 605, keepRecord},
    {171, 0, 0, 604, keepRecord},           {171, 1, 3, 643, keepRecord},
    {180, 0, 0, 704, keepRecord},           {180, 1, 1, 705, keepRecord},  {180, 2, 2, 706, keepRecord},
    {181, 0, 0, 704, keepRecord},           {181, 1, 1, 705, keepRecord},  {181, 2, 2, 706, keepRecord},
    {181, 3, 3, 734, keepRecord},           {181, 4, 4, 735, keepRecord},
    {182, 0, 0, 704, keepRecord},           {182, 1, 1, 705, keepRecord},  {182, 2, 2, 706, keepRecord},
    {182, 3, 3, 754, keepRecord},           {182, 4, 4, 755, keepRecord},
    {190, 0, 0, 804, keepRecord},           {190, 1, 1, 805, keepRecord},  {190, 2, 2, 806, keepRecord},
    {200, 0, 0, 904, keepRecord},           {200, 1, 1, 905, keepRecord},  {200, 2, 2, 906, keepRecord},
    {210, 0, 0, 1004, keepRecord},          {210, 1, 1, 1005, keepRecord}, {210, 2, 2, 1006, keepRecord},
    {220, 0, 0, 1105, keepRecord},          {220, 1, 1, 1106, keepRecord}, {220, 2, 2, 1107, keepRecord},
    {220, 3, 3, 1108, keepRecord},
    {300, 0, kAnyHandle, 2001, keepVertices},
    {310, 0, kAnyHandle, 2011, keepVertices},
    {320, 0, kAnyHandle, 2101, keepVertices},
    {330, 0, kAnyHandle, 2201, keepVertices},
    {340, 0, kAnyHandle, 2211, keepVertices},
};

constexpr int kEditModesEnd = 10;

}  // namespace

bool EnterChangeMode(CommandContext& ctx, const ClickPoint& click)
{
    const Drawing& d = ctx.drawing;
    InteractionState& s = ctx.state;
    if (s.CommandMode >= kEditModesEnd || d.selection.size() != 1 || d.controlPoints.empty())
        return false;
    const double tolerance = 5 / s.view.view.scale;
    size_t picked = 0;
    while (picked < d.controlPoints.size() &&
           !(std::fabs(d.controlPoints[picked].x - click.point.x) <= tolerance &&
             std::fabs(d.controlPoints[picked].y - click.point.y) <= tolerance))
        ++picked;
    if (picked == d.controlPoints.size())
        return false;

    const ControlPoint grip = d.controlPoints[picked];
    Construction c;
    c.changeTarget = grip.registryPosition;
    c.changeHandle = static_cast<int32_t>(picked);
    const auto covers = [&](const ChangeEntry& e) {
        return e.pointCode == grip.code && e.first <= c.changeHandle && c.changeHandle <= e.last;
    };
    const ChangeEntry* entry = std::ranges::find_if(kEntries, covers);
    if (entry == std::end(kEntries))
        entry = nullptr;
    if (entry)
        entry->setup(d, grip, c);
    ctx.host.Deselect();
    if (!entry)
        return true;  // points and texts have no change mode
    s.construction = c;
    s.CommandMode = entry->mode;
    return true;
}
