#include "editing/content_edit.h"

#include "editing/append_record.h"
#include "editing/edit_texts.h"
#include "interaction/build_text.h"
#include "interaction/canvas_host.h"
#include "interaction/command_modes.h"
#include "interaction/interaction_state.h"
#include "storage/settings.h"

#include <QString>

namespace {

QString label(int32_t kind)
{
    const std::string_view text = kindLabel(kind);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The one selected element's registry entry, or null.
const ElementRef* selectedOne(const Drawing& d)
{
    if (d.selection.size() != 1)
        return nullptr;
    const auto pos = static_cast<size_t>(d.selection[0].registryPosition);
    return pos < d.registry.size() ? &d.registry[pos] : nullptr;
}

// Appends the edited copy and kills the old element as one undo step.
template <class Edit> void replace(CommandContext& ctx, const ElementRef& ref, Edit&& edit)
{
    Drawing& d = ctx.drawing;
    const int32_t old = d.selection[0].registryPosition;
    const int32_t kind = ref.kind;
    d.journal.BeginGroup();
    const bool appended = AppendEditedCopy(d, ref, edit);
    if (appended)
        d.markDead(old);
    d.journal.EndGroup();
    if (!appended)
        return;
    ctx.host.UpdateUndoMenu();
    ctx.host.Deselect();
    ctx.host.Repaint();
    ctx.host.ShowOperation(label(kind) + QString::fromUtf8(EditText::kChanged));
}

void endInPickMode(CommandContext& ctx)
{
    ctx.host.Deselect();
    ctx.state.CommandMode = command_modes::kSelectOne;
    ctx.host.ShowPrompt();
}

template <class R>
constexpr bool kPointList = std::is_same_v<R, OpenPathRecord> || std::is_same_v<R, ClosedPathRecord>;

size_t pointCount(const Drawing& d, const ElementRef& ref)
{
    size_t n = 0;
    visitElement(d, ref, [&](ElementKind, const auto& r) {
        if constexpr (kPointList<std::decay_t<decltype(r)>>)
            n = r.points.size();
    });
    return n;
}

} // namespace

std::vector<PointD> EditVertices(const std::vector<PointD>& points, const PolyPointChoice& choice)
{
    const auto n = points.size();
    if (choice.index < 0 || static_cast<size_t>(choice.index) >= n)
        return points;
    const auto c = static_cast<size_t>(choice.index);
    std::vector<PointD> out(points.begin(), points.end());
    if (choice.operation == PolyPointOperation::Remove) {
        out.erase(out.begin() + static_cast<std::ptrdiff_t>(c));
        return out;
    }
    const PointD a = points[c], b = points[(c + 1) % n];
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(c + 1), PointD { (a.x + b.x) / 2, (a.y + b.y) / 2 });
    return out;
}

void EditPolyPoints(CommandContext& ctx)
{
    ctx.state.CommandMode = command_modes::kIdle;
    ctx.host.showPromptText(QString::fromUtf8(EditText::kSelectOnePolyline));
    const ElementRef* ref = selectedOne(ctx.drawing);
    PolyPointChoice choice;
    if (ref && isPointListKind(ref->kind)
        && ctx.host.askPolyPoint(static_cast<int>(pointCount(ctx.drawing, *ref)), choice)) {
        replace(ctx, *ref, [&](auto& r) {
            if constexpr (kPointList<std::decay_t<decltype(r)>>) {
                r.points = EditVertices(r.points, choice);
                return true;
            }
            return false;
        });
    }
    endInPickMode(ctx);
}

void EditTextContent(CommandContext& ctx)
{
    ctx.state.CommandMode = command_modes::kIdle;
    ctx.host.showPromptText(QString::fromUtf8(EditText::kSelectOneText));
    const ElementRef* ref = selectedOne(ctx.drawing);
    const TextRecord* old = ref && ref->kind == static_cast<int32_t>(ElementKind::Text)
        ? entryAt(ctx.drawing.tables.texts, ref->index)
        : nullptr;
    if (old) {
        ConstructionParameters params = ctx.settings.construction;
        CopyTextFields(*old, params);
        if (ctx.host.askText(params)) {
            ctx.settings.construction = params;
            replace(ctx, *ref, [&](auto& r) {
                if constexpr (std::is_same_v<std::decay_t<decltype(r)>, TextRecord>) {
                    CopyTextFields(params, r);
                    const PointD anchor { r.x, r.y };
                    r = TextAt(std::move(r), anchor);
                    return true;
                }
                return false;
            });
        }
    }
    endInPickMode(ctx);
}
