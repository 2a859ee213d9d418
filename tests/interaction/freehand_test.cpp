// The freehand stroke-to-vertex reduction with its 4-degree rule.
#include "interaction/freehand.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/func.h"

namespace {

// Samples every 10 units from start along a direction (degrees, y down).
void walk(std::vector<PointD>& s, double directionDeg, int steps)
{
    const double a = DegToRad(directionDeg);
    for (int i = 0; i < steps; ++i) {
        const PointD last = s.back();
        s.push_back({last.x + 10 * std::cos(a), last.y + 10 * std::sin(a)});
    }
}

TEST(FreehandVertices, TooFewSamplesGiveNoVertices)
{
    EXPECT_TRUE(FreehandVertices(std::vector<PointD>{}).empty());
    EXPECT_TRUE(FreehandVertices(std::vector<PointD>{{3, 4}}).empty());
    const std::vector<PointD> two{{0, 0}, {10, 5}};
    EXPECT_EQ(FreehandVertices(two), two);
}

TEST(FreehandVertices, StraightDragGivesItsFirstAndLastSamples)
{
    std::vector<PointD> s{{5, 5}};
    walk(s, 33, 50);
    const std::vector<PointD> v = FreehandVertices(s);
    EXPECT_EQ(v, (std::vector<PointD>{s.front(), s.back()}));
}

struct BendRow {
    const char* name;
    double bendDeg;
    size_t vertices;
};

class FreehandBend : public testing::TestWithParam<BendRow> { };

// Two steps east, then thirty steps turned by the bend: below 4 degrees the
// stroke stays one segment.
TEST_P(FreehandBend, VertexOnlyFromFourDegrees)
{
    std::vector<PointD> s{{0, 0}};
    walk(s, 0, 2);
    walk(s, GetParam().bendDeg, 30);
    const std::vector<PointD> v = FreehandVertices(s);
    EXPECT_EQ(v.size(), GetParam().vertices);
    EXPECT_EQ(v.front(), s.front());
    EXPECT_EQ(v.back(), s.back());
}

INSTANTIATE_TEST_SUITE_P(Rows, FreehandBend,
    testing::Values(BendRow{"bend_3_9", 3.9, 2}, BendRow{"bend_5", 5, 3}, BendRow{"bend_90", 90, 3},
                    BendRow{"bend_minus_90", -90, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// A gentle bend is noticed only once the direction from the last vertex has
// turned too: the vertex is a later sample than the corner.
TEST(FreehandVertices, GentleBendKeepsASampleAfterTheCorner)
{
    std::vector<PointD> s{{0, 0}};
    walk(s, 0, 2);
    walk(s, 6, 30);
    const std::vector<PointD> v = FreehandVertices(s);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_GT(v[1].x, s[4].x);
}

TEST(FreehandVertices, SharpCornerIsTheSampleBeforeTheTurn)
{
    std::vector<PointD> s{{0, 0}};
    walk(s, 0, 5);
    walk(s, 90, 5);
    const std::vector<PointD> v = FreehandVertices(s);
    EXPECT_EQ(v, (std::vector<PointD>{s[0], s[5], s[10]}));
}

// A turn at the very last step replaces the vertex it kept by the last sample.
TEST(FreehandVertices, TurnAtTheLastStepEndsOnTheLastSample)
{
    std::vector<PointD> s{{0, 0}};
    walk(s, 0, 5);
    walk(s, 90, 1);
    EXPECT_EQ(FreehandVertices(s), (std::vector<PointD>{s[0], s[6]}));
}

}  // namespace
