// The figures the arc family's clicks make: angles of clicked points,
// ignored degenerate clicks, the three-point and radius-and-two-point arcs,
// the records of each method and the change constructors.
#include "interaction/build_arcs.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "geometry/func.h"

namespace {

std::optional<ArcFigure> figure(ArcMethod m, std::vector<PointD> clicks, WorkingValues v = {})
{
    return ArcFigureFromClicks(m, v, clicks);
}

struct AngleRow {
    const char* name;
    ArcMethod method;
    std::vector<PointD> clicks;
    WorkingValues values;
    bool builds;
    double start, sweep;
};

class ArcFigureAngles : public testing::TestWithParam<AngleRow> { };

TEST_P(ArcFigureAngles, StartAndSweepFromClicks)
{
    const AngleRow& r = GetParam();
    const std::optional<ArcFigure> f = figure(r.method, r.clicks, r.values);
    ASSERT_EQ(f.has_value(), r.builds);
    if (!f)
        return;
    EXPECT_NEAR(f->outer.startDeg, r.start, 1e-9);
    EXPECT_NEAR(f->outer.sweepDeg, r.sweep, 1e-9);
}

WorkingValues entered(double start, double sweep)
{
    WorkingValues v;
    v.radius = 10;
    v.startDeg = start, v.sweepDeg = sweep;
    return v;
}

INSTANTIATE_TEST_SUITE_P(Rows, ArcFigureAngles,
    testing::Values(
        AngleRow{"end_quarter_turn", ArcMethod::CentreRadiusEnds, {{0, 0}, {10, 0}, {0, -10}, {-10, 0}}, {},
                 true, 90, 90},
        AngleRow{"end_half_turn", ArcMethod::CentreRadiusEnds, {{0, 0}, {10, 0}, {0, -10}, {0, 10}}, {}, true,
                 90, 180},
        AngleRow{"end_on_start_ignored", ArcMethod::CentreRadiusEnds, {{0, 0}, {10, 0}, {0, -10}, {0, -5}}, {},
                 false, 0, 0},
        AngleRow{"start_click_shows_provisional_sweep", ArcMethod::CentreRadiusEnds,
                 {{0, 0}, {10, 0}, {-10, 0}}, {}, true, 180, 10},
        AngleRow{"radius_point_alone_is_full_circle", ArcMethod::CentreRadiusEnds, {{0, 0}, {10, 0}}, {}, true, 0,
                 360},
        AngleRow{"entered_start_minus_90_is_270", ArcMethod::RadiusAngles, {{0, 0}}, entered(-90, 45), true, 270,
                 45},
        AngleRow{"entered_negative_sweep_kept", ArcMethod::RadiusAngles, {{0, 0}}, entered(30, -45), true, 30,
                 -45},
        AngleRow{"entered_sweep_0_refused", ArcMethod::RadiusAngles, {{0, 0}}, entered(30, 0), false, 0, 0},
        AngleRow{"three_points_over_the_top", ArcMethod::ThreePoints, {{10, 0}, {-10, 0}, {0, -10}}, {}, true, 0,
                 180},
        AngleRow{"three_points_under_the_bottom", ArcMethod::ThreePoints, {{10, 0}, {-10, 0}, {0, 10}}, {}, true,
                 180, 180},
        AngleRow{"three_collinear_points", ArcMethod::ThreePoints, {{0, 0}, {10, 0}, {5, 0}}, {}, false, 0, 0},
        AngleRow{"outside_full_circle", ArcMethod::ThreePointsFull, {{0, 0}, {10, 0}, {5, 5}}, {}, true, 0,
                 360}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArcFigure, FullCircleOutsideThroughThreePoints)
{
    const std::optional<ArcFigure> f = figure(ArcMethod::ThreePointsFull, {{0, 0}, {10, 0}, {5, 5}});
    ASSERT_TRUE(f);
    const SectorRecord r = SectorRecordOf(*f);
    EXPECT_NEAR(r.cx, 5, 1e-9);
    EXPECT_NEAR(r.cy, 0, 1e-9);
    EXPECT_NEAR(r.rx, 5, 1e-9);
    EXPECT_NEAR(r.ry, 5, 1e-9);
    EXPECT_EQ(r.tilt, 0);
}

// Differential: the three-point arc, drawn counter-clockwise from its start
// over its sweep, passes through the pass point and ends on the other point.
TEST(ArcFigure, ThreePointArcPassesThroughItsPassPoint)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> angle(0, 360);
    for (int i = 0; i < 200; ++i) {
        const PointD c{3, -2};
        const double r = 7;
        auto at = [&](double a) { return PointD{c.x + r * std::cos(DegToRad(a)), c.y - r * std::sin(DegToRad(a))}; };
        const double a1 = angle(rng), a2 = angle(rng), a3 = angle(rng);
        if (std::abs(a1 - a2) < 1 || std::abs(a2 - a3) < 1 || std::abs(a1 - a3) < 1)
            continue;
        const std::optional<ArcFigure> f = figure(ArcMethod::ThreePoints, {at(a1), at(a3), at(a2)});
        ASSERT_TRUE(f);
        const EllipseArc& e = f->outer;
        EXPECT_NEAR(e.rx, r, 1e-6);
        EXPECT_TRUE(AngleInSweep(a2, e.startDeg, e.sweepDeg)) << a1 << " " << a2 << " " << a3;
        const double endDeg = NormalizeDeg(e.startDeg + e.sweepDeg);
        const bool endsOnClicks = (std::abs(NormalizeDeg(e.startDeg - a1 + 0.5) - 0.5) < 1e-6
                                   && std::abs(NormalizeDeg(endDeg - a3 + 0.5) - 0.5) < 1e-6)
            || (std::abs(NormalizeDeg(e.startDeg - a3 + 0.5) - 0.5) < 1e-6
                && std::abs(NormalizeDeg(endDeg - a1 + 0.5) - 0.5) < 1e-6);
        EXPECT_TRUE(endsOnClicks) << a1 << " " << a2 << " " << a3;
    }
}

TEST(ArcFigure, RadiusAndTwoPointsTakesTheCentreOppositeTheSideClick)
{
    WorkingValues v;
    v.radius = 5;
    const std::optional<ArcFigure> f = figure(ArcMethod::RadiusTwoPoints, {{0, 0}, {6, 0}, {3, 10}}, v);
    ASSERT_TRUE(f);
    EXPECT_NEAR(f->outer.centre.x, 3, 1e-9);
    EXPECT_NEAR(f->outer.centre.y, -4, 1e-9);
    // Counter-clockwise on screen from the first point to the second: the
    // cap below the chord, towards the side click.
    EXPECT_TRUE(AngleInSweep(270, f->outer.startDeg, f->outer.sweepDeg));
    EXPECT_NEAR(f->outer.sweepDeg, 2 * RadToDeg(std::atan2(3, 4)), 1e-9);
    v.radius = 2.9;  // the chord is longer than the diameter
    EXPECT_FALSE(figure(ArcMethod::RadiusTwoPoints, {{0, 0}, {6, 0}, {3, 10}}, v));
}

// A clicked point's angle on a tilted ellipse is its parameter angle.
TEST(ArcFigure, ClickedAnglesAreParameterAnglesOnTheTiltedEllipse)
{
    for (const double tilt : {0.0, 25.0, 90.0, 200.0}) {
        const EllipseArc e{{4, 5}, 20, 8, tilt, 0, 360};
        for (const double t : {0.0, 40.0, 135.0, 300.0})
            EXPECT_NEAR(ClickAngleDeg(e, e.pointAt(t)), t, 1e-6) << "tilt " << tilt;
    }
}

TEST(ArcFigure, ElliptFigureRadiusPointRules)
{
    WorkingValues v;
    v.tiltDeg = 30;
    // On the tilted x axis: no y extent, the click is ignored.
    const PointD onAxis{10 * std::cos(DegToRad(30)), -10 * std::sin(DegToRad(30))};
    EXPECT_FALSE(figure(ArcMethod::EllipseCentreEnds, {{0, 0}, onAxis}, v));
    const std::optional<ArcFigure> f = figure(ArcMethod::EllipseCentreEnds, {{0, 0}, {4, -3}}, {});
    ASSERT_TRUE(f);
    EXPECT_NEAR(f->outer.rx, 4, 1e-12);
    EXPECT_NEAR(f->outer.ry, 3, 1e-12);
    v.tiltDeg = 90;
    const std::optional<ArcFigure> turned = figure(ArcMethod::EllipseCentreEnds, {{0, 0}, {4, -3}}, v);
    ASSERT_TRUE(turned);
    EXPECT_NEAR(turned->outer.rx, 3, 1e-12);
    EXPECT_NEAR(turned->outer.ry, 4, 1e-12);
}

TEST(ArcFigure, RingInnerPointMustLieInsideTheOuterEllipse)
{
    const std::vector<PointD> base{{0, 0}, {10, 8}};
    EXPECT_FALSE(figure(ArcMethod::RingCentreEnds, {base[0], base[1], {12, 2}}));
    EXPECT_FALSE(figure(ArcMethod::RingCentreEnds, {base[0], base[1], {5, 0}}));  // no y extent
    const std::optional<ArcFigure> f = figure(ArcMethod::RingCentreEnds, {base[0], base[1], {5, 4}});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->innerRx, 5);
    EXPECT_EQ(f->innerRy, 4);
    // Three-point rings: the inner radius is a distance, below the outer one.
    EXPECT_FALSE(figure(ArcMethod::RingThreePointsFull, {{0, 0}, {10, 0}, {5, 5}, {5, 5.5}}));
    const std::optional<ArcFigure> full = figure(ArcMethod::RingThreePointsFull, {{0, 0}, {10, 0}, {5, 5}, {5, 3}});
    ASSERT_TRUE(full);
    EXPECT_NEAR(full->innerRx, 3, 1e-9);
    EXPECT_EQ(full->outer.sweepDeg, 360);
}

