// The command machine. Sections: point input, starting a command, the hover
// path, clicks, Backspace and Ctrl+E.
#include "interaction/command_machine.h"

#include <cmath>

#include "geometry/func.h"
#include "interaction/builder_protocol.h"
#include "interaction/canvas_host.h"
#include "interaction/change_entry.h"
#include "interaction/command_modes.h"
#include "interaction/draft_outline.h"
#include "interaction/interaction_state.h"
#include "model/snap_points.h"
#include "storage/settings.h"

// ---------------------------------------------------------------------------
// Point input

PointD PixelToWorld(const ViewTransform& view, int pixelX, int pixelY)
{
    return {view.toWorldX(pixelX), view.toWorldY(pixelY)};
}

PointD GridRounded(const GridSettings& grid, PointD world)
{
    if (!grid.shown)
        return world;
    return {SnapToStep(world.x, grid.originX, grid.pitchX), SnapToStep(world.y, grid.originY, grid.pitchY)};
}

ClickPoint PointOfClick(const CommandContext& ctx, int pixelX, int pixelY)
{
    ClickPoint click;
    click.pixelX = pixelX;
    click.pixelY = pixelY;
    click.rounded = GridRounded(ctx.settings.grid, PixelToWorld(ctx.state.view.view, pixelX, pixelY));
    click.point = click.rounded;
    if (const auto snap = FindSnapPoint(ctx.drawing, pixelX, pixelY, kSnapTolerancePx)) {
        click.point = {snap->x, snap->y};
        click.snapped = true;
    }
    return click;
}

namespace {

void showRect(CommandContext& ctx, const QRect& rect)
{
    if (!rect.isEmpty())
        ctx.host.canvasChanged(rect);
}

}  // namespace

// ---------------------------------------------------------------------------
// Starting a command

void StartMenuItem(CommandContext& ctx, const MenuItemRef& ref)
{
    WorkingValues work;
    if (!AskBeforeStart(ref.item->ask, ctx.host, ctx.settings.construction, work))
        return;
    ErasePreviews(ctx);
    ctx.state.construction = Construction{};
    ctx.state.construction.work = work;
    ctx.state.CommandMode = ref.method->modeOf(ref.item->variant, 0);
    if (ref.method->prepare && !ref.method->prepare(ctx)) {
        ctx.state.CommandMode = command_modes::kIdle;
        return;
    }
    ctx.host.ShowPrompt();
}

// ---------------------------------------------------------------------------
// Hover path and XOR figures

void ErasePreviews(CommandContext& ctx)
{
    QImage& canvas = ctx.host.canvasImage();
    showRect(ctx, ctx.state.preview.erase(canvas));
    showRect(ctx, ctx.state.snapMarker.erase(canvas));
}

void ForgetPreviews(InteractionState& state)
{
    state.preview.forget();
    state.snapMarker.forget();
}

namespace {

void showSnapMarker(CommandContext& ctx, QPoint pos)
{
    const auto snap = FindSnapPoint(ctx.drawing, pos.x(), pos.y(), kSnapTolerancePx);
    if (!snap)
        return;
    showRect(ctx, ctx.state.snapMarker.show(ctx.host.canvasImage(), SnapMarkerPixels(snap->screenX, snap->screenY)));
}

void showPreview(CommandContext& ctx, QPoint pos)
{
    InteractionState& s = ctx.state;
    showRect(ctx, s.preview.erase(ctx.host.canvasImage()));
    const auto info = LookupMode(s.CommandMode);
    if (!info || info->step >= static_cast<int>(info->method->steps.size()))
        return;
    const CommandMethod& m = *info->method;
    const PreviewFn preview = m.steps[static_cast<size_t>(info->step)].preview;
    if (!preview && !m.change)
        return;
    s.previewShape.clear();
    const PointD cursor = RubberBandEnd(ctx, pos.x(), pos.y());
    if (preview)
        preview(s.construction, cursor, s.previewShape);
    else  // a change mode without its own rubber band shows the element it would rebuild
        AddDraftOutline(m.change(ctx.drawing, s.construction, cursor), s.previewShape);
    showRect(ctx, s.preview.show(ctx.host.canvasImage(), PreviewPixels(s.previewShape, s.view.view)));
}

}  // namespace

void MachineMouseDown(CommandContext& ctx, Qt::MouseButton button, QPoint pos)
{
    if (button != Qt::LeftButton)
        return;
    if (const auto info = LookupMode(ctx.state.CommandMode); info && info->method->press)
        info->method->press(ctx, *info, pos.x(), pos.y());
}

