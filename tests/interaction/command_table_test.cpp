// The family table against the system's lists: every step has its prompt,
// every item is a menu entry, and Backspace does what the lists say for
// each mode the table holds. Also the dialog rows: values offered, clamped,
// written back, and the commands that ask them.
#include <gtest/gtest.h>

#include <set>

#include "app/menu_table.h"
#include "fake_host.h"

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Modes without a prompt of their own (they show the idle prompt).
const std::set<int> kTransientModes = {211, 2301, 2311};

TEST(CommandTable, EveryStepOfEveryMethodHasItsPrompt)
{
    for (const CommandMethod& m : CommandMethods()) {
        const int variants = m.items.empty() ? 1 : static_cast<int>(m.items.size() > 3 ? 3 : m.items.size());
        for (int v = 0; v < variants; ++v) {
            for (int s = 0; s < static_cast<int>(m.steps.size()); ++s) {
                const int mode = m.modeOf(v, s);
                EXPECT_EQ(HasPrompt(mode), !kTransientModes.contains(mode)) << mode;
                const auto info = LookupMode(mode);
                ASSERT_TRUE(info) << mode;
                EXPECT_EQ(info->method, &m) << mode;
                EXPECT_EQ(info->step, s) << mode;
            }
        }
    }
}

TEST(CommandTable, EveryItemIsADrawMenuEntry)
{
    std::set<std::string> entries;
    for (const MenuRow& row : PopupMenuRows())
        entries.insert(row.name);
    for (const CommandMethod& m : CommandMethods()) {
        for (const MenuItem& item : m.items)
            EXPECT_TRUE(entries.contains(item.handler)) << item.handler;
    }
}

TEST(CommandTable, SequencePromptsShowThePointNumber)
{
    Construction c;
    c.nextPoint = 3;
    EXPECT_EQ(PromptFor(2000, c), Text("ポリライン｜第3点を指示して下さい（完了:前回位置/第1点と同位置）"));
    c.changeHandle = 4;
    EXPECT_EQ(PromptFor(2011, c), Text("ポリゴン変更｜第5点を指示して下さい"));
    EXPECT_EQ(PromptFor(0, c), Text("画面上で右クリックするとメニューが表示されます。"));
    EXPECT_EQ(PromptFor(211, c), Text("画面上で右クリックするとメニューが表示されます。"));
}

// The system's Backspace lists, for the modes of this table.
const std::set<int> kReopens = {130,  140,  150,  310,  312,  314,  410,  411,  412,  420,  423,  426,  500,
                                502,  504,  510,  512,  514,  520,  521,  522,  530,  532,  534,  610,  620,
                                630,  700,  710,  720,  730,  740,  750,  760,  800,  810,  820,  830,  831,
                                832,  900,  910,  920,  930,  931,  932,  1000, 1010, 1020, 1030, 1031, 1032,
                                1100, 1110, 1120, 1130, 1131, 1132, 2040, 2050, 2060, 2070, 2080, 2090, 3000};
const std::set<int> kNoEffect = {0,    1,    2,    10,   20,   100,  102,  110,  120,  200,  210,  300,  302,
                                 304,  306,  316,  400,  402,  404,  406,  429,  430,  433,  436,  439,  506,
                                 516,  536,  600,  604,  605,  640,  643,  704,  705,  706,  734,  735,  754,
                                 755,  804,  805,  806,  840,  843,  846,  904,  905,  906,  940,  943,  946,
                                 1004, 1005, 1006, 1040, 1043, 1046, 1050, 1053, 1056, 1105, 1106, 1107, 1108,
                                 1140, 1150, 1160, 1170, 1180, 1190, 2001, 2011, 2101, 2201, 2211, 2300, 2310};
const std::set<int> kDropsPoint = {2000, 2010, 2020, 2030, 2100, 2200, 2210, 2220, 2230};

TEST(CommandTable, BackspaceFollowsTheSystemLists)
{
    for (const CommandMethod& m : CommandMethods()) {
        const int variants = static_cast<int>(std::min<size_t>(3, std::max<size_t>(1, m.items.size())));
        for (int v = 0; v < variants; ++v) {
            for (int s = 0; s < static_cast<int>(m.steps.size()); ++s) {
                const int mode = m.modeOf(v, s);
                if (kTransientModes.contains(mode))
                    continue;
                const Backspace rule = s == 0 ? m.atFirstStep : m.laterSteps;
                const Backspace expected = kReopens.contains(mode)      ? Backspace::ReopenDialog
                                           : kNoEffect.contains(mode)   ? Backspace::NoEffect
                                           : kDropsPoint.contains(mode) ? Backspace::DropLastPoint
                                                                        : Backspace::StepBack;
                EXPECT_EQ(rule, expected) << mode;
            }
        }
    }
}

