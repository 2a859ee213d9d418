// The drawing file as written and read: layout, renumbered references, dead
// elements, the journal after reading, round trips, atomic saves and the
// policy for text CP932 cannot hold.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "storage/cp932.h"
#include "storage/file_messages.h"
#include "storage/files.h"
#include "storage_fixtures.h"

namespace {

std::string written(const Drawing& d, ImageSize size = {})
{
    std::string out;
    EXPECT_TRUE(WriteDrawingText(d, size, out).ok());
    return out;
}

// Line index of the first element's code line.
size_t entitiesStart(const std::vector<std::string>& lines)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == "ENTITIES")
            return i + 1;
    return lines.size();
}

TEST(DrawingFileLayout, EmptyDrawingWrites545Lines)
{
    Drawing d;
    const std::string bytes = written(d, {640, 480});
    const auto lines = fileLines(bytes);
    ASSERT_EQ(lines.size(), 545u);
    EXPECT_EQ(lines[0], "640");
    EXPECT_EQ(lines[1], "480");
    EXPECT_EQ(lines[2], "LAYER");
    EXPECT_EQ(lines[3], "1");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[515], "END");
    EXPECT_EQ(lines[516], "PEN1");
    EXPECT_EQ(lines[540], "BRUSH6");
    EXPECT_EQ(lines[542], "ENTITIES");
    EXPECT_EQ(lines[543], "0");
    EXPECT_EQ(lines[544], "END");
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "END\r\n");
}

TEST(DrawingFileLayout, OnlyUsedPenIsWrittenAndRenumbered)
{
    Drawing d;
    for (int i = 0; i < 10; ++i)
        appendEntry(d.attributes.penColor, PenColorEntry{0, i});
    appendEntry(d.attributes.width, WidthEntry{0, 1});
    appendEntry(d.attributes.lineType, LineTypeEntry{});
    d.AppendLine({OutlineHeader{0, 1, 7, 0, 0, 0}, 0, 0, 10, 10});
    const auto lines = fileLines(written(d));
    EXPECT_EQ(lines[516], "PEN1");
    EXPECT_EQ(lines[517], "7");  // the colour of entry 7
    EXPECT_EQ(lines[518], "END");
    const size_t e = entitiesStart(lines);
    EXPECT_EQ(lines[e], "100");
    EXPECT_EQ(lines[e + 1], "SEN");
    EXPECT_EQ(lines[e + 4], "0");  // penRef renumbered 7 -> 0
}

TEST(DrawingFileLayout, DeadElementsAreLeftOutAndReadingKeepsOnlyLiveOnes)
{
    Drawing d;
    d.AppendPoint({0, 1, 0, 0, 1, 1, 1});
    d.AppendPoint({0, 1, 0, 0, 2, 2, 1});
    d.AppendPoint({0, 1, 0, 0, 3, 3, 1});
    d.markDead(1);
    Drawing back;
    ReadDrawingText(back, written(d));
    ASSERT_EQ(back.registry.size(), 2u);
    EXPECT_EQ(back.tables.points[1].x, 3);
}

TEST(DrawingFileLayout, FillOnlyShapeWritesMinusOneForUnkeptPenEntries)
{
    Drawing d;
    appendEntry(d.attributes.penColor, PenColorEntry{0, 5});
    appendEntry(d.attributes.width, WidthEntry{0, 3});
    appendEntry(d.attributes.lineType, LineTypeEntry{});
    appendEntry(d.attributes.brushColor, PenColorEntry{0, 9});
    d.AppendRect({ClosedHeader{1, 0, 1, 0, 0, 0, 0, 1, 0}, 0, 0, 5, 5});
    const auto lines = fileLines(written(d));
    const size_t e = entitiesStart(lines) + 2;
    EXPECT_EQ(lines[e + 3], "-1");  // penRef
    EXPECT_EQ(lines[e + 4], "-1");  // widthRef
    EXPECT_EQ(lines[e + 5], "-1");  // lineTypeRef
    EXPECT_EQ(lines[e + 8], "0");   // brushRef
}

