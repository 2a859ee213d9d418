// The Edit commands through the fake host: picking (oldest wins, the handle
// distance), range selection either way and at its border, delete, move and
// copy with their journal groups, and the file after an edit and its undo.
#include "editing/displace.h"
#include "editing/edit_commands.h"
#include "fake_host.h"
#include "storage/files.h"

#include <gtest/gtest.h>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

int32_t AddLine(FakeHost& h, double x1, double y1, double x2, double y2, int32_t layer = 0)
{
    h.drawing.journal.BeginGroup();
    LineRecord r { .h = {}, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2 };
    r.h.layer = layer;
    h.drawing.AppendLine(r);
    h.drawing.journal.EndGroup();
    h.Repaint(); // registers the snap points
    return static_cast<int32_t>(h.drawing.registry.size()) - 1;
}

void AddRect(FakeHost& h, double x1, double y1, double x2, double y2)
{
    h.drawing.journal.BeginGroup();
    h.drawing.AppendRect(RectRecord { .h = {}, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2 });
    h.drawing.journal.EndGroup();
    h.Repaint();
}

std::string Saved(const FakeHost& h)
{
    std::string out;
    EXPECT_TRUE(WriteDrawingText(h.drawing, ImageSize {}, out).ok());
    return out;
}

void Exec(FakeHost& h, void (*command)(CommandContext&))
{
    CommandContext c = h.ctx();
    command(c);
}

void SelectAllOf(FakeHost& h)
{
    Exec(h, SelectAllCommand);
    ASSERT_FALSE(h.drawing.selection.empty());
}

// ---- picking ----------------------------------------------------------------

TEST(SelectOne, TheOldestElementUnderTheClickWins)
{
    FakeHost h;
    AddLine(h, 20, 100, 300, 100);
    AddLine(h, 20, 102, 300, 102);
    ASSERT_TRUE(h.start("PopEditSelect1Click"));
    EXPECT_EQ(h.prompt, Text("１要素選択｜図形を指示して下さい"));
    h.click(150, 101);
    ASSERT_EQ(h.drawing.selection.size(), 1u);
    EXPECT_EQ(h.drawing.selection[0].registryPosition, 0);
    EXPECT_EQ(h.operation, Text("１要素選択OK"));
    EXPECT_EQ(h.blinkStarts, 1);
    EXPECT_EQ(h.state.CommandMode, 1);
}

TEST(SelectOne, AMissSaysNgAndStartsNoBlink)
{
    FakeHost h;
    AddLine(h, 20, 100, 300, 100);
    ASSERT_TRUE(h.start("PopEditSelect1Click"));
    h.click(150, 200);
    EXPECT_TRUE(h.drawing.selection.empty());
    EXPECT_EQ(h.operation, Text("１要素選択NG"));
    EXPECT_EQ(h.blinkStarts, 0);
}

struct HandleRow {
    int offsetPx;
    int modeAfter; // 102: the line's change mode; 1: an ordinary pick
};

class HandleDistance : public testing::TestWithParam<HandleRow> { };

