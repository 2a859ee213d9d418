// Hostile and damaged drawing files: the reader never crashes, never
// allocates from a declared count, stores out-of-range values without using
// them, and hands back a usable image size.
#include <gtest/gtest.h>

#include "storage/files.h"
#include "storage_fixtures.h"

namespace {

std::string everyKindFile()
{
    Drawing d;
    fillEveryKind(d);
    std::string out;
    WriteDrawingText(d, {800, 600}, out);
    return out;
}

// The fixed part and empty attribute sections, then the given element lines.
std::string withElements(const std::vector<std::string>& elementLines, std::string width = "320",
                         std::string height = "240")
{
    std::vector<std::string> lines{width, height, "LAYER"};
    for (int i = 0; i < 256; ++i)
        lines.insert(lines.end(), {"1", ""});
    lines.push_back("END");
    for (const char* k : {"PEN1", "PEN2", "PEN3", "PEN4", "PEN5", "PEN_WIDTH", "PEN_TYPE", "BRUSH1", "BRUSH2",
                          "BRUSH3", "BRUSH4", "BRUSH5", "BRUSH6"})
        lines.insert(lines.end(), {k, "END"});
    lines.push_back("ENTITIES");
    lines.insert(lines.end(), elementLines.begin(), elementLines.end());
    return joinLines(lines);
}

TEST(DrawingFileHostile, EveryTruncationReadsAPrefixOfTheElements)
{
    const std::string full = everyKindFile();
    size_t previous = 0;
    for (size_t cut = 0; cut <= full.size(); cut += 7) {
        Drawing d;
        const FileResult result = ReadDrawingText(d, std::string_view(full).substr(0, cut));
        ASSERT_TRUE(result.ok());
        ASSERT_GE(result.imageSize.width, 1);
        ASSERT_GE(d.registry.size(), previous) << "cut at " << cut;
        previous = d.registry.size();
        for (size_t i = 0; i < d.registry.size(); ++i)
            ASSERT_EQ(d.registry[i].kind, static_cast<int32_t>(kAllKinds[i]));
    }
    EXPECT_EQ(previous, 18u);
}

TEST(DrawingFileHostile, HugePointCountReadsOnlyWhatIsThere)
{
    Drawing d;
    // Polyline claiming 2^31-1 points, holding two: cut short, left out.
    ReadDrawingText(d, withElements({"300", "POLYLINE", "0", "1", "0", "0", "0", "0", "2147483647", "1", "2", "3"}));
    EXPECT_TRUE(d.registry.empty());
}

TEST(DrawingFileHostile, NegativePointCountLeavesOnlyThatElementOut)
{
    Drawing d;
    ReadDrawingText(d, withElements({"300", "POLYLINE", "0", "1", "0", "0", "0", "0", "-5",  //
                                     "110", "TEN", "0", "1", "0", "0", "1", "2", "3"}));
    ASSERT_EQ(d.registry.size(), 1u);
    EXPECT_EQ(d.registry[0].kind, 110);
    EXPECT_EQ(d.tables.points[0].size, 3);
}

TEST(DrawingFileHostile, UnknownKindCodesReadNothingMore)
{
    Drawing d;
    ReadDrawingText(d, withElements({"140", "NOPE", "110", "TEN", "0", "1", "0", "0", "1", "2", "3", "0", "END"}));
    ASSERT_EQ(d.registry.size(), 1u);
    EXPECT_EQ(d.tables.points[0].x, 1);
}

TEST(DrawingFileHostile, GarbageValuesReadAsZeroAndBadIndexesAreStoredNotUsed)
{
    Drawing d;
    ReadDrawingText(d, withElements({"100", "SEN", "999", "1", "12345", "-7", "x", "3", "abc", "1e999", "nan", "5"}));
    ASSERT_EQ(d.registry.size(), 1u);
    const LineRecord& line = d.tables.lines[0];
    EXPECT_EQ(line.h.layer, 999);
    EXPECT_EQ(line.h.penRef, 12345);
    EXPECT_EQ(line.h.lineTypeRef, 0);
    EXPECT_EQ(line.x1, 0);
    EXPECT_EQ(line.y1, 0);
    EXPECT_EQ(line.x2, 0);
    EXPECT_EQ(line.y2, 5);
    EXPECT_EQ(d.layerAt(999), nullptr);
    d.RecomputeLayerUse();
    // Writing it back names no entry for the bad references.
    std::string out;
    EXPECT_TRUE(WriteDrawingText(d, {}, out).ok());
}

struct SizeRow {
    const char* name;
    std::string width, height;
    int32_t expectedWidth, expectedHeight;
};

class DrawingFileImageSize : public testing::TestWithParam<SizeRow> {};

TEST_P(DrawingFileImageSize, IsClampedToUsable)
{
    Drawing d;
    const FileResult r = ReadDrawingText(d, withElements({}, GetParam().width, GetParam().height));
    EXPECT_EQ(r.imageSize.width, GetParam().expectedWidth);
    EXPECT_EQ(r.imageSize.height, GetParam().expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(Rows, DrawingFileImageSize,
                         testing::Values(SizeRow{"ordinary", "640", "480", 640, 480},
                                         SizeRow{"zero", "0", "0", 1, 1}, SizeRow{"negative", "-5", "-1", 1, 1},
                                         SizeRow{"huge", "2147483647", "100001", kMaxImageSide, kMaxImageSide},
                                         SizeRow{"garbage", "wide", "", 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawingFileHostile, GarbageInAttributeSectionsAppendsWithoutSearching)
{
    std::string file = withElements({});
    const std::string pen1 = "PEN1\r\nEND\r\n";
    file.replace(file.find(pen1), pen1.size(), "PEN1\r\nred\r\n255\r\n255\r\nEND\r\n");
    Drawing d;
    ReadDrawingText(d, file);
    ASSERT_EQ(d.attributes.penColor.size(), 3u);
    EXPECT_EQ(d.attributes.penColor[0].color, 0);
    EXPECT_EQ(d.attributes.penColor[2].id, 2);
}

TEST(DrawingFileHostile, EmptyAndBinaryInputNeverCrash)
{
    for (const std::string& bytes : {std::string(), std::string("\r\n\r\n"), std::string(5000, '\n'),
                                     std::string("\0\xFF\x81", 3), std::string(100000, '\x82')}) {
        Drawing d;
        const FileResult r = ReadDrawingText(d, bytes);
        EXPECT_TRUE(r.ok());
        EXPECT_TRUE(d.registry.empty());
        EXPECT_EQ(d.layers.size(), 256u);
    }
}

}  // namespace