TEST(DrawingFileLayout, ReferencesNamingNoEntryAndUnknownKindsWriteReadably)
{
    Drawing d;
    d.AppendLine({OutlineHeader{0, 9, 44, -3, 99, 0}, 0, 0, 1, 1});  // pen kind 9, bad refs
    d.registry.push_back({140, 0, 1});                                 // unknown kind: skipped
    const auto lines = fileLines(written(d));
    const size_t e = entitiesStart(lines);
    EXPECT_EQ(lines[e + 4], "0");   // penRef of an unknown pen kind
    EXPECT_EQ(lines[e + 5], "-1");  // widthRef -3
    EXPECT_EQ(lines[e + 6], "-1");  // lineTypeRef 99
    EXPECT_EQ(lines[e + 12], "0");
    EXPECT_EQ(lines[e + 13], "END");
}

TEST(DrawingFileRoundTrip, EveryKindWithJapaneseTextIsByteIdentical)
{
    Drawing d;
    fillEveryKind(d);
    const std::string first = written(d, {800, 600});
    Drawing back;
    const FileResult result = ReadDrawingText(back, first);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.imageSize.width, 800);
    EXPECT_EQ(result.imageSize.height, 600);
    EXPECT_EQ(back.registry.size(), 18u);
    EXPECT_EQ(back.tables.texts[0].text, "図面〒①ｱ テスト");
    EXPECT_EQ(back.layers[3].name, "下書き");
    EXPECT_FALSE(back.layers[4].visible);
    EXPECT_EQ(back.attributes.penImage[0].fileName, "/home/利用者/模様.png");
    EXPECT_EQ(back.tables.beziers[0].points.size(), 4u);
    EXPECT_EQ(written(back, result.imageSize), first);
}

TEST(DrawingFileRoundTrip, AnchorEndStylesAreKeptAsWritten)
{
    Drawing d;
    for (int32_t end = 4; end <= 7; ++end)
        d.AppendLine({OutlineHeader{0, 1, 0, 0, 0, end}, 0, 0, 10.0 * end, 5});
    d.attributes.penColor.push_back({0, 0});
    d.attributes.width.push_back({0, 1});
    d.attributes.lineType.push_back({0, 0, 0});
    const std::string first = written(d);
    Drawing back;
    ASSERT_TRUE(ReadDrawingText(back, first).ok());
    ASSERT_EQ(back.tables.lines.size(), 4u);
    for (int32_t end = 4; end <= 7; ++end)
        EXPECT_EQ(back.tables.lines[static_cast<size_t>(end - 4)].h.endStyle, end);
    EXPECT_EQ(written(back), first);
}

TEST(DrawingFileRoundTrip, StoredFixtureReadsAndWritesBackUnchanged)
{
    const std::string fixture = readBytes(MIRT_TEST_DATA "/every_kind.mt");
    ASSERT_FALSE(fixture.empty());
    Drawing built;
    fillEveryKind(built);
    EXPECT_EQ(written(built, {800, 600}), fixture);
    Drawing back;
    const FileResult result = ReadDrawingText(back, fixture);
    EXPECT_EQ(written(back, result.imageSize), fixture);
}

TEST(DrawingFileRead, EverythingReadIsOneUndoGroup)
{
    Drawing d;
    fillEveryKind(d);
    Drawing back;
    back.AppendLine({});  // replaced by the read
    ReadDrawingText(back, written(d));
    EXPECT_EQ(back.journal.undoLevel(), 1);
    EXPECT_EQ(back.journal.recordingGroup(), 1);
    EXPECT_FALSE(back.isModified());
    EXPECT_TRUE(back.journal.canUndo());
    back.Undo();
    for (const ElementRef& ref : back.registry)
        EXPECT_FALSE(ref.live);
    back.Redo();
    for (const ElementRef& ref : back.registry)
        EXPECT_TRUE(ref.live);
}

TEST(DrawingFileRead, EmptyDrawingLeavesNothingToUndo)
{
    Drawing back;
    back.AppendLine({});
    ReadDrawingText(back, written(Drawing{}));
    EXPECT_TRUE(back.registry.empty());
    EXPECT_FALSE(back.journal.canUndo());
    EXPECT_FALSE(back.journal.canRedo());
}

