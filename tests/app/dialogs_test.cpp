// The new-drawing and grid dialogs: clamping of what is typed, the 4-character
// limit of the boxes, OK against Cancel, and the grid taking effect on the
// canvas at once.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app_test_support.h"
#include "dialogs/UnitGrd.h"
#include "dialogs/UnitNew.h"

namespace {

struct SizeCase {
    const char* name;
    const char* width;
    const char* height;
    int expectedWidth, expectedHeight;
};

class NewDialogSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(NewDialogSizes, AreClampedTo4Through4000)
{
    const SizeCase& c = GetParam();
    TFormNew dialog;
    WhenModal([&](QWidget*) {
        dialog.Edit1->setText(QString::fromLatin1(c.width));
        dialog.Edit2->setText(QString::fromLatin1(c.height));
        dialog.Button1->click();
    });
    int width = 320, height = 240;
    ASSERT_TRUE(dialog.Execute(QStringLiteral("x"), width, height));
    EXPECT_EQ(width, c.expectedWidth);
    EXPECT_EQ(height, c.expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(Rows, NewDialogSizes,
                         ::testing::Values(SizeCase{"ZeroAndHuge", "0", "9999", 4, 4000},
                                           SizeCase{"Plain", "640", "480", 640, 480},
                                           SizeCase{"Unreadable", "abc", "", 4, 4},
                                           SizeCase{"Negative", "-50", "3", 4, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NewDialog, ShowsTheCurrentSizeRefusesAFifthCharacterAndCancelKeepsIt)
{
    TFormNew dialog;
    QString shownWidth;
    WhenModal([&](QWidget*) {
        shownWidth = dialog.Edit1->text();
        dialog.Edit2->clear();
        QTest::keyClicks(dialog.Edit2, QStringLiteral("12345"));
        EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("1234"));
        dialog.Button2->click();
    });
    int width = 321, height = 241;
    EXPECT_FALSE(dialog.Execute(QStringLiteral("caption"), width, height));
    EXPECT_EQ(shownWidth, QStringLiteral("321"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("caption"));
    EXPECT_EQ(width, 321);
    EXPECT_EQ(height, 241);
}

struct PitchCase {
    const char* name;
    const char* typed;
    double expected;
};

class GridDialogPitches : public ::testing::TestWithParam<PitchCase> {};

TEST_P(GridDialogPitches, AreClampedTo1Through100)
{
    TFormGrd dialog;
    WhenModal([&](QWidget*) {
        dialog.Edit1->setText(QString::fromLatin1(GetParam().typed));
        dialog.Edit2->setText(QString::fromLatin1(GetParam().typed));
        dialog.Button1->click();
    });
    GridSettings grid;
    ASSERT_TRUE(dialog.Execute(grid));
    EXPECT_DOUBLE_EQ(grid.pitchX, GetParam().expected);
    EXPECT_DOUBLE_EQ(grid.pitchY, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, GridDialogPitches,
                         ::testing::Values(PitchCase{"Half", "0.5", 1}, PitchCase{"TooWide", "250", 100},
                                           PitchCase{"Fraction", "2.5", 2.5}, PitchCase{"Unreadable", "x", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridDialog, ShowsTheValuesInShortestFormAndKeepsTheOrigin)
{
    TFormGrd dialog;
    QString shown;
    bool checked = false;
    WhenModal([&](QWidget*) {
        shown = dialog.Edit1->text();
        checked = dialog.CheckBox1->isChecked();
        dialog.CheckBox1->setChecked(false);
        dialog.Button1->click();
    });
    GridSettings grid;
    grid.shown = true;
    grid.pitchX = 2.5;
    grid.originX = 7;
    ASSERT_TRUE(dialog.Execute(grid));
    EXPECT_EQ(shown, QStringLiteral("2.5"));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(grid.shown);
    EXPECT_EQ(grid.originX, 7);
}

TEST(GridDialog, APickedColourIsDroppedOnCancelAndTakenOnOk)
{
    TFormGrd dialog;
    dialog.chooseColour = [](int32_t) { return std::optional<int32_t>(0x123456); };
    GridSettings grid;
    WhenModal([&](QWidget*) {
        dialog.Button3->click();
        EXPECT_EQ(dialog.swatchColour(0), 0x123456);
        dialog.Button2->click();
    });
    EXPECT_FALSE(dialog.Execute(grid));
    EXPECT_EQ(grid.minorColor, 0xFFCC80);

    WhenModal([&](QWidget*) {
        dialog.Button4->click();
        dialog.Button1->click();
    });
    ASSERT_TRUE(dialog.Execute(grid));
    EXPECT_EQ(grid.minorColor, 0xFFCC80);
    EXPECT_EQ(grid.majorColor, 0x123456);
}

TEST(GridDialog, CancelledColourChoiceLeavesTheSwatch)
{
    TFormGrd dialog;
    dialog.chooseColour = [](int32_t) { return std::optional<int32_t>(); };
    GridSettings grid;
    WhenModal([&](QWidget*) {
        QTest::mouseClick(dialog.LabelC1, Qt::LeftButton);
        EXPECT_EQ(dialog.swatchColour(0), 0xFFCC80);
        dialog.Button1->click();
    });
    ASSERT_TRUE(dialog.Execute(grid));
    EXPECT_EQ(grid.minorColor, 0xFFCC80);
}

TEST(GridCommand, OkShowsTheGridAtOnce)
{
    auto form = MakeShownForm();
    ASSERT_EQ(Pixel(*form, 10, 123), 0xFFFFFFu);
    WhenModal([&](QWidget*) {
        form->FormGrd()->CheckBox1->setChecked(true);
        form->FormGrd()->Button1->click();
    });
    form->PopSetGridClick();
    EXPECT_TRUE(form->settings().grid.shown);
    EXPECT_EQ(Pixel(*form, 10, 123), 0x80CCFFu);
    EXPECT_EQ(form->statusText(1), QString::fromUtf8("グリッド設定"));
}

TEST(SizeCommand, ChangesOnlyTheImageSize)
{
    auto form = MakeShownForm();
    AddLine(form->drawing(), 10, 10, 100, 100);
    form->interaction().view.view = ViewTransform{1, 2, 3};
    WhenModal([&](QWidget*) {
        form->FormNew()->Edit1->setText(QStringLiteral("200"));
        form->FormNew()->Edit2->setText(QStringLiteral("100"));
        form->FormNew()->Button1->click();
    });
    form->PopSetSizeClick();
    EXPECT_EQ(form->FormNew()->windowTitle(), QString::fromUtf8("画像サイズ設定"));
    EXPECT_EQ(form->interaction().view.imageWidth, 200);
    EXPECT_EQ(form->interaction().view.imageHeight, 100);
    EXPECT_EQ(form->interaction().view.view.panX, 2);
    EXPECT_EQ(form->drawing().registry.size(), 1u);
    EXPECT_TRUE(form->drawing().journal.canUndo());
    EXPECT_EQ(Pixel(*form, 202, 50), 0x0000FFu);  // the frame follows: x = 200 + pan 2
    EXPECT_EQ(form->statusText(1), QString::fromUtf8("画像サイズ設定"));
}

}  // namespace
