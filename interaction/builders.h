// The builders: plain functions from the collected points and working values
// (and the fill variant) to an element record, or a refusal. They touch
// neither widgets nor the canvas; the builder protocol
// (interaction/builder_protocol.h) stamps the current attributes, journals,
// appends, draws and reports. A builder fills only the geometry, the method
// code and the fill variant (h.fillMode) of its record.
//
// Change builders take the old record as well: the protocol keeps the old
// element's layer, fill variant and attribute references.
#pragma once

#include <variant>

#include "interaction/construction.h"
#include "model/data.h"
#include "model/element_kind.h"

using DraftRecord = std::variant<std::monostate, LineRecord, PointRecord, RectRecord, CornerRectRecord,
                                 CircleRecord, EllipseRecord, ArcRecord, EllipticArcRecord, SectorRecord,
                                 RingRecord, OpenPathRecord, ClosedPathRecord, TextRecord>;

// A built record of `kind`, or (record empty) the refusal of that kind.
struct Draft {
    ElementKind kind = ElementKind::Line;
    DraftRecord record;

    bool refused() const { return std::holds_alternative<std::monostate>(record); }
    static Draft refusal(ElementKind kind) { return {kind, std::monostate{}}; }
};

using BuildFn = Draft (*)(const Construction&, int variant);

// The tolerance of every equality and degeneracy test of the builders.
inline constexpr double kBuildTolerance = 0.000001;

// ---- Lines, points, rectangles (interaction/builders_lines.cpp) -------------

Draft BuildLine(PointD start, PointD end);
// Points 0, 1.
Draft BuildLineFromPoints(const Construction&, int variant);
// Point 0 pass point, 1 start, 2 end; work.directionDeg the direction.
Draft BuildReferenceLine(const Construction&, int variant);
// The foot of p on the line through pass in direction directionDeg.
PointD FootOnReferenceLine(PointD pass, double directionDeg, PointD p);
Draft BuildPoint(PointD at);
Draft BuildPointFromClick(const Construction&, int variant);
Draft BuildRect(PointD a, PointD b, int variant);
Draft BuildRectFromPoints(const Construction&, int variant);
Draft BuildCornerRect(PointD a, PointD b, int variant, const WorkingValues& corners);
Draft BuildCornerRectFromPoints(const Construction&, int variant);

// ---- Circles and ellipses (interaction/builders_circles.cpp) ----------------

Draft BuildCircleCentreRadius(PointD centre, PointD radiusPoint, int variant);
Draft BuildCircleFromCentreRadius(const Construction&, int variant);
// The click is the centre; work.radius the dialog radius.
Draft BuildCircleFixedRadius(const Construction&, int variant);
// The centre of the circle of radius r through p1 and p2 on the side given by
// side (-1, 0, +1, as SideOfLine of the direction point); nullopt when the
// points are farther apart than 2r.
std::optional<PointD> CentreForRadiusTwoPoints(PointD p1, PointD p2, double r, int side);
Draft BuildCircleRadiusTwoPoints(PointD p1, PointD p2, double r, int side, int variant);
Draft BuildCircleFromRadiusTwoPoints(const Construction&, int variant);
Draft BuildCircleThreePoints(PointD p1, PointD p2, PointD p3, int variant);
Draft BuildCircleFromThreePoints(const Construction&, int variant);

// Semi-axes of the ellipse of tilt t around c through the tilted box corner p.
struct SemiAxes {
    double rx = 0, ry = 0;
};
SemiAxes SemiAxesOf(PointD centre, PointD radiusPoint, double tiltDeg);
Draft BuildEllipseCentreRadius(PointD centre, PointD radiusPoint, double tiltDeg, int variant);
Draft BuildEllipseFromCentreRadius(const Construction&, int variant);
// The click is the centre; work.radiusX, radiusY, tiltDeg from the dialog.
Draft BuildEllipseFixedRadii(const Construction&, int variant);
Draft BuildEllipseDiagonal(PointD p1, PointD p2, double tiltDeg, int variant);
Draft BuildEllipseFromDiagonal(const Construction&, int variant);
Draft BuildEllipseRatio(PointD p1, PointD p2, double ratio, int variant);
Draft BuildEllipseFromRatio(const Construction&, int variant);

// ---- Change builders: the old record and the new position of the picked
//      handle (interaction/builders_change.cpp) ----------------------------------

// pickedFirst: the line's first point moves.
Draft ChangeLine(const LineRecord& old, bool pickedFirst, PointD to);
// fixedCorner: the corner diagonally opposite the picked one, which stays.
Draft ChangeRect(const RectRecord& old, PointD fixedCorner, PointD to);
Draft ChangeCornerRect(const CornerRectRecord& old, PointD fixedCorner, PointD to);
// 406: the centre stays, `to` is the new radius point.
Draft ChangeCircleRadius(const CircleRecord& old, PointD to);
// 429: pickedFirst says which pass point moves; the side of the old centre
// against the old chord decides the new centre's side.
Draft ChangeCircleRadiusTwoPoints(const CircleRecord& old, bool pickedFirst, PointD to);
// 439: pass point `picked` (0..2) moves.
Draft ChangeCircleThreePoints(const CircleRecord& old, int picked, PointD to);
// 506: centre and tilt stay.
Draft ChangeEllipseRadius(const EllipseRecord& old, PointD to);
// 516: corner `picked` (0, 1) moves; tilt stays.
Draft ChangeEllipseDiagonal(const EllipseRecord& old, int picked, PointD to);
// 536: axis end `picked` (0, 1) moves; the ratio ry / rx stays.
Draft ChangeEllipseRatio(const EllipseRecord& old, int picked, PointD to);
