// The canvas of the real window (TForm1, 1000 x 800 canvas) on large
// drawings, each action through the window's own handlers:
//   BM_OneThreadPaint     the full single-thread paint of before the cached
//                         canvas (DrawPicture), as the yardstick;
//   BM_FullRepaint        a repaint of the whole canvas (culled, banded);
//   BM_UndoRedo           Undo then Redo of one line (two repaints);
//   BM_DeleteOne          delete of one selected element, then its undo;
//   BM_WidthChange        pen width change of one selected element;
//   BM_ZoomedPan          arrow right then left, zoomed in to 5% of the drawing;
//   BM_ShiftPan, BM_Pan   Shift+arrow and arrow pans at the full view;
//   BM_ZoomedPageUpDown   Page Up then Page Down, zoomed in so that 3.4% and
//                         1.5% of the elements are on screen;
//   BM_BlinkTick          one tick with everything selected (budget 15 ms of 200);
//   BM_DeleteAll          Ctrl+A then Del (the undo that follows is not timed);
//   BM_WheelDuringPaint   a wheel turn posted a tenth into a full repaint: the
//                         counter is the time from the turn to the first
//                         element of the zoomed view's paint (Home after, untimed).
// Drawings: <look>/<n>, the mixed plain drawing or the one with every
// attribute kind, spread over a 1920 x 1080 image as mirt_bench_drawing
// writes them; the Home view shows the 1000 x 800 at its top left. The
// offscreen screen is made large enough to hold the whole window.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>

#include "app/Unit1.h"
#include "model/selection.h"
#include "render/graph_p.h"
#include "render/picture.h"
#include "samples/sample_drawing.h"
#include "samples/sample_texture.h"

namespace {

constexpr int kCanvasWidth = 1000, kCanvasHeight = 800;
constexpr int kImageWidth = 1920, kImageHeight = 1080;

std::string texturePath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("texture.png"));
    static const bool written = writeSampleTexture(path);
    return written ? path.toStdString() : std::string();
}

struct Window {
    std::unique_ptr<TForm1> form;
    int elements = 0;
};

// One window per drawing, kept for the run (making a million elements is
// slower than any row) and closed before the application.
std::map<std::pair<int, int>, Window>& windows()
{
    static std::map<std::pair<int, int>, Window> all;
    return all;
}

Window& windowFor(SampleLook look, int count)
{
    Window& w = windows()[{static_cast<int>(look), count}];
    if (w.form)
        return w;
    w.form = std::make_unique<TForm1>();
    w.form->show();
    w.form->resize(kCanvasWidth, kCanvasHeight + (w.form->height() - w.form->canvasHeight()));
    QApplication::processEvents();
    fillSampleDrawing(w.form->drawing(),
                      SampleOptions{count, kImageWidth, kImageHeight, 1, look, nullptr, texturePath()});
    // As a drawing just opened whose history was dropped: an undo undoes
    // the row's own command, not the generation of the drawing.
    w.form->drawing().journal.clear();
    w.form->interaction().view.imageWidth = kImageWidth;
    w.form->interaction().view.imageHeight = kImageHeight;
    w.elements = count;
    w.form->invalidateCanvas();
    w.form->FormPaint();
    return w;
}

SampleLook lookOf(const benchmark::State& state) { return state.range(0) ? SampleLook::AllAttributes : SampleLook::Plain; }

TForm1& formOf(benchmark::State& state)
{
    Window& w = windowFor(lookOf(state), static_cast<int>(state.range(1)));
    TForm1& form = *w.form;
    form.FormKeyDown(Qt::Key_Home, Qt::NoModifier);
    state.counters["extentBytesPerElement"] =
        static_cast<double>(form.drawing().extents.memoryBytes()) / std::max(1, w.elements);
    state.counters["canvasWidth"] = form.canvasWidth();
    return form;
}

void BM_OneThreadPaint(benchmark::State& state)
{
    TForm1& form = formOf(state);
    QImage image(form.canvasWidth(), form.canvasHeight(), QImage::Format_RGB32);
    PictureParams p;
    p.imageWidth = p.canvasWidth = image.width();
    p.imageHeight = p.canvasHeight = image.height();
    TGraphP g;
    for (auto _ : state) {
        g.Begin(&image);
        DrawPicture(g, form.drawing(), p);
        g.End();
    }
}

void BM_FullRepaint(benchmark::State& state)
{
    TForm1& form = formOf(state);
    for (auto _ : state) {
        form.invalidateCanvas();
        form.FormPaint();
    }
}

void BM_UndoRedo(benchmark::State& state)
{
    TForm1& form = formOf(state);
    Drawing& d = form.drawing();
    d.journal.BeginGroup();
    d.AppendLine(LineRecord{{}, 400, 300, 460, 340});
    d.journal.EndGroup();
    form.UpdateUndoMenu();
    for (auto _ : state) {
        form.PopEditUndoClick();
        form.PopEditRedoClick();
    }
}

void selectOne(TForm1& form, int32_t position)
{
    ClearSelection(form.drawing());
    SelectRegistrySpan(form.drawing(), position, position);
}

