// The selection highlight: the red-to-white levels over fill and outline,
// the dark-green grips and their erasure, and the blink's level sequence.
#include "model/selection.h"
#include "render/highlight.h"
#include "render_canvas.h"

#include <gtest/gtest.h>

namespace {

using render_test::Canvas;

// A filled, outlined rectangle (20,20)-(80,80), selected alone (grips shown).
void selectFilledRect(Canvas& c)
{
    RectRecord r;
    r.h.fillMode = 2;
    r.x1 = r.y1 = 20;
    r.x2 = r.y2 = 80;
    c.drawing.AppendRect(r);
    ASSERT_TRUE(SelectAll(c.drawing));
    ASSERT_EQ(c.drawing.controlPoints.size(), 4u);
}

struct LevelRow {
    int level;
    int green; // of the pen and the fill, red being 255
};

class HighlightLevel : public testing::TestWithParam<LevelRow> { };

TEST_P(HighlightLevel, FillAndOutlineTakeTheLevelColour)
{
    Canvas c;
    selectFilledRect(c);
    DrawHighlight(c.g, GetParam().level, {}, c.drawing);
    const QRgb expected = qRgb(255, GetParam().green, GetParam().green);
    EXPECT_EQ(c.at(50, 50), expected); // inside: the solid highlight brush
    EXPECT_EQ(c.at(50, 20), expected); // on the outline
}

INSTANTIATE_TEST_SUITE_P(Levels, HighlightLevel,
    testing::Values(LevelRow { 0, 0 }, LevelRow { 1, 31 }, LevelRow { 4, 127 }, LevelRow { 8, 255 }));

TEST(Highlight, GripsAreDarkGreenWhileBlinkingAndWhiteAfterwards)
{
    Canvas c;
    selectFilledRect(c);
    DrawHighlight(c.g, 3, {}, c.drawing);
    // The grip at (80, 20): its square's top edge lies 5 pixels above.
    EXPECT_EQ(c.at(80, 15), qRgb(0, 128, 0));
    EXPECT_EQ(c.at(75, 10), render_test::kWhite); // outside the square
    ASSERT_TRUE(c.g.Begin(&c.image));
    DrawHighlight(c.g, -1, {}, c.drawing);
    EXPECT_EQ(c.at(80, 15), render_test::kWhite);
}

TEST(Highlight, DrawsOnlyTheSelection)
{
    Canvas c;
    c.drawing.AppendLine(LineRecord { .h = {}, .x1 = 0, .y1 = 100, .x2 = 100, .y2 = 100 });
    RectRecord r;
    r.h.fillMode = 1;
    r.x1 = r.y1 = 20;
    r.x2 = r.y2 = 80;
    c.drawing.AppendRect(r);
    ASSERT_TRUE(SelectRegistrySpan(c.drawing, 1, 1));
    DrawHighlight(c.g, 0, {}, c.drawing);
    EXPECT_EQ(c.at(50, 100), render_test::kWhite); // the unselected line is not drawn
    EXPECT_EQ(c.at(50, 50), qRgb(255, 0, 0));
}

TEST(BlinkLevel, RisesToEightTwiceThenFallsToZeroOnce)
{
    BlinkLevel b;
    std::vector<int> drawn;
    for (int i = 0; i < 20; ++i) {
        drawn.push_back(b.level);
        b.step();
    }
    const std::vector<int> expected { 0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2 };
    EXPECT_EQ(drawn, expected);
}

} // namespace
