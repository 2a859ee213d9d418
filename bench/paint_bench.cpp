// Paint cost per attribute, each against its floor (bench/paint_floor.h: the
// same geometry through plain QPainter calls with the nearest Qt pen and
// brush, built once). Rows:
//   BM_PaintRow/<row>, BM_FloorRow/<row>  2,000 elements that all share one
//       attribute setting (samples/sample_drawing.h lists the rows);
//   BM_Paint/<look>/<n>, BM_Floor/<look>/<n>  the whole mixed drawing, plain
//       or with every attribute kind, at 10,000 and 100,000 elements.
// All on a 1920 x 1080 image; each benchmark times repeated paints after one
// untimed paint (fonts loaded, image pages touched), as a running editor has.
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

#include "bench/paint_floor.h"
#include "render/picture.h"
#include "samples/sample_drawing.h"
#include "samples/sample_texture.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRowElements = 2000;

std::string texturePath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("texture.png"));
    static const bool written = writeSampleTexture(path);
    return written ? path.toStdString() : std::string();
}

std::unique_ptr<Drawing> makeDrawing(SampleLook look, const AttributeRow* row, int count)
{
    auto drawing = std::make_unique<Drawing>();
    fillSampleDrawing(*drawing, SampleOptions{count, kWidth, kHeight, 1, look, row, texturePath()});
    return drawing;
}

template <class Paint>
void timePaints(benchmark::State& state, int elements, Paint&& paint)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    paint(image);  // untimed
    for (auto _ : state) {
        paint(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * elements);
}

void paintMirt(benchmark::State& state, SampleLook look, const AttributeRow* row, int count)
{
    const std::unique_ptr<Drawing> drawing = makeDrawing(look, row, count);
    TGraphP g;
    PictureParams params;
    params.imageWidth = params.canvasWidth = kWidth;
    params.imageHeight = params.canvasHeight = kHeight;
    timePaints(state, count, [&](QImage& image) {
        g.Begin(&image);
        DrawPicture(g, *drawing, params);
        g.End();
    });
}

void paintFloor(benchmark::State& state, SampleLook look, const AttributeRow* row, int count)
{
    const std::unique_ptr<Drawing> drawing = makeDrawing(look, row, count);
    const PaintFloor floor(*drawing, kWidth, kHeight);
    timePaints(state, count, [&](QImage& image) { floor.paint(image); });
}

void registerAll()
{
    for (const AttributeRow& row : attributeRows()) {
        benchmark::RegisterBenchmark(("BM_PaintRow/" + row.name).c_str(), paintMirt, SampleLook::Row, &row, kRowElements)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_FloorRow/" + row.name).c_str(), paintFloor, SampleLook::Row, &row, kRowElements)
            ->Unit(benchmark::kMillisecond);
    }
    for (const auto& [name, look] : {std::pair{"plain", SampleLook::Plain}, std::pair{"attributes", SampleLook::AllAttributes}}) {
        for (const int count : {10000, 100000}) {
            const std::string suffix = std::string(name) + "/" + std::to_string(count);
            benchmark::RegisterBenchmark(("BM_Paint/" + suffix).c_str(), paintMirt, look, nullptr, count)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("BM_Floor/" + suffix).c_str(), paintFloor, look, nullptr, count)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
