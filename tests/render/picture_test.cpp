// The picture: grid runs with every fifth line major, the blue image frame,
// layers (hidden layers neither drawn nor registered), dead elements, and the
// off-canvas culling checked against a plain walk of the registry once per
// layer, which must give the same pixels and the same snap-point list.
#include <random>

#include "model/snap_points.h"
#include "render/picture.h"
#include "render/renderers.h"
#include "tests/render/render_canvas.h"

using namespace render_test;

namespace {

constexpr QRgb kMinor = 0xFF80CCFF;  // 0xFFCC80 as 0x00BBGGRR
constexpr QRgb kMajor = 0xFF0080FF;  // 0xFF8000

PictureParams params(int width, int height)
{
    PictureParams p;
    p.imageWidth = 320;
    p.imageHeight = 240;
    p.canvasWidth = width;
    p.canvasHeight = height;
    return p;
}

TEST(Grid, RunsFromTheOriginWithEveryFifthLineMajor)
{
    Canvas c(330, 260);
    PictureParams p = params(330, 260);
    p.grid.shown = true;
    p.grid.originY = 5;
    p.grid.pitchX = 1000;  // keep vertical lines out of the probed column
    p.grid.originX = -500;
    DrawPicture(c.g, c.drawing, p);
    const QImage& img = c.done();
    for (int y = 5; y <= 235; y += 10)
        EXPECT_EQ(img.pixel(100, y), (y - 5) % 50 == 0 ? kMajor : kMinor) << y;
    EXPECT_EQ(img.pixel(100, 10), kWhite);
    EXPECT_EQ(img.pixel(100, 245), kWhite) << "no line at or below the image height";
}

TEST(Grid, OriginAboveTheImageStartsTheRunThere)
{
    Canvas c(330, 300);
    PictureParams p = params(330, 300);
    p.view.panY = 40;  // drawing y = -25 lands on canvas row 15
    p.grid.shown = true;
    p.grid.originY = -25;
    p.grid.pitchX = 1000;
    p.grid.originX = -500;
    DrawPicture(c.g, c.drawing, p);
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(100, 15), kMajor) << "-25";
    EXPECT_EQ(img.pixel(100, 25), kMinor) << "-15";
    EXPECT_EQ(img.pixel(100, 65), kMajor) << "25, the fifth line";
    EXPECT_EQ(img.pixel(100, 255), kMinor) << "215";
    EXPECT_EQ(img.pixel(100, 265), kMajor) << "225, the 25th line";
    EXPECT_EQ(img.pixel(100, 5), kWhite);
}

TEST(Grid, VerticalRunsMirrorTheHorizontalOnes)
{
    Canvas c(330, 260);
    PictureParams p = params(330, 260);
    p.grid.shown = true;
    p.grid.originX = 100;
    p.grid.originY = -500;
    p.grid.pitchY = 1000;
    DrawPicture(c.g, c.drawing, p);
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(100, 50), kMajor);
    EXPECT_EQ(img.pixel(90, 50), kMinor) << "downward run";
    EXPECT_EQ(img.pixel(50, 50), kMajor) << "fifth line of the downward run";
    EXPECT_EQ(img.pixel(150, 50), kMajor);
    EXPECT_EQ(img.pixel(95, 50), kWhite);
}

TEST(Frame, OutlinesTheImageAreaInBlue)
{
    Canvas c(360, 280);
    PictureParams p = params(360, 280);
    p.view.panX = 10;
    p.view.panY = 20;
    DrawPicture(c.g, c.drawing, p);
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(9, 100), kBlue);
    EXPECT_EQ(img.pixel(330, 100), kBlue);
    EXPECT_EQ(img.pixel(100, 19), kBlue);
    EXPECT_EQ(img.pixel(100, 260), kBlue);
    EXPECT_EQ(img.pixel(100, 100), kWhite);
    EXPECT_EQ(img.pixel(5, 5), kWhite);
}

int32_t addRect(Drawing& d, int layer, double x)
{
    ClosedHeader h = closedHeader(1);
    h.layer = layer;
    d.AppendRect(RectRecord{h, x, 10, x + 20, 30});
    return static_cast<int32_t>(d.registry.size() - 1);
}

