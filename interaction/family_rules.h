// The routines the family table names besides builders and previews: the
// start checks of the reference-line commands, click acceptance rules, the
// freehand-point press / drag / release, and the change-mode adapters that
// fetch the element being reshaped and call its change builder.
#pragma once

#include "interaction/builders.h"
#include "interaction/command_context.h"
#include "interaction/xor_overlay.h"

struct ClickPoint;
struct ModeInfo;

// Parallel and perpendicular lines need exactly one selected line segment;
// without it they leave "線分１要素を選択してから実行して下さい" in panel 0.
bool PrepareParallelLine(CommandContext&);
bool PreparePerpendicularLine(CommandContext&);
// The entered angle, negated, plus the selected line's angle when exactly
// one line segment is selected.
bool PrepareAngleLine(CommandContext&);

// The second pass point of a radius-and-two-points circle lies within twice
// the radius (plus the tolerance) of the first.
bool WithinTwiceRadius(const Construction&, PointD point);

void StartFreehandPoints(CommandContext&, const ModeInfo&, int pixelX, int pixelY);
void ContinueFreehandPoints(CommandContext&, const ModeInfo&, int pixelX, int pixelY);
void EndFreehandPoints(CommandContext&, const ModeInfo&, const ClickPoint&);

Draft ChangeLineAt(const Drawing&, const Construction&, PointD to);
Draft ChangeRectAt(const Drawing&, const Construction&, PointD to);
Draft ChangeCornerRectAt(const Drawing&, const Construction&, PointD to);
Draft ChangeCircleRadiusAt(const Drawing&, const Construction&, PointD to);
Draft ChangeCircleRadiusTwoPointsAt(const Drawing&, const Construction&, PointD to);
Draft ChangeCircleThreePointsAt(const Drawing&, const Construction&, PointD to);
Draft ChangeEllipseRadiusAt(const Drawing&, const Construction&, PointD to);
Draft ChangeEllipseDiagonalAt(const Drawing&, const Construction&, PointD to);
Draft ChangeEllipseRatioAt(const Drawing&, const Construction&, PointD to);

// 429: the circle the change would give, from the points the change mode
// copied (0 the fixed pass point) and work.side.
void PreviewChangedRadiusTwoPoints(const Construction&, PointD cursor, PreviewShape&);
