// The editing hot paths on a drawing of 100,000 elements: one blink tick
// (the highlight of 10 selected elements drawn onto a 1280 x 800 canvas) and
// moving 1,000 selected elements (duplicates, deaths, the new selection; the
// one repaint that follows is measured by the paint benchmarks).
#include "editing/displace.h"
#include "model/selection.h"
#include "render/graph_p.h"
#include "render/highlight.h"
#include "samples/sample_drawing.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kElements = 100000;

std::unique_ptr<Drawing> sample()
{
    auto d = std::make_unique<Drawing>();
    fillSampleDrawing(*d, SampleOptions { .elementCount = kElements, .width = 1280, .height = 800 });
    return d;
}

void BM_BlinkTick(benchmark::State& state)
{
    const auto d = sample();
    SelectRegistrySpan(*d, kElements / 2, kElements / 2 + static_cast<int32_t>(state.range(0)) - 1);
    QImage canvas(1280, 800, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    TGraphP g;
    g.setAttributes(&d->attributes);
    BlinkLevel level;
    for (auto _ : state) {
        g.Begin(&canvas);
        DrawHighlight(g, level.level, {}, *d);
        g.End();
        level.step();
    }
}
BENCHMARK(BM_BlinkTick)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_MoveSelection(benchmark::State& state)
{
    const auto d = sample();
    const auto count = static_cast<int32_t>(state.range(0));
    SelectRegistrySpan(*d, 0, count - 1);
    for (auto _ : state) {
        d->journal.BeginGroup();
        const auto first = static_cast<int32_t>(d->registry.size());
        AppendDisplacedSelection(*d, 3, 2);
        KillSelection(*d);
        ClearSelection(*d);
        SelectRegistrySpan(*d, first, static_cast<int32_t>(d->registry.size()) - 1);
        d->journal.EndGroup();
    }
}
BENCHMARK(BM_MoveSelection)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
