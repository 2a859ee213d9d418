// Hatch brushes and pens: the cell pattern lands on device pixels (not on the
// shape, not turned by the world transform), with fore/back colours and alpha.
#include <QTransform>

#include "render/hatch.h"
#include "surface_fixture.h"

namespace {

class HatchTest : public SurfaceTest {
protected:
    // Fills a box at an odd offset so that a pattern anchored at the shape
    // instead of the device would show.
    void fillHatch(int style, QRgb fore = 0xFF000000, QRgb back = 0xFFFFFFFF)
    {
        surface.MakeHatchBrush(style, fore, back);
        surface.FillRectangle(QRectF(3, 5, 40, 40));
    }
    bool matchesCell(int style)
    {
        for (int y = 5; y < 45; ++y)
            for (int x = 3; x < 43; ++x)
                if ((pixel(x, y) == qRgb(0, 0, 0)) != hatchBit(style, x, y))
                    return false;
        return true;
    }
};

struct StyleRow { const char* name; int style; };
class HatchStyles : public HatchTest, public ::testing::WithParamInterface<StyleRow> {};

TEST_P(HatchStyles, CellIsAnchoredAtTheDeviceOrigin)
{
    fillHatch(GetParam().style);
    EXPECT_TRUE(matchesCell(GetParam().style));
}

INSTANTIATE_TEST_SUITE_P(Distinctive, HatchStyles,
                         ::testing::Values(StyleRow{"Horizontal", 0}, StyleRow{"Vertical", 1},
                                           StyleRow{"ForwardDiagonal", 2}, StyleRow{"Percent50", 12},
                                           StyleRow{"WideUpwardDiagonal", 23}, StyleRow{"Weave", 40},
                                           StyleRow{"SolidDiamond", 52}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HatchTest, HorizontalHatchHasItsLineOnRowFourOfEachCell)
{
    fillHatch(0);
    EXPECT_EQ(pixel(10, 12), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(10, 20), qRgb(0, 0, 0));
    EXPECT_TRUE(isWhite(10, 13));
    EXPECT_TRUE(isWhite(10, 11));
}

TEST_F(HatchTest, StylesOutsideTheTableDrawAsHorizontal)
{
    fillHatch(60);
    EXPECT_TRUE(matchesCell(0));
    EXPECT_EQ(normalHatchStyle(-1), 0);
    EXPECT_EQ(normalHatchStyle(52), 52);
}

TEST_F(HatchTest, ForeAlphaBlendsAndTransparentBackLeavesTheTarget)
{
    surface.SetSolidBrush(0xFF0000FF);
    surface.FillRectangle(QRectF(0, 0, 160, 120));
    fillHatch(0, qRgba(255, 0, 0, 128), qRgba(0, 255, 0, 0));
    EXPECT_TRUE(near(pixel(10, 12), qRgb(128, 0, 127), 2));  // half red over blue
    EXPECT_EQ(pixel(10, 13), qRgb(0, 0, 255));                // back alpha 0: untouched
}

TEST_F(HatchTest, PatternIgnoresTheWorldTransform)
{
    QTransform rotation;
    rotation.translate(60, 60).rotate(30).translate(-60, -60);
    surface.SetTransform(rotation);
    surface.MakeHatchBrush(0, 0xFF000000, 0xFFFFFFFF);
    surface.FillRectangle(QRectF(40, 40, 40, 40));
    // inside the turned square, the lines still run along device rows 4 mod 8
    EXPECT_EQ(pixel(60, 60), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(66, 60), qRgb(0, 0, 0));
    EXPECT_TRUE(isWhite(60, 61));
    EXPECT_TRUE(isWhite(66, 62));
}

TEST_F(HatchTest, HatchPenFillsItsStrokeWithTheCell)
{
    surface.SetPenWidth(10);
    surface.MakeHatchPen(1, 0xFF000000, 0xFFFFFFFF);  // vertical lines on column 4 of each cell
    surface.DrawLine(0, 60, 160, 60);
    EXPECT_EQ(pixel(12, 58), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(20, 62), qRgb(0, 0, 0));
    EXPECT_TRUE(isWhite(13, 58));
    EXPECT_TRUE(isWhite(12, 50));  // outside the 10-px stroke
}

TEST(HatchCells, EveryStyleHasBothColours)
{
    for (int style = 0; style < kHatchStyleCount; ++style) {
        const QImage cell = hatchCell(style, 0xFF000000, 0xFFFFFFFF);
        int fore = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                fore += cell.pixel(x, y) == 0xFF000000;
        EXPECT_GT(fore, 0) << style;
        EXPECT_LT(fore, 64) << style;
    }
}

}  // namespace
