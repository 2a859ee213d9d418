// The elements an area repaint leaves out, held to the pixels their renderers
// draw: an element drawn alone on white puts no pixel into any area
// ElementMayPaintArea rules out (thin lines across an area's corner, thick
// pens, square caps, anchors, sharp joins, tilted ellipses, arcs and their
// sectors, curves, rotated and stretched texts, filled shapes around the
// area), and an element said to hide an area leaves the same pixels there
// whatever lies below it. Last, an area repaint under such a cover equals
// the full paint.
#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <random>

#include "model/paint_reach.h"
#include "render/bands.h"
#include "render/picture.h"
#include "render/renderers.h"
#include "samples/sample_drawing.h"

namespace {

using namespace sample_refs;

constexpr int kWidth = 400, kHeight = 300;
constexpr QRgb kWhite = 0xFFFFFFFF;

struct ElementRow {
    const char* name;
    std::function<void(Drawing&)> add;
    bool narrow = true;  // leaves some areas of the home view out
};

OutlineHeader pen(int width, int endStyle = 0, int lineType = 0) { return {0, 1, 0, width, lineType, endStyle}; }
ClosedHeader shape(int fillMode, int width, int brushKind = 1, int brushRef = 1)
{
    return {fillMode, 0, 1, 0, width, 0, 0, brushKind, brushRef};
}

TextRecord text(double angle, int anchor, double xRatio)
{
    TextRecord t;
    t.x = 200, t.y = 150, t.size = 24, t.angle = angle, t.anchor = anchor, t.xRatio = xRatio;
    t.brushRef = 1;  // colour 0 is white
    t.fontName = "ＭＳ ゴシック";
    t.text = "図面 Wjg 123";
    return t;
}

SectorRecord sector(int fillMode, int width)
{
    return {shape(fillMode, width), 200, 150, 140, 60, 25, 30, 130};
}

const ElementRow kElements[] = {
    {"thin_line_over_corners", [](Drawing& d) { d.AppendLine({pen(kWidth1), 20, 280, 380, 20}); }},
    {"thick_square_caps", [](Drawing& d) { d.AppendLine({pen(kWidth20, 3), 60, 60, 300, 200}); }},
    {"anchor_ends", [](Drawing& d) { d.AppendLine({pen(kWidth5, 6), 100, 220, 320, 80}); }},
    {"dashed_wide", [](Drawing& d) { d.AppendLine({pen(kWidth5, 1, lineType(2, 1)), 40, 150, 360, 120}); }},
    {"sharp_joins", [](Drawing& d) {
         d.AppendPolyline({pen(kWidth20, 0), {{40, 250}, {200, 40}, {210, 260}, {360, 30}}});
     }, false},
    {"tilted_ellipse", [](Drawing& d) { d.AppendEllipse({shape(0, kWidth5), 0, 200, 150, 170, 40, 35}); }},
    {"filled_tilted_ellipse", [](Drawing& d) { d.AppendEllipse({shape(1, kWidth1), 0, 200, 150, 170, 60, -20}); }},
    {"wide_circle", [](Drawing& d) { d.AppendCircle({shape(0, kWidth20), 0, 200, 150, 110}); }, false},
    {"filled_circle", [](Drawing& d) { d.AppendCircle({shape(2, kWidth5, 3, 0), 0, 200, 150, 120}); }},
    {"rect_outline", [](Drawing& d) { d.AppendRect({shape(0, kWidth5), 330, 260, 50, 40}); }},
    {"filled_rect", [](Drawing& d) { d.AppendRect({shape(1, kWidth1, 5, 0), 50, 40, 330, 260}); }},
    {"corner_rect", [](Drawing& d) {
         CornerRectRecord r{shape(0, kWidth5), {1, 2, 1, 2}, 40, 30, 360, 270, {40, 40, 30, 30, 40, 40, 30, 30}};
         d.AppendCornerRect(r);
     }},
    {"arc_with_anchors", [](Drawing& d) {
         EllipticArcRecord a;
         a.h = pen(kWidth5, 7);
         a.cx = 200, a.cy = 150, a.rx = 150, a.ry = 70, a.tilt = -30, a.startAngle = 20, a.sweepAngle = 250;
         d.AppendEllipticArc(a);
     }},
    {"pie_outline", [](Drawing& d) { d.AppendPie(sector(0, kWidth5)); }},
    {"filled_chord", [](Drawing& d) { d.AppendChord(sector(1, kWidth1)); }},
    {"outside", [](Drawing& d) { d.AppendOutside(sector(2, kWidth5)); }, false},
    {"part_ring", [](Drawing& d) {
         d.AppendRing({shape(0, kWidth5), 200, 150, 150, 110, 90, 50, 15, 40, 220});
     }},
    {"filled_star", [](Drawing& d) {
         d.AppendPolygon({shape(1, kWidth1), {{200, 20}, {280, 280}, {60, 110}, {340, 110}, {120, 280}}});
     }},
    {"bezier", [](Drawing& d) {
         d.AppendBezier({pen(kWidth5), {{30, 270}, {60, -80}, {340, 380}, {370, 30}, {300, 10}, {100, 20}, {60, 60}}});
     }, false},
    {"open_spline_overshoot", [](Drawing& d) {
         d.AppendOpenSpline({pen(kWidth5), {{40, 150}, {60, 40}, {80, 260}, {300, 250}, {320, 60}}});
     }, false},
    {"closed_spline", [](Drawing& d) {
         d.AppendClosedSpline({shape(0, kWidth5), {{100, 60}, {300, 80}, {320, 250}, {90, 240}}});
     }, false},
    {"rotated_text", [](Drawing& d) { d.AppendText(text(30, 8, 1)); }},
    {"stretched_text", [](Drawing& d) { d.AppendText(text(-15, 1, 2.5)); }},
    {"mirrored_text", [](Drawing& d) { d.AppendText(text(0, 4, -1.5)); }},
};

const ViewTransform kViews[] = {{1, 0, 0}, {1.3, -46.5, -34.75}, {0.5, 200.5, 150.25}};

PictureParams paramsFor(const ViewTransform& view)
{
    PictureParams p;
    p.imageWidth = p.canvasWidth = kWidth;
    p.imageHeight = p.canvasHeight = kHeight;
    p.view = view;
    p.drawFrame = false;
    return p;
}

Drawing withTables()
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{0, kWidth, kHeight, 1, SampleLook::Plain, nullptr, {}});
    return d;
}

