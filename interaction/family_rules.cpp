// Start checks, click rules, freehand points and change-mode adapters.
#include "interaction/family_rules.h"

#include <cmath>

#include "geometry/construct.h"
#include "interaction/builder_protocol.h"
#include "interaction/canvas_host.h"
#include "interaction/command_machine.h"
#include "interaction/command_texts.h"
#include "interaction/interaction_state.h"
#include "interaction/previews.h"
#include "model/grip_layout.h"
#include "storage/settings.h"

// ---------------------------------------------------------------------------
// Reference lines

namespace {

// The one selected line segment, if exactly one element is selected and it
// is a line.
const LineRecord* selectedLine(const Drawing& d)
{
    if (d.selection.size() != 1 || d.selection[0].kind != static_cast<int32_t>(ElementKind::Line))
        return nullptr;
    const auto index = d.selection[0].index;
    if (index < 0 || static_cast<size_t>(index) >= d.tables.lines.size())
        return nullptr;
    return &d.tables.lines[static_cast<size_t>(index)];
}

double angleOf(const LineRecord& line)
{
    return VectorAngleDeg(line.x2 - line.x1, line.y2 - line.y1);
}

bool prepareAlongSelected(CommandContext& ctx, double turnDeg)
{
    const LineRecord* line = selectedLine(ctx.drawing);
    if (!line) {
        ctx.host.showPromptText(QString::fromUtf8(CommandText::kSelectOneLine));
        return false;
    }
    ctx.state.construction.work.directionDeg = angleOf(*line) + turnDeg;
    return true;
}

}  // namespace

bool PrepareParallelLine(CommandContext& ctx)
{
    return prepareAlongSelected(ctx, 0);
}

bool PreparePerpendicularLine(CommandContext& ctx)
{
    return prepareAlongSelected(ctx, 90);
}

bool PrepareAngleLine(CommandContext& ctx)
{
    if (const LineRecord* line = selectedLine(ctx.drawing))
        ctx.state.construction.work.directionDeg += angleOf(*line);
    return true;
}

bool WithinTwiceRadius(const Construction& c, PointD point)
{
    return !(Distance(c.points[0], point) > 2 * c.work.radius + kBuildTolerance);
}

// ---------------------------------------------------------------------------
// Freehand points: the press opens the stroke's journal group, every move
// joins it, so one Undo removes the whole stroke. They take the grid-rounded
// position and never a snap point.

namespace {

PointD freehandPoint(const CommandContext& ctx, int pixelX, int pixelY)
{
    return GridRounded(ctx.settings.grid, PixelToWorld(ctx.state.view.view, pixelX, pixelY));
}

}  // namespace

void StartFreehandPoints(CommandContext& ctx, const ModeInfo& info, int pixelX, int pixelY)
{
    if (info.step != 0)
        return;
    CommitDraft(ctx, BuildPoint(freehandPoint(ctx, pixelX, pixelY)));
    ctx.state.CommandMode = info.method->modeOf(info.variant, 1);
}

void ContinueFreehandPoints(CommandContext& ctx, const ModeInfo& info, int pixelX, int pixelY)
{
    if (info.step != 1)
        return;
    CommitDraftIntoLastGroup(ctx, BuildPoint(freehandPoint(ctx, pixelX, pixelY)));
}

void EndFreehandPoints(CommandContext& ctx, const ModeInfo& info, const ClickPoint&)
{
    ctx.state.CommandMode = info.method->modeOf(info.variant, 0);
}

// ---------------------------------------------------------------------------
// Change modes: the adapters fetch the element being reshaped and pass the
// picked handle (its number in the ControlPointList) to the change builder.

namespace {

// The box corner that stays (model/grip_layout.h numbers the corners).
template <class Record> PointD oppositeCorner(const Record& r, int handle)
{
    const int opposite = grip::OppositeCorner(std::clamp(handle, grip::kFirstCorner, grip::kLastCorner));
    return {(opposite & 1) ? r.x2 : r.x1, (opposite & 2) ? r.y2 : r.y1};
}

}  // namespace

Draft ChangeLineAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Line>(d, c.changeTarget);
    return r ? ChangeLine(*r, c.changeHandle == grip::kLineStart, to) : Draft::refusal(ElementKind::Line);
}

Draft ChangeRectAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Rect>(d, c.changeTarget);
    return r ? ChangeRect(*r, oppositeCorner(*r, c.changeHandle), to) : Draft::refusal(ElementKind::Rect);
}

Draft ChangeCornerRectAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::CornerRect>(d, c.changeTarget);
    return r ? ChangeCornerRect(*r, oppositeCorner(*r, c.changeHandle), to)
             : Draft::refusal(ElementKind::CornerRect);
}

Draft ChangeCircleRadiusAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Circle>(d, c.changeTarget);
    return r ? ChangeCircleRadius(*r, to) : Draft::refusal(ElementKind::Circle);
}

Draft ChangeCircleRadiusTwoPointsAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Circle>(d, c.changeTarget);
    return r ? ChangeCircleRadiusTwoPoints(*r, c.changeHandle == grip::kPassPoint1, to) : Draft::refusal(ElementKind::Circle);
}

Draft ChangeCircleThreePointsAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Circle>(d, c.changeTarget);
    return r ? ChangeCircleThreePoints(*r, c.changeHandle - grip::kPassPoint1, to) : Draft::refusal(ElementKind::Circle);
}

Draft ChangeEllipseRadiusAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Ellipse>(d, c.changeTarget);
    return r ? ChangeEllipseRadius(*r, to) : Draft::refusal(ElementKind::Ellipse);
}

Draft ChangeEllipseDiagonalAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Ellipse>(d, c.changeTarget);
    return r ? ChangeEllipseDiagonal(*r, c.changeHandle - grip::kDefiningPoint1, to) : Draft::refusal(ElementKind::Ellipse);
}

Draft ChangeEllipseRatioAt(const Drawing& d, const Construction& c, PointD to)
{
    const auto* r = recordAt<ElementKind::Ellipse>(d, c.changeTarget);
    return r ? ChangeEllipseRatio(*r, c.changeHandle - grip::kDefiningPoint1, to) : Draft::refusal(ElementKind::Ellipse);
}

void PreviewChangedRadiusTwoPoints(const Construction& c, PointD cursor, PreviewShape& out)
{
    // Points: 0 the pass point that stays; work.radius, work.side as recorded.
    const double r = c.work.radius;
    if (const auto centre = CentreForRadiusTwoPoints(c.points[0], cursor, r, c.work.side))
        AddEllipse(out, *centre, r, r, 0);
}
