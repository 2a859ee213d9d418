// Point markers (25 distinct shapes, unknown styles as the circle) and text
// (blanks, anchors, angle, x ratio, the measured box of the constructors).
#include <QCryptographicHash>
#include <set>

#include "render/renderers.h"
#include "storage/cp932.h"
#include "tests/render/render_canvas.h"

using namespace render_test;

namespace {

QByteArray markerImage(int style)
{
    Canvas c(40, 40);
    RenderPoint(c.g, -1, c.view, PointRecord{0, 1, 0, style, 20, 20, 24});
    const QImage& img = c.done();
    return QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()),
                                    QCryptographicHash::Sha1);
}

TEST(PointMarkers, AllTwentyFiveStylesDiffer)
{
    std::set<QByteArray> seen;
    for (int style = 0; style < 25; ++style)
        EXPECT_TRUE(seen.insert(markerImage(style)).second) << "style " << style;
}

TEST(PointMarkers, UnknownStylesDrawTheCircle)
{
    EXPECT_EQ(markerImage(25), markerImage(0));
    EXPECT_EQ(markerImage(-3), markerImage(0));
}

TEST(PointMarkers, FilledStylesUseThePenColour)
{
    Canvas c(40, 40);
    RenderPoint(c.g, -1, c.view, PointRecord{0, 1, 1, 8, 20, 20, 20});
    EXPECT_EQ(c.at(20, 20), kBlue);
    EXPECT_EQ(c.at(12, 12), kBlue) << "a filled square of side 20";
    EXPECT_EQ(c.at(5, 5), kWhite);
}

TEST(PointMarkers, TriangleUpHasItsVertexAtTheTop)
{
    Canvas c(40, 40);
    RenderPoint(c.g, -1, c.view, PointRecord{0, 1, 0, 10, 20, 20, 30});
    const QRect ink = c.inked();
    EXPECT_NEAR(ink.top(), 5, 1);
    EXPECT_NEAR(ink.bottom(), 27, 1) << "the base at r/2 below the point";
}

TextRecord text(const char* s, int anchor, double angle = 0, double xRatio = 1)
{
    TextRecord t;
    t.brushKind = 1;
    t.brushRef = 0;
    t.anchor = anchor;
    t.x = 100, t.y = 100, t.size = 20, t.angle = angle, t.xRatio = xRatio;
    t.fontName = "ＭＳ ゴシック";
    t.text = s;
    return t;
}

QRect renderedText(const TextRecord& t)
{
    Canvas c(200, 200);
    RenderText(c.g, -1, c.view, t);
    return c.inked();
}

TEST(Text, BlanksOnlyDrawNothing)
{
    EXPECT_TRUE(renderedText(text(" \xE3\x80\x80 ", 0)).isNull());
    EXPECT_FALSE(renderedText(text("AB", 0)).isNull());
}

TEST(Text, FileBytesThatAreNoCharacterDrawAsTheReplacementGlyph)
{
    const auto image = [](const std::string& s) {
        Canvas c(200, 200);
        RenderText(c.g, -1, c.view, text(s.c_str(), 0));
        return QImage(c.done());
    };
    // 0xA0 is undefined, 0x80 a lead byte taking B as its second byte, 0xFA5B
    // a duplicate code of the character at 0x81E6.
    const QImage kept = image(cp932ToUtf8("A\xA0" "B\x80" "B\xFA\x5B"));
    EXPECT_EQ(kept, image("A\uFFFDB\uFFFD∵"));
    EXPECT_NE(kept, image("ABB∵"));
}

// A translucent colour blends with what is under it: black text at alpha
// 64 on white is a light grey, never the dark premultiplied value.
TEST(Text, TranslucentColourBlendsWithTheBackground)
{
    Canvas c(200, 200);
    appendEntry(c.drawing.attributes.brushAlphaColor, PenAlphaColorEntry{0, 0x000000, 64});
    TextRecord t = text("MMM", 0);
    t.brushKind = 2;
    RenderText(c.g, -1, c.view, t);
    const QImage& image = c.done();
    std::set<QRgb> inks;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite)
                inks.insert(image.pixel(x, y));
    ASSERT_FALSE(inks.empty());
    const int blended = 255 - 64;  // white under a quarter of black
    for (QRgb ink : inks)
        EXPECT_NEAR(qRed(ink), blended, 1) << std::hex << ink;
}

