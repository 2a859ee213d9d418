// Division points over the selection, and handle editing through the change
// modes: entry at a handle click, the rebuilt element in one journal group.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "interaction/division_points.h"
#include "model/selection.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void Select(FakeHost& h, int32_t position)
{
    const ElementRef& ref = h.drawing.registry[static_cast<size_t>(position)];
    h.drawing.selection.push_back({position, ref.kind, ref.index});
}

std::vector<PointD> PointsAfter(const FakeHost& h, size_t first)
{
    std::vector<PointD> out;
    for (size_t i = first; i < h.drawing.tables.points.size(); ++i)
        out.push_back({h.drawing.tables.points[i].x, h.drawing.tables.points[i].y});
    return out;
}

std::function<bool(NumericRows&)> Parts(double n)
{
    return [n](NumericRows& rows) {
        rows[0].value = n;
        return true;
    };
}

TEST(DivisionPoints, LineIntoFourAndCircleIntoFour)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(0, 50);
    h.click(100, 50);
    h.start("PopDrawCirc1Click");
    h.click(200, 100);
    h.click(230, 100);
    Select(h, 0);
    Select(h, 1);
    h.numbers = Parts(4);
    CommandContext c = h.ctx();
    DivideSelection(c);
    const std::vector<PointD> points = PointsAfter(h, 0);
    const std::vector<PointD> expected = {{25, 50}, {50, 50}, {75, 50}, {230, 100}, {200, 70}, {170, 100}, {200, 130}};
    ASSERT_EQ(points.size(), expected.size());
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].x, expected[i].x, 1e-9) << i;
        EXPECT_NEAR(points[i].y, expected[i].y, 1e-9) << i;
    }
    EXPECT_EQ(h.prompt, Text("分割点｜選択した線の分割点を作図しました"));
    EXPECT_EQ(h.operation, Text("要素数：2"));
    EXPECT_EQ(h.settings.construction.divisionCount, 4);
    // One group: one Undo removes every division point.
    h.drawing.Undo();
    for (size_t i = 2; i < h.drawing.registry.size(); ++i)
        EXPECT_FALSE(h.drawing.registry[i].live);
}

TEST(DivisionPoints, TriangleIntoTwoGivesTheEdgeMidpoints)
{
    FakeHost h;
    ClosedPathRecord triangle;
    triangle.points = {{0, 0}, {10, 0}, {0, 10}};
    h.drawing.journal.BeginGroup();
    h.drawing.AppendPolygon(triangle);
    h.drawing.journal.EndGroup();
    const auto points = DivisionPointsOf(h.drawing, h.drawing.registry[0], 2);
    ASSERT_TRUE(points);
    EXPECT_EQ(*points, (std::vector<PointD>{{5, 0}, {5, 5}, {0, 5}}));
}

TEST(DivisionPoints, KindsThatAreNotDividedCountZero)
{
    FakeHost h;
    h.start("PopDrawTenClick");
    h.click(40, 40);
    Select(h, 0);
    h.numbers = Parts(3);
    CommandContext c = h.ctx();
    DivideSelection(c);
    EXPECT_EQ(h.operation, Text("要素数：0"));
    EXPECT_EQ(h.drawing.registry.size(), 1u);
    // Nothing was added, so no undo step: the next Undo takes back the point.
    EXPECT_EQ(h.drawing.Undo(), "元に戻す：点作図");
    EXPECT_FALSE(h.drawing.journal.canUndo());
}

TEST(DivisionPoints, NothingSelectedOrCancelAddNothing)
{
    FakeHost h;
    CommandContext c = h.ctx();
    DivideSelection(c);
    EXPECT_EQ(h.prompt, Text("分割点｜要素が選択されていません"));
    EXPECT_EQ(h.operation, Text("---"));
    EXPECT_EQ(h.dialogsAsked, 0);
    h.start("PopDrawLineClick");
    h.click(0, 50);
    h.click(100, 50);
    Select(h, 0);
    DivideSelection(c);
    EXPECT_EQ(h.prompt, Text("分割点｜(入力キャンセル)"));
    EXPECT_EQ(h.drawing.registry.size(), 1u);
    EXPECT_EQ(h.state.CommandMode, 100);
}

// One selected element with its handles, in CommandMode 1 as after a
// selection click.
void SelectWithHandles(FakeHost& h, int32_t position)
{
    Select(h, position);
    const ElementRef& ref = h.drawing.registry[static_cast<size_t>(position)];
    BuildControlPoints(h.drawing, ref.kind, ref.index, position);
    h.state.CommandMode = 1;
}

