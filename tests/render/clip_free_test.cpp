// Which elements the canvas may carry across a pan although an edge clipped
// them: the verdict follows the path each renderer takes, and what it vouches
// for really comes out alike when the canvas edge clips it elsewhere.
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "render/clip_free.h"
#include "render/graph_p.h"
#include "render/picture.h"
#include "samples/sample_drawing.h"

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
    ClipFree freedom;
};

class ClipFreedom : public ::testing::TestWithParam<VerdictRow> {};

// The sample tables: colours 0..2 (brushes white, yellow, cyan), alpha colours of alpha 128 and 64, widths
// 1, 2.5, 5 and 20, line type 1 a dash.
TEST_P(ClipFreedom, FollowsThePathTheRendererTakes)
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{0, 200, 200, 1, SampleLook::Plain, nullptr, ""});
    GetParam().append(d);
    ASSERT_FALSE(d.registry.empty());
    EXPECT_EQ(ClipFreedomOf(d, d.registry.back(), GetParam().scale), GetParam().freedom);
}

ClosedHeader Closed(int fillMode, int widthRef, int brushKind = 1)
{
    ClosedHeader h;
    h.fillMode = fillMode, h.widthRef = widthRef, h.brushKind = brushKind;
    h.brushRef = 1;  // brush colours are the pen colours inverted: 0 is white
    return h;
}

LineRecord ALine(int widthRef, int lineTypeRef = 0, int endStyle = 0)
{
    return LineRecord{{0, 1, 0, widthRef, lineTypeRef, endStyle}, 0, 0, 90, 40};
}

TextRecord Turned(TextRecord t)
{
    t.angle = 30;
    return t;
}

TextRecord Stretched(TextRecord t)
{
    t.xRatio = 2;
    return t;
}

constexpr ClipFree kNone = ClipFree::None, kSides = ClipFree::Sides, kAll = ClipFree::All;

