// The drawing database: the element registry, the eighteen kind tables, the
// attribute tables, the 256 layers, the undo journal and the lists that
// painting and selecting fill (selection, control points, snap points).
//
// A registry position is an element's identity. Records are immutable once
// appended; edits append new elements and mark old ones dead, so undo only
// flips live flags. Every index that may come from a file (layer, reference,
// kind-table index) is bounds-checked at its look-up: a bad one means
// "no entry", never an out-of-range access.
#pragma once

#include "model/attributes.h"
#include "model/element_kind.h"
#include "model/extent_index.h"
#include "model/journal.h"
#include "model/kind_table.h"
#include "model/records.h"
#include "model/view.h"

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

struct ElementRef {
    int32_t kind = 0; // ElementKind code; unknown codes are skipped
    int32_t index = 0; // position in that kind's table
    uint8_t live = 1;
};

inline constexpr int kLayerCount = 256;

struct Layer {
    bool visible = true;
    std::string name; // UTF-8
    bool inUse = false;
};

struct SelectionEntry {
    int32_t registryPosition = 0;
    int32_t kind = 0;
    int32_t index = 0;
};

struct ControlPoint {
    int32_t code = 0;
    int32_t index = 0;
    int32_t registryPosition = 0;
    double x = 0, y = 0;
};

// Registry positions whose element appeared or whose live flag flipped since
// the canvas last took them: what a repaint must redraw (their old and new
// extents). Past a limit only "everything" is kept.
struct ElementChanges {
    std::vector<int32_t> positions;
    bool everything = false;

    void note(int32_t position);
    void noteEverything() { everything = true, positions.clear(); }
    void clear() { everything = false, positions.clear(); }
};

struct SnapPoint {
    int32_t code = 0;
    int32_t index = 0; // kind-table index of the element that registered it
    int32_t layer = 0;
    int32_t screenX = 0, screenY = 0;
    double x = 0, y = 0;
};

class Drawing {
public:
    Drawing() : m_serial(NewSerial()) { SetUpLayers(); }

    // Append one element: journal the creation, add the registry entry, store
    // the record as its kind's row says (closed kinds store join style 3 as 0;
    // method-0 arcs and elliptic arcs get their derived end points). Returns
    // the record's index in its kind table.
    template <ElementKind K> int32_t Append(RecordOf<K>);
    // The same for a kind known at run time: a record of another type than the
    // kind's is refused (-1, nothing appended).
    template <class Record> int32_t Append(ElementKind kind, const Record& record)
    {
        int32_t index = -1;
        forKind(kind, [&]<ElementKind K>() {
            if constexpr (std::is_same_v<RecordOf<K>, Record>)
                index = Append<K>(record);
        });
        return index;
    }
    // AppendLine, AppendPoint, ... AppendText: Append<K> under each kind's name.
#define MIRT_KIND(name, ...) \
    int32_t Append##name(RecordOf<ElementKind::name> r) { return Append<ElementKind::name>(std::move(r)); }
#include "model/element_kinds.inc"

    // Marks a live element dead and journals it (op 2).
    void markDead(int32_t registryPosition);

    void ResetDatabase();
    void FreeDatabase();
    void SetUpLayers();
    void RecomputeLayerUse();

    // Undo/redo one group; returns the operation-line text
    // ("元に戻す：線分作図", "やり直し：---").
    std::string Undo();
    std::string Redo();

    // Layer look-ups treat an out-of-range layer as hidden and absent.
    bool layerVisible(int32_t layer) const;
    const Layer* layerAt(int32_t layer) const;
    // The layer of a registry entry's element; -1 for an unknown kind or index.
    int32_t layerOf(const ElementRef&) const;

    // Unsaved changes: any journal entry, undo or redo since the last
    // markSaved (a save, an open, a reset) counts, and so does a change the
    // file keeps that the journal does not record (the image size).
    bool isModified() const { return changeCount() != m_savedChangeCount; }
    void markSaved() { m_savedChangeCount = changeCount(); }
    void markChanged() { ++m_unjournaledChanges; }
    // Different for every drawing made or reset in this process: a canvas
    // painted from one drawing knows when another took its place.
    uint64_t serial() const { return m_serial; }

    std::vector<ElementRef> registry;
    KindTables tables;
    AttributeTables attributes;
    std::vector<Layer> layers;
    UndoJournal journal;
    std::vector<SelectionEntry> selection;
    std::vector<ControlPoint> controlPoints;
    std::vector<SnapPoint> snapPoints;
    // Painted extents by registry position, kept in step by the appends.
    ExtentIndex extents;
    ElementChanges changes;
    // Set by a canvas that paints without filling snapPoints: the snap
    // look-up then asks the extent index for the elements under the cursor
    // and computes their points for this canvas.
    std::optional<CanvasView> indexedSnapCanvas;

private:
    void flipLive(const JournalEntry&, std::string& label);

    uint64_t changeCount() const { return journal.changeCount() + m_unjournaledChanges; }

    static uint64_t NewSerial();

    uint64_t m_serial = 0;
    uint64_t m_savedChangeCount = 0;
    uint64_t m_unjournaledChanges = 0;
};

// Calls visit(kind, record) for the element a registry entry names; returns
// false (and calls nothing) for an unknown kind or an index outside its table.
// Pie, chord and outside shape share SectorRecord, so the kind is passed too.
template <class Visit> bool visitElement(const Drawing& drawing, const ElementRef& ref, Visit&& visit);

// The record of kind K at a registry position, live or dead; nullptr for a
// position outside the registry, an element of another kind or a bad index.
template <ElementKind K> const RecordOf<K>* recordAt(const Drawing& drawing, int32_t position);

#include "model/data_visit.h"
