// Pans that scroll the canvas image through the real TForm1: after every pan
// of a long sequence (arrows, Shift+arrows, drag pans, pans while zoomed, at
// whole and fractional shifts, with a blinking or a just deselected
// selection) the canvas equals a fresh full single-thread paint, on the mixed
// plain drawing and on the one with every attribute kind; and a whole-pixel
// pan really moves the pixels it keeps instead of painting them again.
#include "app_test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "bench/sample_drawing.h"
#include "bench/sample_texture.h"

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

void Key(TForm1& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    form.FormKeyDown(key, modifiers);
}

void DragPan(TForm1& form, QPoint from, QPoint to)
{
    Press(form, Qt::MiddleButton, from);
    Move(form, Qt::MiddleButton, (from + to) / 2);
    Move(form, Qt::MiddleButton, to);
    Release(form, Qt::MiddleButton, Qt::NoButton, to);
}

// A pan by a fraction of a pixel: the image cannot be shifted.
void FractionalPan(TForm1& form, double dx, double dy)
{
    ViewTransform& v = form.interaction().view.view;
    v.panX += dx / v.scale;
    v.panY += dy / v.scale;
    form.Repaint();
}

const std::vector<Step>& Steps()
{
    static const std::vector<Step> steps = {
        {"first paint", [](TForm1& f) { f.Repaint(); }},
        {"arrow right", [](TForm1& f) { Key(f, Qt::Key_Right); }},
        {"arrow down", [](TForm1& f) { Key(f, Qt::Key_Down); }},
        {"shift arrow left", [](TForm1& f) { Key(f, Qt::Key_Left, Qt::ShiftModifier); }},
        {"shift arrow up", [](TForm1& f) { Key(f, Qt::Key_Up, Qt::ShiftModifier); }},
        {"arrow left", [](TForm1& f) { Key(f, Qt::Key_Left); }},
        {"drag pan", [](TForm1& f) { DragPan(f, {120, 90}, {157, 71}); }},
        {"drag pan back", [](TForm1& f) { DragPan(f, {157, 71}, {120, 90}); }},
        {"fractional pan", [](TForm1& f) { FractionalPan(f, 0.37, -0.5); }},
        {"arrow after the fraction", [](TForm1& f) { Key(f, Qt::Key_Up); }},
        {"wheel zoom in", [](TForm1& f) { Wheel(f, {130, 90}, -120); }},
        {"zoomed arrow right", [](TForm1& f) { Key(f, Qt::Key_Right); }},
        {"zoomed shift arrow down", [](TForm1& f) { Key(f, Qt::Key_Down, Qt::ShiftModifier); }},
        {"zoomed drag pan", [](TForm1& f) { DragPan(f, {200, 150}, {189, 163}); }},
        {"zoomed fractional pan", [](TForm1& f) { FractionalPan(f, -3.25, 0.125); }},
        {"zoomed arrow left", [](TForm1& f) { Key(f, Qt::Key_Left); }},
        {"centre the image", [](TForm1& f) { Key(f, Qt::Key_Insert); }},
        // The highlight a tick drew moves with the image; a fresh paint has
        // none until the next tick.
        {"pan while blinking",
         [](TForm1& f) {
             Trigger(f, "PopEditSelectAllClick");
             Ticks(f, 2);
             Key(f, Qt::Key_Right, Qt::ShiftModifier);
         }},
        {"pan after a deselect",
         [](TForm1& f) {
             Trigger(f, "PopEditSelectOutClick");
             Key(f, Qt::Key_Down);
         }},
        {"home", [](TForm1& f) { Key(f, Qt::Key_Home); }},
    };
    return steps;
}

