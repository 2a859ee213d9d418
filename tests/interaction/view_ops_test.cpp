// The view arithmetic: zoom limits, what is remembered as the previous view,
// and the five outcomes of a two-button gesture.
#include <gtest/gtest.h>

#include "interaction/view_ops.h"

namespace {

constexpr int kW = 400, kH = 300;

ViewState At(double scale, double panX = 0, double panY = 0)
{
    ViewState s;
    s.view = ViewTransform{scale, panX, panY};
    s.previous = ViewTransform{7, 7, 7};
    return s;
}

TEST(ViewKeys, PageUpClampsAtTheUpperLimitWithTheUnclampedPan)
{
    ViewState s = At(8000);
    ZoomInKey(s, kW, kH);
    EXPECT_EQ(s.view.scale, 10000);
    // The pan is the one computed with 12000.
    EXPECT_DOUBLE_EQ(s.view.panX, 200 / 12000.0 - 200 / 8000.0);
    EXPECT_EQ(s.previous.scale, 8000);
    ZoomInKey(s, kW, kH);
    EXPECT_EQ(s.view.scale, 10000);
}

TEST(ViewKeys, PageDownBelowTheLowerLimitRestoresThePan)
{
    ViewState s = At(0.04, 3, 4);
    ZoomOutKey(s, kW, kH);
    EXPECT_EQ(s.view.scale, 10.0 / 320);
    EXPECT_EQ(s.view.panX, 3);
    EXPECT_EQ(s.view.panY, 4);
    EXPECT_EQ(s.previous.scale, 0.04);
}

TEST(ViewKeys, PageDownKeepsTheWindowCentreFixed)
{
    ViewState s = At(1, 10, 20);
    const double cx = s.view.toWorldX(kW / 2), cy = s.view.toWorldY(kH / 2);
    ZoomOutKey(s, kW, kH);
    EXPECT_DOUBLE_EQ(s.view.scale, 2.0 / 3.0);
    EXPECT_NEAR(s.view.toWorldX(kW / 2), cx, 1e-9);
    EXPECT_NEAR(s.view.toWorldY(kH / 2), cy, 1e-9);
}

TEST(ViewKeys, HalfWindowIsTruncatedToAnInteger)
{
    ViewState s = At(1);
    ZoomInKey(s, 401, 301);  // half window 200 x 150
    EXPECT_DOUBLE_EQ(s.view.panX, 200 / 1.5 - 200);
    EXPECT_DOUBLE_EQ(s.view.panY, 150 / 1.5 - 150);
}

TEST(ViewKeys, InsertCentresTheImageArea)
{
    ViewState s = At(2);
    CentreImage(s, kW, kH);
    EXPECT_DOUBLE_EQ(s.view.toScreenX(160), 200);
    EXPECT_DOUBLE_EQ(s.view.toScreenY(120), 150);
    EXPECT_EQ(s.previous.scale, 2);
}

TEST(ViewKeys, HomeResetsAndRemembers)
{
    ViewState s = At(3, 5, 6);
    HomeView(s);
    EXPECT_EQ(s.view.scale, 1);
    EXPECT_EQ(s.view.panX, 0);
    EXPECT_EQ(s.previous.panX, 5);
}

struct ArrowCase {
    const char* name;
    int stepX, stepY;
    bool fine;
    double panX, panY;
};

class ArrowKeys : public ::testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowKeys, PanByHalfOrTenthOfTheWindowWithoutRememberingTheView)
{
    const ArrowCase& c = GetParam();
    ViewState s = At(2);
    PanByArrow(s, c.stepX, c.stepY, c.fine, kW, kH);
    EXPECT_DOUBLE_EQ(s.view.panX, c.panX);
    EXPECT_DOUBLE_EQ(s.view.panY, c.panY);
    EXPECT_EQ(s.previous.scale, 7);  // untouched
}

