// The picture of one area drawn from the extent index in bands
// (DrawPictureArea through DrawAreaInBands, as the canvas repaints a damaged
// area) against the full paint: over
// a canvas spoiled in that area, it must give back the full paint's pixels
// exactly, on the mixed plain drawing and on the drawing of every attribute
// kind at several views, with the grid shown, for bands of several heights.
// The arcs and point markers of the attribute drawing stroke with the join
// of the element before them, which the area leaves out.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "render/bands.h"
#include "render/picture.h"
#include "samples/sample_drawing.h"
#include "samples/sample_texture.h"

namespace {

constexpr int kWidth = 480, kHeight = 360;

struct BandRow {
    const char* name;
    SampleLook look;
    ViewTransform view;
};

PictureParams paramsFor(const ViewTransform& view)
{
    PictureParams p;
    p.imageWidth = kWidth;
    p.imageHeight = kHeight;
    p.canvasWidth = kWidth;
    p.canvasHeight = kHeight;
    p.view = view;
    p.grid.shown = true;
    p.grid.pitchX = 15;
    p.grid.pitchY = 12;
    return p;
}

class PictureBand : public ::testing::TestWithParam<BandRow> {};

TEST_P(PictureBand, AreaRepaintEqualsTheFullPaint)
{
    QTemporaryDir dir;
    const QString texture = dir.filePath(QStringLiteral("t.png"));
    ASSERT_TRUE(writeSampleTexture(texture));
    Drawing d;
    fillSampleDrawing(d, SampleOptions{1500, kWidth, kHeight, 5, GetParam().look, nullptr, texture.toStdString()});
    d.markDead(10);
    d.layers[3].visible = false;
    d.extents.settle();
    const PictureParams params = paramsFor(GetParam().view);

    QImage full(kWidth, kHeight, QImage::Format_RGB32);
    TGraphP g;
    ASSERT_TRUE(g.Begin(&full));
    DrawPicture(g, d, params);
    g.End();
    QImage again(kWidth, kHeight, QImage::Format_RGB32);
    TGraphP g2;
    ASSERT_TRUE(g2.Begin(&again));
    DrawPicture(g2, d, params);
    g2.End();
    ASSERT_EQ(again, full) << "the full paint is deterministic";

    std::mt19937 random(11);
    std::uniform_int_distribution<int> x(-20, kWidth), y(-20, kHeight), side(1, 200);
    const int bandRows[] = {1, 7, 16};
    for (int i = 0; i < 12; ++i) {
        const QRect area = QRect(x(random), y(random), side(random), side(random)).intersected(full.rect());
        if (area.isEmpty())
            continue;
        QImage canvas = full.copy();
        for (int py = area.top(); py <= area.bottom(); ++py)
            for (int px = area.left(); px <= area.right(); ++px)
                canvas.setPixel(px, py, qRgb(255, 0, 255));
        DrawAreaInBands(canvas, area, bandRows[i % 3], [&](TGraphP& surface, const QRect& band, bool) {
            DrawPictureArea(surface, d, params, band);
        });
        int differing = 0;
        for (int py = 0; py < kHeight; ++py)
            for (int px = 0; px < kWidth; ++px)
                if (canvas.pixel(px, py) != full.pixel(px, py) && differing++ < 3)
                    ADD_FAILURE() << px << "," << py << " " << std::hex << canvas.pixel(px, py) << " vs " << full.pixel(px, py) << std::dec;
        EXPECT_EQ(differing, 0) << "area " << area.x() << "," << area.y() << " " << area.width() << "x"
                                << area.height();
    }
}

// An elliptic arc sets no join: it takes the round one of the polyline drawn
// before it, even when the area leaves that polyline out.
TEST(PictureBandJoin, AnArcTakesTheJoinOfAnElementTheAreaLeavesOut)
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{0, kWidth, kHeight, 1, SampleLook::Plain, nullptr, {}});
    using sample_refs::kWidth20;
    d.AppendPolyline({OutlineHeader{0, 1, 0, kWidth20, 0, 1}, {{10, 10}, {40, 30}, {60, 10}}});
    EllipticArcRecord arc;
    arc.h = OutlineHeader{0, 1, 1, kWidth20, 0, 0};
    arc.cx = 300, arc.cy = 200, arc.rx = 120, arc.ry = 6, arc.startAngle = -60, arc.sweepAngle = 120;
    d.AppendEllipticArc(arc);
    d.extents.settle();
    const PictureParams params = paramsFor({1, 0, 0});
    QImage full(kWidth, kHeight, QImage::Format_RGB32);
    TGraphP g;
    ASSERT_TRUE(g.Begin(&full));
    DrawPicture(g, d, params);
    g.End();

    const QRect area(150, 150, 320, 110);
    QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
    canvas.fill(Qt::magenta);
    DrawAreaInBands(canvas, area, 7, [&](TGraphP& surface, const QRect& band, bool) {
        DrawPictureArea(surface, d, params, band);
    });
    QImage alone(kWidth, kHeight, QImage::Format_RGB32);
    d.markDead(0);
    d.extents.settle();
    ASSERT_TRUE(g.Begin(&alone));
    DrawPicture(g, d, params);
    g.End();
    EXPECT_NE(alone.copy(area), full.copy(area)) << "the polyline's round join shows on the arc";
    EXPECT_EQ(canvas.copy(area), full.copy(area));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PictureBand,
    ::testing::Values(BandRow{"plain_home", SampleLook::Plain, {1, 0, 0}},
                      BandRow{"plain_zoomed_in", SampleLook::Plain, {2.25, -60.5, -40.25}},
                      BandRow{"plain_zoomed_out", SampleLook::Plain, {0.4444444444444444, 200, 150}},
                      BandRow{"attributes_home", SampleLook::AllAttributes, {1, 0, 0}},
                      BandRow{"attributes_zoomed_in", SampleLook::AllAttributes, {2.25, -60.5, -40.25}},
                      BandRow{"attributes_zoomed_out", SampleLook::AllAttributes, {0.4444444444444444, 200, 150}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// A paint given up (PictureParams::abandoned) stops every band, on every
// thread, before its next element: what is left is the background.
TEST(PictureBandAbandon, AnAbandonedAreaPaintDrawsNoElementInAnyBand)
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{1500, kWidth, kHeight, 5, SampleLook::Plain});
    d.extents.settle();
    PictureParams params = paramsFor(ViewTransform{});
    QImage background(kWidth, kHeight, QImage::Format_RGB32);
    TGraphP g;
    ASSERT_TRUE(g.Begin(&background));
    Drawing empty;
    DrawPicture(g, empty, params);
    g.End();

    const std::atomic_bool abandoned = true;
    params.abandoned = &abandoned;
    QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 0, 255));
    DrawAreaInBands(canvas, canvas.rect(), 16, [&](TGraphP& surface, const QRect& band, bool) {
        DrawPictureArea(surface, d, params, band);
    });
    EXPECT_EQ(canvas, background);
}

// The caller's thread, done with its band, is called back while the others
// still draw, and their pixels still arrive.
TEST(PictureBandWaiting, TheCallerIsCalledBackWhileOtherBandsDraw)
{
    if (QThread::idealThreadCount() < 2)
        GTEST_SKIP() << "one band only on one core";
    QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    std::atomic_int calls = 0;
    DrawAreaInBands(
        canvas, canvas.rect(), 16,
        [&](TGraphP& surface, const QRect&, bool onCallerThread) {
            if (!onCallerThread)
                std::this_thread::sleep_for(std::chrono::milliseconds(80));
            surface.SetSolidBrush(qRgb(0, 0, 255));
            surface.Clear();
        },
        [&] { ++calls; });
    EXPECT_GE(calls.load(), 3);
    EXPECT_EQ(canvas.pixel(0, kHeight - 1), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 255));
}
