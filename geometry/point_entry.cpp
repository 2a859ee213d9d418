// The point-entry forms: a small hand parser over std::from_chars (no locale,
// no allocation) and the resolution of a parsed entry against the last point
// and the rubber band's end.
#include "geometry/point_entry.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// One number filling the whole (trimmed) token; error otherwise.
EntryError readNumber(std::string_view token, double& value)
{
    token = trimmed(token);
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);  // from_chars takes '-' but not '+'
    if (token.empty())
        return EntryError::NotAForm;
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        return EntryError::OutOfRange;
    if (ec != std::errc() || ptr != end)
        return EntryError::NotAForm;
    if (!std::isfinite(value) || std::fabs(value) > kEntryLimit)
        return EntryError::OutOfRange;
    return EntryError::None;
}

// "n<sep>n"; the second error wins only when the first number was fine.
ParsedEntry readPair(std::string_view text, char separator, EntryForm form)
{
    const size_t at = text.find(separator);
    if (at == std::string_view::npos || text.find(separator, at + 1) != std::string_view::npos)
        return {{}, EntryError::NotAForm};
    ParsedEntry parsed{{form, 0, 0}, EntryError::None};
    const EntryError first = readNumber(text.substr(0, at), parsed.entry.a);
    const EntryError second = readNumber(text.substr(at + 1), parsed.entry.b);
    // Text that is not a form at all says so before a number out of range.
    if (first == EntryError::NotAForm || second == EntryError::NotAForm)
        parsed.error = EntryError::NotAForm;
    else
        parsed.error = first != EntryError::None ? first : second;
    return parsed;
}

bool withinLimit(PointD p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) <= kEntryLimit &&
           std::fabs(p.y) <= kEntryLimit;
}

}  // namespace

ParsedEntry ParsePointEntry(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '@') {
        const std::string_view rest = text.substr(1);
        const bool polar = rest.find('<') != std::string_view::npos;
        if (polar && rest.find(',') != std::string_view::npos)
            return {{}, EntryError::NotAForm};
        return polar ? readPair(rest, '<', EntryForm::Polar) : readPair(rest, ',', EntryForm::Relative);
    }
    if (text.find_first_of("@<") != std::string_view::npos)
        return {{}, EntryError::NotAForm};
    if (text.find(',') != std::string_view::npos)
        return readPair(text, ',', EntryForm::Absolute);
    ParsedEntry parsed{{EntryForm::Distance, 0, 0}, EntryError::None};
    parsed.error = readNumber(text, parsed.entry.a);
    return parsed;
}

PointD ScreenDirectionDeg(double angleDeg)
{
    double a = std::fmod(angleDeg, 360.0);
    if (a < 0)
        a += 360.0;
    // cos and sin of the multiples of 30 degrees, from 0 counter-clockwise.
    static const double half = 0.5, root3half = std::sqrt(3.0) / 2, root2half = std::sqrt(0.5);
    static const double cos30[12] = {1, root3half, half, 0, -half, -root3half,
                                     -1, -root3half, -half, 0, half, root3half};
    double c = 0, s = 0;
    if (std::fmod(a, 30.0) == 0) {
        const int k = static_cast<int>(a / 30.0) % 12;
        c = cos30[k];
        s = cos30[(k + 9) % 12];  // sin t = cos(t - 90)
    } else if (std::fmod(a, 45.0) == 0) {
        const int k = static_cast<int>(a / 45.0);  // 1, 3, 5, 7
        c = (k == 1 || k == 7) ? root2half : -root2half;
        s = k < 4 ? root2half : -root2half;
    } else {
        const double r = a * std::numbers::pi / 180.0;
        c = std::cos(r);
        s = std::sin(r);
    }
    return {c, s == 0 ? 0.0 : -s};
}

EntryPoint ResolvePointEntry(const PointEntry& entry, std::optional<PointD> last, std::optional<PointD> toward)
{
    PointD p{entry.a, entry.b};
    if (entry.form != EntryForm::Absolute) {
        if (!last)
            return {{}, EntryError::NoLastPoint};
        PointD offset{entry.a, entry.b};
        if (entry.form == EntryForm::Polar) {
            const PointD u = ScreenDirectionDeg(entry.b);
            offset = {entry.a * u.x, entry.a * u.y};
        } else if (entry.form == EntryForm::Distance) {
            const double dx = toward ? toward->x - last->x : 0, dy = toward ? toward->y - last->y : 0;
            const double length = std::hypot(dx, dy);
            if (!(length > 0) || !std::isfinite(length))
                return {{}, EntryError::NoDirection};
            offset = {entry.a * dx / length, entry.a * dy / length};
        }
        p = {last->x + offset.x, last->y + offset.y};
    }
    if (!withinLimit(p))
        return {{}, EntryError::OutOfRange};
    return {p, EntryError::None};
}

EntryPoint EvaluatePointEntry(std::string_view text, std::optional<PointD> last, std::optional<PointD> toward)
{
    const ParsedEntry parsed = ParsePointEntry(text);
    if (parsed.error != EntryError::None)
        return {{}, parsed.error};
    return ResolvePointEntry(parsed.entry, last, toward);
}
