// The settings file: defaults, round trips with Japanese text, clamping at
// every kind of range edge, files that end early or are missing, failed
// writes, and where the file lives.
#include "storage/CVals.h"
#include "storage/settings.h"
#include "storage/settings_table.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// ---- Helpers ----------------------------------------------------------------

// "ＭＳ ゴシック" in CP932, spelled out so the test does not rely on the codec.
const std::string kDefaultFontCp932 = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";

// The value of one line, numbers as doubles and strings as they are.
struct LineValue {
    double number = 0;
    std::string text;
    bool operator==(const LineValue&) const = default;
};

LineValue valueOf(const SettingsLine& line, Settings& s)
{
    struct Get {
        Settings& s;
        LineValue operator()(int32_t* (*f)(Settings&)) const { return { double(*f(s)), {} }; }
        LineValue operator()(double* (*f)(Settings&)) const { return { *f(s), {} }; }
        LineValue operator()(bool* (*f)(Settings&)) const { return { *f(s) ? 1.0 : 0.0, {} }; }
        LineValue operator()(std::string* (*f)(Settings&)) const { return { 0, *f(s) }; }
    };
    return std::visit(Get { s }, line.field);
}

LineValue valueOfLine(int lineNumber, Settings& s)
{
    return valueOf(SettingsLines()[static_cast<size_t>(lineNumber - 1)], s);
}

void expectSameLines(Settings a, Settings b, int fromLine = 1, int toLine = kSettingsLineCount)
{
    for (int n = fromLine; n <= toLine; ++n)
        EXPECT_EQ(valueOfLine(n, a), valueOfLine(n, b)) << "line " << n;
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> splitCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "text after the last CR LF";
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Every line at a value of its own, inside its range and away from its
// default; reals have few digits so that 15 significant digits hold them.
Settings distinctSettings()
{
    Settings s = LoadDefaults();
    int i = 0;
    for (const SettingsLine& line : SettingsLines()) {
        ++i;
        struct Set {
            const SettingsLine& line;
            Settings& s;
            int i;
            void operator()(int32_t* (*f)(Settings&)) const
            {
                const bool bounded = line.hi - line.lo < 1e8;
                const int32_t v = bounded ? int32_t(line.lo) + (i * 7 + 1) % int32_t(line.hi - line.lo + 1)
                                          : -1000 + i * 13;
                *f(s) = v == int32_t(line.defaultNumber) ? int32_t(line.hi) : v;
            }
            void operator()(double* (*f)(Settings&)) const
            {
                const bool bounded = line.hi - line.lo < 1e8;
                const double frac = ((i * 37) % 97 + 1) / 99.0;
                const double v = bounded ? std::round((line.lo + (line.hi - line.lo) * frac) * 1000) / 1000
                                         : -123.456 * i;
                *f(s) = std::clamp(v, line.lo, line.hi);
            }
            void operator()(bool* (*f)(Settings&)) const { *f(s) = i % 2 == 0; }
            void operator()(std::string* (*f)(Settings&)) const
            {
                *f(s) = "\xE5\x9B\xB3\xE9\x9D\xA2 \xEF\xBD\x9E \xEF\xBD\xB6\xEF\xBE\x85 "
                    + std::to_string(i); // 図面 ～ ｶﾅ
            }
        };
        std::visit(Set { line, s, i }, line.field);
    }
    s.openWindows.form2 = true;
    return s;
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path()
            / (std::string("mirt_settings_") + info->test_suite_name() + "_" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = m_dir / "mirt.dat";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    fs::path m_path;
};

// ---- Table and defaults -----------------------------------------------------

TEST(SettingsTable, EveryLineHoldsItsOwnFieldInsideTheRecord)
{
    Settings s;
    std::set<const void*> seen;
    for (const SettingsLine& line : SettingsLines()) {
        const void* address = std::visit([&](auto f) -> const void* { return f(s); }, line.field);
        EXPECT_TRUE(seen.insert(address).second) << "two lines share a field";
        EXPECT_GE(address, static_cast<const void*>(&s));
        EXPECT_LT(address, static_cast<const void*>(&s + 1));
    }
    EXPECT_EQ(seen.size(), size_t(kSettingsLineCount));
}

TEST(SettingsDefaults, AgreeWithTheRecordsOwnInitialValues)
{
    // The model headers initialise the attributes, grid and construction
    // parameters themselves; the table's default column must say the same.
    expectSameLines(LoadDefaults(), Settings {}, 33, kSettingsLineCount);
    EXPECT_EQ(LoadDefaults().attributes.currentLayer, 0);
}

TEST_F(SettingsFile, DefaultsAreWrittenAsTheDocumentedLines33To129)
{
    const std::vector<std::string> zeros6(6, "0"), alphas5(5, "255"), zeros8(8, "0"), alphas7(7, "255");
    std::vector<std::string> expected = { "1" }; // line 33, penKind
    expected.insert(expected.end(), zeros6.begin(), zeros6.end());
    expected.insert(expected.end(), alphas5.begin(), alphas5.end());
    for (const char* v : { "0", "", "0", "1", "0", "0", "0", "1" }) // 45-52
        expected.push_back(v);
    expected.insert(expected.end(), zeros8.begin(), zeros8.end());
    expected.insert(expected.end(), alphas7.begin(), alphas7.end());
    for (const char* v : { "0", "", "0", "0", "1", // 68-72
             "0", "0", "0", "10", "10", "16764032", "16744448", // 73-79
             "", "", "0", "0", "0", "0", "0", "0", "0", // 80-88
             "0", "2", "0", "0", "0", "0" }) // 89-94
        expected.push_back(v);
    expected.insert(expected.end(), zeros8.begin(), zeros8.end()); // 95-102
    for (const char* v : { "10", "0", "10", "10", "0", "1", // 103-108
             "10", "0", "180", "10", "10", "0", "1", "0", "180", // 109-117
             "20", "20", "10", "10", "6", "0", "0", "10", "0", "1" }) // 118-127
        expected.push_back(v);
    expected.push_back(kDefaultFontCp932);
    expected.push_back("");

    ASSERT_TRUE(WriteSettings(m_path.string(), LoadDefaults()));
    const std::vector<std::string> lines = splitCrLf(readBytes(m_path));
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 32, lines.end()), expected);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
        (std::vector<std::string> { "192", "108", "397", "321" }));
}

