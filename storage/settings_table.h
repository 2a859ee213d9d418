// The line table of the settings file: one row per line, in file order, with
// the field it holds, its range and its built-in default. The reader, the
// writer and the built-in defaults all walk this one table, so the order can
// never differ between them.
#pragma once

#include "storage/settings.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>

// The field of one line; the pointer's type is the line's kind (integer,
// real, flag "1"/"0", string).
using SettingsField = std::variant<int32_t* (*)(Settings&), double* (*)(Settings&), bool* (*)(Settings&),
    std::string* (*)(Settings&)>;

struct SettingsLine {
    SettingsField field;
    // What the reader keeps: a number outside lo..hi, or a line that is not a
    // number, is taken as damage and reads as the default. Lines without a
    // range carry the full range of their type.
    double lo = 0;
    double hi = 0;
    double defaultNumber = 0; // integers, reals, flags (0 or 1)
    const char* defaultText = ""; // strings, UTF-8
};

inline constexpr int kSettingsLineCount = 129;

std::span<const SettingsLine> SettingsLines();
