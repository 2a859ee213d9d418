// .mt -> DXF -> .mt: every kind DXF holds as itself comes back with its
// geometry within 1e-6 (elements inside the image area, so the limits
// written give the frame back).
#include "tests/dxf/dxf_test_support.h"

namespace {

using namespace dxf_test;

TEST(DxfRoundTrip, GeometryOfTheKindsDxfHoldsComesBack)
{
    Drawing d;
    const int32_t pen = Pen(d, 0x00FF00), width = Width(d, 1), dash = Dash(d, 0);
    const OutlineHeader open{0, 1, pen, width, dash, 0};
    const ClosedHeader closed{0, 0, 1, pen, width, dash, 0, 1, 0};
    d.AppendLine(LineRecord{open, 10.25, 20.5, 110.125, 30.75});
    d.AppendCircle(CircleRecord{closed, 0, 50, 60, 12.5});
    d.AppendEllipse(EllipseRecord{closed, 0, 150, 100, 40, 10, 30});
    ArcRecord arc;
    arc.h = open;
    arc.cx = 80, arc.cy = 90, arc.r = 20, arc.startAngle = 30, arc.sweepAngle = 100;
    d.AppendArc(arc);
    EllipticArcRecord earc;
    earc.h = open;
    earc.cx = 200, earc.cy = 150, earc.rx = 30, earc.ry = 12, earc.tilt = 20, earc.startAngle = 10, earc.sweepAngle = 200;
    d.AppendEllipticArc(earc);
    d.AppendPolyline(OpenPathRecord{open, {{1, 2}, {30, 40}, {60, 5}}});
    d.AppendPolygon(ClosedPathRecord{closed, {{100, 200}, {150, 210}, {120, 250}}});
    d.AppendBezier(OpenPathRecord{open, {{0, 0}, {10, 20}, {30, 20}, {40, 0}, {50, 30}, {60, 30}, {70, 0}}});

    const std::string bytes = WriteToString(d, {300, 280});
    Drawing back;
    const dxf::ReadResult r = dxf::ReadDxfText(bytes, back);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.imageSize.width, 300);
    EXPECT_EQ(r.imageSize.height, 280);
    const KindTables& t = back.tables;
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_NEAR(t.lines[0].x1, 10.25, 1e-6);
    EXPECT_NEAR(t.lines[0].y1, 20.5, 1e-6);
    EXPECT_NEAR(t.lines[0].x2, 110.125, 1e-6);
    EXPECT_NEAR(t.lines[0].y2, 30.75, 1e-6);
    ASSERT_EQ(t.circles.size(), 1u);
    EXPECT_NEAR(t.circles[0].cx, 50, 1e-6);
    EXPECT_NEAR(t.circles[0].cy, 60, 1e-6);
    EXPECT_NEAR(t.circles[0].r, 12.5, 1e-6);
    ASSERT_EQ(t.ellipses.size(), 1u);
    EXPECT_NEAR(t.ellipses[0].rx, 40, 1e-6);
    EXPECT_NEAR(t.ellipses[0].ry, 10, 1e-6);
    EXPECT_NEAR(t.ellipses[0].tilt, 30, 1e-6);
    ASSERT_EQ(t.arcs.size(), 1u);
    EXPECT_NEAR(t.arcs[0].startAngle, 30, 1e-6);
    EXPECT_NEAR(t.arcs[0].sweepAngle, 100, 1e-6);
    EXPECT_NEAR(t.arcs[0].cy, 90, 1e-6);
    ASSERT_EQ(t.ellipticArcs.size(), 1u);
    EXPECT_NEAR(t.ellipticArcs[0].rx, 30, 1e-6);
    EXPECT_NEAR(t.ellipticArcs[0].ry, 12, 1e-6);
    EXPECT_NEAR(t.ellipticArcs[0].tilt, 20, 1e-6);
    EXPECT_NEAR(t.ellipticArcs[0].startAngle, 10, 1e-6);
    EXPECT_NEAR(t.ellipticArcs[0].sweepAngle, 200, 1e-6);
    ASSERT_EQ(t.polylines.size(), 1u);
    ASSERT_EQ(t.polygons.size(), 1u);
    ASSERT_EQ(t.beziers.size(), 1u);
    const std::pair<const std::vector<PointD>*, const std::vector<PointD>*> paths[] = {
        {&t.polylines[0].points, &d.tables.polylines[0].points},
        {&t.polygons[0].points, &d.tables.polygons[0].points},
        {&t.beziers[0].points, &d.tables.beziers[0].points}};
    for (const auto& [got, want] : paths) {
        ASSERT_EQ(got->size(), want->size());
        for (size_t i = 0; i < got->size(); ++i) {
            EXPECT_NEAR((*got)[i].x, (*want)[i].x, 1e-6);
            EXPECT_NEAR((*got)[i].y, (*want)[i].y, 1e-6);
        }
    }
    EXPECT_EQ(back.attributes.penColor.at(size_t(t.lines[0].h.penRef)).color, 0x00FF00);
}

}  // namespace
