// The handle test of the click and the set-up of each change mode.
#include "interaction/change_entry.h"

#include <cmath>

#include "app/canvas_host.h"
#include "app/interaction_state.h"
#include "geometry/construct.h"

namespace {

// What stays of the element, as the change mode's rubber band needs it.
using Setup = void (*)(const Drawing&, const ControlPoint& picked, Construction&);

struct ChangeEntry {
    int32_t pointCode;
    bool centreHandle;  // the row for handle 0 (true) or the other handles
    int mode;
    Setup setup;
};

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

// Point codes: the kind, or for circles and ellipses 150/160 + method.
constexpr ChangeEntry kEntries[] = {
    {100, true, 102, keepOpposite},          {100, false, 102, keepOpposite},
    {120, true, 306, keepOpposite},          {120, false, 306, keepOpposite},
    {130, true, 316, keepOpposite},          {130, false, 316, keepOpposite},
    {150, true, 406, keepCentre},            {150, false, 406, keepCentre},
    {151, true, 406, keepCentre},            {151, false, 429, keepPassPointAndSide},
    {152, true, 406, keepCentre},            {152, false, 439, keepOtherPassPoints},
    {160, true, 506, keepCentreAndTilt},     {160, false, 506, keepCentreAndTilt},
    {161, true, 506, keepCentreAndTilt},     {161, false, 516, keepCornerAndTilt},
    {162, true, 506, keepCentreAndTilt},     {162, false, 536, keepAxisEndAndRatio},
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
    const ChangeEntry* entry = nullptr;
    for (const ChangeEntry& e : kEntries) {
        if (e.pointCode == grip.code && e.centreHandle == (picked == 0))
            entry = &e;
    }
    if (entry)
        entry->setup(d, grip, c);
    ctx.host.Deselect();
    if (!entry)
        return true;  // points and texts have no change mode
    s.construction = c;
    s.CommandMode = entry->mode;
    return true;
}
