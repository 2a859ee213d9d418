// The click rule of the point sequences: where a figure finishes and how many
// points it keeps, for every shape; and the machine's sequence state through
// clicks, Backspace and Ctrl+E.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "interaction/sequence_rules.h"

namespace {

struct SequenceCase {
    const char* name;
    SequenceShape shape;
    std::vector<PointD> clicks;
    int builtCount;  // 0: still open after the last click
};

// Feeds the clicks as the machine does: each one into the slot of the next
// point number; an ignored click is overwritten by the next.
int BuiltCount(const SequenceCase& c)
{
    std::vector<PointD> points;
    int next = 1;
    for (PointD p : c.clicks) {
        points.resize(static_cast<size_t>(next));
        points[static_cast<size_t>(next - 1)] = p;
        const SequenceOutcome out = NextSequenceStep(c.shape, points, next);
        if (out.kind == SequenceOutcome::Build)
            return out.count;
        if (out.kind == SequenceOutcome::Advance)
            ++next;
    }
    return 0;
}

class SequenceClicks : public testing::TestWithParam<SequenceCase> {};

TEST_P(SequenceClicks, FinishAndPointCount)
{
    EXPECT_EQ(BuiltCount(GetParam()), GetParam().builtCount);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, SequenceClicks,
    testing::Values(
        SequenceCase{"polyline_twice_on_the_same_spot", SequenceShape::Open, {{0, 0}, {10, 0}, {10, 0}}, 2},
        SequenceCase{"polyline_closed_on_its_first_point",
                     SequenceShape::Open, {{0, 0}, {10, 0}, {10, 10}, {0, 0}}, 4},
        SequenceCase{"polygon_closed_on_its_first_point",
                     SequenceShape::Closed, {{0, 0}, {10, 0}, {10, 10}, {0, 0}}, 3},
        SequenceCase{"polygon_third_point_equal_to_the_first_is_ignored",
                     SequenceShape::Closed, {{0, 0}, {10, 0}, {0, 0}, {5, 5}}, 0},
        SequenceCase{"second_point_equal_to_the_first_is_ignored",
                     SequenceShape::Open, {{0, 0}, {0, 0}, {10, 0}, {10, 0}}, 2},
        SequenceCase{"bezier_takes_points_three_and_four_untested",
                     SequenceShape::Bezier, {{0, 0}, {10, 0}, {10, 0}, {0, 0}}, 0},
        SequenceCase{"bezier_finishes_from_the_fifth",
                     SequenceShape::Bezier, {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 10}}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SequenceState, BackspaceDropsTheLastPointAndCtrlENeedsEnoughPoints)
{
    FakeHost h;
    // The menu rows of the sequences wait for their builders; the machine's
    // state works without one.
    h.state.CommandMode = 2000;
    h.click(10, 10);
    CommandContext c = h.ctx();
    FinishSequence(c);
    EXPECT_EQ(h.state.construction.nextPoint, 2);  // one point: Ctrl+E does nothing
    h.click(50, 10);
    h.click(50, 60);
    EXPECT_EQ(h.state.construction.nextPoint, 4);
    EXPECT_EQ(h.prompt, QString::fromUtf8("ポリライン｜第4点を指示して下さい（完了:前回位置/第1点と同位置）"));
    h.backspace();
    EXPECT_EQ(h.state.construction.nextPoint, 3);
    EXPECT_EQ(h.prompt, QString::fromUtf8("ポリライン｜第3点を指示して下さい（完了:前回位置/第1点と同位置）"));
    FinishSequence(c);
    EXPECT_EQ(h.state.construction.nextPoint, 1);
    EXPECT_TRUE(h.state.construction.sequence.empty());
    EXPECT_EQ(h.state.CommandMode, 2000);
}

TEST(SequenceState, FreehandLineBuffersOnlyFarEnoughPointsAndAGestureAbandonsIt)
{
    FakeHost h;
    h.state.CommandMode = 2300;
    CommandContext c = h.ctx();
    MachineMouseDown(c, Qt::LeftButton, {100, 100});
    EXPECT_EQ(h.state.CommandMode, 2301);
    for (int x = 101; x <= 130; ++x)
        MachineMouseMove(c, Qt::LeftButton, {x, 100});
    // 10-pixel steps: 110, 120, 130 joined the press point.
    EXPECT_EQ(h.state.construction.freehand.size(), 4u);
    EXPECT_TRUE(h.state.preview.shown());
    MachineGestureStarted(c);
    EXPECT_EQ(h.state.CommandMode, 2300);
    EXPECT_TRUE(h.state.construction.freehand.empty());
    EXPECT_FALSE(h.state.preview.shown());
}

}  // namespace
