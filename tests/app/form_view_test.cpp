// TForm1 driven through real key, wheel and mouse events offscreen: the view
// it ends up with, the status lines, and the canvas pixels (frame, grid, the
// XOR gesture band that erases itself, the drag-pan picture).
#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "app/shell_texts.h"
#include "app_test_support.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kFrameBlue = 0x0000FF;
constexpr QRgb kBandOnWhite = 0x7F7F7F;  // white XOR grey 128

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(FormStart, ShowsTitleIdlePromptAndTheFramedImageArea)
{
    auto form = MakeShownForm();
    EXPECT_EQ(form->windowTitle(), Text("Mirt- GDI+による落書きテストプログラム"));
    EXPECT_EQ(form->statusText(0), Text("画面上で右クリックするとメニューが表示されます。"));
    EXPECT_EQ(form->statusText(1), QString());
    EXPECT_FALSE(form->menuAction(QStringLiteral("PopEditUndoClick"))->isEnabled());
    EXPECT_FALSE(form->menuAction(QStringLiteral("PopEditRedoClick"))->isEnabled());
    // The frame runs from (-1, -1) to (320, 240) at scale 1.
    EXPECT_EQ(Pixel(*form, 320, 100), kFrameBlue);
    EXPECT_EQ(Pixel(*form, 100, 240), kFrameBlue);
    EXPECT_EQ(Pixel(*form, 100, 100), kWhite);
    EXPECT_EQ(Pixel(*form, 330, 100), kWhite);
}

TEST(FormStart, StatusPanelZeroTakesTheRestOfTheBar)
{
    auto form = MakeShownForm();
    auto* bar = form->findChild<QWidget*>(QStringLiteral("StatusBar1"));
    ASSERT_NE(bar, nullptr);
    form->resize(700, form->height());
    QApplication::processEvents();
    auto labels = bar->findChildren<QWidget*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[1]->width(), 150);
    EXPECT_EQ(labels[0]->width(), bar->width() - 150);
    form->resize(200, form->height());
    QApplication::processEvents();
    EXPECT_EQ(labels[0]->width(), 100);
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    bool remembers;
};

class FormKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(FormKeys, ChangeTheViewAndNameTheKey)
{
    const KeyCase& c = GetParam();
    auto form = MakeShownForm();
    ViewState& v = form->interaction().view;
    v.view = ViewTransform{2, 3, 4};
    v.previous = ViewTransform{5, 5, 5};
    QTest::keyClick(form.get(), c.key, c.modifiers);
    EXPECT_EQ(form->statusText(1), Text(c.text));
    EXPECT_TRUE(v.view.scale != 2 || v.view.panX != 3 || v.view.panY != 4);
    EXPECT_EQ(v.previous.scale == 2, c.remembers);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormKeys,
    ::testing::Values(KeyCase{"PageUp", Qt::Key_PageUp, Qt::NoModifier, "PageUp", true},
                      KeyCase{"PageDown", Qt::Key_PageDown, Qt::NoModifier, "PageDown", true},
                      KeyCase{"Insert", Qt::Key_Insert, Qt::NoModifier, "Ins/End", true},
                      KeyCase{"End", Qt::Key_End, Qt::NoModifier, "Ins/End", true},
                      KeyCase{"Home", Qt::Key_Home, Qt::NoModifier, "Home", true},
                      KeyCase{"Left", Qt::Key_Left, Qt::NoModifier, "CURSOR", false},
                      KeyCase{"ShiftRight", Qt::Key_Right, Qt::ShiftModifier, "CURSOR", false},
                      KeyCase{"Up", Qt::Key_Up, Qt::NoModifier, "CURSOR", false},
                      KeyCase{"Down", Qt::Key_Down, Qt::NoModifier, "CURSOR", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormKeysOther, AnUnknownKeyChangesNothing)
{
    auto form = MakeShownForm();
    form->ShowOperation(QStringLiteral("before"));
    QTest::keyClick(form.get(), Qt::Key_A);
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(form->statusText(1), QStringLiteral("before"));
    EXPECT_EQ(form->interaction().view.view.scale, 1);
    EXPECT_FALSE(form->FormKeyDown(Qt::Key_Tab, Qt::NoModifier));
}

TEST(FormKeysOther, EscEndsTheCommandAndShowsTheIdlePrompt)
{
    auto form = MakeShownForm();
    form->interaction().CommandMode = 101;
    form->showPromptText(QStringLiteral("step"));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->interaction().CommandMode, 0);
    EXPECT_EQ(form->statusText(0), Text(ShellText::kIdlePrompt));
    EXPECT_EQ(form->statusText(1), QStringLiteral("Esc"));
    EXPECT_TRUE(form->FormKeyDown(Qt::Key_Backspace, Qt::NoModifier));
}

TEST(FormKeysOther, PageUpRepaintsAtTheNewScale)
{
    auto form = MakeShownForm();
    QTest::keyClick(form.get(), Qt::Key_Home);
    QTest::keyClick(form.get(), Qt::Key_PageUp);
    const ViewTransform& v = form->interaction().view.view;
    const int frameX = int(v.toScreenX(320));
    EXPECT_EQ(Pixel(*form, frameX, 150), kFrameBlue);
    EXPECT_EQ(Pixel(*form, 320, 150), kWhite);
}

TEST(FormWheel, DownZoomsInAboutTheCursorAndUpZoomsOut)
{
    auto form = MakeShownForm();
    ViewState& v = form->interaction().view;
    Wheel(*form, QPoint(100, 80), -120);
    EXPECT_DOUBLE_EQ(v.view.scale, 1.5);
    EXPECT_NEAR(v.view.toWorldX(100), 100, 1e-9);
    EXPECT_NEAR(v.view.toWorldY(80), 80, 1e-9);
    EXPECT_EQ(form->statusText(1), Text("ホイール↓"));
    Wheel(*form, QPoint(100, 80), 120);
    EXPECT_DOUBLE_EQ(v.view.scale, 1.5 * 2.0 / 3.0);
    EXPECT_EQ(v.previous.scale, 1.5);
    EXPECT_EQ(form->statusText(1), Text("ホイール↑"));
}

TEST(FormGesture, BandIsDrawnNamedAndErasedAsTheMouseMoves)
{
    auto form = MakeShownForm();
    Press(*form, Qt::LeftButton, QPoint(50, 50));
    Press(*form, Qt::RightButton, QPoint(52, 52));  // keeps the first press
    Move(*form, Qt::LeftButton | Qt::RightButton, QPoint(150, 120));
    EXPECT_EQ(form->statusText(1), Text("画面拡大"));
    EXPECT_EQ(Pixel(*form, 100, 50), kBandOnWhite);   // top edge
    EXPECT_EQ(Pixel(*form, 100, 49), kBandOnWhite);   // 3 pixels wide
    EXPECT_EQ(Pixel(*form, 100, 51), kBandOnWhite);
    EXPECT_EQ(Pixel(*form, 100, 53), kWhite);
    EXPECT_EQ(Pixel(*form, 150, 90), kBandOnWhite);   // right edge
    Move(*form, Qt::LeftButton | Qt::RightButton, QPoint(30, 200));
    EXPECT_EQ(form->statusText(1), Text("前倍率表示"));
    EXPECT_EQ(Pixel(*form, 100, 50), kWhite);  // the old band is gone
    EXPECT_EQ(Pixel(*form, 150, 90), kWhite);
    EXPECT_EQ(Pixel(*form, 40, 200), kBandOnWhite);
    Move(*form, Qt::LeftButton | Qt::RightButton, QPoint(53, 140));
    EXPECT_EQ(form->statusText(1), Text("画面移動"));
}

TEST(FormGesture, ReleaseZoomsToTheBoxAndOpensNoMenu)
{
    auto form = MakeShownForm();
    Press(*form, Qt::LeftButton, QPoint(100, 100));
    Press(*form, Qt::RightButton, QPoint(100, 100));
    Move(*form, Qt::LeftButton | Qt::RightButton, QPoint(150, 130));
    Release(*form, Qt::RightButton, Qt::LeftButton, QPoint(150, 130));
    Release(*form, Qt::LeftButton, Qt::NoButton, QPoint(150, 130));
    EXPECT_DOUBLE_EQ(form->interaction().view.view.scale, 6);
    EXPECT_EQ(form->statusText(1), Text("画面拡大表示"));
    EXPECT_FALSE(form->PopupMenu1->isVisible());
    EXPECT_EQ(form->interaction().mouseFlags, 0u);
    // The repaint leaves no band behind: the frame is off-canvas at this zoom.
    EXPECT_EQ(Pixel(*form, 200, 100), kWhite);
}

struct ReleaseCase {
    const char* name;
    QPoint release;
    const char* text;
};

class FormGestureOutcome : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(FormGestureOutcome, ShowsItsWord)
{
    auto form = MakeShownForm();
    form->interaction().view.view = ViewTransform{2, 0, 0};
    Press(*form, Qt::RightButton, QPoint(200, 150));
    Press(*form, Qt::LeftButton, QPoint(200, 150));
    Move(*form, Qt::LeftButton | Qt::RightButton, GetParam().release);
    Release(*form, Qt::LeftButton, Qt::RightButton, GetParam().release);
    EXPECT_EQ(form->statusText(1), Text(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Rows, FormGestureOutcome,
                         ::testing::Values(ReleaseCase{"Short", QPoint(203, 250), "画面移動表示"},
                                           ReleaseCase{"In", QPoint(260, 200), "画面拡大表示"},
                                           ReleaseCase{"Out", QPoint(100, 100), "画面縮小表示"},
                                           ReleaseCase{"Whole", QPoint(260, 100), "画面全体表示"},
                                           ReleaseCase{"Previous", QPoint(100, 200), "画面前倍率表示"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormDragPan, ShowsTheShiftedSnapshotThenPans)
{
    auto form = MakeShownForm();
    ASSERT_EQ(Pixel(*form, 320, 100), kFrameBlue);
    Press(*form, Qt::MiddleButton, QPoint(100, 100));
    Move(*form, Qt::MiddleButton, QPoint(130, 110));
    EXPECT_EQ(form->statusText(1), Text("画面移動"));
    EXPECT_EQ(Pixel(*form, 350, 120), kFrameBlue);
    EXPECT_EQ(Pixel(*form, 320, 120), kWhite);
    Release(*form, Qt::MiddleButton, Qt::NoButton, QPoint(130, 110));
    const ViewState& v = form->interaction().view;
    EXPECT_DOUBLE_EQ(v.view.panX, 30);
    EXPECT_DOUBLE_EQ(v.view.panY, 10);
    EXPECT_FALSE(form->interaction().drag.valid);
    EXPECT_EQ(form->statusText(1), Text("画面ドラッグ移動"));
    EXPECT_EQ(Pixel(*form, 350, 120), kFrameBlue);  // repainted in the new view
}

TEST(FormPopup, RightClickOpensTheMenuAndKeepsTheCommand)
{
    auto form = MakeShownForm();
    form->interaction().CommandMode = 100;
    Press(*form, Qt::RightButton, QPoint(60, 70));
    Release(*form, Qt::RightButton, Qt::NoButton, QPoint(60, 70));
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    EXPECT_EQ(form->interaction().CommandMode, 100);
    form->PopupMenu1->hide();
}

TEST(FormGrid, ShownGridDrawsMinorAndMajorLines)
{
    auto form = MakeShownForm();
    GridSettings& grid = form->settings().grid;
    grid.shown = true;
    form->FormPaint();
    // Vertical lines every 10 units; every fifth (x = 0, 50, ...) is major.
    EXPECT_EQ(Pixel(*form, 10, 123), 0x80CCFFu);  // minor 0xFFCC80 as BGR
    EXPECT_EQ(Pixel(*form, 50, 123), 0x0080FFu);  // major 0xFF8000 as BGR
    EXPECT_EQ(Pixel(*form, 15, 123), kWhite);
    grid.shown = false;
    form->FormPaint();
    EXPECT_EQ(Pixel(*form, 10, 123), kWhite);
}

}  // namespace
