// Full paint of a mixed drawing on a 1920x1080 image, against its floor: plain
// QPainter calls drawing the same primitives with one pen and one brush and
// none of our machinery (no attribute look-ups, no layers, no snap points, no
// stroke construction of our own). BM_Paint should stay within twice
// BM_PaintFloor at 100,000 elements. Both measure repeated paints: one untimed
// paint first loads the fonts and touches the image, as a running editor has.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <numbers>

#include "bench/sample_drawing.h"
#include "render/picture.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

const Drawing& sample(int count)
{
    static std::map<int, Drawing> drawings;
    auto [it, fresh] = drawings.try_emplace(count);
    if (fresh)
        fillSampleDrawing(it->second, SampleOptions{count, kWidth, kHeight, 1});
    return it->second;
}

void BM_Paint(benchmark::State& state)
{
    Drawing drawing = sample(static_cast<int>(state.range(0)));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    TGraphP g;
    PictureParams params;
    params.imageWidth = kWidth;
    params.imageHeight = kHeight;
    params.canvasWidth = kWidth;
    params.canvasHeight = kHeight;
    auto paint = [&] {
        g.Begin(&image);
        DrawPicture(g, drawing, params);
        g.End();
        benchmark::DoNotOptimize(image.constBits());
    };
    paint();  // untimed: the first paint loads fonts and touches the image's pages
    for (auto _ : state)
        paint();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

QPolygonF polygonOf(const std::vector<PointD>& pts)
{
    QPolygonF out;
    out.reserve(static_cast<qsizetype>(pts.size()));
    for (const PointD& p : pts)
        out.append({p.x, p.y});
    return out;
}

QPolygonF ellipseArc(double cx, double cy, double rx, double ry, double start, double sweep)
{
    QPolygonF out;
    const int n = std::max(4, int(std::fabs(sweep) / 5 + 0.9));
    for (int i = 0; i <= n; ++i) {
        const double t = (start + i * sweep / n) * std::numbers::pi / 180;
        out.append({cx + rx * std::cos(t), cy - ry * std::sin(t)});
    }
    return out;
}

// The same primitives, straight to QPainter.
struct FloorPainter {
    QPainter& p;

    void operator()(ElementKind, const LineRecord& r) const { p.drawLine(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2)); }
    void operator()(ElementKind, const PointRecord& r) const { p.drawEllipse(QPointF(r.x, r.y), r.size, r.size); }
    void operator()(ElementKind, const RectRecord& r) const { p.drawRect(QRectF(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2))); }
    void operator()(ElementKind, const CornerRectRecord& r) const
    {
        p.drawRoundedRect(QRectF(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2)), 4, 4);
    }
    void operator()(ElementKind, const CircleRecord& r) const { p.drawEllipse(QPointF(r.cx, r.cy), r.r, r.r); }
    void operator()(ElementKind, const EllipseRecord& r) const { p.drawEllipse(QPointF(r.cx, r.cy), r.rx, r.ry); }
    void operator()(ElementKind, const ArcRecord& r) const
    {
        p.drawArc(QRectF(r.cx - r.r, r.cy - r.r, 2 * r.r, 2 * r.r), int(r.startAngle * 16), int(r.sweepAngle * 16));
    }
    void operator()(ElementKind, const EllipticArcRecord& r) const
    {
        p.drawPolyline(ellipseArc(r.cx, r.cy, r.rx, r.ry, r.startAngle, r.sweepAngle));
    }
    void operator()(ElementKind, const SectorRecord& r) const
    {
        p.drawPolygon(ellipseArc(r.cx, r.cy, r.rx, r.ry, r.startAngle, r.sweepAngle));
    }
    void operator()(ElementKind, const RingRecord& r) const
    {
        QPainterPath path;
        path.addEllipse(QPointF(r.cx, r.cy), r.outerRx, r.outerRy);
        path.addEllipse(QPointF(r.cx, r.cy), r.innerRx, r.innerRy);
        p.drawPath(path);
    }
    void operator()(ElementKind kind, const OpenPathRecord& r) const
    {
        const QPolygonF pts = polygonOf(r.points);
        if (kind == ElementKind::Polyline || pts.size() < 4) {
            p.drawPolyline(pts);
            return;
        }
        QPainterPath path(pts[0]);
        for (qsizetype i = 1; i + 2 < pts.size(); i += 3)
            path.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
        p.drawPath(path);
    }
    void operator()(ElementKind, const ClosedPathRecord& r) const { p.drawPolygon(polygonOf(r.points)); }
    void operator()(ElementKind, const TextRecord& r) const
    {
        p.drawText(QPointF(r.x, r.y), QString::fromStdString(r.text));
    }
};

void BM_PaintFloor(benchmark::State& state)
{
    const Drawing& drawing = sample(static_cast<int>(state.range(0)));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(12);
    auto paint = [&] {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(0x80, 0xC0, 0xFF));
        p.setFont(font);
        for (const ElementRef& ref : drawing.registry)
            visitElement(drawing, ref, FloorPainter{p});
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    };
    paint();  // untimed, as for BM_Paint
    for (auto _ : state)
        paint();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Paint)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PaintFloor)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

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
