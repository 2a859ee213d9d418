// The fan rasteriser of the path-gradient brush against the same fan drawn
// with one Qt linear-gradient polygon per triangle (each replacing what is
// under it): the colours agree to rounding, and so do the pixels covered,
// except for pixel centres exactly on an edge; and convex fans against the
// brush's definition worked out per pixel.
#include <QLinearGradient>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render/fan_raster.h"
#include "tests/render/render_canvas.h"

namespace {

constexpr QRgb kCentre = qRgba(255, 0, 0, 255), kSurround = qRgba(0, 0, 255, 255);

QImage qtFan(QSize size, const QTransform& t, const QPolygonF& outline, QPointF centre, QRgb c, QRgb s)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setTransform(t);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.setPen(Qt::NoPen);
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const QPointF a = outline[i], b = outline[(i + 1) % outline.size()];
        const QPointF ab = b - a;
        const QPointF foot = a + ab * (QPointF::dotProduct(centre - a, ab) / QPointF::dotProduct(ab, ab));
        QLinearGradient g(foot, centre);
        g.setColorAt(0, QColor::fromRgba(s));
        g.setColorAt(1, QColor::fromRgba(c));
        g.setInterpolationMode(QGradient::ComponentInterpolation);
        p.setBrush(g);
        p.drawPolygon(QPolygonF{centre, a, b});
    }
    return image;
}

QImage ourFan(QSize size, const QTransform& t, const QPolygonF& outline, QPointF centre, QRgb c, QRgb s)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QPolygonF polygons[] = {outline};
    RasterFan(image, t, polygons, centre, c, s);
    return image;
}

// Pixels covered by one fan only, or whose colours differ by more than
// rounding; and how many pixels the reference covers.
struct Agreement {
    int differ = 0;
    int covered = 0;
};

Agreement compare(const QImage& a, const QImage& b)
{
    constexpr int kRounding = 6;
    Agreement out;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb u = a.pixel(x, y), v = b.pixel(x, y);
            out.covered += qAlpha(u) > 0;
            const int channel = std::max({std::abs(qRed(u) - qRed(v)), std::abs(qGreen(u) - qGreen(v)),
                                          std::abs(qBlue(u) - qBlue(v)), std::abs(qAlpha(u) - qAlpha(v))});
            out.differ += channel > kRounding;
        }
    }
    return out;
}

QPolygonF star(QPointF c, double outer, double inner, int points, double turnDeg)
{
    QPolygonF poly;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = (turnDeg + 180.0 * i / points) * M_PI / 180;
        const double r = i % 2 ? inner : outer;
        poly << QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    }
    return poly;
}

struct FanRow {
    const char* name;
    QPolygonF outline;
    QPointF centre;
    QTransform transform;
    QRgb centreColour, surroundColour;
};

std::ostream& operator<<(std::ostream& os, const FanRow& r)
{
    return os << r.name;
}

class FanRaster : public testing::TestWithParam<FanRow> {};

TEST_P(FanRaster, AgreesWithQtGradientPolygons)
{
    render_test::ensureGuiApp();
    const FanRow& r = GetParam();
    const QSize size(200, 160);
    const QImage qt = qtFan(size, r.transform, r.outline, r.centre, r.centreColour, r.surroundColour);
    const QImage ours = ourFan(size, r.transform, r.outline, r.centre, r.centreColour, r.surroundColour);
    const Agreement a = compare(qt, ours);
    ASSERT_GT(a.covered, 1000) << "the fan drew almost nothing";
    // Pixel centres exactly on an edge may go to either triangle; where the
    // triangles overlap (a concave outline) their colours differ there.
    EXPECT_LE(a.differ, a.covered / 200) << "covered " << a.covered;
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, FanRaster,
    testing::Values(
        FanRow{"square", QPolygonF{{40, 30}, {160, 30}, {160, 130}, {40, 130}}, {100, 80}, {}, kCentre, kSurround},
        FanRow{"off_centre", QPolygonF{{40, 30}, {160, 30}, {160, 130}, {40, 130}}, {60, 50}, {}, kCentre, kSurround},
        FanRow{"star", star({100, 80}, 70, 25, 7, 90), {100, 80}, {}, kCentre, kSurround},
        // Not star-shaped about the centre: overlapping triangles, the later one wins.
        FanRow{"concave", QPolygonF{{20, 20}, {180, 20}, {180, 140}, {100, 40}, {20, 140}}, {100, 100}, {}, kCentre,
               kSurround},
        FanRow{"turned_and_scaled", star({50, 40}, 35, 15, 5, 0), {50, 40},
               QTransform().translate(100, 80).rotate(30).scale(1.8, 1.2).translate(-50, -40), kCentre, kSurround},
        FanRow{"translucent", star({100, 80}, 70, 30, 6, 0), {100, 80}, {}, qRgba(255, 200, 0, 200),
               qRgba(0, 80, 255, 40)}),
    [](const testing::TestParamInfo<FanRow>& info) { return std::string(info.param.name); });

// Convex outlines with the centre inside, against the brush's definition
// worked out per pixel: every pixel whose centre lies inside the outline is
// covered, including those on the radial edges two triangles share, none
// outside is, and each has the colour of its place along the ray from the
// centre to the outline. Pixel centres within a hair of the outline itself
// may go either way and are not counted.
struct CoverageRow {
    const char* name;
    QPolygonF outline;
    QPointF centre;
    QTransform transform;
};

std::ostream& operator<<(std::ostream& os, const CoverageRow& r)
{
    return os << r.name;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double t = std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
    return QLineF(p, a + ab * t).length();
}

