// The pen, brush, width, line-type, line-end and point windows driven with
// QTest: what each control writes into CurrentAttributes, that filling a
// window writes nothing back, and the pixels of the sample cells.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/draw_grid.h"
#include "model/attributes.h"

namespace {

void ClickCell(TDrawGrid* grid, int row, int column)
{
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRect(row, column).center());
}

// Shown and active, so that focus and keyboard moves behave as for a user.
void Open(TAttributeWindow& window)
{
    window.openWindow();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

void Retype(QLineEdit* edit, const char* text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

struct StyleWindows : ::testing::Test {
    CurrentAttributes attributes;
    bool penOpen = false, brushOpen = false;
    TForm2 pen{attributes, penOpen};
    TForm7 brush{attributes, brushOpen};
};

// --- alpha boxes -------------------------------------------------------------

struct AlphaCase {
    const char* name;
    bool brush;
    int alpha;
    const char* typed;
    int stored;
};

class AlphaBoxes : public StyleWindows, public ::testing::WithParamInterface<AlphaCase> {};

TEST_P(AlphaBoxes, ClampEveryKeystrokeAndKeepTheTypedText)
{
    const AlphaCase& c = GetParam();
    TStyleWindow& window = c.brush ? static_cast<TStyleWindow&>(brush) : pen;
    Open(window);
    Retype(window.alphaEdit(c.alpha), c.typed);
    const int32_t* alphas = c.brush ? attributes.brushAlphas : attributes.penAlphas;
    EXPECT_EQ(alphas[c.alpha], c.stored);
    EXPECT_EQ(window.alphaEdit(c.alpha)->text(), QString::fromLatin1(c.typed));
}

INSTANTIATE_TEST_SUITE_P(Rows, AlphaBoxes,
                         ::testing::Values(AlphaCase{"PenNegative", false, 0, "-5", 0},
                                           AlphaCase{"PenHuge", false, 4, "999", 255},
                                           AlphaCase{"PenCleared", false, 1, "", 0},
                                           AlphaCase{"PenPlain", false, 2, "128", 128},
                                           AlphaCase{"BrushRadialSurround", true, 6, "999", 255},
                                           AlphaCase{"BrushHatchFore", true, 1, "-5", 0},
                                           AlphaCase{"BrushUnreadable", true, 3, "x7", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StyleWindows, GradientAngleIsClampedToPlusMinus360)
{
    Open(pen);
    Open(brush);
    Retype(pen.angleEdit(), "400");
    EXPECT_EQ(attributes.penGradientAngle, 360);
    Retype(brush.angleEdit(), "-720");
    EXPECT_EQ(attributes.brushGradientAngle, -360);
    Retype(brush.angleEdit(), "12.5");
    EXPECT_EQ(attributes.brushGradientAngle, 12.5);
    EXPECT_EQ(attributes.penGradientAngle, 360);
}

TEST_F(StyleWindows, KindButtonsWriteTheKindAtOnce)
{
    Open(pen);
    Open(brush);
    pen.kindButton(5)->click();
    EXPECT_EQ(attributes.penKind, 5);
    brush.kindButton(6)->click();
    EXPECT_EQ(attributes.brushKind, 6);
    // From the keyboard: an arrow moves the choice.
    brush.kindButton(6)->setFocus();
    QTest::keyClick(brush.kindButton(6), Qt::Key_Up);
    EXPECT_EQ(attributes.brushKind, 5);
    EXPECT_EQ(attributes.penKind, 5);
}

TEST_F(StyleWindows, HatchGridStoresRowTimesNinePlusColumnAndTheBlankCellToo)
{
    Open(pen);
    ClickCell(pen.hatchGrid(), 1, 2);
    EXPECT_EQ(attributes.penHatchStyle, 11);
    ClickCell(pen.hatchGrid(), 5, 8);
    EXPECT_EQ(attributes.penHatchStyle, 53);
    QTest::keyClick(pen.hatchGrid(), Qt::Key_Up);
    EXPECT_EQ(attributes.penHatchStyle, 44);
    EXPECT_EQ(attributes.brushHatchStyle, 0);
}

TEST_F(StyleWindows, ColourButtonAndSwatchTakeTheChosenColourCancelKeepsIt)
{
    Open(brush);
    int32_t offered = -1;
    brush.chooseColour = [&](int32_t current) -> std::optional<int32_t> {
        offered = current;
        return 0x123456;
    };
    brush.colourButton(7)->click();
    EXPECT_EQ(attributes.brushColors[7], 0x123456);
    EXPECT_EQ(brush.swatch(7)->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
    QTest::mouseClick(brush.swatch(2), Qt::LeftButton);
    EXPECT_EQ(attributes.brushColors[2], 0x123456);
    EXPECT_EQ(offered, 0);
    brush.chooseColour = [](int32_t) { return std::optional<int32_t>(); };
    brush.colourButton(7)->click();
    EXPECT_EQ(attributes.brushColors[7], 0x123456);
}

TEST_F(StyleWindows, OnlyAFileChosenWithBrowseBecomesTheImage)
{
    attributes.penImageFile = "/pictures/old.png";
    Open(pen);
    Retype(pen.imageEdit(), "/typed.png");
    EXPECT_EQ(attributes.penImageFile, "/pictures/old.png");
    QString proposed;
    pen.chooseImage = [&](const QString& start) {
        proposed = start;
        return QStringLiteral("/pictures/new.png");
    };
    pen.browseButton()->click();
    EXPECT_EQ(proposed, QStringLiteral("/typed.png"));
    EXPECT_EQ(attributes.penImageFile, "/pictures/new.png");
    EXPECT_EQ(pen.imageEdit()->text(), QStringLiteral("/pictures/new.png"));
    pen.chooseImage = [](const QString&) { return QString(); };
    pen.browseButton()->click();
    EXPECT_EQ(attributes.penImageFile, "/pictures/new.png");
}

// A chosen file whose name the drawing and settings files cannot hold is
// refused with a message naming the character; the image stays as it was.
struct UnstorableImageName {
    const char* name;
    const char* path;  // UTF-8
    const char* named;  // what the message must name
};

class StyleWindowImageNames : public ::testing::TestWithParam<UnstorableImageName> {
protected:
    CurrentAttributes attributes;
    bool open = false;
};

TEST_P(StyleWindowImageNames, AreRefusedAndChangeNothing)
{
    attributes.brushImageFile = "/pictures/old.png";
    TForm7 brush{attributes, open};
    Open(brush);
    QStringList refusals;
    brush.refuseImage = [&](const QString& message) { refusals << message; };
    brush.chooseImage = [](const QString&) { return QString::fromUtf8(GetParam().path); };
    brush.browseButton()->click();
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_TRUE(refusals[0].contains(QString::fromUtf8(GetParam().named))) << refusals[0].toStdString();
    EXPECT_TRUE(refusals[0].startsWith(QString::fromUtf8("画像ファイル名に Shift-JIS で保存できない文字があります：")));
    EXPECT_EQ(attributes.brushImageFile, "/pictures/old.png");
    EXPECT_EQ(brush.imageEdit()->text(), QStringLiteral("/pictures/old.png"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StyleWindowImageNames,
    ::testing::Values(UnstorableImageName{"LatinAccent", "/pictures/caf\xc3\xa9.png", "「é」(U+00E9)"},
                      UnstorableImageName{"Emoji", "/pictures/\xf0\x9f\x98\x80.png", "(U+1F600)"},
                      // The code points the program keeps undecodable file bytes in.
                      UnstorableImageName{"KeptByteCodePoint", "/pictures/\xf4\x80\x82\x81.png", "(U+100081)"},
                      UnstorableImageName{"LineBreak", "/pictures/a\nb.png", "改行(U+000A)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StyleWindows, EscClosesAndClearsTheOpenFlag)
{
    Open(pen);
    EXPECT_TRUE(penOpen);
    EXPECT_TRUE(pen.isVisible());
    QTest::keyClick(&pen, Qt::Key_Escape);
    EXPECT_FALSE(pen.isVisible());
    EXPECT_FALSE(penOpen);
}

// --- filling writes nothing back ---------------------------------------------------

// Values no control would write: any handler that ran while a window filled
// itself would clamp or replace one of them.
CurrentAttributes OddAttributes()
{
    CurrentAttributes a;
    a.penKind = 0;
    a.brushKind = 9;
    a.penAlphas[0] = 300;
    a.brushAlphas[6] = -4;
    a.penGradientAngle = 500;
    a.brushGradientAngle = -0.25;
    a.penHatchStyle = 53;
    a.brushHatchStyle = 60;
    a.penWidth = 0.0005;
    a.dashStyle = 9;
    a.dashCap = -1;
    a.endStyle = 12;
    a.pointStyle = 30;
    a.pointSize = 2000;
    a.penImageFile = "kept.png";
    return a;
}

void ExpectOdd(const CurrentAttributes& a)
{
    const CurrentAttributes odd = OddAttributes();
    EXPECT_EQ(a.penKind, odd.penKind);
    EXPECT_EQ(a.brushKind, odd.brushKind);
    EXPECT_EQ(a.penAlphas[0], odd.penAlphas[0]);
    EXPECT_EQ(a.brushAlphas[6], odd.brushAlphas[6]);
    EXPECT_EQ(a.penGradientAngle, odd.penGradientAngle);
    EXPECT_EQ(a.brushGradientAngle, odd.brushGradientAngle);
    EXPECT_EQ(a.penHatchStyle, odd.penHatchStyle);
    EXPECT_EQ(a.brushHatchStyle, odd.brushHatchStyle);
    EXPECT_EQ(a.penWidth, odd.penWidth);
    EXPECT_EQ(a.dashStyle, odd.dashStyle);
    EXPECT_EQ(a.dashCap, odd.dashCap);
    EXPECT_EQ(a.endStyle, odd.endStyle);
    EXPECT_EQ(a.pointStyle, odd.pointStyle);
    EXPECT_EQ(a.pointSize, odd.pointSize);
    EXPECT_EQ(a.penImageFile, odd.penImageFile);
}

TEST(AttributeWindowLoading, FillingEveryWindowWritesNothingBack)
{
    CurrentAttributes a = OddAttributes();
    bool flags[6] = {};
    TForm2 pen(a, flags[0]);
    TForm3 width(a, flags[1]);
    TForm4 dash(a, flags[2]);
    TForm5 cap(a, flags[3]);
    TForm6 point(a, flags[4]);
    TForm7 brush(a, flags[5]);
    for (TAttributeWindow* window : std::initializer_list<TAttributeWindow*>{&pen, &width, &dash, &cap, &point, &brush}) {
        Open(*window);
        window->FormShow();  // the refresh after an attribute pick
    }
    ExpectOdd(a);
    EXPECT_TRUE(pen.kindButton(1)->isChecked());
    EXPECT_TRUE(brush.kindButton(1)->isChecked());
    EXPECT_EQ(pen.alphaEdit(0)->text(), QStringLiteral("300"));
    EXPECT_EQ(pen.angleEdit()->text(), QStringLiteral("500"));
    EXPECT_EQ(width.Edit1->text(), QStringLiteral("0.0005"));
    EXPECT_EQ(point.Edit1->text(), QStringLiteral("2000"));
    EXPECT_EQ(pen.hatchGrid()->currentRow() * 9 + pen.hatchGrid()->currentColumn(), 53);
}

TEST(AttributeWindowLoading, ARefreshShowsValuesChangedBehindTheWindow)
{
    CurrentAttributes a;
    bool open = false;
    TForm7 brush(a, open);
    Open(brush);
    a.brushKind = 3;
    a.brushHatchStyle = 20;
    a.brushColors[3] = 0x0000FF;
    a.brushAlphas[2] = 77;
    brush.FormShow();
    EXPECT_TRUE(brush.kindButton(3)->isChecked());
    EXPECT_EQ(brush.hatchGrid()->currentRow(), 2);
    EXPECT_EQ(brush.hatchGrid()->currentColumn(), 2);
    EXPECT_EQ(brush.swatch(3)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(brush.alphaEdit(2)->text(), QStringLiteral("77"));
    EXPECT_EQ(a.brushKind, 3);
}

// --- pen width ------------------------------------------------------------------------

struct WidthWindow : ::testing::Test {
    CurrentAttributes attributes;
    bool open = false;
    TForm3 window{attributes, open};
};

TEST_F(WidthWindow, OpeningShowsTheExactWidthAndTheBarItsWholePart)
{
    attributes.penWidth = 2.5;
    Open(window);
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("2.5"));
    EXPECT_EQ(window.TrackBar1->value(), 2);
    EXPECT_EQ(attributes.penWidth, 2.5);
}

struct WidthCase {
    const char* name;
    const char* typed;
    double stored;
};

class WidthBox : public WidthWindow, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(WidthBox, ClampsToTheRangeAndKeepsTheText)
{
    Open(window);
    Retype(window.Edit1, GetParam().typed);
    EXPECT_DOUBLE_EQ(attributes.penWidth, GetParam().stored);
    EXPECT_EQ(window.Edit1->text(), QString::fromLatin1(GetParam().typed));
}

INSTANTIATE_TEST_SUITE_P(Rows, WidthBox,
                         ::testing::Values(WidthCase{"Zero", "0", 0.001}, WidthCase{"Huge", "5000", 1000},
                                           WidthCase{"Empty", "", 0.001}, WidthCase{"Fraction", "0.25", 0.25}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WidthWindow, LeavingTheBoxMovesTheBarWithoutWritingBack)
{
    Open(window);
    Retype(window.Edit1, "250");
    QTest::keyClick(window.Edit1, Qt::Key_Tab);  // the focus leaves the box
    EXPECT_EQ(window.TrackBar1->value(), 100);
    EXPECT_EQ(attributes.penWidth, 250);
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("250"));
}

TEST_F(WidthWindow, DraggingTheBarWritesItsPositionIntoTheBox)
{
    Open(window);
    window.TrackBar1->setSliderDown(true);
    window.TrackBar1->setSliderPosition(37);
    window.TrackBar1->setSliderDown(false);
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("37"));
    EXPECT_EQ(attributes.penWidth, 37);
    window.TrackBar1->setFocus();
    QTest::keyClick(window.TrackBar1, Qt::Key_PageUp);
    EXPECT_EQ(attributes.penWidth, 47);
}

TEST(WidthTrackPosition, TruncatesTowardZeroWithinOneToHundred)
{
    EXPECT_EQ(TForm3::TrackPosition(0.5), 1);
    EXPECT_EQ(TForm3::TrackPosition(-3), 1);
    EXPECT_EQ(TForm3::TrackPosition(99.9), 99);
    EXPECT_EQ(TForm3::TrackPosition(1000), 100);
}

// --- grid windows -----------------------------------------------------------------------

TEST(GridWindows, CellClicksWriteTheirCodes)
{
    CurrentAttributes a;
    bool flags[3] = {};
    TForm4 dash(a, flags[0]);
    TForm5 cap(a, flags[1]);
    TForm6 point(a, flags[2]);
    Open(dash);
    Open(cap);
    Open(point);
    ClickCell(dash.DrawGrid1, 3, 1);
    EXPECT_EQ(a.dashStyle, 3);
    EXPECT_EQ(a.dashCap, 1);
    ClickCell(point.DrawGrid1, 4, 4);
    EXPECT_EQ(a.pointStyle, 24);
    ClickCell(cap.DrawGrid1, 2, 0);
    EXPECT_EQ(a.endStyle, 2);
    // The anchor ends below the four plain ones, reached by the keyboard.
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(cap.DrawGrid1, Qt::Key_Down);
    EXPECT_EQ(a.endStyle, 7);
    QTest::keyClick(dash.DrawGrid1, Qt::Key_Right);
    EXPECT_EQ(a.dashCap, 2);
}

TEST(GridWindows, PointSizeBoxIsClampedAndHoldsEightCharacters)
{
    CurrentAttributes a;
    bool open = false;
    TForm6 point(a, open);
    Open(point);
    Retype(point.Edit1, "123456789");
    EXPECT_EQ(point.Edit1->text(), QStringLiteral("12345678"));
    EXPECT_EQ(a.pointSize, 1000);
    Retype(point.Edit1, "0");
    EXPECT_EQ(a.pointSize, 0.001);
    Retype(point.Edit1, "2.5");
    EXPECT_EQ(a.pointSize, 2.5);
}

// --- sample cell pixels ---------------------------------------------------------------

QRgb At(const QImage& image, QPoint p)
{
    return image.pixel(p) & 0xFFFFFF;
}

constexpr QRgb kBlack = 0x000000, kWhite = 0xFFFFFF, kBlue = 0x0000FF;

TEST(SampleCells, HatchCellsAreTheHatchOnWhiteTheCurrentOnBlueTheLastBlank)
{
    CurrentAttributes a;
    a.penHatchStyle = 0;  // horizontal lines
    bool open = false;
    TForm2 pen(a, open);
    Open(pen);
    TDrawGrid* grid = pen.hatchGrid();
    const QImage image = grid->picture();
    ASSERT_FALSE(image.isNull());
    // Style 0 is horizontal lines: some row of the current cell is all black
    // and another all blue.
    const QRect current = grid->cellRect(0, 0);
    bool blackRow = false, blueRow = false;
    for (int y = current.top(); y <= current.bottom(); ++y) {
        bool allBlack = true, allBlue = true;
        for (int x = current.left(); x <= current.right(); ++x) {
            allBlack &= At(image, {x, y}) == kBlack;
            allBlue &= At(image, {x, y}) == kBlue;
        }
        blackRow |= allBlack;
        blueRow |= allBlue;
    }
    EXPECT_TRUE(blackRow);
    EXPECT_TRUE(blueRow);
    // Another cell shows white between its lines; the blank cell is not painted.
    const QRect other = grid->cellRect(0, 1);
    int white = 0;
    for (int x = other.left(); x <= other.right(); ++x)
        white += At(image, {x, other.center().y()}) == kWhite;
    EXPECT_GT(white, 0);
    const QRect blank = grid->cellRect(5, 8);
    EXPECT_EQ(At(image, blank.center()), grid->palette().color(QPalette::Mid).rgb() & 0xFFFFFF);
    EXPECT_NE(At(image, blank.center()), kWhite);
}

TEST(SampleCells, LineCellsDrawTheStyleWithTheSamplePen)
{
    CurrentAttributes a;
    a.dashStyle = 2;
    a.dashCap = 0;
    a.endStyle = 3;  // the rows looked at below are not current
    bool flags[2] = {};
    TForm4 dash(a, flags[0]);
    TForm5 cap(a, flags[1]);
    Open(dash);
    Open(cap);
    const QImage dashes = dash.DrawGrid1->picture();
    const QRect solid = dash.DrawGrid1->cellRect(0, 0);
    const int middle = solid.top() + solid.height() / 2;
    // Solid, 7 pixels thick: black 3 above the middle, white 5 above it.
    EXPECT_EQ(At(dashes, {solid.center().x(), middle - 3}), kBlack);
    EXPECT_EQ(At(dashes, {solid.center().x(), middle - 5}), kWhite);
    EXPECT_EQ(At(dashes, {solid.left() + 1, middle}), kWhite);
    // The dotted row has gaps along its middle; the current cell is blue.
    const QRect dotted = dash.DrawGrid1->cellRect(2, 0);
    const int dottedMiddle = dotted.top() + dotted.height() / 2;
    int gaps = 0;
    for (int x = dotted.left() + 3; x < dotted.right() - 3; ++x)
        gaps += At(dashes, {x, dottedMiddle}) == kBlue;
    EXPECT_GT(gaps, 10);

    // Flat against round ends: the round end reaches past the line's end.
    const QImage ends = cap.DrawGrid1->picture();
    const QRect flat = cap.DrawGrid1->cellRect(0, 0), round = cap.DrawGrid1->cellRect(1, 0);
    const int beyond = flat.left() + 20 - 4;
    EXPECT_NE(At(ends, {beyond, flat.top() + flat.height() / 2}), kBlack);
    EXPECT_EQ(At(ends, {beyond, round.top() + round.height() / 2}), kBlack);
    // The arrow anchor is wider than the 13-pixel pen.
    const QRect arrow = cap.DrawGrid1->cellRect(7, 0);
    const int arrowMiddle = arrow.top() + arrow.height() / 2;
    EXPECT_EQ(At(ends, {arrow.left() + 40, arrowMiddle - 9}), kBlack);
    EXPECT_EQ(At(ends, {flat.left() + 40, flat.top() + flat.height() / 2 - 9}), kWhite);
}

TEST(SampleCells, PointCellsDrawTheMarkersOutlinedOrFilled)
{
    CurrentAttributes a;
    a.pointStyle = 12;
    bool open = false;
    TForm6 point(a, open);
    Open(point);
    const QImage image = point.DrawGrid1->picture();
    auto centre = [&](int style) {
        const QRect cell = point.DrawGrid1->cellRect(style / 5, style % 5);
        return QPoint(cell.left() + cell.width() / 2, cell.top() + cell.height() / 2);
    };
    EXPECT_EQ(At(image, centre(0)), kWhite);   // circle: outline only
    EXPECT_EQ(At(image, centre(1)), kBlack);   // filled circle
    EXPECT_EQ(At(image, centre(3)), kBlack);   // plus: crossing lines
    EXPECT_EQ(At(image, centre(7)), kWhite);   // square outline
    EXPECT_EQ(At(image, centre(8)), kBlack);   // filled square
    EXPECT_EQ(At(image, centre(11)), kWhite);  // triangle outline on white
    EXPECT_EQ(At(image, centre(12)), kBlack);  // current cell's filled triangle
    EXPECT_EQ(At(image, centre(12) + QPoint(0, -10)), kBlue);
}

}  // namespace
