// Typed points through the real TForm1: keys open the entry field, Return
// gives the point to the step as a click would (without grid or snap), Esc
// and Backspace, refused texts, the Shift angle lock and the cursor readout.
#include <QAction>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "../app/app_test_support.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Types the text (each character a key) and Return.
void Enter(TForm1& form, const char* text)
{
    QTest::keyClicks(&form, QString::fromLatin1(text));
    QTest::keyClick(&form, Qt::Key_Return);
}

void ShiftMove(TForm1& form, QPoint pos)
{
    QWidget* canvas = Canvas(form);
    QMouseEvent event(QEvent::MouseMove, pos, canvas->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                      Qt::ShiftModifier);
    QApplication::sendEvent(canvas, &event);
}

void ShiftClick(TForm1& form, QPoint pos)
{
    ShiftMove(form, pos);
    QTest::mousePress(Canvas(form), Qt::LeftButton, Qt::ShiftModifier, pos);
    Release(form, Qt::LeftButton, Qt::NoButton, pos);
}

// ---- Every form on the kinds that take points ---------------------------------

struct KindRow {
    const char* name;
    const char* handler;
    std::vector<const char*> typed;
    std::function<void(const Drawing&)> check;
};

class TypedFigures : public testing::TestWithParam<KindRow> {};

TEST_P(TypedFigures, AreBuiltFromTheTypedPointsExactly)
{
    const KindRow& row = GetParam();
    auto form = MakeShownForm();
    // The grid is on: typed points must not be rounded to it.
    form->settings().grid.shown = true;
    form->settings().grid.pitchX = form->settings().grid.pitchY = 10;
    Trigger(*form, row.handler);
    Move(*form, Qt::NoButton, {300, 20});  // the direction of a distance
    for (const char* text : row.typed) {
        Enter(*form, text);
        EXPECT_EQ(form->pointEntryText(), QString()) << text;
    }
    row.check(form->drawing());
}

