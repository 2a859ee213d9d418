// The Settings-menu items of the attribute windows, the windows' open flags
// and places across a restart, and the layer window driven with QTest: its
// toggles, ALL-ON / ALL-OFF, the current row, names reaching the drawing
// file, names refused at entry, and its resize rule.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app_test_support.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/UnitLay.h"
#include "storage/files.h"
#include "storage/CVals.h"
#include "storage/cp932.h"
#include "storage/settings.h"

namespace {

struct MenuCase {
    const char* handler;
    const char* operation;
    TAttributeWindow* (*window)(TForm1&);
    bool OpenAttributeWindows::*flag;
};

const MenuCase kMenuCases[] = {
    {"PopSetLayClick", "レイヤ設定", [](TForm1& f) -> TAttributeWindow* { return f.FormLay(); },
     &OpenAttributeWindows::formLay},
    {"PopSetPenClick", "ペン設定", [](TForm1& f) -> TAttributeWindow* { return f.Form2(); },
     &OpenAttributeWindows::form2},
    {"PopSetPenWidClick", "ペン幅設定", [](TForm1& f) -> TAttributeWindow* { return f.Form3(); },
     &OpenAttributeWindows::form3},
    {"PopSetPenTypeClick", "ペン線種設定", [](TForm1& f) -> TAttributeWindow* { return f.Form4(); },
     &OpenAttributeWindows::form4},
    {"PopSetPenCapClick", "ペン線端設定", [](TForm1& f) -> TAttributeWindow* { return f.Form5(); },
     &OpenAttributeWindows::form5},
    {"PopSetBrushClick", "ブラシ設定", [](TForm1& f) -> TAttributeWindow* { return f.Form7(); },
     &OpenAttributeWindows::form7},
    {"PopSetTenClick", "点設定", [](TForm1& f) -> TAttributeWindow* { return f.Form6(); },
     &OpenAttributeWindows::form6},
};

class SettingsMenuItems : public ::testing::TestWithParam<MenuCase> {};

TEST_P(SettingsMenuItems, OpenTheirWindowSetTheFlagAndEscClosesIt)
{
    const MenuCase& c = GetParam();
    auto form = MakeShownForm();
    QAction* action = form->menuAction(QString::fromLatin1(c.handler));
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    action->trigger();
    TAttributeWindow* window = c.window(*form);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(form->settings().openWindows.*c.flag);
    EXPECT_EQ(form->statusText(1), QString::fromUtf8(c.operation));
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(form->settings().openWindows.*c.flag);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsMenuItems, ::testing::ValuesIn(kMenuCases),
                         [](const auto& info) { return std::string(info.param.handler); });

TEST(AttributeWindowsAcrossARestart, OpenWindowsAndPlacesAreSavedAndReopened)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mirt.dat"));
    QRect penClient;
    {
        auto form = MakeShownFormWithoutResize(path);
        form->PopSetPenClick();
        form->PopSetLayClick();
        form->PopSetPenCapClick();
        form->Form5()->close();
        form->FormLay()->resize(240, 500);
        form->Form2()->move(150, 160);  // the frame's corner; the place kept is the client's
        penClient = form->Form2()->geometry();
        form->FormClose();
    }
    const Settings saved = ReadSettings(path.toStdString());
    EXPECT_TRUE(saved.openWindows.form2);
    EXPECT_TRUE(saved.openWindows.formLay);
    EXPECT_FALSE(saved.openWindows.form5);
    EXPECT_FALSE(saved.openWindows.form7);
    EXPECT_EQ(saved.windows.formLay.width, 240);
    EXPECT_EQ(saved.windows.formLay.height, 500);
    EXPECT_EQ(saved.windows.form2.left, penClient.left());
    EXPECT_EQ(saved.windows.form2.top, penClient.top());

    auto again = MakeShownFormWithoutResize(path);
    EXPECT_TRUE(again->Form2()->isVisible());
    EXPECT_TRUE(again->FormLay()->isVisible());
    EXPECT_FALSE(again->Form5()->isVisible());
    EXPECT_FALSE(again->Form7()->isVisible());
    EXPECT_EQ(again->FormLay()->size(), QSize(240, 500));
    EXPECT_EQ(again->Form2()->geometry(), penClient);
    EXPECT_EQ(again->Form2()->pos(), QPoint(150, 160));
}

TEST(AttributeWindowsAcrossARestart, AnArrowEndStyleIsKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mirt.dat"));
    Settings settings = LoadDefaults();
    settings.attributes.endStyle = 7;
    ASSERT_TRUE(WriteSettings(path.toStdString(), settings));
    auto form = MakeShownFormWithoutResize(path);
    EXPECT_EQ(form->settings().attributes.endStyle, 7);
}

