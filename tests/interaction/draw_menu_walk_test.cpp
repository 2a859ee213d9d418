// Walks the Draw menu: every item of the arc family, the point sequences,
// regular polygons, stars, freehand lines and text reaches its first mode
// with a prompt and, after scripted dialog values and clicks, builds exactly
// one element of the right kind, fill variant and method. Then a few of the
// built figures are checked on the canvas pixels.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/menu_table.h"
#include "fake_host.h"
#include "geometry/func.h"

namespace {

struct Walk {
    std::vector<double> dialog;  // numeric rows answered, in row order
    std::vector<QPoint> clicks;
    ElementKind kind;
    int fillMode = -1;  // -1: an open kind
    int method = -1;  // -1: the kind has no method code
    bool drag = false;  // the clicks are one freehand drag
};

const QPoint c0{200, 150};
const std::vector<QPoint> centreEnds{c0, {240, 130}, {200, 110}, {160, 150}};
const std::vector<QPoint> threePoints{{240, 150}, {160, 150}, {200, 110}};
const std::vector<QPoint> diagonalEnds{{160, 130}, {240, 170}, {200, 100}, {150, 150}};
const std::vector<QPoint> axisEnds{{160, 150}, {240, 150}, {200, 100}, {150, 150}};
const std::vector<double> radiiAngles{40, 20, 0, 0, 90};

std::map<std::string, Walk> walks()
{
    using K = ElementKind;
    std::map<std::string, Walk> w;
    w["PopDrawArc1Click"] = {{}, {c0, {240, 150}, {200, 110}, {160, 150}}, K::Arc, -1, 0};
    w["PopDrawArc2Click"] = {{30}, {c0, {200, 110}, {160, 150}}, K::Arc, -1, 0};
    w["PopDrawArc3Click"] = {{30, 0, 90}, {c0}, K::Arc, -1, 0};
    w["PopDrawArc4Click"] = {{40}, {{170, 150}, {230, 150}, {200, 180}}, K::Arc, -1, 0};
    w["PopDrawArc5Click"] = {{}, threePoints, K::Arc, -1, 1};
    w["PopDrawEArc1Click"] = {{}, centreEnds, K::EllipticArc, -1, 0};
    w["PopDrawEArc2Click"] = {{30}, centreEnds, K::EllipticArc, -1, 0};
    w["PopDrawEArc3Click"] = {{40, 20, 10}, {c0, {200, 110}, {160, 150}}, K::EllipticArc, -1, 0};
    w["PopDrawEArc4Click"] = {radiiAngles, {c0}, K::EllipticArc, -1, 0};
    w["PopDrawEArc5Click"] = {{}, diagonalEnds, K::EllipticArc, -1, 1};
    w["PopDrawEArc6Click"] = {{30}, diagonalEnds, K::EllipticArc, -1, 1};
    w["PopDrawEArc7Click"] = {{0, 0, 90}, {diagonalEnds[0], diagonalEnds[1]}, K::EllipticArc, -1, 1};
    w["PopDrawEArc8Click"] = {{0.5}, axisEnds, K::EllipticArc, -1, 2};
    w["PopDrawEArc9Click"] = {{0.5, 0, 90}, {axisEnds[0], axisEnds[1]}, K::EllipticArc, -1, 2};
    const std::pair<const char*, K> sectors[] = {{"PopDrawPie", K::Pie}, {"PopDrawChord", K::Chord},
                                                 {"PopDrawEOut", K::Outside}};
    for (const auto& [prefix, kind] : sectors) {
        const std::string p = prefix;
        for (int v = 0; v < 3; ++v) {
            const std::string n1(1, char('1' + v)), n4(1, char('4' + v)), n7(1, char('7' + v)), nA(1, char('A' + v));
            w[p + n1 + "Click"] = {{}, centreEnds, kind, v};
            w[p + n4 + "Click"] = {{30}, centreEnds, kind, v};
            w[p + n7 + "Click"] = {radiiAngles, {c0}, kind, v};
            w[p + nA + "Click"] = {{}, threePoints, kind, v};
            if (kind == K::Outside)
                w[p + std::string(1, char('D' + v)) + "Click"] = {{}, threePoints, kind, v};
        }
    }
    for (int v = 0; v < 3; ++v) {
        const auto item = [&](char first) { return "PopDrawDnt" + std::string(1, char(first + v)) + "Click"; };
        const std::vector<QPoint> ring{c0, {240, 130}, {220, 140}, {200, 110}, {160, 150}};
        w[item('1')] = {{}, ring, K::Ring, v};
        w[item('4')] = {{30}, ring, K::Ring, v};
        w[item('7')] = {{40, 40, 20, 20, 0, 0, 360}, {c0}, K::Ring, v};
        std::vector<QPoint> threeInner = threePoints;
        threeInner.push_back({210, 150});
        w[item('A')] = {{}, threeInner, K::Ring, v};
        w[item('D')] = {{}, threeInner, K::Ring, v};
    }
    w["PopDrawPlin1Click"] = {{}, {{100, 100}, {150, 100}, {150, 150}, {150, 150}}, K::Polyline};
    w["PopDrawBez1Click"] = {{}, {{100, 100}, {150, 100}, {150, 150}, {200, 150}, {200, 150}}, K::Bezier};
    w["PopDrawOsp1Click"] = {{}, {{100, 100}, {150, 120}, {200, 100}, {200, 100}}, K::OpenSpline};
    for (int v = 0; v < 3; ++v) {
        const std::vector<QPoint> triangle{{100, 100}, {150, 100}, {150, 150}, {100, 100}};
        w["PopDrawPgon" + std::to_string(1 + v) + "Click"] = {{}, triangle, K::Polygon, v};
        w["PopDrawCsp" + std::to_string(1 + v) + "Click"] = {{}, triangle, K::ClosedSpline, v};
        w["PopDrawPgon" + std::to_string(4 + v) + "Click"] = {{6}, {c0, {240, 150}}, K::Polygon, v};
        w["PopDrawPgon" + std::to_string(7 + v) + "Click"] = {{5}, {c0, {200, 100}, {200, 130}}, K::Polygon, v};
    }
    std::vector<QPoint> stroke;
    for (int x = 100; x <= 200; x += 5)
        stroke.push_back({x, 100});
    w["PopDrawPlin2Click"] = {{}, stroke, K::Polyline, -1, -1, true};
    w["PopDrawOsp2Click"] = {{}, stroke, K::OpenSpline, -1, -1, true};
    w["PopDrawMojiClick"] = {{}, {{100, 100}}, K::Text};
    return w;
}

void drag(FakeHost& h, const std::vector<QPoint>& stroke)
{
    CommandContext c = h.ctx();
    h.state.pressX = stroke.front().x();
    h.state.pressY = stroke.front().y();
    h.state.mouseFlags = kMouseLeft;
    MachineMouseDown(c, Qt::LeftButton, stroke.front());
    for (const QPoint& p : stroke)
        MachineMouseMove(c, Qt::LeftButton, p);
    ErasePreviews(c);
    MachineLeftClick(c, stroke.back());
    h.state.mouseFlags = 0;
}

struct Built {
    int fillMode = -1;
    int method = -1;
};

Built builtOf(const Drawing& d, const ElementRef& ref)
{
    Built b;
    visitElement(d, ref, [&](ElementKind, const auto& r) {
        if constexpr (requires { r.h.fillMode; })
            b.fillMode = r.h.fillMode;
        if constexpr (requires { r.method; })
            b.method = r.method;
    });
    return b;
}

void answerDialogs(FakeHost& h, const std::vector<double>& values)
{
    h.numbers = FakeHost::Answering(values);
    h.text = [](ConstructionParameters& p) {
        p.text = "Ab";
        return true;
    };
}

TEST(DrawMenuWalk, EveryItemBuildsOneElementOfItsKindVariantAndMethod)
{
    const std::map<std::string, Walk> expected = walks();
    int walked = 0;
    for (const MenuRow& row : PopupMenuRows()) {
        const auto found = expected.find(row.name);
        if (found == expected.end())
            continue;
        SCOPED_TRACE(row.name);
        const Walk& walk = found->second;
        FakeHost h;
        answerDialogs(h, walk.dialog);
        ASSERT_TRUE(h.start(row.name));
        EXPECT_NE(h.state.CommandMode, 0);
        EXPECT_TRUE(HasPrompt(h.state.CommandMode));
        const int firstMode = h.state.CommandMode;
        if (walk.drag) {
            drag(h, walk.clicks);
        } else {
            for (const QPoint& p : walk.clicks)
                h.click(p.x(), p.y());
        }
        ASSERT_EQ(h.drawing.registry.size(), 1u) << h.operation.toStdString();
        EXPECT_EQ(h.drawing.registry[0].kind, static_cast<int32_t>(walk.kind));
        const Built b = builtOf(h.drawing, h.drawing.registry[0]);
        EXPECT_EQ(b.fillMode, walk.fillMode);
        EXPECT_EQ(b.method, walk.method);
        EXPECT_EQ(h.state.CommandMode, firstMode) << "back to the first step";
        ++walked;
    }
    EXPECT_EQ(walked, static_cast<int>(expected.size()));
}

// The last element's pixels: inside and outside the figure the clicks define.
struct PixelRow {
    const char* name;
    const char* handler;
    std::vector<double> dialog;
    std::vector<QPoint> clicks;
    std::vector<QPoint> inked, blank;
};

class BuiltFigurePixels : public testing::TestWithParam<PixelRow> { };

TEST_P(BuiltFigurePixels, DrawnWhereTheGeometrySays)
{
    const PixelRow& r = GetParam();
    FakeHost h;
    h.Repaint();
    answerDialogs(h, r.dialog);
    ASSERT_TRUE(h.start(r.handler));
    for (const QPoint& p : r.clicks)
        h.click(p.x(), p.y());
    ASSERT_EQ(h.drawing.registry.size(), 1u);
    h.Repaint();
    for (const QPoint& p : r.inked)
        EXPECT_NE(h.image.pixel(p) & 0xFFFFFF, 0xFFFFFFu) << p.x() << "," << p.y();
    for (const QPoint& p : r.blank)
        EXPECT_EQ(h.image.pixel(p) & 0xFFFFFF, 0xFFFFFFu) << p.x() << "," << p.y();
}

// Radius 40 about (200, 150): the point at angle a is (200 + 40 cos a, 150 - 40 sin a).
INSTANTIATE_TEST_SUITE_P(Rows, BuiltFigurePixels,
    testing::Values(
        // Start 90 (top), end 180 (left): the upper-left quarter only.
        PixelRow{"arc_quarter", "PopDrawArc1Click", {}, {c0, {240, 150}, {200, 110}, {160, 150}},
                 {{172, 122}}, {{228, 178}, {228, 122}, {172, 178}}},
        // A filled pie from 0 over 90: inside the upper-right quarter.
        PixelRow{"pie_filled", "PopDrawPie2Click", {}, {c0, {240, 190}, {240, 150}, {200, 110}},
                 {{215, 135}}, {{185, 165}, {185, 135}, {215, 165}}},
        // A full filled ring of radii 40 and 20: the band, not the hole.
        PixelRow{"ring_band", "PopDrawDnt8Click", {40, 40, 20, 20, 0, 0, 360}, {c0},
                 {{230, 150}, {170, 150}, {200, 120}}, {{200, 150}, {205, 145}, {250, 150}}},
        // A filled hexagon of radius 40: inside near the centre, outside beyond.
        PixelRow{"hexagon_filled", "PopDrawPgon5Click", {6}, {c0, {240, 150}}, {{200, 150}, {230, 150}},
                 {{200, 108}, {245, 150}}},
        // A filled polygon dropped on its first point: the triangle.
        PixelRow{"triangle_filled", "PopDrawPgon2Click", {}, {{100, 100}, {200, 100}, {200, 200}, {100, 100}},
                 {{180, 130}}, {{120, 180}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
