// Numbers in the drawing file: reals agree with printf's "%.15g" (in the
// file's exponent spelling) and both spellings read back.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "storage/number_text.h"

namespace {

std::string format(double v)
{
    char buffer[kNumberTextCapacity];
    return std::string(buffer, formatReal(buffer, v));
}

// printf's text with its exponent respelt: "1.5e+20" -> "1.5E20".
std::string printfReference(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    std::string s = buffer;
    const size_t e = s.find('e');
    if (e == std::string::npos)
        return s;
    return s.substr(0, e) + "E" + std::to_string(std::stoi(s.substr(e + 1)));
}

struct RealRow {
    const char* name;
    double value;
    const char* text;
};

class RealFormat : public testing::TestWithParam<RealRow> {};

TEST_P(RealFormat, WritesTheFileSpelling) { EXPECT_EQ(format(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Rows, RealFormat,
    testing::Values(RealRow{"half", 0.5, "0.5"}, RealRow{"hundred", 100, "100"}, RealRow{"small", 1e-6, "1E-6"},
                    RealRow{"large", 1.5e20, "1.5E20"}, RealRow{"negative", -0.25, "-0.25"},
                    RealRow{"zero", 0, "0"}, RealRow{"tenth", 0.1, "0.1"},
                    RealRow{"noiseRoundsAway", 0.1 + 0.2, "0.3"}, RealRow{"fifteenDigits", 123456789012345, "123456789012345"},
                    RealRow{"sixteenDigits", 1234567890123456, "1.23456789012346E15"},
                    RealRow{"carryIntoNewDigit", 999999999999999.9, "1E15"},
                    RealRow{"smallestPlain", 0.0001, "0.0001"}, RealRow{"negativeExponent", -2.5e-7, "-2.5E-7"},
                    RealRow{"infinityWritesZero", std::numeric_limits<double>::infinity(), "0"},
                    RealRow{"nanWritesZero", std::nan(""), "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RealFormat, AgreesWithPrintfOnRandomBitPatterns)
{
    std::mt19937_64 rng(7);
    for (int i = 0; i < 200000; ++i) {
        const double v = std::bit_cast<double>(rng());
        if (!std::isfinite(v))
            continue;
        ASSERT_EQ(format(v), printfReference(v)) << std::hexfloat << v;
    }
}

TEST(RealFormat, AgreesWithPrintfOnDrawingValuesAndTies)
{
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> coordinate(-5000, 5000);
    for (int i = 0; i < 200000; ++i) {
        const double v = coordinate(rng);
        ASSERT_EQ(format(v), printfReference(v)) << std::hexfloat << v;
        // Sixteen-digit values ending in 5: the rounding tie case.
        const double tie = std::stod(std::to_string(rng() % 9000000000000000 + 1000000000000000) + "5e-10");
        ASSERT_EQ(format(tie), printfReference(tie)) << std::hexfloat << tie;
    }
}

TEST(RealParse, ReadsBothSpellingsAndFallsBackToZero)
{
    EXPECT_EQ(parseReal("1E-6"), 1e-6);
    EXPECT_EQ(parseReal("1.5e+20"), 1.5e20);
    EXPECT_EQ(parseReal("-0.25"), -0.25);
    EXPECT_EQ(parseReal("+2"), 2);
    EXPECT_EQ(parseReal(""), 0);
    EXPECT_EQ(parseReal("abc"), 0);
    EXPECT_EQ(parseReal("12abc"), 0);
    EXPECT_EQ(parseReal("inf"), 0);
    EXPECT_EQ(parseReal("nan"), 0);
    EXPECT_EQ(parseReal("1e999"), 0);
}

TEST(IntParse, ReadsDecimalAndFallsBackToZero)
{
    EXPECT_EQ(parseInt("16777215"), 16777215);
    EXPECT_EQ(parseInt("-1"), -1);
    EXPECT_EQ(parseInt(" 7"), 7);
    EXPECT_EQ(parseInt("12a"), 0);
    EXPECT_EQ(parseInt("99999999999"), 0);
    EXPECT_EQ(parseInt(""), 0);
}

}  // namespace