QImage paintAlone(Drawing& d, const ViewTransform& view)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    TGraphP g;
    EXPECT_TRUE(g.Begin(&image));
    DrawPicture(g, d, paramsFor(view));
    g.End();
    return image;
}

bool blank(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != kWhite)
                return false;
    return true;
}

// Small areas over the whole canvas, offset so that their edges fall
// anywhere between pixels of the views.
std::vector<QRect> areas()
{
    std::vector<QRect> out;
    for (const QSize size : {QSize(9, 7), QSize(1, 1), QSize(33, 21)})
        for (int y = 0; y < kHeight; y += size.height() + 2)
            for (int x = 0; x < kWidth; x += size.width() + 3)
                out.push_back(QRect(QPoint(x, y), size).intersected(QRect(0, 0, kWidth, kHeight)));
    return out;
}

using ReachParam = std::tuple<ElementRow, ViewTransform>;
class PaintReach : public ::testing::TestWithParam<ReachParam> {};

TEST_P(PaintReach, AnAreaRuledOutGetsNoPixel)
{
    const auto& [row, view] = GetParam();
    Drawing d = withTables();
    row.add(d);
    const QImage image = paintAlone(d, view);
    ASSERT_FALSE(blank(image, image.rect())) << "the element draws nothing at this view";
    int ruledOut = 0;
    for (const QRect& a : areas()) {
        if (ElementMayPaintArea(d, d.registry[0], view, a.left(), a.top(), a.right() + 1, a.bottom() + 1))
            continue;
        ++ruledOut;
        ASSERT_TRUE(blank(image, a)) << row.name << ": painted into " << a.x() << "," << a.y() << " " << a.width()
                                     << "x" << a.height();
    }
    // The reach of wide pens, curves and kinds without a finer test may
    // cover the whole canvas; the others leave much of it out.
    if (row.narrow && view == kViews[0]) {
        EXPECT_GT(ruledOut, 0) << "no area was ruled out, so nothing was checked";
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, PaintReach, ::testing::Combine(::testing::ValuesIn(kElements), ::testing::ValuesIn(kViews)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_view" +
                                    std::to_string(info.index % std::size(kViews));
                         });

struct CoverRow {
    const char* name;
    std::function<void(Drawing&)> add;
    bool hides;  // opaque: some areas must count as hidden
};

const CoverRow kCovers[] = {
    {"colour_rect", [](Drawing& d) { d.AppendRect({shape(1, kWidth1, 1, 2), 330, 250, 60, 40}); }, true},
    {"outlined_colour_circle", [](Drawing& d) { d.AppendCircle({shape(2, kWidth20, 1, 1), 0, 200, 150, 120}); }, true},
    {"rounded_rect", [](Drawing& d) {
         d.AppendCornerRect({shape(1, kWidth5, 1, 2), {1, 1, 1, 1}, 40, 30, 360, 270, {50, 50, 50, 50, 50, 50, 50, 50}});
     }, true},
    {"hatched_rect", [](Drawing& d) { d.AppendRect({shape(1, kWidth1, 3, 1), 60, 40, 340, 260}); }, false},
    {"outline_only_rect", [](Drawing& d) { d.AppendRect({shape(0, kWidth1, 1, 2), 60, 40, 340, 260}); }, false},
    {"filled_ellipse", [](Drawing& d) { d.AppendEllipse({shape(1, kWidth1, 1, 2), 0, 200, 150, 170, 120, 10}); }, false},
};

class HidesArea : public ::testing::TestWithParam<std::tuple<CoverRow, ViewTransform>> {};

TEST_P(HidesArea, AHiddenAreaShowsOnlyTheCover)
{
    const auto& [row, view] = GetParam();
    Drawing d = withTables();
    row.add(d);
    // The cover over white and over black: a hidden area must not differ.
    QImage overWhite(kWidth, kHeight, QImage::Format_RGB32), overBlack(kWidth, kHeight, QImage::Format_RGB32);
    overWhite.fill(kWhite);
    overBlack.fill(0xFF000000);
    for (QImage* image : {&overWhite, &overBlack}) {
        TGraphP g;
        ASSERT_TRUE(g.Begin(image));
        g.setAttributes(&d.attributes);
        RenderElement(g, -1, view, d, d.registry[0]);
        g.End();
    }
    int hidden = 0;
    for (const QRect& a : areas()) {
        if (!ElementHidesArea(d, d.registry[0], view, a.left(), a.top(), a.right() + 1, a.bottom() + 1))
            continue;
        ++hidden;
        ASSERT_EQ(overWhite.copy(a), overBlack.copy(a)) << row.name << ": shows through at " << a.x() << "," << a.y();
    }
    if (row.hides)
        EXPECT_GT(hidden, 0);
    else
        EXPECT_EQ(hidden, 0);
}

INSTANTIATE_TEST_SUITE_P(Covers, HidesArea, ::testing::Combine(::testing::ValuesIn(kCovers), ::testing::ValuesIn(kViews)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_view" +
                                    std::to_string(info.index % std::size(kViews));
                         });

// Lines of every join and width under an opaque rectangle, more above it:
// the repaint of an area the rectangle covers draws only from it on.
TEST(HidesArea, AreaRepaintUnderACoverEqualsTheFullPaint)
{
    Drawing d = withTables();
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> x(0, kWidth), y(0, kHeight);
    auto lines = [&](int n) {
        for (int i = 0; i < n; ++i)
            d.AppendPolyline({OutlineHeader{0, 1, i % 3, i % 4, 0, i % 8}, {{x(rng), y(rng)}, {x(rng), y(rng)}, {x(rng), y(rng)}}});
    };
    lines(300);
    d.AppendRect({shape(2, kWidth5, 1, 2), 80, 60, 320, 240});
    lines(30);
    d.extents.settle();
    const PictureParams params = paramsFor({1, 0, 0});
    QImage full(kWidth, kHeight, QImage::Format_RGB32);
    TGraphP g;
    ASSERT_TRUE(g.Begin(&full));
    DrawPicture(g, d, params);
    g.End();
    for (const QRect area : {QRect(120, 100, 60, 40), QRect(200, 150, 100, 70), QRect(70, 50, 30, 30)}) {
        QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
        canvas.fill(Qt::magenta);
        DrawAreaInBands(canvas, area, 16, [&](TGraphP& surface, const QRect& band, bool) {
            DrawPictureArea(surface, d, params, band);
        });
        EXPECT_EQ(canvas.copy(area), full.copy(area)) << area.x() << "," << area.y();
    }
}

}  // namespace
