// The outcode's bits and its 1e-12 edge margin.
#include <gtest/gtest.h>

#include <limits>

#include "model/clipping.h"

namespace {

struct OutCase {
    const char* name;
    double x, y;
    int code;
};

class OutCodes : public ::testing::TestWithParam<OutCase> {};

// Box x 0..10, y 0..20.
TEST_P(OutCodes, BitsNameTheSidesOutside)
{
    const OutCase& c = GetParam();
    EXPECT_EQ(OutCode(c.x, c.y, 0, 0, 10, 20), c.code);
    EXPECT_EQ(PointOutside(c.x, c.y, 0, 0, 10, 20), c.code ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Points, OutCodes,
    ::testing::Values(OutCase{"Inside", 5, 10, 0}, OutCase{"AboveYmax", 5, 25, 8},
                      OutCase{"BelowYmin", 5, -1, 4}, OutCase{"RightOfXmax", 11, 10, 2},
                      OutCase{"LeftOfXmin", -1, 10, 1}, OutCase{"CornerBeyondBoth", 11, 25, 10},
                      OutCase{"OnRightEdge", 10, 10, 2}, OutCase{"WithinMarginOfRightEdge", 10 - 5e-13, 10, 2},
                      OutCase{"JustBeyondMarginOfRightEdge", 10 - 1e-11, 10, 0},
                      OutCase{"WithinMarginOfYmin", 5, 5e-13, 4},
                      OutCase{"NotANumberIsEverywhereOutside", std::numeric_limits<double>::quiet_NaN(), 10, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutCode, DegenerateBoxHasNoInside)
{
    EXPECT_EQ(PointOutside(5, 5, 5, 5, 5, 5), 2);
    EXPECT_EQ(OutCode(5, 5, 5, 5, 5, 5), 15);
}

}  // namespace