class CanvasScroll : public ::testing::TestWithParam<SampleLook> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeSampleTexture(m_dir.filePath(QStringLiteral("t.png"))));
        form = MakeShownForm();
        fillSampleDrawing(form->drawing(), SampleOptions{1200, 400, 300, 9, GetParam(), nullptr,
                                                         m_dir.filePath(QStringLiteral("t.png")).toStdString()});
        form->interaction().view.imageWidth = 400;
        form->interaction().view.imageHeight = 300;
        form->settings().grid.shown = true;
        form->invalidateCanvas();
        form->Repaint();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> form;
};

// The window's own repaint of the whole canvas, leaving the canvas as it was.
QImage WindowRepaint(TForm1& form)
{
    const QImage shown = form.canvasImage().copy();
    form.invalidateCanvas();
    form.Repaint();
    const QImage repainted = form.canvasImage().copy();
    form.canvasImage() = shown;
    return repainted;
}

bool SameAs(TForm1& form, const QImage& expected, const char* step)
{
    const int differing = DifferingPixels(form.canvasImage(), expected);
    EXPECT_EQ(differing, 0) << step;
    if (differing) {
        form.canvasImage().save(QStringLiteral("/tmp/canvas_scroll_actual.png"));
        expected.save(QStringLiteral("/tmp/canvas_scroll_expected.png"));
    }
    return differing == 0;
}

TEST_P(CanvasScroll, EveryPanLeavesTheFullPaintsPixels)
{
    for (const Step& step : Steps()) {
        step.act(*form);
        if (!SameAs(*form, FreshPaint(*form), step.name))
            return;
        if (!SameAs(*form, WindowRepaint(*form), step.name))
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, CanvasScroll, ::testing::Values(SampleLook::Plain, SampleLook::AllAttributes),
                         [](const auto& info) { return info.param == SampleLook::Plain ? "plain" : "attributes"; });

// A pixel that is no part of the picture shows whether a pan shifted the
// image (it moves along) or painted it anew (it is gone).
struct ShiftRow {
    const char* name;
    std::function<void(TForm1&)> pan;
    bool scrolls;
    QPoint shift;
};

class ScrollOrRepaint : public ::testing::TestWithParam<ShiftRow> {};

TEST_P(ScrollOrRepaint, KeptPixelsMoveByTheWholePixelShift)
{
    auto form = MakeShownForm();
    // The grid alone: no shape crosses an edge of the canvas.
    form->settings().grid.shown = true;
    form->invalidateCanvas();
    form->Repaint();
    const ShiftRow& row = GetParam();
    const QPoint marker = QPoint(200, 150) - row.shift / 2;
    constexpr QRgb kMarker = qRgb(255, 0, 255);
    form->canvasImage().setPixel(marker, kMarker);
    row.pan(*form);
    const QPoint moved = marker + row.shift;
    EXPECT_EQ(Pixel(*form, moved.x(), moved.y()) == (kMarker & 0xFFFFFF), row.scrolls);
    EXPECT_EQ(DifferingPixels(form->canvasImage(), FreshPaint(*form)), row.scrolls ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pans, ScrollOrRepaint,
    ::testing::Values(
        ShiftRow{"right", [](TForm1& f) { Key(f, Qt::Key_Right); }, true, {-200, 0}},
        ShiftRow{"up", [](TForm1& f) { Key(f, Qt::Key_Up); }, true, {0, 150}},
        ShiftRow{"shift_left", [](TForm1& f) { Key(f, Qt::Key_Left, Qt::ShiftModifier); }, true, {40, 0}},
        ShiftRow{"shift_down", [](TForm1& f) { Key(f, Qt::Key_Down, Qt::ShiftModifier); }, true, {0, -30}},
        ShiftRow{"drag", [](TForm1& f) { DragPan(f, {100, 100}, {131, 77}); }, true, {31, -23}},
        ShiftRow{"fraction", [](TForm1& f) { FractionalPan(f, 0.5, 0); }, false, {}},
        ShiftRow{"zoom", [](TForm1& f) { Key(f, Qt::Key_PageUp); }, false, {}},
        ShiftRow{"beyond_the_canvas", [](TForm1& f) { FractionalPan(f, 400, 0); }, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
