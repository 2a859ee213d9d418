// Which elements the canvas may carry across a pan although an edge clipped
// them: only what the verdict vouches for, and what it vouches for must
// really come out alike when the canvas edge clips it elsewhere.
#include <QImage>
#include <gtest/gtest.h>

#include <functional>

#include "bench/sample_drawing.h"
#include "render/clip_free.h"
#include "render/graph_p.h"
#include "render/picture.h"

namespace {

TextRecord AText(double size, int32_t brushKind, int32_t brushRef)
{
    TextRecord t;
    t.brushKind = brushKind, t.brushRef = brushRef;
    t.x = t.boxA = 20, t.y = t.boxB = 60;
    t.size = size, t.xRatio = 1;
    t.boxC = 8 * size, t.boxD = size;
    t.fontName = "ＭＳ ゴシック";
    t.text = "図面 Clip 42";
    return t;
}

struct VerdictRow {
    const char* name;
    std::function<void(Drawing&)> append;
    double scale;
    bool alike;
};

class ClipFree : public ::testing::TestWithParam<VerdictRow> {};

// The sample tables: colours 0..2, alpha colours of alpha 128 and 64, widths
// 1, 2.5, 5 and 20.
TEST_P(ClipFree, VouchesOnlyForCachedOpaqueGlyphs)
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{0, 200, 200, 1, SampleLook::Plain, nullptr, ""});
    GetParam().append(d);
    ASSERT_FALSE(d.registry.empty());
    EXPECT_EQ(DrawnAlikeWhereverClipped(d, d.registry.back(), GetParam().scale), GetParam().alike);
}

ClosedHeader Closed(int fillMode, int widthRef)
{
    ClosedHeader h;
    h.fillMode = fillMode, h.widthRef = widthRef;
    return h;
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ClipFree,
    ::testing::Values(
        VerdictRow{"opaque_text", [](Drawing& d) { d.AppendText(AText(12, 1, 2)); }, 1, true},
        VerdictRow{"turned_text", [](Drawing& d) { auto t = AText(12, 1, 0); t.angle = 30; d.AppendText(t); }, 1, true},
        VerdictRow{"text_zoomed_past_the_glyph_cache", [](Drawing& d) { d.AppendText(AText(12, 1, 0)); }, 4, false},
        VerdictRow{"stretched_large_text",
                   [](Drawing& d) { auto t = AText(30, 1, 0); t.xRatio = 2; d.AppendText(t); }, 1, false},
        VerdictRow{"translucent_text", [](Drawing& d) { d.AppendText(AText(12, 2, 0)); }, 1, false},
        VerdictRow{"text_missing_its_brush", [](Drawing& d) { d.AppendText(AText(12, 1, 7)); }, 1, false},
        VerdictRow{"hatched_text", [](Drawing& d) { d.AppendText(AText(12, 3, 0)); }, 1, false},
        VerdictRow{"thin_line", [](Drawing& d) { d.AppendLine({{}, 0, 0, 90, 40}); }, 1, false},
        VerdictRow{"wide_line", [](Drawing& d) { d.AppendLine({{0, 1, 0, 2, 0, 0}, 0, 0, 90, 40}); }, 1, false},
        VerdictRow{"filled_rect", [](Drawing& d) { d.AppendRect({Closed(1, 0), 0, 0, 90, 40}); }, 1, false},
        VerdictRow{"wide_pen_circle", [](Drawing& d) { d.AppendCircle({Closed(0, 3), 0, 50, 50, 40}); }, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The picture of one element at view `view` on a small canvas.
QImage Picture(Drawing& d, const ViewTransform& view)
{
    QImage image(160, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    PictureParams p;
    p.imageWidth = p.canvasWidth = image.width();
    p.imageHeight = p.canvasHeight = image.height();
    p.view = view;
    p.drawFrame = false;
    p.registerSnapPoints = false;
    TGraphP g;
    g.Begin(&image);
    DrawPicture(g, d, p);
    g.End();
    return image;
}

// Texts the verdict vouches for, at many whole-pixel pans that move the
// canvas edges across them: the pixels both canvases show are the same.
TEST(ClipFreeText, VouchedTextsComeOutAlikeWhereverTheEdgeClips)
{
    for (const double angle : {0.0, 17.0, -90.0, 143.0}) {
        Drawing d;
        fillSampleDrawing(d, SampleOptions{0, 200, 200, 1, SampleLook::Plain, nullptr, ""});
        TextRecord t = AText(16, 1, 0);
        t.angle = angle, t.xRatio = 1.7;
        d.AppendText(t);
        ASSERT_TRUE(DrawnAlikeWhereverClipped(d, d.registry.back(), 1));
        const ViewTransform base{1, 30, 0};
        const QImage reference = Picture(d, base);
        for (int dx = -90; dx <= 90; dx += 13) {
            for (int dy = -70; dy <= 70; dy += 11) {
                const QImage panned = Picture(d, ViewTransform{1, base.panX + dx, base.panY + dy});
                int differing = 0;
                for (int y = std::max(0, dy); y < std::min(100, 100 + dy); ++y)
                    for (int x = std::max(0, dx); x < std::min(160, 160 + dx); ++x)
                        differing += reference.pixel(x - dx, y - dy) != panned.pixel(x, y);
                EXPECT_EQ(differing, 0) << "angle " << angle << " pan " << dx << "," << dy;
            }
        }
    }
}

}  // namespace