TEST_F(SettingsFile, MissingFileGivesTheDefaults)
{
    expectSameLines(ReadSettings((m_dir / "absent.dat").string()), LoadDefaults());
}

TEST_F(SettingsFile, FolderInPlaceOfTheFileGivesTheDefaults)
{
    fs::create_directory(m_path);
    expectSameLines(ReadSettings(m_path.string()), LoadDefaults());
}

// ---- Round trip ---------------------------------------------------------------

TEST_F(SettingsFile, RoundTripKeepsEveryLineAndRewritesTheSameBytes)
{
    Settings written = distinctSettings();
    written.construction.text
        = "\xE3\x81\x82\xE3\x81\x84 \xE6\xBC\xA2\xE5\xAD\x97\xE3\x80\x80x"; // あい 漢字　x
    written.construction.fontName = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D"; // ＭＳ 明朝
    ASSERT_TRUE(WriteSettings(m_path.string(), written));
    const std::string firstBytes = readBytes(m_path);

    Settings read = ReadSettings(m_path.string());
    expectSameLines(read, written);
    EXPECT_EQ(read.construction.text, written.construction.text);
    EXPECT_TRUE(read.openWindows.form2);

    ASSERT_TRUE(WriteSettings(m_path.string(), read));
    EXPECT_EQ(readBytes(m_path), firstBytes);
    EXPECT_EQ(splitCrLf(firstBytes).size(), 129u);
    EXPECT_EQ(std::count(firstBytes.begin(), firstBytes.end(), '\n'), 129);
    EXPECT_NE(firstBytes.find("\x82\xA0\x82\xA2 \x8A\xBF\x8E\x9A\x81\x40x\r\n"), std::string::npos)
        << "text is stored in CP932";
}

TEST_F(SettingsFile, RealsUseGeneralFormatWithFifteenDigits)
{
    Settings s = LoadDefaults();
    s.grid.originX = 1e-6;
    s.grid.originY = 1.5e20;
    s.attributes.penGradientAngle = -0.5;
    s.attributes.brushGradientAngle = 0.1 + 0.2; // 0.30000000000000004
    ASSERT_TRUE(WriteSettings(m_path.string(), s));
    const std::vector<std::string> lines = splitCrLf(readBytes(m_path));
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(lines[73], "1E-6");
    EXPECT_EQ(lines[74], "1.5E20");
    EXPECT_EQ(lines[46], "-0.5");
    EXPECT_EQ(lines[69], "0.3");
    EXPECT_DOUBLE_EQ(ReadSettings(m_path.string()).grid.originY, 1.5e20);
}

TEST_F(SettingsFile, LineFeedOnlyEndingsReadTheSame)
{
    const Settings written = distinctSettings();
    ASSERT_TRUE(WriteSettings(m_path.string(), written));
    std::string bytes = readBytes(m_path);
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    writeBytes(m_path, bytes);
    expectSameLines(ReadSettings(m_path.string()), written);
}

