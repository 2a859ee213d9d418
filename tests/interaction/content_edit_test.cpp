// Vertex and text edits through the fake host: the vertex lists of add and
// remove, the replacement in one undo step, the refusals, and the text
// rewritten with a measured box, all ending in the pick-one-element mode.
#include "editing/content_edit.h"
#include "fake_host.h"
#include "model/selection.h"
#include "render/renderers.h"
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

// The dialog is offered the record's fields and hands them back untouched:
// in-range anchors and styles come back as they were, a damaged record's
// anchor outside 0..8 and style bits past strikeout are neither offered nor
// written back.
struct KeptTextRow {
    int32_t anchor, style;
    int32_t keptAnchor, keptStyle;
};

void PrintTo(const KeptTextRow& r, std::ostream* os)
{
    *os << "anchor " << r.anchor << ", style " << r.style;
}

class TextKeptThroughTheDialog : public testing::TestWithParam<KeptTextRow> { };

TEST_P(TextKeptThroughTheDialog, OffersAndWritesTheFieldsWithinTheirRange)
{
    const KeptTextRow& row = GetParam();
    FakeHost h;
    h.drawing.journal.BeginGroup();
    h.drawing.AppendText(TextRecord { .layer = 2,
        .anchor = row.anchor,
        .fontStyle = row.style,
        .x = 50,
        .y = 60,
        .size = 12,
        .angle = 30,
        .xRatio = 1.5,
        .fontName = "Nimbus Sans",
        .text = "ab" });
    h.drawing.journal.EndGroup();
    ASSERT_TRUE(SelectAll(h.drawing));
    ConstructionParameters offered;
    h.text = [&](ConstructionParameters& p) {
        offered = p;
        return true;
    };
    CommandContext ctx = h.ctx();
    EditTextContent(ctx);
    EXPECT_EQ(offered.textAnchor, row.keptAnchor);
    EXPECT_EQ(offered.textStyle, row.keptStyle);
    ASSERT_EQ(h.drawing.tables.texts.size(), 2u);
    const TextRecord& t = h.drawing.tables.texts[1];
    EXPECT_EQ(t.anchor, row.keptAnchor);
    EXPECT_EQ(t.fontStyle, row.keptStyle);
    EXPECT_EQ(t.size, 12);
    EXPECT_EQ(t.angle, 30);
    EXPECT_EQ(t.xRatio, 1.5);
    EXPECT_EQ(t.fontName, "Nimbus Sans");
    EXPECT_EQ(t.text, "ab");
    EXPECT_EQ(t.layer, 2);
    EXPECT_EQ(t.x, 50);
    EXPECT_EQ(t.y, 60);
    const StoredTextBox box = MeasureTextBox(t);
    EXPECT_EQ(t.boxA, box.a);
    EXPECT_EQ(t.boxB, box.b);
    EXPECT_EQ(t.boxC, box.c);
    EXPECT_EQ(t.boxD, box.d);
}

INSTANTIATE_TEST_SUITE_P(Records, TextKeptThroughTheDialog,
    testing::Values(KeptTextRow { 4, 1 | 8, 4, 1 | 8 }, // in range: kept as they were
        KeptTextRow { 0, 0, 0, 0 }, KeptTextRow { 8, 15, 8, 15 }, // the ends of the ranges
        KeptTextRow { 12, 2, 0, 2 }, KeptTextRow { -1, 4, 0, 4 }, // anchors from a damaged file
        KeptTextRow { 3, 0x30 | 2, 3, 2 })); // style bits past strikeout

} // namespace
