// Window places kept on the screen: the bounding of a saved rectangle, and a
// window whose frame appears only once it is shown.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <algorithm>

#include "app/window_places.h"

namespace {

QRect Screen()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

struct PlaceRow {
    const char* name;
    QRect saved;
    QSize minimum;
    QMargins frame;
    bool keptAsSaved;
};

class OnScreenRows : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(OnScreenRows, TheFrameEndsWhollyOnTheScreenAtLeastAtTheMinimum)
{
    const PlaceRow& row = GetParam();
    const QRect placed = OnScreen(row.saved, row.minimum, row.frame);
    const QRect area = Screen();
    EXPECT_TRUE(area.contains(placed.marginsAdded(row.frame))) << placed.x() << "," << placed.y();
    const QRect inner = area.marginsRemoved(row.frame);
    EXPECT_GE(placed.width(), std::min(row.minimum.width(), inner.width()));
    EXPECT_GE(placed.height(), std::min(row.minimum.height(), inner.height()));
    if (row.keptAsSaved) {
        EXPECT_EQ(placed, row.saved);
    }
}

const QMargins kTitleBar(1, 20, 1, 4);

INSTANTIATE_TEST_SUITE_P(
    Rows, OnScreenRows,
    ::testing::Values(PlaceRow{"inside_kept", QRect(50, 60, 300, 200), QSize(100, 100), kTitleBar, true},
                      PlaceRow{"top_left_corner_kept_without_frame", QRect(0, 0, 300, 200), QSize(100, 100),
                               QMargins(), true},
                      PlaceRow{"title_bar_above_the_screen", QRect(50, 5, 300, 200), QSize(100, 100), kTitleBar,
                               false},
                      PlaceRow{"far_off_left_and_up", QRect(-32767, -32767, 300, 200), QSize(100, 100), kTitleBar,
                               false},
                      PlaceRow{"far_off_right_and_down", QRect(32767, 32767, 300, 200), QSize(100, 100),
                               kTitleBar, false},
                      PlaceRow{"larger_than_the_screen", QRect(0, 0, 32767, 32767), QSize(100, 100), kTitleBar,
                               false},
                      PlaceRow{"smaller_than_its_design", QRect(100, 100, 1, 1), QSize(397, 321), kTitleBar,
                               false},
                      PlaceRow{"design_larger_than_the_screen", QRect(100, 100, 1, 1), QSize(32767, 32767),
                               QMargins(), false}),
    [](const auto& info) { return std::string(info.param.name); });

// The place is bounded before the window has a frame; the frame that the
// window system adds on showing must not end up off the screen.
TEST(RestorePlace, AFrameAddedAtShowingStaysOnTheScreen)
{
    QWidget window;
    RestorePlace(&window, WindowPlace{-30000, -30000, 32767, 32767}, QSize(32767, 32767), QSize(100, 100));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    ASSERT_NE(window.frameGeometry(), window.geometry()) << "the platform adds no frame";
    EXPECT_TRUE(Screen().contains(window.frameGeometry()))
        << window.frameGeometry().x() << "," << window.frameGeometry().y();
}

// A place saved from a window is the one that puts it back: restarts that
// save and restore in turn do not make the window creep.
TEST(RestorePlace, ASavedPlaceComesBackExactly)
{
    WindowPlace saved{120, 90, 320, 240};
    for (int run = 0; run < 3; ++run) {
        QWidget window;
        RestorePlace(&window, saved, QSize(saved.width, saved.height), QSize(100, 100));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        saved = ClientPlace(&window);
        EXPECT_EQ(QRect(saved.left, saved.top, saved.width, saved.height), QRect(120, 90, 320, 240)) << run;
    }
}

}  // namespace
