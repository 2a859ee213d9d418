// The handle rows against the machine and the grip layouts: every row's
// change mode is a mode of the family table with the row's rebuild and rubber
// band; every grip that BuildControlPoints lays out for a kind and method
// enters a row (points and texts deliberately none); and moving the picked
// grip of each handle kind keeps the element's other defining points.
#include <gtest/gtest.h>

#include <set>

#include "editing/edit_commands.h"
#include "fake_host.h"
#include "interaction/handle_rows.h"
#include "model/selection.h"

namespace {

TEST(HandleRows, EveryRowIsAChangeModeOfTheMachineWithItsRebuild)
{
    std::set<int> modes;
    for (const HandleRow& row : HandleRows()) {
        EXPECT_TRUE(modes.insert(row.mode).second) << "mode " << row.mode << " has two rows";
        const auto info = LookupMode(row.mode);
        ASSERT_TRUE(info) << row.mode;
        EXPECT_EQ(info->step, 0) << row.mode;
        EXPECT_EQ(info->method->change, row.rebuild) << row.mode;
        ASSERT_EQ(info->method->steps.size(), 1u) << row.mode;
        EXPECT_EQ(info->method->steps[0].preview, row.preview) << row.mode;
        EXPECT_TRUE(info->method->items.empty()) << row.mode;
        EXPECT_TRUE(row.setup && row.rebuild) << row.mode;
    }
    for (const CommandMethod& m : CommandMethods()) {
        if (m.change) {
            EXPECT_TRUE(modes.contains(m.firstMode)) << m.firstMode << " is a change mode without a handle row";
        }
    }
}

// An element drawn through its Draw item.
struct Figure {
    const char* name;
    const char* draw;
    std::vector<double> dialog;
    std::vector<QPoint> clicks;
    GripLayout layout;
};

std::ostream& operator<<(std::ostream& os, const Figure& f)
{
    return os << f.name;
}

const QPoint c0{200, 150};
const std::vector<QPoint> centreEnds{c0, {240, 130}, {200, 110}, {160, 150}};

const Figure kLine{"line", "PopDrawLineClick", {}, {{50, 50}, {150, 80}}, GripLayout::Line};
const Figure kPoint{"point", "PopDrawTenClick", {}, {{60, 60}}, GripLayout::Point};
const Figure kRect{"rect", "PopDrawBox1Click", {}, {{50, 50}, {150, 100}}, GripLayout::Rect};
const Figure kCornerRect{"corner_rect", "PopDrawCBox1Click", {}, {{50, 50}, {150, 100}}, GripLayout::CornerRect};
const Figure kCircle{"circle", "PopDrawCirc1Click", {}, {c0, {240, 150}}, GripLayout::CircleRadius};
const Figure kCircleTwoPoints{"circle_two_points", "PopDrawCirc7Click", {30}, {c0, {240, 150}, {220, 190}},
                              GripLayout::CircleRadiusTwoPoints};
const Figure kCircleThreePoints{"circle_three_points", "PopDrawCircAClick", {}, {{100, 100}, {200, 100}, {150, 150}},
                                GripLayout::CircleThreePoints};
const Figure kEllipse{"ellipse", "PopDrawElli1Click", {}, {c0, {260, 190}}, GripLayout::EllipseRadius};
const Figure kEllipseDiagonal{"ellipse_diagonal", "PopDrawElli7Click", {}, {{150, 100}, {250, 180}},
                              GripLayout::EllipseDiagonal};
const Figure kEllipseRatio{"ellipse_ratio", "PopDrawElliGClick", {0.5}, {{150, 150}, {250, 150}},
                           GripLayout::EllipseRatio};
const Figure kArc{"arc", "PopDrawArc1Click", {}, {c0, {240, 150}, {200, 110}, {160, 150}}, GripLayout::Arc};
const Figure kArcThreePoints{"arc_three_points", "PopDrawArc5Click", {}, {{240, 150}, {160, 150}, {200, 110}},
                             GripLayout::ArcThreePoints};
const Figure kEllipticArc{"elliptic_arc", "PopDrawEArc1Click", {}, centreEnds, GripLayout::EllipticArc};
const Figure kEllipticArcDiagonal{"elliptic_arc_diagonal", "PopDrawEArc5Click", {},
                                  {{160, 130}, {240, 170}, {200, 100}, {150, 150}}, GripLayout::EllipticArcDiagonal};
const Figure kEllipticArcAxis{"elliptic_arc_axis", "PopDrawEArc8Click", {0.5},
                              {{160, 150}, {240, 150}, {200, 100}, {150, 150}}, GripLayout::EllipticArcAxis};
const Figure kPie{"pie", "PopDrawPie1Click", {}, centreEnds, GripLayout::Pie};
const Figure kChord{"chord", "PopDrawChord1Click", {}, centreEnds, GripLayout::Chord};
const Figure kOutside{"outside", "PopDrawEOut1Click", {}, centreEnds, GripLayout::Outside};
const Figure kRing{"ring", "PopDrawDnt1Click", {}, {c0, {240, 130}, {220, 140}, {200, 110}, {160, 150}},
                   GripLayout::Ring};
const Figure kPolyline{"polyline", "PopDrawPlin1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {150, 150}},
                       GripLayout::Polyline};
const Figure kPolygon{"polygon", "PopDrawPgon1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {100, 100}},
                      GripLayout::Polygon};
const Figure kBezier{"bezier", "PopDrawBez1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {200, 150}, {200, 150}},
                     GripLayout::Bezier};
const Figure kOpenSpline{"open_spline", "PopDrawOsp1Click", {}, {{100, 100}, {150, 120}, {200, 100}, {200, 100}},
                         GripLayout::OpenSpline};
const Figure kClosedSpline{"closed_spline", "PopDrawCsp1Click", {}, {{100, 100}, {150, 100}, {150, 150}, {100, 100}},
                           GripLayout::ClosedSpline};
const Figure kText{"text", "PopDrawMojiClick", {}, {{120, 120}}, GripLayout::Text};

// Draws the figure and selects it alone, so that its grips are listed.
void drawAndSelect(FakeHost& h, const Figure& f)
{
    h.numbers = FakeHost::Answering(f.dialog);
    h.corners = [](ConstructionParameters&) { return true; };
    h.text = [](ConstructionParameters& p) {
        p.text = "A";
        return true;
    };
    ASSERT_TRUE(h.start(f.draw));
    for (const QPoint& p : f.clicks)
        h.click(p.x(), p.y());
    ASSERT_EQ(h.drawing.registry.size(), 1u) << h.operation.toStdString();
    ASSERT_TRUE(h.start("PopEditSelect1Click"));
    CommandContext c = h.ctx();
    SelectAllCommand(c);
    ASSERT_EQ(h.drawing.selection.size(), 1u);
    ASSERT_FALSE(h.drawing.controlPoints.empty());
}

class GripLayouts : public testing::TestWithParam<Figure> {};

TEST_P(GripLayouts, EveryGripEntersAHandleRowExceptPointsAndTexts)
{
    const Figure& f = GetParam();
    FakeHost h;
    drawAndSelect(h, f);
    const bool withoutChange = f.layout == GripLayout::Point || f.layout == GripLayout::Text;
    for (size_t k = 0; k < h.drawing.controlPoints.size(); ++k) {
        const ControlPoint& p = h.drawing.controlPoints[k];
        EXPECT_EQ(p.code, PointCode(f.layout)) << k;
        const HandleRow* row = FindHandleRow(p.code, static_cast<int>(k));
        EXPECT_EQ(row == nullptr, withoutChange) << "grip " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKindAndMethod, GripLayouts,
                         testing::Values(kLine, kPoint, kRect, kCornerRect, kCircle, kCircleTwoPoints,
                                         kCircleThreePoints, kEllipse, kEllipseDiagonal, kEllipseRatio, kArc,
                                         kArcThreePoints, kEllipticArc, kEllipticArcDiagonal, kEllipticArcAxis, kPie,
                                         kChord, kOutside, kRing, kPolyline, kPolygon, kBezier, kOpenSpline,
                                         kClosedSpline, kText),
                         [](const testing::TestParamInfo<Figure>& info) { return std::string(info.param.name); });

// One handle kind: the grip picked, the mode it enters, where the next click
// puts it, and the grips of the old element that the rebuilt one keeps.
struct KeptRow {
    const char* name;
    const Figure* figure;
    int grip;
    int mode;
    QPoint to;
    std::vector<int> kept;
};

std::ostream& operator<<(std::ostream& os, const KeptRow& r)
{
    return os << r.name;
}

class HandleKinds : public testing::TestWithParam<KeptRow> {};

TEST_P(HandleKinds, MovingTheGripRebuildsTheElementWithTheKeptPoints)
{
    const KeptRow& row = GetParam();
    FakeHost h;
    drawAndSelect(h, *row.figure);
    const std::vector<ControlPoint> before = h.drawing.controlPoints;
    const ControlPoint& picked = before.at(static_cast<size_t>(row.grip));
    h.click(static_cast<int>(std::lround(picked.x)), static_cast<int>(std::lround(picked.y)));
    ASSERT_EQ(h.state.CommandMode, row.mode);
    h.click(row.to.x(), row.to.y());
    ASSERT_EQ(h.drawing.registry.size(), 2u) << h.operation.toStdString();
    ASSERT_TRUE(h.drawing.registry[1].live);
    EXPECT_FALSE(h.drawing.registry[0].live);

    const ElementRef& rebuilt = h.drawing.registry[1];
    h.drawing.controlPoints.clear();
    BuildControlPoints(h.drawing, rebuilt.kind, rebuilt.index, 1);
    const auto isGrip = [&](const ControlPoint& old) {
        return std::ranges::any_of(h.drawing.controlPoints, [&](const ControlPoint& p) {
            return std::fabs(p.x - old.x) < 1e-6 && std::fabs(p.y - old.y) < 1e-6;
        });
    };
    for (int k : row.kept)
        EXPECT_TRUE(isGrip(before.at(static_cast<size_t>(k)))) << "grip " << k << " moved";
    // A radius change is picked at the centre, which stays.
    if (std::ranges::find(row.kept, row.grip) == row.kept.end()) {
        EXPECT_FALSE(isGrip(picked)) << "the picked grip stayed";
    }
}

INSTANTIATE_TEST_SUITE_P(
    OnePerHandleKind, HandleKinds,
    testing::Values(KeptRow{"line_end", &kLine, 1, 102, {170, 120}, {0}},
                    KeptRow{"rect_corner", &kRect, 0, 306, {20, 30}, {3}},
                    KeptRow{"corner_rect_corner", &kCornerRect, 1, 316, {170, 30}, {2}},
                    KeptRow{"circle_rim", &kCircle, 1, 406, {260, 150}, {0}},
                    KeptRow{"circle_pass_point", &kCircleTwoPoints, 1, 429, {210, 160}, {2}},
                    KeptRow{"circle_three_points", &kCircleThreePoints, 2, 439, {190, 60}, {1, 3}},
                    KeptRow{"ellipse_corner", &kEllipse, 1, 506, {250, 200}, {0}},
                    KeptRow{"ellipse_diagonal", &kEllipseDiagonal, 1, 516, {130, 90}, {2}},
                    KeptRow{"ellipse_axis_end", &kEllipseRatio, 2, 536, {270, 150}, {1}},
                    KeptRow{"arc_radius", &kArc, 0, 604, {262, 150}, {0}},
                    KeptRow{"arc_start", &kArc, 1, 605, {200, 190}, {0, 2}},
                    KeptRow{"arc_third_point", &kArcThreePoints, 3, 643, {200, 100}, {1, 2}},
                    KeptRow{"elliptic_arc_radius", &kEllipticArc, 0, 704, {260, 120}, {0}},
                    KeptRow{"elliptic_arc_start", &kEllipticArc, 1, 705, {170, 180}, {0, 2}},
                    KeptRow{"elliptic_arc_end", &kEllipticArcAxis, 2, 706, {150, 180}, {0, 1}},
                    KeptRow{"elliptic_arc_corner", &kEllipticArcDiagonal, 3, 734, {140, 120}, {4}},
                    KeptRow{"pie_start", &kPie, 1, 805, {230, 190}, {0, 2}},
                    KeptRow{"chord_end", &kChord, 2, 906, {170, 185}, {0, 1}},
                    KeptRow{"outside_radius", &kOutside, 0, 1004, {260, 120}, {0}},
                    KeptRow{"ring_start", &kRing, 1, 1106, {230, 190}, {0, 2}},
                    KeptRow{"ring_inner", &kRing, 3, 1108, {212, 143}, {0, 1, 2}},
                    KeptRow{"polyline_vertex", &kPolyline, 1, 2001, {170, 80}, {0, 2}},
                    KeptRow{"polygon_vertex", &kPolygon, 2, 2011, {120, 180}, {0, 1}},
                    KeptRow{"bezier_point", &kBezier, 0, 2101, {80, 60}, {1, 2, 3}},
                    KeptRow{"open_spline_point", &kOpenSpline, 2, 2201, {230, 60}, {0, 1}},
                    KeptRow{"closed_spline_point", &kClosedSpline, 0, 2211, {90, 60}, {1, 2}}),
    [](const testing::TestParamInfo<KeptRow>& info) { return std::string(info.param.name); });

}  // namespace
