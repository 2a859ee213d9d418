// visitElement and recordAt: the way from a registry entry to its record. Kept
// out of data.h so that the header stays a list of what the database holds.
#pragma once

namespace detail {
template <ElementKind K> const RecordOf<K>* entryIn(const KindTables& tables, int32_t index)
{
    const std::vector<RecordOf<K>>& table = tableOf<K>(tables);
    if (index < 0 || static_cast<size_t>(index) >= table.size())
        return nullptr;
    return &table[static_cast<size_t>(index)];
}
}  // namespace detail

template <class Visit>
bool visitElement(const Drawing& drawing, const ElementRef& ref, Visit&& visit)
{
    bool visited = false;
    forKind(ref.kind, [&]<ElementKind K>() {
        if (const RecordOf<K>* record = detail::entryIn<K>(drawing.tables, ref.index)) {
            visit(K, *record);
            visited = true;
        }
    });
    return visited;
}

template <ElementKind K> const RecordOf<K>* recordAt(const Drawing& drawing, int32_t position)
{
    if (position < 0 || static_cast<size_t>(position) >= drawing.registry.size())
        return nullptr;
    const ElementRef& ref = drawing.registry[static_cast<size_t>(position)];
    return ref.kind == static_cast<int32_t>(K) ? detail::entryIn<K>(drawing.tables, ref.index) : nullptr;
}
