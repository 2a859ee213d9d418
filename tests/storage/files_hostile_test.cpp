// Hostile and damaged drawing files: the reader never crashes, never
// allocates from a declared count, stores out-of-range values without using
// them, and hands back a usable image size.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "storage/file_messages.h"
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
    // Cuts before the second line hold no image size: tested below.
    for (size_t cut = full.find('\n') + 2; cut <= full.size(); cut += 7) {
        Drawing d;
        const FileResult result = ReadDrawingText(d, std::string_view(full).substr(0, cut));
        ASSERT_TRUE(result.ok()) << "cut at " << cut;
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

struct NotDrawingRow {
    const char* name;
    std::string bytes;
};

class DrawingFileNotADrawing : public testing::TestWithParam<NotDrawingRow> {};

// Bytes without an image size or a layer part are refused and leave the
// drawing as it was, elements, layers and history alike.
TEST_P(DrawingFileNotADrawing, IsRefusedAndChangesNothing)
{
    Drawing d;
    ASSERT_TRUE(ReadDrawingText(d, withElements({"110", "TEN", "0", "1", "0", "0", "1", "2", "3"})).ok());
    d.layers[3].name = "kept";
    const uint64_t changes = d.journal.changeCount();
    const FileResult r = ReadDrawingText(d, GetParam().bytes);
    EXPECT_EQ(r.status, FileStatus::NotADrawing);
    EXPECT_EQ(d.registry.size(), 1u);
    EXPECT_EQ(d.layers[3].name, "kept");
    EXPECT_EQ(d.journal.changeCount(), changes);
    EXPECT_TRUE(d.journal.canUndo());
}

INSTANTIATE_TEST_SUITE_P(Rows, DrawingFileNotADrawing,
                         testing::Values(NotDrawingRow{"empty", ""}, NotDrawingRow{"blank_lines", "\r\n\r\n"},
                                         NotDrawingRow{"many_newlines", std::string(5000, '\n')},
                                         NotDrawingRow{"binary", std::string("\0\xFF\x81", 3)},
                                         NotDrawingRow{"long_lead_bytes", std::string(100000, '\x82')},
                                         NotDrawingRow{"png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
                                         NotDrawingRow{"one_number", "640\r\n"},
                                         NotDrawingRow{"text", "hello\nworld\nagain\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawingFileHostile, AStartLikeADrawingStillOpensWithWhatIsThere)
{
    for (const std::string& bytes : {std::string("640\r\n480"), std::string("wide\r\n\r\nLAYER\r\n1")}) {
        Drawing d;
        const FileResult r = ReadDrawingText(d, bytes);
        EXPECT_TRUE(r.ok()) << bytes;
        EXPECT_TRUE(d.registry.empty());
        EXPECT_EQ(d.layers.size(), 256u);
    }
}

TEST(DrawingFileHostile, AFileThatIsNotADrawingIsNamedInTheMessage)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "mirt_not_a_drawing.png";
    {
        std::ofstream(path, std::ios::binary) << "\x89PNG\r\n\x1a\n";
    }
    Drawing d;
    const FileResult r = ReadDrawing(path.string(), d);
    std::filesystem::remove(path);
    EXPECT_EQ(r.status, FileStatus::NotADrawing);
    EXPECT_NE(r.message.find("mirt_not_a_drawing.png"), std::string::npos);
    EXPECT_NE(r.message.find(fileMessages::kNotADrawing), std::string::npos);
}

}  // namespace
