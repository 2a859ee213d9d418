// Picking one element at a click, kind by kind, at the edges of the tolerance;
// the registry walk's tie-break and filters; range selection; select-all and
// span selection; control points.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>

#include "element_builders.h"
#include "geometry/construct.h"
#include "model/selection.h"

using namespace testing_builders;

namespace {

struct PickCase {
    std::string name;
    std::function<void(Drawing&)> build;
    PointD click;
    double tolerance;
    bool picked;
};

std::ostream& operator<<(std::ostream& os, const PickCase& c) { return os << c.name; }

class PickOne : public ::testing::TestWithParam<PickCase> {};

TEST_P(PickOne, ClickPicksOnlyWhereTheElementIsDrawn)
{
    const PickCase& c = GetParam();
    Drawing d;
    c.build(d);
    EXPECT_EQ(SelectAt(d, c.tolerance, c.click.x, c.click.y), c.picked);
    EXPECT_EQ(d.selection.size(), c.picked ? 1u : 0u);
}

void horizontalLine(Drawing& d) { d.AppendLine(line(0, 0, 100, 0)); }
void lineWithWidth(Drawing& d, double width)
{
    const int32_t ref = appendEntry(d.attributes.width, WidthEntry{0, width});
    LineRecord l = line(0, 0, 100, 0);
    l.h.widthRef = ref;
    d.AppendLine(l);
}
auto rect(int fillMode) { return [=](Drawing& d) { d.AppendRect({closedHeader(fillMode), 0, 0, 100, 50}); }; }
auto cornerRect(int fillMode)
{
    return [=](Drawing& d) {
        CornerRectRecord r{closedHeader(fillMode), {1, 1, 1, 1}, 0, 0, 100, 50, {9, 9, 9, 9, 9, 9, 9, 9}};
        d.AppendCornerRect(r);
    };
}
auto circle(int fillMode) { return [=](Drawing& d) { d.AppendCircle({closedHeader(fillMode), 0, 0, 0, 50}); }; }
auto tiltedEllipse(int fillMode)
{
    return [=](Drawing& d) { d.AppendEllipse({closedHeader(fillMode), 0, 100, 100, 40, 20, 30}); };
}
// On screen: a quarter from the top (90 degrees) clockwise to the right (0).
void clockwiseArc(Drawing& d) { d.AppendArc(arc(100, 100, 50, 90, -90)); }
// Major axis pointing up on screen; the sweep runs from its upper end
// clockwise to the minor axis' right end.
void uprightEllipticArc(Drawing& d) { d.AppendEllipticArc(ellipticArc(100, 100, 60, 30, 90, 0, -90)); }
auto pie(int fillMode) { return [=](Drawing& d) { d.AppendPie(sector(200, 200, 50, 50, 0, 0, 90, fillMode)); }; }
void chord(Drawing& d) { d.AppendChord(sector(200, 200, 50, 50, 0, 0, 90)); }
auto outsideShape(double sweep) { return [=](Drawing& d) { d.AppendOutside(sector(300, 300, 50, 50, 0, 0, sweep)); }; }
auto ring(double sweep)
{
    return [=](Drawing& d) { d.AppendRing({closedHeader(0), 0, 0, 50, 50, 30, 30, 0, 0, sweep}); };
}
void polyline(Drawing& d) { d.AppendPolyline({outlineHeader(), {{0, 0}, {100, 0}, {100, 100}}}); }
void polygon(Drawing& d) { d.AppendPolygon({closedHeader(0), {{0, 0}, {100, 0}, {100, 100}}}); }
void fivePointBezier(Drawing& d)
{
    d.AppendBezier({outlineHeader(), {{0, 0}, {100, 0}, {200, 0}, {300, 0}, {300, 100}}});
}
auto text(double angle) { return [=](Drawing& d) { d.AppendText(textBox(100, 100, 50, 20, angle)); }; }

const PointD kOnClockwiseArc = screenCirclePoint({100, 100}, 50, 45);
const PointD kOffClockwiseArc = screenCirclePoint({100, 100}, 50, -45);

INSTANTIATE_TEST_SUITE_P(
    Kinds, PickOne,
    ::testing::Values(
        PickCase{"LineEndExtensionAtTolerance", horizontalLine, {105, 0}, 5, true},
        PickCase{"LineEndSquareCorner", horizontalLine, {-5, -5}, 5, true},
        PickCase{"LineBeyondEndByMoreThanTolerance", horizontalLine, {105.01, 0}, 5, false},
        PickCase{"LineSideWithinToleranceAndHalfWidth", horizontalLine, {50, 5.49}, 5, true},
        PickCase{"LineSideAtToleranceAndHalfWidthIsStrict", horizontalLine, {50, 5.5}, 5, false},
        PickCase{"LineZeroWidthEntryAddsNothing", [](Drawing& d) { lineWithWidth(d, 0); }, {50, 5.2}, 5, false},
        PickCase{"LineWideWidthEntryWidens", [](Drawing& d) { lineWithWidth(d, 10); }, {50, 9.9}, 5, true},
        PickCase{"LineBadWidthRefCountsAsWidthOne",
                 [](Drawing& d) {
                     LineRecord l = line(0, 0, 100, 0);
                     l.h.widthRef = 77;
                     d.AppendLine(l);
                 },
                 {50, 5.49}, 5, true},
        PickCase{"PointWithinHalfSizePlusTolerance",
                 [](Drawing& d) { d.AppendPoint({0, 1, 0, 0, 0, 0, 10}); }, {10, -10}, 5, true},
        PickCase{"PointBeyondHalfSizePlusTolerance",
                 [](Drawing& d) { d.AppendPoint({0, 1, 0, 0, 0, 0, 10}); }, {10.01, 0}, 5, false},
        PickCase{"OutlineRectMiddleMisses", rect(0), {50, 25}, 5, false},
        PickCase{"OutlineRectInsideNearEdge", rect(0), {50, 4.99}, 5, true},
        PickCase{"OutlineRectShrunkBoxEdgeMisses", rect(0), {50, 5}, 5, false},
        PickCase{"OutlineRectOutsideAtTolerance", rect(0), {50, -5}, 5, true},
        PickCase{"OutlineRectOutsideBeyondTolerance", rect(0), {50, -5.01}, 5, false},
        PickCase{"FilledRectMiddle", rect(1), {50, 25}, 5, true},
        PickCase{"FilledOutlinedRectMiddle", rect(2), {50, 25}, 5, true},
        PickCase{"CornerRectIgnoresItsCuts", cornerRect(0), {1, 1}, 5, true},
        PickCase{"CornerRectOutlineMiddleMisses", cornerRect(0), {50, 25}, 5, false},
        PickCase{"CircleOutlineAtOuterTolerance", circle(0), {55, 0}, 5, true},
        PickCase{"CircleOutlineBeyondOuterTolerance", circle(0), {55.01, 0}, 5, false},
        PickCase{"CircleOutlineInsideInnerTolerance", circle(0), {44.99, 0}, 5, false},
        PickCase{"CircleFilledCentre", circle(1), {0, 0}, 5, true},
        PickCase{"EllipseMajorAxisEndTiltedUpRight", tiltedEllipse(0),
                 screenEllipsePoint({100, 100}, 40, 20, 30, 0), 2, true},
        PickCase{"EllipseMinorAxisEndTilted", tiltedEllipse(0),
                 screenEllipsePoint({100, 100}, 40, 20, 30, 90), 2, true},
        PickCase{"EllipseMirroredTiltMisses", tiltedEllipse(0),
                 screenEllipsePoint({100, 100}, 40, 20, -30, 0), 2, false},
        PickCase{"EllipseUntiltedPositionMisses", tiltedEllipse(0), {140, 100}, 2, false},
        PickCase{"EllipseOutlineCentreMisses", tiltedEllipse(0), {100, 100}, 2, false},
        PickCase{"EllipseFilledCentre", tiltedEllipse(1), {100, 100}, 2, true},
        PickCase{"ArcNegativeSweepInside", clockwiseArc, kOnClockwiseArc, 2, true},
        PickCase{"ArcNegativeSweepMirrorMisses", clockwiseArc, kOffClockwiseArc, 2, false},
        PickCase{"ArcOffRadiusMisses", clockwiseArc, screenCirclePoint({100, 100}, 40, 45), 2, false},
        PickCase{"EllipticArcTiltedNegativeSweepInside", uprightEllipticArc,
                 screenEllipsePoint({100, 100}, 60, 30, 90, -45), 2, true},
        PickCase{"EllipticArcTiltedNegativeSweepMirrorMisses", uprightEllipticArc,
                 screenEllipsePoint({100, 100}, 60, 30, 90, 45), 2, false},
        PickCase{"EllipticArcOppositeSideMisses", uprightEllipticArc,
                 screenEllipsePoint({100, 100}, 60, 30, 90, 135), 2, false},
        PickCase{"PieOutlineOnArc", pie(0), screenCirclePoint({200, 200}, 50, 45), 2, true},
        PickCase{"PieOutlineRadiusIsNoTarget", pie(0), {225, 200}, 2, false},
        PickCase{"PieFilledInside", pie(1), {220, 190}, 2, true},
        PickCase{"PieFilledOutsideSweep", pie(1), {220, 210}, 2, false},
        PickCase{"ChordOnItsChord", chord, {225, 175}, 2, true},
        PickCase{"ChordInsideAwayFromOutline", chord, {210, 190}, 2, false},
        PickCase{"ChordOnArc", chord, screenCirclePoint({200, 200}, 50, 60), 2, true},
        PickCase{"OutsideShapeVerticalEdge", outsideShape(90), {350, 275}, 2, true},
        PickCase{"OutsideShapeHorizontalEdge", outsideShape(90), {325, 250}, 2, true},
        PickCase{"OutsideShapeBetweenArcAndCorner", outsideShape(90), {340, 260}, 2, false},
        PickCase{"OutsideShapeSecondPieceEdge", outsideShape(180), {250, 280}, 2, true},
        PickCase{"OutsideShapeNegativeSweepEdge", outsideShape(-90), {350, 330}, 2, true},
        PickCase{"OutsideShapeNegativeSweepNoUpperEdge", outsideShape(-90), {350, 270}, 2, false},
        PickCase{"RingFullOnInnerCircle", ring(360), {30, 0}, 2, true},
        PickCase{"RingFullBetweenCircles", ring(360), {40, 0}, 2, false},
        PickCase{"RingPartialOuterInSweep", ring(90), screenCirclePoint({0, 0}, 50, 45), 2, true},
        PickCase{"RingPartialInnerOutsideSweep", ring(90), {-30, 0}, 2, false},
        PickCase{"PolylineVertexSquare", polyline, {105, 105}, 5, true},
        PickCase{"PolylineSecondSegment", polyline, {104, 50}, 5, true},
        PickCase{"PolylineHasNoClosingSegment", polyline, {50, 50}, 5, false},
        PickCase{"PolygonClosingSegment", polygon, {50, 50}, 5, true},
        PickCase{"BezierThirdControlSegment", fivePointBezier, {250, 3}, 5, true},
        PickCase{"BezierFifthPointIsIgnored", fivePointBezier, {300, 100}, 5, false},
        PickCase{"BezierSegmentToFifthPointIsIgnored", fivePointBezier, {300, 50}, 5, false},
        PickCase{"TextBoxRisesAboveItsBaseCorner", text(0), {120, 85}, 2, true},
        PickCase{"TextBelowBaseCornerMisses", text(0), {120, 105}, 2, false},
        PickCase{"TextBoxTurnedUpright", text(90), {90, 60}, 2, true},
        PickCase{"TextTurnedBoxRightOfBaseMisses", text(90), {110, 60}, 2, false}),
    [](const auto& info) { return info.param.name; });

TEST(SelectAt, OldestElementWinsOverHigherLayerDrawnOnTop)
{
    Drawing d;
    d.AppendLine(line(0, 0, 100, 100, 7));
    d.AppendLine(line(0, 100, 100, 0, 0));
    ASSERT_TRUE(SelectAt(d, 5, 50, 50));
    ASSERT_EQ(d.selection.size(), 1u);
    EXPECT_EQ(d.selection[0].registryPosition, 0);
}

TEST(SelectAt, SkipsDeadElementsAndHiddenLayers)
{
    Drawing d;
    d.AppendLine(line(0, 0, 100, 100, 0));
    d.AppendLine(line(0, 100, 100, 0, 1));
    d.AppendLine(line(0, 50, 100, 50, 2));
    d.markDead(0);
    d.layers[1].visible = false;
    ASSERT_TRUE(SelectAt(d, 5, 50, 50));
    EXPECT_EQ(d.selection[0].registryPosition, 2);
    d.layers[2].visible = false;
    ClearSelection(d);
    EXPECT_FALSE(SelectAt(d, 5, 50, 50));
    EXPECT_TRUE(d.selection.empty());
    EXPECT_TRUE(d.controlPoints.empty());
}

TEST(SelectAt, LayerOutsideTheTableAndBadIndicesAreNeverPicked)
{
    Drawing d;
    d.AppendLine(line(0, 0, 100, 0, 300));
    d.registry.push_back({static_cast<int32_t>(ElementKind::Circle), 5, 1});
    d.registry.push_back({140, 0, 1});
    EXPECT_FALSE(SelectAt(d, 5, 50, 0));
    EXPECT_FALSE(SelectInRange(d, -1e9, -1e9, 1e9, 1e9));
    EXPECT_FALSE(SelectAll(d));
}

TEST(SelectAt, OnePickFillsTheControlPoints)
{
    Drawing d;
    d.AppendLine(line(0, 0, 100, 0));
    ASSERT_TRUE(SelectAt(d, 5, 50, 0));
    ASSERT_EQ(d.controlPoints.size(), 2u);
    EXPECT_EQ(d.controlPoints[1].code, 100);
    EXPECT_EQ(d.controlPoints[1].x, 100);
}

// ---- range selection ----------------------------------------------------------

TEST(SelectInRange, CornerOrderDoesNotMatter)
{
    for (bool reversed : {false, true}) {
        Drawing d;
        d.AppendRect({closedHeader(0), 10, 10, 20, 20});
        d.AppendRect({closedHeader(0), 10, 10, 60, 20});
        const bool any = reversed ? SelectInRange(d, 50, 50, 0, 0) : SelectInRange(d, 0, 0, 50, 50);
        ASSERT_TRUE(any);
        ASSERT_EQ(d.selection.size(), 1u) << "reversed " << reversed;
        EXPECT_EQ(d.selection[0].registryPosition, 0);
    }
}

TEST(SelectInRange, TouchingTheBorderIsInsideCrossingIsNot)
{
    Drawing d;
    d.AppendLine(line(0, 0, 100, 0));
    d.AppendLine(line(-0.001, 5, 100, 5));
    d.AppendCircle({closedHeader(0), 0, 50, 0, 10});  // box touches x = 40..60, y = -10..10
    ASSERT_TRUE(SelectInRange(d, 0, -10, 100, 10));
    ASSERT_EQ(d.selection.size(), 2u);
    EXPECT_EQ(d.selection[0].registryPosition, 0);
    EXPECT_EQ(d.selection[1].registryPosition, 2);
    EXPECT_TRUE(d.controlPoints.empty());
}

TEST(SelectInRange, ArcInsideWhileItsFullCircleSticksOut)
{
    Drawing d;
    d.AppendArc(arc(0, 0, 100, 30, 30));   // 86.6,-50 .. 50,-86.6
    d.AppendArc(arc(0, 0, 100, 60, -30));  // the same drawn backwards
    ASSERT_TRUE(SelectInRange(d, 40, -90, 90, -40));
    EXPECT_EQ(d.selection.size(), 2u);
}

TEST(SelectInRange, ArcNeedsTheQuadrantPointsItPasses)
{
    Drawing d;
    d.AppendArc(arc(0, 0, 100, 80, 20));  // ends at y -98.5, top at (0, -100)
    EXPECT_FALSE(SelectInRange(d, -20, -99, 20, -90));
    EXPECT_TRUE(SelectInRange(d, -20, -101, 20, -90));
}

TEST(SelectInRange, TiltedEllipseUsesItsTurnedBox)
{
    Drawing d;
    d.AppendEllipse({closedHeader(0), 0, 0, 0, 40, 10, 90});  // upright on screen
    d.AppendEllipse({closedHeader(0), 0, 0, 0, 40, 10, 0});
    ASSERT_TRUE(SelectInRange(d, -12, -42, 12, 42));
    ASSERT_EQ(d.selection.size(), 1u);
    EXPECT_EQ(d.selection[0].registryPosition, 0);
}

TEST(SelectInRange, ClockwiseEllipticArcLiesBelowItsCentre)
{
    Drawing d;
    d.AppendEllipticArc(ellipticArc(0, 0, 50, 50, 0, 0, -90));
    EXPECT_FALSE(SelectInRange(d, -1, -51, 51, 1));
    EXPECT_TRUE(SelectInRange(d, -1, -1, 51, 51));
}

TEST(SelectInRange, PieNeedsItsCentreChordDoesNot)
{
    Drawing d;
    d.AppendPie(sector(0, 0, 100, 100, 0, 30, 30));
    d.AppendChord(sector(0, 0, 100, 100, 0, 30, 30));
    ASSERT_TRUE(SelectInRange(d, 45, -90, 90, -45));
    ASSERT_EQ(d.selection.size(), 1u);
    EXPECT_EQ(d.selection[0].kind, 200);
}

TEST(SelectInRange, OutsideShapeIncludesItsTangentCorners)
{
    Drawing d;
    // Arc box x 35.4..50, y -35.4..35.4; the tangents meet at (70.7, 0).
    d.AppendOutside(sector(0, 0, 50, 50, 0, -45, 90));
    EXPECT_FALSE(SelectInRange(d, 30, -40, 55, 40));
    EXPECT_TRUE(SelectInRange(d, 30, -40, 75, 40));
}

TEST(SelectInRange, BezierTrailingPointIsIgnored)
{
    Drawing d;
    d.AppendBezier({outlineHeader(), {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {500, 500}}});
    EXPECT_TRUE(SelectInRange(d, -1, -1, 31, 1));
}

TEST(SelectInRange, RotatedTextBoxCorners)
{
    Drawing d;
    d.AppendText(textBox(100, 100, 50, 20, 90));  // x 80..100, y 50..100 on screen
    EXPECT_TRUE(SelectInRange(d, 79, 49, 101, 101));
    ClearSelection(d);
    EXPECT_FALSE(SelectInRange(d, 79, 49, 101, 99));
}

TEST(SelectInRange, SkipsHiddenLayersAndDeadElements)
{
    Drawing d;
    d.AppendLine(line(0, 0, 10, 0, 3));
    d.AppendLine(line(0, 1, 10, 1, 4));
    d.AppendLine(line(0, 2, 10, 2, 4));
    d.layers[3].visible = false;
    d.markDead(2);
    ASSERT_TRUE(SelectInRange(d, -1, -1, 11, 3));
    ASSERT_EQ(d.selection.size(), 1u);
    EXPECT_EQ(d.selection[0].registryPosition, 1);
}

// ---- select-all, span, clear ---------------------------------------------------

TEST(SelectAll, TakesEveryLiveVisibleElementAndSurvivesLaterHiding)
{
    Drawing d;
    for (int layer : {0, 1, 2})
        d.AppendLine(line(0, layer, 10, layer, layer));
    d.layers[1].visible = false;
    ASSERT_TRUE(SelectAll(d));
    ASSERT_EQ(d.selection.size(), 2u);
    EXPECT_EQ(d.selection[1].registryPosition, 2);
    d.layers[2].visible = false;
    EXPECT_EQ(d.selection.size(), 2u);  // hiding leaves an earlier selection alone
}

TEST(SelectRegistrySpan, ClipsToTheRegistryAndRefusesReversedSpans)
{
    Drawing d;
    for (int i = 0; i < 4; ++i)
        d.AppendLine(line(0, i, 10, i));
    EXPECT_FALSE(SelectRegistrySpan(d, 3, 2));
    EXPECT_TRUE(d.selection.empty());
    ASSERT_TRUE(SelectRegistrySpan(d, 2, 100));
    ASSERT_EQ(d.selection.size(), 2u);
    EXPECT_EQ(d.selection[0].registryPosition, 2);
    ClearSelection(d);
    ASSERT_TRUE(SelectRegistrySpan(d, -5, 0));
    ASSERT_EQ(d.selection.size(), 1u);
    EXPECT_EQ(d.controlPoints.size(), 2u);
    ClearSelection(d);
    EXPECT_FALSE(SelectRegistrySpan(d, -5, -2));
    EXPECT_FALSE(SelectRegistrySpan(d, 4, 9));
}

// ---- control points -------------------------------------------------------------

struct GripCase {
    std::string name;
    std::function<void(Drawing&)> build;
    int code;
    size_t count;
};

std::ostream& operator<<(std::ostream& os, const GripCase& c) { return os << c.name; }

class Grips : public ::testing::TestWithParam<GripCase> {};

TEST_P(Grips, CodeNamesTheConstructionMethod)
{
    const GripCase& c = GetParam();
    Drawing d;
    c.build(d);
    ASSERT_TRUE(SelectAll(d));
    ASSERT_EQ(d.controlPoints.size(), c.count);
    for (const ControlPoint& p : d.controlPoints) {
        EXPECT_EQ(p.code, c.code);
        EXPECT_EQ(p.registryPosition, 0);
        EXPECT_EQ(p.index, 0);
    }
}

auto circleMethod(int m) { return [=](Drawing& d) { d.AppendCircle({closedHeader(0), m, 0, 0, 10}); }; }
auto ellipseMethod(int m) { return [=](Drawing& d) { d.AppendEllipse({closedHeader(0), m, 0, 0, 10, 5}); }; }
auto arcMethod(int m)
{
    return [=](Drawing& d) {
        ArcRecord a = arc(0, 0, 10, 0, 90);
        a.method = m;
        d.AppendArc(a);
    };
}
auto ellipticArcMethod(int m)
{
    return [=](Drawing& d) {
        EllipticArcRecord a = ellipticArc(0, 0, 10, 5, 0, 0, 90);
        a.method = m;
        d.AppendEllipticArc(a);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Grips,
    ::testing::Values(
        GripCase{"Point", [](Drawing& d) { d.AppendPoint({}); }, 110, 1},
        GripCase{"Rect", rect(0), 120, 4},
        GripCase{"CornerRect", cornerRect(0), 130, 4},
        GripCase{"CircleMethod0", circleMethod(0), 150, 2},
        GripCase{"CircleMethod1", circleMethod(1), 151, 3},
        GripCase{"CircleMethod3", circleMethod(3), 152, 4},
        GripCase{"EllipseMethod0", ellipseMethod(0), 160, 2},
        GripCase{"EllipseMethod4", ellipseMethod(4), 164, 3},
        GripCase{"EllipseMethodOverflowing", ellipseMethod(INT32_MAX), 160, 3},
        GripCase{"ArcMethod0", arcMethod(0), 170, 3},
        GripCase{"ArcMethod2", arcMethod(2), 171, 4},
        GripCase{"EllipticArcMethod0", ellipticArcMethod(0), 180, 3},
        GripCase{"EllipticArcMethod1", ellipticArcMethod(1), 181, 5},
        GripCase{"EllipticArcMethod2", ellipticArcMethod(2), 182, 5},
        GripCase{"EllipticArcUnknownMethod", ellipticArcMethod(7), 180, 3},
        GripCase{"Pie", pie(0), 190, 3},
        GripCase{"Chord", chord, 200, 3},
        GripCase{"Outside", outsideShape(90), 210, 3},
        GripCase{"Ring", ring(90), 220, 4},
        GripCase{"Polygon", polygon, 310, 3},
        GripCase{"BezierKeepsEveryStoredPoint", fivePointBezier, 320, 5},
        GripCase{"Text", text(0), 400, 1}),
    [](const auto& info) { return info.param.name; });

TEST(ControlPoints, TiltedEllipseCornerAndArcPointsLieAsDrawn)
{
    Drawing d;
    d.AppendEllipse({closedHeader(0), 0, 0, 0, 40, 20, 30});
    d.AppendPie(sector(0, 0, 40, 20, 30, 10, -100));
    BuildControlPoints(d, 160, 0, 0);
    ASSERT_EQ(d.controlPoints.size(), 2u);
    const double t = 30 * std::numbers::pi / 180;
    EXPECT_NEAR(d.controlPoints[1].x, 40 * std::cos(t) + 20 * std::sin(t), 1e-9);
    EXPECT_NEAR(d.controlPoints[1].y, -40 * std::sin(t) + 20 * std::cos(t), 1e-9);

    d.controlPoints.clear();
    BuildControlPoints(d, 190, 0, 1);
    ASSERT_EQ(d.controlPoints.size(), 3u);
    const PointD start = screenEllipsePoint({0, 0}, 40, 20, 30, 10);
    const PointD end = screenEllipsePoint({0, 0}, 40, 20, 30, -90);
    EXPECT_NEAR(d.controlPoints[1].x, start.x, 1e-9);
    EXPECT_NEAR(d.controlPoints[1].y, start.y, 1e-9);
    EXPECT_NEAR(d.controlPoints[2].x, end.x, 1e-9);
    EXPECT_NEAR(d.controlPoints[2].y, end.y, 1e-9);
    EXPECT_EQ(d.controlPoints[2].registryPosition, 1);
}

TEST(ControlPoints, EllipticArcMethodTwoGripsStandTenUnitsOut)
{
    Drawing d;
    EllipticArcRecord a = ellipticArc(100, 100, 50, 50, 0, 0, 90);
    a.method = 2;
    a.startX = 150, a.startY = 100;  // on the circle at 0 degrees
    a.endX = 100, a.endY = 50;       // at 90 degrees
    d.AppendEllipticArc(a);
    BuildControlPoints(d, 180, 0, 0);
    ASSERT_EQ(d.controlPoints.size(), 5u);
    EXPECT_NEAR(d.controlPoints[3].x, 160, 1e-9);
    EXPECT_NEAR(d.controlPoints[3].y, 100, 1e-9);
    EXPECT_NEAR(d.controlPoints[4].x, 100, 1e-9);
    EXPECT_NEAR(d.controlPoints[4].y, 40, 1e-9);
}

TEST(ControlPoints, RingAddsTheInnerStartAndBadRefsAddNothing)
{
    Drawing d;
    d.AppendRing({closedHeader(0), 0, 0, 50, 50, 30, 30, 0, 90, 90});
    BuildControlPoints(d, 220, 0, 0);
    ASSERT_EQ(d.controlPoints.size(), 4u);
    EXPECT_NEAR(d.controlPoints[3].x, 0, 1e-9);
    EXPECT_NEAR(d.controlPoints[3].y, -30, 1e-9);
    BuildControlPoints(d, 220, 1, 0);
    BuildControlPoints(d, 140, 0, 0);
    EXPECT_EQ(d.controlPoints.size(), 4u);
}

}  // namespace

// ---- differential: the fast rejects never change an outcome ----------------------

namespace differential {

// The pick rules written out plainly with the kernel's functions, without any
// early reject: the band test of an elliptic arc and the segment test.
bool referenceEllipticArcPick(const EllipticArcRecord& r, double tol, PointD p)
{
    const PointD c{r.cx, r.cy};
    auto nd = [&](PointD q) { return EllipseRadiusOfPoint(q, c, r.rx, r.ry, -r.tilt); };
    const double theta = EllipseAngleOfPointDeg(p, c, r.rx, r.ry, -r.tilt);
    const PointD outer = PointOnEllipseDeg(c, r.rx + tol, r.ry + tol, -r.tilt, theta);
    const PointD inner = PointOnEllipseDeg(c, std::max(0.5, r.rx - tol), std::max(0.5, r.ry - tol), -r.tilt, theta);
    return nd(p) <= nd(outer) && nd(p) >= nd(inner) && AngleInSweep(360 - theta, r.startAngle, r.sweepAngle);
}

bool referenceLinePick(const LineRecord& r, double tol, double width, PointD p)
{
    const PointD a{r.x1, r.y1}, b{r.x2, r.y2};
    for (PointD q : {a, b})
        if (std::fabs(q.x - p.x) <= tol && std::fabs(q.y - p.y) <= tol)
            return true;
    const SegmentFoot f = FootOnSegment(a, b, p);
    return f.onSegment && f.distance < tol + width / 2;
}

TEST(PickDifferential, EllipticArcsAgreeWithThePlainRule)
{
    std::mt19937 rng(7);
    auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    int hits = 0;
    for (int i = 0; i < 3000; ++i) {
        Drawing d;
        const EllipticArcRecord r = ellipticArc(uni(-50, 50), uni(-50, 50), uni(0.1, 80), uni(0.1, 80),
                                                uni(-180, 180), uni(-360, 360), uni(-360, 360));
        d.AppendEllipticArc(r);
        const double tol = uni(0.5, 8);
        const PointD p = screenEllipsePoint({r.cx, r.cy}, r.rx + uni(-10, 10), r.ry + uni(-10, 10), r.tilt,
                                            uni(0, 360));
        const bool expected = referenceEllipticArcPick(r, tol, p);
        hits += expected;
        ASSERT_EQ(SelectAt(d, tol, p.x, p.y), expected) << "case " << i;
    }
    EXPECT_GT(hits, 300);  // the sample must exercise both outcomes
    EXPECT_LT(hits, 2700);
}

TEST(PickDifferential, LinesAgreeWithThePlainRule)
{
    std::mt19937 rng(11);
    auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    int hits = 0;
    for (int i = 0; i < 3000; ++i) {
        Drawing d;
        const double width = uni(0, 6);
        const LineRecord r{outlineHeader(0, appendEntry(d.attributes.width, WidthEntry{0, width})), uni(-1e4, 1e4),
                           uni(-1e4, 1e4), uni(-1e4, 1e4), uni(-1e4, 1e4)};
        d.AppendLine(r);
        const double t = uni(-0.1, 1.1);
        const PointD p{r.x1 + t * (r.x2 - r.x1) + uni(-8, 8), r.y1 + t * (r.y2 - r.y1) + uni(-8, 8)};
        const bool expected = referenceLinePick(r, 5, width, p);
        hits += expected;
        ASSERT_EQ(SelectAt(d, 5, p.x, p.y), expected) << "case " << i;
    }
    EXPECT_GT(hits, 300);
    EXPECT_LT(hits, 2700);
}

TEST(RangeDifferential, EllipticArcsAgreeWithTheirSampledBox)
{
    std::mt19937 rng(5);
    auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    int inside = 0;
    for (int i = 0; i < 3000; ++i) {
        Drawing d;
        const EllipticArcRecord r = ellipticArc(0, 0, uni(1, 60), uni(1, 60), uni(-180, 180), uni(-360, 360),
                                                uni(-360, 360));
        d.AppendEllipticArc(r);
        const double x1 = uni(-70, 10), y1 = uni(-70, 10), x2 = uni(-10, 70), y2 = uni(-10, 70);
        const BoundsD b = EllipseArcBoundsDeg({0, 0}, r.rx, r.ry, -r.tilt, -r.startAngle, -r.sweepAngle);
        const bool expected = b.minX > std::min(x1, x2) && b.maxX < std::max(x1, x2) &&
                              b.minY > std::min(y1, y2) && b.maxY < std::max(y1, y2);
        inside += expected;
        ASSERT_EQ(SelectInRange(d, x1, y1, x2, y2), expected)
            << "case " << i << " r " << r.rx << " " << r.ry << " " << r.tilt << " " << r.startAngle << " "
            << r.sweepAngle << " range " << x1 << " " << y1 << " " << x2 << " " << y2 << " box " << b.minX << " "
            << b.minY << " " << b.maxX << " " << b.maxY;
    }
    EXPECT_GT(inside, 300);
    EXPECT_LT(inside, 2700);
}

}  // namespace differential
