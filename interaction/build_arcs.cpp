// Builders and change constructors of the angular kinds. Each method is a
// recipe: the clicks that give the base ellipse, an optional inner-radius
// click (rings), and where the angles come from; ArcFigureFromClicks walks
// the recipe as far as the clicks go.
#include "interaction/build_arcs.h"

#include "geometry/func.h"

namespace {

enum class Base {
    CircleRadiusPoint,  // centre, radius point
    CircleOfRadius,  // centre; dialog radius
    EllipseRadiusPoint,  // centre, radius point; dialog tilt
    EllipseOfRadii,  // centre; dialog radii and tilt
    Diagonal,  // two corners; dialog tilt
    Axis,  // two axis ends; dialog ratio
    RadiusTwoPoints,  // start, end, side; dialog radius (gives the angles)
    ThreePoints,  // start, end, pass point (gives the angles)
};

enum class Angles { Clicked, Entered, FromBase, Full };

struct Recipe {
    Base base;
    Angles angles;
    bool inner = false;  // an inner-radius click follows the base clicks
};

Recipe recipeOf(ArcMethod m)
{
    switch (m) {
    case ArcMethod::CentreRadiusEnds: return {Base::CircleRadiusPoint, Angles::Clicked};
    case ArcMethod::RadiusCentreEnds: return {Base::CircleOfRadius, Angles::Clicked};
    case ArcMethod::RadiusAngles: return {Base::CircleOfRadius, Angles::Entered};
    case ArcMethod::RadiusTwoPoints: return {Base::RadiusTwoPoints, Angles::FromBase};
    case ArcMethod::ThreePoints: return {Base::ThreePoints, Angles::FromBase};
    case ArcMethod::ThreePointsFull: return {Base::ThreePoints, Angles::Full};
    case ArcMethod::EllipseCentreEnds: return {Base::EllipseRadiusPoint, Angles::Clicked};
    case ArcMethod::EllipseRadiiEnds: return {Base::EllipseOfRadii, Angles::Clicked};
    case ArcMethod::EllipseAngles: return {Base::EllipseOfRadii, Angles::Entered};
    case ArcMethod::DiagonalEnds: return {Base::Diagonal, Angles::Clicked};
    case ArcMethod::DiagonalAngles: return {Base::Diagonal, Angles::Entered};
    case ArcMethod::AxisEnds: return {Base::Axis, Angles::Clicked};
    case ArcMethod::AxisAngles: return {Base::Axis, Angles::Entered};
    case ArcMethod::RingCentreEnds: return {Base::EllipseRadiusPoint, Angles::Clicked, true};
    case ArcMethod::RingAngles: return {Base::EllipseOfRadii, Angles::Entered};
    case ArcMethod::RingThreePointsFull: return {Base::ThreePoints, Angles::Full, true};
    case ArcMethod::RingThreePoints: return {Base::ThreePoints, Angles::FromBase, true};
    }
    return {Base::CircleRadiusPoint, Angles::Clicked};
}

int baseClicks(Base b)
{
    switch (b) {
    case Base::CircleOfRadius:
    case Base::EllipseOfRadii: return 1;
    case Base::CircleRadiusPoint:
    case Base::EllipseRadiusPoint:
    case Base::Diagonal:
    case Base::Axis: return 2;
    case Base::RadiusTwoPoints:
    case Base::ThreePoints: return 3;
    }
    return 3;
}

std::optional<EllipseArc> baseShape(Base b, const WorkingValues& v, std::span<const PointD> p)
{
    switch (b) {
    case Base::CircleRadiusPoint: return CircleByRadiusPoint(p[0], p[1]);
    case Base::CircleOfRadius: return EllipseByRadii(p[0], v.radius, v.radius, 0);
    case Base::EllipseRadiusPoint: return EllipseByRadiusPoint(p[0], p[1], v.tiltDeg);
    case Base::EllipseOfRadii: return EllipseByRadii(p[0], v.radiusX, v.radiusY, v.tiltDeg);
    case Base::Diagonal: return EllipseByDiagonal(p[0], p[1], v.tiltDeg);
    case Base::Axis: return EllipseByAxis(p[0], p[1], v.ratio);
    case Base::RadiusTwoPoints: return ArcOfRadiusThroughPoints(v.radius, p[0], p[1], p[2]);
    case Base::ThreePoints: return ArcThroughPoints(p[0], p[1], p[2]);
    }
    return std::nullopt;
}

// The entered start of a radius-and-angles arc is kept reduced; the entered
// sweep must not be 0 (an invisible figure).
std::optional<EllipseArc> withEnteredAngles(const EllipseArc& e, const WorkingValues& v)
{
    if (!(std::abs(v.sweepDeg) > kBuildTolerance))
        return std::nullopt;
    return WithAngles(e, NormalizeDeg(v.startDeg), v.sweepDeg);
}

std::optional<EllipseArc> withAngles(Angles a, const EllipseArc& e, const WorkingValues& v,
                                     std::span<const PointD> angleClicks)
{
    switch (a) {
    case Angles::Entered: return withEnteredAngles(e, v);
    case Angles::FromBase: return e;
    case Angles::Full: return WithAngles(e, 0, 360);
    case Angles::Clicked:
        if (angleClicks.empty())
            return WithAngles(e, 0, 360);
        if (angleClicks.size() == 1)
            return WithAngles(e, ClickAngleDeg(e, angleClicks[0]), kProvisionalSweepDeg);
        return WithClickedAngles(e, angleClicks[0], angleClicks[1]);
    }
    return std::nullopt;
}

bool isCircular(Base b)
{
    return b == Base::ThreePoints || b == Base::RadiusTwoPoints;
}

}  // namespace

