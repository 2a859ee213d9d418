// Dashed strokes against their dashes drawn one at a time: each dash is
// worked out here from the pattern by arc length and stroked as a solid
// open figure with the caps it should get, so the phase across corners, the
// pattern's run round a closed figure, odd custom patterns, dash caps apart
// from line caps and several figures in one stroke are checked on pixels.
// Coordinates and dash lengths are multiples of powers of two, so every
// dash end is exact. A translucent pen must cover the same pixels with
// one blend each, however its dash outlines overlap.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <set>

#include "render/paint.h"
#include "render/stroke.h"
#include "tests/render/render_canvas.h"

namespace {

struct DashFigure {
    QPolygonF points;
    bool closed = false;
};

struct DashPieceRow {
    const char* name;
    std::vector<DashFigure> figures;
    double width;
    int dashStyle;
    std::vector<float> custom;
    int dashCap, startCap, endCap;
};

std::ostream& operator<<(std::ostream& os, const DashPieceRow& r) { return os << r.name; }

StrokeStyle styleOf(const DashPieceRow& row)
{
    StrokeStyle style;
    style.width = row.width;
    style.dashStyle = row.dashStyle;
    style.customDashes = row.custom;
    style.dashCap = row.dashCap;
    style.startCap = row.startCap;
    style.endCap = row.endCap;
    return style;
}

// The polyline of the figure between arc lengths a and b.
QPolygonF between(const QPolygonF& path, double a, double b)
{
    QPolygonF out;
    double at = 0;
    for (qsizetype i = 0; i + 1 < path.size(); ++i) {
        const QPointF p = path[i], q = path[i + 1];
        const double len = QLineF(p, q).length();
        const auto point = [&](double s) { return p + (q - p) * ((s - at) / len); };
        if (out.isEmpty() && a < at + len)
            out << point(a);
        if (!out.isEmpty() && b <= at + len) {
            out << point(b);
            return out;
        }
        if (!out.isEmpty())
            out << q;
        at += len;
    }
    return out;
}

// Every dash of every figure stroked on its own with opaque black.
QImage dashByDash(QSize size, const DashPieceRow& row)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const StrokeStyle style = styleOf(row);
    const std::vector<double> dashes = dashLengths(style);
    for (const DashFigure& figure : row.figures) {
        QPolygonF path = figure.points;
        if (figure.closed)
            path << path.first();
        double total = 0;
        for (qsizetype i = 0; i + 1 < path.size(); ++i)
            total += QLineF(path[i], path[i + 1]).length();
        double pos = 0;
        for (size_t i = 0; pos < total; pos += dashes[i % dashes.size()], ++i) {
            if (i % 2 == 1)
                continue;
            const double end = std::min(pos + dashes[i % dashes.size()], total);
            StrokeStyle solid = style;
            solid.dashStyle = DashStyle::Solid;
            solid.startCap = !figure.closed && pos == 0 ? style.startCap : style.dashCap;
            solid.endCap = !figure.closed && end == total ? style.endCap : style.dashCap;
            strokeFigures(painter, {Figure{between(path, pos, end), false}}, solid, Paint::solid(0xFF000000));
        }
    }
    return image;
}

QImage stroked(QSize size, const DashPieceRow& row, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::vector<Figure> figures;
    for (const DashFigure& f : row.figures)
        figures.push_back({f.points, f.closed});
    strokeFigures(painter, figures, styleOf(row), Paint::solid(colour));
    return image;
}

int nonWhite(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != 0xFFFFFFFF;
    return n;
}

class DashPieces : public testing::TestWithParam<DashPieceRow> {
protected:
    void SetUp() override { render_test::ensureGuiApp(); }
    const QSize size{160, 120};
};

TEST_P(DashPieces, EachDashLiesWhereThePatternPutsItWithItsOwnCaps)
{
    const QImage expected = dashByDash(size, GetParam());
    ASSERT_GT(nonWhite(expected), 40) << "the dashes drew almost nothing";
    EXPECT_EQ(stroked(size, GetParam(), 0xFF000000), expected);
}

