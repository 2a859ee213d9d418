#include "editing/attribute_change.h"

#include "editing/append_record.h"
#include "editing/edit_texts.h"
#include "interaction/canvas_host.h"
#include "storage/settings.h"

#include <QString>

namespace {

template <class R> constexpr bool kClosed = requires(R r)
{
    r.h.fillMode;
};
template <class R> constexpr bool kOpen = requires(R r)
{
    r.h.endStyle;
};
template <class R> constexpr bool kIsPoint = std::is_same_v<R, PointRecord>;
template <class R> constexpr bool kIsText = std::is_same_v<R, TextRecord>;

// The values a change writes, resolved once before the group opens.
struct Change {
    AttributeChange what;
    const CurrentAttributes& current;
    PenRefs pen;
    BrushRefs brush;

    // False: the kind has no such attribute, the element stays.
    template <class R> bool operator()(R& r) const
    {
        switch (what) {
        case AttributeChange::Layer:
            if constexpr (kIsPoint<R> || kIsText<R>)
                r.layer = current.currentLayer;
            else
                r.h.layer = current.currentLayer;
            return true;
        case AttributeChange::Pen:
            if constexpr (kIsText<R>)
                return false;
            else if constexpr (kIsPoint<R>)
                r.penKind = pen.penKind, r.penRef = pen.penRef;
            else
                r.h.penKind = pen.penKind, r.h.penRef = pen.penRef;
            return true;
        case AttributeChange::Width:
            if constexpr (kIsPoint<R> || kIsText<R>)
                return false;
            else
                r.h.widthRef = pen.widthRef;
            return true;
        case AttributeChange::LineType:
            if constexpr (kIsPoint<R> || kIsText<R>)
                return false;
            else
                r.h.lineTypeRef = pen.lineTypeRef;
            return true;
        case AttributeChange::EndStyle:
            if constexpr (kOpen<R>)
                r.h.endStyle = current.endStyle;
            else if constexpr (kClosed<R>)
                r.h.joinStyle = current.endStyle == 3 ? 0 : current.endStyle; // 3 has no join
            else
                return false;
            return true;
        case AttributeChange::Brush:
            if constexpr (kIsText<R>)
                r.brushKind = brush.brushKind, r.brushRef = brush.brushRef;
            else if constexpr (kClosed<R>)
                r.h.brushKind = brush.brushKind, r.h.brushRef = brush.brushRef;
            else
                return false;
            return true;
        case AttributeChange::Point:
            if constexpr (kIsPoint<R>) {
                r.pointStyle = current.pointStyle;
                r.size = current.pointSize;
                return true;
            }
            return false;
        }
        return false;
    }
};

bool usesPenTables(AttributeChange what)
{
    return what == AttributeChange::Pen || what == AttributeChange::Width
        || what == AttributeChange::LineType;
}

// --- pick ------------------------------------------------------------------

void takePen(CurrentAttributes& c, const AttributeTables& t, int32_t kind, int32_t ref)
{
    c.penKind = kind;
    switch (kind) {
    case 2:
        if (const auto* e = entryAt(t.penAlphaColor, ref))
            c.penColors[1] = e->color, c.penAlphas[0] = e->alpha;
        break;
    case 3:
        if (const auto* e = entryAt(t.penHatch, ref)) {
            c.penHatchStyle = e->hatchStyle;
            c.penColors[2] = e->foreColor, c.penAlphas[1] = e->foreAlpha;
            c.penColors[3] = e->backColor, c.penAlphas[2] = e->backAlpha;
        }
        break;
    case 4:
        if (const auto* e = entryAt(t.penImage, ref))
            c.penImageFile = e->fileName;
        break;
    case 5:
        if (const auto* e = entryAt(t.penGradient, ref)) {
            c.penColors[4] = e->color1, c.penAlphas[3] = e->alpha1;
            c.penColors[5] = e->color2, c.penAlphas[4] = e->alpha2;
            c.penGradientAngle = e->angle;
        }
        break;
    default:
        if (const auto* e = entryAt(t.penColor, ref))
            c.penColors[0] = e->color;
        break;
    }
}

void takeBrush(CurrentAttributes& c, const AttributeTables& t, int32_t kind, int32_t ref)
{
    c.brushKind = kind;
    switch (kind) {
    case 2:
        if (const auto* e = entryAt(t.brushAlphaColor, ref))
            c.brushColors[1] = e->color, c.brushAlphas[0] = e->alpha;
        break;
    case 3:
        if (const auto* e = entryAt(t.brushHatch, ref)) {
            c.brushHatchStyle = e->hatchStyle;
            c.brushColors[2] = e->foreColor, c.brushAlphas[1] = e->foreAlpha;
            c.brushColors[3] = e->backColor, c.brushAlphas[2] = e->backAlpha;
        }
        break;
    case 4:
        if (const auto* e = entryAt(t.brushImage, ref))
            c.brushImageFile = e->fileName;
        break;
    case 5:
        if (const auto* e = entryAt(t.brushGradient, ref)) {
            c.brushColors[4] = e->color1, c.brushAlphas[3] = e->alpha1;
            c.brushColors[5] = e->color2, c.brushAlphas[4] = e->alpha2;
            c.brushGradientAngle = e->angle;
        }
        break;
    case 6:
        if (const auto* e = entryAt(t.brushRadial, ref)) {
            c.brushColors[6] = e->color1, c.brushAlphas[5] = e->alpha1;
            c.brushColors[7] = e->color2, c.brushAlphas[6] = e->alpha2;
        }
        break;
    default:
        if (const auto* e = entryAt(t.brushColor, ref))
            c.brushColors[0] = e->color;
        break;
    }
}

// Width, line type and end style of an outline or closed header.
template <class Header>
void takeStroke(CurrentAttributes& c, const AttributeTables& t, const Header& h, int32_t endStyle)
{
    takePen(c, t, h.penKind, h.penRef);
    if (const auto* w = entryAt(t.width, h.widthRef))
        c.penWidth = w->width;
    if (const auto* l = entryAt(t.lineType, h.lineTypeRef))
        c.dashStyle = l->dashStyle, c.dashCap = l->dashCap;
    c.endStyle = endStyle;
}

struct Pick {
    CurrentAttributes& c;
    const AttributeTables& t;