const double kRoot3Half = std::sqrt(3.0) / 2;

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedFigures,
    testing::Values(
        KindRow{"line_polar", "PopDrawLineClick", {"12.5,20.25", "@37.5<30"},
                [](const Drawing& d) {
                    ASSERT_EQ(d.tables.lines.size(), 1u);
                    const LineRecord& l = d.tables.lines[0];
                    EXPECT_EQ(l.x1, 12.5);
                    EXPECT_EQ(l.y1, 20.25);
                    EXPECT_EQ(l.x2, 12.5 + 37.5 * kRoot3Half);
                    EXPECT_EQ(l.y2, 20.25 - 18.75);
                }},
        KindRow{"rectangle_relative", "PopDrawBox1Click", {"33.3,44.4", "@120,45"},
                [](const Drawing& d) {
                    ASSERT_EQ(d.tables.rects.size(), 1u);
                    const RectRecord& r = d.tables.rects[0];
                    EXPECT_DOUBLE_EQ(r.x2 - r.x1, 120);
                    EXPECT_DOUBLE_EQ(r.y2 - r.y1, 45);
                    EXPECT_EQ(r.x1, 33.3);
                }},
        KindRow{"circle_distance", "PopDrawCirc1Click", {"101,99", "17.5"},
                [](const Drawing& d) {
                    ASSERT_EQ(d.tables.circles.size(), 1u);
                    EXPECT_EQ(d.tables.circles[0].cx, 101);
                    EXPECT_DOUBLE_EQ(d.tables.circles[0].r, 17.5);
                }},
        KindRow{"arc_three_points", "PopDrawArc5Click", {"51,100", "@100,0", "@-50,-50"},
                [](const Drawing& d) {
                    ASSERT_EQ(d.tables.arcs.size(), 1u);
                    EXPECT_NEAR(d.tables.arcs[0].cx, 101, 1e-9);
                    EXPECT_NEAR(d.tables.arcs[0].r, 50, 1e-9);
                }},
        KindRow{"polyline_mixed_forms", "PopDrawPlin1Click", {"1,1", "@10,0", "@10<90", "3,4", "3,4"},
                [](const Drawing& d) {
                    ASSERT_EQ(d.tables.polylines.size(), 1u);
                    const auto& p = d.tables.polylines[0].points;
                    ASSERT_EQ(p.size(), 4u);
                    EXPECT_EQ(p[1], (PointD{11, 1}));
                    EXPECT_EQ(p[2], (PointD{11, -9}));
                    EXPECT_EQ(p[3], (PointD{3, 4}));
                }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Relative to a snapped click, direct distance -----------------------------

TEST(TypedPoints, RelativeAndPolarStartFromASnappedClick)
{
    auto form = MakeShownForm();
    AddLine(form->drawing(), 50.5, 60.5, 200, 60.5);
    form->FormPaint();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {52, 62});  // snaps to (50.5, 60.5)
    Enter(*form, "@10,-5");
    ASSERT_EQ(form->drawing().tables.lines.size(), 2u);
    EXPECT_EQ(form->drawing().tables.lines[1].x1, 50.5);
    EXPECT_EQ(form->drawing().tables.lines[1].x2, 60.5);
    EXPECT_EQ(form->drawing().tables.lines[1].y2, 55.5);
    // The first step of the next figure starts from the last point given.
    Enter(*form, "@0,0");
    Enter(*form, "@20<180");
    ASSERT_EQ(form->drawing().tables.lines.size(), 3u);
    EXPECT_EQ(form->drawing().tables.lines[2].x1, 60.5);
    EXPECT_EQ(form->drawing().tables.lines[2].x2, 40.5);
    EXPECT_EQ(form->drawing().tables.lines[2].y2, 55.5);
}

TEST(TypedPoints, DistanceFollowsTheRubberBandAndItShowsTheTypedPoint)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {100, 100});
    Move(*form, Qt::NoButton, {100, 250});  // straight down
    QTest::keyClicks(form.get(), QStringLiteral("40"));
    EXPECT_EQ(form->pointEntryText(), QStringLiteral("40"));
    EXPECT_EQ(form->statusText(1), Text("入力：40"));
    // The band ends at (100, 140), not at the cursor.
    EXPECT_EQ(Pixel(*form, 100, 130), 0xFF0000u);
    EXPECT_EQ(Pixel(*form, 100, 200), 0xFFFFFFu);
    QTest::keyClick(form.get(), Qt::Key_Return);
    ASSERT_EQ(form->drawing().tables.lines.size(), 1u);
    EXPECT_EQ(form->drawing().tables.lines[0].y2, 140);
    EXPECT_EQ(form->statusText(1), Text("線分作図(1)"));
}

// ---- Esc, Backspace, refusals, Undo ------------------------------------------

TEST(TypedPoints, EscClosesTheFieldKeepingTheStepAndEscAgainCancels)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {50, 50});
    form->ShowOperation(QStringLiteral("before"));
    QTest::keyClicks(form.get(), QStringLiteral("12"));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->pointEntryText(), QString());
    EXPECT_EQ(form->interaction().CommandMode, 101);
    EXPECT_EQ(form->statusText(1), QStringLiteral("before"));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->interaction().CommandMode, 0);
    EXPECT_EQ(form->statusText(1), Text("Esc"));
}

TEST(TypedPoints, BackspaceEditsTheTextAndStepsBackOnlyWithoutAField)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {50, 50});
    QTest::keyClicks(form.get(), QStringLiteral("@99"));
    QTest::keyClick(form.get(), Qt::Key_Backspace);
    QTest::keyClick(form.get(), Qt::Key_Backspace);
    EXPECT_EQ(form->pointEntryText(), QStringLiteral("@"));
    EXPECT_EQ(form->interaction().CommandMode, 101);
    Enter(*form, "7,0");
    ASSERT_EQ(form->drawing().tables.lines.size(), 1u);
    EXPECT_EQ(form->drawing().tables.lines[0].x2, 57);
    // No field: Backspace keeps its meaning.
    Click(*form, {10, 10});
    QTest::keyClick(form.get(), Qt::Key_Backspace);
    EXPECT_EQ(form->interaction().CommandMode, 100);
}

