// Attribute change and pick through the fake host: which kinds a change
// touches, what it counts, the find-or-add of table rows, the end style 3 of
// closed kinds, and what a pick takes over from points and texts.
#include "editing/attribute_change.h"
#include "fake_host.h"
#include "model/selection.h"
#include "storage/files.h"

#include <gtest/gtest.h>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

std::string Saved(const FakeHost& h)
{
    std::string out;
    EXPECT_TRUE(WriteDrawingText(h.drawing, ImageSize {}, out).ok());
    return out;
}

// One journal group per element, as drawing them would make.
template <class Append> void Add(FakeHost& h, Append append)
{
    h.drawing.journal.BeginGroup();
    append(h.drawing);
    h.drawing.journal.EndGroup();
}

void Change(FakeHost& h, AttributeChange what)
{
    CommandContext c = h.ctx();
    ChangeAttributes(c, what);
}

bool Pick(FakeHost& h)
{
    CommandContext c = h.ctx();
    return PickAttributes(c);
}

TEST(AttributeChange, APenChangeOfALineAndATextCountsTwoAndLeavesTheText)
{
    FakeHost h;
    resolvePen(h.drawing.attributes, CurrentAttributes {}); // the rows the elements name
    resolveBrush(h.drawing.attributes, CurrentAttributes {});
    Add(h, [](Drawing& d) { d.AppendLine(LineRecord { .h = {}, .x1 = 0, .y1 = 0, .x2 = 10, .y2 = 0 }); });
    Add(h, [](Drawing& d) {
        d.AppendText(TextRecord { .x = 5, .y = 5, .size = 10, .fontName = {}, .text = "a" });
    });
    const std::string before = Saved(h);
    h.settings.attributes.penKind = 1;
    h.settings.attributes.penColors[0] = 0x123456;
    ASSERT_TRUE(SelectAll(h.drawing));
    Change(h, AttributeChange::Pen);
    EXPECT_EQ(h.operation, Text("変更数：2"));
    ASSERT_EQ(h.drawing.registry.size(), 3u);
    EXPECT_EQ(h.drawing.registry[0].live, 0);
    EXPECT_EQ(h.drawing.registry[1].live, 1); // the text has no pen
    const LineRecord& changed = h.drawing.tables.lines.back();
    EXPECT_EQ(h.drawing.attributes.penColor[static_cast<size_t>(changed.h.penRef)].color, 0x123456);
    EXPECT_TRUE(h.drawing.selection.empty());
    // Undo brings the elements back exactly; the pen row the command found
    // or added stays in the table, as rows always do.
    h.drawing.Undo();
    const auto entities = [](const std::string& file) { return file.substr(file.find("ENTITIES")); };
    EXPECT_EQ(entities(Saved(h)), entities(before));
}

TEST(AttributeChange, TwoPenChangesAddOnePenRow)
{
    FakeHost h;
    Add(h, [](Drawing& d) { d.AppendLine(LineRecord { .h = {}, .x1 = 0, .y1 = 0, .x2 = 10, .y2 = 0 }); });
    h.settings.attributes.penColors[0] = 0x00FF00;
    const size_t rows = h.drawing.attributes.penColor.size();
    ASSERT_TRUE(SelectAll(h.drawing));
    Change(h, AttributeChange::Pen);
    ASSERT_TRUE(SelectAll(h.drawing));
    Change(h, AttributeChange::Pen);
    EXPECT_EQ(h.drawing.attributes.penColor.size(), rows + 1);
    EXPECT_EQ(h.drawing.journal.undoLevel(), 3);
}

TEST(AttributeChange, EndStyleThreeIsJoinZeroOnClosedKinds)
{
    FakeHost h;
    Add(h, [](Drawing& d) { d.AppendLine(LineRecord { .h = {}, .x1 = 0, .y1 = 0, .x2 = 10, .y2 = 0 }); });
    Add(h, [](Drawing& d) { d.AppendRect(RectRecord { .h = {}, .x1 = 0, .y1 = 0, .x2 = 10, .y2 = 10 }); });
    h.settings.attributes.endStyle = 3;
    ASSERT_TRUE(SelectAll(h.drawing));
    Change(h, AttributeChange::EndStyle);
    EXPECT_EQ(h.drawing.tables.lines.back().h.endStyle, 3);
    EXPECT_EQ(h.drawing.tables.rects.back().h.joinStyle, 0);
}

TEST(AttributeChange, AWidthChangeOfPointsOnlyAddsNoUndoStepButStillCounts)
{
    FakeHost h;
    Add(h, [](Drawing& d) { d.AppendPoint(PointRecord { .x = 1, .y = 1 }); });
    Add(h, [](Drawing& d) { d.AppendPoint(PointRecord { .x = 5, .y = 5 }); });
    ASSERT_TRUE(SelectAll(h.drawing));
    Change(h, AttributeChange::Width);
    EXPECT_EQ(h.drawing.registry.size(), 2u);
    EXPECT_EQ(h.drawing.journal.undoLevel(), 2);  // the next Undo takes back the second point
    EXPECT_EQ(h.operation, Text("変更数：2"));
}

