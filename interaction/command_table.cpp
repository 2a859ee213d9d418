// The family table of the Draw and Edit commands.
//
// Adding a construction method: (1) write its builder, a plain function from
// the Construction to a Draft (interaction/builders.h); (2) write the preview
// of each step that has one (interaction/previews.h); (3) add one row below:
// the CommandMode of its first step, the distance between the variants'
// modes, one CommandStep per click (accept rule, preview, which coordinates
// it takes), the builder, and its Backspace and deselection rules; (4) add
// one row per menu item to interaction/draw_items.inc, naming that first mode
// with the item's fill variant and dialog: the rows get their items from
// there. The prompts of every mode are already in
// interaction/command_prompts.inc and the dialog rows in dialog_rows.cpp.
// Families with their own click rules (point sequences, freehand strokes,
// selection, move, copy, the change modes of handle editing) set click /
// press / drag / finish / change instead of relying on the step walk.
// A new handle kind (a grip that reshapes its element) is one row of
// interaction/handle_rows.cpp, with its grips, change mode, set-up, rebuild
// and rubber band; the change-mode row here is made from it.
#include "interaction/command_table.h"

#include <algorithm>
#include <unordered_map>

#include "interaction/build_sequences.h"
#include "interaction/builder_protocol.h"
#include "interaction/command_machine.h"
#include "interaction/command_modes.h"
#include "interaction/command_rows.h"
#include "interaction/edit_rows.h"
#include "interaction/family_rules.h"
#include "interaction/handle_rows.h"
#include "interaction/previews.h"
#include "interaction/sequence_rules.h"

