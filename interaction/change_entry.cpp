// The handle test of the click; the change modes and their set-ups are the
// handle rows (interaction/handle_rows.h).
#include "interaction/change_entry.h"

#include <cmath>

#include "interaction/canvas_host.h"
#include "interaction/handle_rows.h"
#include "interaction/interaction_state.h"

namespace {

// Handle clicks are taken while no command or a selection command runs.
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
    const HandleRow* row = FindHandleRow(grip.code, c.changeHandle);
    if (row)
        row->setup(d, grip, c);
    ctx.host.Deselect();
    if (!row)
        return true;  // points and texts have no change mode
    s.construction = c;
    s.CommandMode = row->mode;
    return true;
}
