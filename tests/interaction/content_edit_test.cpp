// Vertex and text edits through the fake host: the vertex lists of add and
// remove, the replacement in one undo step, the refusals, and the text
// rewritten with a measured box, all ending in the pick-one-element mode.
#include "editing/content_edit.h"
#include "fake_host.h"
#include "model/selection.h"
#include "storage/files.h"

#include <gtest/gtest.h>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const PointD A { 0, 0 }, B { 10, 0 }, C { 10, 10 };

struct VertexRow {
    PolyPointOperation operation;
    int index;
    std::vector<PointD> expected;
};

class Vertices : public testing::TestWithParam<VertexRow> { };

TEST_P(Vertices, AddAMidpointOrDropAPoint)
{
    const VertexRow& row = GetParam();
    const auto out = EditVertices({ A, B, C }, PolyPointChoice { row.operation, row.index });
    ASSERT_EQ(out.size(), row.expected.size());
    for (size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].x, row.expected[i].x) << i;
        EXPECT_EQ(out[i].y, row.expected[i].y) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Edits, Vertices,
    testing::Values(VertexRow { PolyPointOperation::Add, 0, { A, { 5, 0 }, B, C } },
        VertexRow { PolyPointOperation::Add, 1, { A, B, { 10, 5 }, C } },
        VertexRow { PolyPointOperation::Add, 2, { A, B, C, { 5, 5 } } }, // the closing segment
        VertexRow { PolyPointOperation::Remove, 1, { A, C } },
        VertexRow { PolyPointOperation::Remove, 7, { A, B, C } })); // outside the list

void AddPolyline(FakeHost& h)
{
    h.drawing.journal.BeginGroup();
    OpenPathRecord p;
    p.h.penRef = 0;
    p.points = { A, B, C };
    h.drawing.AppendPolyline(p);
    h.drawing.journal.EndGroup();
}

std::string Saved(const FakeHost& h)
{
    std::string out;
    EXPECT_TRUE(WriteDrawingText(h.drawing, ImageSize {}, out).ok());
    return out;
}

TEST(PolyPointEdit, ReplacesThePolylineInOneStep)
{
    FakeHost h;
    AddPolyline(h);
    const std::string before = Saved(h);
    ASSERT_TRUE(SelectAll(h.drawing));
    int offered = 0;
    h.polyPoint = [&](int n, PolyPointChoice& c) {
        offered = n;
        c = { PolyPointOperation::Add, 0 };
        return true;
    };
    CommandContext ctx = h.ctx();
    EditPolyPoints(ctx);
    EXPECT_EQ(offered, 3);
    ASSERT_EQ(h.drawing.tables.polylines.size(), 2u);
    EXPECT_EQ(h.drawing.tables.polylines[1].points.size(), 4u);
    EXPECT_EQ(h.drawing.tables.polylines[1].points[1].x, 5);
    EXPECT_EQ(h.drawing.registry[0].live, 0);
    EXPECT_EQ(h.operation, Text("ポリライン変更"));
    EXPECT_EQ(h.state.CommandMode, 1);
    EXPECT_EQ(h.prompt, Text("１要素選択｜図形を指示して下さい"));
    EXPECT_TRUE(h.drawing.selection.empty());
    h.drawing.Undo();
    EXPECT_EQ(Saved(h), before);
}

TEST(PolyPointEdit, AnotherKindAsksNothingAndStillEndsInPickMode)
{
    FakeHost h;
    h.drawing.journal.BeginGroup();
    h.drawing.AppendLine(LineRecord { .h = {}, .x1 = 0, .y1 = 0, .x2 = 5, .y2 = 5 });
    h.drawing.journal.EndGroup();
    ASSERT_TRUE(SelectAll(h.drawing));
    h.state.CommandMode = 100;
    CommandContext ctx = h.ctx();
    EditPolyPoints(ctx);
    EXPECT_EQ(h.dialogsAsked, 0);
    EXPECT_EQ(h.state.CommandMode, 1);
    EXPECT_TRUE(h.drawing.selection.empty());
    EXPECT_EQ(h.drawing.registry.size(), 1u);
}

TEST(TextEdit, RewritesTheTextWithANewBoxAndRemembersTheSettings)
{
    FakeHost h;
    h.drawing.journal.BeginGroup();
    h.drawing.AppendText(
        TextRecord { .layer = 3, .x = 50, .y = 60, .size = 12, .fontName = "Nimbus Sans", .text = "a" });
    h.drawing.journal.EndGroup();
    ASSERT_TRUE(SelectAll(h.drawing));
    std::string offered;
    h.text = [&](ConstructionParameters& p) {
        offered = p.text;
        p.text = "abcdef";
        return true;
    };
    CommandContext ctx = h.ctx();
    EditTextContent(ctx);
    EXPECT_EQ(offered, "a");
    ASSERT_EQ(h.drawing.tables.texts.size(), 2u);
    const TextRecord& t = h.drawing.tables.texts[1];
    EXPECT_EQ(t.text, "abcdef");
    EXPECT_EQ(t.layer, 3);
    EXPECT_EQ(t.x, 50);
    EXPECT_EQ(t.y, 60);
    EXPECT_GT(t.boxC, 0); // measured for the six letters
    EXPECT_EQ(h.settings.construction.text, "abcdef");
    EXPECT_EQ(h.operation, Text("文字変更"));
    EXPECT_EQ(h.state.CommandMode, 1);
}

TEST(TextEdit, CancelChangesNothingButTheMode)
{
    FakeHost h;
    h.drawing.journal.BeginGroup();
    h.drawing.AppendText(TextRecord { .x = 50, .y = 60, .size = 12, .fontName = {}, .text = "a" });
    h.drawing.journal.EndGroup();
    ASSERT_TRUE(SelectAll(h.drawing));
    CommandContext ctx = h.ctx();
    EditTextContent(ctx);
    EXPECT_EQ(h.dialogsAsked, 1);
    EXPECT_EQ(h.drawing.registry.size(), 1u);
    EXPECT_EQ(h.state.CommandMode, 1);
    EXPECT_TRUE(h.drawing.selection.empty());
}

} // namespace
