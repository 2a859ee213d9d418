// The extent index against brute force: every query answers exactly the
// positions whose box meets the area, before and after settling, with
// untrusted extents (NaN, overflow) meeting everything; the paint order of an
// area; and the indexed snap look-up against the list a full paint registers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "element_builders.h"
#include "model/element_extent.h"
#include "model/paint_order.h"
#include "model/snap_points.h"
#include "samples/sample_drawing.h"

using namespace testing_builders;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<int32_t> bruteForce(const ExtentIndex& index, const ExtentBoxF& area)
{
    std::vector<int32_t> out;
    for (size_t p = 0; p < index.size(); ++p)
        if (index.box(p).meets(area))
            out.push_back(static_cast<int32_t>(p));
    return out;
}

std::vector<int32_t> queried(const ExtentIndex& index, const ExtentBoxF& area)
{
    std::vector<int32_t> out;
    index.query(area, [&](int32_t p) { out.push_back(p); });
    std::sort(out.begin(), out.end());
    return out;
}

struct IndexRow {
    const char* name;
    int count;
    bool settle;
    int untrustedEvery;  // 0: none
};

class ExtentIndexQuery : public ::testing::TestWithParam<IndexRow> {};

TEST_P(ExtentIndexQuery, AnswersWhatBruteForceAnswers)
{
    const IndexRow row = GetParam();
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(-5000, 5000), size(0, 300);
    ExtentIndex index;
    for (int i = 0; i < row.count; ++i) {
        const double x = at(random), y = at(random);
        WorldBox box{x, y, x + size(random), y + size(random)};
        if (row.untrustedEvery && i % row.untrustedEvery == 0)
            box.trusted = false;
        index.append(box, 0);
        if (row.settle && i == row.count / 2)
            index.settle();  // half in the tree, half in the tail, or all in the tail
    }
    if (row.settle)
        index.settle();
    for (int q = 0; q < 200; ++q) {
        const double x = at(random), y = at(random), w = q % 10 == 0 ? 8000 : size(random);
        const ExtentBoxF area = ToExtentBoxF(WorldBox{x, y, x + w, y + w});
        ASSERT_EQ(queried(index, area), bruteForce(index, area)) << q;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ExtentIndexQuery,
                         ::testing::Values(IndexRow{"empty", 0, true, 0}, IndexRow{"few_in_tail", 50, false, 0},
                                           IndexRow{"tree_and_tail", 30000, true, 0},
                                           IndexRow{"untrusted_in_tree", 30000, true, 97},
                                           IndexRow{"untrusted_in_tail", 3000, false, 13}),
                         [](const auto& info) { return std::string(info.param.name); });

struct UntrustedRow {
    const char* name;
    LineRecord line;
    WorldBox farArea;  // where the line would reach if its numbers were drawn
};

class UntrustedExtent : public ::testing::TestWithParam<UntrustedRow> {};

// An extent that overflows or is not a number never hides its element.
TEST_P(UntrustedExtent, MeetsEveryArea)
{
    Drawing d;
    d.AppendLine(GetParam().line);
    d.extents.settle();
    std::vector<int32_t> order;
    for (const WorldBox area : {WorldBox{0, 0, 10, 10}, GetParam().farArea}) {
        ElementsInPaintOrder(d, area, order);
        EXPECT_EQ(order, std::vector<int32_t>{0});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UntrustedExtent,
    ::testing::Values(UntrustedRow{"nan", line(kNaN, 0, 10, 10), WorldBox{-1e30, 5e29, -9e29, 6e29}},
                      UntrustedRow{"huge", line(-1e308, 0, 1e308, 10), WorldBox{-1e30, 0, -9e29, 5}},
                      UntrustedRow{"infinite", line(0, 0, std::numeric_limits<double>::infinity(), 1),
                                   WorldBox{1e30, 0, 2e30, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PaintedExtent, HoldsWidePensAndTextBoxes)
{
    Drawing d;
    d.attributes.width.push_back({});
    d.attributes.width.push_back(WidthEntry{});
    d.attributes.width[1].width = 20;
    LineRecord wide = line(0, 0, 100, 0);
    wide.h.widthRef = 1;
    d.AppendLine(wide);
    WorldBox box;
    ASSERT_TRUE(PaintedExtent(d, d.registry[0], box));
    EXPECT_LE(box.y0, -14.2) << "square caps of a 20-unit pen";
    EXPECT_GE(box.y1, 14.2);
    EXPECT_LE(box.x0, -14.2);
    OpenPathRecord zigzag{wide.h, {{0, 0}, {100, 0}, {0, 1}}};
    d.AppendPolyline(zigzag);
    ASSERT_TRUE(PaintedExtent(d, d.registry[1], box));
    EXPECT_GE(box.x1, 100 + 50) << "miter joins of a 20-unit pen (limit 5)";
    TextRecord t = textBox(500, 500, 80, 20, 30);
    t.x = 500, t.y = 500, t.size = 20, t.text = "ab";
    d.AppendText(t);
    ASSERT_TRUE(PaintedExtent(d, d.registry[2], box));
    EXPECT_LE(box.x0, 500 - 20 * 7);
    EXPECT_GE(box.x1, 580);
}

// Paint order: layer by layer, registry order within a layer, dead elements
// and hidden layers left out; small answers are sorted, large ones bucketed.
TEST(PaintOrder, LayersAscendingThenRegistryOrder)
{
    for (const int count : {40, 40000}) {
        Drawing d;
        for (int i = 0; i < count; ++i)
            d.AppendLine(line(i % 100, 0, i % 100 + 1, 1, (i * 7) % 5));
        d.markDead(3);
        d.layers[2].visible = false;
        d.extents.settle();
        std::vector<int32_t> order;
        ElementsInPaintOrder(d, WorldBox{-10, -10, 200, 200}, order);
        std::vector<int32_t> expected;
        for (int layer = 0; layer < 5; ++layer)
            for (int i = 0; i < count; ++i)
                if ((i * 7) % 5 == layer && layer != 2 && i != 3)
                    expected.push_back(i);
        EXPECT_EQ(order, expected) << count;
    }
}

// The extents follow undo and redo through the live flags: an undone element
// is not offered, a redone one is.
TEST(PaintOrder, FollowsUndoAndRedo)
{
    Drawing d;
    for (const double at : {0.0, 5.0}) {
        d.journal.BeginGroup();
        d.AppendLine(line(at, at, at + 10, at + 10));
        d.journal.EndGroup();
    }
    std::vector<int32_t> order;
    d.Undo();
    ElementsInPaintOrder(d, WorldBox{0, 0, 30, 30}, order);
    EXPECT_EQ(order, std::vector<int32_t>{0});
    d.Redo();
    ElementsInPaintOrder(d, WorldBox{0, 0, 30, 30}, order);
    EXPECT_EQ(order, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(d.changes.positions, (std::vector<int32_t>{0, 1, 1, 1}));
}

// The list a full paint registers: every live element of a visible layer in
// paint order.
void registerAsFullPaint(Drawing& d, const CanvasView& canvas)
{
    ClearSnapPoints(d);
    std::vector<int32_t> order;
    ElementsInPaintOrder(d, WorldBox{0, 0, 0, 0, false}, order);
    for (const int32_t p : order)
        RegisterSnapPoints(d, d.registry[static_cast<size_t>(p)], canvas);
}

struct SnapRow {
    const char* name;
    ViewTransform view;
};

class IndexedSnap : public ::testing::TestWithParam<SnapRow> {};

TEST_P(IndexedSnap, SameWinnerAsTheFullPaintList)
{
    Drawing d;
    fillSampleDrawing(d, SampleOptions{3000, 400, 300, 3, SampleLook::Plain});
    // Elements on several layers, one of them hidden after the paint.
    for (int i = 0; i < 400; ++i)
        d.AppendLine(line(i % 40 * 10, i / 40 * 30, i % 40 * 10 + 10, i / 40 * 30, i % 4));
    d.extents.settle();
    const CanvasView canvas{GetParam().view, 400, 300};
    registerAsFullPaint(d, canvas);
    ASSERT_GT(d.snapPoints.size(), 1000u);
    d.layers[1].visible = false;
    int hits = 0;
    for (int y = -3; y <= 303; y += 3)
        for (int x = -3; x <= 403; x += 3) {
            d.indexedSnapCanvas.reset();
            const auto fromList = FindSnapPoint(d, x, y, 5);
            d.indexedSnapCanvas = canvas;
            const auto fromIndex = FindSnapPoint(d, x, y, 5);
            ASSERT_EQ(fromList.has_value(), fromIndex.has_value()) << x << "," << y;
            if (!fromList)
                continue;
            ++hits;
            EXPECT_EQ(fromList->code, fromIndex->code) << x << "," << y;
            EXPECT_EQ(fromList->index, fromIndex->index) << x << "," << y;
            EXPECT_EQ(fromList->screenX, fromIndex->screenX);
            EXPECT_EQ(fromList->screenY, fromIndex->screenY);
            EXPECT_EQ(fromList->x, fromIndex->x);
        }
    EXPECT_GT(hits, 1000);
}

INSTANTIATE_TEST_SUITE_P(Rows, IndexedSnap,
                         ::testing::Values(SnapRow{"home", {1, 0, 0}}, SnapRow{"zoomed_in", {3.375, -40.5, -20.25}},
                                           SnapRow{"zoomed_out", {0.4444444444444444, 30, 60}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
