// Appending elements, find-or-append of attributes, layers.
#include <gtest/gtest.h>

#include "model/data.h"

namespace {

TEST(DrawingAppend, RegistryNamesKindAndIndexInOrder)
{
    Drawing d;
    EXPECT_EQ(d.AppendLine({}), 0);
    EXPECT_EQ(d.AppendCircle({}), 0);
    EXPECT_EQ(d.AppendLine({}), 1);
    ASSERT_EQ(d.registry.size(), 3u);
    EXPECT_EQ(d.registry[1].kind, 150);
    EXPECT_EQ(d.registry[2].index, 1);
    EXPECT_TRUE(d.registry[2].live);
    EXPECT_EQ(d.journal.position(), 3);
}

TEST(DrawingAppend, ClosedKindsStoreJoinThreeAsMiterOpenKindsKeepEndThree)
{
    Drawing d;
    RectRecord rect;
    rect.h.joinStyle = 3;
    d.AppendRect(rect);
    LineRecord line;
    line.h.endStyle = 3;
    d.AppendLine(line);
    EXPECT_EQ(d.tables.rects[0].h.joinStyle, 0);
    EXPECT_EQ(d.tables.lines[0].h.endStyle, 3);
}

TEST(DrawingAppend, MethodZeroArcDerivesItsEndPointsCounterClockwise)
{
    Drawing d;
    ArcRecord arc;
    arc.r = 10;
    arc.startAngle = 90;
    arc.sweepAngle = 90;
    arc.thirdX = 5;
    d.AppendArc(arc);
    const ArcRecord& a = d.tables.arcs[0];
    EXPECT_NEAR(a.startX, 0, 1e-9);
    EXPECT_NEAR(a.startY, -10, 1e-9);
    EXPECT_NEAR(a.endX, -10, 1e-9);
    EXPECT_NEAR(a.endY, 0, 1e-9);
    EXPECT_EQ(a.thirdX, 0);
}

TEST(DrawingAppend, MethodZeroEllipticArcEndsLieWhereTheArcIsDrawn)
{
    Drawing d;
    EllipticArcRecord arc;
    arc.cx = 100, arc.cy = 50, arc.rx = 20, arc.ry = 10, arc.tilt = 0;
    arc.startAngle = 90, arc.sweepAngle = 90;
    d.AppendEllipticArc(arc);
    const EllipticArcRecord& a = d.tables.ellipticArcs[0];
    EXPECT_NEAR(a.startX, 100, 1e-9);  // top of the ellipse: y above the centre
    EXPECT_NEAR(a.startY, 40, 1e-9);
    EXPECT_NEAR(a.endX, 80, 1e-9);
    EXPECT_NEAR(a.endY, 50, 1e-9);
}

TEST(DrawingAppend, OtherMethodsKeepTheGivenPoints)
{
    Drawing d;
    ArcRecord arc;
    arc.method = 2;
    arc.startX = 7, arc.thirdY = 9;
    d.AppendArc(arc);
    EXPECT_EQ(d.tables.arcs[0].startX, 7);
    EXPECT_EQ(d.tables.arcs[0].thirdY, 9);
}

TEST(AttributeFind, WidthsWithinAMillionthShareAnEntry)
{
    CurrentAttributes cur;
    AttributeTables t;
    cur.penWidth = 1.0;
    const PenRefs a = resolvePen(t, cur);
    cur.penWidth = 1.0000001;
    EXPECT_EQ(resolvePen(t, cur).widthRef, a.widthRef);
    cur.penWidth = 1.00001;
    EXPECT_NE(resolvePen(t, cur).widthRef, a.widthRef);
    EXPECT_EQ(t.width.size(), 2u);
}

TEST(AttributeFind, ImageFileNamesCompareCaseInsensitively)
{
    AttributeTables t;
    appendEntry(t.penImage, ImageEntry{0, "C:/Tex/BRICK.PNG"});
    EXPECT_EQ(findEntry(t.penImage, ImageEntry{0, "c:/tex/brick.png"}), 0);
    EXPECT_EQ(findEntry(t.penImage, ImageEntry{0, "c:/tex/brick.jpg"}), -1);
}

TEST(AttributeFind, GradientAnglesCompareWithinATenBillionth)
{
    AttributeTables t;
    appendEntry(t.brushGradient, GradientEntry{0, 1, 2, 3, 4, 45.0});
    EXPECT_EQ(findEntry(t.brushGradient, GradientEntry{0, 1, 2, 3, 4, 45.0 + 1e-11}), 0);
    EXPECT_EQ(findEntry(t.brushGradient, GradientEntry{0, 1, 2, 3, 4, 45.0 + 1e-9}), -1);
}

TEST(AttributeFind, EachPenKindResolvesIntoItsOwnTable)
{
    AttributeTables t;
    CurrentAttributes cur;
    cur.penColors[1] = 0x123456;
    cur.penAlphas[0] = 77;
    for (int kind = 1; kind <= 5; ++kind) {
        cur.penKind = kind;
        const PenRefs refs = resolvePen(t, cur);
        EXPECT_EQ(refs.penKind, kind);
        EXPECT_EQ(refs.penRef, 0);
        EXPECT_EQ(resolvePen(t, cur).penRef, 0) << "second request finds the first entry";
    }
    EXPECT_EQ(t.penAlphaColor[0].alpha, 77);
    EXPECT_EQ(t.penAlphaColor[0].color, 0x123456);
    cur.penKind = 9;  // a stray kind falls back to the plain colour pen
    EXPECT_EQ(resolvePen(t, cur).penKind, 1);
}

TEST(AttributeFind, RadialBrushUsesItsOwnColourSlots)
{
    AttributeTables t;
    CurrentAttributes cur;
    cur.brushKind = 6;
    cur.brushColors[6] = 0x0000FF;
    cur.brushAlphas[6] = 12;
    const BrushRefs refs = resolveBrush(t, cur);
    ASSERT_EQ(t.brushRadial.size(), 1u);
    EXPECT_EQ(refs.brushKind, 6);
    EXPECT_EQ(t.brushRadial[0].color1, 0x0000FF);
    EXPECT_EQ(t.brushRadial[0].alpha2, 12);
}

TEST(Layers, DeletedElementLeavesItsLayerUnused)
{
    Drawing d;
    LineRecord line;
    line.h.layer = 7;
    d.AppendLine(line);
    d.RecomputeLayerUse();
    EXPECT_TRUE(d.layers[7].inUse);
    d.markDead(0);
    d.RecomputeLayerUse();
    EXPECT_FALSE(d.layers[7].inUse);
}

TEST(Layers, OutOfRangeLayersAndIndicesNeverIndexTheTables)
{
    Drawing d;
    LineRecord line;
    line.h.layer = 999;
    d.AppendLine(line);
    d.registry.push_back(ElementRef{100, 42, 1});  // index past the table
    d.registry.push_back(ElementRef{140, 0, 1});   // no such kind
    d.RecomputeLayerUse();
    for (const Layer& l : d.layers)
        EXPECT_FALSE(l.inUse);
    EXPECT_FALSE(d.layerVisible(-1));
    EXPECT_FALSE(d.layerVisible(256));
    EXPECT_EQ(d.layerOf(d.registry[1]), -1);
}

TEST(Layers, ResetEmptiesEverythingAndSetUpRestoresTheSlots)
{
    Drawing d;
    d.AppendPoint({});
    d.layers[3].visible = false;
    d.ResetDatabase();
    EXPECT_TRUE(d.registry.empty());
    EXPECT_TRUE(d.tables.points.empty());
    EXPECT_TRUE(d.layers.empty());
    EXPECT_EQ(d.journal.undoLevel(), 0);
    d.SetUpLayers();
    ASSERT_EQ(d.layers.size(), 256u);
    EXPECT_TRUE(d.layers[3].visible);
}

}  // namespace
