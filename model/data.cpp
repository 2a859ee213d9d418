// Appending elements, resetting the database, layers and undo/redo.
#include "model/data.h"

#include <atomic>

#include "geometry/construct.h"
#include "model/element_extent.h"

uint64_t Drawing::NewSerial()
{
    static std::atomic<uint64_t> next{1};
    return next++;
}

void ElementChanges::note(int32_t position)
{
    // Beyond this many the repaint is of the whole canvas anyway.
    constexpr size_t kLimit = 1 << 16;
    if (everything)
        return;
    if (positions.size() >= kLimit)
        noteEverything();
    else
        positions.push_back(position);
}

void KindTables::clear()
{
    *this = KindTables {};
}

namespace {
// Method-0 arcs and elliptic arcs derive their end points. Angles and tilt are
// negated into the y-up ellipse function so the points lie where the arc is
// drawn (counter-clockwise on screen).
void deriveEnds(ArcRecord& r)
{
    if (r.method != 0)
        return;
    const PointD c { r.cx, r.cy };
    const PointD s = PointOnEllipseDeg(c, r.r, r.r, 0, -r.startAngle);
    const PointD e = PointOnEllipseDeg(c, r.r, r.r, 0, -(r.startAngle + r.sweepAngle));
    r.startX = s.x, r.startY = s.y, r.endX = e.x, r.endY = e.y;
    r.thirdX = r.thirdY = 0;
}

void deriveEnds(EllipticArcRecord& r)
{
    if (r.method != 0)
        return;
    const PointD c { r.cx, r.cy };
    const PointD s = PointOnEllipseDeg(c, r.rx, r.ry, -r.tilt, -r.startAngle);
    const PointD e = PointOnEllipseDeg(c, r.rx, r.ry, -r.tilt, -(r.startAngle + r.sweepAngle));
    r.startX = s.x, r.startY = s.y, r.endX = e.x, r.endY = e.y;
}
} // namespace

template <ElementKind K> int32_t Drawing::Append(RecordOf<K> record)
{
    if constexpr (KindRow<K>::storing == KindStoring::Closed) {
        if (record.h.joinStyle == 3)
            record.h.joinStyle = 0;
    } else if constexpr (KindRow<K>::storing == KindStoring::DerivedEnds)
        deriveEnds(record);
    std::vector<RecordOf<K>>& table = tableOf<K>(tables);
    const auto position = static_cast<int32_t>(registry.size());
    const auto index = static_cast<int32_t>(table.size());
    journal.Record(JournalOp::Created, position);
    registry.push_back(ElementRef { static_cast<int32_t>(K), index, 1 });
    table.push_back(std::move(record));
    WorldBox box;
    if (!PaintedExtent(*this, registry.back(), box))
        box.trusted = false;
    extents.append(box, layerOf(registry.back()));
    changes.note(position);
    return index;
}

#define MIRT_KIND(name, ...) template int32_t Drawing::Append<ElementKind::name>(RecordOf<ElementKind::name>);
#include "model/element_kinds.inc"

void Drawing::markDead(int32_t registryPosition)
{
    if (registryPosition < 0 || static_cast<size_t>(registryPosition) >= registry.size())
        return;
    journal.Record(JournalOp::Deleted, registryPosition);
    registry[static_cast<size_t>(registryPosition)].live = 0;
    changes.note(registryPosition);
}

void Drawing::ResetDatabase()
{
    journal.clear();
    registry.clear();
    registry.shrink_to_fit();
    layers.clear();
    attributes.clear();
    tables.clear();
    snapPoints.clear();
    snapPoints.shrink_to_fit();
    extents.clear();
    changes.noteEverything();
    indexedSnapCanvas.reset();
    m_serial = NewSerial();
    selection.clear();
    controlPoints.clear();
    m_savedChangeCount = journal.changeCount();
}

void Drawing::FreeDatabase()
{
    ResetDatabase();
}

void Drawing::SetUpLayers()
{
    layers.assign(kLayerCount, Layer {});
}

const Layer* Drawing::layerAt(int32_t layer) const
{
    if (layer < 0 || static_cast<size_t>(layer) >= layers.size())
        return nullptr;
    return &layers[static_cast<size_t>(layer)];
}

bool Drawing::layerVisible(int32_t layer) const
{
    const Layer* l = layerAt(layer);
    return l && l->visible;
}

int32_t Drawing::layerOf(const ElementRef& ref) const
{
    int32_t layer = -1;
    visitElement(*this, ref, [&](ElementKind, const auto& record) {
        if constexpr (requires { record.h.layer; })
            layer = record.h.layer;
        else
            layer = record.layer;
    });
    return layer;
}

void Drawing::RecomputeLayerUse()
{
    for (Layer& l : layers)
        l.inUse = false;
    for (const ElementRef& ref : registry) {
        if (!ref.live)
            continue;
        const int32_t layer = layerOf(ref);
        if (layer >= 0 && static_cast<size_t>(layer) < layers.size())
            layers[static_cast<size_t>(layer)].inUse = true;
    }
}

namespace {
std::string entryLabel(const std::vector<ElementRef>& registry, const JournalEntry& e)
{
    if (e.registryPosition < 0 || static_cast<size_t>(e.registryPosition) >= registry.size())
        return "---";
    std::string label(kindLabel(registry[static_cast<size_t>(e.registryPosition)].kind));
    label += e.op == JournalOp::Created ? "作図" : "削除";
    return label;
}
} // namespace

void Drawing::flipLive(const JournalEntry& e, std::string& label)
{
    label = entryLabel(registry, e);
    if (e.registryPosition >= 0 && static_cast<size_t>(e.registryPosition) < registry.size()) {
        uint8_t& live = registry[static_cast<size_t>(e.registryPosition)].live;
        live = live ? 0 : 1;
        changes.note(e.registryPosition);
    }
}

std::string Drawing::Undo()
{
    std::string label = "---";
    journal.undoGroup([&](const JournalEntry& e) { flipLive(e, label); });
    return "元に戻す：" + label;
}

std::string Drawing::Redo()
{
    std::string label = "---";
    journal.redoGroup([&](const JournalEntry& e) { flipLive(e, label); });
    return "やり直し：" + label;
}
