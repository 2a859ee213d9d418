// Pans that scroll the canvas image through the real TForm1: after every pan
// of a long sequence (arrows, Shift+arrows, drag pans, pans while zoomed, at
// whole and fractional shifts, with a blinking or a just deselected
// selection) the canvas equals a fresh full single-thread paint, on the mixed
// plain drawing and on the one with every attribute kind; and a whole-pixel
// pan really moves the pixels it keeps instead of painting them again.
#include "app_test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

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

// Shapes as large as the canvas and larger, so that many cross every edge
// the pans move: thin and wide pens, dashes, anchors, curves, fill-only and
// outlined shapes, and lines reaching far beyond any canvas; the same with
// only what Qt fills (pens wider than a pixel, solid, plain caps), which a
// sideways pan carries across the edges; or texts alone, turned, stretched,
// anchored anywhere, in opaque colours, which any pan carries
// (render/clip_free.h). The attribute tables are the sample drawing's
// (widths 1, 2.5, 5 and 20).
enum class EdgeMix { Shapes, QtFills, Texts };

void AppendEdgeShapes(Drawing& d, int count, EdgeMix mix)
{
    std::mt19937 rng(11);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto point = [&] { return PointD{uniform(-150, 550), uniform(-150, 450)}; };
    for (int i = 0; i < count; ++i) {
        constexpr int kPlainCaps[] = {0, 1, 3};
        const bool qtFills = mix == EdgeMix::QtFills;
        const int width = qtFills ? 1 + pick(3) : pick(4);
        const int dashes = qtFills || pick(3) ? 0 : 1 + pick(8);
        const OutlineHeader pen{0, 1 + pick(2), pick(2), width, dashes, qtFills ? kPlainCaps[pick(3)] : pick(6)};
        const ClosedHeader shape{pick(3), 0, 1 + pick(2), pick(2), width, dashes, pick(3), 1 + pick(2), pick(2)};
        const PointD a = point(), b = point();
        switch (mix == EdgeMix::Texts ? 7 : i % 7) {
        case 0: d.AppendLine({pen, a.x, a.y, b.x, b.y}); break;
        case 1: d.AppendPolyline({pen, {a, point(), point(), b}}); break;
        case 2: d.AppendBezier({pen, {a, point(), point(), b}}); break;
        case 3: d.AppendCircle({shape, 0, a.x, a.y, uniform(20, 300)}); break;
        case 4: d.AppendEllipse({shape, 0, a.x, a.y, uniform(20, 300), uniform(10, 200), uniform(-90, 90)}); break;
        case 5: d.AppendPolygon({shape, {a, point(), b, point()}}); break;
        case 6: {
            // Reaches most of a million pixels beyond the canvas on both sides.
            const double far = 8e5 * (pick(2) ? 1 : -1);
            d.AppendLine({pen, a.x - far, a.y + uniform(-0.3, 0.3) * far, b.x + far, b.y - uniform(-0.3, 0.3) * far});
            break;
        }
        default: {
            TextRecord t;
            t.brushKind = 1;
            t.brushRef = pick(3);
            t.x = t.boxA = uniform(-60, 460), t.y = t.boxB = uniform(-30, 330);
            t.size = uniform(5, 18), t.angle = pick(2) ? 0 : uniform(-180, 180), t.xRatio = uniform(0.5, 2);
            t.anchor = pick(9);
            t.boxC = 6 * t.size, t.boxD = t.size;
            t.fontName = "ＭＳ ゴシック";
            t.text = "図面 Edge " + std::to_string(i);
            d.AppendText(std::move(t));
            break;
        }
        }
    }
}

class CanvasScrollEdges : public ::testing::TestWithParam<EdgeMix> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeSampleTexture(m_dir.filePath(QStringLiteral("t.png"))));
        form = MakeShownForm();
        fillSampleDrawing(form->drawing(), SampleOptions{36, 400, 300, 5, SampleLook::Plain, nullptr,
                                                         m_dir.filePath(QStringLiteral("t.png")).toStdString()});
        AppendEdgeShapes(form->drawing(), 140, GetParam());
        form->interaction().view.imageWidth = 400;
        form->interaction().view.imageHeight = 300;
        form->invalidateCanvas();
        form->Repaint();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> form;
};

TEST_P(CanvasScrollEdges, EveryPanLeavesTheFullPaintsPixels)
{
    for (const Step& step : Steps()) {
        step.act(*form);
        if (!SameAs(*form, FreshPaint(*form), step.name))
            return;
    }
}

// Far in, thin pens become wide and curves long: the pans are checked there too.
TEST_P(CanvasScrollEdges, PansFarZoomedInLeaveTheFullPaintsPixels)
{
    for (int i = 0; i < 3; ++i)
        Key(*form, Qt::Key_PageUp);
    for (const Step& step : Steps()) {
        if (std::string(step.name) == "home" || std::string(step.name) == "centre the image")
            continue;
        step.act(*form);
        if (!SameAs(*form, FreshPaint(*form), step.name))
            return;
    }
}

std::string MixName(const ::testing::TestParamInfo<EdgeMix>& info)
{
    constexpr const char* kNames[] = {"shapes", "qt_fills", "texts"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Mixes, CanvasScrollEdges,
                         ::testing::Values(EdgeMix::Shapes, EdgeMix::QtFills, EdgeMix::Texts), MixName);

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
