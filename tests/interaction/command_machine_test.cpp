// The command machine driven through a fake host: the order of steps, the
// point of a click (grid, snap, exceptions), refusals that keep the step,
// Backspace, the reference-line commands and the XOR figures.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "interaction/command_texts.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const LineRecord& LastLine(const FakeHost& h)
{
    return h.drawing.tables.lines.back();
}

TEST(LineCommand, TwoClicksMakeALineAndTheCommandStays)
{
    FakeHost h;
    ASSERT_TRUE(h.start("PopDrawLineClick"));
    EXPECT_EQ(h.state.CommandMode, 100);
    EXPECT_EQ(h.prompt, Text("線分｜始点を指示して下さい"));
    h.click(10, 20);
    EXPECT_EQ(h.state.CommandMode, 101);
    EXPECT_EQ(h.prompt, Text("線分｜終点を指示して下さい"));
    h.click(60, 80);
    ASSERT_EQ(h.drawing.tables.lines.size(), 1u);
    EXPECT_EQ(LastLine(h).x1, 10);
    EXPECT_EQ(LastLine(h).y1, 20);
    EXPECT_EQ(LastLine(h).x2, 60);
    EXPECT_EQ(LastLine(h).y2, 80);
    EXPECT_EQ(h.state.CommandMode, 100);
    EXPECT_EQ(h.operation, Text("線分作図(1)"));
    EXPECT_TRUE(h.undoEnabled);
    EXPECT_EQ(h.drawing.journal.undoLevel(), 1);
    // Drawn at once, without a repaint: the pixel half-way is the pen's black.
    EXPECT_EQ(h.image.pixel(35, 50) & 0xFFFFFF, 0x000000u);
}

TEST(LineCommand, SecondClickOnTheSameSpotIsRefusedAndTheCommandStays)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(30, 30);
    h.click(30, 30);
    EXPECT_TRUE(h.drawing.registry.empty());
    EXPECT_EQ(h.operation, Text("線分作図NG"));
    EXPECT_EQ(h.state.CommandMode, 100);
    EXPECT_EQ(h.drawing.journal.undoLevel(), 0);
    EXPECT_FALSE(h.undoEnabled);
}

TEST(LineCommand, BackspaceAtTheEndPointReturnsToTheStart)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(30, 30);
    h.backspace();
    EXPECT_EQ(h.state.CommandMode, 100);
    EXPECT_EQ(h.prompt, Text("線分｜始点を指示して下さい"));
    h.backspace();  // no effect at the first step
    EXPECT_EQ(h.state.CommandMode, 100);
}

TEST(LineCommand, StoresTheCurrentEndStyleUnchanged)
{
    FakeHost h;
    h.settings.attributes.endStyle = 3;
    h.start("PopDrawLineClick");
    h.click(10, 10);
    h.click(20, 30);
    EXPECT_EQ(LastLine(h).h.endStyle, 3);
}

struct GridCase {
    const char* name;
    double worldX, worldY;
    double expectX, expectY;
};

class GridRounding : public testing::TestWithParam<GridCase> {};

TEST_P(GridRounding, PressIsRoundedToTheShownGrid)
{
    const GridCase& c = GetParam();
    FakeHost h;
    h.settings.grid.shown = true;
    // Scale 10 with a pan of 30 puts world (-30..) on the canvas at 0.1 units a pixel.
    h.state.view.view = ViewTransform{10, 30, 0};
    h.start("PopDrawTenClick");
    h.click(static_cast<int>(std::lround(h.state.view.view.toScreenX(c.worldX))),
            static_cast<int>(std::lround(h.state.view.view.toScreenY(c.worldY))));
    ASSERT_EQ(h.drawing.tables.points.size(), 1u);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points[0].x, c.expectX);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points[0].y, c.expectY);
}

