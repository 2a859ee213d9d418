// The Draw commands as data. A CommandMethod is one construction method: its
// menu items (one per fill variant, possibly two sets when one set asks a
// dialog first), the CommandMode of its first step, the distance between the
// variants' modes, its steps (click rule, preview) and its builder. The modes
// of a method are firstMode + variant * variantStride + step. One lookup
// built from the rows answers, for any CommandMode, which method, variant and
// step it is; the mouse handlers never switch over commands.
#pragma once

#include <QString>

#include <optional>
#include <string_view>
#include <vector>

#include "interaction/builders.h"
#include "interaction/construction.h"
#include "interaction/dialog_rows.h"
#include "interaction/xor_overlay.h"

struct CommandContext;
struct ClickPoint;
struct ModeInfo;

// Which coordinates of the click a step takes.
enum class PointUse {
    Click,       // the click point (grid, then snap)
    KeepStartY,  // horizontal line end: the click's x, the start's y
    KeepStartX,  // vertical line end: the start's x, the click's y
};

// What Backspace does.
enum class Backspace {
    StepBack,       // CommandMode - 1, that step's prompt
    NoEffect,
    ReopenDialog,   // rerun items[reopenItem + variant]: its dialog reopens
    DropLastPoint,  // point sequences: forget the last entered point
};

// True when the step accepts the point; a refused click is ignored and the
// step waits for the next one.
using AcceptFn = bool (*)(const Construction&, PointD point);
// The rubber band of a step: the cursor stands for the point the next click
// gives.
using PreviewFn = void (*)(const Construction&, PointD cursor, PreviewShape& out);
// A family's own click routine, replacing store / advance / build (point
// sequences, freehand, selection, move and copy). Every routine of a row is
// handed the method, variant and step the machine looked the CommandMode up as.
using ClickFn = void (*)(CommandContext&, const ModeInfo&, const ClickPoint&);
// Left press and left drag of the freehand commands, in canvas pixels.
using PressFn = void (*)(CommandContext&, const ModeInfo&, int pixelX, int pixelY);
// Ctrl+E of a point sequence.
using FinishFn = void (*)(CommandContext&, const ModeInfo&);
// The rebuilt element of a change mode from the old one and the new position
// of the picked handle (changeTarget, changeHandle of the construction).
using ChangeFn = Draft (*)(const Drawing&, const Construction&, PointD to);
// Runs after the item's dialog was confirmed; false leaves the machine idle
// (the command refuses to start, having said why).
using PrepareFn = bool (*)(CommandContext&);

struct CommandStep {
    AcceptFn accepts = nullptr;  // nullptr: every point
    PreviewFn preview = nullptr;  // nullptr: no rubber band
    PointUse use = PointUse::Click;
};

// The closing rules of a point sequence (polyline, polygon, Bezier, C-splines).
enum class SequenceShape {
    None,
    Open,    // polyline, open C-spline: at least 2 points
    Closed,  // polygon, closed C-spline: at least 3, the repeated first point dropped
    Bezier,  // at least 4; points 3 and 4 are taken without a test
};

struct MenuItem {
    const char* handler;  // "PopDrawCirc7Click"
    int variant = 0;      // fill variant 0 outline, 1 fill, 2 outline and fill
    Ask ask = Ask::None;  // the dialog asked before the first click
};

struct CommandMethod {
    // The Draw families get theirs from interaction/draw_items.inc.
    std::vector<MenuItem> items = {};
    int firstMode = 0;
    int variantStride = 0;
    std::vector<CommandStep> steps;
    BuildFn build = nullptr;       // called with the points after the last step
    ClickFn click = nullptr;       // instead of the generic step walk
    PressFn press = nullptr;       // left button down
    PressFn drag = nullptr;        // mouse moved with the left button held
    PrepareFn prepare = nullptr;
    FinishFn finish = nullptr;
    ChangeFn change = nullptr;     // change modes: rebuild changeTarget, then mode 1
    SequenceShape sequence = SequenceShape::None;
    int strokeStepPx = 0;          // freehand lines: the least pixel step between points
    bool clearsSelection = true;   // the first click deselects
    Backspace atFirstStep = Backspace::NoEffect;
    int reopenItem = 0;
    Backspace laterSteps = Backspace::StepBack;
    // The clicks give points (typed points are taken too); false where they
    // pick (select one) or draw by dragging (freehand).
    bool takesPoints = true;

    int modeOf(int variant, int step) const { return firstMode + variant * variantStride + step; }
};

struct ModeInfo {
    const CommandMethod* method = nullptr;
    int variant = 0;
    int step = 0;
};

const std::vector<CommandMethod>& CommandMethods();
std::optional<ModeInfo> LookupMode(int commandMode);

struct MenuItemRef {
    const CommandMethod* method = nullptr;
    const MenuItem* item = nullptr;
};
// The method and item a Draw-menu handler name starts; nullopt when the
// table has no such item yet.
std::optional<MenuItemRef> FindMenuItem(std::string_view handler);

// The status-line prompt of a CommandMode; the point sequences show the
// number of the point asked for (nextPoint), the change modes of point lists
// the picked vertex. Modes without a prompt show the idle prompt.
QString PromptFor(int commandMode, const Construction& construction);
bool HasPrompt(int commandMode);
