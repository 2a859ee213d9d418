// The fan rasteriser of the path-gradient brush against the same fan drawn
// with one Qt linear-gradient polygon per triangle (each replacing what is
// under it): the colours agree to rounding, and so do the pixels covered,
// except for pixel centres exactly on an edge.
#include <QLinearGradient>
#include <QPainter>
#include <gtest/gtest.h>

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
