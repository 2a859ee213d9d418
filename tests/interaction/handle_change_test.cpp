// Handle editing of the arc family and the point lists, driven as the user
// does it: draw the element through its Draw item, select it, click one of
// its grips (the change mode and its prompt), hover (the rubber band of the
// rebuilt element), click the new place (one journal group: the old element
// dead, the rebuilt one live, Undo restores the file), and the refusals.
#include <gtest/gtest.h>

#include "editing/edit_commands.h"
#include "fake_host.h"
#include "storage/files.h"

namespace {

struct ChangeRow {
    const char* name;
    const char* draw;  // the Draw item that makes the element
    std::vector<double> dialog;
    std::vector<QPoint> clicks;
    int handle;  // the grip clicked
    int mode;    // the change mode it enters
    const char* prompt;
    QPoint to;   // the grip's new place
    const char* done;  // panel 1 after the second click
};

std::ostream& operator<<(std::ostream& os, const ChangeRow& r)
{
    return os << r.name;
}

const QPoint c0{200, 150};
const std::vector<QPoint> centreEnds{c0, {240, 130}, {200, 110}, {160, 150}};

std::string saved(const Drawing& d)
{
    std::string out;
    EXPECT_TRUE(WriteDrawingText(d, ImageSize{}, out).ok());
    return out;
}

int liveCount(const Drawing& d)
{
    return static_cast<int>(std::ranges::count_if(d.registry, [](const ElementRef& r) { return r.live; }));
}

// Draws the row's element and selects it alone; the grips are listed.
void drawAndSelect(FakeHost& h, const ChangeRow& row)
{
    h.numbers = FakeHost::Answering(row.dialog);
    ASSERT_TRUE(h.start(row.draw));
    for (const QPoint& p : row.clicks)
        h.click(p.x(), p.y());
    ASSERT_EQ(liveCount(h.drawing), 1) << h.operation.toStdString();
    ASSERT_TRUE(h.start("PopEditSelect1Click"));
    CommandContext c = h.ctx();
    SelectAllCommand(c);
    ASSERT_EQ(h.drawing.selection.size(), 1u);
    ASSERT_GT(h.drawing.controlPoints.size(), static_cast<size_t>(row.handle));
}

QPoint grip(const FakeHost& h, int k)
{
    const ControlPoint& p = h.drawing.controlPoints[static_cast<size_t>(k)];
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

class HandleChange : public testing::TestWithParam<ChangeRow> {};

TEST_P(HandleChange, TheGripEntersItsModeAndTheNextClickRebuildsTheElement)
{
    const ChangeRow& row = GetParam();
    FakeHost h;
    drawAndSelect(h, row);
    const std::string before = saved(h.drawing);
    const ElementKind kind = static_cast<ElementKind>(h.drawing.registry.front().kind);

    const QPoint g = grip(h, row.handle);
    h.click(g.x(), g.y());
    EXPECT_EQ(h.state.CommandMode, row.mode);
    EXPECT_EQ(h.prompt, QString::fromUtf8(row.prompt));
    EXPECT_TRUE(h.drawing.selection.empty());

    h.hover(row.to.x(), row.to.y());
    EXPECT_FALSE(h.state.previewShape.polylines.empty()) << "no rubber band in the change mode";

    h.click(row.to.x(), row.to.y());
    EXPECT_EQ(h.operation, QString::fromUtf8(row.done));
    EXPECT_EQ(h.state.CommandMode, 1);
    ASSERT_EQ(h.drawing.registry.size(), 2u);
    EXPECT_FALSE(h.drawing.registry[0].live);
    EXPECT_TRUE(h.drawing.registry[1].live);
    EXPECT_EQ(static_cast<ElementKind>(h.drawing.registry[1].kind), kind);
    EXPECT_NE(saved(h.drawing), before);

    h.drawing.Undo();
    EXPECT_EQ(saved(h.drawing), before);
}

INSTANTIATE_TEST_SUITE_P(
    Grips, HandleChange,
    testing::Values(
        ChangeRow{"arc_centre", "PopDrawArc1Click", {}, {c0, {240, 150}, {200, 110}, {160, 150}}, 0, 604,
                  "円弧変更｜半径指定点を指示して下さい", {262, 150}, "円弧変更"},
        ChangeRow{"arc_end", "PopDrawArc1Click", {}, {c0, {240, 150}, {200, 110}, {160, 150}}, 2, 605,
                  "円弧変更｜点を指示して下さい", {200, 197}, "円弧変更"},
        ChangeRow{"arc_three_points", "PopDrawArc5Click", {}, {{240, 150}, {160, 150}, {200, 110}}, 3, 643,
                  "円弧変更｜点を指示して下さい", {200, 190}, "円弧変更"},
        ChangeRow{"elliptic_arc_start", "PopDrawEArc1Click", {}, centreEnds, 1, 705,
                  "楕円弧変更｜始点を指示して下さい", {170, 180}, "楕円弧変更"},
        ChangeRow{"elliptic_arc_diagonal", "PopDrawEArc5Click", {}, {{160, 130}, {240, 170}, {200, 100}, {150, 150}},
                  3, 734, "楕円弧変更｜対角始点を指示して下さい", {140, 120}, "楕円弧変更"},
        ChangeRow{"elliptic_arc_axis", "PopDrawEArc8Click", {0.5}, {{160, 150}, {240, 150}, {200, 100}, {150, 150}},
                  4, 755, "楕円弧変更｜Ｘ軸終点を指示して下さい", {262, 150}, "楕円弧変更"},
        ChangeRow{"pie_start", "PopDrawPie1Click", {}, centreEnds, 1, 805, "扇形変更｜始点を指示して下さい",
                  {230, 190}, "扇形変更"},
        ChangeRow{"chord_end", "PopDrawChord1Click", {}, centreEnds, 2, 906, "弓形変更｜終点を指示して下さい",
                  {170, 185}, "弓形変更"},
        ChangeRow{"outside_radius", "PopDrawEOut1Click", {}, centreEnds, 0, 1004,
                  "円外側形変更｜半径指定点を指示して下さい", {260, 120}, "円外側形変更"},
        ChangeRow{"ring_inner", "PopDrawDnt1Click", {}, {c0, {240, 130}, {220, 140}, {200, 110}, {160, 150}}, 3, 1108,
                  "同心円形変更｜内半径指定点を指示して下さい", {212, 143}, "同心円形変更"},
        ChangeRow{"polyline_vertex", "PopDrawPlin1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {150, 150}}, 1,
                  2001, "ポリライン変更｜第2点を指示して下さい", {170, 80}, "ポリライン変更"},
        ChangeRow{"polygon_vertex", "PopDrawPgon1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {100, 100}}, 2,
                  2011, "ポリゴン変更｜第3点を指示して下さい", {120, 180}, "ポリゴン変更"},
        ChangeRow{"bezier_point", "PopDrawBez1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {200, 150}, {200, 150}},
                  0, 2101, "ベジェ曲線変更｜第1点を指示して下さい", {80, 60}, "ベジェ曲線変更"},
        ChangeRow{"open_spline_point", "PopDrawOsp1Click", {}, {{100, 100}, {150, 120}, {200, 100}, {200, 100}}, 2,
                  2201, "開Ｃスプライン曲線変更｜第3点を指示して下さい", {230, 60}, "開Ｃスプライン曲線変更"},
        ChangeRow{"closed_spline_point", "PopDrawCsp1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {100, 100}},
                  0, 2211, "閉Ｃスプライン曲線変更｜第1点を指示して下さい", {90, 60}, "閉Ｃスプライン曲線変更"}),
    [](const testing::TestParamInfo<ChangeRow>& info) { return std::string(info.param.name); });

// The moved grip keeps every other defining point of the element.
TEST(HandleChange, APolylineVertexMovesAloneAndKeepsTheOthers)
{
    FakeHost h;
    drawAndSelect(h, {"", "PopDrawPlin1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {150, 150}}, 1, 0, "", {}, ""});
    h.click(150, 100);
    h.click(170, 80);
    const ElementRef& rebuilt = h.drawing.registry.back();
    ASSERT_TRUE(rebuilt.live);
    const std::vector<PointD>& pts = h.drawing.tables.polylines.at(static_cast<size_t>(rebuilt.index)).points;
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[0], (PointD{100, 100}));
    EXPECT_EQ(pts[1], (PointD{170, 80}));
    EXPECT_EQ(pts[2], (PointD{150, 150}));
}

struct RefusalRow {
    const char* name;
    const char* draw;
    std::vector<QPoint> clicks;
    int handle;
    QPoint to;
    const char* refused;
};

std::ostream& operator<<(std::ostream& os, const RefusalRow& r)
{
    return os << r.name;
}

class HandleRefusal : public testing::TestWithParam<RefusalRow> {};

TEST_P(HandleRefusal, ADegenerateFigureIsRefusedAndTheElementStays)
{
    const RefusalRow& row = GetParam();
    FakeHost h;
    drawAndSelect(h, {row.name, row.draw, {}, row.clicks, row.handle, 0, "", {}, ""});
    const std::string before = saved(h.drawing);
    const QPoint g = grip(h, row.handle);
    h.click(g.x(), g.y());
    h.click(row.to.x(), row.to.y());
    EXPECT_EQ(h.operation, QString::fromUtf8(row.refused));
    EXPECT_EQ(h.state.CommandMode, 1);
    EXPECT_EQ(saved(h.drawing), before);
    EXPECT_EQ(liveCount(h.drawing), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Degenerate, HandleRefusal,
    testing::Values(
        // The radius point on the centre.
        RefusalRow{"arc_radius_zero", "PopDrawArc1Click", {c0, {240, 150}, {200, 110}, {160, 150}}, 0, c0,
                   "円弧変更NG"},
        // A vertex onto its neighbour would drop a point of the figure.
        RefusalRow{"polyline_onto_neighbour", "PopDrawPlin1Click", {{100, 100}, {150, 100}, {150, 150}, {150, 150}},
                   1, {100, 100}, "ポリライン変更NG"},
        // The closed kinds wrap: the first vertex onto the last.
        RefusalRow{"polygon_wraps", "PopDrawPgon1Click", {{100, 100}, {150, 100}, {150, 150}, {100, 100}}, 0,
                   {150, 150}, "ポリゴン変更NG"}),
    [](const testing::TestParamInfo<RefusalRow>& info) { return std::string(info.param.name); });

}  // namespace
