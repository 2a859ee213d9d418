// Handle editing as data: one row per handle kind, carrying the grips that
// enter it (a layout and a range of grip numbers, model/grip_layout.h), its
// change mode, the set-up that copies what stays of the element into the
// construction, the rebuild of the element and the rubber band. The family
// table's change-mode rows are made from these rows, so a change mode is
// written once.
#pragma once

#include <climits>
#include <vector>

#include "interaction/command_table.h"
#include "model/grip_layout.h"

// The grips first .. last of one layout (kEveryGrip: to the last one).
struct GripSpan {
    GripLayout layout;
    int first = 0;
    int last = 0;
};
inline constexpr int kEveryGrip = INT_MAX;

// Copies what stays of the element (the picked grip is changeHandle of the
// construction) for the rubber band and the rebuild.
using SetupFn = void (*)(const Drawing&, const ControlPoint& picked, Construction&);

struct HandleRow {
    int mode = 0;
    std::vector<GripSpan> grips;
    SetupFn setup = nullptr;
    ChangeFn rebuild = nullptr;
    PreviewFn preview = nullptr;  // nullptr: the outline of the element the click would give
};

const std::vector<HandleRow>& HandleRows();
// The row whose grips hold grip number `grip` of a point code; null for the
// grips without a change mode (points, texts, ellipses of other methods).
const HandleRow* FindHandleRow(int32_t pointCode, int grip);
