// Builders of the angular kinds: the figure that a construction method's
// clicks and remembered values define, the records it becomes, and the change
// constructors that rebuild an element whose handle was moved.
//
// ArcFigureFromClicks is the one routine behind the click rules, the previews
// and the builders: given the clicks so far (the cursor standing in for the
// next click in a preview) it returns the figure they make, or nullopt when
// the last click makes it degenerate. A figure whose start is given but not
// its end carries the provisional sweep of 10 degrees the previews show.
#pragma once

#include <optional>
#include <span>

#include "interaction/arc_geometry.h"
#include "interaction/construction.h"
#include "model/records.h"

enum class ArcMethod {
    CentreRadiusEnds,  // 600: centre, radius point, start, end
    RadiusCentreEnds,  // 610: dialog radius; centre, start, end
    RadiusAngles,  // 620: dialog radius, start, sweep; centre
    RadiusTwoPoints,  // 630: dialog radius; start, end, side
    ThreePoints,  // 640, 840: start, end, pass point
    ThreePointsFull,  // 1040: three points of the full circle
    EllipseCentreEnds,  // 700, 800: centre, radius point, start, end (tilt)
    EllipseRadiiEnds,  // 710: dialog radii and tilt; centre, start, end
    EllipseAngles,  // 720, 830: everything from the dialog; centre
    DiagonalEnds,  // 730: two corners, start, end (tilt)
    DiagonalAngles,  // 740: tilt, start, sweep; two corners
    AxisEnds,  // 750: ratio; two axis ends, start, end
    AxisAngles,  // 760: ratio, start, sweep; two axis ends
    RingCentreEnds,  // 1100: centre, outer point, inner point, start, end
    RingAngles,  // 1130: everything from the dialog; centre
    RingThreePointsFull,  // 1140: three points of the outer circle, inner point
    RingThreePoints,  // 1170: start, end, pass point, inner point
};

// A ring's inner radii are non-zero; the other kinds leave them 0.
struct ArcFigure {
    EllipseArc outer;
    double innerRx = 0, innerRy = 0;
};

inline constexpr double kProvisionalSweepDeg = 10;

// Clicks a method takes before it builds.
int ArcClickCount(ArcMethod method);
// Whether a click at step (0-based) is ignored when it would make the figure
// degenerate: radius, inner-radius, axis, pass-point (rings) and end clicks.
// The first click never is; the last click of a three-point or
// radius-and-two-points arc is refused by the builder instead.
bool ArcStepHasClickRule(ArcMethod method, int step);
// Whether the preview of step shows the segment from the first point to the
// cursor (the second point of the two- and three-point methods).
bool ArcStepShowsChord(ArcMethod method, int step);
std::optional<ArcFigure> ArcFigureFromClicks(ArcMethod method, const WorkingValues& values,
                                             std::span<const PointD> clicks);

// Records of a complete figure (all of the method's clicks given); the
// headers are left for the protocol to fill.
ArcRecord ArcRecordOf(ArcMethod method, const ArcFigure& figure, std::span<const PointD> clicks);
EllipticArcRecord EllipticArcRecordOf(ArcMethod method, const ArcFigure& figure,
                                      std::span<const PointD> clicks);
SectorRecord SectorRecordOf(const ArcFigure& figure);
RingRecord RingRecordOf(const ArcFigure& figure);

// What the second click of a change mode moves.
enum class ArcHandle {
    RadiusPoint,  // 604, 704, x04, 1105: the centre stays
    Start,  // 605 start, 705, x05, 1106
    End,  // 605 end, 706, x06, 1107
    InnerRadiusPoint,  // 1108
    Corner1, Corner2,  // 734, 735
    AxisEnd1, AxisEnd2,  // 754, 755
    Point1, Point2, Point3,  // 643: start, end, third point of a three-point arc
};

// The rebuilt record with the old one's header, or nullopt when the new
// figure would be degenerate (the change is refused).
std::optional<ArcRecord> ChangedArc(const ArcRecord& old, ArcHandle handle, PointD click);
std::optional<EllipticArcRecord> ChangedEllipticArc(const EllipticArcRecord& old, ArcHandle handle,
                                                    PointD click);
std::optional<SectorRecord> ChangedSector(const SectorRecord& old, ArcHandle handle, PointD click);
std::optional<RingRecord> ChangedRing(const RingRecord& old, ArcHandle handle, PointD click);