// At scale 2 the window is 200 x 150 drawing units.
INSTANTIATE_TEST_SUITE_P(Rows, ArrowKeys,
                         ::testing::Values(ArrowCase{"Left", -1, 0, false, 100, 0},
                                           ArrowCase{"Right", 1, 0, false, -100, 0},
                                           ArrowCase{"Up", 0, -1, false, 0, 75},
                                           ArrowCase{"Down", 0, 1, false, 0, -75},
                                           ArrowCase{"ShiftLeft", -1, 0, true, 20, 0},
                                           ArrowCase{"ShiftDown", 0, 1, true, 0, -15}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewWheel, KeepsTheDrawingPointUnderTheCursor)
{
    for (bool in : {true, false}) {
        ViewState s = At(1.25, -3, 8);
        const double x = s.view.toWorldX(37), y = s.view.toWorldY(211);
        WheelZoom(s, in, 37, 211);
        EXPECT_NEAR(s.view.toWorldX(37), x, 1e-9);
        EXPECT_NEAR(s.view.toWorldY(211), y, 1e-9);
        EXPECT_EQ(s.previous.scale, 1.25);
    }
}

TEST(ViewWheel, StaysWithinTheLimits)
{
    ViewState s = At(9000);
    WheelZoom(s, true, 10, 10);
    EXPECT_EQ(s.view.scale, kMaxScale);
    s = At(0.035, 1, 2);
    WheelZoom(s, false, 10, 10);
    EXPECT_EQ(s.view.scale, 10.0 / 320);
    EXPECT_EQ(s.view.panX, 1);
    EXPECT_EQ(s.view.panY, 2);
}

struct DragCase {
    const char* name;
    int dx, dy;
    ViewGesture expected;
};

class DragClassification : public ::testing::TestWithParam<DragCase> {};

TEST_P(DragClassification, FollowsTheDirection)
{
    EXPECT_EQ(ClassifyDrag(100, 100, 100 + GetParam().dx, 100 + GetParam().dy), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DragClassification,
                         ::testing::Values(DragCase{"Still", 0, 0, ViewGesture::Centre},
                                           DragCase{"FivePixelsIsShort", 5, 80, ViewGesture::Centre},
                                           DragCase{"RightDown", 6, 6, ViewGesture::ZoomIn},
                                           DragCase{"LeftUp", -40, -30, ViewGesture::ZoomOut},
                                           DragCase{"RightUp", 40, -30, ViewGesture::Whole},
                                           DragCase{"LeftDown", -40, 30, ViewGesture::Previous}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewGestures, ShortDragCentresThePressedPoint)
{
    ViewState s = At(2, 10, 10);
    const double x1 = s.view.toWorldX(50), y1 = s.view.toWorldY(60);
    EXPECT_EQ(ApplyViewGesture(s, 50, 60, 53, 200, kW, kH), ViewGesture::Centre);
    EXPECT_DOUBLE_EQ(s.view.toScreenX(x1), kW / 2.0);
    EXPECT_DOUBLE_EQ(s.view.toScreenY(y1), kH / 2.0);
    EXPECT_EQ(s.previous.panX, 10);
}

TEST(ViewGestures, ZoomInFitsTheBoxAndCentresIt)
{
    ViewState s = At(1);
    EXPECT_EQ(ApplyViewGesture(s, 100, 100, 150, 130, kW, kH), ViewGesture::ZoomIn);
    // box 50, window min(400, 300) = 300 -> scale 6
    EXPECT_DOUBLE_EQ(s.view.scale, 6);
    EXPECT_DOUBLE_EQ(s.view.toScreenX(125), kW / 2.0);
    EXPECT_DOUBLE_EQ(s.view.toScreenY(115), kH / 2.0);
    EXPECT_EQ(s.previous.scale, 1);
}

TEST(ViewGestures, ZoomOutStopsAtTheLowerLimit)
{
    ViewState s = At(0.05);
    EXPECT_EQ(ApplyViewGesture(s, 200, 150, 190, 140, kW, kH), ViewGesture::ZoomOut);
    EXPECT_EQ(s.view.scale, 10.0 / 320);
}

TEST(ViewGestures, ZoomInOnAWideCanvasNeverLeavesTheLimits)
{
    // A box wider than the window's short side would zoom out below the limit.
    ViewState s = At(0.04);
    EXPECT_EQ(ApplyViewGesture(s, 0, 0, 1000, 10 * 1, 1200, 100), ViewGesture::ZoomIn);
    EXPECT_GE(s.view.scale, 10.0 / 320);
}

TEST(ViewGestures, RightUpShowsTheWholeAndLeftDownSwapsWithThePrevious)
{
    ViewState s = At(4, 1, 2);
    EXPECT_EQ(ApplyViewGesture(s, 100, 100, 200, 50, kW, kH), ViewGesture::Whole);
    EXPECT_EQ(s.view.scale, 1);
    EXPECT_EQ(s.previous.scale, 4);
    EXPECT_EQ(ApplyViewGesture(s, 200, 50, 100, 100, kW, kH), ViewGesture::Previous);
    EXPECT_EQ(s.view.scale, 4);
    EXPECT_EQ(s.view.panY, 2);
    EXPECT_EQ(s.previous.scale, 1);
}

TEST(ViewGestures, DragPanMovesTheDrawingWithTheMouse)
{
    ViewState s = At(2, 1, 1);
    DragPan(s, 100, 100, 160, 80);
    EXPECT_DOUBLE_EQ(s.view.panX, 1 + 30);
    EXPECT_DOUBLE_EQ(s.view.panY, 1 - 10);
    EXPECT_EQ(s.previous.panX, 1);
}

}  // namespace
