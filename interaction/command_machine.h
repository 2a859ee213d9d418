// The command machine: the Draw-menu start routine, the canvas clicks, the
// hover path (snap marker, rubber band), Backspace and Ctrl+E. It reads the
// family table (interaction/command_table.h) for everything that differs
// between commands; TForm1's handlers are one-line calls into here.
//
// The point of a click is taken at the press position: pixel to world through
// the view, rounded to the grid when the grid is shown, replaced by a snap
// point of a visible element within 5 pixels. Rubber bands follow the raw
// cursor; only stored points are rounded and snapped.
#pragma once

#include <Qt>
#include <QPoint>

#include "geometry/point.h"
#include "interaction/command_context.h"
#include "interaction/command_table.h"

inline constexpr int kSnapTolerancePx = 5;

struct ClickPoint {
    PointD point;    // grid-rounded, then snapped
    PointD rounded;  // grid-rounded only (freehand input)
    bool snapped = false;
    int pixelX = 0, pixelY = 0;  // the press
    int releaseX = 0, releaseY = 0;
};

PointD PixelToWorld(const ViewTransform& view, int pixelX, int pixelY);
// SnapToStep on both axes when the grid is shown.
PointD GridRounded(const GridSettings& grid, PointD world);
ClickPoint PointOfClick(const CommandContext&, int pixelX, int pixelY);

// A Draw-menu item: asks its dialog (Cancel leaves everything as it was),
// resets the collected points, sets the first CommandMode and its prompt.
void StartMenuItem(CommandContext&, const MenuItemRef&);

void MachineMouseDown(CommandContext&, Qt::MouseButton button, QPoint pos);
void MachineMouseMove(CommandContext&, Qt::MouseButtons buttons, QPoint pos);
// A release of a gesture the left button took part in alone; the press point
// is the state's pressX / pressY, release the pixel of the release.
void MachineLeftClick(CommandContext&, QPoint release);
// A point for the current step, from a click or the entry: the handle test,
// then the command's click rule; the point becomes the last point given.
void MachineGivePoint(CommandContext&, const ClickPoint& click);
// Draws the hover figures again at the last cursor (after a typed point or
// an edit of the entry text moved the rubber band's end).
void MachineRefreshHover(CommandContext&);
// A two-button gesture began: the hover figures go and a freehand line in
// progress is abandoned.
void MachineGestureStarted(CommandContext&);

// Erases a shown rubber band and snap marker.
void ErasePreviews(CommandContext&);
// The canvas was repainted as a whole: the XOR figures are gone with it.
void ForgetPreviews(InteractionState&);
// Backspace, after the previews were erased.
void StepBack(CommandContext&);
// Ctrl+E: finishes a point sequence with enough points; otherwise nothing.
void FinishSequence(CommandContext&);
