// Snap registration: the codes, order and on-canvas condition of every kind,
// the size thresholds below which an element offers nothing, and the look-up's
// first-match, square-window and hidden-layer rules.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "element_builders.h"
#include "model/snap_points.h"

using namespace testing_builders;

namespace {

const CanvasView kCanvas{{1, 0, 0}, 400, 300};

ElementRef lastRef(const Drawing& d) { return d.registry.back(); }

std::vector<int> registeredCodes(Drawing& d, const CanvasView& canvas = kCanvas)
{
    ClearSnapPoints(d);
    RegisterSnapPoints(d, lastRef(d), canvas);
    std::vector<int> codes;
    for (const SnapPoint& s : d.snapPoints)
        codes.push_back(s.code);
    return codes;
}

using Codes = std::vector<int>;

TEST(SnapLine, TwoPixelLineOffersNothingThreePixelsOffersEndsAndMiddle)
{
    Drawing d;
    d.AppendLine(line(10, 10, 12, 12));
    EXPECT_TRUE(registeredCodes(d).empty());
    const CanvasView zoomed{{1.5, 0, 0}, 400, 300};
    EXPECT_EQ(registeredCodes(d, zoomed), (Codes{1, 2, 3}));
    d.AppendLine(line(10, 10, 13, 10));
    EXPECT_EQ(registeredCodes(d), (Codes{1, 2, 3}));
}

TEST(SnapLine, MidpointScreenIsTheIntegerAverageOfTheEnds)
{
    Drawing d;
    d.AppendLine(line(1.9, 0, 6.9, 0));  // screen 1 and 6; world middle 4.4
    registeredCodes(d);
    ASSERT_EQ(d.snapPoints.size(), 3u);
    EXPECT_EQ(d.snapPoints[2].screenX, 3);
    EXPECT_DOUBLE_EQ(d.snapPoints[2].x, 4.4);
}

TEST(SnapCanvas, RightEdgeIsOnTheCanvasOnePixelBeyondIsNot)
{
    Drawing d;
    d.AppendPoint({0, 1, 0, 0, 400, 300, 1});
    EXPECT_EQ(registeredCodes(d), (Codes{10}));
    d.AppendPoint({0, 1, 0, 0, 401, 10, 1});
    EXPECT_TRUE(registeredCodes(d).empty());
    d.AppendPoint({0, 1, 0, 0, 10, 301, 1});
    EXPECT_TRUE(registeredCodes(d).empty());
}

TEST(SnapCanvas, ScreenPositionTruncatesTowardZero)
{
    Drawing d;
    d.AppendPoint({0, 1, 0, 0, -0.9, 5.9, 1});  // trunc(-0.9) is 0: on the canvas
    const CanvasView panned{{2, 10, -1}, 400, 300};
    registeredCodes(d);
    ASSERT_EQ(d.snapPoints.size(), 1u);
    EXPECT_EQ(d.snapPoints[0].screenX, 0);
    EXPECT_EQ(d.snapPoints[0].screenY, 5);
    registeredCodes(d, panned);  // (-0.9 + 10) * 2 = 18.2, (5.9 - 1) * 2 = 9.8
    ASSERT_EQ(d.snapPoints.size(), 1u);
    EXPECT_EQ(d.snapPoints[0].screenX, 18);
    EXPECT_EQ(d.snapPoints[0].screenY, 9);
    d.AppendPoint({0, 1, 0, 0, -1.0, 5, 1});
    EXPECT_TRUE(registeredCodes(d).empty());
}

TEST(SnapCanvas, FarOffAndNonFinitePointsAreSkippedSafely)
{
    Drawing d;
    d.AppendLine(line(-1e300, 5, 1e300, 5));
    EXPECT_EQ(registeredCodes(d), (Codes{3}));
    d.AppendPoint({0, 1, 0, 0, std::numeric_limits<double>::quiet_NaN(), 5, 1});
    EXPECT_TRUE(registeredCodes(d).empty());
    d.AppendCircle({closedHeader(0), 0, 200, 150, 1e30});
    EXPECT_EQ(registeredCodes(d), (Codes{50}));
}

TEST(SnapRect, CornersThenEdgeMiddlesAndTheThreePixelLimit)
{
    Drawing d;
    d.AppendRect({closedHeader(0), 10, 10, 13, 50});
    EXPECT_EQ(registeredCodes(d), (Codes{20, 21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(d.snapPoints[1].x, 13);
    EXPECT_EQ(d.snapPoints[1].y, 10);
    EXPECT_EQ(d.snapPoints[7].y, 30);
    d.AppendRect({closedHeader(0), 10, 10, 12.9, 50});
    EXPECT_TRUE(registeredCodes(d).empty());
}

TEST(SnapCornerRect, CutPointsOnlyWhereTheCutMovesOffTheCornerPixel)
{
    Drawing d;
    d.AppendCornerRect({closedHeader(0), {1, 1, 1, 1}, 10, 10, 110, 60, {0, 0, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(registeredCodes(d), (Codes{30, 31, 32, 33, 34, 35, 36, 37}));
    // The top-right cut of 0.5 stays on the corner's pixel column (110.9 -> 110.4).
    d.AppendCornerRect({closedHeader(0), {1, 1, 1, 1}, 10, 10, 110.9, 60, {5, 6, 0.5, 7, 8, 9, 10, 11}});
    EXPECT_EQ(registeredCodes(d), (Codes{30, 31, 32, 33, 34, 35, 36, 37, 40, 41, 43, 44, 45, 46, 47}));
    const SnapPoint& bottomRightUp = d.snapPoints.back();
    EXPECT_EQ(bottomRightUp.x, 110.9);
    EXPECT_EQ(bottomRightUp.y, 49);
    const SnapPoint& topRightUp = d.snapPoints[10];
    EXPECT_EQ(topRightUp.code, 43);
    EXPECT_EQ(topRightUp.y, 17);
}

TEST(SnapCircle, QuadrantScreensAreCentrePlusTruncatedRadius)
{
    Drawing d;
    d.AppendCircle({closedHeader(0), 0, 100.7, 100.7, 2});
    EXPECT_TRUE(registeredCodes(d).empty());
    d.AppendCircle({closedHeader(0), 0, 100.7, 100.7, 20.6});
    EXPECT_EQ(registeredCodes(d), (Codes{50, 51, 52, 53, 54}));
    EXPECT_EQ(d.snapPoints[1].screenX, 120);  // 100 + trunc(20.6)
    EXPECT_EQ(d.snapPoints[2].screenY, 80);
    EXPECT_DOUBLE_EQ(d.snapPoints[2].y, 100.7 - 20.6);
}

TEST(SnapEllipse, AxisEndsTurnWithTheTiltAndThinEllipsesOfferNothing)
{
    Drawing d;
    d.AppendEllipse({closedHeader(0), 0, 100, 100, 40, 20, 90});
    EXPECT_EQ(registeredCodes(d), (Codes{60, 61, 62, 63, 64}));
    EXPECT_NEAR(d.snapPoints[1].x, 100, 1e-9);  // 0 degrees: the major axis points up
    EXPECT_NEAR(d.snapPoints[1].y, 60, 1e-9);
    EXPECT_NEAR(d.snapPoints[2].x, 80, 1e-9);  // 90 degrees: left of the centre
    d.AppendEllipse({closedHeader(0), 0, 100, 100, 40, 2, 0});
    EXPECT_TRUE(registeredCodes(d).empty());
}

TEST(SnapArc, HalfCircleOffersCentreEndsAndThePointsItPasses)
{
    Drawing d;
    d.AppendArc(arc(100, 100, 50, 0, 180));
    EXPECT_EQ(registeredCodes(d), (Codes{70, 71, 72, 73, 74, 75}));
    EXPECT_NEAR(d.snapPoints[4].y, 50, 1e-9);  // 90 degrees is above the centre
    EXPECT_NEAR(d.snapPoints[2].x, 50, 1e-9);
}

TEST(SnapArc, TiltedClockwiseEllipticArc)
{
    Drawing d;
    d.AppendEllipticArc(ellipticArc(100, 100, 60, 30, 90, 0, -90));
    EXPECT_EQ(registeredCodes(d), (Codes{80, 81, 82, 83, 86}));
    const PointD end = screenEllipsePoint({100, 100}, 60, 30, 90, -90);
    EXPECT_NEAR(d.snapPoints[2].x, end.x, 1e-9);
    EXPECT_NEAR(d.snapPoints[2].y, end.y, 1e-9);
    EXPECT_NEAR(d.snapPoints[4].x, 130, 1e-9);  // 270 degrees: right of the centre
}

TEST(SnapSector, BasesPerKindAndOutsideCornersEvenWhenTiny)
{
    Drawing d;
    d.AppendPie(sector(100, 100, 50, 50, 0, 10, 20));
    EXPECT_EQ(registeredCodes(d), (Codes{90, 91, 92}));
    d.AppendChord(sector(100, 100, 50, 50, 0, 10, 20));
    EXPECT_EQ(registeredCodes(d), (Codes{100, 101, 102}));
    d.AppendOutside(sector(100, 100, 50, 50, 0, 0, 180));
    EXPECT_EQ(registeredCodes(d), (Codes{110, 111, 112, 113, 114, 115, 117, 117}));
    EXPECT_NEAR(d.snapPoints[6].x, 150, 1e-9);
    EXPECT_NEAR(d.snapPoints[6].y, 50, 1e-9);
    d.AppendOutside(sector(100, 100, 2, 2, 0, 0, 90));
    EXPECT_EQ(registeredCodes(d), (Codes{117}));
}

TEST(SnapRing, OuterThenInnerEachWithTheCentre)
{
    Drawing d;
    d.AppendRing({closedHeader(0), 100, 100, 50, 50, 20, 20, 0, 0, 360});
    EXPECT_EQ(registeredCodes(d), (Codes{120, 121, 122, 123, 124, 125, 126, 120, 121, 122, 123, 124, 125, 126}));
    d.AppendRing({closedHeader(0), 100, 100, 50, 50, 2, 2, 0, 0, 90});
    EXPECT_EQ(registeredCodes(d), (Codes{120, 121, 122, 123, 124}));
}

TEST(SnapPaths, VerticesThenMiddlesForPolylineAndPolygonOnly)
{
    Drawing d;
    const std::vector<PointD> pts{{10, 10}, {30, 10}, {30, 30}};
    d.AppendPolyline({outlineHeader(), pts});
    EXPECT_EQ(registeredCodes(d), (Codes{300, 300, 300, 301, 301}));
    EXPECT_EQ(d.snapPoints[4].y, 20);
    d.AppendPolygon({closedHeader(0), pts});
    EXPECT_EQ(registeredCodes(d), (Codes{310, 310, 310, 311, 311}));
    d.AppendBezier({outlineHeader(), pts});
    EXPECT_EQ(registeredCodes(d), (Codes{320, 320, 320}));
    d.AppendOpenSpline({outlineHeader(), pts});
    EXPECT_EQ(registeredCodes(d), (Codes{330, 330, 330}));
    d.AppendClosedSpline({closedHeader(0), pts});
    EXPECT_EQ(registeredCodes(d), (Codes{340, 340, 340}));
}

TEST(SnapText, NinePointGridOverTheTurnedBox)
{
    Drawing d;
    d.AppendText(textBox(100, 100, 40, 20, 90));
    EXPECT_EQ(registeredCodes(d), (Codes{400, 401, 402, 403, 404, 405, 406, 407, 408}));
    EXPECT_NEAR(d.snapPoints[2].x, 100, 1e-9);  // along the text: up
    EXPECT_NEAR(d.snapPoints[2].y, 60, 1e-9);
    EXPECT_NEAR(d.snapPoints[8].x, 80, 1e-9);  // across: left
    EXPECT_NEAR(d.snapPoints[8].y, 60, 1e-9);
    d.AppendText(textBox(100, 100, 2, 2, 0));
    EXPECT_TRUE(registeredCodes(d).empty());
}

TEST(SnapRegister, RecordsTheKindIndexAndLayerAndIgnoresBadRefs)
{
    Drawing d;
    d.AppendPoint({0, 1, 0, 0, 5, 5, 1});
    d.AppendPoint({9, 1, 0, 0, 6, 6, 1});
    RegisterSnapPoints(d, d.registry[1], kCanvas);
    ASSERT_EQ(d.snapPoints.size(), 1u);
    EXPECT_EQ(d.snapPoints[0].index, 1);
    EXPECT_EQ(d.snapPoints[0].layer, 9);
    RegisterSnapPoints(d, {110, 7, 1}, kCanvas);
    RegisterSnapPoints(d, {140, 0, 1}, kCanvas);
    EXPECT_EQ(d.snapPoints.size(), 1u);
}

// ---- look-up ----------------------------------------------------------------------

TEST(FindSnapPoint, FirstRegisteredWinsNotTheNearest)
{
    Drawing d;
    d.AppendLine(line(100, 100, 200, 100));
    d.AppendLine(line(101, 101, 101, 200));
    for (const ElementRef& ref : d.registry)
        RegisterSnapPoints(d, ref, kCanvas);
    const auto hit = FindSnapPoint(d, 101, 101, 5);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->code, 1);
    EXPECT_EQ(hit->index, 0);
    EXPECT_EQ(hit->x, 100);
}

TEST(FindSnapPoint, SquareWindowIncludesItsEdges)
{
    Drawing d;
    d.AppendPoint({0, 1, 0, 0, 50, 50, 1});
    RegisterSnapPoints(d, d.registry[0], kCanvas);
    EXPECT_TRUE(FindSnapPoint(d, 55, 45, 5));
    EXPECT_FALSE(FindSnapPoint(d, 56, 50, 5));
    EXPECT_FALSE(FindSnapPoint(d, 50, 44, 5));
    EXPECT_FALSE(FindSnapPoint(d, std::numeric_limits<int>::min(), 50, 5));
}

TEST(FindSnapPoint, HiddenLayerIsSkippedWithoutARepaint)
{
    Drawing d;
    d.AppendPoint({3, 1, 0, 0, 50, 50, 1});
    d.AppendPoint({4, 1, 0, 0, 52, 50, 1});
    for (const ElementRef& ref : d.registry)
        RegisterSnapPoints(d, ref, kCanvas);
    EXPECT_EQ(FindSnapPoint(d, 50, 50, 5)->layer, 3);
    d.layers[3].visible = false;
    EXPECT_EQ(FindSnapPoint(d, 50, 50, 5)->layer, 4);
    d.layers[4].visible = false;
    EXPECT_FALSE(FindSnapPoint(d, 50, 50, 5));
}

TEST(ClearSnapPoints, EmptiesTheList)
{
    Drawing d;
    d.AppendPoint({0, 1, 0, 0, 50, 50, 1});
    RegisterSnapPoints(d, d.registry[0], kCanvas);
    ClearSnapPoints(d);
    EXPECT_TRUE(d.snapPoints.empty());
    EXPECT_FALSE(FindSnapPoint(d, 50, 50, 5));
}

}  // namespace
