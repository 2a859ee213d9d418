// Stateless helpers of the geometry kernel: text fields to numbers and
// booleans, blank stripping, grid snapping, noise rounding, distances, vector
// angles, angle normalisation and sweep tests, rotation about a centre.
// The larger constructions (lines, circles, ellipses) are in construct.h.
//
// Units: a name ending in Deg takes and returns degrees, every other angle is
// in radians. No operation reports an error; each bad input has a defined
// fallback value (unparsable text reads as 0, a zero-length vector has
// direction 0).
//
// Axes: drawing coordinates have y growing downward. VectorAngle and
// RotatePoint take coordinates exactly as passed and assume no axis
// direction: a positive rotation turns +x towards +y.
//
// Ellipses (construct.h) come in two conventions, each with its own
// operations. The point at parametric angle t of the ellipse with centre C,
// semi-axes rx, ry and tilt phi has the offset
//     o = RotatePoint((rx cos t, ry sin t), about the origin, phi)
//   * y-up form (PointOnEllipse, EllipseArcBounds, EllipseAngleOfPoint,
//     EllipseRadiusOfPoint, ArcSegmentPoints): point = (C.x + o.x, C.y + o.y).
//   * y-down form (ArcTangentCorner, ArcCornerPoints): point =
//     (C.x + o.x, C.y - o.y), the way the renderers place arc points so that
//     angles run counter-clockwise on screen.
// Callers working on screen angles with a y-up operation negate start, sweep
// and tilt.
//
// Text is the program's UTF-8. Blank stripping and the boolean reader know the
// full-width forms a Japanese user types ("１", "○", "真", "正", U+3000). File
// bytes that are no character are kept as one code point per byte or per
// lead/trail pair (kept_bytes.h), so the helpers treat them as the file's
// one- and two-byte characters: a kept pair is copied whole, a kept lead byte
// standing last is copied as is, a kept control byte counts as a blank.
#pragma once

#include "geometry/point.h"

#include <optional>
#include <string>
#include <string_view>

// ---- Text conversions -------------------------------------------------------

// Whole text as a decimal int (leading blanks and a sign allowed); nothing
// for empty, partial or out-of-range text.
std::optional<int> ParseInt(std::string_view text);
// Whole text as a decimal real ("." point, optional sign and exponent);
// nothing for anything else, including inf, nan and overflow.
std::optional<double> ParseFloat(std::string_view text);
// ParseInt, with 0 for text that is not a number.
int TextToInt(std::string_view text);
// TextToInt, raised to lo, then lowered to hi (hi wins when lo > hi).
int TextToIntClamped(std::string_view text, int lo, int hi);
// ParseFloat, with 0 for text that is not a number.
double TextToFloat(std::string_view text);
double TextToFloatClamped(std::string_view text, double lo, double hi);
// True for T, TR, TRU, TRUE, 1, ON (any case), １, ○, 真, 正 after blanks are
// stripped; false for everything else (including Y, YES, -1 and "").
bool TextToBool(std::string_view text);
std::string BoolToText(bool value); // "1" or "0"
// Removes spaces, control bytes below 32 and full-width spaces anywhere in the
// text; multi-byte characters are copied whole.
std::string StripBlanks(std::string_view text);

void SwapInts(int& a, int& b);
void SwapReals(double& a, double& b);

// ---- Numbers and angles -----------------------------------------------------

double DegToRad(double angleDeg);
double RadToDeg(double angleRad);

// Grid snap along one axis; halves round away from the origin. A step that is
// not positive leaves the value unchanged.
double SnapToStep(double value, double origin, double step);
// Nearest multiple of 1e-10, halves away from zero: removes noise from angles
// in degrees (89.99999999999999 -> 90).
double Round10(double x);
// trunc(v / 1e-6 + 0.5) * 1e-6: the zero test of the line and circle
// intersections. Deliberately lopsided: (-1.5e-6, 0.5e-6) maps to 0.
double Quantize6(double v);

double Distance(double x1, double y1, double x2, double y2);
double Distance(PointD a, PointD b);

// atan2(dy, dx) in [0, 2 pi); 0 when both components are below 1e-10.
double VectorAngle(double dx, double dy);
// VectorAngle in degrees through Round10, in [0, 360).
double VectorAngleDeg(double dx, double dy);
// Angle in [0, 360): -30 -> 330, 725 -> 5. Non-finite input gives 0.
double NormalizeDeg(double angleDeg);
// True when angleDeg lies on the arc from startDeg over sweepDeg (either
// sign); both ends count, a sweep of 360 or more holds every angle.
bool AngleInSweep(double angleDeg, double startDeg, double sweepDeg);

// Rotation of p about centre; positive angles turn +x towards +y.
PointD RotatePoint(PointD p, PointD centre, double angleRad);
PointD RotatePointDeg(PointD p, PointD centre, double angleDeg);
double RotateX(PointD p, PointD centre, double angleRad);
double RotateY(PointD p, PointD centre, double angleRad);
