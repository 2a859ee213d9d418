// Hit test and snap look-up on large generated drawings: SelectAt and
// SelectInRange walk the whole registry when nothing (or everything) is hit,
// FindSnapPoint scans the whole list when the cursor is on empty canvas. The
// snap list is built as a paint builds it: every element registered on a
// 1920 x 1080 canvas at scale 1.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "model/selection.h"
#include "model/snap_points.h"
#include "samples/sample_drawing.h"

namespace {

const CanvasView kCanvas{{1, 0, 0}, 1920, 1080};

// Drawings are built once per size and shared by every benchmark.
Drawing& sampleDrawing(int elementCount)
{
    static std::map<int, std::unique_ptr<Drawing>> drawings;
    auto& slot = drawings[elementCount];
    if (!slot) {
        slot = std::make_unique<Drawing>();
        fillSampleDrawing(*slot, SampleOptions{.elementCount = elementCount});
        for (const ElementRef& ref : slot->registry)
            RegisterSnapPoints(*slot, ref, kCanvas);
    }
    return *slot;
}

void BM_SelectAtMiss(benchmark::State& state)
{
    Drawing& d = sampleDrawing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ClearSelection(d);
        benchmark::DoNotOptimize(SelectAt(d, 5, -500, -500));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A click in the middle of the image: the first element that passes ends the walk.
void BM_SelectAtHit(benchmark::State& state)
{
    Drawing& d = sampleDrawing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ClearSelection(d);
        benchmark::DoNotOptimize(SelectAt(d, 5, 960, 540));
    }
}

void BM_SelectInRangeNothing(benchmark::State& state)
{
    Drawing& d = sampleDrawing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ClearSelection(d);
        benchmark::DoNotOptimize(SelectInRange(d, 0, 0, 1, 1));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FindSnapPointMiss(benchmark::State& state)
{
    Drawing& d = sampleDrawing(static_cast<int>(state.range(0)));
    state.counters["snapPoints"] = static_cast<double>(d.snapPoints.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(FindSnapPoint(d, -100, -100, 5));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(d.snapPoints.size()));
}

void BM_FindSnapPointHit(benchmark::State& state)
{
    Drawing& d = sampleDrawing(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindSnapPoint(d, 960, 540, 5));
}

// What a paint adds for snapping: clearing the list and registering every element.
void BM_RegisterAllSnapPoints(benchmark::State& state)
{
    Drawing& d = sampleDrawing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ClearSnapPoints(d);
        for (const ElementRef& ref : d.registry)
            RegisterSnapPoints(d, ref, kCanvas);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_SelectAtMiss)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAtHit)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectInRangeNothing)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindSnapPointMiss)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindSnapPointHit)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegisterAllSnapPoints)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
