// The main window's interaction state as one record: the CommandMode, the
// view, the mouse gesture in progress, the selection blink, the command's
// collected points and the XOR figures on the canvas. The command machine
// (interaction/command_machine.h) works on this record, so it can be driven
// without a window.
#pragma once

#include <QImage>

#include <cstdint>

#include "interaction/construction.h"
#include "interaction/point_input.h"
#include "interaction/view_ops.h"
#include "interaction/xor_overlay.h"
#include "render/highlight.h"

// Bits of InteractionState::mouseFlags; built up by every press of a gesture
// and cleared at the end of every release.
enum MouseFlag : uint32_t {
    kMouseLeft = 1,
    kMouseRight = 2,
    kMouseMiddle = 4,
    kMouseDouble = 8,
    kMouseShift = 16,
    kMouseAlt = 32,
    kMouseCtrl = 64,
};

// The grey XOR rectangle of a two-button view gesture, in canvas pixels.
struct GestureBand {
    bool shown = false;
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A copy of the canvas taken when the middle button goes down; while it is
// valid the drag shows it shifted under the mouse.
struct DragSnapshot {
    QImage image;
    bool valid = false;
    uint64_t paintsBefore = 0;  // the window's paint count when it was taken
};

struct BlinkState {
    bool active = false;
    BlinkLevel level;  // the level the next tick draws
    int32_t intervalMs = 0;
};

struct InteractionState {
    int32_t CommandMode = 0;  // 0 idle
    ViewState view;
    uint32_t mouseFlags = 0;
    int32_t pressX = 0, pressY = 0;  // canvas pixels of the gesture's first press
    GestureBand gesture;
    DragSnapshot drag;
    BlinkState blink;
    // The command in progress: collected points, working values, sequences.
    Construction construction;
    // The XOR figures on the canvas: the cyan rubber band (1 pixel) and the
    // yellow snap marker (2 pixels).
    XorFigure preview{kPreviewColour, 1};
    XorFigure snapMarker{kSnapMarkerColour, 2};
    PreviewShape previewShape;  // reused by every mouse move
    // The last point given, the entry being typed, the hover cursor.
    PointInput pointInput;

    // The first block of mouse state, cleared by New and Open.
    void clearMouse()
    {
        CommandMode = 0;
        mouseFlags = 0;
        pressX = pressY = 0;
        gesture = GestureBand{};
        construction = Construction{};
        pointInput.lastPoint.reset();
    }
};
