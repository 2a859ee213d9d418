#include "interaction/draft_outline.h"

#include <cmath>

#include "interaction/previews.h"
#include "model/element_geometry.h"

namespace {

using K = ElementKind;

void closeLastThrough(PreviewShape& out, std::initializer_list<PointD> via)
{
    std::vector<PointD>& line = out.polylines.back();
    const PointD first = line.front();
    line.insert(line.end(), via);
    line.push_back(first);
}

void addArcOf(PreviewShape& out, const EllipseArc& e)
{
    AddEllipse(out, e.centre, e.rx, e.ry, e.tiltDeg, e.startDeg, e.sweepDeg);
}

// Each part of at most 90 degrees closed through the corner where the
// tangents at its ends meet, as the renderer fills it.
void addOutsideOf(PreviewShape& out, const EllipseArc& e)
{
    const ArcCorners corners = ArcCornerPoints(e.centre, e.rx, e.ry, e.tiltDeg, e.startDeg, e.sweepDeg);
    const double part = e.sweepDeg / corners.partCount;
    for (int i = 0; i < corners.partCount; ++i) {
        addArcOf(out, WithAngles(e, e.startDeg + i * part, part));
        closeLastThrough(out, {corners.corners[static_cast<size_t>(i)]});
    }
}

void addRingOf(PreviewShape& out, const ArcFigure& f)
{
    const EllipseArc& e = f.outer;
    addArcOf(out, e);
    if (!(f.innerRx > 0))
        return;
    const EllipseArc inner{e.centre, f.innerRx, f.innerRy, e.tiltDeg, e.startDeg, e.sweepDeg};
    if (std::abs(e.sweepDeg) >= 360) {
        addArcOf(out, inner);
        return;
    }
    std::vector<PointD>& line = out.polylines.back();
    PreviewShape back;
    addArcOf(back, WithAngles(inner, e.startDeg + e.sweepDeg, -e.sweepDeg));
    line.insert(line.end(), back.polylines.back().begin(), back.polylines.back().end());
    line.push_back(line.front());
}

}  // namespace

void AddArcFigureOutline(ElementKind kind, const ArcFigure& f, PreviewShape& out)
{
    const bool partial = std::abs(f.outer.sweepDeg) < 360;
    if (kind == K::Outside) {
        addOutsideOf(out, f.outer);
    } else if (kind == K::Ring) {
        addRingOf(out, f);
    } else {
        addArcOf(out, f.outer);
        if (partial && kind == K::Pie)
            closeLastThrough(out, {f.outer.centre});
        else if (partial && kind == K::Chord)
            closeLastThrough(out, {});
    }
}

namespace {

struct Outline {
    ElementKind kind;
    PreviewShape& out;

    void operator()(const std::monostate&) const {}
    void operator()(const LineRecord& r) const { AddSegment(out, {r.x1, r.y1}, {r.x2, r.y2}); }
    void operator()(const PointRecord&) const {}
    void operator()(const RectRecord& r) const { AddBox(out, {r.x1, r.y1}, {r.x2, r.y2}); }
    void operator()(const CornerRectRecord& r) const { AddBox(out, {r.x1, r.y1}, {r.x2, r.y2}); }
    void operator()(const CircleRecord& r) const { AddEllipse(out, {r.cx, r.cy}, r.r, r.r, 0); }
    void operator()(const EllipseRecord& r) const { AddEllipse(out, {r.cx, r.cy}, r.rx, r.ry, r.tilt); }
    void operator()(const ArcRecord& r) const { AddArcFigureOutline(kind, {arcOf(r)}, out); }
    void operator()(const EllipticArcRecord& r) const { AddArcFigureOutline(kind, {arcOf(r)}, out); }
    void operator()(const SectorRecord& r) const { AddArcFigureOutline(kind, {arcOf(r)}, out); }
    void operator()(const RingRecord& r) const
    {
        AddArcFigureOutline(kind, {outerArcOf(r), r.innerRx, r.innerRy}, out);
    }
    void operator()(const OpenPathRecord& r) const { out.polylines.push_back(r.points); }
    void operator()(const ClosedPathRecord& r) const
    {
        out.polylines.push_back(r.points);
        if (!r.points.empty())
            out.polylines.back().push_back(r.points.front());
    }
    void operator()(const TextRecord&) const {}
};

}  // namespace

void AddDraftOutline(const Draft& draft, PreviewShape& out)
{
    std::visit(Outline{draft.kind, out}, draft.record);
}