TEST(RefreshAttributeWindows, ReloadsOnlyTheOpenWindowsFromTheCurrentAttributes)
{
    auto form = MakeShownForm();
    form->PopSetPenWidClick();
    form->settings().attributes.penWidth = 12.5;
    form->settings().attributes.currentLayer = 9;
    form->PopSetLayClick();
    form->settings().attributes.currentLayer = 30;
    form->RefreshAttributeWindows();
    EXPECT_EQ(form->Form3()->Edit1->text(), QStringLiteral("12.5"));
    EXPECT_EQ(form->FormLay()->SG1->currentRow(), 30);
    EXPECT_FALSE(form->Form6()->isVisible());
    EXPECT_EQ(form->settings().attributes.penWidth, 12.5);
}

// --- layer window -----------------------------------------------------------------

// Types text one character at a time (QTest's key clicks know ASCII only).
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

struct LayerWindow : ::testing::Test {
    std::unique_ptr<TForm1> form = MakeShownForm();
    TFormLay* window = nullptr;
    std::vector<Layer>& layers = form->drawing().layers;

    void SetUp() override
    {
        form->PopSetLayClick();
        window = form->FormLay();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    QPoint cellCentre(int row, int column) const
    {
        window->SG1->scrollToItem(window->SG1->item(row, column));
        return window->SG1->visualItemRect(window->SG1->item(row, column)).center();
    }
    void pressCell(int row, int column)
    {
        QTest::mouseClick(window->SG1->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(row, column));
    }
    QString mark(int row) const { return window->SG1->item(row, 1)->text(); }
};

TEST_F(LayerWindow, ShowsNumbersMarksAndTheCurrentRow)
{
    EXPECT_EQ(window->SG1->rowCount(), 256);
    EXPECT_EQ(window->SG1->item(0, 0)->text(), QStringLiteral("  1"));
    EXPECT_EQ(window->SG1->item(99, 0)->text(), QStringLiteral("100"));
    EXPECT_EQ(mark(0), QStringLiteral("○"));
    EXPECT_EQ(window->SG1->horizontalHeaderItem(2)->text(), QStringLiteral("レイヤ名"));
    EXPECT_EQ(window->SG1->currentRow(), 0);
}

TEST_F(LayerWindow, PressingAMarkTogglesTheLayerAndKeepsTheCurrentLayer)
{
    layers[4].visible = false;
    window->FormShow();
    EXPECT_EQ(mark(4), QStringLiteral("－"));
    pressCell(4, 1);
    EXPECT_TRUE(layers[4].visible);
    EXPECT_EQ(mark(4), QStringLiteral("○"));
    pressCell(4, 0);
    EXPECT_FALSE(layers[4].visible);
    EXPECT_EQ(mark(4), QStringLiteral("－"));
    EXPECT_EQ(form->settings().attributes.currentLayer, 0);
}

TEST_F(LayerWindow, ChoosingARowMakesItsLayerCurrentAndVisible)
{
    layers[11].visible = false;
    window->FormShow();
    pressCell(11, 2);
    EXPECT_EQ(form->settings().attributes.currentLayer, 11);
    EXPECT_TRUE(layers[11].visible);
    EXPECT_EQ(mark(11), QStringLiteral("○"));
    // From the keyboard: Down moves the current layer, Space hides it.
    window->SG1->setFocus();
    QTest::keyClick(window->SG1, Qt::Key_Down);
    EXPECT_EQ(form->settings().attributes.currentLayer, 12);
    QTest::keyClick(window->SG1, Qt::Key_Space);
    EXPECT_FALSE(layers[12].visible);
}

TEST_F(LayerWindow, AllOffHidesEveryLayerAndTheCanvasOnceTheWindowLosesTheFocus)
{
    AddLine(form->drawing(), 10, 150, 390, 150);
    form->FormPaint();
    ASSERT_EQ(Pixel(*form, 200, 150) & 0xFFFFFF, 0x000000u);
    window->Button3->click();
    for (const Layer& l : layers)
        EXPECT_FALSE(l.visible);
    EXPECT_EQ(mark(0), QStringLiteral("－"));
    EXPECT_EQ(form->settings().attributes.currentLayer, 0);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == window->windowHandle(); }));
    EXPECT_EQ(Pixel(*form, 200, 150) & 0xFFFFFF, 0x000000u);  // not before
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == form->windowHandle(); }));
    EXPECT_EQ(Pixel(*form, 200, 150) & 0xFFFFFF, 0xFFFFFFu);
    window->Button2->click();
    for (const Layer& l : layers)
        EXPECT_TRUE(l.visible);
    EXPECT_EQ(mark(255), QStringLiteral("○"));
}