int ArcClickCount(ArcMethod method)
{
    const Recipe r = recipeOf(method);
    return baseClicks(r.base) + (r.inner ? 1 : 0) + (r.angles == Angles::Clicked ? 2 : 0);
}

bool ArcStepHasClickRule(ArcMethod method, int step)
{
    const Recipe r = recipeOf(method);
    // The last click of a circle through points has no rule: points that give
    // no circle are refused with a message. An inner-radius click that follows
    // them has its rule like any other.
    const bool last = step + 1 == ArcClickCount(method);
    return step >= 1 && step + 1 >= baseClicks(r.base) && !(last && !r.inner && isCircular(r.base));
}

bool ArcStepShowsChord(ArcMethod method, int step)
{
    const Base b = recipeOf(method).base;
    return step == 1 && (isCircular(b) || b == Base::Axis);
}

std::optional<ArcFigure> ArcFigureFromClicks(ArcMethod method, const WorkingValues& values,
                                             std::span<const PointD> clicks)
{
    const Recipe r = recipeOf(method);
    const size_t nBase = static_cast<size_t>(baseClicks(r.base));
    if (clicks.size() < nBase || clicks.size() > static_cast<size_t>(ArcClickCount(method)))
        return std::nullopt;
    const std::optional<EllipseArc> base = baseShape(r.base, values, clicks.first(nBase));
    if (!base)
        return std::nullopt;
    ArcFigure figure;
    size_t used = nBase;
    if (r.inner && clicks.size() > used) {
        if (isCircular(r.base)) {
            const std::optional<double> inner = InnerRadiusInside(*base, clicks[used]);
            if (!inner)
                return std::nullopt;
            figure.innerRx = figure.innerRy = *inner;
        } else {
            const std::optional<SemiAxes> inner = InnerRadiiInside(*base, clicks[used]);
            if (!inner)
                return std::nullopt;
            figure.innerRx = inner->rx, figure.innerRy = inner->ry;
        }
        ++used;
    } else if (method == ArcMethod::RingAngles) {
        figure.innerRx = values.innerRadiusX, figure.innerRy = values.innerRadiusY;
        if (!(figure.innerRx > kBuildTolerance) || !(figure.innerRy > kBuildTolerance))
            return std::nullopt;
    }
    const std::optional<EllipseArc> shaped = withAngles(r.angles, *base, values, clicks.subspan(used));
    if (!shaped)
        return std::nullopt;
    figure.outer = *shaped;
    return figure;
}

