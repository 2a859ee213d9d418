// Strings whose bytes are no CP932 character (undefined bytes, a lead byte
// standing last or before a blank, the NEC/IBM duplicate codes) come back
// from a drawing or settings file byte for byte, in every kind of string; the
// text helpers treat them as the file's one- and two-byte characters.
#include "geometry/func.h"
#include "model/hit_test.h"
#include "storage/cp932.h"
#include "storage/files.h"
#include "storage/settings.h"
#include "storage_fixtures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct OddBytes {
    const char* name;
    std::string bytes;
};

const OddBytes kOddBytes[] = {
    { "leadByteLast", "A\x82" }, { "leadByteBeforeBlank", "\x81 x" }, { "undefined80", "a\x80z" },
    { "undefinedA0", "\xA0" }, { "undefinedFDtoFF", "\xFD\xFE\xFF" }, { "necDuplicate879A", "\x87\x9A" },
    { "ibmDuplicateFA5B", "\xFA\x5B" }, { "necIbmEEEF", "\xEE\xEF" }, { "ibmNotSignFA54", "\xFA\x54" },
    { "unmappedPair", "\x85\x40" }, { "carriageReturnInside", "a\rb" },
    { "mixedWithJapanese", "\x90\x7D\x80\x96\xCA" }, // 図 0x80 面
};

std::string rowName(const testing::TestParamInfo<OddBytes>& info)
{
    return info.param.name;
}

// ---- The codec --------------------------------------------------------------

class KeptBytesCodec : public testing::TestWithParam<OddBytes> { };

TEST_P(KeptBytesCodec, DecodeThenEncodeForFileGivesTheSameBytes)
{
    Cp932Codec codec;
    std::string text, back;
    codec.decode(GetParam().bytes, text);
    ASSERT_TRUE(codec.encodeFile(text, back));
    EXPECT_EQ(back, GetParam().bytes);
}

TEST_P(KeptBytesCodec, TheTextAsTypedIsRefusedNamingTheKeptCharacter)
{
    const std::string text = cp932ToUtf8(GetParam().bytes);
    std::string out;
    EncodeFailure failure;
    EXPECT_FALSE(utf8ToCp932(text, out, &failure));
    EXPECT_TRUE(out.empty());
    EXPECT_GE(failure.character, char32_t { 0x100000 });
    EXPECT_EQ(failure.utf8.find('\xF4'), std::string::npos) << "the message shows the display form";
}

INSTANTIATE_TEST_SUITE_P(Rows, KeptBytesCodec, testing::ValuesIn(kOddBytes), rowName);

struct Shown {
    const char* name;
    std::string bytes;
    std::string display;
};

class KeptBytesDisplay : public testing::TestWithParam<Shown> { };