INSTANTIATE_TEST_SUITE_P(Machine, GridRounding,
                         testing::Values(GridCase{"towards_nearer_lines", 14.9, 25.0, 10, 30},
                                         GridCase{"negative_half_goes_away_from_origin", -15, 5, -20, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

// A line whose end (33.3, 47.7) is off the grid, painted so its snap points exist.
FakeHost& withSnapLine(FakeHost& h)
{
    h.settings.grid.shown = true;
    h.start("PopDrawLineClick");
    h.click(100, 100);
    h.click(200, 100);
    // Replace the line's end by an off-grid one through a second line.
    LineRecord line = h.drawing.tables.lines[0];
    line.x1 = 33.3;
    line.y1 = 47.7;
    h.drawing.journal.BeginGroup();
    h.drawing.AppendLine(line);
    h.drawing.journal.EndGroup();
    h.Repaint();
    return h;
}

TEST(Snapping, ASnapPointWithinFivePixelsWinsOverTheGrid)
{
    FakeHost h;
    withSnapLine(h);
    h.start("PopDrawTenClick");
    h.click(33 + 5, 47 - 4);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points.back().x, 33.3);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points.back().y, 47.7);
}

TEST(Snapping, SixPixelsAwayGivesTheGridPointAndNoMarker)
{
    FakeHost h;
    withSnapLine(h);
    h.start("PopDrawTenClick");
    h.hover(33 + 6, 47);
    EXPECT_FALSE(h.state.snapMarker.shown());
    h.click(33 + 6, 47);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points.back().x, 40);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points.back().y, 50);
}

TEST(Snapping, HiddenLayersOfferNoSnapPoint)
{
    FakeHost h;
    withSnapLine(h);
    h.drawing.layers[0].visible = false;
    h.start("PopDrawTenClick");
    h.click(34, 48);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points.back().x, 30);
    EXPECT_DOUBLE_EQ(h.drawing.tables.points.back().y, 50);
}

TEST(Snapping, HorizontalLineTakesOnlyTheXOfASnapPoint)
{
    FakeHost h;
    withSnapLine(h);
    h.settings.grid.shown = false;
    h.start("PopDrawLineXClick");
    h.click(10, 120);
    h.click(35, 45);
    EXPECT_DOUBLE_EQ(LastLine(h).x2, 33.3);
    EXPECT_DOUBLE_EQ(LastLine(h).y2, 120);
}

TEST(Snapping, VerticalLineTakesOnlyTheYOfTheClick)
{
    FakeHost h;
    h.start("PopDrawLineYClick");
    h.click(10, 20);
    h.click(70, 90);
    EXPECT_EQ(LastLine(h).x2, 10);
    EXPECT_EQ(LastLine(h).y2, 90);
}

TEST(Snapping, HoverShowsTheYellowMarkerAndErasesItExactly)
{
    FakeHost h;
    withSnapLine(h);
    const QImage before = h.image.copy();
    h.hover(101, 99);
    ASSERT_TRUE(h.state.snapMarker.shown());
    // The marker's square runs 5 pixels around the snap point (100, 100).
    for (QPoint p : {QPoint(95, 97), QPoint(105, 103), QPoint(98, 95)})
        EXPECT_EQ(h.image.pixel(p) & 0xFFFFFF, (before.pixel(p) ^ 0xFFFF00) & 0xFFFFFF) << p.x() << "," << p.y();
    EXPECT_EQ(h.image.pixel(100, 100), before.pixel(100, 100));
    h.hover(250, 250);
    EXPECT_FALSE(h.state.snapMarker.shown());
    EXPECT_EQ(h.image, before);
}

TEST(Preview, FollowsTheRawCursorAndErasesExactly)
{
    FakeHost h;
    h.settings.grid.shown = true;
    h.Repaint();
    h.start("PopDrawLineClick");
    h.click(20, 20);
    const QImage before = h.image.copy();
    h.hover(183, 20);
    ASSERT_TRUE(h.state.preview.shown());
    // XOR with cyan; the segment ends at the unrounded x 183.
    EXPECT_EQ(h.image.pixel(182, 20) & 0xFFFFFF, (before.pixel(182, 20) ^ 0x00FFFF) & 0xFFFFFF);
    EXPECT_EQ(h.image.pixel(100, 20) & 0xFFFFFF, (before.pixel(100, 20) ^ 0x00FFFF) & 0xFFFFFF);
    EXPECT_EQ(h.image.pixel(186, 20), before.pixel(186, 20));
    CommandContext c = h.ctx();
    ErasePreviews(c);
    EXPECT_EQ(h.image, before);
}

TEST(Preview, SegmentsOfTwoPixelsOrLessAreNotDrawn)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(20, 20);
    const QImage before = h.image.copy();
    h.hover(22, 22);
    EXPECT_EQ(h.image, before);
    h.hover(23, 20);
    EXPECT_NE(h.image, before);
}

TEST(Preview, CircleIsA37VertexPolyline)
{
    FakeHost h;
    h.start("PopDrawCirc1Click");
    h.click(100, 100);
    h.hover(130, 100);
    ASSERT_EQ(h.state.previewShape.polylines.size(), 1u);
    const auto& ring = h.state.previewShape.polylines[0];
    ASSERT_EQ(ring.size(), 37u);
    EXPECT_DOUBLE_EQ(ring.front().x, 130);
    EXPECT_NEAR(ring[9].y, 70, 1e-9);  // 90 degrees: above the centre on screen
}

