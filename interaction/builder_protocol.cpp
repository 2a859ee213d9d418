// The builder protocol: attributes, journal, append, immediate drawing, snap
// registration, message.
#include "interaction/builder_protocol.h"

#include <QString>

#include "interaction/canvas_host.h"
#include "interaction/command_texts.h"
#include "interaction/interaction_state.h"
#include "model/snap_points.h"
#include "render/renderers.h"
#include "storage/settings.h"

namespace {

bool isPointList(ElementKind kind)
{
    return kind == ElementKind::Polyline || kind == ElementKind::Polygon || kind == ElementKind::Bezier ||
           kind == ElementKind::OpenSpline || kind == ElementKind::ClosedSpline;
}

QString label(ElementKind kind)
{
    const std::string_view text = kindLabel(static_cast<int32_t>(kind));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Stamps the current attributes on a new record.
struct Stamp {
    AttributeTables& tables;
    const CurrentAttributes& current;

    void outline(OutlineHeader& h) const
    {
        const PenRefs pen = resolvePen(tables, current);
        h = OutlineHeader{current.currentLayer, pen.penKind, pen.penRef, pen.widthRef, pen.lineTypeRef,
                          current.endStyle};
    }
    void closed(ClosedHeader& h) const
    {
        const PenRefs pen = resolvePen(tables, current);
        const BrushRefs brush = resolveBrush(tables, current);
        // The end style 3 ("none") has no join; closed kinds store it as 0.
        const int32_t join = current.endStyle == 3 ? 0 : current.endStyle;
        h = ClosedHeader{h.fillMode,   current.currentLayer, pen.penKind,     pen.penRef, pen.widthRef,
                         pen.lineTypeRef, join,              brush.brushKind, brush.brushRef};
    }

    void operator()(std::monostate&) const {}
    void operator()(PointRecord& r) const
    {
        const PenRefs pen = resolvePen(tables, current);
        r.layer = current.currentLayer;
        r.penKind = pen.penKind;
        r.penRef = pen.penRef;
        r.pointStyle = current.pointStyle;
        r.size = current.pointSize;
    }
    void operator()(TextRecord& r) const
    {
        const BrushRefs brush = resolveBrush(tables, current);
        r.layer = current.currentLayer;
        r.brushKind = brush.brushKind;
        r.brushRef = brush.brushRef;
    }
    template <class R> void operator()(R& r) const
    {
        if constexpr (requires { r.h.fillMode; })
            closed(r.h);
        else
            outline(r.h);
    }
};

// Copies the old element's layer, fill variant and references.
struct Inherit {
    const DraftRecord& old;

    void operator()(std::monostate&) const {}
    template <class R> void operator()(R& r) const
    {
        if (const R* o = std::get_if<R>(&old)) {
            if constexpr (requires { r.h; })
                r.h = o->h;
            else if constexpr (requires { r.penRef; }) {
                r.layer = o->layer;
                r.penKind = o->penKind;
                r.penRef = o->penRef;
                r.pointStyle = o->pointStyle;
                r.size = o->size;
            } else {
                r.layer = o->layer;
                r.brushKind = o->brushKind;
                r.brushRef = o->brushRef;
            }
        }
    }
};

// Appends by kind; returns the kind-table index.
int32_t append(Drawing& d, ElementKind kind, const DraftRecord& record)
{
    return std::visit(
        [&](const auto& r) -> int32_t {
            using R = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<R, std::monostate>) return -1;
            else if constexpr (std::is_same_v<R, LineRecord>) return d.AppendLine(r);
            else if constexpr (std::is_same_v<R, PointRecord>) return d.AppendPoint(r);
            else if constexpr (std::is_same_v<R, RectRecord>) return d.AppendRect(r);
            else if constexpr (std::is_same_v<R, CornerRectRecord>) return d.AppendCornerRect(r);
            else if constexpr (std::is_same_v<R, CircleRecord>) return d.AppendCircle(r);
            else if constexpr (std::is_same_v<R, EllipseRecord>) return d.AppendEllipse(r);
            else if constexpr (std::is_same_v<R, ArcRecord>) return d.AppendArc(r);
            else if constexpr (std::is_same_v<R, EllipticArcRecord>) return d.AppendEllipticArc(r);
            else if constexpr (std::is_same_v<R, SectorRecord>) {
                if (kind == ElementKind::Pie) return d.AppendPie(r);
                if (kind == ElementKind::Chord) return d.AppendChord(r);
                return d.AppendOutside(r);
            } else if constexpr (std::is_same_v<R, RingRecord>) return d.AppendRing(r);
            else if constexpr (std::is_same_v<R, OpenPathRecord>) {
                if (kind == ElementKind::Bezier) return d.AppendBezier(r);
                if (kind == ElementKind::OpenSpline) return d.AppendOpenSpline(r);
                return d.AppendPolyline(r);
            } else if constexpr (std::is_same_v<R, ClosedPathRecord>) {
                if (kind == ElementKind::ClosedSpline) return d.AppendClosedSpline(r);
                return d.AppendPolygon(r);
            } else return d.AppendText(r);
        },
        record);
}

size_t tableSize(const Drawing& d, ElementKind kind)
{
    const KindTables& t = d.tables;
    switch (kind) {
    case ElementKind::Line: return t.lines.size();
    case ElementKind::Point: return t.points.size();
    case ElementKind::Rect: return t.rects.size();
    case ElementKind::CornerRect: return t.cornerRects.size();
    case ElementKind::Circle: return t.circles.size();
    case ElementKind::Ellipse: return t.ellipses.size();
    case ElementKind::Arc: return t.arcs.size();
    case ElementKind::EllipticArc: return t.ellipticArcs.size();
    case ElementKind::Pie: return t.pies.size();
    case ElementKind::Chord: return t.chords.size();
    case ElementKind::Outside: return t.outsides.size();
    case ElementKind::Ring: return t.rings.size();
    case ElementKind::Polyline: return t.polylines.size();
    case ElementKind::Polygon: return t.polygons.size();
    case ElementKind::Bezier: return t.beziers.size();
    case ElementKind::OpenSpline: return t.openSplines.size();
    case ElementKind::ClosedSpline: return t.closedSplines.size();
    case ElementKind::Text: return t.texts.size();
    }
    return 0;
}

// The record a registry entry names, as a draft record.
DraftRecord recordAt(const Drawing& d, int32_t position)
{
    DraftRecord out;
    if (position < 0 || static_cast<size_t>(position) >= d.registry.size())
        return out;
    visitElement(d, d.registry[static_cast<size_t>(position)], [&](ElementKind, const auto& r) { out = r; });
    return out;
}

// A new element only adds to the layers in use; recounting them all would
// make every constructor cost grow with the drawing.
void markLayerUsed(Drawing& d, const ElementRef& ref)
{
    const int32_t layer = d.layerOf(ref);
    if (layer >= 0 && static_cast<size_t>(layer) < d.layers.size())
        d.layers[static_cast<size_t>(layer)].inUse = true;
}

std::optional<int32_t> addAndShow(CommandContext& ctx, const Draft& draft, bool ownGroup)
{
    if (draft.refused()) {
        ctx.host.ShowOperation(isPointList(draft.kind) ? text(CommandText::kNoPoints)
                                                       : label(draft.kind) + text(CommandText::kBuildRefused));
        return std::nullopt;
    }
    if (ownGroup)
        ctx.drawing.journal.BeginGroup();
    const auto position = *AppendWithCurrentAttributes(ctx, draft);
    if (ownGroup)
        ctx.drawing.journal.EndGroup();

    const ElementRef& ref = ctx.drawing.registry.back();
    QImage& canvas = ctx.host.canvasImage();
    const ViewTransform& view = ctx.host.viewState().view;
    if (TGraphP* surface = ctx.host.surface(); surface && !canvas.isNull()) {
        RenderElementOnDc(*surface, &canvas, -1, view, ctx.drawing, ref);
        ctx.host.canvasChanged(QRect());
    }
    RegisterSnapPoints(ctx.drawing, ref, CanvasView{view, canvas.width(), canvas.height()});
    ctx.host.UpdateUndoMenu();
    ctx.host.ShowOperation(label(draft.kind) + text(CommandText::kBuilt) +
                           QString::number(tableSize(ctx.drawing, draft.kind)) + text(CommandText::kBuiltEnd));
    return position;
}

}  // namespace