    void operator()(ElementKind, const PointRecord& r) const
    {
        c.currentLayer = r.layer;
        takePen(c, t, r.penKind, r.penRef);
        if (r.size > 0) {
            c.pointStyle = r.pointStyle;
            c.pointSize = r.size;
        }
    }
    void operator()(ElementKind, const TextRecord& r) const
    {
        c.currentLayer = r.layer;
        takeBrush(c, t, r.brushKind, r.brushRef);
    }
    template <class R> void operator()(ElementKind, const R& r) const
    {
        c.currentLayer = r.h.layer;
        if constexpr (kClosed<R>) {
            takeStroke(c, t, r.h, r.h.joinStyle);
            takeBrush(c, t, r.h.brushKind, r.h.brushRef);
        } else {
            takeStroke(c, t, r.h, r.h.endStyle);
        }
    }
};

} // namespace

void ChangeAttributes(CommandContext& ctx, AttributeChange what)
{
    Drawing& d = ctx.drawing;
    if (d.selection.empty())
        return;
    const CurrentAttributes& current = ctx.settings.attributes;
    Change change { what, current, {}, {} };
    if (usesPenTables(what))
        change.pen = resolvePen(d.attributes, current);
    if (what == AttributeChange::Brush)
        change.brush = resolveBrush(d.attributes, current);

    d.journal.BeginGroup();
    std::vector<int32_t> replaced;
    for (const SelectionEntry& s : d.selection) {
        const auto pos = static_cast<size_t>(s.registryPosition);
        if (pos < d.registry.size() && AppendEditedCopy(d, d.registry[pos], change))
            replaced.push_back(s.registryPosition);
    }
    for (const int32_t pos : replaced)
        d.markDead(pos);
    const auto n = d.selection.size();
    ctx.host.Deselect();
    d.journal.EndGroup();
    d.RecomputeLayerUse();
    ctx.host.UpdateUndoMenu();
    ctx.host.Repaint();
    ctx.host.ShowOperation(QString::fromUtf8(EditText::kChangeCount) + QString::number(n));
}

bool PickAttributes(CommandContext& ctx)
{
    const Drawing& d = ctx.drawing;
    const auto pos
        = d.selection.size() == 1 ? static_cast<size_t>(d.selection[0].registryPosition) : d.registry.size();
    if (pos >= d.registry.size()) {
        ctx.host.showPromptText(QString::fromUtf8(EditText::kSelectOneFirst));
        return false;
    }
    visitElement(d, d.registry[pos], Pick { ctx.settings.attributes, d.attributes });
    return true;
}
