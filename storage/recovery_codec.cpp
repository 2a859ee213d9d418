// Encoding and applying the recovery log's frames. Records and attribute
// entries are written field by field through the drawing file's layout
// (storage/file_layout.h), so a field added to a record is logged as soon
// as the file knows it; references are logged as they are, not renumbered.
#include "storage/recovery_codec.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <type_traits>

#include "storage/file_layout.h"

namespace recovery {

namespace {

using mtfile::fields;
using mtfile::forEachSection;

// Field visitor that writes.
struct Put {
    ByteWriter& w;
    void i32(int32_t v) { w.i32(v); }
    void real(double v) { w.f64(v); }
    void text(const std::string& s) { w.text(s); }
    void points(const std::vector<PointD>& points)
    {
        w.u32(static_cast<uint32_t>(points.size()));
        for (const PointD& p : points) {
            w.f64(p.x);
            w.f64(p.y);
        }
    }
    void penRef(int32_t, int32_t ref, bool) { w.i32(ref); }
    void widthRef(int32_t ref, bool) { w.i32(ref); }
    void lineTypeRef(int32_t ref, bool) { w.i32(ref); }
    void brushRef(int32_t, int32_t ref, bool) { w.i32(ref); }
};

// Field visitor that reads; a count larger than the bytes left marks the
// reader bad before anything is allocated.
struct Get {
    ByteReader& r;
    void i32(int32_t& v) { v = r.i32(); }
    void real(double& v) { v = r.f64(); }
    void text(std::string& s) { s = r.text(); }
    void points(std::vector<PointD>& points)
    {
        const uint32_t n = r.u32();
        if (!r.fits(n, 16))
            return;
        points.resize(n);
        for (PointD& p : points) {
            p.x = r.f64();
            p.y = r.f64();
        }
    }
    void penRef(int32_t, int32_t& ref, bool) { ref = r.i32(); }
    void widthRef(int32_t& ref, bool) { ref = r.i32(); }
    void lineTypeRef(int32_t& ref, bool) { ref = r.i32(); }
    void brushRef(int32_t, int32_t& ref, bool) { ref = r.i32(); }
};

bool sameLayer(const Layer& a, const Layer& b)
{
    return a.visible == b.visible && a.name == b.name;
}

// ---- writing ---------------------------------------------------------------

bool writeAttributes(ByteWriter& w, const AttributeTables& tables, Watermark& mark)
{
    ByteWriter body;
    uint8_t sections = 0;
    forEachSection(tables, [&](int section, std::string_view, const auto& table) {
        const size_t before = mark.attributes[static_cast<size_t>(section)];
        if (table.size() <= before)
            return;
        ++sections;
        body.u8(static_cast<uint8_t>(section));
        body.u32(static_cast<uint32_t>(before));
        body.u32(static_cast<uint32_t>(table.size() - before));
        Put put{body};
        for (size_t i = before; i < table.size(); ++i)
            fields(put, table[i]);
        mark.attributes[static_cast<size_t>(section)] = table.size();
    });
    w.u8(sections);
    w.bytes() += body.bytes();
    return sections > 0;
}

bool writeElements(ByteWriter& w, const Drawing& d, Watermark& mark)
{
    const size_t before = std::min(mark.registry, d.registry.size());
    w.u32(static_cast<uint32_t>(before));
    w.u32(static_cast<uint32_t>(d.registry.size() - before));
    Put put{w};
    for (size_t i = before; i < d.registry.size(); ++i) {
        const ElementRef& ref = d.registry[i];
        // New entries always name a record; a stray one is logged as kind 0,
        // which the replay refuses.
        const bool known = visitElement(d, ref, [](ElementKind, const auto&) {});
        w.i32(known ? ref.kind : 0);
        w.i32(ref.index);
        if (known)
            visitElement(d, ref, [&](ElementKind, const auto& record) { fields(put, record); });
    }
    mark.registry = d.registry.size();
    return d.registry.size() > before;
}

bool writeJournal(ByteWriter& w, const UndoJournal& j, Watermark& mark)
{
    // Entries are written at the position; an undo moves it back, and the
    // undo frame has moved the mark with it.
    const int32_t from = std::min(mark.position, j.position());
    w.u32(static_cast<uint32_t>(from));
    w.u32(static_cast<uint32_t>(j.position() - from));
    for (int32_t i = from; i < j.position(); ++i) {
        const JournalEntry& e = j.entries()[static_cast<size_t>(i)];
        w.u8(static_cast<uint8_t>(e.op));
        w.i32(e.group);
        w.i32(e.registryPosition);
    }
    w.i32(j.recordingGroup());
    w.i32(j.undoLevel());
    w.i32(j.end());
    const bool changed = j.position() != mark.position || j.end() != mark.end ||
                         j.recordingGroup() != mark.recordingGroup || j.undoLevel() != mark.undoLevel;
    mark.position = j.position();
    mark.end = j.end();
    mark.recordingGroup = j.recordingGroup();
    mark.undoLevel = j.undoLevel();
    return changed;
}

bool writeLayers(ByteWriter& w, const std::vector<Layer>& layers, Watermark& mark)
{
    mark.layers.resize(layers.size());
    std::vector<size_t> changed;
    for (size_t i = 0; i < layers.size(); ++i)
        if (!sameLayer(layers[i], mark.layers[i]))
            changed.push_back(i);
    w.u32(static_cast<uint32_t>(changed.size()));
    for (size_t i : changed) {
        w.u32(static_cast<uint32_t>(i));
        w.u8(layers[i].visible ? 1 : 0);
        w.text(layers[i].name);
        mark.layers[i] = layers[i];
    }
    return !changed.empty();
}

// ---- applying --------------------------------------------------------------
//
// A frame is decoded whole into a ChangeSet first and checked against the
// drawing; only a frame that parses and fits changes anything, so a replay
// that stops leaves the drawing as it was after the last good frame.

struct NewEntries {
    uint8_t section = 0;
    uint32_t before = 0;
    AttributeTables entries;  // only the section's table is filled
};

struct NewElement {
    ElementKind kind = ElementKind::Line;
    int32_t index = 0;
    KindTables record;  // one record in the kind's table
};

struct ChangeSet {
    std::vector<NewEntries> attributes;
    uint32_t registryBefore = 0;
    std::vector<NewElement> elements;
    uint32_t positionBefore = 0;
    std::vector<JournalEntry> journal;
    int32_t recordingGroup = 0, undoLevel = 0, end = 0;
    std::vector<std::pair<uint32_t, Layer>> layers;
    ImageSize size;
};

bool decodeAttributes(ByteReader& r, ChangeSet& c)
{
    const uint8_t sections = r.u8();
    for (uint8_t s = 0; s < sections && !r.bad(); ++s) {
        NewEntries& n = c.attributes.emplace_back();
        n.section = r.u8();
        n.before = r.u32();
        const uint32_t count = r.u32();
        if (n.section >= mtfile::kSectionCount || !r.fits(count, 4))
            return false;
        forEachSection(n.entries, [&](int number, std::string_view, auto& table) {
            if (number != n.section)
                return;
            Get get{r};
            for (uint32_t i = 0; i < count && !r.bad(); ++i)
                fields(get, table.emplace_back());
        });
    }
    return !r.bad();
}

bool decodeElements(ByteReader& r, ChangeSet& c)
{
    c.registryBefore = r.u32();
    const uint32_t n = r.u32();
    if (!r.fits(n, 8))
        return false;
    Get get{r};
    for (uint32_t i = 0; i < n && !r.bad(); ++i) {
        const auto kind = kindFromCode(r.i32());
        NewElement& e = c.elements.emplace_back();
        e.index = r.i32();
        if (!kind)
            return false;
        e.kind = *kind;
        forKind(e.kind, [&]<ElementKind K>() { fields(get, tableOf<K>(e.record).emplace_back()); });
    }
    return !r.bad();
}

bool decodeJournal(ByteReader& r, ChangeSet& c)
{
    c.positionBefore = r.u32();
    const uint32_t n = r.u32();
    if (!r.fits(n, 9))
        return false;
    c.journal.resize(n);
    for (JournalEntry& e : c.journal) {
        const uint8_t op = r.u8();
        e.group = r.i32();
        e.registryPosition = r.i32();
        if (op != 1 && op != 2)
            return false;
        e.op = static_cast<JournalOp>(op);
    }
    c.recordingGroup = r.i32();
    c.undoLevel = r.i32();
    c.end = r.i32();
    return !r.bad();
}

bool decodeLayers(ByteReader& r, ChangeSet& c)
{
    const uint32_t n = r.u32();
    if (!r.fits(n, 9))
        return false;
    for (uint32_t i = 0; i < n && !r.bad(); ++i) {
        const uint32_t slot = r.u32();
        Layer layer;
        layer.visible = r.u8() != 0;
        layer.name = r.text();
        c.layers.emplace_back(slot, std::move(layer));
    }
    return !r.bad();
}

bool decode(ByteReader& r, ChangeSet& c)
{
    if (!decodeAttributes(r, c) || !decodeElements(r, c) || !decodeJournal(r, c) || !decodeLayers(r, c))
        return false;
    c.size.width = r.i32();
    c.size.height = r.i32();
    return !r.bad() && r.atEnd() && c.size.width >= 1 && c.size.height >= 1 && c.size.width <= kMaxImageSide &&
           c.size.height <= kMaxImageSide;
}

// The journal moves of a frame: which entries open a new group, and whether
// a group is begun or ended after them. Empty when the frame does not fit.
struct JournalPlan {
    std::vector<bool> beginsGroup;
    bool beginAfter = false, endAfter = false;
};

std::optional<JournalPlan> planJournal(const ChangeSet& c, const UndoJournal& j, size_t registrySize)
{
    if (c.positionBefore != static_cast<uint32_t>(j.position()))
        return std::nullopt;
    JournalPlan plan;
    int32_t group = j.recordingGroup(), level = j.undoLevel(), end = j.end();
    for (const JournalEntry& e : c.journal) {
        if (e.registryPosition < 0 || static_cast<size_t>(e.registryPosition) >= registrySize)
            return std::nullopt;
        const bool begins = e.group != group;
        if (begins && e.group != level + 1)
            return std::nullopt;
        if (begins)
            group = level + 1;
        plan.beginsGroup.push_back(begins);
        end = j.position() + static_cast<int32_t>(plan.beginsGroup.size());
    }
    // A group begun without entries (a command that changed nothing), and the
    // end of the group the entries belong to.
    if (c.recordingGroup != group && c.recordingGroup == level + 1) {
        plan.beginAfter = true;
        group = level + 1;
    }
    if (c.undoLevel != level && c.undoLevel == group) {
        plan.endAfter = true;
        level = group;
    }
    if (c.recordingGroup != group || c.undoLevel != level || c.end != end)
        return std::nullopt;
    return plan;
}

bool fits(const ChangeSet& c, const Drawing& d)
{
    for (const NewEntries& n : c.attributes) {
        bool fitted = false;
        forEachSection(d.attributes, [&](int number, std::string_view, const auto& table) {
            fitted |= number == n.section && table.size() == n.before;
        });
        if (!fitted)
            return false;
    }
    if (c.registryBefore != d.registry.size())
        return false;
    std::array<size_t, kAllKinds.size()> grown{};  // records added per kind
    for (const NewElement& e : c.elements) {
        if (static_cast<size_t>(e.index) != tableSize(d.tables, e.kind) + grown[kindOrdinal(e.kind)]++)
            return false;
    }
    for (const auto& [slot, layer] : c.layers)
        if (slot >= d.layers.size())
            return false;
    return true;
}

void apply(ChangeSet& c, const JournalPlan& plan, Drawing& d)
{
    for (NewEntries& n : c.attributes) {
        forEachSection(n.entries, [&](int number, std::string_view, auto& from) {
            if (number != n.section)
                return;
            forEachSection(d.attributes, [&](int target, std::string_view, auto& to) {
                if constexpr (std::is_same_v<decltype(from), decltype(to)>)
                    if (target == number)
                        for (auto& entry : from)
                            appendEntry(to, std::move(entry));
            });
        });
    }
    for (NewElement& e : c.elements) {
        forKind(e.kind, [&]<ElementKind K>() { tableOf<K>(d.tables).push_back(std::move(tableOf<K>(e.record).front())); });
        d.registry.push_back(ElementRef{static_cast<int32_t>(e.kind), e.index, 1});
    }
    UndoJournal& j = d.journal;
    for (size_t i = 0; i < c.journal.size(); ++i) {
        const JournalEntry& e = c.journal[i];
        if (plan.beginsGroup[i])
            j.BeginGroup();
        j.Record(e.op, e.registryPosition);
        if (e.op == JournalOp::Deleted)
            d.registry[static_cast<size_t>(e.registryPosition)].live = 0;
    }
    if (plan.beginAfter)
        j.BeginGroup();
    if (plan.endAfter)
        j.EndGroup();
    for (auto& [slot, layer] : c.layers) {
        d.layers[slot].visible = layer.visible;
        d.layers[slot].name = std::move(layer.name);
    }
}

}  // namespace

uint64_t nowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

Watermark markOf(const Drawing& d, ImageSize size)
{
    Watermark m;
    m.registry = d.registry.size();
    m.position = d.journal.position();
    m.end = d.journal.end();
    m.recordingGroup = d.journal.recordingGroup();
    m.undoLevel = d.journal.undoLevel();
    forEachSection(d.attributes, [&](int section, std::string_view, const auto& table) {
        m.attributes[static_cast<size_t>(section)] = table.size();
    });
    m.layers = d.layers;
    m.size = size;
    return m;
}

bool continuesFrom(const Watermark& m, const Drawing& d)
{
    bool behind = d.registry.size() < m.registry || d.journal.position() < m.position;
    forEachSection(d.attributes, [&](int section, std::string_view, const auto& table) {
        behind |= table.size() < m.attributes[static_cast<size_t>(section)];
    });
    return !behind;
}

void encodeStart(ByteWriter& w, const StartFrame& s)
{
    w.u8(static_cast<uint8_t>(FrameType::Start));
    w.u64(s.timeMs);
    w.u8(s.origin.fromFile ? 1 : 0);
    w.text(s.origin.path);
    w.u64(s.origin.size);
    w.u64(s.origin.hash);
    w.text(s.origin.keptCopy);
    w.i32(s.size.width);
    w.i32(s.size.height);
    w.u64(s.registry);
    w.i32(s.position);
}

bool decodeStart(ByteReader& r, StartFrame& s)
{
    s.timeMs = r.u64();
    s.origin.fromFile = r.u8() != 0;
    s.origin.path = r.text();
    s.origin.size = r.u64();
    s.origin.hash = r.u64();
    s.origin.keptCopy = r.text();
    s.size.width = std::clamp(r.i32(), 1, kMaxImageSide);
    s.size.height = std::clamp(r.i32(), 1, kMaxImageSide);
    s.registry = r.u64();
    s.position = r.i32();
    return !r.bad();
}

bool encodeChanges(ByteWriter& w, uint64_t timeMs, const Drawing& d, ImageSize size, Watermark& mark)
{
    w.u8(static_cast<uint8_t>(FrameType::Changes));
    w.u64(timeMs);
    bool any = writeAttributes(w, d.attributes, mark);
    any |= writeElements(w, d, mark);
    any |= writeJournal(w, d.journal, mark);
    any |= writeLayers(w, d.layers, mark);
    w.i32(size.width);
    w.i32(size.height);
    any |= size.width != mark.size.width || size.height != mark.size.height;
    mark.size = size;
    return any;
}

bool applyChanges(ByteReader& r, Drawing& d, ImageSize& size)
{
    ChangeSet c;
    if (!decode(r, c) || !fits(c, d))
        return false;
    const size_t registryAfter = d.registry.size() + c.elements.size();
    const std::optional<JournalPlan> plan = planJournal(c, d.journal, registryAfter);
    if (!plan)
        return false;
    apply(c, *plan, d);
    if (c.size.width != size.width || c.size.height != size.height)
        d.markChanged();
    size = c.size;
    return true;
}

void encodeStep(ByteWriter& w, FrameType type, uint64_t timeMs, int32_t undoLevelAfter)
{
    w.u8(static_cast<uint8_t>(type));
    w.u64(timeMs);
    w.i32(undoLevelAfter);
}

void encodeSaved(ByteWriter& w, uint64_t timeMs, const SavedFrame& s)
{
    w.u8(static_cast<uint8_t>(FrameType::Saved));
    w.u64(timeMs);
    w.text(s.path);
    w.u64(s.size);
    w.u64(s.hash);
}

bool decodeSaved(ByteReader& r, SavedFrame& s)
{
    s.path = r.text();
    s.size = r.u64();
    s.hash = r.u64();
    return !r.bad();
}

}  // namespace recovery
