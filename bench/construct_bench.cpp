// The command machine on large drawings: the hover path of one mouse move
// (erase the snap marker, look the cursor up in the snap list, draw the
// marker, erase and redraw the rubber band) and one constructor (attributes,
// journal group, append, drawing the element at once, snap registration).
// Neither may grow with the drawing beyond the snap-list scan: the
// constructor never repaints the canvas.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <map>
#include <memory>

#include "bench/sample_drawing.h"
#include "interaction/builder_protocol.h"
#include "tests/interaction/fake_host.h"

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

}  // namespace

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