TEST(ReferenceLines, WithoutOneSelectedLineTheMachineStaysIdle)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.start("PopDrawLineParaClick");
    EXPECT_EQ(h.state.CommandMode, 0);
    EXPECT_EQ(h.prompt, Text("線分１要素を選択してから実行して下さい"));
}

struct ReferenceCase {
    const char* name;
    const char* handler;
    PointD pass, start, end;
    PointD expectStart, expectEnd;
};

class ReferenceLine : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceLine, JoinsTheFeetOnTheReferenceLine)
{
    const ReferenceCase& c = GetParam();
    FakeHost h;
    // The selected segment (0, 0)-(10, 0) at scale 10, panned so that all
    // points are on the canvas and no click lands near its snap points.
    h.state.view.view = ViewTransform{10, 10, 10};
    h.start("PopDrawLineClick");
    h.click(100, 100);
    h.click(200, 100);
    h.drawing.selection.push_back({0, static_cast<int32_t>(ElementKind::Line), 0});
    ASSERT_TRUE(h.start(c.handler));
    ASSERT_NE(h.state.CommandMode, 0);
    const size_t deselectionsBefore = h.deselections;
    for (PointD p : {c.pass, c.start, c.end})
        h.click(static_cast<int>(10 * (p.x + 10)), static_cast<int>(10 * (p.y + 10)));
    EXPECT_EQ(h.deselections, deselectionsBefore);  // the selected line stays selected
    ASSERT_EQ(h.drawing.tables.lines.size(), 2u);
    EXPECT_NEAR(LastLine(h).x1, c.expectStart.x, 1e-9);
    EXPECT_NEAR(LastLine(h).y1, c.expectStart.y, 1e-9);
    EXPECT_NEAR(LastLine(h).x2, c.expectEnd.x, 1e-9);
    EXPECT_NEAR(LastLine(h).y2, c.expectEnd.y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Machine, ReferenceLine,
    testing::Values(ReferenceCase{"parallel", "PopDrawLineParaClick", {0, 5}, {3, 9}, {8, 1}, {3, 5}, {8, 5}},
                    ReferenceCase{"perpendicular", "PopDrawLineCrosClick", {0, 0}, {4, 3}, {-2, -6}, {0, 3},
                                  {0, -6}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Selection, FirstClickOfAConstructionDeselectsButNotTheLaterOnes)
{
    FakeHost h;
    h.start("PopDrawBox1Click");
    h.click(10, 10);
    EXPECT_EQ(h.deselections, 1);
    h.click(50, 50);
    EXPECT_EQ(h.deselections, 1);
    h.start("PopDrawTenClick");
    h.click(70, 70);
    EXPECT_EQ(h.deselections, 1);  // points keep the selection
}

TEST(FreehandPoints, OneUndoRemovesTheWholeStroke)
{
    FakeHost h;
    h.start("PopDrawFreeTenClick");
    h.click(5, 5);  // an earlier stroke of its own
    CommandContext c = h.ctx();
    h.state.pressX = 10;
    h.state.pressY = 10;
    MachineMouseDown(c, Qt::LeftButton, {10, 10});
    EXPECT_EQ(h.state.CommandMode, 211);
    for (int i = 1; i <= 40; ++i)
        MachineMouseMove(c, Qt::LeftButton, {10 + i, 10 + i % 7});
    MachineLeftClick(c, {50, 17});
    EXPECT_EQ(h.state.CommandMode, 210);
    EXPECT_EQ(h.drawing.tables.points.size(), 42u);
    EXPECT_EQ(h.operation, Text("点作図(42)"));
    h.drawing.Undo();
    size_t live = 0;
    for (const ElementRef& ref : h.drawing.registry)
        live += ref.live;
    EXPECT_EQ(live, 1u);
}

TEST(Escape, LeavesNoHalfBuiltFigureOrPreview)
{
    FakeHost h;
    h.start("PopDrawCircAClick");
    h.click(10, 10);
    h.click(60, 10);
    const QImage before = h.image.copy();
    h.hover(40, 60);
    CommandContext c = h.ctx();
    ErasePreviews(c);
    h.state.CommandMode = 0;  // what the window's Esc does after erasing
    EXPECT_EQ(h.image, before);
    h.click(40, 60);
    EXPECT_TRUE(h.drawing.registry.empty());
    EXPECT_EQ(h.drawing.journal.undoLevel(), 0);
}

}  // namespace
