// The builder protocol stores a draft only in the table of its kind: a draft
// whose record is of another kind's type is refused like a failed build, and a
// change to one leaves the old element as it was.
#include "interaction/builder_protocol.h"

#include <gtest/gtest.h>

#include "fake_host.h"

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Mismatch {
    ElementKind kind;
    DraftRecord record;
    const char* refusal;
};

class MismatchedDraft : public testing::TestWithParam<Mismatch> {};

TEST_P(MismatchedDraft, IsRefusedAndNothingIsAppended)
{
    FakeHost h;
    CommandContext ctx = h.ctx();
    const Draft draft{GetParam().kind, GetParam().record};
    EXPECT_FALSE(CommitDraft(ctx, draft));
    EXPECT_EQ(h.operation, text(GetParam().refusal));
    EXPECT_FALSE(AppendWithCurrentAttributes(ctx, draft));
    EXPECT_TRUE(h.drawing.registry.empty());
    EXPECT_FALSE(h.drawing.journal.canUndo());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MismatchedDraft,
    testing::Values(Mismatch{ElementKind::Pie, LineRecord{{}, 0, 0, 10, 10}, "扇形作図NG"},
                    Mismatch{ElementKind::Line, SectorRecord{{}, 50, 50, 20, 20, 0, 0, 90}, "線分作図NG"},
                    Mismatch{ElementKind::Polygon, OpenPathRecord{{}, {{0, 0}, {9, 0}, {9, 9}}}, "点 未指定"},
                    Mismatch{ElementKind::Text, PointRecord{}, "文字作図NG"}));

TEST(MismatchedChange, LeavesTheOldElementLiveAndAppendsNothing)
{
    FakeHost h;
    CommandContext ctx = h.ctx();
    ASSERT_EQ(CommitDraft(ctx, Draft{ElementKind::Pie, SectorRecord{{}, 50, 50, 20, 20, 0, 0, 90}}), 0);
    // A sector record offered as a line: the line table cannot hold it.
    EXPECT_FALSE(CommitChange(ctx, 0, Draft{ElementKind::Line, SectorRecord{{}, 60, 60, 20, 20, 0, 0, 90}}));
    EXPECT_EQ(h.operation, text("線分変更NG"));
    ASSERT_EQ(h.drawing.registry.size(), 1u);
    EXPECT_TRUE(h.drawing.registry[0].live);
    EXPECT_EQ(h.drawing.tables.pies.size(), 1u);
    EXPECT_TRUE(h.drawing.tables.lines.empty());
    EXPECT_TRUE(h.drawing.tables.outsides.empty());
}

}  // namespace
