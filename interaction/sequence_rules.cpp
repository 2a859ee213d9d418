// Point sequences and freehand lines.
#include "interaction/sequence_rules.h"

#include <cmath>

#include "interaction/builder_protocol.h"
#include "interaction/canvas_host.h"
#include "interaction/command_machine.h"
#include "interaction/interaction_state.h"
#include "storage/settings.h"

namespace {

bool differs(PointD a, PointD b)
{
    return std::fabs(a.x - b.x) > kBuildTolerance || std::fabs(a.y - b.y) > kBuildTolerance;
}

// The number from which a repeated point finishes the figure.
int finishingFrom(SequenceShape shape)
{
    switch (shape) {
    case SequenceShape::Open: return 3;
    case SequenceShape::Closed: return 4;
    case SequenceShape::Bezier: return 5;
    case SequenceShape::None: return 0;
    }
    return 0;
}

// Builds from the first count points and starts a new figure.
void buildSequence(CommandContext& ctx, const CommandMethod& m, int variant, int count)
{
    Construction& c = ctx.state.construction;
    c.sequence.resize(static_cast<size_t>(std::max(0, count)));
    if (m.build)
        CommitDraft(ctx, m.build(c, variant));
    c.sequence.clear();
    c.nextPoint = 1;
}

}  // namespace

int MinimumSequencePoints(SequenceShape shape)
{
    switch (shape) {
    case SequenceShape::Open: return 2;
    case SequenceShape::Closed: return 3;
    case SequenceShape::Bezier: return 4;
    case SequenceShape::None: return 0;
    }
    return 0;
}

SequenceOutcome NextSequenceStep(SequenceShape shape, const std::vector<PointD>& points, int nextPoint)
{
    const auto n = static_cast<size_t>(nextPoint);
    if (n < 1 || points.size() < n)
        return {};
    const PointD p = points[n - 1];
    if (n == 1)
        return {SequenceOutcome::Advance};
    if (n == 2)
        return {differs(p, points[0]) ? SequenceOutcome::Advance : SequenceOutcome::Ignore};
    if (shape == SequenceShape::Closed && n == 3)
        return {differs(p, points[0]) && differs(p, points[1]) ? SequenceOutcome::Advance : SequenceOutcome::Ignore};
    if (shape == SequenceShape::Bezier && n < 5)
        return {SequenceOutcome::Advance};
    if (n < static_cast<size_t>(finishingFrom(shape)))
        return {SequenceOutcome::Advance};
    if (!differs(p, points[n - 2]))
        return {SequenceOutcome::Build, nextPoint - 1};
    if (!differs(p, points[0])) {
        // Open figures keep the repeated first point and so close; the
        // closed kinds close themselves.
        return {SequenceOutcome::Build, shape == SequenceShape::Closed ? nextPoint - 1 : nextPoint};
    }
    return {SequenceOutcome::Advance};
}

void SequenceClick(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    Construction& c = ctx.state.construction;
    const auto slot = static_cast<size_t>(std::max(1, c.nextPoint) - 1);
    c.sequence.resize(slot + 1);
    c.sequence[slot] = click.point;
    if (slot == 0)
        ctx.host.Deselect();
    const SequenceOutcome next = NextSequenceStep(info.method->sequence, c.sequence, c.nextPoint);
    if (next.kind == SequenceOutcome::Advance)
        ++c.nextPoint;
    else if (next.kind == SequenceOutcome::Build)
        buildSequence(ctx, *info.method, info.variant, next.count);
}

void FinishSequenceFigure(CommandContext& ctx, const ModeInfo& info)
{
    const int entered = ctx.state.construction.nextPoint - 1;
    if (entered < MinimumSequencePoints(info.method->sequence))
        return;
    buildSequence(ctx, *info.method, info.variant, entered);
}

// ---------------------------------------------------------------------------
// Freehand lines: grid-rounded points, never snapped.

namespace {

PointD strokePoint(const CommandContext& ctx, int pixelX, int pixelY)
{
    return GridRounded(ctx.settings.grid, PixelToWorld(ctx.state.view.view, pixelX, pixelY));
}

// Appends p when it lies at least the family's step (in pixels) from the
// last buffered point; true when it did.
bool appendIfFar(CommandContext& ctx, const CommandMethod& m, PointD p)
{
    std::vector<PointD>& buffer = ctx.state.construction.freehand;
    if (buffer.empty())
        return false;
    const double scale = ctx.state.view.view.scale;
    const PointD last = buffer.back();
    if (std::hypot((p.x - last.x) * scale, (p.y - last.y) * scale) < m.strokeStepPx)
        return false;
    // Capacity grows in steps of 100 points.
    if (buffer.size() == buffer.capacity())
        buffer.reserve(buffer.size() + 100);
    buffer.push_back(p);
    return true;
}

void showStroke(CommandContext& ctx)
{
    InteractionState& s = ctx.state;
    QImage& canvas = ctx.host.canvasImage();
    ctx.host.canvasChanged(s.preview.erase(canvas));
    s.previewShape.clear();
    s.previewShape.add() = s.construction.freehand;
    ctx.host.canvasChanged(s.preview.show(canvas, PreviewPixels(s.previewShape, s.view.view)));
}

}  // namespace

void StartFreehandLine(CommandContext& ctx, const ModeInfo& info, int pixelX, int pixelY)
{
    if (info.step != 0)
        return;
    std::vector<PointD>& buffer = ctx.state.construction.freehand;
    buffer.clear();
    buffer.reserve(100);
    buffer.push_back(strokePoint(ctx, pixelX, pixelY));
    ++ctx.state.CommandMode;
}

void ContinueFreehandLine(CommandContext& ctx, const ModeInfo& info, int pixelX, int pixelY)
{
    if (info.step != 1)
        return;
    if (appendIfFar(ctx, *info.method, strokePoint(ctx, pixelX, pixelY)))
        showStroke(ctx);
}

void EndFreehandLine(CommandContext& ctx, const ModeInfo& info, const ClickPoint& click)
{
    if (info.step != 1)
        return;
    const CommandMethod& m = *info.method;
    appendIfFar(ctx, m, strokePoint(ctx, click.releaseX, click.releaseY));
    if (m.build)
        CommitDraft(ctx, m.build(ctx.state.construction, info.variant));
    ctx.state.construction.freehand.clear();
    ctx.state.CommandMode = m.modeOf(info.variant, 0);
}
