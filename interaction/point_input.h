// What the keyboard adds to a click: the last point given to the command
// machine (the start of the relative forms and of the angle lock), the point
// entry text being typed, the cursor of the last hover and whether Shift was
// held there. The typed point enters the machine where a click's point does
// after grid rounding and snapping, so every step that takes clicks takes it.
#pragma once

#include <QString>

#include <optional>

#include "geometry/point_entry.h"

struct CommandContext;
struct ClickPoint;
struct InteractionState;

struct PointInput {
    // The last point a click or the entry gave to a command; it outlives the
    // command, so the first step of the next one starts from it.
    std::optional<PointD> lastPoint;
    // The entry field is open with this text.
    bool typing = false;
    QString text;
    // The canvas pixel of the last hover; Shift held there.
    bool cursorSeen = false;
    int cursorX = 0, cursorY = 0;
    bool shiftHeld = false;
};

// The steps the entry serves: those whose click gives a point (not the pick
// of select-one, not the drag of the freehand commands).
bool TakesTypedPoints(int commandMode);
// The rubber band runs from the last point: a later step, or a sequence
// with points, or a change mode, whose step has a preview.
bool BandFromLastPoint(const InteractionState&);

// Where the cursor would put the next point without the entry: the raw
// cursor, or with Shift held its foot on the locked ray.
PointD CursorEnd(const CommandContext&, int pixelX, int pixelY);
// The point the entry text gives now (a distance follows the cursor).
EntryPoint TypedPoint(const CommandContext&);
// The rubber band's end: the typed point while the text gives one, else the
// cursor's.
PointD RubberBandEnd(const CommandContext&, int pixelX, int pixelY);
// A Shift click while the band follows the last point lands on the locked
// ray: the rounded or snapped point moves only along it.
void LockClickAngle(const CommandContext&, ClickPoint& click);
// The click the typed point stands for: exact (no grid, no snap).
ClickPoint TypedClick(const CommandContext&, PointD point);

// The third status panel: the point the next click (or the entry) gives and,
// while the band follows the last point, its length and angle.
QString CursorReadoutText(const CommandContext&, int pixelX, int pixelY);
// Panel 1 while typing, and the refusal of a text that gives no point.
QString EntryEchoText(const QString& text);
QString EntryRefusalText(EntryError error);