// The fraction of the way from the outline (0) to the centre (1) at p, or -1
// outside a convex outline.
double rayWeight(const QPolygonF& outline, QPointF c, QPointF p)
{
    const QPointF d = p - c;
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const QPointF a = outline[i], e = outline[(i + 1) % outline.size()] - a;
        const double den = d.x() * e.y() - d.y() * e.x();
        if (std::abs(den) < 1e-12)
            continue;
        const double s = ((a.x() - c.x()) * e.y() - (a.y() - c.y()) * e.x()) / den;  // along the ray
        const double u = ((a.x() - c.x()) * d.y() - (a.y() - c.y()) * d.x()) / den;  // along the edge
        if (s > 0 && u >= 0 && u <= 1)
            return s >= 1 ? 1 - 1 / s : -1;
    }
    return 1;  // p is the centre
}

QRgb blend(QRgb surround, QRgb centre, double t)
{
    const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return qPremultiply(qRgba(mix(qRed(surround), qRed(centre)), mix(qGreen(surround), qGreen(centre)),
                              mix(qBlue(surround), qBlue(centre)), mix(qAlpha(surround), qAlpha(centre))));
}

class FanCoverage : public testing::TestWithParam<CoverageRow> {};

TEST_P(FanCoverage, CoversExactlyTheInsideWithTheRayBlend)
{
    const CoverageRow& r = GetParam();
    const QRgb centreColour = qRgba(255, 200, 0, 220), surroundColour = qRgba(0, 60, 255, 90);
    const QImage fan = ourFan({160, 120}, r.transform, r.outline, r.centre, centreColour, surroundColour);
    const QPolygonF outline = r.transform.map(r.outline);
    const QPointF c = r.transform.map(r.centre);
    int gaps = 0, spills = 0, wrongColour = 0, inside = 0;
    for (int y = 0; y < fan.height(); ++y)
        for (int x = 0; x < fan.width(); ++x) {
            const QPointF p(x + 0.5, y + 0.5);
            double nearest = INFINITY;
            for (qsizetype i = 0; i < outline.size(); ++i)
                nearest = std::min(nearest, distanceToSegment(p, outline[i], outline[(i + 1) % outline.size()]));
            if (nearest < 1e-6)
                continue;
            const double t = rayWeight(outline, c, p);
            const QRgb got = fan.pixel(x, y);
            if (t < 0) {
                spills += qAlpha(got) != 0;
                continue;
            }
            ++inside;
            if (qAlpha(got) == 0) {
                ++gaps;
                continue;
            }
            const QRgb want = blend(surroundColour, centreColour, t);
            wrongColour += std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                                     std::abs(qBlue(got) - qBlue(want)), std::abs(qAlpha(got) - qAlpha(want))}) > 2;
        }
    ASSERT_GT(inside, 1000);
    EXPECT_EQ(gaps, 0);
    EXPECT_EQ(spills, 0);
    EXPECT_EQ(wrongColour, 0);
}

QPolygonF regular(QPointF c, double radius, int corners, double turnDeg)
{
    QPolygonF poly;
    for (int i = 0; i < corners; ++i) {
        const double a = (turnDeg + 360.0 * i / corners) * M_PI / 180;
        poly << QPointF(c.x() + radius * std::cos(a), c.y() + radius * std::sin(a));
    }
    return poly;
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, FanCoverage,
    testing::Values(
        // Slivers a few pixels wide at the rim, sharp at the centre.
        CoverageRow{"many_thin_triangles", regular({80, 60}, 55, 96, 1), {71.3, 52.7}, {}},
        // Radial edges through pixel centres: the two triangles beside each must meet exactly.
        CoverageRow{"corners_on_pixel_centres", QPolygonF{{20.5, 10.5}, {140.5, 10.5}, {140.5, 100.5}, {20.5, 100.5}},
                    {80.5, 55.5}, {}},
        // The centre level with two corners: triangles with a side along a row.
        CoverageRow{"centre_level_with_corners", QPolygonF{{80, 5}, {150, 60}, {80, 115}, {10, 60}}, {80, 60}, {}},
        // Larger than the layer on every side.
        CoverageRow{"off_every_layer_edge", regular({80, 60}, 140, 7, 10), {62.2, 47.9}, {}},
        CoverageRow{"turned_and_scaled", regular({0, 0}, 30, 11, 0), {4, -3},
                    QTransform().translate(80, 60).rotate(23).scale(2.1, 1.3)}),
    [](const testing::TestParamInfo<CoverageRow>& info) { return std::string(info.param.name); });

TEST(FanRasterCentre, TheCentreHasTheCentreColourAndTheEdgeTheSurround)
{
    const QPolygonF square{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const QImage fan = ourFan({100, 100}, {}, square, {50, 50}, kCentre, kSurround);
    const QRgb centre = fan.pixel(50, 50), edge = fan.pixel(50, 0);
    EXPECT_GE(qRed(centre), 250);
    EXPECT_LE(qBlue(centre), 5);
    EXPECT_LE(qRed(edge), 5);
    EXPECT_GE(qBlue(edge), 250);
    // Half way along the ray: half of each.
    EXPECT_NEAR(qRed(fan.pixel(50, 25)), 127, 4);
}

TEST(FanRasterCentre, AnOutlineOffTheLayerIsClippedSafely)
{
    const QPolygonF far{{-1e6, -1e6}, {1e6, -1e6}, {1e6, 1e6}, {-1e6, 1e6}};
    const QImage fan = ourFan({40, 30}, {}, far, {20, 15}, kCentre, kSurround);
    EXPECT_GT(qAlpha(fan.pixel(0, 0)), 0);
    EXPECT_GT(qAlpha(fan.pixel(39, 29)), 0);
}

}  // namespace
