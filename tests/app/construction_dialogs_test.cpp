// The numeric, corner, text and polyline-point dialogs: clamping against
// refusing, the field that gets the focus when OK refuses, the values that
// come back, and the keyboard path (first focus, Tab order, Return, Esc).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app_test_support.h"
#include "dialogs/UnitCBox.h"
#include "dialogs/UnitInp1.h"
#include "dialogs/UnitInp2.h"
#include "dialogs/UnitMoji.h"
#include "geometry/func.h"
#include "storage/CVals.h"
#include "storage/cp932.h"
#include "storage/settings.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Walks the dialog's focus chain with Tab from its current focus and
// returns the object names met, the first one included.
QStringList TabWalk(QWidget* dialog, int steps)
{
    QStringList names;
    for (int i = 0; i < steps; ++i) {
        QWidget* focused = dialog->focusWidget();
        names << (focused ? focused->objectName() : QStringLiteral("<none>"));
        QTest::keyClick(focused ? focused : dialog, Qt::Key_Tab);
    }
    return names;
}

// --- TFormInp1 --------------------------------------------------------------

NumericRow Row(const char* name, const char* unit, double value, double minimum, double maximum)
{
    return NumericRow{true, Text(name), Text(unit), value, minimum, maximum};
}

struct TypedNumber {
    const char* name;
    const char* typed;
    double minimum, maximum;
    double expected;
};

class NumericDialogEntries : public ::testing::TestWithParam<TypedNumber> {};

