// The eighteen element kinds with their fixed codes and the labels the undo
// messages show. Switches over ElementKind have no default, so a walker that
// forgets a kind fails to compile (-Werror=switch).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class ElementKind : int32_t {
    Line = 100,
    Point = 110,
    Rect = 120,
    CornerRect = 130,
    Circle = 150,
    Ellipse = 160,
    Arc = 170,
    EllipticArc = 180,
    Pie = 190,
    Chord = 200,
    Outside = 210,
    Ring = 220,
    Polyline = 300,
    Polygon = 310,
    Bezier = 320,
    OpenSpline = 330,
    ClosedSpline = 340,
    Text = 400,
};

inline constexpr std::array<ElementKind, 18> kAllKinds = {
    ElementKind::Line,        ElementKind::Point,        ElementKind::Rect,
    ElementKind::CornerRect,  ElementKind::Circle,       ElementKind::Ellipse,
    ElementKind::Arc,         ElementKind::EllipticArc,  ElementKind::Pie,
    ElementKind::Chord,       ElementKind::Outside,      ElementKind::Ring,
    ElementKind::Polyline,    ElementKind::Polygon,      ElementKind::Bezier,
    ElementKind::OpenSpline,  ElementKind::ClosedSpline, ElementKind::Text,
};

// A code read from a file or a registry entry; nullopt for unknown codes
// (every walker skips those).
std::optional<ElementKind> kindFromCode(int32_t code);

// "線分", "円", ... (UTF-8); empty for an unknown code.
std::string_view kindLabel(int32_t code);
