// Points typed from the keyboard while a command waits for a click: the
// forms "x,y" (absolute), "@dx,dy" (relative), "@d<a" (polar, degrees
// counter-clockwise on the screen) and "d" (distance towards the rubber
// band's end), and the point each gives. Parsing and resolving are apart, so
// a distance can be resolved again as the cursor moves. No state, no Qt.
#pragma once

#include <optional>
#include <string_view>

#include "geometry/point.h"

enum class EntryForm { Absolute, Relative, Polar, Distance };

// The numbers of a parsed entry: x, y / dx, dy / distance, angleDeg / distance.
struct PointEntry {
    EntryForm form = EntryForm::Absolute;
    double a = 0;
    double b = 0;
};

enum class EntryError {
    None,
    NotAForm,     // none of the four forms
    OutOfRange,   // a number, or the point, beyond the limit, or not finite
    NoLastPoint,  // a relative form before any point was given
    NoDirection,  // a distance with the rubber band's end on the last point
};

// No typed number or resulting coordinate may exceed this in magnitude.
inline constexpr double kEntryLimit = 1e7;

struct ParsedEntry {
    PointEntry entry;
    EntryError error = EntryError::None;
};

struct EntryPoint {
    PointD point;
    EntryError error = EntryError::None;
};

// Blanks around the numbers and the separators are allowed; numbers are
// decimal (a sign, a fraction and an exponent allowed), read without locale.
ParsedEntry ParsePointEntry(std::string_view text);

// last: the point the relative forms start from; toward: the rubber band's
// end, whose direction from last a distance follows.
EntryPoint ResolvePointEntry(const PointEntry& entry, std::optional<PointD> last, std::optional<PointD> toward);
EntryPoint EvaluatePointEntry(std::string_view text, std::optional<PointD> last, std::optional<PointD> toward);

// The unit vector at angleDeg counter-clockwise on the screen, as a drawing
// offset (y grows downward): (cos a, -sin a). Exact at multiples of 30 and
// 45 degrees where the value is, so "@37.5<30" gives a y offset of -18.75.
PointD ScreenDirectionDeg(double angleDeg);