TEST_P(NumericDialogEntries, AreClampedNeverRefused)
{
    const TypedNumber& c = GetParam();
    TFormInp1 dialog;
    NumericRows rows;
    rows[0] = Row("半径", "ドット", 10, c.minimum, c.maximum);
    WhenModal([&](QWidget*) {
        dialog.Edit[0]->setText(QString::fromLatin1(c.typed));
        dialog.Button1->click();
    });
    ASSERT_TRUE(dialog.Execute(rows));
    EXPECT_DOUBLE_EQ(rows[0].value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, NumericDialogEntries,
                         ::testing::Values(TypedNumber{"LettersGiveTheMinimum", "abc", 0.001, 1000, 0.001},
                                           TypedNumber{"EmptyGivesTheMinimum", "", 0.001, 1000, 0.001},
                                           TypedNumber{"TooLargeGivesTheMaximum", "5000", 0.001, 1000, 1000},
                                           TypedNumber{"TiltBelowRange", "-400", -360, 360, -360},
                                           TypedNumber{"NegativeZeroRange", "-0", -360, 360, 0},
                                           TypedNumber{"Exponent", "1e-05", 0.00001, 100000, 0.00001},
                                           TypedNumber{"SweepLimit", "360", -359.9999, 359.9999, 359.9999},
                                           TypedNumber{"Fraction", "7.9", 3, 360, 7.9}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumericDialog, ShowsOnlyTheAskedRowsWithTheirTextsAndRange)
{
    TFormInp1 dialog;
    NumericRows rows;
    rows[0] = Row("Ｘ軸半径", "ドット", 12.5, 0.001, 1000);
    rows[1] = Row("傾き角度", "°", -30, -360, 360);
    rows[2] = Row("偏平率", "(比率)", 1, 0.00001, 100000);
    rows[4].value = 77;  // hidden: must come back untouched
    QStringList shown;
    QString tooltip, unit, name;
    std::array<bool, 7> visible{};
    QString focused;
    WhenModal([&](QWidget*) {
        for (int row = 0; row < 3; ++row)
            shown << dialog.Edit[row]->text();
        tooltip = dialog.Edit[2]->toolTip();
        unit = dialog.LabelB[1]->text();
        name = dialog.LabelA[0]->text();
        for (int row = 0; row < 7; ++row)
            visible[row] = dialog.Edit[row]->isVisible() && dialog.LabelA[row]->isVisible();
        focused = dialog.focusWidget()->objectName();
        dialog.Edit[4]->setText(QStringLiteral("5"));  // typed into a hidden row
        dialog.Button1->click();
    });
    ASSERT_TRUE(dialog.Execute(rows));
    EXPECT_EQ(dialog.windowTitle(), Text("数値入力"));
    EXPECT_EQ(shown, (QStringList{"12.5", "-30", "1"}));
    EXPECT_EQ(tooltip, Text("最小値:0.00001 ～ 最大値:100000"));
    EXPECT_EQ(unit, Text("°"));
    EXPECT_EQ(name, Text("Ｘ軸半径"));
    EXPECT_EQ(visible, (std::array<bool, 7>{true, true, true, false, false, false, false}));
    EXPECT_EQ(focused, QStringLiteral("Edit1"));
    EXPECT_EQ(rows[4].value, 77);
    EXPECT_DOUBLE_EQ(rows[0].value, 12.5);
}

TEST(NumericDialog, AValueLongerThanTheFieldIsShownRoundedNotCutOff)
{
    TFormInp1 dialog;
    NumericRows rows;
    rows[0] = Row("偏平率", "(比率)", 1.2345678901234e-07, 0, 1);
    rows[1] = Row("開始角度", "°", 269.87654321100001, -360, 360);
    QStringList shown;
    WhenModal([&](QWidget*) {
        shown << dialog.Edit[0]->text() << dialog.Edit[1]->text();
        dialog.Button2->click();
    });
    EXPECT_FALSE(dialog.Execute(rows));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_LE(shown[0].size(), 12);
    EXPECT_NEAR(TextToFloat(shown[0].toStdString()), 1.2345678901234e-07, 1e-12);
    EXPECT_EQ(shown[1], QStringLiteral("269.87654321"));
}

TEST(NumericDialog, TabWalksTheShownRowsAndReturnIsOk)
{
    TFormInp1 dialog;
    NumericRows rows;
    rows[0] = Row("Ｘ軸半径", "ドット", 10, 0.001, 1000);
    rows[1] = Row("Ｙ軸半径", "ドット", 10, 0.001, 1000);
    rows[2] = Row("傾き角度", "°", 0, -360, 360);
    QStringList walk;
    WhenModal([&](QWidget*) {
        QTest::keyClicks(dialog.Edit[0], QStringLiteral("1234567890123"));  // replaces the selection
        EXPECT_EQ(dialog.Edit[0]->text(), QStringLiteral("123456789012"));
        walk = TabWalk(&dialog, 5);
        dialog.Edit[1]->setFocus();
        dialog.Edit[1]->setText(QStringLiteral("20"));
        QTest::keyClick(dialog.Edit[1], Qt::Key_Return);
    });
    ASSERT_TRUE(dialog.Execute(rows));
    EXPECT_EQ(walk, (QStringList{"Edit1", "Edit2", "Edit3", "Button1", "Button2"}));
    EXPECT_EQ(rows[0].value, 1000);
    EXPECT_EQ(rows[1].value, 20);
}

TEST(NumericDialog, EscLeavesTheRowsUnchanged)
{
    TFormInp1 dialog;
    NumericRows rows;
    rows[0] = Row("半径", "ドット", 10, 0.001, 1000);
    WhenModal([&](QWidget*) {
        dialog.Edit[0]->setText(QStringLiteral("99"));
        QTest::keyClick(dialog.Edit[0], Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Execute(rows));
    EXPECT_EQ(rows[0].value, 10);
}

// --- TFormCBox ----------------------------------------------------------------

struct CornerEntry {
    const char* name;
    int corner;  // 0 top-left .. 3 bottom-right
    int type;
    const char* width;
    const char* height;
    const char* focusedField;  // empty: accepted
};

class CornerDialogChecks : public ::testing::TestWithParam<CornerEntry> {};

TEST_P(CornerDialogChecks, StopAtTheFirstSizeTooSmallToDraw)
{
    const CornerEntry& c = GetParam();
    TFormCBox dialog;
    ConstructionParameters params;
    bool stayedOpen = false;
    QString focused;
    WhenModal([&](QWidget*) {
        dialog.ComboBox[c.corner]->setCurrentIndex(c.type);
        dialog.Edit[2 * c.corner]->setText(QString::fromLatin1(c.width));
        dialog.Edit[2 * c.corner + 1]->setText(QString::fromLatin1(c.height));
        dialog.Button1->click();
        stayedOpen = dialog.isVisible();
        focused = dialog.focusWidget()->objectName();
        if (stayedOpen)
            dialog.Button2->click();
    });
    const bool accepted = dialog.Execute(params);
    if (*c.focusedField) {
        EXPECT_FALSE(accepted);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(focused, QString::fromLatin1(c.focusedField));
    } else {
        EXPECT_TRUE(accepted);
        EXPECT_FALSE(stayedOpen);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CornerDialogChecks,
    ::testing::Values(CornerEntry{"RoundTopRightWidthZero", 1, 4, "0", "5", "Edit3"},
                      CornerEntry{"UnreadableWidth", 0, 1, "abc", "5", "Edit1"},
                      CornerEntry{"HeightAtTheLimit", 3, 6, "5", "0.001", "Edit8"},
                      CornerEntry{"NegativeHeight", 2, 2, "5", "-3", "Edit6"},
                      CornerEntry{"AboveTheLimit", 2, 5, "0.01", ".002", ""},
                      CornerEntry{"NoneNeedsNoSize", 1, 0, "0", "0", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CornerDialog, StoresTypesAndClampedSizesAndZeroForNone)
{
    TFormCBox dialog;
    ConstructionParameters params;
    params.cornerTypes[3] = 9;  // from a damaged settings file
    params.cornerWidths[2] = 4;
    int shownType = -1;
    QString focused, shownWidth;
    WhenModal([&](QWidget*) {
        shownType = dialog.ComboBox[3]->currentIndex();
        shownWidth = dialog.Edit[4]->text();
        focused = dialog.focusWidget()->objectName();
        dialog.ComboBox[0]->setCurrentIndex(4);
        dialog.Edit[0]->setText(QStringLiteral("5000"));
        dialog.Edit[1]->setText(QStringLiteral("2.5"));
        dialog.Edit[4]->setText(QStringLiteral("30"));  // bottom-left stays "無し"
        dialog.Button1->click();
    });
    ASSERT_TRUE(dialog.Execute(params));
    EXPECT_EQ(shownType, 0);
    EXPECT_EQ(shownWidth, QStringLiteral("4"));
    EXPECT_EQ(focused, QStringLiteral("ComboBox1"));
    EXPECT_EQ(params.cornerTypes[0], 4);
    EXPECT_EQ(params.cornerWidths[0], 1000);
    EXPECT_EQ(params.cornerHeights[0], 2.5);
    EXPECT_EQ(params.cornerTypes[2], 0);
    EXPECT_EQ(params.cornerWidths[2], 0);
    EXPECT_EQ(params.cornerTypes[3], 0);
}

TEST(CornerDialog, TabWalksCornerByCornerAndEscKeepsTheParameters)
{
    TFormCBox dialog;
    ConstructionParameters params;
    params.cornerTypes[1] = 2;
    params.cornerWidths[1] = 3;
    params.cornerHeights[1] = 4;
    QStringList walk;
    WhenModal([&](QWidget*) {
        walk = TabWalk(&dialog, 7);
        dialog.ComboBox[1]->setCurrentIndex(0);
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Execute(params));
    EXPECT_EQ(walk, (QStringList{"ComboBox1", "Edit1", "Edit2", "ComboBox2", "Edit3", "Edit4", "ComboBox3"}));
    EXPECT_EQ(params.cornerTypes[1], 2);
    EXPECT_EQ(params.cornerWidths[1], 3);
}

TEST(CornerDialog, ReturnInAFieldIsOk)
{
    TFormCBox dialog;
    ConstructionParameters params;
    WhenModal([&](QWidget*) {
        dialog.ComboBox[0]->setCurrentIndex(1);
        dialog.Edit[0]->setText(QStringLiteral("6"));
        dialog.Edit[1]->setText(QStringLiteral("7"));
        QTest::keyClick(dialog.Edit[1], Qt::Key_Return);
    });
    ASSERT_TRUE(dialog.Execute(params));
    EXPECT_EQ(params.cornerTypes[0], 1);
    EXPECT_EQ(params.cornerHeights[0], 7);
}

// --- TFormMoji ----------------------------------------------------------------

TEST(TextDialogFonts, AreSortedWithoutExcludedPrefixesAndOfferTheMappedWindowsNames)
{
    const QStringList fonts = TFormMoji::listedFontNames();
    ASSERT_FALSE(fonts.isEmpty());
    for (qsizetype i = 1; i < fonts.size(); ++i)
        EXPECT_LT(fonts[i - 1].compare(fonts[i], Qt::CaseInsensitive), 0) << fonts[i].toStdString();
    for (const QString& name : fonts)
        for (const char* prefix : {"@", "＠", "%", "％", "$", "＄", "&", "＆"})
            EXPECT_FALSE(name.startsWith(Text(prefix))) << name.toStdString();
    // The default text font is a Windows name the IPA fonts stand in for.
    EXPECT_TRUE(fonts.contains(Text(kDefaultTextFontName)));
    EXPECT_TRUE(fonts.contains(QStringLiteral("Nimbus Sans")));
    // Families several foundries make are listed once, by family name.
    EXPECT_EQ(fonts.count(QStringLiteral("Nimbus Mono PS")), 1);
    EXPECT_FALSE(fonts.join(u'|').contains(u'['));
}

class TextDialog : public ::testing::Test {
protected:
    // Opens the dialog on params, runs act inside it, presses OK and records
    // whether it stayed open and where the focus went; then cancels.
    bool runOk(const std::function<void()>& act)
    {
        WhenModal([&](QWidget*) {
            act();
            dialog.Button1->click();
            stayedOpen = dialog.isVisible();
            focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
            message = dialog.LabelMessage->isVisible() ? dialog.LabelMessage->text() : QString();
            if (stayedOpen)
                dialog.Button2->click();
        });
        return dialog.Execute(params);
    }

    TFormMoji dialog;
    ConstructionParameters params = [] {
        ConstructionParameters p;
        p.text = "Mirt";
        return p;
    }();
    bool stayedOpen = false;
    QString focused, message;
};

struct TextEntry {
    const char* name;
    const char* field;  // object name of the field typed into
    const char* typed;  // UTF-8
    bool accepted;
};

class TextDialogChecks : public TextDialog, public ::testing::WithParamInterface<TextEntry> {};

TEST_P(TextDialogChecks, RefuseWithTheFocusInTheOffendingField)
{
    const TextEntry& c = GetParam();
    const bool accepted = runOk([&] {
        QWidget* field = dialog.findChild<QWidget*>(QString::fromLatin1(c.field));
        ASSERT_NE(field, nullptr);
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->setText(Text(c.typed));
        else
            static_cast<QComboBox*>(field)->setEditText(Text(c.typed));
    });
    EXPECT_EQ(accepted, c.accepted);
    EXPECT_EQ(stayedOpen, !c.accepted);
    if (!c.accepted) {
        EXPECT_EQ(focused, QString::fromLatin1(c.field));
        EXPECT_TRUE(message.isEmpty()) << message.toStdString();  // only the Shift-JIS refusal speaks
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextDialogChecks,
    ::testing::Values(TextEntry{"UnknownFont", "ComboBox1", "No Such Font", false},
                      TextEntry{"FontNameIsCaseSensitive", "ComboBox1", "nimbus sans", false},
                      TextEntry{"ListedFont", "ComboBox1", "Nimbus Sans", true},
                      TextEntry{"SizeBelowThree", "Edit1", "2.9", false},
                      TextEntry{"SizeAboveThousand", "Edit1", "1001", false},
                      TextEntry{"SizeUnreadable", "Edit1", "abc", false},
                      TextEntry{"SizeThree", "Edit1", "3", true},
                      TextEntry{"AngleBelowRange", "Edit2", "-361", false},
                      TextEntry{"AngleAtLimit", "Edit2", "360", true},
                      TextEntry{"RatioTooSmall", "Edit3", "0.009", false},
                      TextEntry{"RatioTooLarge", "Edit3", "-101", false},
                      TextEntry{"NegativeRatioKept", "Edit3", "-0.5", true},
                      TextEntry{"ThreeSpaces", "Edit4", "   ", false},
                      TextEntry{"FullWidthSpacesOnly", "Edit4", "　　", false},
                      TextEntry{"ControlCharactersOnly", "Edit4", "\t \x01", false},
                      TextEntry{"LetterBetweenFullWidthSpaces", "Edit4", "　a　", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextDialog, StoresEveryFieldAsTyped)
{
    const bool accepted = runOk([&] {
        dialog.ComboBox1->setEditText(QStringLiteral("Nimbus Sans"));
        dialog.Edit1->setText(QStringLiteral("24"));
        dialog.Edit2->setText(QStringLiteral("-45"));
        dialog.Edit3->setText(QStringLiteral("-0.5"));
        dialog.ComboBox2->setCurrentIndex(4);
        dialog.CheckBox[0]->setChecked(true);
        dialog.CheckBox[2]->setChecked(true);
        dialog.Edit4->setText(Text("　図面 A　"));
    });
    ASSERT_TRUE(accepted);
    EXPECT_EQ(params.fontName, "Nimbus Sans");
    EXPECT_EQ(params.textSize, 24);
    EXPECT_EQ(params.textAngleDeg, -45);
    EXPECT_EQ(params.textRatioX, -0.5);
    EXPECT_EQ(params.textAnchor, 4);
    EXPECT_EQ(params.textStyle, 1 | 4);
    EXPECT_EQ(params.text, "　図面 A　");
}

TEST_F(TextDialog, ALongTextFromADrawingIsOfferedWholeButTypingStopsAt255)
{
    params.text = std::string(300, 'a');
    ASSERT_TRUE(runOk([] {}));
    EXPECT_EQ(params.text.size(), 300u);

    params.text = "x";
    ASSERT_TRUE(runOk([&] {
        dialog.Edit4->clear();
        QTest::keyClicks(dialog.Edit4, QString(256, u'b'));
    }));
    EXPECT_EQ(params.text.size(), 255u);
}

TEST_F(TextDialog, ATextShiftJisCannotHoldIsRefusedNamingTheCharacter)
{
    const bool accepted = runOk([&] { dialog.Edit4->setText(Text("図면")); });
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(focused, QStringLiteral("Edit4"));
    EXPECT_EQ(message, Text("文字列に Shift-JIS で保存できない文字があります：「면」(U+BA74)"));
    EXPECT_EQ(params.text, "Mirt");

    // A line break (pasted) would split the file's one-value-per-line
    // records: refused the same way.
    runOk([&] { dialog.Edit4->setText(QStringLiteral("a\nb")); });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(message, Text("文字列に Shift-JIS で保存できない文字があります：改行(U+000A)"));

    // Corrected, the same dialog takes it and the message is gone.
    WhenModal([&](QWidget*) {
        dialog.Edit4->setText(Text("図면"));
        dialog.Button1->click();
        EXPECT_TRUE(dialog.LabelMessage->isVisible());
        dialog.Edit4->setText(Text("図面"));
        dialog.Button1->click();
        EXPECT_FALSE(dialog.LabelMessage->isVisible());
    });
    ASSERT_TRUE(dialog.Execute(params));
    EXPECT_EQ(params.text, "図面");
}

// A text read with bytes that are no Shift-JIS character shows them as the
// replacement sign; they are saved back unless the user removes them, and
// only what the user types is checked.
TEST_F(TextDialog, BytesKeptFromAFileSurviveAndTypedReplacementSignsAreRefused)
{
    const auto fileBytes = [](const std::string& text) {
        std::string bytes;
        EXPECT_TRUE(Cp932Codec().encodeFile(text, bytes));
        return bytes;
    };
    params.text = cp932ToUtf8("A\xA0 \x82"); // an undefined byte, a lead byte last
    QString offered;
    ASSERT_TRUE(runOk([&] { offered = dialog.Edit4->text(); }));
    EXPECT_EQ(offered, Text("A\uFFFD \uFFFD"));
    EXPECT_EQ(fileBytes(params.text), "A\xA0 \x82");

    ASSERT_TRUE(runOk([&] { dialog.Edit4->setText(Text("図A\uFFFD \uFFFDB")); }));
    EXPECT_EQ(fileBytes(params.text), "\x90\x7D" "A\xA0 \x82" "B");

    // Three signs where the text kept two: one of them was typed.
    EXPECT_FALSE(runOk([&] { dialog.Edit4->setText(Text("\uFFFD\uFFFD\uFFFD")); }));
    EXPECT_EQ(message, Text("文字列に Shift-JIS で保存できない文字があります：「\uFFFD」(U+FFFD)"));
    EXPECT_EQ(fileBytes(params.text), "\x90\x7D" "A\xA0 \x82" "B");
}

TEST_F(TextDialog, OffersTheRememberedValuesAndShowsTheTextInTheChosenFont)
{
    params.textAnchor = 12;  // out of range: shown as the first anchor
    params.textStyle = 2 | 8;
    params.textSize = 18;
    params.fontName = "Nimbus Roman";
    QString shownFont, focusedAtStart, fontAfterChoice, shownSize;
    int shownAnchor = -1;
    bool italic = false, strikeout = false, bold = true;
    WhenModal([&](QWidget*) {
        shownFont = dialog.ComboBox1->currentText();
        shownSize = dialog.Edit1->text();
        shownAnchor = dialog.ComboBox2->currentIndex();
        bold = dialog.CheckBox[0]->isChecked();
        italic = dialog.CheckBox[1]->isChecked();
        strikeout = dialog.CheckBox[3]->isChecked();
        focusedAtStart = dialog.focusWidget()->objectName();
        dialog.activateWindow();  // focus-out events need an active window
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(dialog.Edit4->font().family(), QStringLiteral("Nimbus Roman"));
        dialog.ComboBox1->setCurrentIndex(dialog.ComboBox1->findText(QStringLiteral("Nimbus Mono PS")));
        dialog.Edit1->setFocus();  // leaving the font list
        fontAfterChoice = dialog.Edit4->font().family();
        dialog.Button2->click();
    });
    EXPECT_FALSE(dialog.Execute(params));
    EXPECT_EQ(shownFont, QStringLiteral("Nimbus Roman"));
    EXPECT_EQ(shownSize, QStringLiteral("18"));
    EXPECT_EQ(shownAnchor, 0);
    EXPECT_FALSE(bold);
    EXPECT_TRUE(italic);
    EXPECT_TRUE(strikeout);
    EXPECT_EQ(focusedAtStart, QStringLiteral("ComboBox1"));
    EXPECT_EQ(fontAfterChoice, QStringLiteral("Nimbus Mono PS"));
    EXPECT_EQ(params.fontName, "Nimbus Roman");  // cancelled
    EXPECT_EQ(params.textAnchor, 12);
}

TEST_F(TextDialog, TabWalksTheFieldsInOrderAndTheArrowKeysStepTheSize)
{
    params.textSize = 999.5;
    QStringList walk;
    QStringList sizes;
    WhenModal([&](QWidget*) {
        walk = TabWalk(&dialog, 12);
        QTest::keyClick(dialog.Edit1, Qt::Key_Up);
        sizes << dialog.Edit1->text();
        QTest::keyClick(dialog.Edit1, Qt::Key_Up);
        sizes << dialog.Edit1->text();
        dialog.Edit1->setText(QStringLiteral("4"));
        QTest::keyClick(dialog.Edit1, Qt::Key_Down);
        QTest::keyClick(dialog.Edit1, Qt::Key_Down);
        sizes << dialog.Edit1->text();
        dialog.UpDown1[0]->click();
        sizes << dialog.Edit1->text();
        QTest::keyClick(dialog.Edit4, Qt::Key_Return);
    });
    ASSERT_TRUE(dialog.Execute(params));
    EXPECT_EQ(walk, (QStringList{"ComboBox1", "Edit1", "Edit2", "Edit3", "ComboBox2", "CheckBox1", "CheckBox2",
                                 "CheckBox3", "CheckBox4", "Edit4", "Button1", "Button2"}));
    EXPECT_EQ(sizes, (QStringList{"1000", "1000", "3", "4"}));
    EXPECT_EQ(params.textSize, 4);
}

TEST_F(TextDialog, ReturnInTheFontListIsOkAndEscCancels)
{
    WhenModal([&](QWidget*) {
        dialog.Edit4->setText(QStringLiteral("changed"));
        QTest::keyClick(dialog.ComboBox1, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Execute(params));
    EXPECT_EQ(params.text, "Mirt");

    WhenModal([&](QWidget*) {
        dialog.Edit4->setText(QStringLiteral("changed"));
        QTest::keyClick(dialog.ComboBox1, Qt::Key_Return);
    });
    ASSERT_TRUE(dialog.Execute(params));
    EXPECT_EQ(params.text, "changed");
}

// --- TFormInp2 ----------------------------------------------------------------

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

TEST(PolyPointDialog, ListsTheSegmentsWithTheClosingOneAndThePoints)
{
    TFormInp2 dialog;
    QStringList segments, points;
    QString focused;
    WhenModal([&](QWidget*) {
        segments = Items(dialog.ComboBox1);
        points = Items(dialog.ComboBox2);
        focused = dialog.focusWidget()->objectName();
        dialog.ComboBox1->setCurrentIndex(2);
        dialog.Button1->click();
    });
    PolyPointChoice choice;
    ASSERT_TRUE(dialog.Execute(3, choice));
    EXPECT_EQ(dialog.windowTitle(), Text("連続線の点の増減入力"));
    EXPECT_EQ(segments, (QStringList{Text("第1点～第2点"), Text("第2点～第3点"), Text("第3点～第1点")}));
    EXPECT_EQ(points, (QStringList{Text("第1点"), Text("第2点"), Text("第3点")}));
    EXPECT_EQ(focused, QStringLiteral("RadioButton1"));
    EXPECT_EQ(choice.operation, PolyPointOperation::Add);
    EXPECT_EQ(choice.index, 2);
}

TEST(PolyPointDialog, RefusesToRemoveFromTwoPointsThenCancelChangesNothing)
{
    TFormInp2 dialog;
    bool stayedOpen = false;
    WhenModal([&](QWidget*) {
        dialog.RadioButton2->setChecked(true);
        dialog.Button1->click();
        stayedOpen = dialog.isVisible();
        QTest::keyClick(dialog.ComboBox2, Qt::Key_Escape);
    });
    PolyPointChoice choice{PolyPointOperation::Add, 7};
    EXPECT_FALSE(dialog.Execute(2, choice));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(choice.index, 7);
}

TEST(PolyPointDialog, RemovesFromThreePointsByKeyboardAndStartsOverOnTheNextShow)
{
    TFormInp2 dialog;
    QStringList walk;
    WhenModal([&](QWidget*) {
        // The unchecked radio button is reached by the arrow keys, not Tab.
        walk = TabWalk(&dialog, 6);
        EXPECT_EQ(dialog.focusWidget(), dialog.ComboBox1);
        QTest::keyClick(dialog.ComboBox1, Qt::Key_Tab);
        // Choosing the second point in the remove list picks "点を減らす".
        QTest::keyClick(dialog.ComboBox2, Qt::Key_Down);
        EXPECT_TRUE(dialog.RadioButton2->isChecked());
        QTest::keyClick(dialog.ComboBox2, Qt::Key_Return);
    });
    PolyPointChoice choice;
    ASSERT_TRUE(dialog.Execute(3, choice));
    EXPECT_EQ(walk, (QStringList{"RadioButton1", "ComboBox1", "ComboBox2", "Button1", "Button2", "RadioButton1"}));
    EXPECT_EQ(choice.operation, PolyPointOperation::Remove);
    EXPECT_EQ(choice.index, 1);

    bool addChosen = false;
    int segmentCount = 0;
    WhenModal([&](QWidget*) {
        addChosen = dialog.RadioButton1->isChecked();
        segmentCount = dialog.ComboBox1->count();
        QTest::keyClick(dialog.RadioButton1, Qt::Key_Return);
    });
    ASSERT_TRUE(dialog.Execute(5, choice));
    EXPECT_TRUE(addChosen);
    EXPECT_EQ(segmentCount, 5);
    EXPECT_EQ(choice.operation, PolyPointOperation::Add);
    EXPECT_EQ(choice.index, 0);
}

TEST(PolyPointDialog, AnElementWithoutPointsOffersNothingToChoose)
{
    TFormInp2 dialog;
    bool stayedOpen = false;
    WhenModal([&](QWidget*) {
        dialog.Button1->click();
        stayedOpen = dialog.isVisible();
        dialog.Button2->click();
    });
    PolyPointChoice choice;
    EXPECT_FALSE(dialog.Execute(0, choice));
    EXPECT_TRUE(stayedOpen);
}

// --- the main window's dialogs ------------------------------------------------

TEST(FormDialogs, AnswerTheDrawCommandsAndRememberTheConfirmedValues)
{
    auto form = MakeShownForm();
    WhenModal([&](QWidget* modal) {
        EXPECT_EQ(modal, form->FormInp1());
        form->FormInp1()->Edit[0]->setText(QStringLiteral("5000"));
        QTest::keyClick(form->FormInp1()->Edit[0], Qt::Key_Return);
    });
    form->PopDrawCirc4Click();
    EXPECT_EQ(form->settings().construction.circleRadius, 1000);

    QString offered;
    WhenModal([&](QWidget*) {
        offered = form->FormInp1()->Edit[0]->text();
        QTest::keyClick(form->FormInp1()->Edit[0], Qt::Key_Escape);
    });
    form->PopDrawCirc4Click();
    EXPECT_EQ(offered, QStringLiteral("1000"));

    WhenModal([&](QWidget* modal) {
        EXPECT_EQ(modal, form->FormCBox());
        form->FormCBox()->ComboBox[0]->setCurrentIndex(4);
        form->FormCBox()->Edit[0]->setText(QStringLiteral("8"));
        form->FormCBox()->Edit[1]->setText(QStringLiteral("9"));
        form->FormCBox()->Button1->click();
    });
    form->PopDrawCBox1Click();
    EXPECT_EQ(form->settings().construction.cornerTypes[0], 4);
    EXPECT_EQ(form->settings().construction.cornerHeights[0], 9);
}

TEST(FormDialogs, KeepTheirPlacesBetweenRuns)
{
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath(QStringLiteral("mirt.dat"));
    Settings saved = LoadDefaults();
    saved.windows.formInp1 = WindowPlace{101, 102, 0, 0};
    saved.windows.formMoji = WindowPlace{103, 104, 0, 0};
    ASSERT_TRUE(WriteSettings(settingsPath.toStdString(), saved));

    auto form = MakeShownFormWithoutResize(settingsPath);
    EXPECT_EQ(form->FormInp1()->pos(), QPoint(101, 102));
    EXPECT_EQ(form->FormMoji()->pos(), QPoint(103, 104));
    EXPECT_EQ(form->FormInp1(), form->FormInp1());  // made once
    form->FormCBox()->move(105, 106);
    form->FormInp2()->move(107, 108);
    form->close();
    const Settings reread = ReadSettings(settingsPath.toStdString());
    EXPECT_EQ(reread.windows.formCBox.left, 105);
    EXPECT_EQ(reread.windows.formCBox.top, 106);
    EXPECT_EQ(reread.windows.formInp2.left, 107);
    EXPECT_EQ(reread.windows.formInp1.top, 102);
}

}  // namespace
