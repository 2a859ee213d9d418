#include "editing/edit_commands.h"

#include "editing/displace.h"
#include "editing/edit_texts.h"
#include "interaction/canvas_host.h"
#include "interaction/command_machine.h"
#include "interaction/edit_rows.h"
#include "interaction/interaction_state.h"
#include "model/selection.h"

#include <QString>

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
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
    ShowSelectionOutcome(ctx, SelectAll(ctx.drawing), EditText::kSelectAllOk, EditText::kSelectAllNg);
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
