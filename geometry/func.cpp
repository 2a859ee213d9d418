// Numeric, angle and text-conversion helpers of the geometry kernel.
// Sections: text conversions, numbers, angles, rotation.
#include "geometry/func.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <system_error>
#include <utility>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The full-width space U+3000 in UTF-8.
constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

// A control byte kept from a file (kept_bytes.h): U+100000..U+10001F in UTF-8.
bool isKeptControlAt(std::string_view text, size_t i)
{
    return text.size() - i >= 4 && text.compare(i, 3, "\xF4\x80\x80") == 0
        && static_cast<unsigned char>(text[i + 3]) < 0x80 + 0x20;
}

bool isBlankByte(char c)
{
    return static_cast<unsigned char>(c) <= 32; // space and control bytes
}

std::string_view skipLeadingBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlankByte(text[i]) && text[i] != '\0')
        ++i;
    return text.substr(i);
}

// Drops one leading '+' (std::from_chars accepts only '-'); "+-1" stays invalid.
std::string_view skipPlusSign(std::string_view text)
{
    if (text.size() >= 2 && text[0] == '+' && text[1] != '-' && text[1] != '+')
        return text.substr(1);
    return text;
}

} // namespace

// ---- Text conversions -------------------------------------------------------

std::optional<int> ParseInt(std::string_view text)
{
    const std::string_view number = skipPlusSign(skipLeadingBlanks(text));
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

int TextToInt(std::string_view text)
{
    return ParseInt(text).value_or(0);
}

int TextToIntClamped(std::string_view text, int lo, int hi)
{
    int n = TextToInt(text);
    if (n < lo)
        n = lo;
    if (n > hi) // applied last: the upper bound wins when lo > hi
        n = hi;
    return n;
}

std::optional<double> ParseFloat(std::string_view text)
{
    const std::string_view number = skipPlusSign(skipLeadingBlanks(text));
    // from_chars would also read "inf", "nan" and hex digits after "0x"-less
    // input; only plain decimal numbers are numbers here.
    for (char c : number) {
        const bool decimal
            = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!decimal)
            return std::nullopt;
    }
    double value = 0;
    const auto [end, error]
        = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double TextToFloat(std::string_view text)
{
    return ParseFloat(text).value_or(0);
}

double TextToFloatClamped(std::string_view text, double lo, double hi)
{
    double c = TextToFloat(text);
    if (c < lo)
        c = lo;
    if (c > hi)
        c = hi;
    return c;
}

bool TextToBool(std::string_view text)
{
    std::string key = StripBlanks(text);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    static constexpr std::array<std::string_view, 10> kTrueWords
        = { "T", "TR", "TRU", "TRUE", "1", "\xEF\xBC\x91" /* １ */, "\xE2\x97\x8B" /* ○ */, "ON",
              "\xE7\x9C\x9F" /* 真 */, "\xE6\xAD\xA3" /* 正 */ };
    for (std::string_view word : kTrueWords) {
        if (key == word)
            return true;
    }
    return false;
}

std::string BoolToText(bool value)
{
    return value ? "1" : "0";
}

std::string StripBlanks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, kFullWidthSpace.size()) == kFullWidthSpace) {
            i += kFullWidthSpace.size();
            continue;
        }
        if (isKeptControlAt(text, i)) {
            i += 4;
            continue;
        }
        // UTF-8 continuation and lead bytes are >= 0x80 and are copied; a
        // blank can never be mistaken for part of a multi-byte character.
        if (!isBlankByte(text[i]))
            out += text[i];
        ++i;
    }
    return out;
}

void SwapInts(int& a, int& b)
{
    std::swap(a, b);
}

void SwapReals(double& a, double& b)
{
    std::swap(a, b);
}

// ---- Numbers ----------------------------------------------------------------

double DegToRad(double angleDeg)
{
    return angleDeg / 180 * std::numbers::pi;
}

double RadToDeg(double angleRad)
{
    return angleRad * 180 / std::numbers::pi;
}

double SnapToStep(double value, double origin, double step)
{
    if (!(step > 0))
        return value;
    const double d = value - origin;
    const double k = std::trunc(std::fabs(d) / step + 0.5);
    return d >= 0 ? origin + k * step : origin - k * step;
}

double Round10(double x)
{
    // Beyond 4e5 a double has no digits left below 1e-10 (and the scaled value
    // would overflow for huge x), so there is nothing to round.
    if (!(std::fabs(x) < 4e5))
        return x;
    // Multiplying and dividing by the exact 1e10 keeps the result the nearest
    // double to the multiple (1e-10 itself is inexact).
    const double k = std::trunc(std::fabs(x) * 1e10 + 0.5);
    return std::copysign(k / 1e10, x) + 0.0; // + 0.0 turns -0 into 0
}

double Quantize6(double v)
{
    return std::trunc(v * 1e6 + 0.5) / 1e6;
}

double Distance(double x1, double y1, double x2, double y2)
{
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

double Distance(PointD a, PointD b)
{
    return Distance(a.x, a.y, b.x, b.y);
}

// ---- Angles -----------------------------------------------------------------

double VectorAngle(double dx, double dy)
{
    if (std::fabs(dx) < 1e-10 && std::fabs(dy) < 1e-10)
        return 0;
    double a = std::atan2(dy, dx);
    if (a < 0)
        a += kTwoPi;
    // A tiny negative angle plus 2 pi rounds to 2 pi itself, which is 0.
    if (!(a < kTwoPi))
        a = 0;
    return a + 0.0;
}

double VectorAngleDeg(double dx, double dy)
{
    const double a = Round10(RadToDeg(VectorAngle(dx, dy)));
    return a >= 360 ? 0 : a; // 359.99999999999997 rounds up to a full turn
}

double NormalizeDeg(double angleDeg)
{
    if (!std::isfinite(angleDeg))
        return 0;
    // Whole turns come off the magnitude, then the sign is restored; fmod is
    // exact where a - trunc(a / 360) * 360 is not.
    double a = std::fmod(std::fabs(angleDeg), 360.0);
    if (angleDeg < 0)
        a = -a;
    if (a < 0)
        a += 360;
    if (a >= 360)
        a -= 360;
    return a + 0.0;
}

bool AngleInSweep(double angleDeg, double startDeg, double sweepDeg)
{
    if (sweepDeg < 0) {
        startDeg += sweepDeg;
        sweepDeg = -sweepDeg;
    }
    return NormalizeDeg(angleDeg - NormalizeDeg(startDeg)) <= sweepDeg;
}

// ---- Rotation ---------------------------------------------------------------

PointD RotatePoint(PointD p, PointD centre, double angleRad)
{
    return { RotateX(p, centre, angleRad), RotateY(p, centre, angleRad) };
}

PointD RotatePointDeg(PointD p, PointD centre, double angleDeg)
{
    return RotatePoint(p, centre, DegToRad(angleDeg));
}

double RotateX(PointD p, PointD centre, double angleRad)
{
    return centre.x + std::cos(angleRad) * (p.x - centre.x) - std::sin(angleRad) * (p.y - centre.y);
}

double RotateY(PointD p, PointD centre, double angleRad)
{
    return centre.y + std::sin(angleRad) * (p.x - centre.x) + std::cos(angleRad) * (p.y - centre.y);
}
