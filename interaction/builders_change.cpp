// Change builders: the old record and the new position of the picked handle
// give the rebuilt geometry. The protocol (CommitChange) keeps the old
// element's layer, fill variant and attribute references.
#include <algorithm>
#include <cmath>

#include "geometry/construct.h"
#include "interaction/builders.h"

Draft ChangeLine(const LineRecord& old, bool pickedFirst, PointD to)
{
    // The record keeps its point order whichever end moved.
    return pickedFirst ? BuildLine(to, {old.x2, old.y2}) : BuildLine({old.x1, old.y1}, to);
}

Draft ChangeRect(const RectRecord& old, PointD fixedCorner, PointD to)
{
    return BuildRect(fixedCorner, to, old.h.fillMode);
}

Draft ChangeCornerRect(const CornerRectRecord& old, PointD fixedCorner, PointD to)
{
    WorkingValues corners;
    std::copy(std::begin(old.cornerTypes), std::end(old.cornerTypes), corners.cornerTypes);
    std::copy(std::begin(old.cornerSizes), std::end(old.cornerSizes), corners.cornerSizes);
    return BuildCornerRect(fixedCorner, to, old.h.fillMode, corners);
}

Draft ChangeCircleRadius(const CircleRecord& old, PointD to)
{
    return BuildCircleCentreRadius({old.cx, old.cy}, to, old.h.fillMode);
}

Draft ChangeCircleRadiusTwoPoints(const CircleRecord& old, bool pickedFirst, PointD to)
{
    const PointD p1{old.p1x, old.p1y}, p2{old.p2x, old.p2y};
    const PointD fixed = pickedFirst ? p2 : p1;
    const PointD moving = pickedFirst ? p1 : p2;
    // The new centre stays on the side of the chord where the old one was:
    // the builder puts the centre opposite to the side it is given.
    const int oldSide = SideOfLine(fixed, moving, {old.cx, old.cy});
    const std::optional<PointD> centre = CentreForRadiusTwoPoints(fixed, to, old.r, -oldSide);
    if (!centre)
        return Draft::refusal(ElementKind::Circle);
    const PointD n1 = pickedFirst ? to : p1, n2 = pickedFirst ? p2 : to;
    Draft draft = BuildCircleRadiusTwoPoints(n1, n2, old.r, 0, old.h.fillMode);
    if (auto* rec = std::get_if<CircleRecord>(&draft.record)) {
        rec->cx = centre->x;
        rec->cy = centre->y;
    }
    return draft;
}

Draft ChangeCircleThreePoints(const CircleRecord& old, int picked, PointD to)
{
    PointD p[3] = {{old.p1x, old.p1y}, {old.p2x, old.p2y}, {old.p3x, old.p3y}};
    if (picked < 0 || picked > 2)
        return Draft::refusal(ElementKind::Circle);
    p[picked] = to;
    return BuildCircleThreePoints(p[0], p[1], p[2], old.h.fillMode);
}

Draft ChangeEllipseRadius(const EllipseRecord& old, PointD to)
{
    return BuildEllipseCentreRadius({old.cx, old.cy}, to, old.tilt, old.h.fillMode);
}

Draft ChangeEllipseDiagonal(const EllipseRecord& old, int picked, PointD to)
{
    if (picked < 0 || picked > 1)
        return Draft::refusal(ElementKind::Ellipse);
    const PointD p1{old.p1x, old.p1y}, p2{old.p2x, old.p2y};
    return picked == 0 ? BuildEllipseDiagonal(to, p2, old.tilt, old.h.fillMode)
                       : BuildEllipseDiagonal(p1, to, old.tilt, old.h.fillMode);
}

Draft ChangeEllipseRatio(const EllipseRecord& old, int picked, PointD to)
{
    if (picked < 0 || picked > 1 || !(old.rx > 0))
        return Draft::refusal(ElementKind::Ellipse);
    const PointD p1{old.p1x, old.p1y}, p2{old.p2x, old.p2y};
    const double ratio = old.ry / old.rx;
    return picked == 0 ? BuildEllipseRatio(to, p2, ratio, old.h.fillMode)
                       : BuildEllipseRatio(p1, to, ratio, old.h.fillMode);
}