std::optional<int32_t> AppendWithCurrentAttributes(CommandContext& ctx, Draft draft)
{
    if (draft.refused())
        return std::nullopt;
    std::visit(Stamp{ctx.drawing.attributes, ctx.settings.attributes}, draft.record);
    const auto position = static_cast<int32_t>(ctx.drawing.registry.size());
    append(ctx.drawing, draft.kind, draft.record);
    markLayerUsed(ctx.drawing, ctx.drawing.registry.back());
    return position;
}

std::optional<int32_t> CommitDraft(CommandContext& ctx, const Draft& draft)
{
    return addAndShow(ctx, draft, true);
}

std::optional<int32_t> CommitDraftIntoLastGroup(CommandContext& ctx, const Draft& draft)
{
    return addAndShow(ctx, draft, false);
}

std::optional<int32_t> CommitChange(CommandContext& ctx, int32_t oldPosition, const Draft& changed)
{
    Drawing& d = ctx.drawing;
    const DraftRecord old = recordAt(d, oldPosition);
    const bool sameKind = !changed.refused() && old.index() == changed.record.index();
    if (!sameKind || !d.registry[static_cast<size_t>(oldPosition)].live) {
        ctx.host.ShowOperation(label(changed.kind) + text(CommandText::kChangeRefused));
        return std::nullopt;
    }
    Draft draft = changed;
    std::visit(Inherit{old}, draft.record);
    const auto position = static_cast<int32_t>(d.registry.size());
    d.journal.BeginGroup();
    append(d, draft.kind, draft.record);
    d.markDead(oldPosition);
    d.journal.EndGroup();
    d.RecomputeLayerUse();
    ctx.host.UpdateUndoMenu();
    ctx.host.Repaint();
    ctx.host.ShowOperation(label(draft.kind) + text(CommandText::kChanged));
    return position;
}
