// Click geometry of the angular kinds (arcs, elliptic arcs, pies, chords,
// outside-of-circle and ring shapes): the ellipse or circle a method's clicks
// define, the angles of clicked points on it and the sweep between them.
// Builders, click rules and previews of the arc family all go through these,
// so a preview shows exactly what the click would build.
//
// Everything is in the records' convention: degrees, counter-clockwise on
// screen in a y-down drawing. The kernel's ellipse routines are y-up, so a
// clicked point's parameter angle is 360 minus EllipseAngleOfPointDeg called
// with the negated tilt (reduced into 0 to below 360). Degenerate input gives
// std::nullopt; the 0.000001 tolerance is the constructors' one.
#pragma once

#include <optional>

#include "geometry/point.h"
#include "interaction/builders.h"
#include "model/element_geometry.h"

// atan2(c.y - p.y, p.x - c.x) in degrees, 0 to below 360.
double ScreenAngleDeg(PointD centre, PointD p);
// Parameter angle of p on the tilted ellipse of e (its angles are ignored).
double EllipseScreenAngleDeg(const EllipseArc& e, PointD p);
// The angle a click gives on e: ScreenAngleDeg for an untilted circle,
// EllipseScreenAngleDeg otherwise.
double ClickAngleDeg(const EllipseArc& e, PointD p);
// end - start, plus 360 when negative; nullopt when it is 0.000001 or less.
std::optional<double> SweepBetweenDeg(double startDeg, double endDeg);

// Full ellipses (start 0, sweep 360) defined by clicks; nullopt unless both
// semi-axes exceed 0.000001.
std::optional<EllipseArc> CircleByRadiusPoint(PointD centre, PointD p);
std::optional<EllipseArc> EllipseByRadiusPoint(PointD centre, PointD p, double tiltDeg);
std::optional<EllipseArc> EllipseByRadii(PointD centre, double rx, double ry, double tiltDeg);
std::optional<EllipseArc> EllipseByDiagonal(PointD corner1, PointD corner2, double tiltDeg);
// x axis from end1 to end2 (more than 0.000001 long), ry = ratio * rx.
std::optional<EllipseArc> EllipseByAxis(PointD end1, PointD end2, double ratio);

// The arc from start through pass to end on the circle through the three
// points (counter-clockwise on screen; the stored start may be the end
// point's angle). nullopt when the points define no circle.
std::optional<EllipseArc> ArcThroughPoints(PointD start, PointD end, PointD pass);
// The arc of radius r from p1 counter-clockwise to p2, its centre on the side
// of the chord opposite to the direction point d (the circle rule).
std::optional<EllipseArc> ArcOfRadiusThroughPoints(double r, PointD p1, PointD p2, PointD d);

// The inner radii of a ring given by a click q; nullopt unless both lie
// strictly between 0.000001 and the outer radii.
std::optional<SemiAxes> InnerRadiiInside(const EllipseArc& outer, PointD q);
// Inner radius of a three-point ring: the distance of q from the centre.
std::optional<double> InnerRadiusInside(const EllipseArc& outer, PointD q);

// The shape with its angles set.
EllipseArc WithAngles(EllipseArc e, double startDeg, double sweepDeg);
// The start and end clicks applied to e; nullopt for a sweep of 0.
std::optional<EllipseArc> WithClickedAngles(EllipseArc e, PointD startClick, PointD endClick);

// A moved start or end handle: the sweep runs from the new start to the old
// end, or from the old start to the new end, reduced into 0 to below 360 and
// taking the old sweep's sign (a negative old sweep gives new - 360).
// nullopt when the reduced sweep is 0.
std::optional<EllipseArc> WithMovedEnd(EllipseArc e, bool startPicked, double clickedDeg);
