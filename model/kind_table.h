// The kind table at work: each kind's record type, its table in KindTables
// and what appending does to its records, all from model/element_kinds.inc,
// and forKind, the one dispatch from a kind known at run time to code written
// once for every kind.
#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

#include "model/element_kind.h"
#include "model/records.h"

// What the append does to a record before storing it.
enum class KindStoring {
    AsGiven,
    Closed,       // join style 3 ("no join", an open kind's end style) is stored as 0
    DerivedEnds,  // method 0 keeps the angles; the end points are derived from them
};

// One table per kind, indexed by ElementRef::index.
struct KindTables {
#define MIRT_KIND(name, code, record, member, ...) std::vector<record> member;
#include "model/element_kinds.inc"

    void clear();
};

template <ElementKind K> struct KindRow;
#define MIRT_KIND(name, code, record, member, label, keyword, how) \
    template <> struct KindRow<ElementKind::name> {                \
        using Record = record;                                     \
        static constexpr auto table = &KindTables::member;         \
        static constexpr KindStoring storing = KindStoring::how;   \
    };
#include "model/element_kinds.inc"

template <ElementKind K> using RecordOf = typename KindRow<K>::Record;

template <ElementKind K> std::vector<RecordOf<K>>& tableOf(KindTables& t)
{
    return t.*KindRow<K>::table;
}
template <ElementKind K> const std::vector<RecordOf<K>>& tableOf(const KindTables& t)
{
    return t.*KindRow<K>::table;
}

// Calls f.template operator()<K>() (a lambda []<ElementKind K>() {...}) for the
// kind a code names; false, and nothing called, for an unknown code.
template <class F> bool forKind(int32_t code, F&& f)
{
    switch (code) {
#define MIRT_KIND(name, code, ...)                       \
    case code: f.template operator()<ElementKind::name>(); \
        return true;
#include "model/element_kinds.inc"
    }
    return false;
}
template <class F> bool forKind(ElementKind kind, F&& f)
{
    return forKind(static_cast<int32_t>(kind), f);
}

// Whether records of type Record belong in the kind's table.
template <class Record> bool kindHolds(ElementKind kind)
{
    bool holds = false;
    forKind(kind, [&]<ElementKind K>() { holds = std::is_same_v<RecordOf<K>, Record>; });
    return holds;
}

// The number of records in the kind's table (live or not); 0 for an unknown kind.
inline size_t tableSize(const KindTables& t, ElementKind kind)
{
    size_t size = 0;
    forKind(kind, [&]<ElementKind K>() { size = tableOf<K>(t).size(); });
    return size;
}

// The polyline family: the kinds whose records are point lists.
inline bool isPointListKind(int32_t code)
{
    bool pointList = false;
    forKind(code, [&]<ElementKind K>() { pointList = requires(const RecordOf<K>& r) { r.points; }; });
    return pointList;
}
inline bool isPointListKind(ElementKind kind)
{
    return isPointListKind(static_cast<int32_t>(kind));
}