TEST(Text, TooSmallOrWithoutFontDrawsNothing)
{
    TextRecord tiny = text("AB", 0);
    tiny.size = 2;
    EXPECT_TRUE(renderedText(tiny).isNull());
    TextRecord nofont = text("AB", 0);
    nofont.fontName = "No Such Font Family 123";
    EXPECT_TRUE(renderedText(nofont).isNull());
}

struct AnchorRow {
    const char* name;
    int anchor;
    int side;   // -1 ink left of the point, 0 around it, +1 right of it
    int level;  // -1 ink above the point, 0 around it, +1 below it
};

class TextAnchor : public ::testing::TestWithParam<AnchorRow> {};

TEST_P(TextAnchor, BoxIsPlacedByItsAnchor)
{
    const AnchorRow row = GetParam();
    const QRect ink = renderedText(text("MMM", row.anchor));
    ASSERT_FALSE(ink.isNull());
    const auto where = [](int lo, int hi) { return hi < 100 ? -1 : lo > 100 ? 1 : 0; };
    EXPECT_EQ(where(ink.left(), ink.right()), row.side);
    EXPECT_EQ(where(ink.top(), ink.bottom()), row.level);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextAnchor,
                         ::testing::Values(AnchorRow{"bottom_left", 0, 1, -1}, AnchorRow{"bottom_centre", 1, 0, -1},
                                           AnchorRow{"bottom_right", 2, -1, -1}, AnchorRow{"middle_left", 3, 1, 0},
                                           AnchorRow{"centre", 4, 0, 0}, AnchorRow{"middle_right", 5, -1, 0},
                                           AnchorRow{"top_left", 6, 1, 1}, AnchorRow{"top_centre", 7, 0, 1},
                                           AnchorRow{"top_right", 8, -1, 1}, AnchorRow{"unknown_is_bottom_left", 12, 1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Text, CentredAtNinetyDegreesRunsUpward)
{
    const QRect flat = renderedText(text("MMMMMM", 4));
    const QRect up = renderedText(text("MMMMMM", 4, 90));
    EXPECT_GT(flat.width(), flat.height());
    EXPECT_GT(up.height(), up.width());
    EXPECT_NEAR(up.center().x(), 100, 3);
    EXPECT_NEAR(up.center().y(), 100, 3);
    EXPECT_NEAR(up.height(), flat.width(), 2);
}

TEST(Text, XRatioStretchesAlongTheText)
{
    const QRect plain = renderedText(text("MMMM", 6));
    const QRect wide = renderedText(text("MMMM", 6, 0, 2));
    EXPECT_NEAR(wide.width(), 2 * plain.width(), 3);
    EXPECT_NEAR(wide.height(), plain.height(), 1);
}

TEST(MeasureTextBox, CornerFollowsAnchorAndAngle)
{
    ensureGuiApp();
    const StoredTextBox bl = MeasureTextBox(text("MMMM", 0));
    EXPECT_DOUBLE_EQ(bl.a, 100);
    EXPECT_DOUBLE_EQ(bl.b, 100);
    EXPECT_GT(bl.c, 40);  // four full-width-ish glyphs of 20 units plus a third of an em
    EXPECT_GT(bl.d, 19);

    const StoredTextBox tr = MeasureTextBox(text("MMMM", 8));
    EXPECT_NEAR(tr.a, 100 - bl.c, 1e-9);
    EXPECT_NEAR(tr.b, 100 + bl.d, 1e-9) << "the box hangs below a top anchor";

    const StoredTextBox turned = MeasureTextBox(text("MMMM", 2, 90));
    EXPECT_NEAR(turned.a, 100, 1e-9);
    EXPECT_NEAR(turned.b, 100 + bl.c, 1e-9) << "a right anchor at 90 degrees starts below the point";

    const StoredTextBox stretched = MeasureTextBox(text("MMMM", 0, 0, 0.5));
    EXPECT_NEAR(stretched.c, bl.c / 2, 1e-9);
}

TEST(MeasureTextBox, NoFontMeasuresZero)
{
    ensureGuiApp();
    TextRecord t = text("AB", 0);
    t.fontName = "No Such Font Family 123";
    const StoredTextBox box = MeasureTextBox(t);
    EXPECT_EQ(box.c, 0);
    EXPECT_EQ(box.d, 0);
}

}  // namespace