ArcRecord ArcRecordOf(ArcMethod method, const ArcFigure& f, std::span<const PointD> clicks)
{
    ArcRecord r;
    r.cx = f.outer.centre.x, r.cy = f.outer.centre.y;
    r.r = f.outer.rx;
    r.startAngle = f.outer.startDeg, r.sweepAngle = f.outer.sweepDeg;
    if (method == ArcMethod::ThreePoints && clicks.size() >= 3) {
        r.method = 1;
        r.startX = clicks[0].x, r.startY = clicks[0].y;
        r.endX = clicks[1].x, r.endY = clicks[1].y;
        r.thirdX = clicks[2].x, r.thirdY = clicks[2].y;
    }
    return r;
}

EllipticArcRecord EllipticArcRecordOf(ArcMethod method, const ArcFigure& f, std::span<const PointD> clicks)
{
    EllipticArcRecord r;
    r.cx = f.outer.centre.x, r.cy = f.outer.centre.y;
    r.rx = f.outer.rx, r.ry = f.outer.ry, r.tilt = f.outer.tiltDeg;
    r.startAngle = f.outer.startDeg, r.sweepAngle = f.outer.sweepDeg;
    const bool diagonal = method == ArcMethod::DiagonalEnds || method == ArcMethod::DiagonalAngles;
    const bool axis = method == ArcMethod::AxisEnds || method == ArcMethod::AxisAngles;
    if ((diagonal || axis) && clicks.size() >= 2) {
        r.method = diagonal ? 1 : 2;
        r.startX = clicks[0].x, r.startY = clicks[0].y;
        r.endX = clicks[1].x, r.endY = clicks[1].y;
    }
    return r;
}

SectorRecord SectorRecordOf(const ArcFigure& f)
{
    SectorRecord r;
    r.cx = f.outer.centre.x, r.cy = f.outer.centre.y;
    r.rx = f.outer.rx, r.ry = f.outer.ry, r.tilt = f.outer.tiltDeg;
    r.startAngle = f.outer.startDeg, r.sweepAngle = f.outer.sweepDeg;
    return r;
}

RingRecord RingRecordOf(const ArcFigure& f)
{
    RingRecord r;
    r.cx = f.outer.centre.x, r.cy = f.outer.centre.y;
    r.outerRx = f.outer.rx, r.outerRy = f.outer.ry;
    r.innerRx = f.innerRx, r.innerRy = f.innerRy;
    r.tilt = f.outer.tiltDeg;
    r.startAngle = f.outer.startDeg, r.sweepAngle = f.outer.sweepDeg;
    return r;
}

// ---- Change constructors ---------------------------------------------------------

namespace {

// The shape with new radii from a radius point, its centre, tilt and angles kept.
std::optional<EllipseArc> withRadiusPoint(const EllipseArc& e, PointD click)
{
    const std::optional<EllipseArc> resized = EllipseByRadiusPoint(e.centre, click, e.tiltDeg);
    if (!resized)
        return std::nullopt;
    return WithAngles(*resized, e.startDeg, e.sweepDeg);
}

std::optional<EllipseArc> withMovedAngle(const EllipseArc& e, ArcHandle handle, PointD click)
{
    return WithMovedEnd(e, handle == ArcHandle::Start, EllipseScreenAngleDeg(e, click));
}

// The common moves of every elliptic kind; nullopt for another handle too.
std::optional<EllipseArc> movedEllipse(const EllipseArc& e, ArcHandle handle, PointD click)
{
    switch (handle) {
    case ArcHandle::RadiusPoint: return withRadiusPoint(e, click);
    case ArcHandle::Start:
    case ArcHandle::End: return withMovedAngle(e, handle, click);
    default: return std::nullopt;
    }
}

void setShape(EllipticArcRecord& r, const EllipseArc& e)
{
    r.cx = e.centre.x, r.cy = e.centre.y;
    r.rx = e.rx, r.ry = e.ry, r.tilt = e.tiltDeg;
    r.startAngle = e.startDeg, r.sweepAngle = e.sweepDeg;
}

void setShape(SectorRecord& r, const EllipseArc& e)
{
    r.cx = e.centre.x, r.cy = e.centre.y;
    r.rx = e.rx, r.ry = e.ry, r.tilt = e.tiltDeg;
    r.startAngle = e.startDeg, r.sweepAngle = e.sweepDeg;
}

}  // namespace