NumericRows gAsked;

std::function<bool(NumericRows&)> Answer(std::vector<double> values)
{
    return [values](NumericRows& rows) {
        gAsked = rows;
        for (size_t i = 0; i < values.size(); ++i)
            rows[i].value = values[i];
        return true;
    };
}

TEST(DialogRows, RadiusIsOfferedClampedAndRemembered)
{
    FakeHost h;
    h.numbers = Answer({5000});
    ASSERT_TRUE(h.start("PopDrawCirc4Click"));
    EXPECT_EQ(gAsked[0].name, Text("半径"));
    EXPECT_EQ(gAsked[0].unit, Text("ドット"));
    EXPECT_EQ(gAsked[0].value, 10);
    EXPECT_EQ(gAsked[0].minimum, 0.001);
    EXPECT_EQ(gAsked[0].maximum, 1000);
    EXPECT_FALSE(gAsked[1].visible);
    EXPECT_EQ(h.settings.construction.circleRadius, 1000);
    EXPECT_EQ(h.state.CommandMode, 410);
    h.click(100, 100);
    ASSERT_EQ(h.drawing.tables.circles.size(), 1u);
    EXPECT_EQ(h.drawing.tables.circles[0].r, 1000);
    EXPECT_EQ(h.state.CommandMode, 410);  // every click makes a circle
}

TEST(DialogRows, CancelLeavesTheCommandAndTheValues)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(10, 10);
    h.start("PopDrawCirc7Click");  // no script: Cancel
    EXPECT_EQ(h.dialogsAsked, 1);
    EXPECT_EQ(h.state.CommandMode, 101);
    EXPECT_EQ(h.settings.construction.circleRadius, 10);
}

TEST(DialogRows, BackspaceAtTheFirstStepReopensTheDialog)
{
    FakeHost h;
    h.numbers = Answer({20});
    h.start("PopDrawCirc8Click");
    EXPECT_EQ(h.state.CommandMode, 423);
    h.numbers = Answer({30});
    h.backspace();
    EXPECT_EQ(h.dialogsAsked, 2);
    EXPECT_EQ(gAsked[0].value, 20);  // offers the value confirmed last
    EXPECT_EQ(h.state.CommandMode, 423);
    EXPECT_EQ(h.state.construction.work.radius, 30);
}

TEST(DialogRows, EllipseStartedWithoutTiltReopensTheTiltDialog)
{
    FakeHost h;
    h.start("PopDrawElli2Click");
    EXPECT_EQ(h.dialogsAsked, 0);
    EXPECT_EQ(h.state.CommandMode, 502);
    h.numbers = Answer({-400});
    h.backspace();
    EXPECT_EQ(gAsked[0].name, Text("傾き角度"));
    EXPECT_EQ(h.settings.construction.ellipseTiltDeg, -360);
    EXPECT_EQ(h.state.CommandMode, 502);
}

TEST(DialogRows, CountsAreCutToTheirIntegerPartAndStartAnglesReduced)
{
    ConstructionParameters params;
    WorkingValues work;
    FakeHost h;
    h.numbers = Answer({7.9});
    ASSERT_TRUE(AskBeforeStart(Ask::CornerCount, h, params, work));
    EXPECT_EQ(params.cornerCount, 7);
    EXPECT_EQ(work.count, 7);
    h.numbers = Answer({2});
    AskBeforeStart(Ask::CornerCount, h, params, work);
    EXPECT_EQ(params.cornerCount, 3);
    h.numbers = Answer({10, -90, 360});
    ASSERT_TRUE(AskBeforeStart(Ask::ArcRadiusAngles, h, params, work));
    EXPECT_EQ(params.arcStartDeg, 270);
    EXPECT_EQ(params.arcSweepDeg, 359.9999);
}

