// What the command machine, the builders and the edit commands need from the
// main window: the two status lines, repainting, the canvas image to draw
// previews into, the surface that draws a new element at once, the view,
// deselection, the displacement of the selection and the construction
// dialogs. TForm1 implements it; tests of
// the machine implement it with a fake that records the texts, owns a plain
// image and answers the dialogs from a script.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "geometry/point.h"
#include "interaction/question_values.h"
#include "interaction/view_ops.h"
#include "model/construction_parameters.h"

class TGraphP;

class CanvasHost {
public:
    virtual ~CanvasHost() = default;

    // Panel 0: the prompt of the current CommandMode.
    virtual void ShowPrompt() = 0;
    // Panel 0 with a text of the caller's (a refusal such as "線分１要素を…").
    virtual void showPromptText(const QString& text) = 0;
    // Panel 1; an empty text clears it.
    virtual void ShowOperation(const QString& text) = 0;
    // The full paint cycle.
    virtual void Repaint() = 0;
    // The canvas picture; after drawing into it call canvasChanged.
    virtual QImage& canvasImage() = 0;
    virtual void canvasChanged(const QRect& rect) = 0;
    virtual const ViewState& viewState() const = 0;
    // Undo and Redo follow the journal after a command changed the drawing.
    virtual void UpdateUndoMenu() = 0;
    // The drawing surface of the canvas; null before the window was shown.
    virtual TGraphP* surface() = 0;
    // Empties the selection and stops its blink (repaints when it changed).
    virtual void Deselect() = 0;
    // Starts the blink of a selection that was just made.
    virtual void StartBlink() = 0;
    // The second clicks of move and copy: the selection displaced by
    // target - base, which the editing layer does (editing/edit_commands.h).
    virtual void moveSelection(PointD base, PointD target) = 0;
    virtual void copySelection(PointD base, PointD target) = 0;
    // The construction dialogs; each returns true on OK with its values
    // replaced, false (nothing changed) on Cancel.
    virtual bool askNumbers(NumericRows& rows) = 0;
    virtual bool askCorners(ConstructionParameters& params) = 0;
    virtual bool askText(ConstructionParameters& params) = 0;
    // The polyline point dialog for an element of pointCount points.
    virtual bool askPolyPoint(int pointCount, PolyPointChoice& choice) = 0;
};
