// The angle lock: nearest multiple of the step, then a projection onto the
// ray, with the exact directions of the point entry so that a lock at 0 or 90
// degrees keeps the anchor's y or x to the last bit.
#include "geometry/angle_lock.h"

#include <cmath>
#include <numbers>

#include "geometry/point_entry.h"

double LockedAngleDeg(PointD anchor, PointD cursor, double stepDeg)
{
    // Screen angles are counter-clockwise, y grows downward.
    const double angleDeg = std::atan2(anchor.y - cursor.y, cursor.x - anchor.x) * 180.0 / std::numbers::pi;
    const double locked = std::round(angleDeg / stepDeg) * stepDeg;
    const double wrapped = std::fmod(locked + 360.0, 360.0);
    return wrapped == 0 ? 0.0 : wrapped;  // no -0
}

PointD LockToAngle(PointD anchor, PointD cursor, PointD point, double stepDeg)
{
    const PointD u = ScreenDirectionDeg(LockedAngleDeg(anchor, cursor, stepDeg));
    const double along = (point.x - anchor.x) * u.x + (point.y - anchor.y) * u.y;
    return {anchor.x + along * u.x, anchor.y + along * u.y};
}
