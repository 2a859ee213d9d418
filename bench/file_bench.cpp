// Drawing-file speed and memory: writing and reading generated drawings of
// 1k, 100k and 1M mixed elements in memory, saving and opening real files,
// and the baseline the reader is measured against: a bare loop that splits
// the same file into lines and runs std::from_chars over each.
//
// Counters: items_per_second counts elements; bytes_per_element (reading) is
// the heap the read drawing holds per element, and field_bytes_per_element
// the size of the elements' record fields (records, point lists and text
// bytes), for the "no more than twice the fields" goal.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <string>

#include "samples/sample_drawing.h"
#include "storage/files.h"

namespace {

const std::string& sampleFile(int count)
{
    static std::map<int, std::string> files;
    auto& bytes = files[count];
    if (bytes.empty()) {
        Drawing d;
        fillSampleDrawing(d, SampleOptions{.elementCount = count});
        WriteDrawingText(d, {1920, 1080}, bytes);
    }
    return bytes;
}

size_t heapInUse() { return mallinfo2().uordblks + mallinfo2().hblkhd; }

template <class Table>
size_t fieldBytes(const Table& table)
{
    size_t bytes = table.size() * sizeof(typename Table::value_type);
    for (const auto& record : table) {
        if constexpr (requires { record.points; })
            bytes += record.points.size() * sizeof(PointD);
        if constexpr (requires { record.text; })
            bytes += record.text.size() + record.fontName.size();
    }
    return bytes;
}

size_t recordFieldBytes(const Drawing& d)
{
    size_t bytes = 0;
    for (ElementKind kind : kAllKinds)
        forKind(kind, [&]<ElementKind K>() { bytes += fieldBytes(tableOf<K>(d.tables)); });
    return bytes;
}

void BM_WriteDrawing(benchmark::State& state)
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{.elementCount = static_cast<int>(state.range(0))});
    std::string out;
    WriteDrawingText(d, {1920, 1080}, out);  // first touch of the buffer, untimed
    for (auto _ : state) {
        out.clear();
        WriteDrawingText(d, {1920, 1080}, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}

void BM_ReadDrawing(benchmark::State& state)
{
    const std::string& bytes = sampleFile(static_cast<int>(state.range(0)));
    size_t held = 0, fields = 0;
    {
        Drawing d;
        const size_t before = heapInUse();
        ReadDrawingText(d, bytes);
        held = heapInUse() - before;
        fields = recordFieldBytes(d);
    }
    Drawing d;
    for (auto _ : state) {
        ReadDrawingText(d, bytes);  // frees the previous content first, as opening does
        benchmark::DoNotOptimize(d.registry.data());
    }
    const double n = static_cast<double>(state.range(0));
    state.counters["bytes_per_element"] = static_cast<double>(held) / n;
    state.counters["field_bytes_per_element"] = static_cast<double>(fields) / n;
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

// The baseline: split into lines and parse every line as a number.
void BM_BareFromCharsLoop(benchmark::State& state)
{
    const std::string& bytes = sampleFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double sum = 0;
        size_t pos = 0;
        while (pos < bytes.size()) {
            size_t end = bytes.find('\n', pos);
            if (end == std::string::npos)
                end = bytes.size();
            double value = 0;
            std::from_chars(bytes.data() + pos, bytes.data() + end - 1, value);
            sum += value;
            pos = end + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

std::string benchPath() { return "/tmp/mirt_file_bench_" + std::to_string(::getpid()) + ".mt"; }

void BM_SaveFile(benchmark::State& state)
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{.elementCount = static_cast<int>(state.range(0))});
    const std::string path = benchPath();
    for (auto _ : state)
        WriteDrawing(path, d, {1920, 1080});
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OpenFile(benchmark::State& state)
{
    const std::string path = benchPath();
    {
        Drawing d;
        fillSampleDrawing(d, SampleOptions{.elementCount = static_cast<int>(state.range(0))});
        WriteDrawing(path, d, {1920, 1080});
    }
    for (auto _ : state) {
        Drawing back;
        ReadDrawing(path, back);
        benchmark::DoNotOptimize(back.registry.data());
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_WriteDrawing)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDrawing)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFromCharsLoop)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