struct RefusedRow {
    const char* name;
    const char* text;
    const char* message;
};

class RefusedTexts : public testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedTexts, KeepTheFieldOpenAndMarkedAndGiveNothing)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawBox1Click");
    Click(*form, {100, 100});
    Move(*form, Qt::NoButton, {100, 100});  // the band's end on the last point
    Enter(*form, GetParam().text);
    EXPECT_EQ(form->pointEntryText(), QString::fromLatin1(GetParam().text));
    EXPECT_TRUE(form->pointEntryRefused());
    EXPECT_EQ(form->statusText(1), Text(GetParam().message));
    EXPECT_EQ(form->interaction().CommandMode, 301);
    EXPECT_TRUE(form->drawing().registry.empty());
    // The next edit clears the mark.
    QTest::keyClick(form.get(), Qt::Key_Backspace);
    EXPECT_FALSE(form->pointEntryRefused());
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedTexts,
                         testing::Values(RefusedRow{"not_a_form", "12,,3", "座標入力NG（形式）"},
                                         RefusedRow{"beyond_limit", "1e8,0", "座標入力NG（範囲）"},
                                         RefusedRow{"no_direction", "25", "座標入力NG（方向なし）"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TypedPoints, RelativeBeforeAnyPointIsRefused)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Enter(*form, "@5,5");
    EXPECT_EQ(form->statusText(1), Text("座標入力NG（基点なし）"));
    EXPECT_EQ(form->interaction().CommandMode, 100);
}

TEST(TypedPoints, UndoRemovesTheElementTheyBuilt)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawBox1Click");
    Enter(*form, "10,10");
    Enter(*form, "@120,45");
    ASSERT_EQ(form->drawing().registry.size(), 1u);
    Trigger(*form, "PopEditUndoClick");
    EXPECT_FALSE(form->drawing().registry[0].live);
    Trigger(*form, "PopEditRedoClick");
    EXPECT_TRUE(form->drawing().registry[0].live);
}

TEST(TypedPoints, KeysOpenTheFieldOnlyInStepsThatTakePoints)
{
    auto form = MakeShownForm();
    QTest::keyClicks(form.get(), QStringLiteral("12"));  // idle
    EXPECT_EQ(form->pointEntryText(), QString());
    Trigger(*form, "PopEditSelect1Click");
    QTest::keyClicks(form.get(), QStringLiteral("@1"));
    EXPECT_EQ(form->pointEntryText(), QString());
    Trigger(*form, "PopEditSelectRangeClick");
    QTest::keyClicks(form.get(), QStringLiteral("<"));
    EXPECT_EQ(form->pointEntryText(), QStringLiteral("<"));
    // A menu item closes the field; the view keys work with it open.
    Trigger(*form, "PopDrawLineClick");
    EXPECT_EQ(form->pointEntryText(), QString());
    QTest::keyClicks(form.get(), QStringLiteral("-3"));
    QTest::keyClick(form.get(), Qt::Key_PageUp);
    EXPECT_EQ(form->statusText(1), Text("PageUp"));
    EXPECT_EQ(form->pointEntryText(), QStringLiteral("-3"));
}


// ---- Edit steps: move and a handle's new place -----------------------------------

TEST(TypedPoints, MoveTakesTypedBaseAndTarget)
{
    auto form = MakeShownForm();
    AddLine(form->drawing(), 20, 100, 300, 100);
    form->Repaint();
    Trigger(*form, "PopEditSelectAllClick");
    Trigger(*form, "PopEditMoveClick");
    Enter(*form, "0,0");
    Enter(*form, "@12.25,-3.5");
    ASSERT_EQ(form->drawing().tables.lines.size(), 2u);
    EXPECT_EQ(form->drawing().tables.lines[1].x1, 32.25);
    EXPECT_EQ(form->drawing().tables.lines[1].y1, 96.5);
    EXPECT_EQ(form->interaction().CommandMode, 11);
}

