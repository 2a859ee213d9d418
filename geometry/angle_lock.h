// The angle lock of the rubber band: with Shift held, the next point lies on
// the ray from the last point whose angle is the multiple of the step nearest
// the cursor's. Grid rounding and snapping then move the point only along
// that ray (the rounded or snapped point is projected onto it).
#pragma once

#include "geometry/point.h"

inline constexpr double kAngleLockStepDeg = 15;

// The locked ray's angle in degrees counter-clockwise on the screen, in
// [0, 360): the multiple of stepDeg nearest the angle of cursor - anchor.
double LockedAngleDeg(PointD anchor, PointD cursor, double stepDeg = kAngleLockStepDeg);
// point projected onto the ray from anchor at the angle locked by cursor.
PointD LockToAngle(PointD anchor, PointD cursor, PointD point, double stepDeg = kAngleLockStepDeg);