TEST(Layers, HiddenLayersAreNeitherDrawnNorRegistered)
{
    Canvas c(200, 100);
    addRect(c.drawing, 3, 10);
    addRect(c.drawing, 7, 60);
    c.drawing.layers[7].visible = false;
    DrawPicture(c.g, c.drawing, params(200, 100));
    EXPECT_EQ(c.at(20, 20), kRed);
    EXPECT_EQ(c.at(70, 20), kWhite);
    ASSERT_FALSE(c.drawing.snapPoints.empty());
    for (const SnapPoint& s : c.drawing.snapPoints)
        EXPECT_EQ(s.layer, 3);
}

TEST(Layers, DeadElementsAreSkipped)
{
    Canvas c(200, 100);
    const int32_t dead = addRect(c.drawing, 7, 10);
    c.drawing.markDead(dead);
    DrawPicture(c.g, c.drawing, params(200, 100));
    EXPECT_EQ(c.at(20, 20), kWhite);
    EXPECT_TRUE(c.drawing.snapPoints.empty());
}

TEST(Layers, PaintWithoutRegistrationDrawsTheSameAndRegistersNothing)
{
    Canvas registered(200, 100), unregistered(200, 100);
    for (Canvas* c : {&registered, &unregistered}) {
        addRect(c->drawing, 3, 10);
        addRect(c->drawing, 4, 60);
    }
    PictureParams p = params(200, 100);
    DrawPicture(registered.g, registered.drawing, p);
    p.registerSnapPoints = false;
    DrawPicture(unregistered.g, unregistered.drawing, p);
    EXPECT_EQ(registered.done(), unregistered.done());
    EXPECT_FALSE(registered.drawing.snapPoints.empty());
    EXPECT_TRUE(unregistered.drawing.snapPoints.empty());
}

TEST(Layers, LowerLayersArePaintedFirst)
{
    Canvas c(200, 100);
    ClosedHeader top = closedHeader(1, 1);
    top.layer = 9;
    c.drawing.AppendRect(RectRecord{top, 10, 10, 40, 40});  // green, registered first, layer 9
    addRect(c.drawing, 2, 10);                              // red, layer 2
    DrawPicture(c.g, c.drawing, params(200, 100));
    EXPECT_EQ(c.at(20, 20), kGreen);
    ASSERT_FALSE(c.drawing.snapPoints.empty());
    EXPECT_EQ(c.drawing.snapPoints.front().layer, 2);
}

// The walk as first written: for each visible layer in use, the whole
// registry in order; every element drawn and registered.
void naiveElements(TGraphP& g, Drawing& d, const PictureParams& p)
{
    d.RecomputeLayerUse();
    g.SetPenArgb(kBlack);
    const CanvasView canvas{p.view, p.canvasWidth, p.canvasHeight};
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (!d.layers[layer].inUse || !d.layers[layer].visible)
            continue;
        for (const ElementRef& ref : d.registry) {
            if (ref.live && d.layerOf(ref) == layer && RenderElement(g, -1, p.view, d, ref))
                RegisterSnapPoints(d, ref, canvas);
        }
    }
}

// Every kind, scattered over an area four times the canvas, some with wide
// pens, on a few layers.
void scatter(Drawing& d, unsigned seed)
{
    std::mt19937 rng(seed);
    auto coord = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    appendEntry(d.attributes.width, WidthEntry{0, 9});
    for (int i = 0; i < 400; ++i) {
        const double x = coord(-250, 450), y = coord(-200, 350), r = coord(3, 60);
        ClosedHeader h = closedHeader(i % 3, i % 2);
        h.layer = i % 4;
        h.widthRef = i % 5 == 0 ? 1 : 0;
        OutlineHeader o{i % 4, 1, i % 2, i % 5 == 0 ? 1 : 0, 0, i % 8};
        switch (i % 18) {
        case 0: d.AppendLine({o, x, y, x + r, y - r}); break;
        case 1: d.AppendPoint({i % 4, 1, 0, i % 25, x, y, 6}); break;
        case 2: d.AppendRect({h, x, y, x + r, y + r / 2}); break;
        case 3: d.AppendCornerRect({h, {3, 6, 4, 5}, x, y, x + 40, y + 30, {8, 8, 8, 8, 8, 8, 8, 8}}); break;
        case 4: d.AppendCircle({h, 0, x, y, r}); break;
        case 5: d.AppendEllipse({h, 0, x, y, r, r / 3, 40}); break;
        case 6: d.AppendArc({o, 0, x, y, r, 30, 200}); break;
        case 7: d.AppendEllipticArc({o, 0, x, y, r, r / 2, 20, 10, -250}); break;
        case 8: d.AppendPie({h, x, y, r, r, 0, 45, 120}); break;
        case 9: d.AppendChord({h, x, y, r, r / 2, 10, 0, 200}); break;
        case 10: d.AppendOutside({h, x, y, r, r, 0, 20, 270}); break;
        case 11: d.AppendRing({h, x, y, r, r, r / 2, r / 2, 0, 0, i % 36 == 11 ? 360.0 : 150.0}); break;
        case 12: d.AppendPolyline({o, {{x, y}, {x + r, y + 5}, {x + 5, y + r}}}); break;
        case 13: d.AppendPolygon({h, {{x, y}, {x + r, y + 5}, {x + 5, y + r}}}); break;
        case 14: d.AppendBezier({o, {{x, y}, {x + r, y - r}, {x + 2 * r, y + r}, {x + 3 * r, y}}}); break;
        case 15: d.AppendOpenSpline({o, {{x, y}, {x + r, y - r}, {x + 2 * r, y + r}, {x + 3 * r, y}}}); break;
        case 16: d.AppendClosedSpline({h, {{x, y}, {x + r, y - r}, {x + 2 * r, y + r}}}); break;
        case 17: {
            TextRecord t;
            t.layer = i % 4;
            t.x = x, t.y = y, t.size = 14, t.angle = 30, t.xRatio = 1.5, t.anchor = i % 9;
            t.fontName = "ＭＳ ゴシック";
            t.text = "Mirt 図面";
            const StoredTextBox box = MeasureTextBox(t);
            t.boxA = box.a, t.boxB = box.b, t.boxC = box.c, t.boxD = box.d;
            d.AppendText(std::move(t));
            break;
        }
        }
    }
}