TEST(ArcFigure, AxisMethodTakesTiltFromTheAxisAndKeepsItsEnds)
{
    WorkingValues v;
    v.ratio = 0.5;
    const std::vector<PointD> clicks{{0, 0}, {0, -10}, {10, -5}, {-10, -5}};
    const std::optional<ArcFigure> f = figure(ArcMethod::AxisEnds, clicks, v);
    ASSERT_TRUE(f);
    const EllipticArcRecord r = EllipticArcRecordOf(ArcMethod::AxisEnds, *f, clicks);
    EXPECT_EQ(r.method, 2);
    EXPECT_NEAR(r.tilt, 90, 1e-9);
    EXPECT_NEAR(r.rx, 5, 1e-12);
    EXPECT_NEAR(r.ry, 2.5, 1e-12);
    EXPECT_EQ(r.startX, 0);
    EXPECT_EQ(r.endY, -10);
    EXPECT_FALSE(figure(ArcMethod::AxisEnds, {{1, 1}, {1, 1}}, v));
}

TEST(ArcRecords, MethodCodesAndKeptPoints)
{
    const std::vector<PointD> three{{10, 0}, {-10, 0}, {0, -10}};
    const ArcRecord arc = ArcRecordOf(ArcMethod::ThreePoints, *figure(ArcMethod::ThreePoints, three), three);
    EXPECT_EQ(arc.method, 1);
    EXPECT_EQ(arc.thirdY, -10);
    const std::vector<PointD> centre{{0, 0}, {10, 0}, {0, -10}, {-10, 0}};
    EXPECT_EQ(ArcRecordOf(ArcMethod::CentreRadiusEnds, *figure(ArcMethod::CentreRadiusEnds, centre), centre).method,
              0);
    const std::vector<PointD> diagonal{{0, 0}, {20, 10}, {20, 5}, {0, 5}};
    const EllipticArcRecord d
        = EllipticArcRecordOf(ArcMethod::DiagonalEnds, *figure(ArcMethod::DiagonalEnds, diagonal), diagonal);
    EXPECT_EQ(d.method, 1);
    EXPECT_EQ(d.cx, 10);
    EXPECT_EQ(d.rx, 10);
    EXPECT_EQ(d.ry, 5);
    EXPECT_EQ(d.endX, 20);
}

