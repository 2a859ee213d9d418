// The Draw commands through the real TForm1: menu actions and shortcuts,
// QTest mouse events on PaintBox1, the status lines, the records and the
// canvas pixels. The order of the mouse handlers' steps is what these catch.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "../app/app_test_support.h"
#include "app/menu_table.h"
#include "dialogs/UnitInp1.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void CloseMenu(TForm1& form)
{
    form.PopupMenu1->hide();
    QApplication::processEvents();
}

TEST(FormDraw, LineFromTheMenuWithTwoClicks)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    EXPECT_EQ(form->statusText(0), Text("線分｜始点を指示して下さい"));
    Click(*form, {20, 30});
    EXPECT_EQ(form->statusText(0), Text("線分｜終点を指示して下さい"));
    Click(*form, {120, 30});
    ASSERT_EQ(form->drawing().tables.lines.size(), 1u);
    const LineRecord& line = form->drawing().tables.lines[0];
    EXPECT_EQ(line.x1, 20);
    EXPECT_EQ(line.x2, 120);
    EXPECT_EQ(form->statusText(1), Text("線分作図(1)"));
    EXPECT_EQ(form->statusText(0), Text("線分｜始点を指示して下さい"));
    EXPECT_TRUE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
    EXPECT_FALSE(form->menuAction(QStringLiteral("PopEditRedoClick"))->isEnabled());
    EXPECT_EQ(Pixel(*form, 70, 30), 0x000000u);
}

TEST(FormDraw, ShortcutsStartTheLineCommands)
{
    auto form = MakeShownForm();
    QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(form->interaction().CommandMode, 100);
    QTest::keyClick(form.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->interaction().CommandMode, 110);
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->interaction().CommandMode, 120);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->interaction().CommandMode, 0);
    EXPECT_EQ(form->statusText(1), Text("Esc"));
}

TEST(FormDraw, RightClickOpensTheMenuAndKeepsTheStep)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawCirc1Click");
    Click(*form, {100, 100});
    ASSERT_EQ(form->interaction().CommandMode, 401);
    Press(*form, Qt::RightButton, {150, 100});
    Release(*form, Qt::RightButton, Qt::NoButton, {150, 100});
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    CloseMenu(*form);
    EXPECT_EQ(form->interaction().CommandMode, 401);
    Click(*form, {130, 140});
    ASSERT_EQ(form->drawing().tables.circles.size(), 1u);
    EXPECT_DOUBLE_EQ(form->drawing().tables.circles[0].r, 50);
    EXPECT_EQ(form->statusText(1), Text("円作図(1)"));
}

TEST(FormDraw, TwoButtonGestureAddsNoPoint)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {50, 50});
    ASSERT_EQ(form->interaction().CommandMode, 101);
    Press(*form, Qt::LeftButton, {200, 150});
    Press(*form, Qt::RightButton, {200, 150});
    Release(*form, Qt::LeftButton, Qt::RightButton, {202, 151});
    Release(*form, Qt::RightButton, Qt::NoButton, {202, 151});
    EXPECT_EQ(form->statusText(1), Text("画面移動表示"));
    EXPECT_TRUE(form->drawing().registry.empty());
    EXPECT_EQ(form->interaction().CommandMode, 101);
    EXPECT_FALSE(form->PopupMenu1->isVisible());
}

TEST(FormDraw, PreviewFollowsTheCursorAndTheReleaseErasesIt)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {40, 200});
    const QImage before = form->canvasImage().copy();
    Move(*form, Qt::NoButton, {140, 200});
    EXPECT_EQ(Pixel(*form, 90, 200), 0xFF0000u);  // white XOR cyan
    Move(*form, Qt::NoButton, {40, 260});
    EXPECT_EQ(Pixel(*form, 90, 200), 0xFFFFFFu);
    Move(*form, Qt::NoButton, {300, 280});
    Press(*form, Qt::RightButton, {300, 280});
    Release(*form, Qt::RightButton, Qt::NoButton, {300, 280});
    CloseMenu(*form);
    EXPECT_EQ(form->canvasImage(), before);
}

TEST(FormDraw, MiddleDragPanKeepsTheStep)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {50, 50});
    Press(*form, Qt::MiddleButton, {100, 100});
    Move(*form, Qt::MiddleButton, {130, 110});
    Release(*form, Qt::MiddleButton, Qt::NoButton, {130, 110});
    EXPECT_EQ(form->statusText(1), Text("画面ドラッグ移動"));
    EXPECT_EQ(form->interaction().CommandMode, 101);
    // The second point is read in the panned view.
    Click(*form, {130, 110});
    ASSERT_EQ(form->drawing().tables.lines.size(), 1u);
    EXPECT_DOUBLE_EQ(form->drawing().tables.lines[0].x2, 100);
    EXPECT_DOUBLE_EQ(form->drawing().tables.lines[0].y2, 100);
}

TEST(FormDraw, EveryDrawItemIsEnabled)
{
    auto form = MakeShownForm();
    for (const MenuRow& row : PopupMenuRows()) {
        const std::string_view name(row.name);
        if (!name.starts_with("PopDraw") || !name.ends_with("Click"))
            continue;
        EXPECT_TRUE(form->menuAction(QString::fromUtf8(row.name))->isEnabled()) << row.name;
    }
}

}  // namespace

namespace {

// Types into the numeric dialog's first field and confirms with Return.
void AnswerFirstNumber(TForm1& form, const QString& text)
{
    WhenModal([&form, text](QWidget*) {
        form.FormInp1()->Edit[0]->setText(text);
        QTest::keyClick(form.FormInp1()->Edit[0], Qt::Key_Return);
    });
}

TEST(FormDraw, RadiusTwoPointsCircleThroughTheNumericDialog)
{
    auto form = MakeShownForm();
    AnswerFirstNumber(*form, QStringLiteral("5"));
    Trigger(*form, "PopDrawCirc7Click");
    EXPECT_EQ(form->interaction().CommandMode, 420);
    Click(*form, {100, 100});
    Click(*form, {106, 100});
    Click(*form, {103, 110});
    ASSERT_EQ(form->drawing().tables.circles.size(), 1u);
    EXPECT_NEAR(form->drawing().tables.circles[0].cy, 96, 1e-9);
    // Backspace at the first step asks the radius again, offering 5.
    QString offered;
    WhenModal([&](QWidget*) {
        offered = form->FormInp1()->Edit[0]->text();
        QTest::keyClick(form->FormInp1()->Edit[0], Qt::Key_Escape);
    });
    QTest::keyClick(form.get(), Qt::Key_Backspace);
    EXPECT_EQ(offered, QStringLiteral("5"));
    EXPECT_EQ(form->interaction().CommandMode, 420);
}

TEST(FormDraw, DivisionPointsAskTheCountAndReport)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {0, 50});
    Click(*form, {100, 50});
    form->drawing().selection.push_back({0, static_cast<int32_t>(ElementKind::Line), 0});
    AnswerFirstNumber(*form, QStringLiteral("4.7"));
    Trigger(*form, "PopDrawSepTenClick");
    EXPECT_EQ(form->drawing().tables.points.size(), 3u);
    EXPECT_EQ(form->statusText(1), Text("要素数：1"));
    EXPECT_EQ(form->settings().construction.divisionCount, 4);
    EXPECT_EQ(form->interaction().CommandMode, 100);
}

}  // namespace
