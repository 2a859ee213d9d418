// Point sequences built through the machine (finishing on the previous or
// the first point, ignored repeats, minimum counts, Ctrl+E) and the regular
// polygon and star vertex lists.
#include "interaction/build_sequences.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fake_host.h"
#include "geometry/func.h"
#include "interaction/builder_protocol.h"

namespace {

// A sequence command driven through the machine: the figure its clicks
// finish (or Ctrl+E), built by the point-list builders.
struct FinishRow {
    const char* name;
    const char* handler;
    std::vector<QPoint> clicks;
    bool ctrlE;
    int points;  // of the built figure; 0: nothing built
};

class SequenceFinish : public testing::TestWithParam<FinishRow> { };

TEST_P(SequenceFinish, BuildsTheFigureOfTheEnteredPoints)
{
    const FinishRow& r = GetParam();
    FakeHost h;
    ASSERT_TRUE(h.start(r.handler));
    for (const QPoint& p : r.clicks)
        h.click(p.x(), p.y());
    if (r.ctrlE) {
        CommandContext c = h.ctx();
        FinishSequence(c);
    }
    if (r.points == 0) {
        EXPECT_TRUE(h.drawing.registry.empty());
        return;
    }
    ASSERT_EQ(h.drawing.registry.size(), 1u);
    size_t count = 0;
    PointD first, last;
    visitElement(h.drawing, h.drawing.registry[0], [&](ElementKind, const auto& rec) {
        if constexpr (requires { rec.points; }) {
            count = rec.points.size();
            first = rec.points.front();
            last = rec.points.back();
        }
    });
    EXPECT_EQ(count, static_cast<size_t>(r.points));
    EXPECT_EQ(h.state.construction.nextPoint, 1);
    // An open figure finished on its first point ends there; a closed one
    // dropped the repeat.
    if (r.clicks.size() > 2 && r.clicks.back() == r.clicks.front()) {
        EXPECT_EQ(first == last, r.points == static_cast<int>(r.clicks.size()));
    }
}

const QPoint A{100, 100}, B{150, 100}, C{150, 150}, D{100, 150};

INSTANTIATE_TEST_SUITE_P(Rows, SequenceFinish,
    testing::Values(FinishRow{"polyline_on_previous_point", "PopDrawPlin1Click", {A, B, B}, false, 2},
        FinishRow{"polyline_on_first_point_keeps_it", "PopDrawPlin1Click", {A, B, C, A}, false, 4},
        FinishRow{"polyline_ctrl_e_needs_two", "PopDrawPlin1Click", {A}, true, 0},
        FinishRow{"polyline_ctrl_e_with_two", "PopDrawPlin1Click", {A, B}, true, 2},
        FinishRow{"polygon_on_first_point_drops_it", "PopDrawPgon1Click", {A, B, C, A}, false, 3},
        FinishRow{"polygon_third_on_first_ignored", "PopDrawPgon2Click", {A, B, A, C, D, D}, false, 4},
        FinishRow{"polygon_ctrl_e_needs_three", "PopDrawPgon3Click", {A, B}, true, 0},
        FinishRow{"closed_spline_on_first_point", "PopDrawCsp1Click", {A, B, C, D, A}, false, 4},
        FinishRow{"open_spline_on_first_point", "PopDrawOsp1Click", {A, B, A}, false, 3},
        FinishRow{"bezier_needs_four", "PopDrawBez1Click", {A, B, C}, true, 0},
        FinishRow{"bezier_repeats_allowed_before_five", "PopDrawBez1Click", {A, B, B, A}, true, 4},
        FinishRow{"bezier_on_previous_point", "PopDrawBez1Click", {A, B, C, D, D}, false, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SequenceBuilders, TooFewPointsAreRefusedWithPointsNotGiven)
{
    const Draft polygon = PointListDraft(ElementKind::Polygon, {{0, 0}, {1, 0}}, 1);
    EXPECT_TRUE(polygon.refused());
    EXPECT_EQ(polygon.kind, ElementKind::Polygon);
    EXPECT_TRUE(PointListDraft(ElementKind::Bezier, {{0, 0}, {1, 0}, {2, 1}}, 0).refused());
    const Draft filled = PointListDraft(ElementKind::ClosedSpline, {{0, 0}, {1, 0}, {1, 1}}, 2);
    ASSERT_FALSE(filled.refused());
    EXPECT_EQ(std::get<ClosedPathRecord>(filled.record).h.fillMode, 2);
    FakeHost h;
    h.start("PopDrawPlin2Click");
    Construction& c = h.state.construction;
    c.freehand = {{0, 0}};
    CommandContext ctx = h.ctx();
    CommitDraft(ctx, BuildPolylineFromStroke(c, 0));
    EXPECT_EQ(h.operation, QString::fromUtf8("点 未指定"));
    EXPECT_TRUE(h.drawing.registry.empty());
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