// ---- Change constructors ---------------------------------------------------------

ArcRecord quarterArc()
{
    ArcRecord r;
    r.h.layer = 7;
    r.r = 10;
    r.startAngle = 90;
    r.sweepAngle = 90;
    return r;
}

TEST(ArcChange, RadiusPointKeepsCentreAndAngles)
{
    const std::optional<ArcRecord> r = ChangedArc(quarterArc(), ArcHandle::RadiusPoint, {0, 4});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->h.layer, 7);
    EXPECT_NEAR(r->r, 4, 1e-12);
    EXPECT_EQ(r->startAngle, 90);
    EXPECT_FALSE(ChangedArc(quarterArc(), ArcHandle::RadiusPoint, {0, 0}));
}

TEST(ArcChange, MovedEndsKeepTheOtherEndAndTheSweepSign)
{
    const std::optional<ArcRecord> start = ChangedArc(quarterArc(), ArcHandle::Start, {10, 0});
    ASSERT_TRUE(start);
    EXPECT_NEAR(start->startAngle, 0, 1e-9);
    EXPECT_NEAR(start->sweepAngle, 180, 1e-9);
    const std::optional<ArcRecord> end = ChangedArc(quarterArc(), ArcHandle::End, {0, 10});
    ASSERT_TRUE(end);
    EXPECT_NEAR(end->sweepAngle, 180, 1e-9);
    ArcRecord clockwise = quarterArc();
    clockwise.sweepAngle = -90;  // from 90 to 0
    const std::optional<ArcRecord> cw = ChangedArc(clockwise, ArcHandle::End, {-10, 0});
    ASSERT_TRUE(cw);
    EXPECT_NEAR(cw->sweepAngle, 90 - 360, 1e-9);
    EXPECT_FALSE(ChangedArc(quarterArc(), ArcHandle::End, {0, -3}));  // onto the start
}

