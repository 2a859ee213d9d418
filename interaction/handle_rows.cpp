// The handle rows: the set-ups of the change modes, the rebuilds of the arc
// family, and the table itself. The rebuilds of the other kinds are the
// change-mode adapters of interaction/family_rules.h.
#include "interaction/handle_rows.h"

#include <algorithm>

#include "geometry/construct.h"
#include "interaction/build_arcs.h"
#include "interaction/build_sequences.h"
#include "interaction/family_rules.h"
#include "interaction/previews.h"

namespace {

using L = GripLayout;
using K = ElementKind;

// ---- Set-ups ----------------------------------------------------------------------

PointD gripAt(const Drawing& d, int k)
{
    const int n = static_cast<int>(d.controlPoints.size());
    const ControlPoint& p = d.controlPoints[static_cast<size_t>(std::clamp(k, 0, n - 1))];
    return {p.x, p.y};
}

// Of a pair of grips, the one not picked.
int otherOf(const Construction& c, int first, int second)
{
    return c.changeHandle == first ? second : first;
}

// The grip that stays while the picked one moves: the other line end, the
// opposite box corner, the other pass point, diagonal corner or axis end.
void keepOtherEnd(const Drawing& d, const ControlPoint&, Construction& c)
{
    c.points[0] = gripAt(d, otherOf(c, grip::kLineStart, grip::kLineEnd));
}

void keepOppositeCorner(const Drawing& d, const ControlPoint&, Construction& c)
{
    c.points[0] = gripAt(d, grip::OppositeCorner(c.changeHandle));
}

void keepOtherDefiningPoint(const Drawing& d, const ControlPoint&, Construction& c)
{
    c.points[0] = gripAt(d, otherOf(c, grip::kDefiningPoint1, grip::kDefiningPoint2));
}

void keepCentre(const Drawing& d, const ControlPoint&, Construction& c)
{
    c.points[0] = gripAt(d, grip::kCentre);
}

const EllipseRecord* ellipseOf(const Drawing& d, const ControlPoint& p)
{
    const auto i = static_cast<size_t>(p.index);
    return i < d.tables.ellipses.size() ? &d.tables.ellipses[i] : nullptr;
}

const CircleRecord* circleOf(const Drawing& d, const ControlPoint& p)
{
    const auto i = static_cast<size_t>(p.index);
    return i < d.tables.circles.size() ? &d.tables.circles[i] : nullptr;
}

void keepCentreAndTilt(const Drawing& d, const ControlPoint& p, Construction& c)
{
    keepCentre(d, p, c);
    if (const EllipseRecord* e = ellipseOf(d, p))
        c.work.tiltDeg = e->tilt;
}

void keepCornerAndTilt(const Drawing& d, const ControlPoint& p, Construction& c)
{
    keepOtherDefiningPoint(d, p, c);
    if (const EllipseRecord* e = ellipseOf(d, p))
        c.work.tiltDeg = e->tilt;
}

void keepAxisEndAndRatio(const Drawing& d, const ControlPoint& p, Construction& c)
{
    keepOtherDefiningPoint(d, p, c);
    if (const EllipseRecord* e = ellipseOf(d, p); e && e->rx > 0)
        c.work.ratio = e->ry / e->rx;
}

// The fixed pass point, the radius, and the side the new centre keeps.
void keepPassPointAndSide(const Drawing& d, const ControlPoint& p, Construction& c)
{
    c.points[0] = gripAt(d, otherOf(c, grip::kPassPoint1, grip::kPassPoint2));
    if (const CircleRecord* r = circleOf(d, p)) {
        const PointD moving = c.changeHandle == grip::kPassPoint1 ? PointD{r->p1x, r->p1y} : PointD{r->p2x, r->p2y};
        c.work.radius = r->r;
        c.work.side = -SideOfLine(c.points[0], moving, {r->cx, r->cy});
    }
}

// The two pass points that stay.
void keepOtherPassPoints(const Drawing& d, const ControlPoint&, Construction& c)
{
    const int last = std::min(grip::kPassPoint3, static_cast<int>(d.controlPoints.size()) - 1);
    size_t slot = 0;
    for (int k = grip::kPassPoint1; k <= last; ++k) {
        if (k != c.changeHandle)
            c.points[slot++] = gripAt(d, k);
    }
}

// The arc family rebuilds from the stored record; nothing is copied.
void keepRecord(const Drawing&, const ControlPoint&, Construction&) {}

// Point lists: every vertex goes into the point sequence.
void keepVertices(const Drawing& d, const ControlPoint&, Construction& c)
{
    c.sequence.clear();
    for (const ControlPoint& p : d.controlPoints)
        c.sequence.push_back({p.x, p.y});
    c.nextPoint = static_cast<int32_t>(c.sequence.size());
}

// ---- Rebuilds of the arc family ---------------------------------------------------

// Which defining point the click moves: fixed by the row, or by the picked
// grip where one row holds several.
using HandlePick = ArcHandle (*)(const Construction&);
template <ArcHandle H> ArcHandle fixed(const Construction&)
{
    return H;
}
ArcHandle startOrEnd(const Construction& c)
{
    return c.changeHandle == grip::kArcStart ? ArcHandle::Start : ArcHandle::End;
}
// ArcThreePoints: start, end and third point are Point1 .. Point3.
ArcHandle threePointHandle(const Construction& c)
{
    const int k = std::clamp(c.changeHandle, grip::kArcStart, grip::kArcThirdPoint) - grip::kArcStart;
    return static_cast<ArcHandle>(static_cast<int>(ArcHandle::Point1) + k);
}

template <class Record> auto changedOf(const Record& old, ArcHandle h, PointD to)
{
    if constexpr (std::is_same_v<Record, ArcRecord>)
        return ChangedArc(old, h, to);
    else if constexpr (std::is_same_v<Record, EllipticArcRecord>)
        return ChangedEllipticArc(old, h, to);
    else if constexpr (std::is_same_v<Record, RingRecord>)
        return ChangedRing(old, h, to);
    else
        return ChangedSector(old, h, to);
}

template <K Kind, class Record, HandlePick Pick> Draft changeArcFamily(const Drawing& d, const Construction& c, PointD to)
{
    const Record* old = recordAt<Kind>(d, c.changeTarget);
    if (!old)
        return Draft::refusal(Kind);
    const auto changed = changedOf(*old, Pick(c), to);
    if (!changed)
        return Draft::refusal(Kind);
    return {Kind, *changed};
}

template <ArcHandle H> constexpr auto changeArc = changeArcFamily<K::Arc, ArcRecord, fixed<H>>;
template <ArcHandle H> constexpr auto changeEllipticArc = changeArcFamily<K::EllipticArc, EllipticArcRecord, fixed<H>>;
template <K Kind, ArcHandle H> constexpr auto changeSector = changeArcFamily<Kind, SectorRecord, fixed<H>>;
template <ArcHandle H> constexpr auto changeRing = changeArcFamily<K::Ring, RingRecord, fixed<H>>;

// Pies, chords and outside shapes: the same three rows from their base mode.
template <K Kind> void addSectorRows(std::vector<HandleRow>& t, L layout, int base)
{
    using H = ArcHandle;
    t.push_back({base + 4, {{layout, grip::kCentre, grip::kCentre}}, keepRecord, changeSector<Kind, H::RadiusPoint>});
    t.push_back({base + 5, {{layout, grip::kArcStart, grip::kArcStart}}, keepRecord, changeSector<Kind, H::Start>});
    t.push_back({base + 6, {{layout, grip::kArcEnd, grip::kArcEnd}}, keepRecord, changeSector<Kind, H::End>});
}

// ---- The table ----------------------------------------------------------------------

std::vector<HandleRow> buildRows()
{
    using namespace grip;
    using H = ArcHandle;
    const auto only = [](L layout, int k) { return GripSpan{layout, k, k}; };
    const auto all = [](L layout) { return GripSpan{layout, kFirstVertex, kEveryGrip}; };
    // The same grip of every elliptic-arc layout.
    const auto everyEllipticArc = [&](int k) {
        return std::vector<GripSpan>{only(L::EllipticArc, k), only(L::EllipticArcDiagonal, k),
                                     only(L::EllipticArcAxis, k)};
    };

    std::vector<HandleRow> t = {
        {102, {{L::Line, kLineStart, kLineEnd}}, keepOtherEnd, ChangeLineAt, PreviewSegment},
        {306, {{L::Rect, kFirstCorner, kLastCorner}}, keepOppositeCorner, ChangeRectAt, PreviewBox},
        {316, {{L::CornerRect, kFirstCorner, kLastCorner}}, keepOppositeCorner, ChangeCornerRectAt, PreviewBox},

        {406,
         {{L::CircleRadius, kCentre, kRimPoint}, only(L::CircleRadiusTwoPoints, kCentre),
          only(L::CircleThreePoints, kCentre)},
         keepCentre, ChangeCircleRadiusAt, PreviewCircleCentre},
        {429, {{L::CircleRadiusTwoPoints, kPassPoint1, kPassPoint2}}, keepPassPointAndSide,
         ChangeCircleRadiusTwoPointsAt, PreviewChangedRadiusTwoPoints},
        {439, {{L::CircleThreePoints, kPassPoint1, kPassPoint3}}, keepOtherPassPoints, ChangeCircleThreePointsAt,
         PreviewCircleThreePoints},

        {506,
         {{L::EllipseRadius, kCentre, kRimPoint}, only(L::EllipseDiagonal, kCentre), only(L::EllipseRatio, kCentre)},
         keepCentreAndTilt, ChangeEllipseRadiusAt, PreviewEllipseCentre},
        {516, {{L::EllipseDiagonal, kDefiningPoint1, kDefiningPoint2}}, keepCornerAndTilt, ChangeEllipseDiagonalAt,
         PreviewEllipseDiagonal},
        {536, {{L::EllipseRatio, kDefiningPoint1, kDefiningPoint2}}, keepAxisEndAndRatio, ChangeEllipseRatioAt,
         PreviewEllipseRatio},

        // The arc family and the point lists show the element they would rebuild.
        {604, {only(L::Arc, kCentre), only(L::ArcThreePoints, kCentre)}, keepRecord, changeArc<H::RadiusPoint>},
        {605, {{L::Arc, kArcStart, kArcEnd}}, keepRecord, changeArcFamily<K::Arc, ArcRecord, startOrEnd>},
        {643, {{L::ArcThreePoints, kArcStart, kArcThirdPoint}}, keepRecord,
         changeArcFamily<K::Arc, ArcRecord, threePointHandle>},

        {704, everyEllipticArc(kCentre), keepRecord, changeEllipticArc<H::RadiusPoint>},
        {705, everyEllipticArc(kArcStart), keepRecord, changeEllipticArc<H::Start>},
        {706, everyEllipticArc(kArcEnd), keepRecord, changeEllipticArc<H::End>},
        {734, {only(L::EllipticArcDiagonal, kArcDefiningPoint1)}, keepRecord, changeEllipticArc<H::Corner1>},
        {735, {only(L::EllipticArcDiagonal, kArcDefiningPoint2)}, keepRecord, changeEllipticArc<H::Corner2>},
        {754, {only(L::EllipticArcAxis, kArcDefiningPoint1)}, keepRecord, changeEllipticArc<H::AxisEnd1>},
        {755, {only(L::EllipticArcAxis, kArcDefiningPoint2)}, keepRecord, changeEllipticArc<H::AxisEnd2>},
    };
    addSectorRows<K::Pie>(t, L::Pie, 800);
    addSectorRows<K::Chord>(t, L::Chord, 900);
    addSectorRows<K::Outside>(t, L::Outside, 1000);
    t.insert(t.end(), {
        {1105, {only(L::Ring, kCentre)}, keepRecord, changeRing<H::RadiusPoint>},
        {1106, {only(L::Ring, kArcStart)}, keepRecord, changeRing<H::Start>},
        {1107, {only(L::Ring, kArcEnd)}, keepRecord, changeRing<H::End>},
        {1108, {only(L::Ring, kRingInnerStart)}, keepRecord, changeRing<H::InnerRadiusPoint>},

        {2001, {all(L::Polyline)}, keepVertices, ChangeVertexAt<K::Polyline>},
        {2011, {all(L::Polygon)}, keepVertices, ChangeVertexAt<K::Polygon>},
        {2101, {all(L::Bezier)}, keepVertices, ChangeVertexAt<K::Bezier>},
        {2201, {all(L::OpenSpline)}, keepVertices, ChangeVertexAt<K::OpenSpline>},
        {2211, {all(L::ClosedSpline)}, keepVertices, ChangeVertexAt<K::ClosedSpline>},
    });
    return t;
}

}  // namespace

const std::vector<HandleRow>& HandleRows()
{
    static const std::vector<HandleRow> rows = buildRows();
    return rows;
}

const HandleRow* FindHandleRow(int32_t pointCode, int grip)
{
    for (const HandleRow& row : HandleRows()) {
        for (const GripSpan& span : row.grips) {
            if (PointCode(span.layout) == pointCode && span.first <= grip && grip <= span.last)
                return &row;
        }
    }
    return nullptr;
}