std::optional<ArcRecord> ChangedArc(const ArcRecord& old, ArcHandle handle, PointD click)
{
    const EllipseArc e = arcOf(old);
    std::optional<EllipseArc> moved;
    ArcRecord r = old;
    r.method = 0;
    switch (handle) {
    case ArcHandle::RadiusPoint: {
        const std::optional<EllipseArc> circle = CircleByRadiusPoint(e.centre, click);
        if (circle)
            moved = WithAngles(*circle, e.startDeg, e.sweepDeg);
        break;
    }
    case ArcHandle::Start:
    case ArcHandle::End: moved = WithMovedEnd(e, handle == ArcHandle::Start, ScreenAngleDeg(e.centre, click)); break;
    case ArcHandle::Point1:
    case ArcHandle::Point2:
    case ArcHandle::Point3: {
        PointD p[3] = {{old.startX, old.startY}, {old.endX, old.endY}, {old.thirdX, old.thirdY}};
        p[static_cast<int>(handle) - static_cast<int>(ArcHandle::Point1)] = click;
        const std::optional<EllipseArc> through = ArcThroughPoints(p[0], p[1], p[2]);
        if (!through)
            return std::nullopt;
        ArcRecord three = ArcRecordOf(ArcMethod::ThreePoints, {*through}, p);
        three.h = old.h;
        return three;
    }
    default: break;
    }
    if (!moved)
        return std::nullopt;
    r.r = moved->rx;
    r.startAngle = moved->startDeg, r.sweepAngle = moved->sweepDeg;
    r.thirdX = r.thirdY = 0;
    return r;
}

std::optional<EllipticArcRecord> ChangedEllipticArc(const EllipticArcRecord& old, ArcHandle handle,
                                                    PointD click)
{
    const EllipseArc e = arcOf(old);
    EllipticArcRecord r = old;
    PointD ends[2] = {{old.startX, old.startY}, {old.endX, old.endY}};
    std::optional<EllipseArc> moved;
    switch (handle) {
    case ArcHandle::RadiusPoint:
        moved = withRadiusPoint(e, click);
        r.method = 0;
        break;
    case ArcHandle::Start:
    case ArcHandle::End: moved = withMovedAngle(e, handle, click); break;
    case ArcHandle::Corner1:
    case ArcHandle::Corner2:
        ends[handle == ArcHandle::Corner1 ? 0 : 1] = click;
        moved = EllipseByDiagonal(ends[0], ends[1], e.tiltDeg);
        r.method = 1;
        if (moved)
            moved = WithAngles(*moved, e.startDeg, e.sweepDeg);
        break;
    case ArcHandle::AxisEnd1:
    case ArcHandle::AxisEnd2:
        ends[handle == ArcHandle::AxisEnd1 ? 0 : 1] = click;
        moved = EllipseByAxis(ends[0], ends[1], old.ry / old.rx);
        r.method = 2;
        if (moved)
            moved = WithAngles(*moved, e.startDeg, e.sweepDeg);
        break;
    default: break;
    }
    if (!moved)
        return std::nullopt;
    setShape(r, *moved);
    r.startX = ends[0].x, r.startY = ends[0].y;
    r.endX = ends[1].x, r.endY = ends[1].y;
    return r;
}

std::optional<SectorRecord> ChangedSector(const SectorRecord& old, ArcHandle handle, PointD click)
{
    const std::optional<EllipseArc> moved = movedEllipse(arcOf(old), handle, click);
    if (!moved)
        return std::nullopt;
    SectorRecord r = old;
    setShape(r, *moved);
    return r;
}

std::optional<RingRecord> ChangedRing(const RingRecord& old, ArcHandle handle, PointD click)
{
    const EllipseArc outer = outerArcOf(old);
    RingRecord r = old;
    if (handle == ArcHandle::InnerRadiusPoint) {
        const std::optional<SemiAxes> inner = InnerRadiiInside(outer, click);
        if (!inner)
            return std::nullopt;
        r.innerRx = inner->rx, r.innerRy = inner->ry;
        return r;
    }
    const std::optional<EllipseArc> moved = movedEllipse(outer, handle, click);
    // The outer ellipse must still enclose the inner one.
    if (!moved || !(moved->rx > old.innerRx) || !(moved->ry > old.innerRy))
        return std::nullopt;
    r.outerRx = moved->rx, r.outerRy = moved->ry;
    r.startAngle = moved->startDeg, r.sweepAngle = moved->sweepDeg;
    return r;
}