TEST_F(LayerWindow, ATypedNameReachesTheSavedDrawing)
{
    window->SG1->setCurrentCell(0, 2);
    window->SG1->setFocus();
    QTest::keyClick(window->SG1, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, window->SG1);
    TypeText(editor, QStringLiteral("背景"));
    EXPECT_EQ(layers[0].name, "背景");  // keystroke by keystroke
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the editor commits through a queued call
    EXPECT_EQ(window->SG1->item(0, 2)->text(), QStringLiteral("背景"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("named.mt"));
    ASSERT_TRUE(form->saveDrawingFile(path));
    ASSERT_TRUE(form->openDrawingFile(path));
    EXPECT_EQ(form->drawing().layers[0].name, "背景");
}

TEST_F(LayerWindow, ANameShiftJisCannotHoldIsRefusedAtEntry)
{
    QString message;
    window->refuseName = [&](const QString& text) { message = text; };
    layers[2].name = "ok";
    EXPECT_FALSE(window->SG1SetEditText(2, QString::fromUtf8("ok\xF0\x9F\x98\x80")));
    EXPECT_EQ(layers[2].name, "ok");
    EXPECT_TRUE(message.contains(QStringLiteral("U+1F600")));
    message.clear();
    EXPECT_TRUE(window->SG1SetEditText(2, QStringLiteral("ok～")));
    EXPECT_TRUE(message.isEmpty());
    EXPECT_EQ(layers[2].name, "ok～");
    EXPECT_FALSE(window->SG1SetEditText(2, QStringLiteral("a\nb")));
    EXPECT_EQ(layers[2].name, "ok～");
}

TEST_F(LayerWindow, BytesKeptFromTheFileShowAsTheirSignsAndSurviveAnEditBesideThem)
{
    QString message;
    window->refuseName = [&](const QString& text) { message = text; };
    layers[2].name = cp932ToUtf8("\x87\x9A" "x\xFF"); // a duplicate code, an undefined byte
    window->FormShow();
    EXPECT_EQ(window->SG1->item(2, 2)->text(), QString::fromUtf8("∵x\uFFFD"));
    const auto savedBytes = [&] {
        std::string bytes;
        EXPECT_TRUE(Cp932Codec().encodeFile(layers[2].name, bytes));
        return bytes;
    };
    EXPECT_TRUE(window->SG1SetEditText(2, QString::fromUtf8("∵xy\uFFFD")));
    EXPECT_EQ(savedBytes(), "\x87\x9A" "xy\xFF");
    EXPECT_FALSE(window->SG1SetEditText(2, QString::fromUtf8("∵\uFFFDxy\uFFFD"))); // a sign typed
    EXPECT_TRUE(message.contains(QStringLiteral("U+FFFD")));
    EXPECT_EQ(savedBytes(), "\x87\x9A" "xy\xFF");
}

TEST_F(LayerWindow, TheNameColumnFollowsTheWidthButKeepsAHundredPixels)
{
    window->resize(400, 452);
    QApplication::processEvents();
    const int wide = window->SG1->columnWidth(2);
    EXPECT_EQ(wide, window->SG1->viewport()->width() - TFormLay::kNumberWidth - TFormLay::kMarkWidth);
    EXPECT_GT(wide, 250);
    // Narrower than its buttons allow, the name column keeps 100 pixels.
    window->SG1->setMaximumWidth(120);
    window->resize(130, 452);
    QApplication::processEvents();
    EXPECT_LT(window->SG1->viewport()->width() - TFormLay::kNumberWidth - TFormLay::kMarkWidth,
              TFormLay::kMinNameWidth);
    EXPECT_EQ(window->SG1->columnWidth(2), TFormLay::kMinNameWidth);
}

TEST_F(LayerWindow, OpeningADrawingRefreshesTheOpenWindow)
{
    layers[3].name = "walls";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("layers.mt"));
    ASSERT_TRUE(form->saveDrawingFile(path));
    layers[3].name.clear();
    window->FormShow();
    ASSERT_TRUE(form->openDrawingFile(path));
    form->RefreshLayerWindow();
    EXPECT_EQ(window->SG1->item(3, 2)->text(), QStringLiteral("walls"));
}

}  // namespace
