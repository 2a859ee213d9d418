// What the recovery log adds to a command: each command's model work alone
// (logged:0) and followed by the log's frame written to a file (logged:1),
// on a drawing of 100,000 elements. Moving 1,000 elements, a freehand stroke
// of 10,000 samples and deleting all 100,000 elements; the repaint each
// command ends with (measured by the paint benchmarks) comes on top of both.
#include "editing/displace.h"
#include "interaction/freehand.h"
#include "model/selection.h"
#include "samples/sample_drawing.h"
#include "storage/recovery_log.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

constexpr int kElements = 100000;
constexpr ImageSize kSize{1280, 800};

std::unique_ptr<Drawing> sample()
{
    auto d = std::make_unique<Drawing>();
    fillSampleDrawing(*d, SampleOptions{.elementCount = kElements, .width = 1280, .height = 800});
    return d;
}

std::string benchFolder()
{
    char pattern[] = "/tmp/mirt-recovery-bench-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    return made ? made : "/tmp";
}

// Runs command once per iteration; with logging on, its frame is written
// after it, as the window does at every command end. The log is emptied
// between iterations outside the timing.
void runCommand(benchmark::State& state, Drawing& d, const std::function<void()>& command)
{
    const bool logged = state.range(0) != 0;
    recovery::RecoveryLog log;
    const std::string folder = logged ? benchFolder() : std::string();
    if (logged && !log.create(folder)) {
        state.SkipWithError("no log folder");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (logged)
            log.startNew(d, kSize);
        state.ResumeTiming();
        command();
        if (logged)
            log.recordChanges(d, kSize);
    }
    state.counters["frame_bytes"] = logged ? static_cast<double>(log.size()) : 0;
    log.remove();
    if (logged)
        ::rmdir(folder.c_str());
}

void BM_MoveSelection(benchmark::State& state)
{
    const auto d = sample();
    SelectRegistrySpan(*d, 0, 999);
    runCommand(state, *d, [&] {
        d->journal.BeginGroup();
        const auto first = static_cast<int32_t>(d->registry.size());
        AppendDisplacedSelection(*d, 3, 2);
        KillSelection(*d);
        ClearSelection(*d);
        SelectRegistrySpan(*d, first, static_cast<int32_t>(d->registry.size()) - 1);
        d->journal.EndGroup();
    });
}

void BM_FreehandStroke(benchmark::State& state)
{
    const auto d = sample();
    std::vector<PointD> samples;
    for (int i = 0; i < 10000; ++i)
        samples.push_back({i * 0.1, 300 + 80 * std::sin(i / 40.0)});
    runCommand(state, *d, [&] {
        OpenPathRecord stroke;
        stroke.points = FreehandVertices(samples);
        d->journal.BeginGroup();
        d->AppendPolyline(std::move(stroke));
        d->journal.EndGroup();
    });
}

void BM_DeleteAll(benchmark::State& state)
{
    const auto d = sample();
    SelectRegistrySpan(*d, 0, kElements - 1);
    runCommand(state, *d, [&] {
        d->journal.BeginGroup();
        KillSelection(*d);
        d->journal.EndGroup();
    });
}

BENCHMARK(BM_MoveSelection)->ArgName("logged")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreehandStroke)->ArgName("logged")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteAll)->ArgName("logged")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
