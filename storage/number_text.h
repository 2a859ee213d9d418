// Numbers as the drawing file writes and reads them, one value per line.
// Reals are written like printf's "%.15g" except for the exponent, which is
// spelt the file's way: an upper-case E, a minus sign only when negative and
// no leading zeros (1E-6, 1.5E20). Both spellings read back.
#pragma once

#include <cstdint>
#include <string_view>

// Room formatReal and formatInt may use; the longest real is
// "-1.23456789012345E-308" (22 characters).
inline constexpr int kNumberTextCapacity = 32;

// Writes the value at out and returns the end; out needs kNumberTextCapacity
// bytes. A value that is not finite is written as 0 (it would read as 0).
char* formatReal(char* out, double value);
char* formatInt(char* out, int32_t value);

// The whole line as a number; anything that is not one (including infinity,
// NaN and out-of-range values) reads as 0. Plain decimal lines take the
// from_chars fast path; only unusual spellings (blanks, a plus sign) go
// through the lenient text conversion.
int32_t parseInt(std::string_view line);
double parseReal(std::string_view line);