TEST_F(SettingsFile, TextTheFileCannotHoldIsWrittenEmptyAndReported)
{
    Settings s = distinctSettings();
    s.openDialogFolder = "/home/a\nb"; // a line break would shift every later line
    s.construction.text = "smile \xF0\x9F\x98\x80"; // U+1F600
    std::vector<std::string> lost;
    ASSERT_TRUE(WriteSettings(m_path.string(), s, &lost));
    ASSERT_EQ(lost.size(), 2u);
    EXPECT_EQ(lost[0].rfind("line 80:", 0), 0u) << lost[0];
    EXPECT_EQ(lost[1].rfind("line 129:", 0), 0u) << lost[1];
    const Settings read = ReadSettings(m_path.string());
    EXPECT_EQ(read.openDialogFolder, "");
    EXPECT_EQ(read.construction.text, "");
    expectSameLines(read, s, 1, 79);
    expectSameLines(read, s, 81, 128);
}

// ---- Clamping -------------------------------------------------------------------

struct ClampRow {
    const char* name;
    int line;
    const char* text;
    double expected;
};

class SettingsClamp : public SettingsFile, public ::testing::WithParamInterface<ClampRow> { };

// A value outside its line's range, or not a number at all, is damage: that
// line alone keeps its default.
TEST_P(SettingsClamp, DamagedValueKeepsItsDefault)
{
    const ClampRow& row = GetParam();
    ASSERT_TRUE(WriteSettings(m_path.string(), distinctSettings()));
    std::vector<std::string> lines = splitCrLf(readBytes(m_path));
    lines[size_t(row.line - 1)] = row.text;
    writeBytes(m_path, joinCrLf(lines));
    Settings read = ReadSettings(m_path.string());
    EXPECT_DOUBLE_EQ(valueOfLine(row.line, read).number, row.expected);
    const Settings written = distinctSettings();
    expectSameLines(read, written, 1, row.line - 1);
    expectSameLines(read, written, row.line + 1, kSettingsLineCount);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsClamp,
    ::testing::Values(ClampRow { "PenWidthZero", 48, "0", 1 }, ClampRow { "PenWidthHuge", 48, "5000", 1 },
        ClampRow { "PenWidthLowEdgeKept", 48, "0.001", 0.001 },
        ClampRow { "PenWidthHighEdgeKept", 48, "1000", 1000 },
        ClampRow { "PenWidthJustAbove", 48, "1000.0001", 1 }, ClampRow { "PenKindLetters", 33, "abc", 1 },
        ClampRow { "PenKindFiveKept", 33, "5", 5 }, ClampRow { "PenKindSix", 33, "6", 1 },
        ClampRow { "ColorTopKept", 34, "16777215", 16777215 },
        ClampRow { "ColorJustAbove", 34, "16777216", 0 }, ClampRow { "ColorNegative", 34, "-1", 0 },
        ClampRow { "AlphaJustAbove", 40, "256", 255 }, ClampRow { "AlphaZeroKept", 40, "0", 0 },
        ClampRow { "EndStyleArrowKept", 51, "7", 7 }, ClampRow { "EndStyleJustAbove", 51, "8", 0 },
        ClampRow { "EndStylePlainKept", 51, "3", 3 }, ClampRow { "EndStyleNegative", 51, "-1", 0 },
        ClampRow { "HatchJustAbove", 45, "53", 0 }, ClampRow { "AngleJustBelow", 47, "-360.5", 0 },
        ClampRow { "AngleEdgeKept", 47, "360", 360 }, ClampRow { "PointStyleJustAbove", 71, "25", 0 },
        ClampRow { "GridPitchHalf", 76, "0.5", 10 }, ClampRow { "GridPitchJustAbove", 77, "100.5", 10 },
        ClampRow { "GridPitchEmpty", 76, "", 10 },
        ClampRow { "GridOriginUnbounded", 74, "-1E300", -1e300 },
        ClampRow { "GridOriginOverflow", 74, "1E999", 0 },
        ClampRow { "WindowLeftFarOutKept", 5, "-2500", -2500 },
        ClampRow { "WindowLeftTwentyDigits", 1, "99999999999999999999", 192 },
        ClampRow { "WindowTopBinary", 2, "\x8e\xff\x01", 108 },
        ClampRow { "WindowTopNearIntMin", 2, "-2147483647", 108 },
        ClampRow { "WindowWidthIntMax", 3, "2147483647", 397 },
        ClampRow { "WindowHeightZero", 4, "0", 321 },
        ClampRow { "LayerWindowWidthNegative", 31, "-5", 260 },
        ClampRow { "FlagTrueWord", 73, "TRUE", 1 },
        ClampRow { "FlagYesIsFalse", 82, "Y", 0 }, ClampRow { "DivisionJustBelow", 90, "1", 2 },
        ClampRow { "DivisionJustAbove", 90, "101", 2 }, ClampRow { "CornerTypeJustAbove", 91, "7", 0 },
        ClampRow { "CornerSizeNegative", 95, "-0.1", 0 },
        ClampRow { "RatioJustBelow", 108, "0.000009", 1 },
        ClampRow { "RatioJustAbove", 115, "100001", 1 },
        ClampRow { "RatioLowEdgeKept", 127, "1E-5", 0.00001 },
        ClampRow { "CornerCountJustBelow", 122, "2", 6 },
        ClampRow { "CornerCountJustAbove", 122, "361", 6 }, ClampRow { "AnchorJustAbove", 123, "9", 0 },
        ClampRow { "AnchorNegative", 123, "-1", 0 }, ClampRow { "StyleJustAbove", 124, "16", 0 },
        ClampRow { "StyleEdgeKept", 124, "15", 15 }),
    [](const ::testing::TestParamInfo<ClampRow>& info) { return std::string(info.param.name); });

