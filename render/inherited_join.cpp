// Which kinds set a join (the table of the renderers: closed kinds when
// outlined, the open point-list kinds always, two-point splines and the
// other open kinds never) and the walk back through the paint order to the
// nearest element that sets one.
#include "render/inherited_join.h"

#include "model/data_visit.h"
#include "render/renderers_p.h"

using namespace render_detail;

namespace {

struct JoinOf {
    const ViewTransform& view;
    int code = -1;

    void closed(const ClosedHeader& h, int join)
    {
        if (isOutlined(h.fillMode))
            code = join;
    }
    void operator()(ElementKind, const LineRecord&) {}
    void operator()(ElementKind, const PointRecord&) {}
    void operator()(ElementKind, const ArcRecord&) {}
    void operator()(ElementKind, const EllipticArcRecord&) {}
    void operator()(ElementKind, const TextRecord&) {}
    void operator()(ElementKind, const RectRecord& r)
    {
        if (spansTwoPixels(toCanvas(view, r.x1, r.y1), toCanvas(view, r.x2, r.y2)))
            closed(r.h, r.h.joinStyle);
    }
    void operator()(ElementKind, const CornerRectRecord& r)
    {
        if (spansTwoPixels(toCanvas(view, r.x1, r.y1), toCanvas(view, r.x2, r.y2)))
            closed(r.h, r.h.joinStyle);
    }
    void operator()(ElementKind, const CircleRecord& r) { closed(r.h, r.h.joinStyle); }
    void operator()(ElementKind, const EllipseRecord& r) { closed(r.h, r.h.joinStyle); }
    void operator()(ElementKind, const RingRecord& r) { closed(r.h, r.h.joinStyle); }
    void operator()(ElementKind kind, const SectorRecord& r)
    {
        closed(r.h, kind != ElementKind::Outside ? r.h.joinStyle : r.h.joinStyle == 1 ? 1 : 2);
    }
    void operator()(ElementKind kind, const OpenPathRecord& r)
    {
        if (kind != ElementKind::OpenSpline || r.points.size() != 2)
            code = joinFromEndStyle(r.h.endStyle);
    }
    void operator()(ElementKind, const ClosedPathRecord& r)
    {
        if (r.points.size() != 2)
            closed(r.h, joinFromEndStyle(r.h.joinStyle));
    }
};

}  // namespace

int JoinSetBy(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view)
{
    JoinOf of{view};
    visitElement(drawing, ref, of);
    return of.code;
}

int32_t InheritedJoin::layerAt(size_t position) const
{
    return position < m_drawing.extents.size() ? m_drawing.extents.layer(position)
                                               : m_drawing.layerOf(m_drawing.registry[position]);
}

bool InheritedJoin::endsWalk(size_t q, int& code) const
{
    if (int32_t(q) == m_lastDrawn) {
        code = -1;  // the surface holds what q left
        return true;
    }
    code = JoinSetBy(m_drawing, m_drawing.registry[q], m_view);
    return code >= 0;
}

int InheritedJoin::join(int32_t position) const
{
    const auto& registry = m_drawing.registry;
    // An element that sets its own join needs none; every other one gets it,
    // readers or not, so that the surface holds the right join after it.
    if (position < 0 || size_t(position) >= registry.size() ||
        JoinSetBy(m_drawing, registry[size_t(position)], m_view) >= 0)
        return -1;
    const int32_t layer = layerAt(size_t(position));
    int code = -1;
    for (size_t q = size_t(position); q-- > 0;)
        if (registry[q].live && layerAt(q) == layer && endsWalk(q, code))
            return code;
    // The lower layers in paint order: the highest one first, the last
    // position within it first. One scan keeps the best end per layer.
    int32_t bestLayer = -1;
    int bestCode = -1;
    for (size_t q = registry.size(); q-- > 0;) {
        if (!registry[q].live)
            continue;
        const int32_t l = layerAt(q);
        if (l >= layer || l <= bestLayer || !m_drawing.layerVisible(l) || !endsWalk(q, code))
            continue;
        bestLayer = l;
        bestCode = code;
        if (l == layer - 1)
            break;
    }
    // Nothing before it: the pass began with the miter join (code 0).
    return bestLayer >= 0 ? bestCode : (m_lastDrawn < 0 ? -1 : 0);
}