struct CullRow {
    const char* name;
    ViewTransform view;
};

class Culling : public ::testing::TestWithParam<CullRow> {};

TEST_P(Culling, GivesThePictureAndSnapListOfTheFullWalk)
{
    ensureGuiApp();
    const CullRow row = GetParam();
    PictureParams p = params(200, 150);
    p.view = row.view;
    Canvas culled(200, 150), naive(200, 150);
    scatter(culled.drawing, 7);
    scatter(naive.drawing, 7);
    DrawElements(culled.g, culled.drawing, p);
    naiveElements(naive.g, naive.drawing, p);
    EXPECT_EQ(culled.done(), naive.done());
    ASSERT_EQ(culled.drawing.snapPoints.size(), naive.drawing.snapPoints.size());
    for (size_t i = 0; i < naive.drawing.snapPoints.size(); ++i) {
        const SnapPoint& a = culled.drawing.snapPoints[i];
        const SnapPoint& b = naive.drawing.snapPoints[i];
        EXPECT_TRUE(a.code == b.code && a.index == b.index && a.screenX == b.screenX && a.screenY == b.screenY)
            << i;
    }
    EXPECT_GT(culled.count(kWhite), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, Culling,
                         ::testing::Values(CullRow{"identity", {1, 0, 0}}, CullRow{"panned", {1, 120, 90}},
                                           CullRow{"zoomed_in", {3, -20, 10}}, CullRow{"zoomed_out", {0.4, 200, 150}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ProgressRow {
    const char* name;
    int elements;
    size_t reports;  // one per percent reached, and the end
    int first;
};

class PaintProgress : public ::testing::TestWithParam<ProgressRow> {};

// The share a long paint reports: from 0, growing, ending at 100, at most
// once per percent, however many elements there are.
TEST_P(PaintProgress, SharesGrowFromZeroToAHundred)
{
    Canvas c(200, 200);
    const OutlineHeader o{};
    for (int i = 0; i < GetParam().elements; ++i)
        c.drawing.AppendLine({o, double(i % 200), 10, double(i % 200), 190});
    PictureParams p = params(200, 200);
    std::vector<int> shares;
    p.progress = [&](int percent) { shares.push_back(percent); };
    DrawPicture(c.g, c.drawing, p);
    c.done();
    ASSERT_FALSE(shares.empty());
    EXPECT_EQ(shares.front(), GetParam().first);
    EXPECT_EQ(shares.back(), 100);
    for (size_t i = 1; i < shares.size(); ++i)
        EXPECT_LT(shares[i - 1], shares[i]) << i;
    EXPECT_EQ(shares.size(), GetParam().reports);
}

INSTANTIATE_TEST_SUITE_P(Rows, PaintProgress,
                         ::testing::Values(ProgressRow{"empty", 0, 1, 100}, ProgressRow{"three", 3, 4, 0},
                                           ProgressRow{"hundred", 100, 101, 0},
                                           ProgressRow{"many", 5003, 101, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
