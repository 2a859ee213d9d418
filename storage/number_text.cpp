// Real formatting: the shortest round-trip digits of to_chars are rounded to
// 15 significant digits here, which gives exactly the digits of "%.15g"
// (15 decimal digits are coarser than a double's spacing, so the shortest
// digits and the exact binary value round alike) except when the digits
// beyond the 15th are exactly "5": only that tie, and subnormal values, need
// the exact value and take the slower precision-15 conversion.
#include "storage/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "geometry/func.h"

namespace {

constexpr int kPrecision = 15;

struct Digits {
    char d[24];
    int count = 0;
    int exponent = 0;  // value = d[0].d[1..] x 10^exponent
    bool negative = false;
};

// Splits "-d.ddde+XX" as written by to_chars in scientific form.
Digits splitScientific(const char* first, const char* last)
{
    Digits s;
    const char* p = first;
    if (*p == '-')
        s.negative = true, ++p;
    for (; p < last && *p != 'e'; ++p)
        if (*p != '.')
            s.d[s.count++] = *p;
    if (p == last)
        return s;
    ++p;  // 'e'
    const bool negativeExponent = *p == '-';
    for (++p; p < last; ++p)
        s.exponent = 10 * s.exponent + (*p - '0');
    if (negativeExponent)
        s.exponent = -s.exponent;
    return s;
}

// Rounds to 15 digits, half up, carrying into a new leading digit if needed.
void roundTo15(Digits& s)
{
    const bool up = s.d[kPrecision] >= '5';
    s.count = kPrecision;
    for (int i = kPrecision - 1; up && i >= 0; --i) {
        if (s.d[i] != '9') {
            ++s.d[i];
            return;
        }
        s.d[i] = '0';
        if (i == 0) {
            s.d[0] = '1';
            ++s.exponent;
        }
    }
}

char* writeExponent(char* out, int exponent)
{
    *out++ = 'E';
    return std::to_chars(out, out + 8, exponent).ptr;
}

// printf's %g layout for precision 15 with the file's exponent spelling.
char* layOut(char* out, const Digits& s)
{
    if (s.negative)
        *out++ = '-';
    if (s.exponent < -4 || s.exponent >= kPrecision) {
        *out++ = s.d[0];
        if (s.count > 1) {
            *out++ = '.';
            out = std::copy(s.d + 1, s.d + s.count, out);
        }
        return writeExponent(out, s.exponent);
    }
    if (s.exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -s.exponent - 1, '0');
        return std::copy(s.d, s.d + s.count, out);
    }
    const int whole = s.exponent + 1;
    for (int i = 0; i < whole; ++i)
        *out++ = i < s.count ? s.d[i] : '0';
    if (s.count > whole) {
        *out++ = '.';
        out = std::copy(s.d + whole, s.d + s.count, out);
    }
    return out;
}

// The exact precision-15 conversion, respelt with the file's exponent.
char* formatRealExact(char* out, double value)
{
    char buffer[kNumberTextCapacity];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, kPrecision).ptr;
    const char* e = std::find(static_cast<const char*>(buffer), end, 'e');
    out = std::copy(static_cast<const char*>(buffer), e, out);
    if (e == end)
        return out;
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    return writeExponent(out, exponent);
}

}  // namespace

char* formatReal(char* out, double value)
{
    if (!std::isfinite(value)) {
        *out++ = '0';
        return out;
    }
    // Below the normal range a double holds fewer than 15 digits, so its
    // shortest digits can be fewer than printf's 15.
    if (value != 0 && std::fabs(value) < std::numeric_limits<double>::min())
        return formatRealExact(out, value);
    char buffer[kNumberTextCapacity];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    Digits s = splitScientific(buffer, end);
    if (s.count > kPrecision) {
        const bool tie = s.count == kPrecision + 1 && s.d[kPrecision] == '5';
        if (tie)
            return formatRealExact(out, value);
        roundTo15(s);
    }
    while (s.count > 1 && s.d[s.count - 1] == '0')
        --s.count;
    return layOut(out, s);
}

char* formatInt(char* out, int32_t value)
{
    return std::to_chars(out, out + kNumberTextCapacity, value).ptr;
}

int32_t parseInt(std::string_view line)
{
    int32_t value = 0;
    const char* end = line.data() + line.size();
    const auto [p, ec] = std::from_chars(line.data(), end, value);
    if (ec == std::errc() && p == end)
        return value;
    return line.empty() ? 0 : TextToInt(line);
}

double parseReal(std::string_view line)
{
    double value = 0;
    const char* end = line.data() + line.size();
    const auto [p, ec] = std::from_chars(line.data(), end, value);
    if (ec == std::errc() && p == end && std::isfinite(value))
        return value;
    return line.empty() ? 0.0 : TextToFloat(line);
}
