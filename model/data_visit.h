// visitElement: the one dispatch from a registry entry to its record. Kept out
// of data.h so that the header stays a list of what the database holds.
#pragma once

namespace detail {
template <class Table, class Visit>
bool visitIn(const Table& table, ElementKind kind, int32_t index, Visit& visit)
{
    if (index < 0 || static_cast<size_t>(index) >= table.size())
        return false;
    visit(kind, table[static_cast<size_t>(index)]);
    return true;
}
}  // namespace detail

template <class Visit>
bool visitElement(const Drawing& drawing, const ElementRef& ref, Visit&& visit)
{
    const auto kind = kindFromCode(ref.kind);
    if (!kind)
        return false;
    const KindTables& t = drawing.tables;
    const int32_t i = ref.index;
    switch (*kind) {
    case ElementKind::Line: return detail::visitIn(t.lines, *kind, i, visit);
    case ElementKind::Point: return detail::visitIn(t.points, *kind, i, visit);
    case ElementKind::Rect: return detail::visitIn(t.rects, *kind, i, visit);
    case ElementKind::CornerRect: return detail::visitIn(t.cornerRects, *kind, i, visit);
    case ElementKind::Circle: return detail::visitIn(t.circles, *kind, i, visit);
    case ElementKind::Ellipse: return detail::visitIn(t.ellipses, *kind, i, visit);
    case ElementKind::Arc: return detail::visitIn(t.arcs, *kind, i, visit);
    case ElementKind::EllipticArc: return detail::visitIn(t.ellipticArcs, *kind, i, visit);
    case ElementKind::Pie: return detail::visitIn(t.pies, *kind, i, visit);
    case ElementKind::Chord: return detail::visitIn(t.chords, *kind, i, visit);
    case ElementKind::Outside: return detail::visitIn(t.outsides, *kind, i, visit);
    case ElementKind::Ring: return detail::visitIn(t.rings, *kind, i, visit);
    case ElementKind::Polyline: return detail::visitIn(t.polylines, *kind, i, visit);
    case ElementKind::Polygon: return detail::visitIn(t.polygons, *kind, i, visit);
    case ElementKind::Bezier: return detail::visitIn(t.beziers, *kind, i, visit);
    case ElementKind::OpenSpline: return detail::visitIn(t.openSplines, *kind, i, visit);
    case ElementKind::ClosedSpline: return detail::visitIn(t.closedSplines, *kind, i, visit);
    case ElementKind::Text: return detail::visitIn(t.texts, *kind, i, visit);
    }
    return false;
}