TEST(TypedPoints, AHandleTakesATypedNewPlace)
{
    auto form = MakeShownForm();
    AddLine(form->drawing(), 20, 100, 300, 100);
    form->Repaint();
    Trigger(*form, "PopEditSelect1Click");
    Click(*form, {150, 100});
    ASSERT_EQ(form->drawing().selection.size(), 1u);
    Click(*form, {300, 100});  // the end's handle
    ASSERT_EQ(form->interaction().CommandMode, 102);
    Enter(*form, "@-0.5,40");
    ASSERT_EQ(form->drawing().tables.lines.size(), 2u);
    EXPECT_EQ(form->drawing().tables.lines[1].x2, 299.5);
    EXPECT_EQ(form->drawing().tables.lines[1].y2, 140);
    EXPECT_EQ(form->drawing().tables.lines[1].x1, 20);
}

// ---- The angle lock ------------------------------------------------------------

struct LockRow {
    const char* name;
    QPoint cursor;  // the start is (100, 100)
    double angleDeg;
};

class AngleLock : public testing::TestWithParam<LockRow> {};

TEST_P(AngleLock, ShiftClickLandsOnTheNearestFifteenDegreeRay)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {100, 100});
    ShiftClick(*form, GetParam().cursor);
    ASSERT_EQ(form->drawing().tables.lines.size(), 1u);
    const LineRecord& l = form->drawing().tables.lines[0];
    const double angle = std::atan2(l.y1 - l.y2, l.x2 - l.x1) * 180 / 3.14159265358979323846;
    EXPECT_NEAR(std::fmod(angle + 360, 360), GetParam().angleDeg, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, AngleLock,
                         testing::Values(LockRow{"zero", {200, 97}, 0}, LockRow{"fifteen", {200, 74}, 15},
                                         LockRow{"ninety", {103, 20}, 90}, LockRow{"near_360", {200, 104}, 0},
                                         LockRow{"three_forty_five", {200, 127}, 345}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AngleLockForm, WithoutShiftTheClickIsTheClick)
{
    auto form = MakeShownForm();
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {100, 100});
    Click(*form, {200, 97});
    EXPECT_EQ(form->drawing().tables.lines[0].y2, 97);
    // At 0 degrees the locked end keeps the start's y exactly.
    Click(*form, {100, 100});
    ShiftClick(*form, {200, 97});
    EXPECT_EQ(form->drawing().tables.lines[1].y2, 100);
}

// ---- The readout -----------------------------------------------------------------

TEST(CursorReadout, ShowsTheNextClickPointAndTheBandsLengthAndAngle)
{
    auto form = MakeShownForm();
    form->settings().grid.shown = true;
    Move(*form, Qt::NoButton, {33, 48});
    EXPECT_EQ(form->readoutText(), QStringLiteral("30, 50"));
    Trigger(*form, "PopDrawLineClick");
    Click(*form, {1, 1});  // (0, 0) on the grid; QTest takes a null point for the centre
    Move(*form, Qt::NoButton, {31, 39});
    EXPECT_EQ(form->readoutText(), Text("30, 40  長さ 50  角度 306.87°"));
    QTest::keyClicks(form.get(), QStringLiteral("@0,-10"));
    EXPECT_EQ(form->readoutText(), Text("0, -10  長さ 10  角度 90°"));
}

TEST(CursorReadout, TakesItsRoomOnlyBesideAFullPromptPanel)
{
    auto form = MakeShownForm();
    auto* readout = form->findChild<QWidget*>(QStringLiteral("CursorReadout"));
    ASSERT_NE(readout, nullptr);
    form->resize(1000, form->height());
    QApplication::processEvents();
    EXPECT_TRUE(readout->isVisible());
    EXPECT_EQ(readout->geometry().right(), form->width() - 1);
    form->resize(500, form->height());
    QApplication::processEvents();
    EXPECT_FALSE(readout->isVisible());
}

}  // namespace
