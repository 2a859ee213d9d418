// UTF-8 <-> CP932 at the storage boundary: what decodes, what encodes, and
// which characters are refused rather than altered.
#include <gtest/gtest.h>

#include "storage/cp932.h"

namespace {

TEST(Cp932Decode, JapaneseAndHalfWidthKatakana)
{
    // "図面" in CP932, then half-width katakana "ｱ".
    EXPECT_EQ(cp932ToUtf8("\x90\x7D\x96\xCA\xB1"), "図面ｱ");
    EXPECT_EQ(cp932ToUtf8("plain ASCII"), "plain ASCII");
}

struct BadBytes {
    const char* name;
    std::string bytes;
    std::string expected;
};

class Cp932DecodeBad : public testing::TestWithParam<BadBytes> {};

TEST_P(Cp932DecodeBad, UndefinedBytesShowAsReplacementCharacters)
{
    EXPECT_EQ(displayText(cp932ToUtf8(GetParam().bytes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, Cp932DecodeBad,
                         testing::Values(BadBytes{"undefinedLeadTakesTheNextByte", "a\x80z", "a\uFFFD"}, BadBytes{"undefinedSingle", "a\xA0z", "a\uFFFDz"},
                                         BadBytes{"leadByteLast", "a\x90", "a\uFFFD"},
                                         BadBytes{"undefinedFF", "\xFF\xFF", "\uFFFD\uFFFD"},
                                         BadBytes{"badTrailIsPartOfThePair", "\x81\x0A" "b", "\uFFFDb"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932Encode, JapaneseRoundTrips)
{
    const std::string text = "ＭＳ ゴシック 図面①㈱ｱ髙";
    std::string bytes;
    ASSERT_TRUE(utf8ToCp932(text, bytes));
    EXPECT_EQ(cp932ToUtf8(bytes), text);
}

TEST(Cp932Encode, CustomaryEquivalentsAreStoredAsTheirFullWidthForms)
{
    std::string bytes;
    ASSERT_TRUE(utf8ToCp932("〜−", bytes));  // WAVE DASH, MINUS SIGN
    EXPECT_EQ(bytes, "\x81\x60\x81\x7C");
    EXPECT_EQ(cp932ToUtf8(bytes), "～－");
}

struct Refused {
    const char* name;
    std::string text;
    char32_t character;
};

class Cp932EncodeRefused : public testing::TestWithParam<Refused> {};

TEST_P(Cp932EncodeRefused, NamesTheCharacterAndLeavesOutputAlone)
{
    std::string out = "kept";
    EncodeFailure failure;
    EXPECT_FALSE(utf8ToCp932(GetParam().text, out, &failure));
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(failure.character, GetParam().character);
}

INSTANTIATE_TEST_SUITE_P(Rows, Cp932EncodeRefused,
                         testing::Values(Refused{"euro", "価格 5€", U'€'}, Refused{"emoji", "a😀", U'😀'},
                                         Refused{"accent", "café", U'é'},
                                         // CP932 would store these as '\' and '~'.
                                         Refused{"yen", "図¥", U'¥'}, Refused{"overline", "図‾", U'‾'},
                                         Refused{"malformedUtf8", "図\xC3", U'\uFFFD'}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932Codec, ReusedCodecConvertsIndependently)
{
    Cp932Codec codec;
    std::string a, b, c;
    EXPECT_FALSE(codec.encode("€", a));
    EXPECT_TRUE(codec.encode("円", b));
    codec.decode(b, c);
    EXPECT_EQ(c, "円");
    EXPECT_EQ(codePointName(U'〜'), "U+301C");
}

}  // namespace
