// DXF export beside the SVG export of the same drawing, in process, and
// opening a DXF file of many entities. Goals: exporting 1,000,000 elements
// takes at most 3 times the SVG export; opening a 1,000,000-entity DXF at
// most 5 s (its peak memory is reported as peak_rss_mib, goal 1 GiB; run
// it alone, --benchmark_filter=Open, for a peak of its own).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>

#include "dxf/dxf.h"
#include "render/export.h"
#include "samples/sample_drawing.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

Drawing& sample(int count)
{
    static std::map<int, Drawing> drawings;
    auto [it, added] = drawings.try_emplace(count);
    if (added) {
        SampleOptions options;
        options.elementCount = count;
        fillSampleDrawing(it->second, options);
    }
    return it->second;
}

void BM_ExportSvg(benchmark::State& state)
{
    Drawing& drawing = sample(int(state.range(0)));
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportImage(drawing, dir.filePath("out.svg"), kWidth, kHeight).ok());
}

void BM_ExportDxf(benchmark::State& state)
{
    Drawing& drawing = sample(int(state.range(0)));
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportImage(drawing, dir.filePath("out.dxf"), kWidth, kHeight).ok());
}

double peakRssMib()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_OpenDxf(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("in.dxf").toStdString();
    {
        // One LINE entity per element: the entity count is the element count.
        Drawing drawing;
        appendEntry(drawing.attributes.penColor, PenColorEntry { 0, 0 });
        appendEntry(drawing.attributes.width, WidthEntry { 0, 1 });
        appendEntry(drawing.attributes.lineType, LineTypeEntry { 0, 0, 0 });
        for (int64_t i = 0; i < state.range(0); ++i)
            drawing.AppendLine(LineRecord { { int32_t(i % 8), 1, 0, 0, 0, 0 }, double(i % 1900), double(i % 1000) / 1000 * kHeight,
                double(i % 1900) + 17, double(i % 997) });
        std::ofstream out(path, std::ios::binary);
        dxf::WriteDxf(drawing, { kWidth, kHeight }, [&out](std::string_view piece) {
            out.write(piece.data(), std::streamsize(piece.size()));
            return bool(out);
        });
    }
    state.counters["file_mib"] = double(std::filesystem::file_size(path)) / (1 << 20);
    for (auto _ : state) {
        Drawing opened;
        benchmark::DoNotOptimize(dxf::ReadDxf(path, opened).ok());
    }
    state.counters["peak_rss_mib"] = peakRssMib();
}

BENCHMARK(BM_ExportSvg)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportDxf)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenDxf)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
