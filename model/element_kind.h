// The element kinds with their fixed codes, the labels the undo messages show
// and the keywords the drawing file writes, all from the one row per kind in
// model/element_kinds.inc. Switches over ElementKind have no default, so a
// walker that forgets a kind fails to compile (-Werror=switch).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

enum class ElementKind : int32_t {
#define MIRT_KIND(name, code, ...) name = code,
#include "model/element_kinds.inc"
};

inline constexpr std::array kAllKinds = {
#define MIRT_KIND(name, ...) ElementKind::name,
#include "model/element_kinds.inc"
};

// A code read from a file or a registry entry; nullopt for unknown codes
// (every walker skips those).
constexpr std::optional<ElementKind> kindFromCode(int32_t code)
{
    switch (code) {
#define MIRT_KIND(name, code, ...) \
    case code: return ElementKind::name;
#include "model/element_kinds.inc"
    }
    return std::nullopt;
}

// "線分", "円", ... (UTF-8); empty for an unknown code.
constexpr std::string_view kindLabel(int32_t code)
{
    switch (code) {
#define MIRT_KIND(name, code, record, member, label, ...) \
    case code: return label;
#include "model/element_kinds.inc"
    }
    return {};
}

// The keyword line the drawing file writes after the kind code ("SEN", ...).
constexpr std::string_view kindKeyword(ElementKind kind)
{
    switch (kind) {
#define MIRT_KIND(name, code, record, member, label, keyword, ...) \
    case ElementKind::name: return keyword;
#include "model/element_kinds.inc"
    }
    return {};
}

// The kind's place in kAllKinds, for arrays with one slot per kind.
constexpr size_t kindOrdinal(ElementKind kind)
{
    size_t i = 0;
    while (i < kAllKinds.size() && kAllKinds[i] != kind)
        ++i;
    return i;
}
