#include "editing/edit_commands.h"

#include "editing/displace.h"
#include "editing/edit_texts.h"
#include "interaction/canvas_host.h"
#include "interaction/interaction_state.h"
#include "model/selection.h"

#include <QString>

namespace {

// The move and copy previews follow at most this many elements.
constexpr size_t kOutlineElements = 500;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void showOutcome(CommandContext& ctx, bool selected, const char* ok, const char* ng)
{
    if (selected)
        ctx.host.StartBlink();
    ctx.host.ShowOperation(text(selected ? ok : ng));
}

// Base point stored, outline taken, next step.
void takeBasePoint(CommandContext& ctx, const ClickPoint& click)
{
    Construction& c = ctx.state.construction;
    c.points[0] = click.point;
    c.outline = SelectionOutline(ctx.drawing, kOutlineElements);
    ++ctx.state.CommandMode;
}

bool refuseEmpty(CommandContext& ctx, const char* prompt)
{
    if (!ctx.drawing.selection.empty())
        return false;
    ctx.host.showPromptText(text(prompt));
    ctx.host.ShowOperation(text(EditText::kNothing));
    return true;
}

} // namespace

// ---------------------------------------------------------------------------
// Clicks

void SelectOneClick(CommandContext& ctx, const ModeInfo&, const ClickPoint& click)
{
    ctx.host.Deselect();
    const ViewTransform& view = ctx.state.view.view;
    // The raw press point: neither grid nor snap moves a pick.
    const PointD at = PixelToWorld(view, click.pixelX, click.pixelY);
    const bool found = SelectAt(ctx.drawing, kSnapTolerancePx / view.scale, at.x, at.y);
    showOutcome(ctx, found, EditText::kSelectOneOk, EditText::kSelectOneNg);
}

void SelectRangeClick(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
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
    showOutcome(ctx, found, EditText::kSelectRangeOk, EditText::kSelectRangeNg);
}

void MoveClick(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    if (info.step == 0)
        return takeBasePoint(ctx, click);
    Construction& c = ctx.state.construction;
    MoveSelection(ctx, c.points[0], click.point);
    // The next click moves the new elements on from here.
    c.points[0] = click.point;
    c.outline = SelectionOutline(ctx.drawing, kOutlineElements);
}

void CopyClick(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    if (info.step == 0)
        return takeBasePoint(ctx, click);
    CopySelection(ctx, ctx.state.construction.points[0], click.point);
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

// ---------------------------------------------------------------------------
// Menu commands

void StartEditRow(CommandContext& ctx, const char* handler)
{
    if (const auto item = FindMenuItem(handler))
        StartMenuItem(ctx, *item);
}

void StartMove(CommandContext& ctx)
{
    if (!refuseEmpty(ctx, EditText::kMoveNoSelection))
        StartEditRow(ctx, "PopEditMoveClick");
}

void StartCopy(CommandContext& ctx)
{
    if (!refuseEmpty(ctx, EditText::kCopyNoSelection))
        StartEditRow(ctx, "PopEditCopyClick");
}

void SelectAllCommand(CommandContext& ctx)
{
    ctx.host.Deselect();
    showOutcome(ctx, SelectAll(ctx.drawing), EditText::kSelectAllOk, EditText::kSelectAllNg);
}

void DeselectCommand(CommandContext& ctx)
{
    if (ctx.drawing.selection.empty()) {
        ctx.host.ShowOperation(text(EditText::kNotSelected));
        return;
    }
    ctx.host.Deselect();
    ctx.host.ShowOperation(text(EditText::kDeselected));
}

void DeleteSelection(CommandContext& ctx)
{
    if (refuseEmpty(ctx, EditText::kDeleteNoSelection))
        return;
    Drawing& d = ctx.drawing;
    d.journal.BeginGroup();
    KillSelection(d);
    d.journal.EndGroup();
    const auto n = d.selection.size();
    ctx.host.Deselect();
    d.RecomputeLayerUse();
    ctx.host.UpdateUndoMenu();
    ctx.host.Repaint();
    ctx.host.showPromptText(text(EditText::kDeleted));
    ctx.host.ShowOperation(text(EditText::kDeleteCount) + QString::number(n));
}

// ---------------------------------------------------------------------------
// Workers

void MoveSelection(CommandContext& ctx, PointD base, PointD target)
{
    Drawing& d = ctx.drawing;
    if (d.selection.empty())
        return;
    d.journal.BeginGroup();
    const auto first = static_cast<int32_t>(d.registry.size());
    AppendDisplacedSelection(d, target.x - base.x, target.y - base.y);
    KillSelection(d);
    const auto n = d.selection.size();
    ctx.host.Deselect();
    if (SelectRegistrySpan(d, first, static_cast<int32_t>(d.registry.size()) - 1) && !d.selection.empty())
        ctx.host.StartBlink();
    d.journal.EndGroup();
    ctx.host.UpdateUndoMenu();
    ctx.host.Repaint();
    ctx.host.ShowOperation(text(EditText::kMoveCount) + QString::number(n));
}

void CopySelection(CommandContext& ctx, PointD base, PointD target)
{
    Drawing& d = ctx.drawing;
    if (d.selection.empty())
        return;
    d.journal.BeginGroup();
    AppendDisplacedSelection(d, target.x - base.x, target.y - base.y);
    d.journal.EndGroup();
    ctx.host.UpdateUndoMenu();
    ctx.host.Repaint();
    ctx.host.ShowOperation(text(EditText::kCopyCount) + QString::number(d.selection.size()));
}
