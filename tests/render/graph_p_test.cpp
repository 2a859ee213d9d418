// The surface's own arithmetic (colours, segment counts, ellipse sampling,
// splines) and the resolution of attribute references into pens and brushes,
// including references that lie outside their tables.
#include <cmath>

#include "surface_fixture.h"

namespace {

TEST(SurfaceColours, MakeARGBClampsAlphaToOpaqueAndComponentsToZero)
{
    EXPECT_EQ(qAlpha(TGraphP::MakeARGB(300, 10, 20, 30)), 255);
    const QRgb c = TGraphP::MakeARGB(10, -1, 20, 256);
    EXPECT_EQ(qAlpha(c), 10);
    EXPECT_EQ(qRed(c), 0);
    EXPECT_EQ(qGreen(c), 20);
    EXPECT_EQ(qBlue(c), 0);
}

TEST(SurfaceColours, ColourReferencesHoldRedInTheLowByte)
{
    EXPECT_EQ(TGraphP::ToARGB(0x00332211), qRgba(0x11, 0x22, 0x33, 255));
    EXPECT_EQ(TGraphP::AlphaColor(-5, 0x0000FF), qRgba(255, 0, 0, 255));
    EXPECT_EQ(TGraphP::AlphaColor(40, 0xFF0000), qRgba(0, 0, 255, 40));
    int r, g, b;
    TGraphP::SplitRGB(static_cast<int32_t>(0xFF332211u), r, g, b);  // a stray top byte is ignored
    EXPECT_EQ(r, 0x11);
    EXPECT_EQ(g, 0x22);
    EXPECT_EQ(b, 0x33);
}

struct SegmentRow { const char* name; double sweep; int expected; };
class SegmentCountTest : public ::testing::TestWithParam<SegmentRow> {};
TEST_P(SegmentCountTest, AboutOneSegmentPerFiveDegreesAtLeastFour)
{
    EXPECT_EQ(TGraphP::SegmentCount(GetParam().sweep), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Sweeps, SegmentCountTest,
                         ::testing::Values(SegmentRow{"zero", 0, 4}, SegmentRow{"fullTurn", 360, 72},
                                           SegmentRow{"negative", -100, 20}, SegmentRow{"roundsUpAt0_1", 4.5, 4},
                                           SegmentRow{"justBelowRoundUp", 24.4, 5},
                                           SegmentRow{"roundUp", 24.5, 5}, SegmentRow{"notANumber", NAN, 4},
                                           SegmentRow{"huge", 1e300, 1 << 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceSampling, EllipsePointsRunCounterClockwiseOnScreenWithTilt)
{
    const QPolygonF pts = TGraphP::EllipsePoints(100, 100, 40, 20, 0, 0, 90, 2);
    ASSERT_EQ(pts.size(), 3);
    EXPECT_NEAR(pts[0].x(), 140, 1e-4);
    EXPECT_NEAR(pts[0].y(), 100, 1e-4);
    EXPECT_NEAR(pts[2].x(), 100, 1e-4);
    EXPECT_NEAR(pts[2].y(), 80, 1e-4);  // 90 degrees is up on the screen
    const QPolygonF tilted = TGraphP::EllipsePoints(100, 100, 40, 20, 90, 0, 90, 1);
    EXPECT_NEAR(tilted[0].x(), 100, 1e-4);  // the major axis now points up
    EXPECT_NEAR(tilted[0].y(), 60, 1e-4);
}

TEST(SurfaceSampling, InterleavedPointsFillAlternateSlots)
{
    QPolygonF star;
    TGraphP::EllipsePointsInterleaved(star, 0, 0, 10, 10, 0, 0, 180, 2, false);
    TGraphP::EllipsePointsInterleaved(star, 0, 0, 5, 5, 0, 45, 180, 2, true);
    ASSERT_EQ(star.size(), 6);
    EXPECT_NEAR(star[0].x(), 10, 1e-4);
    EXPECT_NEAR(std::hypot(star[1].x(), star[1].y()), 5, 1e-4);
    EXPECT_NEAR(star[2].y(), -10, 1e-4);
    EXPECT_NEAR(std::hypot(star[5].x(), star[5].y()), 5, 1e-4);
}

TEST(SurfaceSampling, CurvePathMatchesTheCardinalSplineControlPoints)
{
    const QPainterPath open = TGraphP::CurvePath(QPolygonF{{0, 0}, {10, 10}, {10, 20}, {30, 10}}, false);
    ASSERT_EQ(open.elementCount(), 10);
    EXPECT_NEAR(open.elementAt(1).x, 1.667, 1e-3);
    EXPECT_NEAR(open.elementAt(2).y, 6.667, 1e-3);
    EXPECT_NEAR(open.elementAt(8).x, 26.667, 1e-3);
    const QPainterPath closed = TGraphP::CurvePath(QPolygonF{{0, 0}, {10, 10}, {10, 20}, {30, 10}}, true);
    EXPECT_NEAR(closed.elementAt(1).x, -3.333, 1e-3);
    EXPECT_NEAR(closed.elementAt(8).x, 31.667, 1e-3);
    EXPECT_NEAR(closed.elementAt(11).x, 3.333, 1e-3);
    EXPECT_TRUE(TGraphP::CurvePath(QPolygonF{{1, 1}}, false).isEmpty());
}

using SurfaceAttributes = SurfaceTest;

TEST_F(SurfaceAttributes, HighlightLevelsRunFromRedToWhite)
{
    const std::pair<int, QRgb> rows[] = {
        {0, qRgb(255, 0, 0)}, {4, qRgb(255, 127, 127)}, {8, qRgb(255, 255, 255)}, {9, qRgb(255, 0, 0)}};
    for (auto [level, colour] : rows) {
        surface.SetPenArgb(0xFF00FF00);
        surface.SetSolidBrush(0xFF00FF00);
        surface.SetHighlightColour(level);
        EXPECT_EQ(surface.penColor().rgba(), colour) << level;
        EXPECT_EQ(surface.brushColor().rgba(), colour) << level;
    }
    surface.SetHighlightColour(8);
    surface.SetHighlightColour(-1);  // leaves the attributes alone
    EXPECT_EQ(surface.penColor().rgba(), qRgb(255, 255, 255));
}

TEST_F(SurfaceAttributes, PenKindZeroKeepsColourButTakesWidthAndCaps)
{
    appendEntry(tables.penColor, PenColorEntry{0, 0x0000FF});
    appendEntry(tables.width, WidthEntry{0, 1.0});
    appendEntry(tables.width, WidthEntry{0, 6.0});
    surface.ApplyPen(1, 0, {}, {}, 1.0, false, 0, -1, 0);
    surface.ApplyPen(0, 5, {}, {}, 1.0, false, 0, -1, 1);
    surface.DrawLine(20, 50, 100, 50);
    EXPECT_EQ(pixel(60, 47), qRgb(255, 0, 0));  // 6 px wide red line: rows 47..52
    EXPECT_TRUE(isWhite(60, 46));
}

TEST_F(SurfaceAttributes, ReferencesOutsideTheirTablesFallBackSafely)
{
    appendEntry(tables.penColor, PenColorEntry{0, 0x0000FF});
    surface.ApplyPen(1, 0, {}, {}, 1.0, false, 0, -1, -1);
    // a pen ref past the table keeps the red pen; a bad width ref draws 1 px
    surface.ApplyPen(1, 7, {}, {}, 3.0, false, 0, 99, 42);
    surface.ApplyPen(2, -3, {}, {}, 3.0, false, 0, 99, 42);
    surface.SetSolidBrush(0xFF00FF00);
    surface.ApplyBrush(3, 1000, {}, {});
    surface.ApplyBrush(6, 0, {}, {});
    surface.ApplyBrushFromPen(5, 12, {}, {}, true);
    surface.BeginGradientFrame({0, 0}, {10, 10}, 5, 77, 5, 77);
    surface.FillRectangle(QRectF(10, 10, 20, 20));
    surface.DrawLine(40, 60, 120, 60);
    EXPECT_EQ(pixel(20, 20), qRgb(0, 255, 0));
    EXPECT_EQ(pixel(80, 60), qRgb(255, 0, 0));
    EXPECT_TRUE(isWhite(80, 59));
    EXPECT_TRUE(isWhite(80, 61));
}

TEST_F(SurfaceAttributes, BrushFromAHatchPenFillsWithItsCell)
{
    appendEntry(tables.penHatch, HatchEntry{0, 1, 0x000000, 255, 0xFFFFFF, 255});
    surface.ApplyBrushFromPen(3, 0, {}, {}, false);
    surface.FillEllipse(QRectF(20, 20, 60, 60));
    EXPECT_EQ(pixel(52, 50), qRgb(0, 0, 0));  // vertical lines on columns 4 mod 8
    EXPECT_TRUE(isWhite(53, 50));
}

TEST_F(SurfaceAttributes, WithoutTablesNothingIsRead)
{
    surface.setAttributes(nullptr);
    surface.SetPenArgb(0xFF0000FF);
    surface.ApplyPen(1, 0, {}, {}, 1.0, false, 0, 0, 0);
    surface.DrawLine(10, 10, 100, 10);
    EXPECT_EQ(pixel(50, 10), qRgb(0, 0, 255));
}

TEST_F(SurfaceAttributes, ClearFillsWithTheSolidBrushColourAndBeginRefusesEmptyImages)
{
    surface.SetSolidBrush(0xFF102030);
    surface.Clear();
    EXPECT_EQ(pixel(0, 0), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(pixel(159, 119), qRgb(0x10, 0x20, 0x30));
    QImage empty;
    EXPECT_FALSE(surface.Begin(&empty));
    EXPECT_FALSE(surface.isActive());
    EXPECT_EQ(surface.painter(), nullptr);
    surface.DrawLine(0, 0, 10, 10);  // no target: draws nothing, no crash
}

TEST_F(SurfaceAttributes, FillsAreAlignedToIntegerPixelCentres)
{
    surface.SetSolidBrush(0xFF000000);
    surface.FillRectangle(QRectF(QPointF(2.5, 1), QPointF(6.5, 4)));  // columns 3..6, rows 1..3
    EXPECT_TRUE(isWhite(2, 2));
    EXPECT_FALSE(isWhite(3, 1));
    EXPECT_FALSE(isWhite(6, 3));
    EXPECT_TRUE(isWhite(7, 2));
    EXPECT_TRUE(isWhite(4, 4));
}

TEST_F(SurfaceAttributes, FillOrOutlineRectFillsThenOutlines)
{
    blackPen(1);
    surface.SetSolidBrush(0xFF00FF00);
    surface.FillOrOutlineRect(2, {60, 50}, {20, 10});
    EXPECT_EQ(pixel(40, 30), qRgb(0, 255, 0));
    EXPECT_EQ(pixel(20, 30), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(60, 30), qRgb(0, 0, 0));
}

TEST_F(SurfaceAttributes, GradientFrameOfARectangleWidensByHalfThePenAndOnePixel)
{
    appendEntry(tables.penGradient, GradientEntry{0, 0x0000FF, 255, 0xFF0000, 255, 0});
    appendEntry(tables.width, WidthEntry{0, 4.0});
    surface.BeginGradientFrame({20, 10}, {120, 60}, 5, 0, 0, 0);
    surface.AddToGradientFrame(true, 20, 10, 120, 10);
    surface.AddToGradientFrame(false, 120, 10, 120, 60);
    surface.AddToGradientFrame(false, 120, 60, 20, 60);
    surface.AddToGradientFrame(false, 20, 60, 20, 10);
    QPointF p1, p2;
    surface.PenGradientEnds(0, 2.0, p1, p2);
    const double grow = 4.0 / 2 * 1.414 * 2.0 + 1;
    EXPECT_NEAR(p1.x(), 20 - grow, 1e-9);
    EXPECT_NEAR(p2.x(), 120 + grow, 1e-9);
    EXPECT_NEAR(p1.y(), 35, 1e-9);
    surface.BrushGradientEnds(p1, p2);  // brush angle 0 without a gradient brush
    EXPECT_NEAR(p1.x(), 19, 1e-9);
    EXPECT_NEAR(p2.x(), 121, 1e-9);
}

TEST_F(SurfaceAttributes, GradientFrameAt90DegreesRunsBottomToTop)
{
    appendEntry(tables.brushGradient, GradientEntry{0, 0x0000FF, 255, 0xFF0000, 255, 90});
    surface.BeginGradientFrame({20, 10}, {120, 90}, 0, 0, 5, 0);
    surface.AddToGradientFrame(true, 20, 10, 120, 90);
    QPointF p1, p2;
    surface.BrushGradientEnds(p1, p2);
    EXPECT_NEAR(p1.y(), 91, 1e-9);
    EXPECT_NEAR(p2.y(), 9, 1e-9);
    surface.ApplyBrush(5, 0, p1, p2);
    surface.FillRectangle(QRectF(QPointF(20, 10), QPointF(120, 90)));
    EXPECT_TRUE(near(pixel(70, 89), qRgb(255, 0, 0), 12));  // start colour at the bottom
    EXPECT_TRUE(near(pixel(70, 10), qRgb(0, 0, 255), 12));
}

}  // namespace
