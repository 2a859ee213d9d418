// The text record placed at a click: the dialog's values and the box the
// render engine lays out at that point.
#include "interaction/build_text.h"

#include <gtest/gtest.h>

#include "geometry/func.h"
#include "render/renderers.h"

namespace {

ConstructionParameters textParams(int anchor, double angle)
{
    ConstructionParameters p;
    p.text = "Mirt 文字";
    p.textSize = 24;
    p.textAnchor = anchor;
    p.textAngleDeg = angle;
    p.textRatioX = 1.5;
    p.textStyle = 1 | 8;
    return p;
}

TEST(TextAt, CarriesTheDialogValuesAndTheMeasuredBox)
{
    const TextRecord t = TextAt(TextOf(textParams(4, 30)), {100, 50});
    EXPECT_EQ(t.x, 100);
    EXPECT_EQ(t.y, 50);
    EXPECT_EQ(t.anchor, 4);
    EXPECT_EQ(t.fontStyle, 9);
    EXPECT_EQ(t.size, 24);
    EXPECT_EQ(t.angle, 30);
    EXPECT_EQ(t.xRatio, 1.5);
    EXPECT_EQ(t.text, "Mirt 文字");
    const StoredTextBox box = MeasureTextBox(t);
    EXPECT_GT(box.c, 24);
    EXPECT_GT(box.d, 20);
    EXPECT_EQ(t.boxA, box.a);
    EXPECT_EQ(t.boxB, box.b);
    EXPECT_EQ(t.boxC, box.c);
    EXPECT_EQ(t.boxD, box.d);
}

// The box corners: the middle anchor lies at the centre of the box.
TEST(TextBoxCorners, MiddleAnchorIsTheCentre)
{
    for (const double angle : {0.0, 30.0, 90.0}) {
        const TextRecord t = TextAt(TextOf(textParams(4, angle)), {100, 50});
        const std::array<PointD, 4> c = TextBoxCorners(t);
        EXPECT_NEAR((c[0].x + c[2].x) / 2, 100, 1e-6) << angle;
        EXPECT_NEAR((c[0].y + c[2].y) / 2, 50, 1e-6) << angle;
        EXPECT_NEAR(Distance(c[0], c[1]), t.boxC, 1e-9);
        EXPECT_NEAR(Distance(c[1], c[2]), t.boxD, 1e-9);
    }
    const TextRecord level = TextAt(TextOf(textParams(0, 0)), {10, 20});
    const std::array<PointD, 4> c = TextBoxCorners(level);
    EXPECT_NEAR(c[0].x, 10, 1e-9);  // bottom-left anchor
    EXPECT_NEAR(c[0].y, 20, 1e-9);
    EXPECT_LT(c[3].y, c[0].y);  // the top is above on screen
}

TEST(TextAt, AnchorOutsideTheListBecomesBottomLeft)
{
    EXPECT_EQ(TextAt(TextOf(textParams(12, 0)), {0, 0}).anchor, 0);
}

}  // namespace
