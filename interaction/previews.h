// The rubber bands of the construction steps, as pure geometry: each one
// computes what a click at the cursor would give, with the builder's own
// geometry routine, and returns it as world polylines. Curves are polylines
// of 37 vertices, one every sweep / 36 degrees, in the figure's tilted frame.
#pragma once

#include "interaction/construction.h"
#include "interaction/xor_overlay.h"

inline constexpr int kCurveVertices = 37;

// Adds the ellipse (or circle, rx == ry) of tilt tiltDeg around c; a sweep
// below 360 adds the elliptic arc from startDeg (counter-clockwise on screen).
void AddEllipse(PreviewShape& out, PointD c, double rx, double ry, double tiltDeg, double startDeg = 0,
                double sweepDeg = 360);
void AddSegment(PreviewShape& out, PointD a, PointD b);
void AddBox(PreviewShape& out, PointD a, PointD b);

void PreviewSegment(const Construction&, PointD cursor, PreviewShape&);
void PreviewHorizontal(const Construction&, PointD cursor, PreviewShape&);
void PreviewVertical(const Construction&, PointD cursor, PreviewShape&);
void PreviewReferenceLine(const Construction&, PointD cursor, PreviewShape&);
void PreviewBox(const Construction&, PointD cursor, PreviewShape&);
void PreviewCircleCentre(const Construction&, PointD cursor, PreviewShape&);
void PreviewCircleFixed(const Construction&, PointD cursor, PreviewShape&);
void PreviewCircleRadiusTwoPoints(const Construction&, PointD cursor, PreviewShape&);
void PreviewCircleThreePoints(const Construction&, PointD cursor, PreviewShape&);
void PreviewEllipseCentre(const Construction&, PointD cursor, PreviewShape&);
void PreviewEllipseDiagonal(const Construction&, PointD cursor, PreviewShape&);
void PreviewEllipseFixed(const Construction&, PointD cursor, PreviewShape&);
void PreviewEllipseRatio(const Construction&, PointD cursor, PreviewShape&);
// The entered points of a sequence as an open line on to the cursor, or
// closed through the cursor.
void PreviewOpenSequence(const Construction&, PointD cursor, PreviewShape&);
void PreviewClosedSequence(const Construction&, PointD cursor, PreviewShape&);