TEST(DrawingFileRead, LayerFlagsAreReadLeniently)
{
    auto lines = fileLines(written(Drawing{}));
    std::string fullWidthOne;
    ASSERT_TRUE(utf8ToCp932("　1 ", fullWidthOne));
    lines[3] = fullWidthOne;  // layer 0
    lines[5] = "yes";         // layer 1
    lines[7] = "on";          // layer 2
    Drawing d;
    ReadDrawingText(d, joinLines(lines));
    EXPECT_TRUE(d.layers[0].visible);
    EXPECT_FALSE(d.layers[1].visible);
    EXPECT_TRUE(d.layers[2].visible);
}

TEST(DrawingFileRead, EndOfElementsByZeroOrRightAfterEntities)
{
    Drawing d;
    d.AppendPoint({});
    auto lines = fileLines(written(d));
    const size_t e = entitiesStart(lines);
    Drawing stopped;
    ReadDrawingText(stopped, joinLines({lines.begin(), lines.begin() + static_cast<long>(e)}));
    EXPECT_TRUE(stopped.registry.empty());
    lines.insert(lines.begin() + static_cast<long>(e), {"0", "anything"});
    ReadDrawingText(stopped, joinLines(lines));
    EXPECT_TRUE(stopped.registry.empty());
}

TEST(DrawingFileRead, LfOnlyLineEndsAreAccepted)
{
    Drawing d;
    fillEveryKind(d);
    std::string bytes = written(d);
    std::erase(bytes, '\r');
    Drawing back;
    ReadDrawingText(back, bytes);
    EXPECT_EQ(back.registry.size(), 18u);
    EXPECT_EQ(back.tables.texts[0].fontName, "ＭＳ ゴシック");
}

class DrawingFileOnDisk : public testing::Test {
protected:
    void SetUp() override
    {
        dir = makeTempDir();
        ASSERT_FALSE(dir.empty());
        path = dir + "/図面.mt";
    }
    void TearDown() override
    {
        ::chmod(dir.c_str(), 0700);
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    std::string dir, path;
};

TEST_F(DrawingFileOnDisk, SaveAndOpenGiveTheSameBytesAsInMemory)
{
    Drawing d;
    fillEveryKind(d);
    ASSERT_TRUE(WriteDrawing(path, d, {1024, 768}).ok());
    EXPECT_EQ(readBytes(path), written(d, {1024, 768}));
    Drawing back;
    const FileResult result = ReadDrawing(path, back);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.imageSize.width, 1024);
    EXPECT_EQ(back.registry.size(), 18u);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & 0044, 0u) << "new files get the usual permissions, not mkstemp's 0600";
}

TEST_F(DrawingFileOnDisk, MissingFileChangesNothing)
{
    Drawing d;
    d.AppendLine({});
    const FileResult result = ReadDrawing(dir + "/none.mt", d);
    EXPECT_EQ(result.status, FileStatus::NotFound);
    EXPECT_NE(result.message.find("none.mt"), std::string::npos);
    EXPECT_EQ(d.registry.size(), 1u);
}

// What is no drawing file is refused before a byte is read: a folder, a
// FIFO (whose open would wait for a writer for ever) and a file too large
// to hold, even one that starts like a drawing.
struct UnreadRow {
    const char* name;
    void (*make)(const std::string& path);
    FileStatus status;
    std::string_view reason;
};

const UnreadRow kUnreadRows[] = {
    {"folder", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0700), 0); }, FileStatus::ReadError,
     fileMessages::kIsAFolder},
    {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, FileStatus::ReadError,
     fileMessages::kNotARegularFile},
    {"too_large",
     [](const std::string& p) {
         ASSERT_TRUE(writeBytes(p, "640\r\n480\r\nLAYER\r\n"));
         ASSERT_EQ(::truncate(p.c_str(), kMaxDrawingFileBytes + 1), 0);  // sparse: costs no disk
     },
     FileStatus::TooLarge, fileMessages::kTooLarge},
};

