// The Edit menu through the real TForm1: the blink ticks on Timer1 drawing
// only the selection, Deselect leaving the canvas as a repaint would, the
// shortcuts, Undo of a move through the menu, and a copy.
#include "../app/app_test_support.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(FormEdit, ThePickBlinksTheLineRedAndDeselectRestoresIt)
{
    auto form = MakeShownForm();
    AddLine(form->drawing(), 20, 100, 300, 100);
    AddLine(form->drawing(), 20, 200, 300, 200);
    form->Repaint();
    Trigger(*form, "PopEditSelect1Click");
    Click(*form, { 150, 100 });
    EXPECT_EQ(form->statusText(1), Text("１要素選択OK"));
    ASSERT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 100);
    form->Timer1Timer(); // level 0: pure red
    EXPECT_EQ(Pixel(*form, 150, 100), 0xFF0000u);
    EXPECT_EQ(Pixel(*form, 150, 200), 0x000000u); // the other line is left alone
    EXPECT_EQ(form->Timer1->interval(), 200);
    for (int i = 0; i < 4; ++i)
        form->Timer1Timer(); // levels 1..4
    EXPECT_EQ(Pixel(*form, 150, 100), 0xFF7F7Fu);
    // The grip at the line's first end, its square 5 pixels out.
    EXPECT_EQ(Pixel(*form, 20, 95), 0x008000u);
    Trigger(*form, "PopEditSelectOutClick");
    EXPECT_EQ(form->statusText(1), Text("選択解除"));
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(Pixel(*form, 150, 100), 0x000000u);
    EXPECT_EQ(Pixel(*form, 20, 95), 0xFFFFFFu);
}

TEST(FormEdit, ShortcutsOfSelectAllAndDelete)
{
    auto form = MakeShownForm();
    EXPECT_EQ(form->menuAction(QStringLiteral("PopEditSelectAllClick"))->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(
        form->menuAction(QStringLiteral("PopEditDeleteClick"))->shortcut(), QKeySequence(Qt::Key_Delete));
    AddLine(form->drawing(), 20, 100, 300, 100);
    form->Repaint();
    Trigger(*form, "PopEditSelectAllClick");
    EXPECT_EQ(form->statusText(1), Text("全選択OK"));
    Trigger(*form, "PopEditDeleteClick");
    EXPECT_EQ(form->statusText(1), Text("削除数：1"));
    EXPECT_EQ(Pixel(*form, 150, 100), 0xFFFFFFu);
    Trigger(*form, "PopEditUndoClick");
    EXPECT_EQ(Pixel(*form, 150, 100), 0x000000u);
}

TEST(FormEdit, AMoveIsUndoneInOneStepFromTheMenu)
{
    auto form = MakeShownForm();
    AddLine(form->drawing(), 20, 100, 300, 100);
    form->Repaint();
    Trigger(*form, "PopEditSelectAllClick");
    Trigger(*form, "PopEditMoveClick");
    EXPECT_EQ(form->statusText(0), Text("移動｜移動元の点を指示して下さい"));
    Click(*form, { 150, 150 });
    Click(*form, { 150, 180 });
    EXPECT_EQ(form->statusText(1), Text("移動数：1"));
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->drawing().tables.lines.back().y1, 130);
    Trigger(*form, "PopEditUndoClick");
    EXPECT_EQ(form->drawing().registry[0].live, 1);
    EXPECT_EQ(form->drawing().registry[1].live, 0);
    EXPECT_EQ(Pixel(*form, 150, 100), 0x000000u);
}

// The window runs the copy that the machine's click asks it for.
TEST(FormEdit, ACopyLeavesTheSourceSelectedAndLive)
{
    auto form = MakeShownForm();
    AddLine(form->drawing(), 20, 100, 300, 100);
    form->Repaint();
    Trigger(*form, "PopEditSelectAllClick");
    Trigger(*form, "PopEditCopyClick");
    Click(*form, { 150, 150 });
    Click(*form, { 150, 170 });
    EXPECT_EQ(form->statusText(1), Text("複写数：1"));
    ASSERT_EQ(form->drawing().registry.size(), 2u);
    EXPECT_EQ(form->drawing().registry[0].live, 1);
    EXPECT_EQ(form->drawing().tables.lines.back().y1, 120);
    ASSERT_EQ(form->drawing().selection.size(), 1u);
    EXPECT_EQ(form->drawing().selection[0].registryPosition, 0);
}

} // namespace
