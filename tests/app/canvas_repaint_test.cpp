// The cached canvas through the real TForm1: after every command of a long
// sequence (picks, blink ticks, delete, undo, redo, range move and copy, pen
// width change, pans, zooms, deselect) the canvas pixels equal a fresh full
// single-thread paint of the same drawing and view, on the mixed plain
// drawing and on the drawing of every attribute kind.
#include "app_test_support.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/selection.h"
#include "samples/sample_drawing.h"
#include "samples/sample_texture.h"

namespace {

struct Step {
    const char* name;
    std::function<void(TForm1&)> act;
};

void Ticks(TForm1& form, int n)
{
    for (int i = 0; i < n; ++i)
        form.Timer1Timer();
}

void SelectRange(TForm1& form, QPoint a, QPoint b)
{
    Trigger(form, "PopEditSelectRangeClick");
    Click(form, a);
    Click(form, b);
    Ticks(form, 3);
}

const std::vector<Step>& Steps()
{
    static const std::vector<Step> steps = {
        {"first paint", [](TForm1& f) { f.Repaint(); }},
        {"pick, blink, delete",
         [](TForm1& f) {
             Trigger(f, "PopEditSelect1Click");
             Click(f, {200, 150});
             Ticks(f, 4);
             Trigger(f, "PopEditDeleteClick");
         }},
        {"undo", [](TForm1& f) { Trigger(f, "PopEditUndoClick"); }},
        {"redo", [](TForm1& f) { Trigger(f, "PopEditRedoClick"); }},
        {"undo again", [](TForm1& f) { Trigger(f, "PopEditUndoClick"); }},
        {"range move",
         [](TForm1& f) {
             SelectRange(f, {40, 40}, {160, 140});
             Trigger(f, "PopEditMoveClick");
             Click(f, {100, 100});
             Click(f, {173, 121});
             Ticks(f, 2);
         }},
        {"range copy",
         [](TForm1& f) {
             SelectRange(f, {220, 120}, {390, 290});
             Trigger(f, "PopEditCopyClick");
             Click(f, {300, 200});
             Click(f, {250, 180});
             Ticks(f, 2);
         }},
        {"pen width of a pick",
         [](TForm1& f) {
             Trigger(f, "PopEditSelect1Click");
             Click(f, {120, 220});
             f.settings().attributes.penWidth = 7;
             Trigger(f, "PopEditPenWClick");
         }},
        {"undo of the width", [](TForm1& f) { Trigger(f, "PopEditUndoClick"); }},
        {"arrow right", [](TForm1& f) { f.FormKeyDown(Qt::Key_Right, Qt::NoModifier); }},
        {"shift arrow down", [](TForm1& f) { f.FormKeyDown(Qt::Key_Down, Qt::ShiftModifier); }},
        {"wheel zoom in", [](TForm1& f) { Wheel(f, {130, 90}, -120); }},
        {"delete while zoomed",
         [](TForm1& f) {
             SelectRange(f, {10, 10}, {390, 290});
             Trigger(f, "PopEditDeleteClick");
         }},
        {"undo while zoomed", [](TForm1& f) { Trigger(f, "PopEditUndoClick"); }},
        {"page down", [](TForm1& f) { f.FormKeyDown(Qt::Key_PageDown, Qt::NoModifier); }},
        {"home", [](TForm1& f) { f.FormKeyDown(Qt::Key_Home, Qt::NoModifier); }},
        // A deselected element stays on top until the next repaint, which
        // puts it back in its place.
        {"select all, deselect, repaint",
         [](TForm1& f) {
             Trigger(f, "PopEditSelectAllClick");
             Ticks(f, 3);
             Trigger(f, "PopEditSelectOutClick");
             f.Repaint();
         }},
    };
    return steps;
}

class CanvasRepaint : public ::testing::TestWithParam<SampleLook> {};

TEST_P(CanvasRepaint, EveryCommandLeavesTheFullPaintsPixels)
{
    QTemporaryDir dir;
    const QString texture = dir.filePath(QStringLiteral("t.png"));
    ASSERT_TRUE(writeSampleTexture(texture));
    auto form = MakeShownForm();
    fillSampleDrawing(form->drawing(),
                      SampleOptions{1200, 400, 300, 9, GetParam(), nullptr, texture.toStdString()});
    form->interaction().view.imageWidth = 400;
    form->interaction().view.imageHeight = 300;
    form->settings().grid.shown = true;
    for (const Step& step : Steps()) {
        step.act(*form);
        // Compared with nothing selected: a blinking selection is drawn on top.
        if (!form->drawing().selection.empty()) {
            Trigger(*form, "PopEditSelectOutClick");
            form->Repaint();
        }
        const QImage expected = FreshPaint(*form);
        const int differing = DifferingPixels(form->canvasImage(), expected);
        EXPECT_EQ(differing, 0) << step.name;
        if (differing) {
            form->canvasImage().save(QStringLiteral("/tmp/canvas_repaint_actual.png"));
            expected.save(QStringLiteral("/tmp/canvas_repaint_expected.png"));
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, CanvasRepaint, ::testing::Values(SampleLook::Plain, SampleLook::AllAttributes),
                         [](const auto& info) { return info.param == SampleLook::Plain ? "plain" : "attributes"; });

// Each element counts in a damaged repaint with its own margin in canvas
// pixels, far smaller than the worst case: deleting and restoring single
// elements of every kind and attribute (wide pens, anchor and arrow ends,
// point markers, texts, tilted ellipses, hatches) must leave exactly the
// pixels of a whole-canvas repaint, zoomed far in and far out.
struct ZoomRow {
    const char* name;
    int key;    // Page Up zooms in, Page Down out
    int steps;
};

class OneElementRepaint : public ::testing::TestWithParam<ZoomRow> {};

TEST_P(OneElementRepaint, EqualsTheWholeCanvasRepaint)
{
    QTemporaryDir dir;
    const QString texture = dir.filePath(QStringLiteral("t.png"));
    ASSERT_TRUE(writeSampleTexture(texture));
    auto form = MakeShownForm();
    fillSampleDrawing(form->drawing(),
                      SampleOptions{400, 400, 300, 5, SampleLook::AllAttributes, nullptr, texture.toStdString()});
    form->interaction().view.imageWidth = 400;
    form->interaction().view.imageHeight = 300;
    form->Repaint();
    for (int i = 0; i < GetParam().steps; ++i)
        form->FormKeyDown(GetParam().key, Qt::NoModifier);
    form->Repaint();
    const auto count = static_cast<int32_t>(form->drawing().registry.size());
    for (int32_t position = 0; position < count; position += 13) {
        ClearSelection(form->drawing());
        SelectRegistrySpan(form->drawing(), position, position);
        Trigger(*form, "PopEditDeleteClick");
        form->Repaint();
        const QImage afterDelete = form->canvasImage();
        form->invalidateCanvas();
        form->Repaint();
        ASSERT_EQ(DifferingPixels(afterDelete, form->canvasImage()), 0) << "delete of " << position;
        Trigger(*form, "PopEditUndoClick");
        form->Repaint();
        const QImage afterUndo = form->canvasImage();
        form->invalidateCanvas();
        form->Repaint();
        ASSERT_EQ(DifferingPixels(afterUndo, form->canvasImage()), 0) << "undo of " << position;
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, OneElementRepaint,
                         ::testing::Values(ZoomRow{"full_view", Qt::Key_Home, 1},
                                           ZoomRow{"far_in", Qt::Key_PageUp, 6},
                                           ZoomRow{"far_out", Qt::Key_PageDown, 6}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