namespace {

using B = Backspace;

std::vector<CommandMethod> buildTable()
{
    std::vector<CommandMethod> t;

    // ---- Lines -----------------------------------------------------------
    t.push_back({.firstMode = 100,
                 .steps = {{}, {.preview = PreviewSegment}},
                 .build = BuildLineFromPoints});
    t.push_back({.firstMode = 110,
                 .steps = {{}, {.preview = PreviewHorizontal, .use = PointUse::KeepStartY}},
                 .build = BuildLineFromPoints});
    t.push_back({.firstMode = 120,
                 .steps = {{}, {.preview = PreviewVertical, .use = PointUse::KeepStartX}},
                 .build = BuildLineFromPoints});
    t.push_back({.firstMode = 130,
                 .steps = {{}, {}, {.preview = PreviewReferenceLine}},
                 .build = BuildReferenceLine,
                 .prepare = PrepareParallelLine,
                 .clearsSelection = false,
                 .atFirstStep = B::ReopenDialog});
    t.push_back({.firstMode = 140,
                 .steps = {{}, {}, {.preview = PreviewReferenceLine}},
                 .build = BuildReferenceLine,
                 .prepare = PreparePerpendicularLine,
                 .clearsSelection = false,
                 .atFirstStep = B::ReopenDialog});
    t.push_back({.firstMode = 150,
                 .steps = {{}, {}, {.preview = PreviewReferenceLine}},
                 .build = BuildReferenceLine,
                 .prepare = PrepareAngleLine,
                 .clearsSelection = false,
                 .atFirstStep = B::ReopenDialog});

    // ---- Points ----------------------------------------------------------
    t.push_back({.firstMode = 200,
                 .steps = {{}},
                 .build = BuildPointFromClick,
                 .clearsSelection = false});
    // 211 while the left button is held: every move places a point.
    t.push_back({.firstMode = command_modes::kFreehandPoints,
                 .steps = {{}, {}},
                 .click = EndFreehandPoints,
                 .press = StartFreehandPoints,
                 .drag = ContinueFreehandPoints,
                 .clearsSelection = false,
                 .laterSteps = B::NoEffect,
                 .takesPoints = false});

    // ---- Rectangles --------------------------------------------------------
    t.push_back({.firstMode = 300,
                 .variantStride = 2,
                 .steps = {{}, {.preview = PreviewBox}},
                 .build = BuildRectFromPoints});
    t.push_back({.firstMode = 310,
                 .variantStride = 2,
                 .steps = {{}, {.preview = PreviewBox}},
                 .build = BuildCornerRectFromPoints,
                 .atFirstStep = B::ReopenDialog});

    // ---- Circles -----------------------------------------------------------
    t.push_back({.firstMode = 400,
                 .variantStride = 2,
                 .steps = {{}, {.preview = PreviewCircleCentre}},
                 .build = BuildCircleFromCentreRadius});
    t.push_back({.firstMode = 410,
                 .variantStride = 1,
                 .steps = {{.preview = PreviewCircleFixed}},
                 .build = BuildCircleFixedRadius,
                 .clearsSelection = false,
                 .atFirstStep = B::ReopenDialog});
    t.push_back({.firstMode = 420,
                 .variantStride = 3,
                 .steps = {{},
                           {.accepts = WithinTwiceRadius, .preview = PreviewSegment},
                           {.preview = PreviewCircleRadiusTwoPoints}},
                 .build = BuildCircleFromRadiusTwoPoints,
                 .atFirstStep = B::ReopenDialog});
    t.push_back({.firstMode = 430,
                 .variantStride = 3,
                 .steps = {{}, {.preview = PreviewSegment}, {.preview = PreviewCircleThreePoints}},
                 .build = BuildCircleFromThreePoints});

    // ---- Ellipses ------------------------------------------------------------
    // Started without a dialog the tilt is 0; Backspace at the first step
    // still opens the tilt dialog.
    t.push_back({.firstMode = 500,
                 .variantStride = 2,
                 .steps = {{}, {.preview = PreviewEllipseCentre}},
                 .build = BuildEllipseFromCentreRadius,
                 .atFirstStep = B::ReopenDialog,
                 .reopenItem = 3});
    t.push_back({.firstMode = 510,
                 .variantStride = 2,
                 .steps = {{}, {.preview = PreviewEllipseDiagonal}},
                 .build = BuildEllipseFromDiagonal,
                 .atFirstStep = B::ReopenDialog,
                 .reopenItem = 3});
    t.push_back({.firstMode = 520,
                 .variantStride = 1,
                 .steps = {{.preview = PreviewEllipseFixed}},
                 .build = BuildEllipseFixedRadii,
                 .clearsSelection = false,
                 .atFirstStep = B::ReopenDialog});
    t.push_back({.firstMode = 530,
                 .variantStride = 2,
                 .steps = {{}, {.preview = PreviewEllipseRatio}},
                 .build = BuildEllipseFromRatio,
                 .atFirstStep = B::ReopenDialog});

    // ---- Point sequences and freehand lines --------------------------------
    // The click rule, Ctrl+E and Backspace are the machine's; the builders of
    // the point-list kinds (interaction/build_sequences.h) read
    // Construction::sequence or ::freehand.
    const auto sequence = [&](int mode, int stride, SequenceShape shape, BuildFn build) {
        const bool closed = shape == SequenceShape::Closed;
        t.push_back({.firstMode = mode,
                     .variantStride = stride,
                     .steps = {{.preview = closed ? PreviewClosedSequence : PreviewOpenSequence}},
                     .build = build,
                     .click = SequenceClick,
                     .finish = FinishSequenceFigure,
                     .sequence = shape,
                     .atFirstStep = B::DropLastPoint});
    };
    sequence(2000, 0, SequenceShape::Open, BuildPolylineFromSequence);
    sequence(2010, 10, SequenceShape::Closed, BuildPolygonFromSequence);
    sequence(2100, 0, SequenceShape::Bezier, BuildBezierFromSequence);
    sequence(2200, 0, SequenceShape::Open, BuildOpenSplineFromSequence);
    sequence(2210, 10, SequenceShape::Closed, BuildClosedSplineFromSequence);
    const auto stroke = [&](int mode, int stepPx, BuildFn build) {
        t.push_back({.firstMode = mode,
                     .steps = {{}, {}},
                     .build = build,
                     .click = EndFreehandLine,
                     .press = StartFreehandLine,
                     .drag = ContinueFreehandLine,
                     .strokeStepPx = stepPx,
                     .clearsSelection = false,
                     .takesPoints = false});
    };
    stroke(2300, 10, BuildPolylineFromStroke);
    stroke(2310, 20, BuildOpenSplineFromStroke);

    AddArcFamilyRows(t);
    AddPolygonStarTextRows(t);
    AddEditRows(t);

    // ---- Change modes of handle editing (entered by the handle click) ---------
    for (const HandleRow& row : HandleRows())
        t.push_back({.items = {},
                     .firstMode = row.mode,
                     .steps = {{.preview = row.preview}},
                     .change = row.rebuild,
                     .clearsSelection = false});

    return t;
}

struct DrawItemRow {
    int firstMode;
    MenuItem item;
};

constexpr DrawItemRow kDrawItems[] = {
#define MIRT_DRAW_ITEM(depth, handler, caption, shortcut, firstMode, variant, ask) \
    {firstMode, {#handler, variant, Ask::ask}},
#include "interaction/draw_items.inc"
};

// Each Draw item joins the family row of its first mode, in menu order.
std::vector<CommandMethod> withDrawItems(std::vector<CommandMethod> t)
{
    for (const DrawItemRow& row : kDrawItems) {
        const auto family = std::find_if(t.begin(), t.end(),
                                         [&](const CommandMethod& m) { return m.firstMode == row.firstMode; });
        if (family != t.end())
            family->items.push_back(row.item);
    }
    return t;
}

struct Index {
    std::vector<CommandMethod> methods = withDrawItems(buildTable());
    std::unordered_map<int, ModeInfo> modes;
    std::unordered_map<std::string_view, MenuItemRef> items;

    Index()
    {
        for (const CommandMethod& m : methods) {
            int variants = 1;
            for (const MenuItem& item : m.items) {
                variants = std::max(variants, item.variant + 1);
                items.emplace(item.handler, MenuItemRef{&m, &item});
            }
            for (int v = 0; v < variants; ++v) {
                for (int s = 0; s < static_cast<int>(m.steps.size()); ++s)
                    modes.emplace(m.modeOf(v, s), ModeInfo{&m, v, s});
            }
        }
    }
};

const Index& index()
{
    static const Index built;
    return built;
}

}  // namespace

const std::vector<CommandMethod>& CommandMethods()
{
    return index().methods;
}

std::optional<ModeInfo> LookupMode(int commandMode)
{
    const auto& modes = index().modes;
    const auto found = modes.find(commandMode);
    if (found == modes.end())
        return std::nullopt;
    return found->second;
}

std::optional<MenuItemRef> FindMenuItem(std::string_view handler)
{
    const auto& items = index().items;
    const auto found = items.find(handler);
    if (found == items.end())
        return std::nullopt;
    return found->second;
}
