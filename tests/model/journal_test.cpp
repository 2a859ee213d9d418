// Undo and redo flip the live flags of one group and report its label.
#include <gtest/gtest.h>

#include "model/data.h"

namespace {

void drawLine(Drawing& d)
{
    d.journal.BeginGroup();
    d.AppendLine({});
    d.journal.EndGroup();
}

TEST(Journal, UndoOfADrawnLineHidesItAndEnablesRedo)
{
    Drawing d;
    drawLine(d);
    EXPECT_TRUE(d.journal.canUndo());
    EXPECT_FALSE(d.journal.canRedo());
    EXPECT_EQ(d.Undo(), "元に戻す：線分作図");
    EXPECT_FALSE(d.registry[0].live);
    EXPECT_FALSE(d.journal.canUndo());
    EXPECT_TRUE(d.journal.canRedo());
    EXPECT_EQ(d.Redo(), "やり直し：線分作図");
    EXPECT_TRUE(d.registry[0].live);
}

TEST(Journal, UndoOfADeleteBringsTheElementBack)
{
    Drawing d;
    drawLine(d);
    d.journal.BeginGroup();
    d.markDead(0);
    d.journal.EndGroup();
    EXPECT_EQ(d.Undo(), "元に戻す：線分削除");
    EXPECT_TRUE(d.registry[0].live);
}

TEST(Journal, AMoveShowsTheOldestEntryOnUndoAndTheNewestOnRedo)
{
    Drawing d;
    d.journal.BeginGroup();
    d.AppendCircle({});
    d.journal.EndGroup();
    d.journal.BeginGroup();  // move: new circle, then the old one dies
    d.AppendCircle({});
    d.markDead(0);
    d.journal.EndGroup();
    EXPECT_EQ(d.Undo(), "元に戻す：円作図");
    EXPECT_TRUE(d.registry[0].live);
    EXPECT_FALSE(d.registry[1].live);
    EXPECT_EQ(d.Redo(), "やり直し：円削除");
    EXPECT_FALSE(d.registry[0].live);
    EXPECT_TRUE(d.registry[1].live);
}

TEST(Journal, AGroupThatRecordsNothingIsNoStep)
{
    Drawing d;
    drawLine(d);
    drawLine(d);
    ASSERT_EQ(d.Undo(), "元に戻す：線分作図");  // the second line
    d.journal.BeginGroup();  // a command that finds nothing to do
    d.journal.EndGroup();
    EXPECT_EQ(d.journal.undoLevel(), 1);
    EXPECT_TRUE(d.journal.canRedo());  // the undone line can still come back
    EXPECT_EQ(d.Redo(), "やり直し：線分作図");
    EXPECT_TRUE(d.registry[1].live);
    d.journal.BeginGroup();
    d.journal.EndGroup();
    EXPECT_FALSE(d.journal.canRedo());
    EXPECT_EQ(d.Undo(), "元に戻す：線分作図");  // the next Undo takes back a real command
    EXPECT_FALSE(d.registry[1].live);
    EXPECT_TRUE(d.registry[0].live);
}

TEST(Journal, ANewCommandAfterUndoDiscardsTheRedoBranch)
{
    Drawing d;
    drawLine(d);  // A
    drawLine(d);  // B
    d.Undo();
    drawLine(d);  // C
    EXPECT_FALSE(d.journal.canRedo());
    EXPECT_EQ(d.Redo(), "やり直し：---");
    EXPECT_FALSE(d.registry[1].live) << "B never comes back";
    EXPECT_TRUE(d.registry[2].live);
    d.Undo();
    d.Undo();
    EXPECT_FALSE(d.registry[0].live);
    EXPECT_FALSE(d.registry[1].live);
    EXPECT_FALSE(d.registry[2].live);
}

TEST(Journal, NothingToUndoOrRedoShowsDashes)
{
    Drawing d;
    EXPECT_EQ(d.Undo(), "元に戻す：---");
    EXPECT_EQ(d.Redo(), "やり直し：---");
}

TEST(Journal, HasNoLengthLimit)
{
    Drawing d;
    d.journal.BeginGroup();
    for (int i = 0; i < 1000; ++i)
        d.AppendPoint({});
    d.journal.EndGroup();
    EXPECT_EQ(d.journal.position(), 1000);
    d.Undo();
    for (const ElementRef& ref : d.registry)
        ASSERT_FALSE(ref.live);
}

TEST(UnsavedChanges, FollowCommandsUndoAndSave)
{
    Drawing d;
    EXPECT_FALSE(d.isModified());
    drawLine(d);
    EXPECT_TRUE(d.isModified());
    d.markSaved();
    EXPECT_FALSE(d.isModified());
    d.Undo();
    EXPECT_TRUE(d.isModified());
    d.ResetDatabase();
    EXPECT_FALSE(d.isModified());
}

}  // namespace
