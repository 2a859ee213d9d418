// Pixel tests of the element renderers: geometry and orientation (angles and
// tilts counter-clockwise on screen), minimum sizes, fill before outline, the
// step rules of Beziers and splines, and the highlight override.
#include <cmath>

#include "render/renderers.h"
#include "render/renderers_p.h"
#include "tests/render/render_canvas.h"

using namespace render_test;

namespace {

// --- minimum sizes ------------------------------------------------------------------

struct LineRow {
    const char* name;
    double dx, dy;
    bool drawn;
};

class LineMinimum : public ::testing::TestWithParam<LineRow> {};

TEST_P(LineMinimum, LineIsDrawnOnlyBeyondTwoPixels)
{
    Canvas c;
    const LineRow row = GetParam();
    RenderLine(c.g, -1, c.view, LineRecord{outlineHeader(), 50, 50, 50 + row.dx, 50 + row.dy});
    EXPECT_EQ(c.count(kBlack) > 0, row.drawn);
}

INSTANTIATE_TEST_SUITE_P(Rows, LineMinimum,
                         ::testing::Values(LineRow{"two_by_one", 2, 1, false}, LineRow{"three_by_one", 3, 1, true},
                                           LineRow{"vertical_three", 0, -3, true},
                                           LineRow{"point_like", 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RectangleMinimum, NeedsMoreThanTwoPixelsInBothDirections)
{
    Canvas thin;
    RenderRectangle(thin.g, -1, thin.view, RectRecord{closedHeader(0), 10, 10, 60, 12});
    EXPECT_EQ(thin.count(kBlack), 0);
    Canvas wide;
    RenderRectangle(wide.g, -1, wide.view, RectRecord{closedHeader(0), 10, 10, 60, 13});
    EXPECT_GT(wide.count(kBlack), 0);
}

TEST(CircleMinimum, TinyRadiusIsDrawnAsTwoPixels)
{
    Canvas c;
    RenderCircle(c.g, -1, c.view, CircleRecord{closedHeader(0), 0, 50, 50, 0.5});
    const QRect ink = c.inked();
    EXPECT_EQ(ink.width(), 5) << "diameter 4 plus the one-pixel pen";
    EXPECT_EQ(ink.center(), QPoint(50, 50));
}

// --- orientation ----------------------------------------------------------------------

struct ArcRow {
    const char* name;
    double start, sweep;
    QPoint inside, outside;  // offsets from the centre on the circle of radius 30
};

class ArcOrientation : public ::testing::TestWithParam<ArcRow> {};

TEST_P(ArcOrientation, AnglesRunCounterClockwiseOnScreen)
{
    const ArcRow row = GetParam();
    Canvas c;
    RenderArc(c.g, -1, c.view, ArcRecord{outlineHeader(), 0, 60, 60, 30, row.start, row.sweep});
    EXPECT_TRUE(c.near(60 + row.inside.x(), 60 + row.inside.y(), kBlack, 2));
    EXPECT_FALSE(c.near(60 + row.outside.x(), 60 + row.outside.y(), kBlack, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ArcOrientation,
    ::testing::Values(ArcRow{"upper_right", 0, 90, {21, -21}, {21, 21}},
                      ArcRow{"negative_sweep_lower_right", 0, -90, {21, 21}, {21, -21}},
                      ArcRow{"upper_left", 90, 90, {-21, -21}, {21, -21}},
                      ArcRow{"from_270_back", 270, -90, {-21, 21}, {21, 21}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EllipticArc, SameOrientationAsCircleArc)
{
    Canvas c;
    RenderEllipticArc(c.g, -1, c.view, EllipticArcRecord{outlineHeader(), 0, 60, 60, 40, 20, 0, 0, 90});
    EXPECT_TRUE(c.near(60, 40, kBlack, 1)) << "90 degrees is the top of the ellipse";
    EXPECT_FALSE(c.near(60, 80, kBlack, 2));
}

TEST(Ellipse, PositiveTiltTurnsCounterClockwise)
{
    Canvas c;
    RenderEllipse(c.g, -1, c.view, EllipseRecord{closedHeader(0), 0, 60, 60, 40, 10, 30});
    // The major axis end at 30 degrees: (60 + 40 cos 30, 60 - 40 sin 30).
    EXPECT_TRUE(c.near(95, 40, kBlack, 1));
    EXPECT_FALSE(c.near(95, 80, kBlack, 2));
    EXPECT_FALSE(c.near(100, 60, kBlack, 2)) << "the untilted axis end is empty";
}

TEST(Ellipse, TiltOf360IsNoTilt)
{
    Canvas turned, plain;
    RenderEllipse(turned.g, -1, turned.view, EllipseRecord{closedHeader(2), 0, 60, 60, 40, 10, 360});
    RenderEllipse(plain.g, -1, plain.view, EllipseRecord{closedHeader(2), 0, 60, 60, 40, 10, 0});
    EXPECT_EQ(turned.done(), plain.done());
}

// --- fill then outline -------------------------------------------------------------------

TEST(FillMode, FillIsPaintedBeforeTheOutline)
{
    Canvas c;
    RenderRectangle(c.g, -1, c.view, RectRecord{closedHeader(2), 20, 20, 80, 80});
    EXPECT_EQ(c.at(20, 50), kBlack) << "outline on top of the fill";
    EXPECT_EQ(c.at(50, 50), kRed);
    EXPECT_EQ(c.at(85, 50), kWhite);
}

TEST(FillMode, FillOnlyHasNoOutline)
{
    Canvas c;
    RenderCircle(c.g, -1, c.view, CircleRecord{closedHeader(1), 0, 60, 60, 30});
    EXPECT_EQ(c.count(kBlack), 0);
    EXPECT_EQ(c.at(60, 60), kRed);
}

TEST(Highlight, LevelZeroPaintsOutlineAndFillRed)
{
    Canvas c;
    ClosedHeader h = closedHeader(2, 1);
    h.penRef = 1;
    RenderPolygon(c.g, 0, c.view, ClosedPathRecord{h, {{20, 20}, {90, 30}, {60, 90}}});
    EXPECT_GT(c.count(kRed), 500);
    EXPECT_EQ(c.count(kBlue) + c.count(kGreen), 0);
}

// --- arcs, pies, rings -------------------------------------------------------------------

TEST(Pie, CoversItsSectorOnly)
{
    Canvas c;
    RenderPie(c.g, -1, c.view, SectorRecord{closedHeader(1), 60, 60, 40, 40, 0, 0, 90});
    EXPECT_EQ(c.at(75, 45), kRed);
    EXPECT_EQ(c.at(45, 75), kWhite);
    EXPECT_EQ(c.at(75, 75), kWhite);
}

TEST(Chord, LeavesTheTriangleToTheCentreEmpty)
{
    Canvas c;
    RenderChord(c.g, -1, c.view, SectorRecord{closedHeader(1), 60, 60, 40, 40, 0, 0, 90});
    EXPECT_EQ(c.at(64, 56), kWhite);
    EXPECT_EQ(c.at(85, 35), kRed);
}

TEST(Ring, FullRingLeavesTheInsideEmpty)
{
    for (const double sweep : {360.0, -360.0}) {
        Canvas c;
        RenderRing(c.g, -1, c.view, RingRecord{closedHeader(1), 60, 60, 40, 40, 20, 20, 0, 0, sweep});
        EXPECT_EQ(c.at(60, 60), kWhite) << sweep;
        EXPECT_EQ(c.at(90, 60), kRed) << sweep;
        EXPECT_EQ(c.at(60, 30), kRed) << sweep;
    }
}

TEST(Ring, SectorCoversItsSweepOnly)
{
    Canvas c;
    RenderRing(c.g, -1, c.view, RingRecord{closedHeader(1), 60, 60, 40, 40, 20, 20, 0, 0, 180});
    EXPECT_EQ(c.at(60, 30), kRed) << "top half";
    EXPECT_EQ(c.at(60, 90), kWhite) << "bottom half";
    EXPECT_EQ(c.at(60, 60), kWhite);
}

TEST(Ring, AlmostFullSweepIsASector)
{
    Canvas c;
    RenderRing(c.g, -1, c.view, RingRecord{closedHeader(0), 60, 60, 40, 40, 20, 20, 0, 10, 359.9});
    // A sector polygon joins the two arcs along its start and end radii.
    EXPECT_TRUE(c.near(60 + 30 * std::cos(0.1745), 60 - 30 * std::sin(0.1745), kBlack, 1));
}

TEST(OutsideShape, FillsBetweenArcAndTangents)
{
    Canvas c;
    RenderOutsideShape(c.g, -1, c.view, SectorRecord{closedHeader(1), 50, 70, 40, 40, 0, 0, 90});
    EXPECT_EQ(c.at(85, 35), kRed) << "near the tangent corner (90, 30)";
    EXPECT_EQ(c.at(65, 55), kWhite) << "inside the circle";
    EXPECT_EQ(c.at(95, 25), kWhite) << "beyond the corner";
}

TEST(OutsideShape, HalfTurnIsTwoQuarterFigures)
{
    Canvas c;
    RenderOutsideShape(c.g, -1, c.view, SectorRecord{closedHeader(1), 60, 70, 30, 30, 0, 0, 180});
    EXPECT_EQ(c.at(86, 44), kRed) << "corner region of the first quarter";
    EXPECT_EQ(c.at(34, 44), kRed) << "corner region of the second quarter";
    EXPECT_EQ(c.at(60, 60), kWhite);
}

// --- cornered rectangles ------------------------------------------------------------------

struct CornerRow {
    const char* name;
    int type;
    QPoint white, red;  // probes near the top-left corner of the box (20, 20)-(100, 100);
                      // types 3 and 6 stick out of the box, so their white probe lies beyond the figure
};

class CorneredRectangle : public ::testing::TestWithParam<CornerRow> {};

TEST_P(CorneredRectangle, TopLeftCornerHasItsFigure)
{
    const CornerRow row = GetParam();
    Canvas c;
    CornerRectRecord r{closedHeader(1), {row.type, 0, 0, 0}, 20, 20, 100, 100, {12, 12, 0, 0, 0, 0, 0, 0}};
    RenderCorneredRectangle(c.g, -1, c.view, r);
    if (!row.white.isNull()) {
        EXPECT_EQ(c.at(row.white.x(), row.white.y()), kWhite);
    }
    EXPECT_EQ(c.at(row.red.x(), row.red.y()), kRed);
    EXPECT_EQ(c.at(98, 22), kRed) << "the other corners stay square";
}

INSTANTIATE_TEST_SUITE_P(Rows, CorneredRectangle,
                         ::testing::Values(CornerRow{"chamfer", 1, {22, 22}, {30, 30}},
                                           CornerRow{"inward_step", 2, {30, 30}, {34, 22}},
                                           CornerRow{"outward_square", 3, {6, 6}, {12, 12}},
                                           CornerRow{"round", 4, {22, 22}, {27, 27}},
                                           CornerRow{"concave", 5, {26, 26}, {35, 35}},
                                           CornerRow{"around_outside", 6, {10, 10}, {12, 20}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CorneredRectangleOutline, QuarterArcHasEighteenSteps)
{
    CornerRectRecord r{closedHeader(0), {4, 0, 0, 0}, 0, 0, 100, 50, {10, 10, 0, 0, 0, 0, 0, 0}};
    const auto outline = render_detail::CornerRectOutline(r, ViewTransform{});
    // 19 arc points at the rounded corner and two edge ends at each of the others.
    EXPECT_EQ(outline.polygon.size(), 19 + 3 * 2);
    EXPECT_EQ(outline.frameCount, 4);
}

// --- point lists ---------------------------------------------------------------------------

TEST(Bezier, TrailingPointsThatDoNotCompleteASegmentAreIgnored)
{
    Canvas c;
    RenderBezier(c.g, -1, c.view, OpenPathRecord{outlineHeader(), {{10, 10}, {40, 10}, {70, 10}, {100, 10}, {100, 100}}});
    EXPECT_TRUE(c.near(55, 10, kBlack, 0));
    EXPECT_FALSE(c.near(100, 60, kBlack, 2));
}

TEST(Bezier, FewerThanFourPointsAreAPolyline)
{
    Canvas c;
    RenderBezier(c.g, -1, c.view, OpenPathRecord{outlineHeader(), {{10, 10}, {100, 10}, {100, 100}}});
    EXPECT_TRUE(c.near(55, 10, kBlack, 0));
    EXPECT_TRUE(c.near(100, 60, kBlack, 0));
}

TEST(Splines, TwoPointSplinesAreLineSegments)
{
    Canvas line, open, closed;
    RenderLine(line.g, -1, line.view, LineRecord{outlineHeader(), 10, 20, 100, 90});
    RenderOpenSpline(open.g, -1, open.view, OpenPathRecord{outlineHeader(), {{10, 20}, {100, 90}}});
    RenderClosedSpline(closed.g, -1, closed.view, ClosedPathRecord{closedHeader(2), {{10, 20}, {100, 90}}});
    EXPECT_EQ(open.done(), line.done());
    EXPECT_EQ(closed.done(), line.done()) << "no fill, the join style as line ends";
}

TEST(Splines, OpenCurvePassesThroughItsPoints)
{
    Canvas c;
    RenderOpenSpline(c.g, -1, c.view, OpenPathRecord{outlineHeader(), {{10, 60}, {40, 20}, {80, 100}, {110, 60}}});
    EXPECT_TRUE(c.near(40, 20, kBlack, 1));
    EXPECT_TRUE(c.near(80, 100, kBlack, 1));
    // The chord from (10, 60) to (40, 20) has its midpoint at (25, 40); the
    // curve bulges beyond it, away from the next point.
    EXPECT_FALSE(c.near(25, 40, kBlack, 1)) << "a curve, not the straight chords";
    EXPECT_TRUE(c.near(40, 20, kBlack, 1));
}

TEST(Polygon, SelfIntersectionIsFilledEvenOdd)
{
    Canvas c;
    // A pentagram: the inner pentagon is covered twice and stays empty.
    ClosedPathRecord star{closedHeader(1), {}};
    for (int i = 0; i < 5; ++i) {
        const double a = (90 + i * 144) * 3.14159265358979 / 180;
        star.points.push_back({60 + 50 * std::cos(a), 60 - 50 * std::sin(a)});
    }
    RenderPolygon(c.g, -1, c.view, star);
    EXPECT_EQ(c.at(60, 62), kWhite);
    EXPECT_EQ(c.at(60, 20), kRed);
}

TEST(ViewTransform, ScaleAndPanMoveTheElement)
{
    Canvas c;
    c.view = ViewTransform{2, 10, 5};
    RenderRectangle(c.g, -1, c.view, RectRecord{closedHeader(1), 0, 0, 20, 20});
    const QRect ink = c.inked();
    EXPECT_NEAR(ink.left(), 20, 1);
    EXPECT_NEAR(ink.top(), 10, 1);
    EXPECT_NEAR(ink.width(), 40, 1);
}

}  // namespace
