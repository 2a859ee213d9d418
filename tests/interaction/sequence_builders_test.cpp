// Point-sequence click rules (finishing on the previous or the first point,
// ignored repeats, minimum counts, step back) and the regular polygon and
// star vertex lists.
#include "interaction/build_sequences.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/func.h"

namespace {

struct ClickRun {
    PointSequence seq;
    SequenceClickResult last;
};

ClickRun clickAll(SequenceKind kind, std::initializer_list<PointD> points)
{
    ClickRun run;
    for (PointD p : points)
        run.last = AddSequencePoint(kind, run.seq, p);
    return run;
}

struct FinishRow {
    const char* name;
    SequenceKind kind;
    std::vector<PointD> clicks;
    SequenceClick outcome;
    int32_t count;  // Finished: points of the figure; else entered points
};

class SequenceFinish : public testing::TestWithParam<FinishRow> { };

TEST_P(SequenceFinish, OutcomeAndCount)
{
    const FinishRow& r = GetParam();
    PointSequence seq;
    SequenceClickResult last;
    for (PointD p : r.clicks)
        last = AddSequencePoint(r.kind, seq, p);
    EXPECT_EQ(last.outcome, r.outcome);
    EXPECT_EQ(last.outcome == SequenceClick::Finished ? last.count : seq.entered(), r.count);
}

constexpr PointD A{0, 0}, B{10, 0}, C{10, 10}, D{0, 10};

INSTANTIATE_TEST_SUITE_P(Rows, SequenceFinish,
    testing::Values(FinishRow{"polyline_on_previous_point", SequenceKind::Polyline, {A, B, B}, SequenceClick::Finished, 2},
        FinishRow{"polyline_on_first_point_keeps_it", SequenceKind::Polyline, {A, B, C, A}, SequenceClick::Finished, 4},
        FinishRow{"polyline_second_equal_first_ignored", SequenceKind::Polyline, {A, A}, SequenceClick::Ignored, 1},
        FinishRow{"polygon_on_first_point_drops_it", SequenceKind::Polygon, {A, B, C, A}, SequenceClick::Finished, 3},
        FinishRow{"polygon_third_on_first_ignored", SequenceKind::Polygon, {A, B, A}, SequenceClick::Ignored, 2},
        FinishRow{"polygon_third_on_second_ignored", SequenceKind::Polygon, {A, B, B}, SequenceClick::Ignored, 2},
        FinishRow{"polygon_on_previous_point", SequenceKind::Polygon, {A, B, C, D, D}, SequenceClick::Finished, 4},
        FinishRow{"closed_spline_on_first_point", SequenceKind::ClosedSpline, {A, B, C, D, A}, SequenceClick::Finished, 4},
        FinishRow{"open_spline_on_first_point", SequenceKind::OpenSpline, {A, B, A}, SequenceClick::Finished, 3},
        FinishRow{"bezier_repeats_allowed_before_five", SequenceKind::Bezier, {A, B, B, A}, SequenceClick::Advanced, 4},
        FinishRow{"bezier_on_previous_point", SequenceKind::Bezier, {A, B, C, D, D}, SequenceClick::Finished, 4},
        FinishRow{"bezier_on_first_point", SequenceKind::Bezier, {A, B, C, D, A}, SequenceClick::Finished, 5},
        FinishRow{"tolerance_is_one_millionth", SequenceKind::Polyline, {A, B, {10.0000005, 0}},
                  SequenceClick::Finished, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SequenceFinish, IgnoredClickIsOverwrittenByTheNext)
{
    ClickRun run = clickAll(SequenceKind::Polyline, {A, A});
    EXPECT_EQ(run.last.outcome, SequenceClick::Ignored);
    EXPECT_EQ(AddSequencePoint(SequenceKind::Polyline, run.seq, B).outcome, SequenceClick::Advanced);
    EXPECT_EQ(run.seq.entered(), 2);
    EXPECT_EQ(run.seq.points[1], B);
}

TEST(SequenceFinish, CtrlEUsesTheMinimumCounts)
{
    EXPECT_EQ(FinishCount(SequenceKind::Polyline, clickAll(SequenceKind::Polyline, {A}).seq), 0);
    EXPECT_EQ(FinishCount(SequenceKind::Polyline, clickAll(SequenceKind::Polyline, {A, B}).seq), 2);
    EXPECT_EQ(FinishCount(SequenceKind::Polygon, clickAll(SequenceKind::Polygon, {A, B}).seq), 0);
    EXPECT_EQ(FinishCount(SequenceKind::Bezier, clickAll(SequenceKind::Bezier, {A, B, C}).seq), 0);
    EXPECT_EQ(FinishCount(SequenceKind::Bezier, clickAll(SequenceKind::Bezier, {A, B, C, D}).seq), 4);
}

TEST(SequenceFinish, BackspaceForgetsTheLastPointAndStopsAtTheFirst)
{
    ClickRun run = clickAll(SequenceKind::Polyline, {A, B, C});
    RemoveLastPoint(run.seq);
    EXPECT_EQ(run.seq.entered(), 2);
    EXPECT_EQ(run.seq.next, 3);
    // The next click replaces the forgotten third point.
    EXPECT_EQ(AddSequencePoint(SequenceKind::Polyline, run.seq, D).outcome, SequenceClick::Advanced);
    EXPECT_EQ(run.seq.points[2], D);
    for (int i = 0; i < 5; ++i)
        RemoveLastPoint(run.seq);
    EXPECT_EQ(run.seq.next, 1);
}

TEST(SequencePreview, OpenLineToCursorClosedKindsCloseThroughIt)
{
    const PointSequence seq = clickAll(SequenceKind::Polygon, {A, B}).seq;
    const std::vector<PointD> closed = SequencePreview(SequenceKind::Polygon, seq, C);
    EXPECT_EQ(closed, (std::vector<PointD>{A, B, C, A}));
    const std::vector<PointD> open = SequencePreview(SequenceKind::Polyline, seq, C);
    EXPECT_EQ(open, (std::vector<PointD>{A, B, C}));
}

TEST(RegularPolygon, HexagonFromTheRightmostPointCounterClockwise)
{
    const std::vector<PointD> v = RegularPolygonVertices({0, 0}, {10, 0}, 6);
    const double h = 10 * std::sqrt(3.0) / 2;
    const PointD expected[6] = {{10, 0}, {5, -h}, {-5, -h}, {-10, 0}, {-5, h}, {5, h}};
    ASSERT_EQ(v.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(v[i].x, expected[i].x, 1e-9) << i;
        EXPECT_NEAR(v[i].y, expected[i].y, 1e-9) << i;
    }
}

TEST(RegularPolygon, VertexZeroIsTheClickedPointExactly)
{
    const PointD p{3.3, -7.1};
    const std::vector<PointD> v = RegularPolygonVertices({1, 1}, p, 7);
    ASSERT_EQ(v.size(), 7u);
    EXPECT_EQ(v[0], p);
    for (const PointD& q : v)
        EXPECT_NEAR(Distance({1, 1}, q), Distance({1, 1}, p), 1e-9);
}

TEST(Star, FivePointsAlternateBetweenTheRadii36DegreesApart)
{
    const PointD c{2, 3}, p{2, -7};  // outer point straight above: 90 degrees
    const std::vector<PointD> v = StarVertices(c, p, 4, 5);
    ASSERT_EQ(v.size(), 10u);
    EXPECT_EQ(v[0], p);
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(Distance(c, v[i]), i % 2 ? 4 : 10, 1e-9) << i;
        const double angle = VectorAngleDeg(v[i].x - c.x, c.y - v[i].y);
        EXPECT_NEAR(NormalizeDeg(angle - 90 - 36 * i + 0.5) - 0.5, 0, 1e-9) << i;
    }
}

TEST(Star, InnerClickMustLieStrictlyInsideTheOuterRadius)
{
    EXPECT_TRUE(StarInnerRadiusFits({0, 0}, {10, 0}, {0, 4}));
    EXPECT_FALSE(StarInnerRadiusFits({0, 0}, {10, 0}, {0, 10}));
    EXPECT_FALSE(StarInnerRadiusFits({0, 0}, {10, 0}, {0, 0}));
}

}  // namespace