INSTANTIATE_TEST_SUITE_P(
    Elements, ClipFreedom,
    ::testing::Values(
        VerdictRow{"opaque_text", [](Drawing& d) { d.AppendText(AText(12, 1, 2)); }, 1, kAll},
        VerdictRow{"turned_text", [](Drawing& d) { d.AppendText(Turned(AText(12, 1, 0))); }, 1, kAll},
        VerdictRow{"text_zoomed_past_the_glyph_cache", [](Drawing& d) { d.AppendText(AText(12, 1, 0)); }, 4, kSides},
        VerdictRow{"stretched_large_text", [](Drawing& d) { d.AppendText(Stretched(AText(30, 1, 0))); }, 1, kSides},
        VerdictRow{"translucent_text", [](Drawing& d) { d.AppendText(AText(12, 2, 0)); }, 1, kSides},
        VerdictRow{"hatched_text", [](Drawing& d) { d.AppendText(AText(12, 3, 0)); }, 1, kSides},
        VerdictRow{"text_missing_its_brush", [](Drawing& d) { d.AppendText(AText(12, 1, 7)); }, 1, kNone},
        VerdictRow{"textured_text", [](Drawing& d) { d.AppendText(AText(12, 4, 0)); }, 1, kNone},
        VerdictRow{"one_pixel_line", [](Drawing& d) { d.AppendLine(ALine(0)); }, 1, kNone},
        VerdictRow{"one_pixel_line_zoomed_in", [](Drawing& d) { d.AppendLine(ALine(0)); }, 3, kSides},
        VerdictRow{"wide_line", [](Drawing& d) { d.AppendLine(ALine(2)); }, 1, kSides},
        VerdictRow{"wide_line_zoomed_far_out", [](Drawing& d) { d.AppendLine(ALine(1)); }, 0.25, kNone},
        VerdictRow{"dashed_wide_line", [](Drawing& d) { d.AppendLine(ALine(2, 1)); }, 1, kNone},
        VerdictRow{"round_cap_wide_line", [](Drawing& d) { d.AppendLine(ALine(2, 0, 1)); }, 1, kSides},
        VerdictRow{"triangle_cap_wide_line", [](Drawing& d) { d.AppendLine(ALine(2, 0, 2)); }, 1, kNone},
        VerdictRow{"anchored_wide_line", [](Drawing& d) { d.AppendLine(ALine(2, 0, 4)); }, 1, kNone},
        VerdictRow{"filled_rect", [](Drawing& d) { d.AppendRect({Closed(1, 0), 0, 0, 90, 40}); }, 1, kSides},
        VerdictRow{"hatched_rect", [](Drawing& d) { d.AppendRect({Closed(1, 0, 3), 0, 0, 90, 40}); }, 1, kSides},
        VerdictRow{"path_gradient_rect", [](Drawing& d) { d.AppendRect({Closed(1, 0, 6), 0, 0, 90, 40}); }, 1, kNone},
        VerdictRow{"thin_outlined_rect", [](Drawing& d) { d.AppendRect({Closed(2, 0), 0, 0, 90, 40}); }, 1, kNone},
        VerdictRow{"wide_pen_circle", [](Drawing& d) { d.AppendCircle({Closed(0, 3), 0, 50, 50, 40}); }, 1, kSides},
        VerdictRow{"point", [](Drawing& d) { d.AppendPoint({0, 1, 0, 3, 10, 10, 4}); }, 1, kNone}),
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

// The pixels two canvases show alike, the second panned by (dx, dy).
int DifferingOverlap(const QImage& reference, const QImage& panned, int dx, int dy)
{
    int differing = 0;
    for (int y = std::max(0, dy); y < std::min(reference.height(), reference.height() + dy); ++y)
        for (int x = std::max(0, dx); x < std::min(reference.width(), reference.width() + dx); ++x)
            differing += reference.pixel(x - dx, y - dy) != panned.pixel(x, y);
    return differing;
}

struct PanRow {
    const char* name;
    std::function<void(Drawing&, int variant)> append;
    ClipFree freedom;
};

class ClipFreePixels : public ::testing::TestWithParam<PanRow> {};

// Elements the verdict vouches for, at many whole-pixel pans that move the
// canvas edges across them (sideways only for Sides): the pixels both
// canvases show are the same.
TEST_P(ClipFreePixels, VouchedElementsComeOutAlikeWhereverTheEdgeClips)
{
    for (int variant = 0; variant < 6; ++variant) {
        Drawing d;
        fillSampleDrawing(d, SampleOptions{0, 200, 200, 1, SampleLook::Plain, nullptr, ""});
        GetParam().append(d, variant);
        ASSERT_EQ(ClipFreedomOf(d, d.registry.back(), 1), GetParam().freedom);
        const ViewTransform base{1, 30, 0};
        const QImage reference = Picture(d, base);
        ASSERT_GT(DifferingOverlap(reference, Picture(d, ViewTransform{1, 1e4, 0}), 0, 0), 0) << "draws nothing";
        const int rows = GetParam().freedom == ClipFree::All ? 70 : 0;
        for (int dx = -90; dx <= 90; dx += 7) {
            for (int dy = -rows; dy <= rows; dy += 11) {
                const QImage panned = Picture(d, ViewTransform{1, base.panX + dx, base.panY + dy});
                EXPECT_EQ(DifferingOverlap(reference, panned, dx, dy), 0)
                    << "variant " << variant << " pan " << dx << "," << dy;
            }
        }
    }
}

// Shapes larger than the canvas, so that a pan moves an edge across them.
std::vector<PointD> Corners(int variant)
{
    const double k = 1 + variant * 0.37;
    return {{-40 * k, 10 + 3 * k}, {170 + 9 * k, -25 * k}, {140 - 11 * k, 120 + 4 * k}, {-15 * k, 85 - k}};
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ClipFreePixels,
    ::testing::Values(
        PanRow{"opaque_text",
               [](Drawing& d, int v) {
                   TextRecord t = AText(10 + 2 * v, 1, 1);
                   t.angle = std::vector<double>{0, 17, -90, 143, 200, -33}[v];
                   t.xRatio = 0.6 + 0.25 * v;
                   t.x = -20 + 9 * v;
                   d.AppendText(t);
               },
               ClipFree::All},
        PanRow{"filled_polygon",
               [](Drawing& d, int v) { d.AppendPolygon({Closed(1, 0, 1 + v % 2), Corners(v)}); },
               ClipFree::Sides},
        PanRow{"wide_pen_curve",
               [](Drawing& d, int v) { d.AppendBezier({{0, 1, 0, 1 + v % 3, 0, v % 2}, Corners(v)}); },
               ClipFree::Sides},
        PanRow{"outlined_ellipse",
               [](Drawing& d, int v) {
                   d.AppendEllipse({Closed(2, 1 + v % 3, 1 + v % 2), 0, 60, 50, 120 + 9.0 * v, 70, 11.0 * v});
               },
               ClipFree::Sides}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
