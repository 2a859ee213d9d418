// Linear gradients (direction, repetition past the ends, gradient pens) and
// the path gradient (centre colour at the centre, surround colour on the
// outline, nothing outside it).
#include "surface_fixture.h"

namespace {

using GradientTest = SurfaceTest;

constexpr QRgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

TEST_F(GradientTest, LinearBrushRunsFromStartToEndAndRepeats)
{
    surface.MakeLinearGradientBrush(kRed, kBlue, {20, 0}, {120, 0});
    surface.FillRectangle(QRectF(0, 10, 160, 40));
    EXPECT_TRUE(near(pixel(20, 30), kRed));
    EXPECT_TRUE(near(pixel(70, 30), qRgb(128, 0, 127)));
    EXPECT_TRUE(near(pixel(119, 30), kBlue, 8));
    EXPECT_TRUE(near(pixel(121, 30), kRed, 8));  // the tile starts again right after the end
    EXPECT_TRUE(near(pixel(18, 30), kBlue, 8));
}

TEST_F(GradientTest, CoincidentEndsFallBackToTheSolidBrush)
{
    surface.SetSolidBrush(0xFF00FF00);
    surface.MakeLinearGradientBrush(kRed, kBlue, {20, 20}, {20, 20});
    surface.FillRectangle(QRectF(0, 0, 40, 40));
    EXPECT_EQ(pixel(10, 10), qRgb(0, 255, 0));
}

TEST_F(GradientTest, AlphaBlendsComponentWiseLikeTheOriginal)
{
    open(160, 120, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    surface.MakeLinearGradientBrush(kRed, qRgba(0, 0, 255, 0), {0, 0}, {100, 0});
    surface.FillRectangle(QRectF(0, 0, 100, 10));
    const QRgb mid = pixel(50, 5);
    EXPECT_NEAR(qAlpha(mid), 127, 3);
    EXPECT_NEAR(qRed(mid), 127, 4);  // purple, not a fading red
    EXPECT_NEAR(qBlue(mid), 127, 4);
}

TEST_F(GradientTest, OrientedGradientPenOnAHorizontalLine)
{
    appendEntry(tables.penGradient, GradientEntry{0, 0x0000FF, 255, 0xFF0000, 255, 0});
    appendEntry(tables.width, WidthEntry{0, 6});
    // centre (80, 60), half-length 50, widened by the width and a pixel
    surface.ApplyPen(5, 0, {80, 60}, {50, 0}, 1.0, true, 0, -1, 0);
    surface.DrawLine(23, 60, 137, 60);
    EXPECT_TRUE(near(pixel(24, 60), kRed, 8));
    EXPECT_TRUE(near(pixel(136, 60), kBlue, 8));
    EXPECT_TRUE(near(pixel(80, 60), qRgb(128, 0, 127)));
}

TEST_F(GradientTest, PathGradientHasTheCentreColourInsideAndSurroundAtTheEdge)
{
    surface.NewPath();
    surface.path().addEllipse(QPointF(80, 60), 50, 50);
    surface.MakePathGradientBrush(kRed, kBlue, 80, 60);
    surface.FillEllipse(QRectF(20, 0, 120, 120));  // larger than the path
    EXPECT_TRUE(near(pixel(80, 60), kRed, 8));
    EXPECT_TRUE(near(pixel(80, 12), kBlue, 16));
    EXPECT_TRUE(near(pixel(105, 60), qRgb(128, 0, 127), 10));  // half way along the ray
    EXPECT_TRUE(isWhite(80, 6));                               // inside the fill, outside the path
}

TEST_F(GradientTest, PathGradientFollowsAnOffCentreCentrePoint)
{
    surface.NewPath();
    surface.path().addRect(QRectF(20, 20, 120, 80));
    surface.MakePathGradientBrush(kRed, kBlue, 40, 60);
    surface.FillPath(surface.path());
    EXPECT_TRUE(near(pixel(40, 60), kRed, 8));
    EXPECT_TRUE(near(pixel(30, 60), qRgb(128, 0, 127), 10));   // half way to the left edge
    EXPECT_TRUE(near(pixel(90, 60), qRgb(128, 0, 127), 10));   // half way to the right edge
}

TEST_F(GradientTest, PathGradientWithoutAPathFillsSolid)
{
    surface.SetSolidBrush(0xFF00FF00);
    surface.NewPath();
    surface.MakePathGradientBrush(kRed, kBlue, 40, 60);
    surface.FillRectangle(QRectF(0, 0, 20, 20));
    EXPECT_EQ(pixel(10, 10), qRgb(0, 255, 0));
}

}  // namespace

namespace {

TEST_F(GradientTest, TranslucentPathGradientOnAConcaveOutlineBlendsEachPixelOnce)
{
    // An L shape seen from a centre that sees some edges from behind: its fan
    // triangles overlap. With a constant translucent colour every covered
    // pixel must come out the same.
    surface.NewPath();
    surface.path().addPolygon(QPolygonF{{20, 20}, {60, 20}, {60, 80}, {140, 80}, {140, 110}, {20, 110}});
    surface.path().closeSubpath();
    const QRgb half = qRgba(0, 0, 255, 128);
    surface.MakePathGradientBrush(half, half, 100, 95);
    surface.FillPath(surface.path());
    const QRgb inside = pixel(30, 30);
    EXPECT_TRUE(near(inside, qRgb(127, 127, 255), 2));
    EXPECT_EQ(pixel(50, 100), inside);
    EXPECT_EQ(pixel(130, 90), inside);
    EXPECT_EQ(pixel(40, 60), inside);
    EXPECT_TRUE(isWhite(100, 50));
}

}  // namespace
