// mirt-export as a whole process: start-up, reading a drawing file, drawing
// every element and encoding the picture. The drawing is a generated mix of
// all kinds on a 1920 x 1080 image, plain or with every attribute kind,
// written once to a temporary folder.
#include "samples/sample_drawing.h"
#include "samples/sample_texture.h"
#include "storage/files.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void BM_ExportProcess(benchmark::State& state, const char* extension, SampleLook look)
{
    QTemporaryDir dir;
    const QString input = dir.filePath("bench.mt");
    const QString texture = dir.filePath("texture.png");
    writeSampleTexture(texture);
    Drawing drawing;
    fillSampleDrawing(drawing, SampleOptions{int(state.range(0)), 1920, 1080, 1, look, nullptr, texture.toStdString()});
    if (!WriteDrawing(QFile::encodeName(input).toStdString(), drawing, ImageSize { 1920, 1080 }).ok()) {
        state.SkipWithError("cannot write the drawing");
        return;
    }
    const QByteArray command = QByteArray(MIRT_EXPORT_BINARY) + " '" + QFile::encodeName(input) + "' '"
        + QFile::encodeName(dir.filePath(QStringLiteral("out.") + extension)) + "'";
    for (auto _ : state) {
        if (std::system(command.constData()) != 0) {
            state.SkipWithError("mirt-export failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK_CAPTURE(BM_ExportProcess, png, "png", SampleLook::Plain)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportProcess, png_attributes, "png", SampleLook::AllAttributes)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportProcess, svg, "svg", SampleLook::Plain)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportProcess, emf, "emf", SampleLook::Plain)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
