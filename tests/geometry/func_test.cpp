// Text conversions, rounding, angles and rotation of the geometry kernel.
#include "geometry/func.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>

namespace {

constexpr double kPi = std::numbers::pi;

std::string rowName(std::string name)
{
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

// ---- TextToInt --------------------------------------------------------------

struct IntRow {
    const char* name;
    const char* text;
    int expected;
};

class FuncTextToInt : public testing::TestWithParam<IntRow> { };

TEST_P(FuncTextToInt, WholeTextOrZero)
{
    EXPECT_EQ(TextToInt(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FuncTextToInt,
    testing::Values(IntRow { "empty", "", 0 }, IntRow { "plain", "42", 42 },
        IntRow { "leading blanks and minus", "  -7", -7 }, IntRow { "plus sign", "+5", 5 },
        IntRow { "trailing letter", "12a", 0 }, IntRow { "trailing blank", "12 ", 0 },
        IntRow { "full-width digit", "\xEF\xBC\x91", 0 }, IntRow { "out of int range", "99999999999", 0 },
        IntRow { "decimal point", "1.5", 0 }, IntRow { "sign alone", "-", 0 },
        IntRow { "two signs", "+-3", 0 }, IntRow { "int minimum", "-2147483648", INT32_MIN }),
    [](const auto& info) { return rowName(info.param.name); });

TEST(FuncTextClamped, UpperBoundAppliedLast)
{
    EXPECT_EQ(TextToIntClamped("", 1, 100), 1);
    EXPECT_EQ(TextToIntClamped("250", 1, 100), 100);
    EXPECT_EQ(TextToIntClamped("12a", 1, 100), 1);
    EXPECT_EQ(TextToIntClamped("37", 1, 100), 37);
    EXPECT_EQ(TextToIntClamped("50", 10, 5), 5); // lo > hi: hi wins
    EXPECT_EQ(TextToFloatClamped("", 0.001, 1000), 0.001);
    EXPECT_EQ(TextToFloatClamped("5000", 0.001, 1000), 1000);
    EXPECT_EQ(TextToFloatClamped("50", 10, 5), 5);
}

// ---- TextToFloat ------------------------------------------------------------

struct FloatRow {
    const char* name;
    const char* text;
    double expected;
};

class FuncTextToFloat : public testing::TestWithParam<FloatRow> { };

TEST_P(FuncTextToFloat, DecimalOrZero)
{
    EXPECT_EQ(TextToFloat(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FuncTextToFloat,
    testing::Values(FloatRow { "empty", "", 0 }, FloatRow { "plain", "2.5", 2.5 },
        FloatRow { "exponent", "-1e3", -1000 }, FloatRow { "leading point", " .5", 0.5 },
        FloatRow { "trailing point", "5.", 5 }, FloatRow { "plus sign", "+3", 3 },
        FloatRow { "comma as point", "1,5", 0 }, FloatRow { "inf", "inf", 0 }, FloatRow { "nan", "nan", 0 },
        FloatRow { "overflow", "1e400", 0 }, FloatRow { "hex", "0x10", 0 },
        FloatRow { "trailing blank", "2.5 ", 0 }, FloatRow { "two points", "1.2.3", 0 },
        FloatRow { "full-width digits", "\xEF\xBC\x92\xEF\xBC\x8E\xEF\xBC\x95", 0 }),
    [](const auto& info) { return rowName(info.param.name); });

// ---- TextToBool and StripBlanks ---------------------------------------------

struct BoolRow {
    const char* name;
    const char* text;
    bool expected;
};

class FuncTextToBool : public testing::TestWithParam<BoolRow> { };

TEST_P(FuncTextToBool, LenientWords)
{
    EXPECT_EQ(TextToBool(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FuncTextToBool,
    testing::Values(BoolRow { "on with blanks", " on ", true }, BoolRow { "t", "t", true },
        BoolRow { "True", "True", true }, BoolRow { "tru split by blank", "tR u", true },
        BoolRow { "one", "1", true }, BoolRow { "full-width one", "\xEF\xBC\x91", true },
        BoolRow { "circle", "\xE2\x97\x8B", true }, BoolRow { "shin", "\xE7\x9C\x9F", true },
        BoolRow { "sei", "\xE6\xAD\xA3", true },
        BoolRow { "on between full-width spaces", "\xE3\x80\x80on\t\xE3\x80\x80", true },
        BoolRow { "zero", "0", false }, BoolRow { "F", "F", false }, BoolRow { "empty", "", false },
        BoolRow { "Y", "Y", false }, BoolRow { "YES", "YES", false }, BoolRow { "minus one", "-1", false },
        BoolRow { "TRUEX", "TRUEX", false }, BoolRow { "full-width ON", "\xEF\xBC\xAF\xEF\xBC\xAE", false }),
    [](const auto& info) { return rowName(info.param.name); });

struct StripRow {
    const char* name;
    std::string text;
    std::string expected;
};

class FuncStripBlanks : public testing::TestWithParam<StripRow> { };

TEST_P(FuncStripBlanks, RemovesBlanksAnywhere)
{
    EXPECT_EQ(StripBlanks(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FuncStripBlanks,
    testing::Values(StripRow { "mixed spaces",
                        "1\xE3\x80\x80"
                        "2 3",
                        "123" },
        StripRow { "only blanks and controls", " \t\r\n\x01\xE3\x80\x80", "" }, StripRow { "empty", "", "" },
        StripRow { "kana kept whole", "\xE3\x81\x82 \xE3\x81\x84", "\xE3\x81\x82\xE3\x81\x84" },
        // U+3020 shares two bytes with the full-width space and must stay.
        StripRow { "near miss of full-width space", "\xE3\x80\xA0", "\xE3\x80\xA0" },
        StripRow { "two full-width spaces",
            "a\xE3\x80\x80\xE3\x80\x80"
            "b",
            "ab" },
        StripRow { "truncated character at end", "x \xE3\x80", "x\xE3\x80" },
        StripRow { "embedded nul", std::string("a\0b", 3), "ab" }),
    [](const auto& info) { return rowName(info.param.name); });

// ---- SnapToStep, Round10, Quantize6 -----------------------------------------

struct SnapRow {
    const char* name;
    double value, origin, step, expected;
};

class FuncSnapToStep : public testing::TestWithParam<SnapRow> { };

TEST_P(FuncSnapToStep, NearestGridLine)
{
    const SnapRow& r = GetParam();
    EXPECT_DOUBLE_EQ(SnapToStep(r.value, r.origin, r.step), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FuncSnapToStep,
    testing::Values(SnapRow { "half up", 7.5, 0, 5, 10 }, SnapRow { "half down", -7.5, 0, 5, -10 },
        SnapRow { "on line with origin", 12, 2, 5, 12 }, SnapRow { "below half", 2.4, 0, 5, 0 },
        SnapRow { "negative", -2.6, 0, 5, -5 }, SnapRow { "origin shifts grid", 4.6, 1.5, 2, 5.5 },
        SnapRow { "zero step leaves value", 3.3, 1, 0, 3.3 },
        SnapRow { "negative step leaves value", 3.3, 1, -2, 3.3 }),
    [](const auto& info) { return rowName(info.param.name); });

TEST(FuncRound10, RemovesNoiseBelowTenthOfNano)
{
    EXPECT_EQ(Round10(90 + 1e-13), 90.0);
    EXPECT_EQ(Round10(std::nextafter(90.0, 0.0)), 90.0);
    EXPECT_EQ(Round10(-45.00000000001), -45.0);
    EXPECT_EQ(Round10(0.12345678901234), 0.123456789);
    EXPECT_EQ(Round10(1.23456789016), 1.2345678902);
    EXPECT_FALSE(std::signbit(Round10(-0.25e-10)));
    EXPECT_EQ(Round10(1e300), 1e300); // no overflow to infinity
}

TEST(FuncQuantize6, LopsidedZeroWindow)
{
    EXPECT_EQ(Quantize6(0), 0);
    EXPECT_EQ(Quantize6(0.4e-6), 0);
    EXPECT_EQ(Quantize6(-1.4e-6), 0);
    EXPECT_NE(Quantize6(0.6e-6), 0);
    EXPECT_NE(Quantize6(-1.6e-6), 0);
    EXPECT_DOUBLE_EQ(Quantize6(2.3456789), 2.345679);
}

// ---- Angles -----------------------------------------------------------------

TEST(FuncVectorAngle, DeadZoneAndRange)
{
    EXPECT_EQ(VectorAngle(0, 0), 0);
    EXPECT_EQ(VectorAngle(1e-11, -1e-11), 0);
    EXPECT_DOUBLE_EQ(VectorAngle(0, -1), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(VectorAngle(-1, 0), kPi);
    EXPECT_NE(VectorAngle(2e-10, 0), VectorAngle(0, 2e-10)); // outside the dead zone
    // A direction a hair below +x must not come out as a full turn.
    EXPECT_LT(VectorAngle(1, -1e-300), 2 * kPi);
    EXPECT_EQ(VectorAngleDeg(-1, 0), 180);
    EXPECT_EQ(VectorAngleDeg(1, 1), 45);
    EXPECT_EQ(VectorAngleDeg(1, -1e-15), 0);
    EXPECT_EQ(VectorAngleDeg(0, -1), 270);
}

struct NormalizeRow {
    const char* name;
    double angle, expected;
};

class FuncNormalizeDeg : public testing::TestWithParam<NormalizeRow> { };

TEST_P(FuncNormalizeDeg, IntoOneTurn)
{
    EXPECT_DOUBLE_EQ(NormalizeDeg(GetParam().angle), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FuncNormalizeDeg,
    testing::Values(NormalizeRow { "minus thirty", -30, 330 }, NormalizeRow { "full turn", 360, 0 },
        NormalizeRow { "minus two turns", -720, 0 }, NormalizeRow { "two turns plus", 725, 5 },
        NormalizeRow { "tiny negative", -1e-14, 0 }, NormalizeRow { "minus 370", -370, 350 },
        NormalizeRow { "nan", std::numeric_limits<double>::quiet_NaN(), 0 },
        NormalizeRow { "infinity", std::numeric_limits<double>::infinity(), 0 }),
    [](const auto& info) { return rowName(info.param.name); });

struct SweepRow {
    const char* name;
    double angle, start, sweep;
    bool expected;
};

class FuncAngleInSweep : public testing::TestWithParam<SweepRow> { };

TEST_P(FuncAngleInSweep, EndsInclusive)
{
    const SweepRow& r = GetParam();
    EXPECT_EQ(AngleInSweep(r.angle, r.start, r.sweep), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FuncAngleInSweep,
    testing::Values(SweepRow { "negative sweep over zero", 350, 30, -60, true },
        SweepRow { "end inclusive", 30, 330, 60, true }, SweepRow { "just past end", 31, 330, 60, false },
        SweepRow { "just before start", 329, 330, 60, false },
        SweepRow { "start inclusive", 330, 330, 60, true },
        SweepRow { "angle given negative", -30, 330, 60, true }, SweepRow { "full turn", 123, 10, 360, true },
        SweepRow { "zero sweep at start", 45, 45, 0, true },
        SweepRow { "zero sweep elsewhere", 46, 45, 0, false },
        SweepRow { "negative sweep end", -90, 0, -90, true }),
    [](const auto& info) { return rowName(info.param.name); });

// Differential: walk every whole degree of the arc and compare.
TEST(FuncAngleInSweep, AgreesWithWalkingTheArc)
{
    for (int start = -400; start <= 400; start += 37) {
        for (int sweep = -390; sweep <= 390; sweep += 29) {
            bool covered[360] = {};
            const int step = sweep < 0 ? -1 : 1;
            for (int j = 0; j != sweep + step && std::abs(j) <= 360; j += step)
                covered[static_cast<int>(NormalizeDeg(start + j))] = true;
            for (int angle = 0; angle < 360; angle += 7)
                EXPECT_EQ(AngleInSweep(angle, start, sweep), covered[angle])
                    << angle << " in " << start << " + " << sweep;
        }
    }
}

// ---- Rotation ---------------------------------------------------------------

TEST(FuncRotatePoint, QuarterTurnTowardsPlusY)
{
    const PointD p = RotatePointDeg({ 1, 0 }, { 0, 0 }, 90);
    EXPECT_NEAR(p.x, 0, 1e-15);
    EXPECT_NEAR(p.y, 1, 1e-15);
}

TEST(FuncRotatePoint, KeepsDistanceAndUndoes)
{
    const PointD c { 3.5, -2 };
    for (double deg = -720; deg <= 720; deg += 33.3) {
        const PointD p { 7.25, 1.5 };
        const PointD r = RotatePointDeg(p, c, deg);
        EXPECT_NEAR(Distance(r, c), Distance(p, c), 1e-12);
        EXPECT_EQ(r.x, RotateX(p, c, DegToRad(deg)));
        EXPECT_EQ(r.y, RotateY(p, c, DegToRad(deg)));
        const PointD back = RotatePointDeg(r, c, -deg);
        EXPECT_NEAR(back.x, p.x, 1e-12);
        EXPECT_NEAR(back.y, p.y, 1e-12);
    }
}

} // namespace