TEST_P(HandleDistance, FivePixelsPickTheHandleSixDoNot)
{
    FakeHost h;
    AddLine(h, 100, 100, 300, 100);
    ASSERT_TRUE(h.start("PopEditSelect1Click"));
    h.click(200, 100);
    ASSERT_EQ(h.drawing.controlPoints.size(), 2u);
    h.click(100 + GetParam().offsetPx, 100);
    EXPECT_EQ(h.state.CommandMode, GetParam().modeAfter);
    // An ordinary pick selects the line again under the click.
    EXPECT_EQ(h.drawing.selection.size(), GetParam().modeAfter == 1 ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Offsets, HandleDistance, testing::Values(HandleRow { 5, 102 }, HandleRow { 6, 1 }));

// ---- range ------------------------------------------------------------------

struct RangeRow {
    int x1, y1, x2, y2;
    bool selected;
};

class RangeSelect : public testing::TestWithParam<RangeRow> { };

TEST_P(RangeSelect, CornersInAnyOrderAndTheBorderCounts)
{
    FakeHost h;
    AddRect(h, 50, 50, 100, 100);
    ASSERT_TRUE(h.start("PopEditSelectRangeClick"));
    const RangeRow r = GetParam();
    h.click(r.x1, r.y1);
    EXPECT_EQ(h.state.CommandMode, 3);
    EXPECT_EQ(h.prompt, Text("範囲選択｜終点を指示して下さい"));
    h.click(r.x2, r.y2);
    EXPECT_EQ(h.state.CommandMode, 2);
    EXPECT_EQ(h.drawing.selection.size(), r.selected ? 1u : 0u);
    EXPECT_EQ(h.operation, Text(r.selected ? "範囲選択OK" : "範囲選択NG"));
}

INSTANTIATE_TEST_SUITE_P(Ranges, RangeSelect,
    testing::Values(RangeRow { 30, 30, 120, 120, true }, RangeRow { 120, 120, 30, 30, true },
        RangeRow { 30, 120, 120, 30, true }, RangeRow { 120, 30, 30, 120, true },
        RangeRow { 50, 50, 100, 100, true }, // touching the border
        RangeRow { 70, 30, 120, 120, false })); // crossing it

// ---- select all, deselect, delete ---------------------------------------------

TEST(SelectAllAndDeselect, TheirMessages)
{
    FakeHost h;
    Exec(h, SelectAllCommand);
    EXPECT_EQ(h.operation, Text("全選択NG"));
    Exec(h, DeselectCommand);
    EXPECT_EQ(h.operation, Text("<非選択>"));
    AddLine(h, 10, 10, 50, 50);
    AddLine(h, 10, 60, 50, 90);
    Exec(h, SelectAllCommand);
    EXPECT_EQ(h.operation, Text("全選択OK"));
    EXPECT_EQ(h.drawing.selection.size(), 2u);
    Exec(h, DeselectCommand);
    EXPECT_EQ(h.operation, Text("選択解除"));
    EXPECT_TRUE(h.drawing.selection.empty());
}

TEST(Delete, ThreeElementsAreOneUndoStep)
{
    FakeHost h;
    for (int i = 0; i < 3; ++i)
        AddLine(h, 10, 10 + 20 * i, 100, 10 + 20 * i);
    const std::string before = Saved(h);
    SelectAllOf(h);
    Exec(h, DeleteSelection);
    EXPECT_EQ(h.operation, Text("削除数：3"));
    EXPECT_EQ(h.prompt, Text("削除｜選択要素を削除しました"));
    EXPECT_TRUE(h.drawing.selection.empty());
    for (const ElementRef& ref : h.drawing.registry)
        EXPECT_EQ(ref.live, 0);
    h.drawing.Undo();
    for (const ElementRef& ref : h.drawing.registry)
        EXPECT_EQ(ref.live, 1);
    EXPECT_EQ(Saved(h), before);
}

struct EmptyRow {
    void (*command)(CommandContext&);
    const char* prompt;
};

class EmptySelection : public testing::TestWithParam<EmptyRow> { };

TEST_P(EmptySelection, RefusesAndKeepsTheMode)
{
    FakeHost h;
    AddLine(h, 10, 10, 100, 10);
    ASSERT_TRUE(h.start("PopDrawLineClick"));
    Exec(h, GetParam().command);
    EXPECT_EQ(h.prompt, Text(GetParam().prompt));
    EXPECT_EQ(h.operation, Text("---"));
    EXPECT_EQ(h.state.CommandMode, 100);
    EXPECT_EQ(h.drawing.journal.undoLevel(), 1);
}

INSTANTIATE_TEST_SUITE_P(Commands, EmptySelection,
    testing::Values(EmptyRow { DeleteSelection, "削除｜要素が選択されていません" },
        EmptyRow { StartMove, "移動｜要素が選択されていません" },
        EmptyRow { StartCopy, "複写｜要素が選択されていません" }));

// ---- move and copy ------------------------------------------------------------

TEST(Move, TwoElementsByTenMinusFive)
{
    FakeHost h;
    AddLine(h, 10, 10, 100, 10);
    AddLine(h, 10, 40, 100, 40);
    SelectAllOf(h);
    Exec(h, StartMove);
    EXPECT_EQ(h.state.CommandMode, 10);
    h.click(200, 200);
    EXPECT_EQ(h.state.CommandMode, 11);
    h.click(210, 195);
    ASSERT_EQ(h.drawing.registry.size(), 4u);
    EXPECT_EQ(h.drawing.registry[0].live, 0);
    EXPECT_EQ(h.drawing.registry[1].live, 0);
    EXPECT_EQ(h.drawing.tables.lines[2].x1, 20);
    EXPECT_EQ(h.drawing.tables.lines[2].y1, 5);
    EXPECT_EQ(h.drawing.tables.lines[3].y2, 35);
    ASSERT_EQ(h.drawing.selection.size(), 2u);
    EXPECT_EQ(h.drawing.selection[0].registryPosition, 2);
    EXPECT_EQ(h.operation, Text("移動数：2"));
    EXPECT_EQ(h.state.CommandMode, 11);
    EXPECT_GE(h.blinkStarts, 2);
}

TEST(Move, EveryClickMovesTheNewElementsOnAndIsItsOwnUndoStep)
{
    FakeHost h;
    AddLine(h, 10, 10, 100, 10);
    const std::string drawn = Saved(h);
    SelectAllOf(h);
    Exec(h, StartMove);
    h.click(200, 200);
    std::vector<std::string> files;
    for (int i = 1; i <= 3; ++i) {
        h.click(200 + 10 * i, 200);
        files.push_back(Saved(h));
    }
    EXPECT_EQ(h.drawing.tables.lines.back().x1, 40); // 10 + 3 steps of 10
    EXPECT_EQ(h.drawing.journal.undoLevel(), 4);
    h.drawing.Undo();
    EXPECT_EQ(Saved(h), files[1]);
    h.drawing.Undo();
    h.drawing.Undo();
    EXPECT_EQ(Saved(h), drawn);
}

TEST(Copy, KeepsTheSelectionAndTheBasePoint)
{
    FakeHost h;
    AddLine(h, 10, 10, 100, 10);
    SelectAllOf(h);
    Exec(h, StartCopy);
    EXPECT_EQ(h.prompt, Text("複写｜複写元の点を指示して下さい"));
    h.click(200, 200);
    for (int i = 1; i <= 3; ++i) {
        h.click(200, 200 + 20 * i);
        EXPECT_EQ(h.operation, Text("複写数：1"));
    }
    ASSERT_EQ(h.drawing.tables.lines.size(), 4u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(h.drawing.tables.lines[static_cast<size_t>(i)].y1, 10 + 20 * i);
    ASSERT_EQ(h.drawing.selection.size(), 1u);
    EXPECT_EQ(h.drawing.selection[0].registryPosition, 0);
    EXPECT_EQ(h.state.CommandMode, 21);
    for (const ElementRef& ref : h.drawing.registry)
        EXPECT_EQ(ref.live, 1);
}

TEST(Move, ElementsOnAHiddenLayerMoveButAreNotSelected)
{
    FakeHost h;
    AddLine(h, 10, 10, 100, 10, 3);
    SelectAllOf(h);
    h.drawing.layers[3].visible = false;
    const int blinks = h.blinkStarts;
    CommandContext c = h.ctx();
    MoveSelection(c, { 0, 0 }, { 5, 5 });
    EXPECT_EQ(h.drawing.tables.lines.back().x1, 15);
    EXPECT_EQ(h.drawing.registry.back().live, 1);
    EXPECT_TRUE(h.drawing.selection.empty());
    EXPECT_EQ(h.blinkStarts, blinks);
}

TEST(MovePreview, TheOutlineFollowsTheCursor)
{
    FakeHost h;
    AddLine(h, 10, 10, 100, 10);
    SelectAllOf(h);
    Exec(h, StartMove);
    h.click(200, 200);
    h.hover(200, 250); // the line's outline now lies at y = 60
    EXPECT_NE(h.image.pixel(50, 60), qRgb(255, 255, 255));
    EXPECT_EQ(h.image.pixel(50, 10), qRgb(0, 0, 0)); // the line itself stays
}

// ---- displaced duplicates -------------------------------------------------------

TEST(Displace, TextKeepsAngleAndSizeWithAnchorAndBoxMoved)
{
    Drawing d;
    TextRecord t;
    t.x = 10, t.y = 20, t.boxA = 8, t.boxB = 22, t.boxC = 30, t.boxD = 12, t.angle = 30, t.size = 12;
    t.text = "abc";
    d.AppendText(t);
    ASSERT_TRUE(AppendDisplaced(d, d.registry[0], 5, -3));
    const TextRecord& m = d.tables.texts.back();
    EXPECT_EQ(m.x, 15);
    EXPECT_EQ(m.y, 17);
    EXPECT_EQ(m.boxA, 13);
    EXPECT_EQ(m.boxB, 19);
    EXPECT_EQ(m.boxC, 30);
    EXPECT_EQ(m.angle, 30);
    EXPECT_EQ(m.size, 12);
    EXPECT_EQ(m.text, "abc");
}

TEST(Displace, UnkeptDefiningPointsStayZero)
{
    Drawing d;
    CircleRecord centreRadius { .h = {}, .method = 0, .cx = 10, .cy = 10, .r = 5 };
    CircleRecord twoPoints {
        .h = {}, .method = 1, .cx = 10, .cy = 10, .r = 5, .p1x = 1, .p1y = 2, .p2x = 3, .p2y = 4
    };
    d.AppendCircle(centreRadius);
    d.AppendCircle(twoPoints);
    AppendDisplaced(d, d.registry[0], 1, 1);
    AppendDisplaced(d, d.registry[1], 1, 1);
    EXPECT_EQ(d.tables.circles[2].p1x, 0);
    EXPECT_EQ(d.tables.circles[2].cx, 11);
    EXPECT_EQ(d.tables.circles[3].p2y, 5);
    EXPECT_EQ(d.tables.circles[3].p3x, 0);
}

TEST(Displace, APolygonGetsItsOwnVertices)
{
    Drawing d;
    ClosedPathRecord p;
    p.points = { { 0, 0 }, { 10, 0 }, { 10, 10 } };
    d.AppendPolygon(p);
    AppendDisplaced(d, d.registry[0], 2, 0);
    d.tables.polygons[1].points[0].x = 99;
    EXPECT_EQ(d.tables.polygons[0].points[0].x, 0);
    EXPECT_EQ(d.tables.polygons[1].points[1].x, 12);
}

} // namespace
