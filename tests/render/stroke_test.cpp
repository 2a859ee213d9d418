// Pen geometry on pixels and on outlines: line caps, anchor caps, dash
// lengths in units of the width, dash caps apart from line caps, single
// coverage of overlapping stroke parts, and pens thinner than a pixel.
#include <set>

#include "render/stroke.h"
#include "surface_fixture.h"

namespace {

using StrokePixels = SurfaceTest;

// A 10-px black line from (20, 60) to (100, 60) with the given cap code on both ends.
class CapTest : public SurfaceTest {
protected:
    void drawWithCap(int capCode)
    {
        blackPen(10);
        surface.SetPenCaps(3, capCode);
        surface.DrawLine(20, 60, 100, 60);
    }
    bool black(int x, int y) { return pixel(x, y) == qRgb(0, 0, 0); }
};

TEST_F(CapTest, FlatEndsStopAtTheEndPoints)
{
    drawWithCap(0);
    EXPECT_TRUE(black(20, 60));
    EXPECT_TRUE(black(99, 55));
    EXPECT_TRUE(isWhite(100, 60));
    EXPECT_TRUE(isWhite(19, 60));
    EXPECT_TRUE(isWhite(60, 54));
}

TEST_F(CapTest, TriangleCapReachesHalfTheWidthBeyondTheEnd)
{
    drawWithCap(2);
    EXPECT_TRUE(black(103, 60));
    EXPECT_TRUE(black(16, 60));
    EXPECT_TRUE(isWhite(103, 57));  // narrows towards the apex
    EXPECT_TRUE(isWhite(106, 60));
}

TEST_F(CapTest, SquareAndRoundCapsExtendHalfTheWidth)
{
    drawWithCap(3);
    EXPECT_TRUE(black(104, 56));
    EXPECT_TRUE(isWhite(105, 60));
    open();
    drawWithCap(1);
    EXPECT_TRUE(black(104, 60));
    EXPECT_TRUE(isWhite(104, 56));  // the corner of the square is cut by the round cap
}

TEST_F(CapTest, ArrowAnchorHasItsTipOnTheEndAndWidensBeyondThePen)
{
    drawWithCap(7);
    EXPECT_TRUE(black(98, 60));
    EXPECT_TRUE(isWhite(101, 60));
    EXPECT_TRUE(black(85, 52));  // base corners at +-w across, 17.3 px back
    EXPECT_TRUE(black(35, 68));
    EXPECT_TRUE(isWhite(60, 52));
}

TEST_F(CapTest, RoundDiamondAndSquareAnchorsSitOnTheEndPoints)
{
    drawWithCap(4);
    EXPECT_TRUE(black(108, 60));  // radius w
    EXPECT_TRUE(black(100, 51));
    EXPECT_TRUE(isWhite(111, 60));
    open();
    drawWithCap(5);
    EXPECT_TRUE(black(108, 60));  // vertex at +w
    EXPECT_TRUE(isWhite(108, 55));
    open();
    drawWithCap(6);
    EXPECT_TRUE(black(106, 54));  // corner at +-0.707 w both ways
    EXPECT_TRUE(isWhite(108, 60));
}

struct CapGeometryRow { const char* name; int cap; QRectF bounds; };
class CapGeometry : public ::testing::TestWithParam<CapGeometryRow> {};

TEST_P(CapGeometry, OutlineBoundsMatchThePlatformsVectors)
{
    StrokeStyle style;
    style.width = 10;
    style.startCap = style.endCap = GetParam().cap;
    const QRectF bounds = strokeOutline({Figure{QPolygonF{{5, 10}, {50, 10}}, false}}, style).boundingRect();
    const QRectF want = GetParam().bounds;
    EXPECT_NEAR(bounds.left(), want.left(), 0.05);
    EXPECT_NEAR(bounds.right(), want.right(), 0.05);
    EXPECT_NEAR(bounds.top(), want.top(), 0.05);
    EXPECT_NEAR(bounds.bottom(), want.bottom(), 0.05);
}

INSTANTIATE_TEST_SUITE_P(
    Caps, CapGeometry,
    ::testing::Values(CapGeometryRow{"Flat", LineCap::Flat, QRectF(QPointF(5, 5), QPointF(50, 15))},
                      CapGeometryRow{"Square", LineCap::Square, QRectF(QPointF(0, 5), QPointF(55, 15))},
                      CapGeometryRow{"Triangle", LineCap::Triangle, QRectF(QPointF(0, 5), QPointF(55, 15))},
                      CapGeometryRow{"SquareAnchor", LineCap::SquareAnchor,
                                     QRectF(QPointF(-2.071, 2.929), QPointF(57.071, 17.071))},
                      CapGeometryRow{"RoundAnchor", LineCap::RoundAnchor, QRectF(QPointF(-5, 0), QPointF(60, 20))},
                      CapGeometryRow{"DiamondAnchor", LineCap::DiamondAnchor,
                                     QRectF(QPointF(-5, 0), QPointF(60, 20))},
                      CapGeometryRow{"ArrowAnchor", LineCap::ArrowAnchor, QRectF(QPointF(5, 0), QPointF(50, 20))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StrokeOutline, DashedLineKeepsItsPhaseFromTheFirstPoint)
{
    StrokeStyle style;
    style.width = 10;
    style.dashStyle = DashStyle::Dash;  // 30 on, 10 off
    const QPainterPath out = strokeOutline({Figure{QPolygonF{{5, 10}, {50, 10}}, false}}, style);
    EXPECT_TRUE(out.contains(QPointF(34, 10)));
    EXPECT_FALSE(out.contains(QPointF(40, 10)));
    EXPECT_TRUE(out.contains(QPointF(46, 10)));
    // the arrow's body stops a width short of each end, the anchors stay
    style.dashStyle = DashStyle::Solid;
    style.startCap = style.endCap = LineCap::ArrowAnchor;
    const QPainterPath arrow = strokeOutline({Figure{QPolygonF{{5, 10}, {50, 10}}, false}}, style);
    EXPECT_TRUE(arrow.contains(QPointF(27, 13)));
}

TEST(StrokeOutline, ClippingToTheVisibleAreaKeepsTheDashPhase)
{
    StrokeStyle style;
    style.width = 2;
    style.dashStyle = DashStyle::Dot;  // 2 on, 2 off
    const Figure line{QPolygonF{{0, 0}, {1e7, 0}}, false};
    const QPainterPath clipped = strokeOutline({line}, style, QRectF(1000, -50, 100, 100));
    EXPECT_TRUE(clipped.contains(QPointF(1001, 0)));
    EXPECT_FALSE(clipped.contains(QPointF(1003, 0)));
    EXPECT_TRUE(clipped.contains(QPointF(1005, 0)));
    EXPECT_LT(clipped.elementCount(), 1000);
}

TEST(StrokeOutline, InvalidCustomPatternsDrawSolid)
{
    StrokeStyle style;
    style.width = 2;
    style.dashStyle = DashStyle::Custom;
    EXPECT_TRUE(dashLengths(style).empty());
    style.customDashes = {2, 0};
    EXPECT_TRUE(dashLengths(style).empty());
    style.customDashes = {2, 1, 3};
    EXPECT_EQ(dashLengths(style), (std::vector<double>{4, 2, 6, 4, 2, 6}));
    style.width = 0.25;  // thin pens keep one-pixel units
    style.dashStyle = DashStyle::DashDot;
    EXPECT_EQ(dashLengths(style), (std::vector<double>{3, 1, 1, 1}));
}

struct DashRow { const char* name; double width; int firstGap; int gapEnd; };
class DashScaling : public SurfaceTest, public ::testing::WithParamInterface<DashRow> {};

TEST_P(DashScaling, DashLengthsAreMultiplesOfTheWidth)
{
    const DashRow row = GetParam();
    blackPen(row.width);
    surface.SetDashStyle(1);  // 3 on, 1 off
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_FALSE(isWhite(row.firstGap - 1, 60));
    EXPECT_TRUE(isWhite(row.firstGap, 60));
    EXPECT_TRUE(isWhite(row.gapEnd - 1, 60));
    EXPECT_FALSE(isWhite(row.gapEnd, 60));
}

INSTANTIATE_TEST_SUITE_P(Widths, DashScaling,
                         ::testing::Values(DashRow{"Width2", 2, 16, 18}, DashRow{"Width4", 4, 22, 26},
                                           DashRow{"Width8", 8, 34, 42}, DashRow{"ThinPen", 0.4, 13, 14}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DashCapRow { const char* name; int dashCapCode; bool gapCentreCovered; bool offAxisCovered; };
class DashCaps : public SurfaceTest, public ::testing::WithParamInterface<DashCapRow> {};

// An 8-px dashed line: dash 10..34, gap 34..42; caps add 4 px each side.
TEST_P(DashCaps, DashEndsTakeTheDashCapNotTheLineCap)
{
    blackPen(8);
    surface.SetDashStyle(1);
    surface.SetDashCap(GetParam().dashCapCode);
    surface.SetPenCaps(3, 0);
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_EQ(!isWhite(35, 60), GetParam().gapCentreCovered);
    EXPECT_EQ(!isWhite(37, 58), GetParam().offAxisCovered);
    EXPECT_TRUE(isWhite(9, 60));  // the figure's own start keeps its flat line cap
}

INSTANTIATE_TEST_SUITE_P(Caps, DashCaps,
                         ::testing::Values(DashCapRow{"Flat", 0, false, false}, DashCapRow{"Round", 1, true, true},
                                           DashCapRow{"Triangle", 2, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StrokePixels, RoundLineCapsWithFlatDashCapsRoundOnlyTheFigureEnds)
{
    blackPen(8);
    surface.SetDashStyle(1);
    surface.SetPenCaps(3, 1);
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_FALSE(isWhite(7, 60));
    EXPECT_TRUE(isWhite(35, 60));
}

TEST_F(StrokePixels, AlphaPenCoversEachPixelOfItsStrokeOnce)
{
    surface.SetPenArgb(qRgba(0, 0, 0, 128));
    surface.SetPenWidth(9);
    surface.SetPenCaps(3, 2);  // triangle caps: drawn as one outline
    surface.SetDashStyle(0);
    surface.DrawLines(QPolygonF{{20, 100}, {80, 20}, {140, 100}, {30, 60}});
    std::set<QRgb> colours;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x)
            if (!isWhite(x, y))
                colours.insert(pixel(x, y));
    EXPECT_EQ(colours.size(), 1u);
}

TEST_F(StrokePixels, PensThinnerThanAPixelDrawOnePixelAtFullColour)
{
    blackPen(0.3);
    surface.DrawLine(10, 40, 150, 40);
    EXPECT_EQ(pixel(80, 40), qRgb(0, 0, 0));
    EXPECT_TRUE(isWhite(80, 39));
    EXPECT_TRUE(isWhite(80, 41));
}

TEST_F(StrokePixels, ClosedFiguresGetNoCaps)
{
    blackPen(6);
    surface.SetPenCaps(3, 4);  // round anchors would show at the corners
    surface.DrawRectangle(QRectF(QPointF(40, 30), QPointF(120, 90)));
    EXPECT_TRUE(isWhite(36, 34));
    EXPECT_FALSE(isWhite(38, 34));
}

TEST_F(StrokePixels, OpenPolylineEndingOnItsStartKeepsItsCaps)
{
    blackPen(6);
    surface.SetPenCaps(3, 4);
    surface.DrawLines(QPolygonF{{40, 30}, {120, 30}, {120, 90}, {40, 90}, {40, 30}});
    EXPECT_FALSE(isWhite(36, 34));  // the round anchor of radius 6 at (40, 30)
}

}  // namespace

namespace {

struct DegenerateRow { const char* name; QPointF a, b; };
class DegenerateLines : public SurfaceTest, public ::testing::WithParamInterface<DegenerateRow> {};

// Coordinates from corrupt files or extreme zoom: every pen style must
// return promptly and leave the rest of the canvas alone.
TEST_P(DegenerateLines, DrawNothingWrongAndReturn)
{
    const DegenerateRow row = GetParam();
    for (int dash = 0; dash <= 5; ++dash) {
        for (int cap : {0, 2, 7}) {
            blackPen(3);
            surface.SetDashStyle(dash);
            surface.SetDashCap(1);
            surface.SetPenCaps(3, cap);
            surface.DrawLine(row.a.x(), row.a.y(), row.b.x(), row.b.y());
            surface.SetPenWidth(0.5);
            surface.DrawLine(row.a.x(), row.a.y(), row.b.x(), row.b.y());
        }
    }
    EXPECT_TRUE(isWhite(80, 110));
}

INSTANTIATE_TEST_SUITE_P(
    Coordinates, DegenerateLines,
    ::testing::Values(DegenerateRow{"NotANumber", {NAN, 10}, {50, 10}},
                      DegenerateRow{"Infinite", {0, 10}, {INFINITY, 10}},
                      DegenerateRow{"HugeAcrossTheCanvas", {-1e12, 10}, {1e12, 11}},
                      DegenerateRow{"ZeroLength", {40, 10}, {40, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StrokePixels, CustomDashPatternKeepsAtMostTenEntries)
{
    const float pattern[12] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 50, 50};
    blackPen(2);
    surface.SetDashPattern(pattern, 12);  // the two long entries are dropped
    surface.SetDashStyle(5);
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_FALSE(isWhite(10, 60));
    EXPECT_TRUE(isWhite(12, 60));
    EXPECT_FALSE(isWhite(30, 60));  // period 20 px, so x = 30 starts a dash again
}

TEST_F(StrokePixels, GradientPenWithCoincidentEndsDrawsInTheStoredColour)
{
    surface.SetPenArgb(0xFF00FF00);
    surface.SetPenWidth(4);
    surface.MakeGradientPen(0xFFFF0000, 0xFF0000FF, {50, 50}, {50, 50});
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_EQ(pixel(80, 60), qRgb(0, 255, 0));
}

}  // namespace
