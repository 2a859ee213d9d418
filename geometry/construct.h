// Construction geometry of the kernel: distance and side of a point against a
// line, feet of perpendiculars, line and circle intersections, the circle and
// arc through three points, and the tilted-ellipse computations used by the
// constructors, hit tests, extents and renderers.
//
// Every direction comes from VectorAngle (func.h), so a vector shorter than
// 1e-10 in both components has direction 0: a "line" through two coincident
// points is the horizontal through them. Degenerate input gives a defined
// result (count 0, std::nullopt, the centre), never NaN. The two ellipse
// conventions (y-up, y-down) are described at the top of func.h.
#pragma once

#include "geometry/func.h"
#include "geometry/point.h"

#include <array>
#include <optional>

// ---- Lines --------------------------------------------------------------------

struct PerpendicularFoot {
    PointD foot;
    double distance = 0; // of the point from the infinite line
};

struct SegmentFoot {
    PointD foot;
    double distance = 0;
    bool onSegment = false; // foot between the end points, 1e-10 slack each end
};

enum class LineCrossing {
    Parallel = 0, // no intersection; point left at (0, 0)
    WithinSegments = 1, // point on both segments (1e-6 slack)
    OutsideSegments = 2, // the lines meet outside at least one segment
};

struct LineIntersection {
    LineCrossing kind = LineCrossing::Parallel;
    PointD point;
};

// Distance of p from the infinite line ab.
double DistanceToLine(PointD a, PointD b, PointD p);
// -1, 0 (within 1e-6 of the line) or +1; +1 is the side a->b points to after
// a +90 degree turn from +x towards +y.
int SideOfLine(PointD a, PointD b, PointD p);
PerpendicularFoot FootOfPerpendicular(PointD a, PointD b, PointD p);
SegmentFoot FootOnSegment(PointD a, PointD b, PointD p);
// Intersection of the lines a1a2 and b1b2 (both vertical, or equal slopes
// within 1e-6: Parallel).
LineIntersection IntersectLines(PointD a1, PointD a2, PointD b1, PointD b2);

// ---- Circles ------------------------------------------------------------------

struct CircleIntersection {
    int count = 0; // 0 (concentric, apart or nested), 1 (touching) or 2
    PointD first; // when touching, first == second
    PointD second;
};

// The circle through three points and the arc among them that passes P2.
struct ThreePointCircle {
    PointD centre;
    double radius = 0;
    // Arc from start to end in the direction of increasing angle (wrapping
    // through 0 when start > end); radians or degrees as the function's name.
    double start = 0;
    double end = 0;
    bool startsAtP1 = false; // true when start is the angle of P1
};

CircleIntersection IntersectCircles(PointD c1, double r1, PointD c2, double r2);
// std::nullopt for collinear or coincident points.
std::optional<ThreePointCircle> CircleThrough3Points(PointD p1, PointD p2, PointD p3);
// Same with start and end in degrees, rounded by Round10.
std::optional<ThreePointCircle> CircleThrough3PointsDeg(PointD p1, PointD p2, PointD p3);

// ---- Ellipses (y-up form) -------------------------------------------------------

struct BoundsD {
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
};

// Box of 37 samples along the arc (slightly inside the exact box).
BoundsD EllipseArcBounds(PointD c, double rx, double ry, double tiltRad, double startRad, double sweepRad);
BoundsD EllipseArcBoundsDeg(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg);
PointD PointOnEllipse(PointD c, double rx, double ry, double tiltRad, double tRad);
PointD PointOnEllipseDeg(PointD c, double rx, double ry, double tiltDeg, double tDeg);
// Parametric angle of p, in [0, 2 pi) / [0, 360).
double EllipseAngleOfPoint(PointD p, PointD c, double rx, double ry, double tiltRad);
double EllipseAngleOfPointDeg(PointD p, PointD c, double rx, double ry, double tiltDeg);
// Normalised radius: rx on the ellipse, less inside, more outside, 0 at c.
// Note the tilt is in degrees although the name has no Deg.
double EllipseRadiusOfPoint(PointD p, PointD c, double rx, double ry, double tiltDeg);

// ---- Arc corners (y-down form) and arc points (y-up form) -----------------------

struct ArcCorners {
    int partCount = 0; // k: the sweep cut into parts of at most 90 degrees
    std::array<PointD, 4> corners {}; // corners[i] for part i < k, the rest (0, 0)
};

struct ArcSegment {
    int pointCount = 0; // k + 1
    std::array<PointD, 5> points {}; // the part boundaries, the rest (0, 0)
};

// Where the tangents at both ends of the arc meet; the centre when they are
// parallel (sweep 0 or 180).
PointD ArcTangentCorner(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg);
// Sweeps beyond one turn are treated as one turn.
ArcCorners ArcCornerPoints(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg);
ArcSegment ArcSegmentPoints(PointD c, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg);
