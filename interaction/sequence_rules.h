// The click rules of the point sequences and freehand lines. A sequence
// click stores the point in the slot of the next point number and then
// advances, is ignored, or finishes the figure (a click on the previous point
// or on the first one); Ctrl+E finishes with the points entered. A freehand
// line buffers the drag, one point each time the cursor is far enough from
// the last one, and becomes one element at the release. The builders read
// Construction::sequence (trimmed to the figure's points) or ::freehand.
#pragma once

#include "interaction/command_context.h"
#include "interaction/command_table.h"

struct ClickPoint;

struct SequenceOutcome {
    enum Kind { Ignore, Advance, Build } kind = Ignore;
    int count = 0;  // Build: the points of the figure, from the first
};

// What a click at p does with nextPoint points numbered so far (the slot
// nextPoint - 1 already holds p).
SequenceOutcome NextSequenceStep(SequenceShape shape, const std::vector<PointD>& points, int nextPoint);
// The fewest points Ctrl+E finishes.
int MinimumSequencePoints(SequenceShape shape);

void SequenceClick(CommandContext&, const ModeInfo&, const ClickPoint&);
void FinishSequenceFigure(CommandContext&, const ModeInfo&);

void StartFreehandLine(CommandContext&, const ModeInfo&, int pixelX, int pixelY);
void ContinueFreehandLine(CommandContext&, const ModeInfo&, int pixelX, int pixelY);
void EndFreehandLine(CommandContext&, const ModeInfo&, const ClickPoint&);
