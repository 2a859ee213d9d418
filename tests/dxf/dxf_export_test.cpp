// Export read back by ezdxf: a drawing of known elements and attributes is
// written, and the script checks entity counts, coordinates (y flipped about
// the image height), layers, colours, lineweights and linetypes.
#include "tests/dxf/dxf_test_support.h"

#include <cmath>

namespace {

using namespace dxf_test;

constexpr int kHeight = 200;

struct ExportCase {
    Drawing drawing;
    std::string expectations;
};

ExportCase everyKindCase()
{
    ExportCase c;
    Drawing& d = c.drawing;
    d.layers[2].name = "外形";
    d.layers[5].name = "隠す";
    d.layers[5].visible = false;
    const int32_t red = Pen(d, 0x0000FF), black = Pen(d, 0), blue = Brush(d, 0xFF0000);
    const int32_t thick = Width(d, 3), thin = Width(d, 1), dashed = Dash(d, 1), solid = Dash(d, 0);
    d.AppendLine(LineRecord{{2, 1, red, thick, dashed, 0}, 10, 20, 110, 20});
    d.AppendCircle(CircleRecord{{2, 5, 1, black, thin, solid, 0, 1, blue}, 0, 50, 50, 10});
    ArcRecord arc;
    arc.h = {0, 1, black, thin, solid, 0};
    arc.cx = 50, arc.cy = 50, arc.r = 20, arc.startAngle = 30, arc.sweepAngle = 60;
    d.AppendArc(arc);
    d.AppendEllipse(EllipseRecord{{0, 1, 1, black, thin, solid, 0, 1, 0}, 0, 60, 60, 40, 10, 30});
    d.AppendRect(RectRecord{{0, 3, 1, black, thin, solid, 0, 1, 0}, 0, 0, 20, 10});
    d.AppendPie(SectorRecord{{0, 4, 1, black, thin, solid, 0, 1, 0}, 100, 100, 10, 10, 0, 0, 90});
    d.AppendBezier(OpenPathRecord{{6, 1, black, thin, solid, 0}, {{0, 0}, {10, 20}, {30, 20}, {40, 0}}});
    TextRecord text;
    text.layer = 7, text.brushKind = 1, text.brushRef = blue, text.anchor = 4;
    text.x = 30, text.y = 40, text.size = 12, text.angle = 15, text.xRatio = 0.8;
    text.text = "文字";
    d.AppendText(text);
    d.AppendPoint(PointRecord{8, 1, red, 1, 5, 6, 2});

    const double b = std::tan(M_PI / 8);
    c.expectations = R"({
 "counts": {"LINE": 1, "CIRCLE": 1, "HATCH": 1, "ARC": 1, "ELLIPSE": 1, "LWPOLYLINE": 2,
            "SPLINE": 1, "TEXT": 1, "POINT": 1},
 "layers": {"外形": false, "隠す": true, "LAYER0": false, "LAYER1": false},
 "entities": [
  {"type": "LINE", "layer": "外形", "attribs": {"start": [10, 180], "end": [110, 180], "true_color": 16711680,
   "color": 1, "lineweight": 80, "linetype": "DASHED", "ltscale": 3}},
  {"type": "CIRCLE", "layer": "隠す", "attribs": {"center": [50, 150], "radius": 10}},
  {"type": "HATCH", "layer": "隠す", "attribs": {"true_color": 255, "solid_fill": 1}},
  {"type": "ARC", "layer": "LAYER0", "attribs": {"center": [50, 150], "radius": 20, "start_angle": 30,
   "end_angle": 90, "lineweight": 25}},
  {"type": "ELLIPSE", "layer": "LAYER1", "attribs": {"center": [60, 140], "major_axis": [34.64101615137755, 20],
   "ratio": 0.25}},
  {"type": "LWPOLYLINE", "layer": "LAYER3", "vertices": [[0, 200, 0], [20, 200, 0], [20, 190, 0], [0, 190, 0]]},
  {"type": "LWPOLYLINE", "layer": "LAYER4", "vertices": [[110, 100, )" + std::to_string(b) + R"(], [100, 110, 0], [100, 100, 0]]},
  {"type": "SPLINE", "layer": "LAYER6", "control_points": [[0, 200], [10, 180], [30, 180], [40, 200]]},
  {"type": "TEXT", "layer": "LAYER7", "attribs": {"insert": [30, 160], "height": 12, "rotation": 15,
   "width": 0.8, "halign": 1, "valign": 2, "text": "文字", "true_color": 255}},
  {"type": "POINT", "layer": "LAYER8", "attribs": {"location": [5, 194], "true_color": 16711680}}
 ]})";
    return c;
}

TEST(DxfExport, EzdxfReadsBackEveryKindWithItsAttributes)
{
    ExportCase c = everyKindCase();
    const auto folder = TempFolder();
    const auto dxfPath = folder / "every_kind.dxf", jsonPath = folder / "expected.json";
    std::ofstream(dxfPath, std::ios::binary) << WriteToString(c.drawing, {300, kHeight});
    std::ofstream(jsonPath) << c.expectations;
    std::string output;
    ASSERT_EQ(RunScript("check_export.py", dxfPath.string() + " " + jsonPath.string(), output), 0)
        << output << "(the file stays at " << dxfPath << ")";
    std::filesystem::remove_all(folder);
}

TEST(DxfExport, SinkRefusalFailsTheWrite)
{
    Drawing d;
    for (int i = 0; i < 20000; ++i)
        d.AppendLine(LineRecord{{0, 1, 0, 0, 0, 0}, 0, 0, double(i), 1});
    d.attributes.penColor.push_back({0, 0});
    int pieces = 0;
    const dxf::WriteResult result = dxf::WriteDxf(d, {100, 100}, [&pieces](std::string_view) { return ++pieces < 2; });
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
}

}  // namespace
