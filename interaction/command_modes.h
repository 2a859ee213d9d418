// The CommandModes that code refers to by name; every other mode is a row of
// the family table (interaction/command_table.cpp) and is found through it.
#pragma once

namespace command_modes {

constexpr int kIdle = 0;
// Pick one element: where Select 1 starts, and where a handle change or a
// text change returns once the element is rebuilt.
constexpr int kSelectOne = 1;
// Freehand points; the mode after it holds while the left button is down.
constexpr int kFreehandPoints = 210;

// The change modes of point lists (a picked vertex moves) end in 1; the
// point sequences that draw those kinds end in 0.
constexpr bool IsVertexChange(int mode) { return mode % 10 == 1; }

}  // namespace command_modes