TEST(ChangeModes, LineEndMovesAndTheOldLineGoesInOneGroup)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(20, 20);
    h.click(120, 20);
    SelectWithHandles(h, 0);
    h.click(123, 17);  // within 5 pixels of the end
    EXPECT_EQ(h.state.CommandMode, 102);
    EXPECT_EQ(h.prompt, Text("線分変更｜点を指示して下さい"));
    EXPECT_TRUE(h.drawing.selection.empty());
    h.click(150, 90);
    EXPECT_EQ(h.state.CommandMode, 1);
    EXPECT_EQ(h.operation, Text("線分変更"));
    ASSERT_EQ(h.drawing.registry.size(), 2u);
    EXPECT_FALSE(h.drawing.registry[0].live);
    const LineRecord& changed = h.drawing.tables.lines[1];
    EXPECT_EQ(changed.x1, 20);
    EXPECT_EQ(changed.x2, 150);
    EXPECT_EQ(changed.y2, 90);
    h.drawing.Undo();
    EXPECT_TRUE(h.drawing.registry[0].live);
    EXPECT_FALSE(h.drawing.registry[1].live);
}

TEST(ChangeModes, MovingALineEndOntoTheOtherIsRefused)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(20, 20);
    h.click(120, 20);
    SelectWithHandles(h, 0);
    h.click(120, 20);
    ASSERT_EQ(h.state.CommandMode, 102);
    h.click(20, 20);
    EXPECT_EQ(h.operation, Text("線分変更NG"));
    EXPECT_EQ(h.drawing.registry.size(), 1u);
    EXPECT_TRUE(h.drawing.registry[0].live);
    EXPECT_EQ(h.state.CommandMode, 1);
}

TEST(ChangeModes, SixPixelsFromEveryHandleIsNoChange)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(20, 20);
    h.click(120, 20);
    SelectWithHandles(h, 0);
    // On the line, 6 pixels short of its end: an ordinary pick of the line.
    h.click(114, 20);
    EXPECT_EQ(h.state.CommandMode, 1);
    EXPECT_EQ(h.drawing.selection.size(), 1u);
}

TEST(ChangeModes, RectangleCornerAcrossTheOppositeIsNormalised)
{
    FakeHost h;
    h.start("PopDrawBox3Click");
    h.click(50, 50);
    h.click(150, 100);
    SelectWithHandles(h, 0);
    h.click(150, 100);  // corner 3; corner 0 stays
    ASSERT_EQ(h.state.CommandMode, 306);
    h.click(10, 20);
    const RectRecord& r = h.drawing.tables.rects.back();
    EXPECT_EQ(r.x1, 10);
    EXPECT_EQ(r.y1, 20);
    EXPECT_EQ(r.x2, 50);
    EXPECT_EQ(r.y2, 50);
    EXPECT_EQ(r.h.fillMode, 2);
    EXPECT_EQ(h.operation, Text("長方形変更"));
}

TEST(ChangeModes, ThreePointCircleMovesThePickedPassPoint)
{
    FakeHost h;
    h.start("PopDrawCircAClick");
    h.click(100, 100);
    h.click(200, 100);
    h.click(150, 150);
    SelectWithHandles(h, 0);
    h.click(150, 150);  // pass point 3
    ASSERT_EQ(h.state.CommandMode, 439);
    h.hover(150, 50);
    EXPECT_TRUE(h.state.preview.shown());
    h.click(150, 50);
    const CircleRecord& c = h.drawing.tables.circles.back();
    EXPECT_EQ(c.method, 2);
    EXPECT_NEAR(c.cx, 150, 1e-9);
    EXPECT_NEAR(c.cy, 100, 1e-9);
    EXPECT_NEAR(c.r, 50, 1e-9);
    EXPECT_EQ(h.operation, Text("円変更"));
}

TEST(ChangeModes, PointsHaveNoChangeModeButTheClickDeselects)
{
    FakeHost h;
    h.start("PopDrawTenClick");
    h.click(60, 60);
    SelectWithHandles(h, 0);
    h.click(61, 61);
    EXPECT_EQ(h.state.CommandMode, 1);
    EXPECT_TRUE(h.drawing.selection.empty());
    EXPECT_EQ(h.drawing.registry.size(), 1u);
}

TEST(ChangeModes, BackspaceHasNoEffectAndEscLeavesTheElement)
{
    FakeHost h;
    h.start("PopDrawCirc1Click");
    h.click(100, 100);
    h.click(140, 100);
    SelectWithHandles(h, 0);
    h.click(140, 100);
    ASSERT_EQ(h.state.CommandMode, 406);
    h.backspace();
    EXPECT_EQ(h.state.CommandMode, 406);
}

}  // namespace
