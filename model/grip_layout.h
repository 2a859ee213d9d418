// The grips of the one selected element: the point code of each layout and
// what each grip number stands for. BuildControlPoints (control_points.cpp)
// lays the grips out in this order and handle editing reads the numbers back,
// so a layout is changed here and there together.
#pragma once

#include <cstdint>

// The point code of a grip: the kind code, or for circles, ellipses, arcs and
// elliptic arcs the kind code plus the construction method, since the method
// decides which defining points the grips stand for.
enum class GripLayout : int32_t {
    Line = 100,
    Point = 110,
    Rect = 120,
    CornerRect = 130,
    CircleRadius = 150,           // centre, rim point
    CircleRadiusTwoPoints = 151,  // centre, two pass points
    CircleThreePoints = 152,      // centre, three pass points
    EllipseRadius = 160,          // centre, corner of the bounding box
    EllipseDiagonal = 161,        // centre, two diagonal corners
    EllipseRatio = 162,           // centre, two axis ends
    Arc = 170,                    // centre, start, end
    ArcThreePoints = 171,         // centre, start, end, third point
    EllipticArc = 180,            // centre, start, end
    EllipticArcDiagonal = 181,    // centre, start, end, two diagonal corners
    EllipticArcAxis = 182,        // centre, start, end, two axis ends
    Pie = 190,
    Chord = 200,
    Outside = 210,
    Ring = 220,                   // centre, start, end, inner start
    Polyline = 300,               // the vertices in order (so every point list)
    Polygon = 310,
    Bezier = 320,
    OpenSpline = 330,
    ClosedSpline = 340,
    Text = 400,
};

constexpr int32_t PointCode(GripLayout layout)
{
    return static_cast<int32_t>(layout);
}

// The grip numbers, by layout.
namespace grip {

// Lines: the two ends.
inline constexpr int kLineStart = 0;
inline constexpr int kLineEnd = 1;

// Boxes (rectangles, cornered rectangles): the corners (x1, y1) (x2, y1)
// (x1, y2) (x2, y2), so bit 0 of the number picks x2 and bit 1 y2.
inline constexpr int kFirstCorner = 0;
inline constexpr int kLastCorner = 3;
constexpr int OppositeCorner(int corner)
{
    return kLastCorner - corner;
}

// Circles, ellipses and the arc family start with the centre.
inline constexpr int kCentre = 0;
// CircleRadius, EllipseRadius: the point on the rim.
inline constexpr int kRimPoint = 1;
// CircleRadiusTwoPoints, CircleThreePoints: the pass points.
inline constexpr int kPassPoint1 = 1;
inline constexpr int kPassPoint2 = 2;
inline constexpr int kPassPoint3 = 3;
// EllipseDiagonal, EllipseRatio: the two diagonal corners or axis ends.
inline constexpr int kDefiningPoint1 = 1;
inline constexpr int kDefiningPoint2 = 2;

// The arc family: start and end of the arc (for ArcThreePoints the first and
// second point), then the layout's own points.
inline constexpr int kArcStart = 1;
inline constexpr int kArcEnd = 2;
inline constexpr int kArcThirdPoint = 3;     // ArcThreePoints
inline constexpr int kArcDefiningPoint1 = 3;  // EllipticArcDiagonal, EllipticArcAxis
inline constexpr int kArcDefiningPoint2 = 4;
inline constexpr int kRingInnerStart = 3;     // Ring

// Point lists: the vertices in order. (Points and texts have one grip.)
inline constexpr int kFirstVertex = 0;

}  // namespace grip
