// A CanvasHost without a window for driving the command machine: it owns the
// interaction record, a drawing, the settings and a 400 x 300 canvas image,
// paints with the real picture routine, records the status texts and answers
// the construction dialogs from scripts. The benchmarks use it too.
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

#include "interaction/canvas_host.h"
#include "interaction/command_machine.h"
#include "interaction/interaction_state.h"
#include "model/data.h"
#include "render/graph_p.h"
#include "storage/settings.h"

class FakeHost : public CanvasHost {
public:
    explicit FakeHost(int canvasWidth = 400, int canvasHeight = 300);

    void ShowPrompt() override;
    void showPromptText(const QString& text) override { prompt = text; }
    void ShowOperation(const QString& text) override { operation = text; }
    void Repaint() override;
    QImage& canvasImage() override { return image; }
    void canvasChanged(const QRect&) override {}
    const ViewState& viewState() const override { return state.view; }
    void UpdateUndoMenu() override { undoEnabled = drawing.journal.canUndo(); }
    TGraphP* surface() override { return &graph; }
    void Deselect() override;
    void StartBlink() override { ++blinkStarts; }
    void moveSelection(PointD base, PointD target) override;
    void copySelection(PointD base, PointD target) override;
    bool askNumbers(NumericRows& rows) override;
    bool askCorners(ConstructionParameters& params) override;
    bool askText(ConstructionParameters& params) override;
    bool askPolyPoint(int pointCount, PolyPointChoice& choice) override;

    CommandContext ctx() { return {state, drawing, settings, *this}; }

    // Starts a Draw item by handler name; false when the table lacks it.
    bool start(const char* handler);
    // A left click (press and release without moving) at a canvas pixel.
    void click(int x, int y);
    // A click at a drawing point (the view at scale 1 and no pan maps it
    // to the same pixel, truncated).
    void hover(int x, int y);
    void backspace();

    InteractionState state;
    Drawing drawing;
    Settings settings;
    QImage image;
    TGraphP graph;
    QString prompt, operation;
    bool undoEnabled = false;
    int deselections = 0;
    int blinkStarts = 0;
    int dialogsAsked = 0;
    // Dialog scripts; unset answers Cancel.
    std::function<bool(NumericRows&)> numbers;
    // A numbers script that answers OK with values in the first rows.
    static std::function<bool(NumericRows&)> Answering(std::vector<double> values);
    std::function<bool(ConstructionParameters&)> corners;
    std::function<bool(ConstructionParameters&)> text;
    std::function<bool(int, PolyPointChoice&)> polyPoint;
};