class UnreadFile : public DrawingFileOnDisk, public testing::WithParamInterface<UnreadRow> {};

TEST_P(UnreadFile, IsRefusedAtOnceAndChangesNothing)
{
    GetParam().make(path);
    Drawing d;
    d.AppendLine({});
    auto reading = std::async(std::launch::async, [&] { return ReadDrawing(path, d); });
    if (reading.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
        // Let a reader stuck on the FIFO go before failing.
        ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "the read waited for the FIFO";
    }
    const FileResult result = reading.get();
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_NE(result.message.find(GetParam().reason), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
    EXPECT_FALSE(result.replaced);
    EXPECT_EQ(d.registry.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(DrawingFileOnDisk, UnreadFile, testing::ValuesIn(kUnreadRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawingFileOnDisk, FailedSaveLeavesTheOldFileAndNoTemporary)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE(writeBytes(path, "old content"));
    ASSERT_EQ(::chmod(dir.c_str(), 0500), 0);
    Drawing d;
    d.AppendLine({});
    const FileResult result = WriteDrawing(path, d, {});
    EXPECT_EQ(result.status, FileStatus::WriteError);
    EXPECT_NE(result.message.find(path), std::string::npos);
    EXPECT_EQ(readBytes(path), "old content");
}

TEST_F(DrawingFileOnDisk, UnencodableTextRefusesTheSaveAndNamesIt)
{
    ASSERT_TRUE(writeBytes(path, "old content"));
    Drawing d;
    fillEveryKind(d);
    TextRecord t;
    t.fontName = "ＭＳ ゴシック";
    t.text = "価格 5€";
    d.AppendText(t);
    const FileResult result = WriteDrawing(path, d, {});
    EXPECT_EQ(result.status, FileStatus::Unencodable);
    EXPECT_NE(result.message.find("価格 5€"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("U+20AC"), std::string::npos) << result.message;
    EXPECT_EQ(readBytes(path), "old content");
    EXPECT_EQ(std::system(("test $(ls -A '" + dir + "' | wc -l) -eq 1").c_str()), 0) << "temporary left behind";
}

struct BadText {
    const char* name;
    std::string layerName;
    std::string imageName;
    std::string expectedInMessage;
};

class DrawingFileUnencodable : public testing::TestWithParam<BadText> {};

TEST_P(DrawingFileUnencodable, InMemoryWriteRefusesWithMessage)
{
    Drawing d;
    d.layers[9].name = GetParam().layerName;
    appendEntry(d.attributes.brushImage, ImageEntry{0, GetParam().imageName});
    d.AppendRect({ClosedHeader{1, 0, 1, 0, 0, 0, 0, 4, 0}, 0, 0, 1, 1});
    std::string out;
    const FileResult result = WriteDrawingText(d, {}, out);
    EXPECT_EQ(result.status, FileStatus::Unencodable);
    EXPECT_NE(result.message.find(GetParam().expectedInMessage), std::string::npos) << result.message;
}

INSTANTIATE_TEST_SUITE_P(Rows, DrawingFileUnencodable,
                         testing::Values(BadText{"layerName", "Ω層 ünïcode", "ok.png", "U+00FC"},
                                         BadText{"lineBreakInLayerName", "two\nlines", "ok.png", "U+000A"},
                                         BadText{"imageFileName", "ok", "/tmp/€.png", "BRUSH4"},
                                         // U+1000FF: the byte 0xFF kept from a file, shown as its sign.
                                         BadText{"keptByteShownInTheText", "\xF4\x80\x83\xBF€", "ok.png", "「\uFFFD€」"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawingFileOnDisk, SaveThroughSymbolicLinkKeepsTheLink)
{
    const std::string real = dir + "/real.mt";
    ASSERT_TRUE(writeBytes(real, "old"));
    ASSERT_EQ(::symlink(real.c_str(), path.c_str()), 0);
    ASSERT_TRUE(WriteDrawing(path, Drawing{}, {}).ok());
    struct stat st;
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(fileLines(readBytes(real)).size(), 545u);
}

}  // namespace