TEST(ArcChange, ThreePointArcMovesOnePoint)
{
    const std::vector<PointD> three{{10, 0}, {-10, 0}, {0, -10}};
    ArcRecord old = ArcRecordOf(ArcMethod::ThreePoints, *figure(ArcMethod::ThreePoints, three), three);
    const std::optional<ArcRecord> r = ChangedArc(old, ArcHandle::Point3, {0, 10});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->method, 1);
    EXPECT_NEAR(r->startAngle, 180, 1e-9);
    EXPECT_EQ(r->thirdY, 10);
    EXPECT_FALSE(ChangedArc(old, ArcHandle::Point3, {0, 0}));  // collinear
}

TEST(ArcChange, EllipticArcAxisEndKeepsTheRatio)
{
    WorkingValues v;
    v.ratio = 0.5;
    const std::vector<PointD> clicks{{0, 0}, {10, 0}, {10, -1}, {0, -1}};
    const EllipticArcRecord old = EllipticArcRecordOf(ArcMethod::AxisEnds, *figure(ArcMethod::AxisEnds, clicks, v), clicks);
    const std::optional<EllipticArcRecord> r = ChangedEllipticArc(old, ArcHandle::AxisEnd2, {0, -20});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->method, 2);
    EXPECT_NEAR(r->rx, 10, 1e-12);
    EXPECT_NEAR(r->ry, 5, 1e-12);
    EXPECT_NEAR(r->tilt, 90, 1e-9);
    EXPECT_EQ(r->startAngle, old.startAngle);
    EXPECT_EQ(r->endY, -20);
    const std::optional<EllipticArcRecord> centre = ChangedEllipticArc(old, ArcHandle::RadiusPoint, {8, 2});
    ASSERT_TRUE(centre);
    EXPECT_EQ(centre->method, 0);
}

TEST(ArcChange, RingOuterMustStayOutsideTheInner)
{
    RingRecord ring;
    ring.outerRx = ring.outerRy = 20;
    ring.innerRx = ring.innerRy = 10;
    ring.sweepAngle = 360;
    EXPECT_FALSE(ChangedRing(ring, ArcHandle::RadiusPoint, {8, 8}));
    EXPECT_FALSE(ChangedRing(ring, ArcHandle::InnerRadiusPoint, {25, 5}));
    const std::optional<RingRecord> inner = ChangedRing(ring, ArcHandle::InnerRadiusPoint, {5, 6});
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->innerRx, 5);
    EXPECT_EQ(inner->innerRy, 6);
    SectorRecord pie;
    pie.rx = pie.ry = 10;
    pie.sweepAngle = 90;
    const std::optional<SectorRecord> moved = ChangedSector(pie, ArcHandle::End, {-10, 0});
    ASSERT_TRUE(moved);
    EXPECT_NEAR(moved->sweepAngle, 180, 1e-9);
}

}  // namespace
