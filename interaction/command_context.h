// What the command machine works on: the window's interaction record, the
// drawing, the settings (grid, current attributes, remembered construction
// inputs) and the host that shows texts and owns the canvas. TForm1 passes
// its own members; the tests pass a Drawing, Settings and a fake host.
#pragma once

struct InteractionState;
class Drawing;
struct Settings;
class CanvasHost;

struct CommandContext {
    InteractionState& state;
    Drawing& drawing;
    Settings& settings;
    CanvasHost& host;
};