TEST(DialogRows, AngleLineDirectionIsTheNegatedAnglePlusTheSelectedLine)
{
    FakeHost h;
    h.start("PopDrawLineClick");
    h.click(10, 10);
    h.click(10, 50);  // straight down: 90 degrees in drawing coordinates
    h.drawing.selection.push_back({0, static_cast<int32_t>(ElementKind::Line), 0});
    h.numbers = Answer({30});
    h.start("PopDrawLineAngClick");
    EXPECT_EQ(h.state.CommandMode, 150);
    EXPECT_DOUBLE_EQ(h.state.construction.work.directionDeg, 60);
    EXPECT_EQ(h.settings.construction.lineAngleDeg, 30);
}

TEST(DialogRows, CornersComeFromTheCornerDialog)
{
    FakeHost h;
    h.corners = [](ConstructionParameters& p) {
        p.cornerTypes[1] = 4;
        p.cornerWidths[1] = 6;
        p.cornerHeights[1] = 8;
        return true;
    };
    h.start("PopDrawCBox3Click");
    EXPECT_EQ(h.state.CommandMode, 314);
    h.click(20, 20);
    h.click(120, 90);
    ASSERT_EQ(h.drawing.tables.cornerRects.size(), 1u);
    const CornerRectRecord& r = h.drawing.tables.cornerRects[0];
    EXPECT_EQ(r.cornerTypes[1], 4);
    EXPECT_EQ(r.cornerSizes[2], 6);
    EXPECT_EQ(r.cornerSizes[3], 8);
    EXPECT_EQ(r.h.fillMode, 2);
    EXPECT_EQ(h.operation, Text("角付長方形作図(1)"));
}

TEST(CircleCommand, SecondPassPointBeyondTheDiameterIsIgnored)
{
    FakeHost h;
    h.numbers = Answer({5});
    h.start("PopDrawCirc7Click");
    h.click(100, 100);
    h.click(111, 100);
    EXPECT_EQ(h.state.CommandMode, 421);
    EXPECT_EQ(h.prompt, Text("円｜第２通過点を指示して下さい"));
    h.click(106, 100);
    EXPECT_EQ(h.state.CommandMode, 422);
    h.click(103, 110);  // below the chord on the screen
    ASSERT_EQ(h.drawing.tables.circles.size(), 1u);
    EXPECT_NEAR(h.drawing.tables.circles[0].cx, 103, 1e-9);
    EXPECT_NEAR(h.drawing.tables.circles[0].cy, 96, 1e-9);
    EXPECT_EQ(h.drawing.tables.circles[0].method, 1);
    EXPECT_EQ(h.state.CommandMode, 420);
}

TEST(CircleCommand, PreviewOfTheDirectionStepUsesTheSideRule)
{
    FakeHost h;
    h.numbers = Answer({5});
    h.start("PopDrawCirc7Click");
    h.click(100, 100);
    h.click(106, 100);
    h.hover(103, 110);
    ASSERT_EQ(h.state.previewShape.polylines.size(), 1u);
    // The circle's lowest vertex is at the centre's y + 5: the centre is (103, 96).
    double lowest = -1e9;
    for (PointD p : h.state.previewShape.polylines[0])
        lowest = std::max(lowest, p.y);
    EXPECT_NEAR(lowest, 101, 1e-9);
}

TEST(CircleCommand, CollinearThreePointsAreRefused)
{
    FakeHost h;
    h.start("PopDrawCircBClick");
    h.click(10, 10);
    h.click(50, 50);
    h.click(90, 90);
    EXPECT_TRUE(h.drawing.registry.empty());
    EXPECT_EQ(h.operation, Text("円作図NG"));
    EXPECT_EQ(h.state.CommandMode, 433);
}

TEST(RectCommand, ClosedKindsStoreEndStyleThreeAsJoinZero)
{
    FakeHost h;
    h.settings.attributes.endStyle = 3;
    h.start("PopDrawBox2Click");
    h.click(50, 40);
    h.click(10, 10);
    ASSERT_EQ(h.drawing.tables.rects.size(), 1u);
    EXPECT_EQ(h.drawing.tables.rects[0].h.joinStyle, 0);
    EXPECT_EQ(h.drawing.tables.rects[0].h.fillMode, 1);
    EXPECT_EQ(h.drawing.tables.rects[0].x1, 10);
    EXPECT_EQ(h.operation, Text("長方形作図(1)"));
}

}  // namespace
