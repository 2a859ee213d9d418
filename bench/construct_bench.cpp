// The command machine on large drawings: the hover path of one mouse move
// (erase the snap marker, look the cursor up in the snap list, draw the
// marker, erase and redraw the rubber band) and one constructor (attributes,
// journal group, append, drawing the element at once, snap registration).
// Neither may grow with the drawing beyond the snap-list scan: the
// constructor never repaints the canvas. Then the hover path of every
// family's rubber band at its busiest step, and the freehand conversion.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <map>
#include <memory>

#include "fake_host.h"
#include "interaction/builder_protocol.h"
#include "interaction/freehand.h"
#include "samples/sample_drawing.h"

namespace {

// A 1920 x 1080 canvas showing a generated drawing, painted once so that its
// snap list is what a paint leaves behind.
FakeHost& hostWith(int elementCount)
{
    static std::map<int, std::unique_ptr<FakeHost>> hosts;
    auto& slot = hosts[elementCount];
    if (!slot) {
        slot = std::make_unique<FakeHost>(1920, 1080);
        fillSampleDrawing(slot->drawing, SampleOptions{.elementCount = elementCount});
        slot->graph.setAttributes(&slot->drawing.attributes);
        slot->Repaint();
    }
    return *slot;
}

// Circle by centre and radius, centre given: every move draws a circle.
void BM_HoverPathEmptySpot(benchmark::State& state)
{
    FakeHost& h = hostWith(static_cast<int>(state.range(0)));
    h.start("PopDrawCirc1Click");
    h.state.CommandMode = 401;
    h.state.construction.points[0] = {960, 540};
    // Above the image area the snap scan finds nothing: the whole list is read.
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 1900;
        h.hover(x, 1075);
    }
    CommandContext c = h.ctx();
    ErasePreviews(c);
    state.counters["snapPoints"] = static_cast<double>(h.drawing.snapPoints.size());
}

// Over the image: the marker is found and drawn on most moves.
void BM_HoverPathOverElements(benchmark::State& state)
{
    FakeHost& h = hostWith(static_cast<int>(state.range(0)));
    h.start("PopDrawLineClick");
    h.state.CommandMode = 101;
    h.state.construction.points[0] = {100, 100};
    int x = 0;
    for (auto _ : state) {
        x = (x + 13) % 1900;
        h.hover(x, 540);
    }
    CommandContext c = h.ctx();
    ErasePreviews(c);
}

// One line per iteration through the builder protocol.
void BM_ConstructLine(benchmark::State& state)
{
    FakeHost& h = hostWith(static_cast<int>(state.range(0)));
    CommandContext c = h.ctx();
    double y = 0;
    for (auto _ : state) {
        y = y > 1000 ? 0 : y + 1;
        benchmark::DoNotOptimize(CommitDraft(c, BuildLine({10, y}, {300, y + 40})));
    }
}

// A family's busiest rubber band: the item started and the clicks before
// its last step given, so every move draws the whole figure.
struct PreviewRow {
    const char* handler;
    std::vector<double> dialog;
    std::vector<QPoint> clicks;
};

std::vector<QPoint> zigzag(int n)
{
    std::vector<QPoint> points;
    for (int i = 0; i < n; ++i)
        points.push_back({100 + 15 * i, i % 2 ? 400 : 300});
    return points;
}

const std::vector<PreviewRow>& previewRows()
{
    static const std::vector<PreviewRow> rows = {
        {"PopDrawLineClick", {}, {{960, 540}}},
        {"PopDrawBox1Click", {}, {{960, 540}}},
        {"PopDrawCirc1Click", {}, {{960, 540}}},
        {"PopDrawElli7Click", {}, {{960, 540}}},
        {"PopDrawArc1Click", {}, {{960, 540}, {1100, 540}, {960, 400}}},
        {"PopDrawEArc5Click", {}, {{800, 440}, {1120, 640}, {960, 300}}},
        {"PopDrawPie1Click", {}, {{960, 540}, {1100, 500}, {960, 400}}},
        {"PopDrawChord1Click", {}, {{960, 540}, {1100, 500}, {960, 400}}},
        {"PopDrawEOut1Click", {}, {{960, 540}, {1100, 500}, {960, 400}}},
        {"PopDrawDnt1Click", {}, {{960, 540}, {1100, 500}, {1040, 520}, {960, 400}}},
        {"PopDrawPlin1Click", {}, zigzag(100)},
        {"PopDrawCsp1Click", {}, zigzag(100)},
        {"PopDrawPgon7Click", {12}, {{960, 540}, {960, 300}}},
        {"PopDrawMojiClick", {}, {}},
    };
    return rows;
}

void BM_PreviewStep(benchmark::State& state)
{
    const PreviewRow& row = previewRows()[static_cast<size_t>(state.range(0))];
    FakeHost h(1920, 1080);
    h.numbers = FakeHost::Answering(row.dialog);
    h.text = [](ConstructionParameters& p) {
        p.text = "Mirt 作図";
        return true;
    };
    if (!h.start(row.handler)) {
        state.SkipWithError("no such item");
        return;
    }
    for (const QPoint& p : row.clicks)
        h.click(p.x(), p.y());
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 300;
        h.hover(1200 + x, 700 + x / 3);
    }
    // A row whose rubber band stays empty measures nothing: say so.
    state.counters["polylines"] = static_cast<double>(h.state.previewShape.polylines.size());
    CommandContext c = h.ctx();
    ErasePreviews(c);
    state.SetLabel(row.handler);
}

// A stroke of n samples along a wavy line, reduced to its vertices.
void BM_FreehandVertices(benchmark::State& state)
{
    std::vector<PointD> samples;
    for (int64_t i = 0; i < state.range(0); ++i)
        samples.push_back({static_cast<double>(i) * 2, 300 + 80 * std::sin(static_cast<double>(i) / 40)});
    for (auto _ : state)
        benchmark::DoNotOptimize(FreehandVertices(samples));
}

}  // namespace

BENCHMARK(BM_PreviewStep)->DenseRange(0, 13)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreehandVertices)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoverPathEmptySpot)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverPathOverElements)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConstructLine)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
