// The 25 point markers, held as a table: each style is a shape (circle,
// cross-hairs, regular polygon or star) with its parameters and whether it is
// filled or outlined. Outlines use the current pen, fills the current brush
// (which RenderPoint makes from the pen's attributes). Angles are degrees
// counter-clockwise on screen.
#include <cmath>
#include <numbers>

#include "render/renderers.h"

namespace {

enum class Shape { Circle, DoubleCircle, Diameters, Square, Polygon, Star };

struct MarkerShape {
    Shape shape;
    bool filled;
    int count;           // diameters, polygon vertices or star tips
    double firstDeg;     // angle of the first diameter, vertex or tip
    double stepDeg;      // between diameters (polygons and stars step evenly)
    double innerRatio;   // stars: inner radius / outer radius; diameters: reach / r
};

constexpr MarkerShape kMarkers[25] = {
    {Shape::Circle, false, 0, 0, 0, 0},           // 0 circle
    {Shape::Circle, true, 0, 0, 0, 0},            // 1 filled circle
    {Shape::DoubleCircle, false, 0, 0, 0, 0},     // 2 circles r and r/2
    {Shape::Diameters, false, 2, 0, 90, 1},       // 3 plus
    {Shape::Diameters, false, 2, 45, 90, std::numbers::sqrt2},  // 4 cross: diagonals of the square
    {Shape::Diameters, false, 3, 30, 60, 1},      // 5 asterisk of three
    {Shape::Diameters, false, 4, 0, 45, 1},       // 6 asterisk of four
    {Shape::Square, false, 0, 0, 0, 0},           // 7 square
    {Shape::Square, true, 0, 0, 0, 0},            // 8 filled square
    {Shape::Polygon, false, 3, 90, 0, 0},         // 9 triangle, vertex up
    {Shape::Polygon, true, 3, 90, 0, 0},          // 10
    {Shape::Polygon, false, 3, 270, 0, 0},        // 11 triangle, vertex down
    {Shape::Polygon, true, 3, 270, 0, 0},         // 12
    {Shape::Polygon, false, 4, 90, 0, 0},         // 13 diamond
    {Shape::Polygon, true, 4, 90, 0, 0},          // 14
    {Shape::Polygon, false, 6, 90, 0, 0},         // 15 hexagon
    {Shape::Polygon, true, 6, 90, 0, 0},          // 16
    {Shape::Polygon, false, 8, 90, 0, 0},         // 17 octagon
    {Shape::Polygon, true, 8, 90, 0, 0},          // 18
    {Shape::Star, false, 4, 90, 0, 0.25},         // 19 four-pointed star
    {Shape::Star, true, 4, 90, 0, 0.25},          // 20
    {Shape::Star, false, 5, 90, 0, 0.5},          // 21 five-pointed star
    {Shape::Star, true, 5, 90, 0, 0.5},           // 22
    {Shape::Star, false, 6, 90, 0, 0.5},          // 23 six-pointed star
    {Shape::Star, true, 6, 90, 0, 0.5},           // 24
};

const MarkerShape& markerOf(int style)
{
    return style >= 0 && style < 25 ? kMarkers[style] : kMarkers[0];
}

QPointF polar(double cx, double cy, double r, double deg)
{
    const double a = deg * std::numbers::pi / 180;
    return {cx + r * std::cos(a), cy - r * std::sin(a)};
}

// Vertices on circles of alternating radii (all r for a polygon), closed by
// repeating the first.
QPolygonF ring(const MarkerShape& m, double cx, double cy, double r)
{
    const bool star = m.shape == Shape::Star;
    const int n = star ? 2 * m.count : m.count;
    QPolygonF pts;
    pts.reserve(n + 1);
    for (int i = 0; i < n; ++i) {
        const double radius = star && i % 2 == 1 ? r * m.innerRatio : r;
        pts.append(polar(cx, cy, radius, m.firstDeg + i * 360.0 / n));
    }
    pts.append(pts.front());
    return pts;
}

QRectF square(double cx, double cy, double r)
{
    return {cx - r, cy - r, 2 * r, 2 * r};
}

}  // namespace

bool PointMarkerIsFilled(int style)
{
    return markerOf(style).filled;
}

void DrawPointMarker(TGraphP& g, int style, double cx, double cy, double sizePx)
{
    const MarkerShape& m = markerOf(style);
    const double r = sizePx / 2;
    switch (m.shape) {
    case Shape::Circle:
        m.filled ? g.FillEllipse(square(cx, cy, r)) : g.DrawEllipse(square(cx, cy, r));
        return;
    case Shape::DoubleCircle:
        g.DrawEllipse(square(cx, cy, r));
        g.DrawEllipse(square(cx, cy, r / 2));
        return;
    case Shape::Diameters:
        for (int i = 0; i < m.count; ++i) {
            const double reach = r * m.innerRatio;
            const QPointF a = polar(cx, cy, reach, m.firstDeg + i * m.stepDeg);
            const QPointF b = polar(cx, cy, reach, m.firstDeg + i * m.stepDeg + 180);
            g.DrawLine(a.x(), a.y(), b.x(), b.y());
        }
        return;
    case Shape::Square:
        m.filled ? g.FillRectangle(square(cx, cy, r)) : g.DrawRectangle(square(cx, cy, r));
        return;
    case Shape::Polygon:
    case Shape::Star: {
        const QPolygonF pts = ring(m, cx, cy, r);
        m.filled ? g.FillPolygon(pts) : g.DrawPolygon(pts);
        return;
    }
    }
}
