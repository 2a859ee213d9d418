// The builders as plain functions: geometry, method codes, defining points
// and refusals of the circle, ellipse, rectangle and change constructions.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/construct.h"
#include "interaction/builders.h"

namespace {

template <class R> const R& Rec(const Draft& d)
{
    return std::get<R>(d.record);
}

TEST(CircleBuilders, CentreAndRadiusPoint)
{
    const Draft d = BuildCircleCentreRadius({0, 0}, {3, 4}, 2);
    ASSERT_FALSE(d.refused());
    EXPECT_DOUBLE_EQ(Rec<CircleRecord>(d).r, 5);
    EXPECT_EQ(Rec<CircleRecord>(d).method, 0);
    EXPECT_EQ(Rec<CircleRecord>(d).h.fillMode, 2);
    EXPECT_TRUE(BuildCircleCentreRadius({1, 1}, {1, 1.0000005}, 0).refused());
}

struct RadiusTwoPointsCase {
    const char* name;
    PointD p1, p2, direction;
    double r;
    bool built;
    PointD centre;
};

class RadiusTwoPoints : public testing::TestWithParam<RadiusTwoPointsCase> {};

TEST_P(RadiusTwoPoints, CentreLiesOppositeTheDirectionPoint)
{
    const auto& c = GetParam();
    const Draft d = BuildCircleRadiusTwoPoints(c.p1, c.p2, c.r, SideOfLine(c.p1, c.p2, c.direction), 0);
    ASSERT_EQ(!d.refused(), c.built);
    if (!c.built)
        return;
    const auto& rec = Rec<CircleRecord>(d);
    EXPECT_NEAR(rec.cx, c.centre.x, 1e-9);
    EXPECT_NEAR(rec.cy, c.centre.y, 1e-9);
    EXPECT_EQ(rec.method, 1);
    EXPECT_EQ(rec.p2x, c.p2.x);
}

INSTANTIATE_TEST_SUITE_P(
    Builders, RadiusTwoPoints,
    testing::Values(RadiusTwoPointsCase{"touching_gives_one_centre", {0, 0}, {10, 0}, {5, 7}, 5, true, {5, 0}},
                    RadiusTwoPointsCase{"direction_below_centre_above", {0, 0}, {6, 0}, {3, 10}, 5, true, {3, -4}},
                    RadiusTwoPointsCase{"direction_above_centre_below", {0, 0}, {6, 0}, {3, -10}, 5, true, {3, 4}},
                    RadiusTwoPointsCase{"direction_on_the_chord_line", {0, 0}, {6, 0}, {20, 0}, 5, true, {3, 4}},
                    RadiusTwoPointsCase{"farther_than_the_diameter", {0, 0}, {10.1, 0}, {5, 7}, 5, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CircleBuilders, ThreePoints)
{
    const Draft d = BuildCircleThreePoints({0, 0}, {10, 0}, {5, 5}, 1);
    ASSERT_FALSE(d.refused());
    const auto& rec = Rec<CircleRecord>(d);
    EXPECT_NEAR(rec.cx, 5, 1e-9);
    EXPECT_NEAR(rec.cy, 0, 1e-9);
    EXPECT_NEAR(rec.r, 5, 1e-9);
    EXPECT_EQ(rec.method, 2);
    EXPECT_EQ(rec.p3y, 5);
    EXPECT_TRUE(BuildCircleThreePoints({0, 0}, {5, 5}, {10, 10}, 0).refused());
    EXPECT_TRUE(BuildCircleThreePoints({0, 0}, {0, 0}, {10, 10}, 0).refused());
}

struct EllipseCase {
    const char* name;
    Draft draft;
    double cx, cy, rx, ry, tilt;
    int method;
};

class EllipseBuilders : public testing::TestWithParam<EllipseCase> {};

TEST_P(EllipseBuilders, Geometry)
{
    const auto& c = GetParam();
    ASSERT_FALSE(c.draft.refused());
    const auto& e = Rec<EllipseRecord>(c.draft);
    EXPECT_NEAR(e.cx, c.cx, 1e-9);
    EXPECT_NEAR(e.cy, c.cy, 1e-9);
    EXPECT_NEAR(e.rx, c.rx, 1e-9);
    EXPECT_NEAR(e.ry, c.ry, 1e-9);
    EXPECT_NEAR(e.tilt, c.tilt, 1e-9);
    EXPECT_EQ(e.method, c.method);
}

Construction FixedRadii(double rx, double ry, double tilt)
{
    Construction c;
    c.points[0] = {50, 60};
    c.work.radiusX = rx;
    c.work.radiusY = ry;
    c.work.tiltDeg = tilt;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Builders, EllipseBuilders,
    testing::Values(
        EllipseCase{"centre_radius_point", BuildEllipseCentreRadius({0, 0}, {4, -3}, 0, 0), 0, 0, 4, 3, 0, 0},
        EllipseCase{"centre_radius_point_tilt_90", BuildEllipseCentreRadius({0, 0}, {4, -3}, 90, 0), 0, 0, 3, 4,
                    90, 0},
        EllipseCase{"diagonal", BuildEllipseDiagonal({0, 0}, {10, 6}, 0, 0), 5, 3, 5, 3, 0, 1},
        EllipseCase{"ratio_horizontal_axis", BuildEllipseRatio({0, 0}, {10, 0}, 0.5, 0), 5, 0, 5, 2.5, 0, 2},
        EllipseCase{"ratio_axis_upwards", BuildEllipseRatio({0, 0}, {0, -10}, 0.5, 0), 0, -5, 5, 2.5, 90, 2},
        EllipseCase{"given_radii_and_tilt", BuildEllipseFixedRadii(FixedRadii(30, 12, 25), 1), 50, 60, 30, 12,
                    25, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EllipseBuilders, RadiusPointOnTheTiltedAxisIsRefused)
{
    EXPECT_TRUE(BuildEllipseCentreRadius({0, 0}, {10, 0}, 0, 0).refused());
    // On the x axis tilted by 30 degrees (counter-clockwise on screen).
    EXPECT_TRUE(BuildEllipseCentreRadius({0, 0}, {std::cos(DegToRad(30)) * 8, -std::sin(DegToRad(30)) * 8}, 30, 0)
                    .refused());
    EXPECT_EQ(BuildEllipseCentreRadius({0, 0}, {10, 0}, 0, 0).kind, ElementKind::Ellipse);
}

TEST(RectBuilders, SortedCornersAndFlatRefusal)
{
    EXPECT_TRUE(BuildRect({10, 10}, {10.0000005, 50}, 0).refused());
    const Draft d = BuildRect({50, 40}, {10, 10}, 1);
    ASSERT_FALSE(d.refused());
    const auto& r = Rec<RectRecord>(d);
    EXPECT_EQ(r.x1, 10);
    EXPECT_EQ(r.y1, 10);
    EXPECT_EQ(r.x2, 50);
    EXPECT_EQ(r.y2, 40);
    EXPECT_EQ(r.h.fillMode, 1);
}

TEST(ChangeBuilders, LineKeepsItsPointOrderAndRefusesADegenerateEnd)
{
    LineRecord old;
    old.x1 = 0, old.y1 = 0, old.x2 = 10, old.y2 = 0;
    const Draft moved = ChangeLine(old, true, {-5, 5});
    EXPECT_EQ(Rec<LineRecord>(moved).x1, -5);
    EXPECT_EQ(Rec<LineRecord>(moved).x2, 10);
    EXPECT_TRUE(ChangeLine(old, true, {10, 0}).refused());
}

TEST(ChangeBuilders, RadiusTwoPointsCircleKeepsTheSideOfItsCentre)
{
    CircleRecord old = Rec<CircleRecord>(BuildCircleRadiusTwoPoints({0, 0}, {6, 0}, 5, +1, 0));
    ASSERT_LT(old.cy, 0);  // centre above the chord
    const Draft moved = ChangeCircleRadiusTwoPoints(old, false, {8, 0});
    ASSERT_FALSE(moved.refused());
    EXPECT_NEAR(Rec<CircleRecord>(moved).cx, 4, 1e-9);
    EXPECT_NEAR(Rec<CircleRecord>(moved).cy, -3, 1e-9);
    const Draft first = ChangeCircleRadiusTwoPoints(old, true, {-2, 0});
    EXPECT_NEAR(Rec<CircleRecord>(first).cx, 2, 1e-9);
    EXPECT_NEAR(Rec<CircleRecord>(first).cy, -3, 1e-9);
    EXPECT_EQ(Rec<CircleRecord>(first).p1x, -2);
    EXPECT_TRUE(ChangeCircleRadiusTwoPoints(old, false, {20, 0}).refused());
}

TEST(ChangeBuilders, RatioEllipseKeepsItsRatio)
{
    const EllipseRecord old = Rec<EllipseRecord>(BuildEllipseRatio({0, 0}, {10, 0}, 0.5, 2));
    const Draft moved = ChangeEllipseRatio(old, 1, {0, -20});
    ASSERT_FALSE(moved.refused());
    EXPECT_NEAR(Rec<EllipseRecord>(moved).rx, 10, 1e-9);
    EXPECT_NEAR(Rec<EllipseRecord>(moved).ry, 5, 1e-9);
    EXPECT_NEAR(Rec<EllipseRecord>(moved).tilt, 90, 1e-9);
    EXPECT_EQ(Rec<EllipseRecord>(moved).h.fillMode, 2);
}

}  // namespace