// ---- Files that end early or cannot be written ------------------------------------

TEST_F(SettingsFile, FileOfFortyLinesKeepsTheDefaultsOfTheRest)
{
    const Settings written = distinctSettings();
    ASSERT_TRUE(WriteSettings(m_path.string(), written));
    std::vector<std::string> lines = splitCrLf(readBytes(m_path));
    lines.resize(40);
    writeBytes(m_path, joinCrLf(lines));

    const Settings read = ReadSettings(m_path.string());
    expectSameLines(read, written, 1, 40);
    expectSameLines(read, LoadDefaults(), 41, kSettingsLineCount);
}

TEST_F(SettingsFile, OverlongLineIsCutAndTheFollowingLinesStillRead)
{
    const Settings written = distinctSettings();
    ASSERT_TRUE(WriteSettings(m_path.string(), written));
    std::vector<std::string> lines = splitCrLf(readBytes(m_path));
    lines[45] = std::string(1 << 20, 'a'); // penImageFile
    writeBytes(m_path, joinCrLf(lines));
    const Settings read = ReadSettings(m_path.string());
    EXPECT_LT(read.attributes.penImageFile.size(), size_t(1) << 20);
    expectSameLines(read, written, 47, kSettingsLineCount);
}

TEST_F(SettingsFile, FailedWriteLeavesTheOldFile)
{
    ASSERT_TRUE(WriteSettings(m_path.string(), LoadDefaults()));
    const std::string before = readBytes(m_path);
    fs::path temporary = m_path;
    temporary += ".tmp";
    fs::create_directory(temporary); // the temporary file cannot be made

    EXPECT_FALSE(WriteSettings(m_path.string(), distinctSettings()));
    EXPECT_EQ(readBytes(m_path), before);
    EXPECT_TRUE(fs::is_directory(temporary)) << "what the writer did not make, it leaves";
}

TEST_F(SettingsFile, FailedRenameLeavesNoTemporaryFile)
{
    fs::create_directories(m_path / "occupied"); // a non-empty folder where the file should be
    EXPECT_FALSE(WriteSettings(m_path.string(), LoadDefaults()));
    fs::path temporary = m_path;
    temporary += ".tmp";
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_TRUE(fs::is_directory(m_path / "occupied"));
}

TEST_F(SettingsFile, WriteCreatesAMissingConfigurationFolder)
{
    const fs::path nested = m_dir / "config" / "mirt" / "mirt.dat";
    ASSERT_TRUE(WriteSettings(nested.string(), LoadDefaults()));
    EXPECT_EQ(splitCrLf(readBytes(nested)).size(), 129u);
}

// ---- Where the file lives --------------------------------------------------------

TEST_F(SettingsFile, PathIsBesideTheExecutableWhenThatFolderIsWritable)
{
    EXPECT_EQ(SettingsPath((m_dir / "mirt").string(), "/config"), (m_dir / "mirt.dat").string());
    EXPECT_EQ(SettingsPath((m_dir / "mirt.exe").string(), "/config"), (m_dir / "mirt.dat").string());
}

TEST_F(SettingsFile, PathFallsBackToTheConfigurationFolder)
{
    const fs::path noFolder = m_dir / "absent" / "mirt";
    EXPECT_EQ(SettingsPath(noFolder.string(), (m_dir / "config").string()),
        (m_dir / "config" / "mirt.dat").string());
}

} // namespace
