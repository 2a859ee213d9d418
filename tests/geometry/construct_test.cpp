// Lines, circles and ellipse constructions of the geometry kernel.
#include "geometry/construct.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>

namespace {

std::string rowName(std::string name)
{
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

#define EXPECT_POINT_NEAR(actual, ex, ey, tol)                                                               \
    do {                                                                                                     \
        const PointD p_ = (actual);                                                                          \
        EXPECT_NEAR(p_.x, (ex), (tol)) << "x";                                                               \
        EXPECT_NEAR(p_.y, (ey), (tol)) << "y";                                                               \
    } while (0)

double cross(PointD o, PointD a, PointD b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// ---- Lines --------------------------------------------------------------------

struct SideRow {
    const char* name;
    PointD a, b, p;
    int expected;
};

class GeomSideOfLine : public testing::TestWithParam<SideRow> { };

TEST_P(GeomSideOfLine, SignOfTurnedOffset)
{
    const SideRow& r = GetParam();
    EXPECT_EQ(SideOfLine(r.a, r.b, r.p), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, GeomSideOfLine,
    testing::Values(SideRow { "within tolerance", { 0, 0 }, { 10, 0 }, { 5, 5e-7 }, 0 },
        SideRow { "towards plus y", { 0, 0 }, { 10, 0 }, { 5, 0.01 }, 1 },
        SideRow { "towards minus y", { 0, 0 }, { 10, 0 }, { 5, -0.01 }, -1 },
        SideRow { "reversed line", { 10, 0 }, { 0, 0 }, { 5, 0.01 }, -1 },
        SideRow { "downward line", { 0, 0 }, { 0, 10 }, { -1, 5 }, 1 },
        SideRow { "sloped line", { 1, 1 }, { 4, 5 }, { 0, 5 }, 1 }),
    [](const auto& info) { return rowName(info.param.name); });

// Differential: the turned-frame distance against the cross-product formula.
TEST(GeomDistanceToLine, AgreesWithCrossProduct)
{
    const PointD rows[][3] = { { { 0, 0 }, { 10, 0 }, { 3, 4 } }, { { 1, 1 }, { 4, 5 }, { -2, 7 } },
        { { 5, 5 }, { 5, -5 }, { 8, 0 } }, { { -3, 2 }, { 7, -1 }, { 0.5, 0.25 } },
        { { 2, 2 }, { 3, 3 }, { 100, 100 } }, { { 0, 0 }, { -1, -1e-3 }, { 4, 9 } } };
    for (const auto& r : rows) {
        const double expected = std::fabs(cross(r[0], r[1], r[2])) / Distance(r[0], r[1]);
        EXPECT_NEAR(DistanceToLine(r[0], r[1], r[2]), expected, 1e-9);
    }
}

TEST(GeomDistanceToLine, CoincidentPointsMeasureAlongHorizontal)
{
    EXPECT_DOUBLE_EQ(DistanceToLine({ 2, 3 }, { 2, 3 }, { 9, 7 }), 4);
}

TEST(GeomFootOfPerpendicular, FootOnLineAndPerpendicular)
{
    const PointD rows[][3] = { { { 0, 0 }, { 10, 0 }, { 3, 4 } }, { { 1, 1 }, { 4, 5 }, { -2, 7 } },
        { { 5, 5 }, { 5, -5 }, { 8, 0 } }, { { -3, 2 }, { 7, -1 }, { -3, 2 } } };
    for (const auto& r : rows) {
        const PerpendicularFoot f = FootOfPerpendicular(r[0], r[1], r[2]);
        EXPECT_NEAR(cross(r[0], r[1], f.foot), 0, 1e-9);
        const double dot = (r[1].x - r[0].x) * (r[2].x - f.foot.x) + (r[1].y - r[0].y) * (r[2].y - f.foot.y);
        EXPECT_NEAR(dot, 0, 1e-9);
        EXPECT_NEAR(f.distance, Distance(f.foot, r[2]), 1e-9);
    }
}

struct SegmentRow {
    const char* name;
    PointD a, b, p;
    bool on;
    PointD foot;
};

class GeomFootOnSegment : public testing::TestWithParam<SegmentRow> { };

TEST_P(GeomFootOnSegment, EndsAdmittedWithinTenthOfNano)
{
    const SegmentRow& r = GetParam();
    const SegmentFoot f = FootOnSegment(r.a, r.b, r.p);
    EXPECT_EQ(f.onSegment, r.on);
    EXPECT_POINT_NEAR(f.foot, r.foot.x, r.foot.y, 1e-9);
    EXPECT_NEAR(f.distance, Distance(f.foot, r.p), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, GeomFootOnSegment,
    testing::Values(SegmentRow { "end point", { 0, 0 }, { 10, 0 }, { 10, 3 }, true, { 10, 0 } },
        SegmentRow { "start point", { 0, 0 }, { 10, 0 }, { 0, -3 }, true, { 0, 0 } },
        SegmentRow { "past end", { 0, 0 }, { 10, 0 }, { 10.001, 3 }, false, { 10.001, 0 } },
        SegmentRow { "before start", { 0, 0 }, { 10, 0 }, { -0.001, 3 }, false, { -0.001, 0 } },
        SegmentRow { "leftward diagonal", { 10, 10 }, { 0, 0 }, { 3, 7 }, true, { 5, 5 } },
        SegmentRow { "beyond leftward end", { 10, 10 }, { 0, 0 }, { -3, -1 }, false, { -2, -2 } },
        SegmentRow { "vertical", { 4, 0 }, { 4, 8 }, { 1, 6 }, true, { 4, 6 } }),
    [](const auto& info) { return rowName(info.param.name); });

struct LinesRow {
    const char* name;
    PointD a1, a2, b1, b2;
    LineCrossing kind;
    PointD point;
};

class GeomIntersectLines : public testing::TestWithParam<LinesRow> { };

TEST_P(GeomIntersectLines, KindAndPoint)
{
    const LinesRow& r = GetParam();
    const LineIntersection x = IntersectLines(r.a1, r.a2, r.b1, r.b2);
    EXPECT_EQ(x.kind, r.kind);
    EXPECT_POINT_NEAR(x.point, r.point.x, r.point.y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, GeomIntersectLines,
    testing::Values(LinesRow { "crossing", { 0, 0 }, { 10, 0 }, { 5, -5 }, { 5, 5 },
                        LineCrossing::WithinSegments, { 5, 0 } },
        LinesRow { "beyond first segment", { 0, 0 }, { 1, 0 }, { 5, -5 }, { 5, 5 },
            LineCrossing::OutsideSegments, { 5, 0 } },
        LinesRow {
            "two horizontals", { 0, 0 }, { 10, 0 }, { 0, 1 }, { 10, 1 }, LineCrossing::Parallel, { 0, 0 } },
        LinesRow {
            "two verticals", { 1, 0 }, { 1, 5 }, { 2, 0 }, { 2, 5 }, LineCrossing::Parallel, { 0, 0 } },
        LinesRow {
            "diagonals", { 0, 0 }, { 4, 4 }, { 0, 4 }, { 4, 0 }, LineCrossing::WithinSegments, { 2, 2 } },
        LinesRow { "first vertical", { 3, -1 }, { 3, 1 }, { 0, 0 }, { 6, 6 }, LineCrossing::OutsideSegments,
            { 3, 3 } },
        LinesRow { "touching at end", { 0, 0 }, { 2, 2 }, { 2, 2 }, { 4, 0 }, LineCrossing::WithinSegments,
            { 2, 2 } },
        LinesRow { "same slope", { 0, 0 }, { 2, 1 }, { 0, 3 }, { 4, 5 }, LineCrossing::Parallel, { 0, 0 } }),
    [](const auto& info) { return rowName(info.param.name); });

// ---- Circles ------------------------------------------------------------------

struct CirclesRow {
    const char* name;
    PointD c1;
    double r1;
    PointD c2;
    double r2;
    int count;
};

class GeomIntersectCircles : public testing::TestWithParam<CirclesRow> { };

TEST_P(GeomIntersectCircles, PointsLieOnBothCircles)
{
    const CirclesRow& r = GetParam();
    const CircleIntersection x = IntersectCircles(r.c1, r.r1, r.c2, r.r2);
    ASSERT_EQ(x.count, r.count);
    if (x.count == 0)
        return;
    for (PointD p : { x.first, x.second }) {
        EXPECT_NEAR(Distance(p, r.c1), r.r1, 1e-6);
        EXPECT_NEAR(Distance(p, r.c2), r.r2, 1e-6);
    }
    if (x.count == 1)
        EXPECT_POINT_NEAR(x.first, x.second.x, x.second.y, 1e-9);
    else
        EXPECT_GT(Distance(x.first, x.second), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Rows, GeomIntersectCircles,
    testing::Values(CirclesRow { "general", { 0, 0 }, 5, { 8, 0 }, 5, 2 },
        CirclesRow { "touching outside", { 0, 0 }, 5, { 10, 0 }, 5, 1 },
        CirclesRow { "touching inside", { 0, 0 }, 5, { 3, 0 }, 2, 1 },
        CirclesRow { "apart", { 0, 0 }, 5, { 11, 0 }, 5, 0 },
        CirclesRow { "nested", { 0, 0 }, 5, { 1, 0 }, 1, 0 },
        CirclesRow { "nested, small first", { 1, 0 }, 1, { 0, 0 }, 5, 0 },
        CirclesRow { "touching inside, small first", { 3, 0 }, 2, { 0, 0 }, 5, 1 },
        CirclesRow { "concentric", { 2, 2 }, 5, { 2, 2 }, 3, 0 },
        CirclesRow { "diagonal unequal radii", { 1, 2 }, 3, { 4, 6 }, 4, 2 },
        CirclesRow { "second centre left and below", { 10, 10 }, 7, { 2, 3 }, 6, 2 },
        CirclesRow { "zero radius on other circle", { 5, 0 }, 0, { 0, 0 }, 5, 1 }),
    [](const auto& info) { return rowName(info.param.name); });

TEST(GeomIntersectCircles, ClassicPoints)
{
    const CircleIntersection two = IntersectCircles({ 0, 0 }, 5, { 8, 0 }, 5);
    ASSERT_EQ(two.count, 2);
    EXPECT_NEAR(two.first.x, 4, 1e-9);
    EXPECT_NEAR(two.second.x, 4, 1e-9);
    EXPECT_NEAR(std::min(two.first.y, two.second.y), -3, 1e-9);
    EXPECT_NEAR(std::max(two.first.y, two.second.y), 3, 1e-9);

    const CircleIntersection one = IntersectCircles({ 0, 0 }, 5, { 10, 0 }, 5);
    ASSERT_EQ(one.count, 1);
    EXPECT_POINT_NEAR(one.first, 5, 0, 1e-9);
}

struct ThreePointRow {
    const char* name;
    PointD p1, p2, p3;
    bool ok;
};

class GeomCircleThrough3Points : public testing::TestWithParam<ThreePointRow> { };

// The arc from start to end (increasing angle) runs through P2 and its ends
// are P1 and P3 in the order the flag tells.
TEST_P(GeomCircleThrough3Points, CircleAndArcThroughThePoints)
{
    const ThreePointRow& r = GetParam();
    const std::optional<ThreePointCircle> c = CircleThrough3Points(r.p1, r.p2, r.p3);
    ASSERT_EQ(c.has_value(), r.ok);
    if (!c)
        return;
    for (PointD p : { r.p1, r.p2, r.p3 })
        EXPECT_NEAR(Distance(p, c->centre), c->radius, 1e-9);
    const auto angleOf = [&](PointD p) { return VectorAngle(p.x - c->centre.x, p.y - c->centre.y); };
    const double startExpected = c->startsAtP1 ? angleOf(r.p1) : angleOf(r.p3);
    const double endExpected = c->startsAtP1 ? angleOf(r.p3) : angleOf(r.p1);
    EXPECT_DOUBLE_EQ(c->start, startExpected);
    EXPECT_DOUBLE_EQ(c->end, endExpected);
    const double toDeg = 180 / std::numbers::pi;
    EXPECT_TRUE(
        AngleInSweep(angleOf(r.p2) * toDeg, c->start * toDeg, NormalizeDeg((c->end - c->start) * toDeg)));
}

INSTANTIATE_TEST_SUITE_P(Rows, GeomCircleThrough3Points,
    testing::Values(ThreePointRow { "right triangle", { 0, 0 }, { 4, 0 }, { 0, 3 }, true },
        ThreePointRow { "reverse order", { 0, 3 }, { 4, 0 }, { 0, 0 }, true },
        ThreePointRow { "middle point across angle zero", { 7.66, -6.43 }, { 10, 0 }, { 7.66, 6.43 }, true },
        ThreePointRow { "general", { -3, 1 }, { 2, 7 }, { 6, -2 }, true },
        ThreePointRow { "collinear", { 0, 0 }, { 1, 1 }, { 2, 2 }, false },
        ThreePointRow { "two equal points", { 1, 1 }, { 1, 1 }, { 5, 2 }, false },
        ThreePointRow { "first equals last", { 1, 1 }, { 5, 2 }, { 1, 1 }, false },
        ThreePointRow { "all equal", { 3, 3 }, { 3, 3 }, { 3, 3 }, false }),
    [](const auto& info) { return rowName(info.param.name); });

TEST(GeomCircleThrough3Points, RightTriangleCentre)
{
    const auto c = CircleThrough3Points({ 0, 0 }, { 4, 0 }, { 0, 3 });
    ASSERT_TRUE(c);
    EXPECT_POINT_NEAR(c->centre, 2, 1.5, 1e-12);
    EXPECT_NEAR(c->radius, 2.5, 1e-12);
}

TEST(GeomCircleThrough3Points, MiddleOutsideRangeWrapsThroughZero)
{
    // P1 at about 320 degrees, P2 at 0, P3 at about 40 degrees.
    const auto c = CircleThrough3Points({ 7.66, -6.43 }, { 10, 0 }, { 7.66, 6.43 });
    ASSERT_TRUE(c);
    EXPECT_GT(c->start, c->end);
    EXPECT_TRUE(c->startsAtP1);
}

TEST(GeomCircleThrough3PointsDeg, DegreesWithoutNoise)
{
    const auto c = CircleThrough3PointsDeg({ 1, 0 }, { 0, 1 }, { -1, 0 });
    ASSERT_TRUE(c);
    EXPECT_EQ(c->start, 0);
    EXPECT_EQ(c->end, 180);
    EXPECT_TRUE(c->startsAtP1);
    const auto swapped = CircleThrough3PointsDeg({ -1, 0 }, { 0, 1 }, { 1, 0 });
    ASSERT_TRUE(swapped);
    EXPECT_EQ(swapped->start, 0);
    EXPECT_FALSE(swapped->startsAtP1);
    EXPECT_FALSE(CircleThrough3PointsDeg({ 0, 0 }, { 1, 0 }, { 2, 0 }));
}

// ---- Ellipses -----------------------------------------------------------------

TEST(GeomEllipseArcBounds, FullCircleSamplesHitTheExtremes)
{
    const BoundsD b = EllipseArcBoundsDeg({ 5, 5 }, 1, 1, 0, 0, 360);
    EXPECT_NEAR(b.minX, 4, 1e-12);
    EXPECT_NEAR(b.maxX, 6, 1e-12);
    EXPECT_NEAR(b.minY, 4, 1e-12);
    EXPECT_NEAR(b.maxY, 6, 1e-12);
}

TEST(GeomEllipseArcBounds, QuarterArcsBothDirections)
{
    const BoundsD up = EllipseArcBoundsDeg({ 0, 0 }, 2, 1, 0, 0, 90);
    EXPECT_NEAR(up.minX, 0, 1e-12);
    EXPECT_NEAR(up.maxX, 2, 1e-12);
    EXPECT_NEAR(up.minY, 0, 1e-12);
    EXPECT_NEAR(up.maxY, 1, 1e-12);
    const BoundsD down = EllipseArcBoundsDeg({ 0, 0 }, 2, 1, 0, 0, -90);
    EXPECT_NEAR(down.minY, -1, 1e-12);
    EXPECT_NEAR(down.maxY, 0, 1e-12);
}

// Differential: the sampled box of a tilted ellipse lies inside the exact box
// and within the 5-degree sampling error of it.
TEST(GeomEllipseArcBounds, TiltedBoxCloseToExact)
{
    const double rx = 7, ry = 3;
    for (double tiltDeg = 0; tiltDeg < 180; tiltDeg += 13) {
        const double t = tiltDeg * std::numbers::pi / 180;
        const double hx = std::hypot(rx * std::cos(t), ry * std::sin(t));
        const double hy = std::hypot(rx * std::sin(t), ry * std::cos(t));
        const BoundsD b = EllipseArcBoundsDeg({ 1, 2 }, rx, ry, tiltDeg, 0, 360);
        const double slack = rx * (1 - std::cos(5 * std::numbers::pi / 180)) + 1e-9;
        EXPECT_LE(b.maxX, 1 + hx + 1e-9);
        EXPECT_GE(b.maxX, 1 + hx - slack);
        EXPECT_GE(b.minX, 1 - hx - 1e-9);
        EXPECT_LE(b.minX, 1 - hx + slack);
        EXPECT_LE(b.maxY, 2 + hy + 1e-9);
        EXPECT_GE(b.maxY, 2 + hy - slack);
        const BoundsD r = EllipseArcBounds({ 1, 2 }, rx, ry, t, 0, 2 * std::numbers::pi);
        EXPECT_NEAR(r.maxY, b.maxY, 1e-12);
    }
}

TEST(GeomPointOnEllipse, YUpPlacement)
{
    EXPECT_POINT_NEAR(PointOnEllipseDeg({ 1, 2 }, 4, 2, 0, 90), 1, 4, 1e-12);
    EXPECT_POINT_NEAR(PointOnEllipseDeg({ 1, 2 }, 4, 2, 90, 0), 1, 6, 1e-12);
    EXPECT_POINT_NEAR(PointOnEllipse({ 1, 2 }, 4, 2, 0, std::numbers::pi), -3, 2, 1e-12);
}

// Differential: the angle and radius of a point placed on the ellipse give
// back its parameter and rx.
TEST(GeomEllipseAngleOfPoint, RoundTripsPointOnEllipse)
{
    const PointD c { -3, 4 };
    for (double tilt : { 0.0, 25.0, -110.0 }) {
        for (double t = 0; t < 360; t += 15) {
            const PointD p = PointOnEllipseDeg(c, 5, 2, tilt, t);
            EXPECT_NEAR(EllipseAngleOfPointDeg(p, c, 5, 2, tilt), t, 1e-9) << tilt << " " << t;
            EXPECT_NEAR(EllipseRadiusOfPoint(p, c, 5, 2, tilt), 5, 1e-9);
            const PointD outside = PointOnEllipseDeg(c, 6, 2.4, tilt, t);
            EXPECT_GT(EllipseRadiusOfPoint(outside, c, 5, 2, tilt), 5);
            const PointD inside = PointOnEllipseDeg(c, 4, 1.6, tilt, t);
            EXPECT_LT(EllipseRadiusOfPoint(inside, c, 5, 2, tilt), 5);
        }
    }
}

TEST(GeomEllipseAngleOfPoint, ExactDegreesAndRange)
{
    const PointD p = PointOnEllipseDeg({ 0, 0 }, 4, 2, 30, 60);
    EXPECT_EQ(EllipseAngleOfPointDeg(p, { 0, 0 }, 4, 2, 30), 60);
    const PointD q = PointOnEllipseDeg({ 0, 0 }, 4, 2, 0, -1e-13);
    EXPECT_EQ(EllipseAngleOfPointDeg(q, { 0, 0 }, 4, 2, 0), 0); // not 360
    EXPECT_EQ(EllipseRadiusOfPoint({ 3, 3 }, { 3, 3 }, 4, 2, 45), 0);
}

TEST(GeomEllipseDegenerateAxes, FiniteResults)
{
    const PointD p { 1, 1 };
    for (auto [rx, ry] : { std::pair { 0.0, 0.0 }, std::pair { 0.0, 2.0 }, std::pair { 3.0, 0.0 } }) {
        EXPECT_TRUE(std::isfinite(EllipseAngleOfPointDeg(p, { 0, 0 }, rx, ry, 10))) << rx << ry;
        EXPECT_TRUE(std::isfinite(EllipseRadiusOfPoint(p, { 0, 0 }, rx, ry, 10))) << rx << ry;
    }
}

// ---- Arc corners and points -----------------------------------------------------

TEST(GeomArcTangentCorner, YDownCorners)
{
    EXPECT_POINT_NEAR(ArcTangentCorner({ 0, 0 }, 1, 1, 0, 0, 90), 1, -1, 1e-12);
    EXPECT_POINT_NEAR(ArcTangentCorner({ 10, 20 }, 2, 2, 0, 0, 90), 12, 18, 1e-12);
    EXPECT_POINT_NEAR(ArcTangentCorner({ 0, 0 }, 2, 1, 0, 0, 90), 2, -1, 1e-12);
    EXPECT_POINT_NEAR(ArcTangentCorner({ 0, 0 }, 1, 1, 90, 0, 90), -1, -1, 1e-12);
    EXPECT_POINT_NEAR(ArcTangentCorner({ 3, 4 }, 1, 1, 0, 10, 180), 3, 4, 1e-12); // parallel
}

// Differential: on a circle the tangents at the ends of a sweep s meet at
// distance r / cos(s / 2) from the centre, on the bisector.
TEST(GeomArcTangentCorner, CircleCornerOnBisector)
{
    const PointD c { 2, -1 };
    const double r = 3;
    for (double start : { 0.0, 35.0, 200.0, -75.0 }) {
        for (double sweep : { 20.0, 60.0, 90.0, -45.0, -90.0, 150.0 }) {
            for (double tilt : { 0.0, 30.0 }) {
                const double mid = (start + sweep / 2 + tilt) * std::numbers::pi / 180;
                const double dist = r / std::cos(sweep / 2 * std::numbers::pi / 180);
                EXPECT_POINT_NEAR(ArcTangentCorner(c, r, r, tilt, start, sweep), c.x + dist * std::cos(mid),
                    c.y - dist * std::sin(mid), 1e-9);
            }
        }
    }
}

struct PartRow {
    const char* name;
    double sweep;
    int parts;
};

class GeomArcParts : public testing::TestWithParam<PartRow> { };

TEST_P(GeomArcParts, QuarterPartCount)
{
    const PartRow& r = GetParam();
    const ArcCorners corners = ArcCornerPoints({ 1, 1 }, 3, 2, 15, 40, r.sweep);
    const ArcSegment points = ArcSegmentPoints({ 1, 1 }, 3, 2, 15, 40, r.sweep);
    EXPECT_EQ(corners.partCount, r.parts);
    EXPECT_EQ(points.pointCount, r.parts + 1);
    for (int i = corners.partCount; i < 4; ++i)
        EXPECT_EQ(corners.corners[i], (PointD { 0, 0 }));
    for (int i = points.pointCount; i < 5; ++i)
        EXPECT_EQ(points.points[i], (PointD { 0, 0 }));
}

INSTANTIATE_TEST_SUITE_P(Rows, GeomArcParts,
    testing::Values(PartRow { "zero", 0, 1 }, PartRow { "quarter", 90, 1 },
        PartRow { "just over quarter", 90.00001, 2 }, PartRow { "half", 180, 2 },
        PartRow { "negative three quarters", -270, 3 }, PartRow { "full turn", 360, 4 },
        PartRow { "two turns", 720, 4 }, PartRow { "minus two turns", -720, 4 },
        PartRow { "nan", std::numeric_limits<double>::quiet_NaN(), 1 }),
    [](const auto& info) { return rowName(info.param.name); });

TEST(GeomArcCornerPoints, FullCircleSquare)
{
    const ArcCorners a = ArcCornerPoints({ 0, 0 }, 1, 1, 0, 0, 360);
    ASSERT_EQ(a.partCount, 4);
    EXPECT_POINT_NEAR(a.corners[0], 1, -1, 1e-12);
    EXPECT_POINT_NEAR(a.corners[1], -1, -1, 1e-12);
    EXPECT_POINT_NEAR(a.corners[2], -1, 1, 1e-12);
    EXPECT_POINT_NEAR(a.corners[3], 1, 1, 1e-12);
    const ArcCorners beyond = ArcCornerPoints({ 0, 0 }, 1, 1, 0, 0, 720);
    for (int i = 0; i < 4; ++i)
        EXPECT_POINT_NEAR(beyond.corners[i], a.corners[i].x, a.corners[i].y, 1e-12);
}

TEST(GeomArcSegmentPoints, PartBoundariesYUp)
{
    const ArcSegment full = ArcSegmentPoints({ 0, 0 }, 1, 1, 0, 0, 360);
    ASSERT_EQ(full.pointCount, 5);
    EXPECT_POINT_NEAR(full.points[0], 1, 0, 1e-12);
    EXPECT_POINT_NEAR(full.points[1], 0, 1, 1e-12);
    EXPECT_POINT_NEAR(full.points[2], -1, 0, 1e-12);
    EXPECT_POINT_NEAR(full.points[3], 0, -1, 1e-12);
    EXPECT_POINT_NEAR(full.points[4], 1, 0, 1e-12);
    const ArcSegment back = ArcSegmentPoints({ 5, 5 }, 2, 1, 0, 0, -180);
    ASSERT_EQ(back.pointCount, 3);
    EXPECT_POINT_NEAR(back.points[1], 5, 4, 1e-12);
    EXPECT_POINT_NEAR(back.points[2], 3, 5, 1e-12);
}

} // namespace
