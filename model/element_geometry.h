// Geometry read off element records, shared by hit testing, range selection,
// control points and snap registration: an element's layer, its pen width,
// the elliptic outline of the arc kinds and the points of that outline at
// on-screen angles.
//
// Records keep angles counter-clockwise on screen in a y-down drawing, while
// the kernel's ellipse functions are y-up; every call below negates angle,
// sweep and tilt on the way in so that a point lies where the renderer draws
// it.
#pragma once

#include <cmath>
#include <cstdint>

#include "geometry/construct.h"
#include "model/data.h"

template <class Record>
int32_t recordLayer(const Record& record)
{
    if constexpr (requires { record.h.layer; })
        return record.h.layer;
    else
        return record.layer;
}

// Width of a WidthTable entry for hit tolerances. A reference outside the
// table (only a damaged file makes one) counts as the default width 1; a
// non-finite or negative width counts as 0.
inline double penWidthOf(const Drawing& drawing, int32_t widthRef)
{
    const WidthEntry* entry = entryAt(drawing.attributes.width, widthRef);
    if (!entry)
        return 1;
    return std::isfinite(entry->width) && entry->width > 0 ? entry->width : 0;
}

// A (possibly partial) tilted ellipse as the records store it: degrees,
// counter-clockwise on screen, signed sweep.
struct EllipseArc {
    PointD centre;
    double rx = 0, ry = 0, tiltDeg = 0, startDeg = 0, sweepDeg = 360;

    PointD pointAt(double angleDeg) const
    {
        return PointOnEllipseDeg(centre, rx, ry, -tiltDeg, -angleDeg);
    }
    PointD startPoint() const { return pointAt(startDeg); }
    PointD endPoint() const { return pointAt(startDeg + sweepDeg); }
    BoundsD bounds() const
    {
        return EllipseArcBoundsDeg(centre, rx, ry, -tiltDeg, -startDeg, -sweepDeg);
    }
    ArcCorners tangentCorners() const  // the kernel's y-down form: no negation
    {
        return ArcCornerPoints(centre, rx, ry, tiltDeg, startDeg, sweepDeg);
    }
    ArcSegment pieceEnds() const
    {
        return ArcSegmentPoints(centre, rx, ry, -tiltDeg, -startDeg, -sweepDeg);
    }
};

inline EllipseArc arcOf(const ArcRecord& r)
{
    return {{r.cx, r.cy}, r.r, r.r, 0, r.startAngle, r.sweepAngle};
}
inline EllipseArc arcOf(const EllipticArcRecord& r)
{
    return {{r.cx, r.cy}, r.rx, r.ry, r.tilt, r.startAngle, r.sweepAngle};
}
inline EllipseArc arcOf(const SectorRecord& r)
{
    return {{r.cx, r.cy}, r.rx, r.ry, r.tilt, r.startAngle, r.sweepAngle};
}
inline EllipseArc outerArcOf(const RingRecord& r)
{
    return {{r.cx, r.cy}, r.outerRx, r.outerRy, r.tilt, r.startAngle, r.sweepAngle};
}
inline EllipseArc innerArcOf(const RingRecord& r)
{
    return {{r.cx, r.cy}, r.innerRx, r.innerRy, r.tilt, r.startAngle, r.sweepAngle};
}

// A Bezier curve uses its points in runs of three after the first; trailing
// points that do not complete a run are neither drawn nor picked.
inline size_t bezierUsedCount(size_t n)
{
    return n <= 3 ? n : ((n - 1) / 3) * 3 + 1;
}

// The laid-out box of a text: corner o, unit vectors along (u) and across (v)
// the text on screen, width w along u and height h along v.
struct TextBox {
    PointD o, u, v;
    double w = 0, h = 0;

    PointD at(double along, double across) const
    {
        return {o.x + along * u.x + across * v.x, o.y + along * u.y + across * v.y};
    }
};

inline TextBox textBoxOf(const TextRecord& t)
{
    const double a = DegToRad(t.angle);
    const double b = DegToRad(t.angle + 90);
    return {{t.boxA, t.boxB}, {std::cos(a), -std::sin(a)}, {std::cos(b), -std::sin(b)}, t.boxC, t.boxD};
}