void MachineMouseMove(CommandContext& ctx, Qt::MouseButtons buttons, QPoint pos)
{
    PointInput& in = ctx.state.pointInput;
    in.cursorSeen = true;
    in.cursorX = pos.x();
    in.cursorY = pos.y();
    showRect(ctx, ctx.state.snapMarker.erase(ctx.host.canvasImage()));
    if (buttons & Qt::LeftButton) {
        if (const auto info = LookupMode(ctx.state.CommandMode); info && info->method->drag)
            info->method->drag(ctx, *info, pos.x(), pos.y());
        return;
    }
    if (buttons != Qt::NoButton)
        return;
    showSnapMarker(ctx, pos);
    showPreview(ctx, pos);
}

void MachineRefreshHover(CommandContext& ctx)
{
    const PointInput& in = ctx.state.pointInput;
    if (in.cursorSeen)
        MachineMouseMove(ctx, Qt::NoButton, QPoint(in.cursorX, in.cursorY));
}

void MachineGestureStarted(CommandContext& ctx)
{
    ErasePreviews(ctx);
    if (const auto info = LookupMode(ctx.state.CommandMode); info && info->method->strokeStepPx > 0 && info->step > 0) {
        // A freehand line in progress is abandoned.
        ctx.state.construction.freehand.clear();
        ctx.state.CommandMode = info->method->modeOf(info->variant, 0);
    }
}

// ---------------------------------------------------------------------------
// Clicks

namespace {

PointD pointFor(PointUse use, PointD click, PointD start)
{
    switch (use) {
    case PointUse::Click: return click;
    case PointUse::KeepStartY: return {click.x, start.y};
    case PointUse::KeepStartX: return {start.x, click.y};
    }
    return click;
}

// Store the point of the step, advance; the last step builds and returns to
// the first step of the same variant.
void walkSteps(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    const CommandMethod& m = *info.method;
    Construction& c = ctx.state.construction;
    const auto step = static_cast<size_t>(info.step);
    if (step >= m.steps.size() || step >= c.points.size())
        return;
    const CommandStep& rule = m.steps[step];
    const PointD p = pointFor(rule.use, click.point, c.points[0]);
    if (rule.accepts && !rule.accepts(c, p))
        return;
    if (m.change) {
        // A change mode: the element is rebuilt, and the user picks the next one.
        CommitChange(ctx, c.changeTarget, m.change(ctx.drawing, c, p));
        ctx.state.CommandMode = command_modes::kSelectOne;
        return;
    }
    if (step == 0 && m.clearsSelection)
        ctx.host.Deselect();
    c.points[step] = p;
    if (step + 1 < m.steps.size()) {
        ++ctx.state.CommandMode;
        return;
    }
    ctx.state.CommandMode = m.modeOf(info.variant, 0);
    if (m.build)
        CommitDraft(ctx, m.build(c, info.variant));
}

}  // namespace

void MachineLeftClick(CommandContext& ctx, QPoint release)
{
    InteractionState& s = ctx.state;
    ClickPoint click = PointOfClick(ctx, s.pressX, s.pressY);
    click.releaseX = release.x();
    click.releaseY = release.y();
    if (s.mouseFlags & kMouseShift)
        LockClickAngle(ctx, click);
    MachineGivePoint(ctx, click);
}

void MachineGivePoint(CommandContext& ctx, const ClickPoint& click)
{
    InteractionState& s = ctx.state;
    const auto info = LookupMode(s.CommandMode);
    if (EnterChangeMode(ctx, click)) {
        s.pointInput.lastPoint = click.point;
        ctx.host.ShowPrompt();
        return;
    }
    if (info && info->method->takesPoints)
        s.pointInput.lastPoint = click.point;
    if (info) {
        if (info->method->click)
            info->method->click(ctx, *info, click);
        else
            walkSteps(ctx, *info, click);
    }
    ctx.host.ShowPrompt();
}

// ---------------------------------------------------------------------------
// Backspace and Ctrl+E

void StepBack(CommandContext& ctx)
{
    InteractionState& s = ctx.state;
    const auto info = LookupMode(s.CommandMode);
    if (!info)
        return;
    const CommandMethod& m = *info->method;
    const Backspace rule = info->step == 0 ? m.atFirstStep : m.laterSteps;
    switch (rule) {
    case Backspace::NoEffect: return;
    case Backspace::StepBack:
        --s.CommandMode;
        ctx.host.ShowPrompt();
        return;
    case Backspace::ReopenDialog: {
        const auto item = static_cast<size_t>(m.reopenItem + info->variant);
        if (item < m.items.size())
            StartMenuItem(ctx, MenuItemRef{&m, &m.items[item]});
        return;
    }
    case Backspace::DropLastPoint:
        if (s.construction.nextPoint > 1)
            --s.construction.nextPoint;
        ctx.host.ShowPrompt();
        return;
    }
}

void FinishSequence(CommandContext& ctx)
{
    const auto info = LookupMode(ctx.state.CommandMode);
    if (!info || !info->method->finish)
        return;
    ErasePreviews(ctx);
    info->method->finish(ctx, *info);
    ctx.host.ShowPrompt();
}
