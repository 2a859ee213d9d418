// Division points of the selected elements.
#include "interaction/division_points.h"

#include <QString>

#include "interaction/builder_protocol.h"
#include "interaction/canvas_host.h"
#include "interaction/command_texts.h"
#include "interaction/dialog_rows.h"
#include "interaction/interaction_state.h"
#include "model/element_geometry.h"
#include "storage/settings.h"

namespace {

// The parts - 1 inner points of the segment a-b.
void addOnSegment(std::vector<PointD>& out, PointD a, PointD b, int parts)
{
    for (int k = 1; k < parts; ++k)
        out.push_back({a.x + (b.x - a.x) * k / parts, a.y + (b.y - a.y) * k / parts});
}

// parts points round a full ellipse from angle 0, or the parts - 1 inner
// points of an arc.
void addOnEllipse(std::vector<PointD>& out, const EllipseArc& e, int parts, bool full)
{
    const double sweep = full ? 360.0 : e.sweepDeg;
    for (int k = full ? 0 : 1; k < parts; ++k)
        out.push_back(e.pointAt((full ? 0.0 : e.startDeg) + k * sweep / parts));
}

template <class Record> void addOnBox(std::vector<PointD>& out, const Record& r, int parts)
{
    const double left = r.x1, top = r.y1, right = r.x2, bottom = r.y2;
    addOnSegment(out, {left, top}, {right, top}, parts);
    addOnSegment(out, {left, bottom}, {right, bottom}, parts);
    addOnSegment(out, {left, top}, {left, bottom}, parts);
    addOnSegment(out, {right, top}, {right, bottom}, parts);
}

void addOnPath(std::vector<PointD>& out, const std::vector<PointD>& points, int parts, bool closed)
{
    for (size_t i = 0; i + 1 < points.size(); ++i)
        addOnSegment(out, points[i], points[i + 1], parts);
    if (closed && points.size() > 1)
        addOnSegment(out, points.back(), points.front(), parts);
}

struct Divider {
    int parts;
    std::optional<std::vector<PointD>> out;

    std::vector<PointD>& points() { return out.emplace(); }

    void operator()(ElementKind, const LineRecord& r) { addOnSegment(points(), {r.x1, r.y1}, {r.x2, r.y2}, parts); }
    void operator()(ElementKind, const PointRecord&) {}
    void operator()(ElementKind, const RectRecord& r) { addOnBox(points(), r, parts); }
    void operator()(ElementKind, const CornerRectRecord& r) { addOnBox(points(), r, parts); }
    void operator()(ElementKind, const CircleRecord& r)
    {
        addOnEllipse(points(), EllipseArc{{r.cx, r.cy}, r.r, r.r, 0, 0, 360}, parts, true);
    }
    void operator()(ElementKind, const EllipseRecord& r)
    {
        addOnEllipse(points(), EllipseArc{{r.cx, r.cy}, r.rx, r.ry, r.tilt, 0, 360}, parts, true);
    }
    void operator()(ElementKind, const ArcRecord& r) { addOnEllipse(points(), arcOf(r), parts, false); }
    void operator()(ElementKind, const EllipticArcRecord& r) { addOnEllipse(points(), arcOf(r), parts, false); }
    void operator()(ElementKind, const SectorRecord& r) { addOnEllipse(points(), arcOf(r), parts, false); }
    void operator()(ElementKind, const RingRecord& r)
    {
        std::vector<PointD>& p = points();
        addOnEllipse(p, outerArcOf(r), parts, false);
        addOnEllipse(p, innerArcOf(r), parts, false);
    }
    void operator()(ElementKind kind, const OpenPathRecord& r)
    {
        if (kind == ElementKind::Polyline)
            addOnPath(points(), r.points, parts, false);
    }
    void operator()(ElementKind kind, const ClosedPathRecord& r)
    {
        if (kind == ElementKind::Polygon)
            addOnPath(points(), r.points, parts, true);
    }
    void operator()(ElementKind, const TextRecord&) {}
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

std::optional<std::vector<PointD>> DivisionPointsOf(const Drawing& drawing, const ElementRef& ref, int parts)
{
    Divider divider{parts, std::nullopt};
    visitElement(drawing, ref, divider);
    return divider.out;
}

void DivideSelection(CommandContext& ctx)
{
    CanvasHost& host = ctx.host;
    if (ctx.drawing.selection.empty()) {
        host.showPromptText(text(CommandText::kDivideNothingSelected));
        host.ShowOperation(text(CommandText::kNothing));
        return;
    }
    WorkingValues work;
    if (!AskBeforeStart(Ask::DivisionCount, host, ctx.settings.construction, work)) {
        host.showPromptText(text(CommandText::kDivideCancelled));
        host.ShowOperation(text(CommandText::kNothing));
        return;
    }
    const int parts = std::max(2, work.count);
    // The selection is copied: appending never changes it, but the list is
    // walked while the registry grows.
    const std::vector<SelectionEntry> selected = ctx.drawing.selection;
    int processed = 0;
    ctx.drawing.journal.BeginGroup();
    for (const SelectionEntry& entry : selected) {
        const ElementRef ref{entry.kind, entry.index, 1};
        const auto points = DivisionPointsOf(ctx.drawing, ref, parts);
        if (!points)
            continue;
        ++processed;
        for (PointD p : *points)
            AppendWithCurrentAttributes(ctx, BuildPoint(p));
    }
    ctx.drawing.journal.EndGroup();
    host.UpdateUndoMenu();
    host.Repaint();
    host.showPromptText(text(CommandText::kDivideDone));
    host.ShowOperation(text(CommandText::kDivideCount) + QString::number(processed));
}