TEST(AttributeChange, NothingSelectedDoesNothingSilently)
{
    FakeHost h;
    Add(h, [](Drawing& d) { d.AppendPoint(PointRecord { .x = 1, .y = 1 }); });
    Change(h, AttributeChange::Layer);
    EXPECT_EQ(h.drawing.journal.undoLevel(), 1);
    EXPECT_TRUE(h.operation.isEmpty());
}

TEST(AttributeChange, ALayerChangeMovesEveryKindIncludingTexts)
{
    FakeHost h;
    Add(h, [](Drawing& d) {
        d.AppendText(TextRecord { .x = 5, .y = 5, .size = 10, .fontName = {}, .text = "a" });
    });
    Add(h, [](Drawing& d) { d.AppendPoint(PointRecord { .x = 1, .y = 1 }); });
    h.settings.attributes.currentLayer = 7;
    ASSERT_TRUE(SelectAll(h.drawing));
    Change(h, AttributeChange::Layer);
    EXPECT_EQ(h.drawing.tables.texts.back().layer, 7);
    EXPECT_EQ(h.drawing.tables.points.back().layer, 7);
}

TEST(AttributePick, NeedsExactlyOneSelectedElement)
{
    FakeHost h;
    EXPECT_FALSE(Pick(h));
    EXPECT_EQ(h.prompt, Text("１要素選択してから実行して下さい"));
}

TEST(AttributePick, APointOfSizeZeroGivesLayerAndPenButNoPointSettings)
{
    FakeHost h;
    const int32_t pen = appendEntry(h.drawing.attributes.penColor, PenColorEntry { 0, 0x0000AA });
    Add(h, [&](Drawing& d) {
        d.AppendPoint(PointRecord {
            .layer = 4, .penKind = 1, .penRef = pen, .pointStyle = 9, .x = 1, .y = 1, .size = 0 });
    });
    h.settings.attributes.pointStyle = 2;
    ASSERT_TRUE(SelectAll(h.drawing));
    EXPECT_TRUE(Pick(h));
    EXPECT_EQ(h.settings.attributes.currentLayer, 4);
    EXPECT_EQ(h.settings.attributes.penColors[0], 0x0000AA);
    EXPECT_EQ(h.settings.attributes.pointStyle, 2);
    EXPECT_EQ(h.drawing.selection.size(), 1u); // the selection stays
}

TEST(AttributePick, ATextGivesLayerAndBrushOnly)
{
    FakeHost h;
    const int32_t brush
        = appendEntry(h.drawing.attributes.brushHatch, HatchEntry { 0, 5, 0x11, 200, 0x22, 100 });
    Add(h, [&](Drawing& d) {
        d.AppendText(TextRecord { .layer = 2,
            .brushKind = 3,
            .brushRef = brush,
            .x = 5,
            .y = 5,
            .size = 10,
            .fontName = {},
            .text = "a" });
    });
    h.settings.attributes.penWidth = 3.5;
    h.settings.attributes.endStyle = 1;
    ASSERT_TRUE(SelectAll(h.drawing));
    EXPECT_TRUE(Pick(h));
    const CurrentAttributes& c = h.settings.attributes;
    EXPECT_EQ(c.currentLayer, 2);
    EXPECT_EQ(c.brushKind, 3);
    EXPECT_EQ(c.brushHatchStyle, 5);
    EXPECT_EQ(c.brushColors[3], 0x22);
    EXPECT_EQ(c.brushAlphas[2], 100);
    EXPECT_EQ(c.penWidth, 3.5);
    EXPECT_EQ(c.endStyle, 1);
}

TEST(AttributePick, AClosedElementGivesPenStrokeAndBrush)
{
    FakeHost h;
    const int32_t width = appendEntry(h.drawing.attributes.width, WidthEntry { 0, 4.0 });
    const int32_t type = appendEntry(h.drawing.attributes.lineType, LineTypeEntry { 0, 2, 1 });
    RectRecord r { .h = {}, .x1 = 0, .y1 = 0, .x2 = 10, .y2 = 10 };
    r.h.widthRef = width, r.h.lineTypeRef = type, r.h.joinStyle = 2, r.h.layer = 5;
    Add(h, [&](Drawing& d) { d.AppendRect(r); });
    ASSERT_TRUE(SelectAll(h.drawing));
    EXPECT_TRUE(Pick(h));
    const CurrentAttributes& c = h.settings.attributes;
    EXPECT_EQ(c.penWidth, 4.0);
    EXPECT_EQ(c.dashStyle, 2);
    EXPECT_EQ(c.dashCap, 1);
    EXPECT_EQ(c.endStyle, 2);
    EXPECT_EQ(c.currentLayer, 5);
}

} // namespace
