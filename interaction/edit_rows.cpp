// The clicks of the Edit family's rows. Selecting always starts from an empty
// selection (a pick replaces it); move and copy take the base point with the
// outline of the selection, and every later click displaces the selection by
// click - base, one journal group each.
#include "interaction/edit_rows.h"

#include <QString>

#include "interaction/canvas_host.h"
#include "interaction/command_machine.h"
#include "interaction/command_texts.h"
#include "interaction/interaction_state.h"
#include "interaction/previews.h"
#include "interaction/selection_outline.h"
#include "model/selection.h"

namespace {

// The move and copy previews follow at most this many elements.
constexpr size_t kOutlineElements = 500;

void selectOneClick(CommandContext& ctx, const ModeInfo&, const ClickPoint& click)
{
    ctx.host.Deselect();
    const ViewTransform& view = ctx.state.view.view;
    // The raw press point: neither grid nor snap moves a pick.
    const PointD at = PixelToWorld(view, click.pixelX, click.pixelY);
    const bool found = SelectAt(ctx.drawing, kSnapTolerancePx / view.scale, at.x, at.y);
    ShowSelectionOutcome(ctx, found, CommandText::kSelectOneOk, CommandText::kSelectOneNg);
}

void selectRangeClick(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    Construction& c = ctx.state.construction;
    if (info.step == 0) {
        ctx.host.Deselect();
        c.points[0] = click.point;
        ++ctx.state.CommandMode;
        return;
    }
    --ctx.state.CommandMode;
    const bool found = SelectInRange(ctx.drawing, c.points[0].x, c.points[0].y, click.point.x, click.point.y);
    ShowSelectionOutcome(ctx, found, CommandText::kSelectRangeOk, CommandText::kSelectRangeNg);
}

// Base point stored, outline taken, next step.
void takeBasePoint(CommandContext& ctx, const ClickPoint& click)
{
    Construction& c = ctx.state.construction;
    c.points[0] = click.point;
    c.outline = SelectionOutline(ctx.drawing, kOutlineElements);
    ++ctx.state.CommandMode;
}

void moveClick(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    if (info.step == 0)
        return takeBasePoint(ctx, click);
    Construction& c = ctx.state.construction;
    ctx.host.moveSelection(c.points[0], click.point);
    // The next click moves the new elements on from here.
    c.points[0] = click.point;
    c.outline = SelectionOutline(ctx.drawing, kOutlineElements);
}

void copyClick(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    if (info.step == 0)
        return takeBasePoint(ctx, click);
    ctx.host.copySelection(ctx.state.construction.points[0], click.point);
}

}  // namespace

void AddEditRows(std::vector<CommandMethod>& t)
{
    const auto edit = [&](const char* handler, int mode, ClickFn click, std::vector<CommandStep> steps) {
        t.push_back({.items = {{handler}},
                     .firstMode = mode,
                     .steps = std::move(steps),
                     .click = click,
                     .clearsSelection = false});
    };
    edit("PopEditSelect1Click", 1, selectOneClick, {{}});
    t.back().takesPoints = false;  // a pick, by the raw press pixel
    edit("PopEditSelectRangeClick", 2, selectRangeClick, {{}, {.preview = PreviewBox}});
    edit("PopEditMoveClick", 10, moveClick, {{}, {.preview = PreviewDisplacedSelection}});
    edit("PopEditCopyClick", 20, copyClick, {{}, {.preview = PreviewDisplacedSelection}});
}

void ShowSelectionOutcome(CommandContext& ctx, bool selected, const char* ok, const char* ng)
{
    if (selected)
        ctx.host.StartBlink();
    ctx.host.ShowOperation(QString::fromUtf8(selected ? ok : ng));
}