void BM_DeleteOne(benchmark::State& state)
{
    TForm1& form = formOf(state);
    const auto middle = static_cast<int32_t>(form.drawing().registry.size() / 2);
    for (auto _ : state) {
        selectOne(form, middle);
        form.PopEditDeleteClick();
        form.PopEditUndoClick();
    }
}

void BM_WidthChange(benchmark::State& state)
{
    TForm1& form = formOf(state);
    form.settings().attributes.penWidth = 3;
    for (auto _ : state) {
        selectOne(form, static_cast<int32_t>(form.drawing().registry.size() - 1));
        form.PopEditPenWClick();
    }
}

void pans(benchmark::State& state, int key1, int key2, Qt::KeyboardModifiers modifiers, int zoomSteps)
{
    TForm1& form = formOf(state);
    for (int i = 0; i < zoomSteps; ++i)
        form.FormKeyDown(Qt::Key_PageUp, Qt::NoModifier);
    for (auto _ : state) {
        form.FormKeyDown(key1, modifiers);
        form.FormKeyDown(key2, modifiers);
    }
    form.FormKeyDown(Qt::Key_Home, Qt::NoModifier);
}

// Page Up zooms by 1.5 about the centre: 4 steps show 1/5.1^2 of the area.
void BM_ZoomedPan(benchmark::State& state) { pans(state, Qt::Key_Right, Qt::Key_Left, Qt::NoModifier, 4); }
void BM_ShiftPan(benchmark::State& state) { pans(state, Qt::Key_Right, Qt::Key_Left, Qt::ShiftModifier, 0); }
void BM_Pan(benchmark::State& state) { pans(state, Qt::Key_Right, Qt::Key_Left, Qt::NoModifier, 0); }

// The Home view shows 38.6% of the elements; 3 and 4 Page Ups a 2.25^3 and
// a 2.25^4 part of that.
void BM_ZoomedPageUpDown(benchmark::State& state)
{
    pans(state, Qt::Key_PageUp, Qt::Key_PageDown, Qt::NoModifier, 3);
}

void BM_BlinkTick(benchmark::State& state)
{
    TForm1& form = formOf(state);
    form.PopEditSelectAllClick();
    for (auto _ : state)
        form.Timer1Timer();
    form.Deselect();
    form.FormPaint();
}

void BM_DeleteAll(benchmark::State& state)
{
    TForm1& form = formOf(state);
    for (auto _ : state) {
        form.PopEditSelectAllClick();
        form.PopEditDeleteClick();
        state.PauseTiming();
        form.PopEditUndoClick();
        state.ResumeTiming();
    }
}

void BM_WheelDuringPaint(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    TForm1& form = formOf(state);
    QWidget* canvas = form.findChild<QWidget*>(QStringLiteral("PaintBox1"));
    const QPointF centre(kCanvasWidth / 2.0, kCanvasHeight / 2.0);
    double waitedMs = 0;
    for (auto _ : state) {
        int paints = 0;
        Clock::time_point turned, newPaint;
        form.setPaintStepHook([&](int percent) {
            if (percent == 0 && ++paints == 2)
                newPaint = Clock::now();
            if (paints == 1 && percent == 10) {
                turned = Clock::now();
                QCoreApplication::postEvent(canvas, new QWheelEvent(centre, centre, QPoint(), QPoint(0, -120),
                                                                    Qt::NoButton, Qt::NoModifier,
                                                                    Qt::NoScrollPhase, false));
            }
        });
        form.invalidateCanvas();
        form.FormPaint();
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        waitedMs += std::chrono::duration<double, std::milli>(newPaint - turned).count();
        state.PauseTiming();
        form.setPaintStepHook({});
        form.FormKeyDown(Qt::Key_Home, Qt::NoModifier);
        state.ResumeTiming();
    }
    state.counters["wheel_to_new_paint_ms"] = waitedMs / static_cast<double>(state.iterations());
    state.counters["abandoned"] = static_cast<double>(form.abandonedPaints());
}

void drawings(benchmark::internal::Benchmark* b)
{
    b->Args({0, 1000})->Args({0, 1000000})->Args({1, 100000})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_OneThreadPaint)->Apply(drawings);
BENCHMARK(BM_FullRepaint)->Apply(drawings);
BENCHMARK(BM_UndoRedo)->Apply(drawings);
BENCHMARK(BM_DeleteOne)->Apply(drawings);
BENCHMARK(BM_WidthChange)->Apply(drawings);
BENCHMARK(BM_ZoomedPan)->Apply(drawings);
BENCHMARK(BM_ShiftPan)->Apply(drawings);
BENCHMARK(BM_Pan)->Apply(drawings);
BENCHMARK(BM_ZoomedPageUpDown)->Apply(drawings);
BENCHMARK(BM_BlinkTick)->Apply(drawings);
BENCHMARK(BM_DeleteAll)->Apply(drawings)->Iterations(2);
BENCHMARK(BM_WheelDuringPaint)->Apply(drawings)->Iterations(3);

// The offscreen platform's default 800 x 600 screen would hold the window
// smaller than it asks for.
QByteArray offscreenWithLargeScreen()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("screen.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return "offscreen";
    file.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1200,
                                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    return "offscreen:configfile=" + QFile::encodeName(path);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", offscreenWithLargeScreen());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windows().clear();
    return 0;
}
