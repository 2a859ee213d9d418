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

// Appends by kind; returns the kind-table index, -1 when nothing was appended.
int32_t append(Drawing& d, ElementKind kind, const DraftRecord& record)
{
    return std::visit(
        [&](const auto& r) -> int32_t {
            if constexpr (std::is_same_v<std::decay_t<decltype(r)>, std::monostate>)
                return -1;
            else
                return d.Append(kind, r);
        },
        record);
}

// A built record that its kind's table holds: what a builder hands back
// always is, and anything else is refused rather than stored.
bool appendable(const Draft& draft)
{
    return std::visit([&](const auto& r) { return kindHolds<std::decay_t<decltype(r)>>(draft.kind); }, draft.record);
}

// The record a registry entry names, as a draft record.
DraftRecord draftRecordAt(const Drawing& d, int32_t position)
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
    if (!appendable(draft)) {
        ctx.host.ShowOperation(isPointListKind(draft.kind) ? text(CommandText::kNoPoints)
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
                           QString::number(tableSize(ctx.drawing.tables, draft.kind)) + text(CommandText::kBuiltEnd));
    return position;
}

}  // namespace

std::optional<int32_t> AppendWithCurrentAttributes(CommandContext& ctx, Draft draft)
{
    if (!appendable(draft))
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
    const DraftRecord old = draftRecordAt(d, oldPosition);
    const bool sameKind = appendable(changed) && old.index() == changed.record.index();
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