TEST_P(KeptBytesDisplay, DuplicatesShowTheirCharacterOtherBytesTheReplacement)
{
    EXPECT_EQ(displayText(cp932ToUtf8(GetParam().bytes)), GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeptBytesDisplay,
    testing::Values(Shown { "necDuplicate", "\x87\x9A", "∵" }, Shown { "ibmDuplicate", "\xFA\x5B", "∵" },
        Shown { "necIbmRoman", "\xEE\xEF", "ⅰ" }, Shown { "leadByteLast", "A\x82", "A\uFFFD" },
        Shown { "leadBeforeBlank", "\x81 x", "\uFFFDx" }, Shown { "undefined", "\x80z\xFF", "\uFFFD\uFFFD" },
        Shown { "japanese", "\x90\x7D", "図" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeptBytesCodec, CanonicalCodesDecodeToTheirCharacters)
{
    // 0x81E6 is the canonical code of the character 0x879A and 0xFA5B duplicate.
    EXPECT_EQ(cp932ToUtf8("\x81\xE6"), "∵");
    std::string bytes;
    ASSERT_TRUE(utf8ToCp932("∵ⅰ", bytes));
    EXPECT_EQ(bytes, "\x81\xE6\xFA\x40");
}

TEST(KeptBytesCodec, FileEncodingNeverWritesALineFeedOrPlainByteFromAKeptCharacter)
{
    Cp932Codec codec;
    std::string out;
    EncodeFailure failure;
    EXPECT_FALSE(codec.encodeFile("\xF4\x88\x80\x8A", out, &failure)); // U+10800A: 0x80 then LF
    EXPECT_FALSE(codec.encodeFile("\xF4\x80\x81\x81", out, &failure)); // U+100041: a plain 'A'
    EXPECT_FALSE(codec.encodeFile("a\nb", out, &failure));
    EXPECT_EQ(failure.character, U'\n');
    EXPECT_TRUE(out.empty());
}

// ---- Edits of the shown text ---------------------------------------------------

struct ShownEdit {
    const char* name;
    std::string bytes; // the string as read
    std::string edited; // its shown form after the edit, UTF-8
    std::string saved; // the bytes the edited string saves as
    std::string typed; // the part checked as typed
};

class KeptBytesEdit : public testing::TestWithParam<ShownEdit> { };

TEST_P(KeptBytesEdit, KeepsTheBytesOutsideTheEditedPart)
{
    const EditedText edit = applyShownEdit(cp932ToUtf8(GetParam().bytes), GetParam().edited);
    std::string saved; // empty when the edit cannot be saved
    EXPECT_EQ(Cp932Codec().encodeFile(edit.text, saved), !GetParam().saved.empty());
    EXPECT_EQ(saved, GetParam().saved);
    EXPECT_EQ(edit.typed, GetParam().typed);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeptBytesEdit,
    testing::Values(ShownEdit { "unchanged", "A\x82", "A\uFFFD", "A\x82", "" },
        ShownEdit { "typedAfter", "A\x82", "A\uFFFDB", "A\x82" "B", "B" },
        ShownEdit { "typedBetween", "a\xA0" "b\xFF", "a\uFFFDXb\uFFFD", "a\xA0Xb\xFF", "X" },
        ShownEdit { "replacementDeleted", "a\xA0" "b", "ab", "ab", "" },
        ShownEdit { "replacementPasted", "ab", "a\uFFFD" "b", "", "\uFFFD" },
        ShownEdit { "duplicateKeptTypedCanonical", "\xFA\x5B", "∵∵", "\xFA\x5B\x81\xE6", "∵" },
        ShownEdit { "allReplaced", "\x80z", "new", "new", "new" },
        ShownEdit { "typedAtBothEndsAndBetween", "\xA0" "b\xFF", "X\uFFFDYb\uFFFDZ", "X\xA0Yb\xFFZ", "XYZ" },
        ShownEdit { "letterBetweenSignsDeleted", "\xA0" "b\xFF", "\uFFFD\uFFFD", "\xA0\xFF", "" },
        ShownEdit { "oneSignMoreThanKept", "\xA0", "\uFFFD\uFFFD", "", "\uFFFD" }),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Text helpers on file bytes ----------------------------------------------

struct StripBytes {
    const char* name;
    std::string bytes;
    std::string expected;
};

class KeptBytesStripBlanks : public testing::TestWithParam<StripBytes> { };

TEST_P(KeptBytesStripBlanks, WorksOnTheFileBytes)
{
    std::string stripped;
    ASSERT_TRUE(Cp932Codec().encodeFile(StripBlanks(cp932ToUtf8(GetParam().bytes)), stripped));
    EXPECT_EQ(stripped, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeptBytesStripBlanks,
    testing::Values(StripBytes { "trailingLeadByteKept", "\x41\x20\x82", "\x41\x82" },
        StripBytes { "blankAfterLeadIsItsSecondByte", "\x81\x20\x78", "\x81\x20\x78" },
        StripBytes { "fullWidthSpaceRemoved", "1\x81\x40 2", "12" },
        StripBytes { "keptCarriageReturnIsABlank", "1\r", "1" },
        StripBytes { "duplicateCopiedWhole", " \xFA\x5B ", "\xFA\x5B" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeptBytesTextToBool, KeptCarriageReturnIsStripped)
{
    EXPECT_TRUE(TextToBool(cp932ToUtf8("1\r")));
    EXPECT_FALSE(TextToBool(cp932ToUtf8("\x81 1"))); // 0x81 0x20 is one character
}

// ---- Drawing file -------------------------------------------------------------

// The every-kind drawing with a marker in each kind of string, written.
std::string markedDrawing()
{
    Drawing d;
    fillEveryKind(d);
    d.layers[3].name = "@LAYER@";
    d.attributes.penImage[0].fileName = "@PENFILE@";
    d.attributes.brushImage[0].fileName = "@BRUSHFILE@";
    d.tables.texts[0].fontName = "@FONT@";
    d.tables.texts[0].text = "@TEXT@";
    std::string bytes;
    EXPECT_TRUE(WriteDrawingText(d, { 320, 240 }, bytes).ok());
    return bytes;
}

void replace(std::string& s, std::string_view marker, std::string_view with)
{
    const size_t at = s.find(marker);
    ASSERT_NE(at, std::string::npos) << marker;
    s.replace(at, marker.size(), with);
}

class KeptBytesDrawingFile : public testing::TestWithParam<OddBytes> { };

TEST_P(KeptBytesDrawingFile, EveryKindOfStringRoundTripsByteForByte)
{
    std::string file = markedDrawing();
    for (const char* marker : { "@LAYER@", "@PENFILE@", "@BRUSHFILE@", "@FONT@", "@TEXT@" })
        replace(file, marker, std::string(marker, 2) + GetParam().bytes);
    Drawing d;
    ASSERT_TRUE(ReadDrawingText(d, file).ok());
    std::string again;
    const FileResult result = WriteDrawingText(d, { 320, 240 }, again);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(again, file);
}

TEST_P(KeptBytesDrawingFile, SavedToDiskAndOpenedAgainUnchanged)
{
    std::string file = markedDrawing();
    replace(file, "@TEXT@", GetParam().bytes);
    const std::string dir = makeTempDir();
    ASSERT_TRUE(writeBytes(dir + "/in.mt", file));
    Drawing d;
    ASSERT_TRUE(ReadDrawing(dir + "/in.mt", d).ok());
    ASSERT_TRUE(WriteDrawing(dir + "/out.mt", d, { 320, 240 }).ok());
    EXPECT_EQ(readBytes(dir + "/out.mt"), file);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeptBytesDrawingFile, testing::ValuesIn(kOddBytes), rowName);

TEST(KeptBytesTextElement, KeepsTheStoredBoxAndIsHitInsideIt)
{
    std::string file = markedDrawing();
    replace(file, "@TEXT@", "A \x82\x80");
    Drawing d;
    ASSERT_TRUE(ReadDrawingText(d, file).ok());
    ASSERT_EQ(d.tables.texts.size(), 1u);
    const TextRecord& t = d.tables.texts[0];
    EXPECT_EQ((std::array { t.boxA, t.boxB, t.boxC, t.boxD }), (std::array { -1.0, 2.0, 60.0, 16.0 }));
    const double a = DegToRad(t.angle), u = 30, v = 8; // the box's middle, in its own frame
    const PointD inside { t.boxA + u * std::cos(a) - v * std::sin(a),
        t.boxB - (u * std::sin(a) + v * std::cos(a)) };
    for (const ElementRef& ref : d.registry)
        if (ref.kind == static_cast<int32_t>(ElementKind::Text)) {
            EXPECT_TRUE(HitTestElement(d, ref, 1, inside));
            EXPECT_FALSE(HitTestElement(d, ref, 1, { inside.x + 200, inside.y }));
        }
}

// ---- Settings file --------------------------------------------------------------

class KeptBytesSettingsFile : public testing::TestWithParam<OddBytes> { };

TEST_P(KeptBytesSettingsFile, StringLinesRoundTripByteForByte)
{
    Settings s;
    s.construction.fontName = "@FONT@";
    s.construction.text = "@TEXT@";
    s.openDialogFolder = "@OPEN@";
    s.saveDialogFolder = "@SAVE@";
    const std::string dir = makeTempDir();
    // Written, read and written again: values reading puts in range settle.
    ASSERT_TRUE(WriteSettings(dir + "/a.dat", s));
    ASSERT_TRUE(WriteSettings(dir + "/a.dat", ReadSettings(dir + "/a.dat")));
    std::string file = readBytes(dir + "/a.dat");
    for (const char* marker : { "@FONT@", "@TEXT@", "@OPEN@", "@SAVE@" })
        replace(file, marker, std::string("/") + GetParam().bytes);
    ASSERT_TRUE(writeBytes(dir + "/b.dat", file));
    std::vector<std::string> lost;
    ASSERT_TRUE(WriteSettings(dir + "/c.dat", ReadSettings(dir + "/b.dat"), &lost));
    EXPECT_TRUE(lost.empty());
    EXPECT_EQ(readBytes(dir + "/c.dat"), file);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeptBytesSettingsFile, testing::ValuesIn(kOddBytes), rowName);

} // namespace