TEST_P(DashPieces, TranslucentDashesBlendOncePerPixel)
{
    const QImage opaque = dashByDash(size, GetParam());
    const QImage translucent = stroked(size, GetParam(), qRgba(0, 0, 160, 96));
    std::set<QRgb> colours;
    int coverageMismatch = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const bool covered = translucent.pixel(x, y) != 0xFFFFFFFF;
            coverageMismatch += covered != (opaque.pixel(x, y) != 0xFFFFFFFF);
            if (covered)
                colours.insert(translucent.pixel(x, y));
        }
    EXPECT_EQ(coverageMismatch, 0);
    EXPECT_EQ(colours.size(), 1u) << "overlapping dash outlines blended twice";
}

const QPolygonF kCorners{{8, 8}, {136, 8}, {136, 72}, {72, 72}, {72, 104}};
const QPolygonF kFrame{{16, 16}, {144, 16}, {144, 80}, {16, 80}};

INSTANTIATE_TEST_SUITE_P(
    Patterns, DashPieces,
    testing::Values(
        // 1-pixel dots with round ends: neighbouring dots' caps touch.
        DashPieceRow{"width1_round_dots", {{kCorners}}, 1, DashStyle::Dot, {}, DashCap::Round, LineCap::Flat,
                     LineCap::Flat},
        DashPieceRow{"width1_triangle_dash_dot", {{kCorners}}, 1, DashStyle::DashDot, {}, DashCap::Triangle,
                     LineCap::Square, LineCap::Round},
        // Dashes run round the corners and the line caps stay on the figure's ends.
        DashPieceRow{"width2_dashes_round_corners", {{kCorners}}, 2, DashStyle::Dash, {}, DashCap::Flat,
                     LineCap::Square, LineCap::Triangle},
        // A closed figure: the pattern runs on across the closing edge, no line caps.
        DashPieceRow{"closed_frame", {{kFrame, true}}, 2, DashStyle::DashDotDot, {}, DashCap::Round, LineCap::Square,
                     LineCap::Square},
        // An odd pattern alternates on and off on its repeat.
        DashPieceRow{"custom_odd_pattern", {{kCorners}}, 2, DashStyle::Custom, {3, 1, 2}, DashCap::Flat,
                     LineCap::Round, LineCap::Round},
        // Two crossing figures in one stroke: each starts the pattern again.
        DashPieceRow{"two_figures", {{kCorners}, {QPolygonF{{8, 112}, {152, 0}}}}, 2, DashStyle::Dash, {},
                     DashCap::Triangle, LineCap::Flat, LineCap::Flat},
        DashPieceRow{"width4_frame_and_corners", {{kFrame, true}, {kCorners}}, 4, DashStyle::DashDot, {},
                     DashCap::Triangle, LineCap::Flat, LineCap::Flat}),
    [](const testing::TestParamInfo<DashPieceRow>& info) { return std::string(info.param.name); });

// A zigzag far larger than the device: the dashes out of sight are skipped,
// and the ones in sight keep the phase and the pixels of the whole outline.
TEST(DashPiecesInSight, SkippingUnseenDashesChangesNoPixel)
{
    render_test::ensureGuiApp();
    std::vector<Figure> zigzag{{QPolygonF{{-4000, -300}, {64, 60}, {-2000, 100}, {4000, 90}, {90, -5000}}, false}};
    for (const int dash : {DashStyle::Dot, DashStyle::Dash, DashStyle::DashDotDot}) {
        StrokeStyle style;
        style.width = 2;
        style.dashStyle = dash;
        style.dashCap = DashCap::Round;
        QImage culled(160, 120, QImage::Format_RGB32), whole = culled;
        culled.fill(Qt::white);
        whole.fill(Qt::white);
        {
            QPainter painter(&culled);
            painter.translate(3.25, 0.5);
            strokeFigures(painter, zigzag, style, Paint::solid(0xFF000000));
        }
        {
            QPainter painter(&whole);
            painter.translate(3.25, 0.5);
            fillArea(painter, strokeOutline(zigzag, style), Paint::solid(0xFF000000));
        }
        ASSERT_GT(nonWhite(whole), 100) << "dash style " << dash;
        EXPECT_EQ(culled, whole) << "dash style " << dash;
    }
}

}  // namespace
