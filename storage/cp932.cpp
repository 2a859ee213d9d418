// CP932 conversion through tables built once, at the first string that is
// not plain ASCII, from glibc iconv: the character of every single byte and
// lead/trail pair, whether the pair is the code's canonical form (the one
// iconv encodes the character to), and the bytes of every character.
// Everything the tables do not cover is kept as bytes (geometry/kept_bytes.h).
#include "storage/cp932.h"

#include "geometry/kept_bytes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iconv.h>
#include <vector>

namespace {

using namespace keptbytes;

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kDuplicateFlag = 0x80000000; // a pair that is not its character's canonical form
constexpr int kLeadCount = 62; // 0x80..0x9F and 0xE0..0xFD

int leadIndex(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x80 : lead - 0xE0 + 32;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// One code point from UTF-8 at pos; a malformed sequence yields U+FFFD and
// consumes one byte.
char32_t nextCodePoint(std::string_view s, size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    int length = b0 < 0x80 ? 1 : b0 >= 0xF8 ? 0 : b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
    if (length == 0 || pos + length > s.size()) {
        ++pos;
        return kReplacement;
    }
    char32_t c = length == 1 ? b0 : b0 & (0x3F >> (length - 1));
    for (int i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    pos += length;
    return c;
}

// Characters CP932 stores as the byte pair of a look-alike, and that look-alike.
struct Equivalent {
    char32_t written;
    char32_t readBack;
};
constexpr Equivalent kEquivalents[] = {
    { 0x301C, 0xFF5E }, // WAVE DASH -> FULLWIDTH TILDE
    { 0x2212, 0xFF0D }, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    { 0x2016, 0x2225 }, // DOUBLE VERTICAL LINE -> PARALLEL TO
    { 0x2014, 0x2015 }, // EM DASH -> HORIZONTAL BAR
    { 0x00A2, 0xFFE0 }, // CENT SIGN -> FULLWIDTH CENT SIGN
    { 0x00A3, 0xFFE1 }, // POUND SIGN -> FULLWIDTH POUND SIGN
    { 0x00AC, 0xFFE2 }, // NOT SIGN -> FULLWIDTH NOT SIGN
};

// One iconv conversion of a short input; false unless all of it converted.
bool convert(iconv_t cd, std::string_view in, std::string& out)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* src = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* dst = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd, &src, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    out.assign(buffer, static_cast<size_t>(dst - buffer));
    return true;
}

// The one character a UTF-8 text holds, or 0.
char32_t soleCodePoint(std::string_view utf8)
{
    size_t pos = 0;
    const char32_t c = utf8.empty() ? 0 : nextCodePoint(utf8, pos);
    return pos == utf8.size() ? c : 0;
}

struct Tables {
    std::array<char32_t, 256> single {}; // half-width katakana
    std::vector<char32_t> pairs; // leadIndex * 256 + trail
    std::vector<uint16_t> bytes = std::vector<uint16_t>(0x10000); // BMP character -> byte or pair

    Tables()
        : pairs(kLeadCount * 256)
    {
        const iconv_t toUtf8 = iconv_open("UTF-8", "CP932");
        const iconv_t toCp932 = iconv_open("CP932", "UTF-8");
        if (toUtf8 != reinterpret_cast<iconv_t>(-1) && toCp932 != reinterpret_cast<iconv_t>(-1))
            fill(toUtf8, toCp932);
        if (toUtf8 != reinterpret_cast<iconv_t>(-1))
            iconv_close(toUtf8);
        if (toCp932 != reinterpret_cast<iconv_t>(-1))
            iconv_close(toCp932);
    }

    void fill(iconv_t toUtf8, iconv_t toCp932)
    {
        std::string utf8, back;
        for (int b = 0xA1; b <= 0xDF; ++b) {
            const char byte = static_cast<char>(b);
            if (convert(toUtf8, { &byte, 1 }, utf8) && soleCodePoint(utf8) > 0x7F
                && soleCodePoint(utf8) < 0x10000) {
                single[b] = soleCodePoint(utf8);
                bytes[single[b]] = static_cast<uint16_t>(b);
            }
        }
        for (int lead = 0x80; lead <= 0xFD; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char pairBytes[2] = { static_cast<char>(lead), static_cast<char>(trail) };
                const char32_t c = convert(toUtf8, { pairBytes, 2 }, utf8) ? soleCodePoint(utf8) : 0;
                if (c <= 0x7F || c >= 0x10000)
                    continue;
                const bool canonical = convert(toCp932, utf8, back) && back == std::string_view(pairBytes, 2);
                pairs[leadIndex(static_cast<unsigned char>(lead)) * 256 + trail]
                    = canonical ? c : c | kDuplicateFlag;
                if (canonical)
                    bytes[c] = static_cast<uint16_t>(lead << 8 | trail);
            }
        }
        for (const Equivalent& e : kEquivalents)
            if (bytes[e.readBack] != 0)
                bytes[e.written] = bytes[e.readBack];
    }

    char32_t pair(unsigned char lead, unsigned char trail) const
    {
        return pairs[leadIndex(lead) * 256 + trail];
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

// True when the bytes need no table: ASCII without the CR that is kept.
bool plainAscii(std::string_view s)
{
    return std::all_of(
        s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\r'; });
}

// A kept code point that encodeFile may write: the shapes decoding produces,
// never a line feed, never a plain ASCII byte.
bool writableKept(char32_t c)
{
    const char32_t v = c - kBase;
    if (v < 0x100)
        return v == '\r' || v >= 0x80;
    return isLeadByte(static_cast<unsigned char>(v >> 8)) && (v & 0xFF) != '\n';
}

// One byte, or a lead/trail pair packed as lead << 8 | trail.
void appendBytes(std::string& out, char32_t v)
{
    if (v >= 0x100)
        out += static_cast<char>(v >> 8);
    out += static_cast<char>(v & 0xFF);
}

void fillFailure(EncodeFailure* failure, char32_t c, std::string_view utf8)
{
    if (!failure)
        return;
    failure->character = c;
    failure->utf8.clear();
    if (c == kReplacement)
        appendUtf8(failure->utf8, kReplacement); // malformed input: the stray byte is no text
    else
        failure->utf8 = displayText(utf8);
}

bool encodeText(std::string_view utf8, std::string& out, EncodeFailure* failure, bool keepBytes)
{
    if (std::all_of(utf8.begin(), utf8.end(),
            [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\r' && c != '\n'; })) {
        out.append(utf8);
        return true;
    }
    const Tables& t = tables();
    const size_t start = out.size();
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t at = pos;
        const char32_t c = nextCodePoint(utf8, pos);
        bool stored = false;
        if (c < 0x80) {
            stored = c != '\r' && c != '\n';
            out += static_cast<char>(c);
        } else if (isKept(c)) {
            stored = keepBytes && writableKept(c);
            appendBytes(out, c - kBase);
        } else if (c < 0x10000 && t.bytes[c] != 0) {
            stored = true;
            appendBytes(out, t.bytes[c]);
        }
        if (!stored) {
            fillFailure(failure, c, utf8.substr(at, pos - at));
            out.resize(start);
            return false;
        }
    }
    return true;
}

} // namespace

void Cp932Codec::decode(std::string_view cp932, std::string& out)
{
    if (plainAscii(cp932)) {
        out.append(cp932);
        return;
    }
    const Tables& t = tables();
    for (size_t i = 0; i < cp932.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (b < 0x80 && b != '\r') {
            out += static_cast<char>(b);
        } else if (isLeadByte(b) && i + 1 < cp932.size()) {
            const auto trail = static_cast<unsigned char>(cp932[++i]);
            const char32_t c = t.pair(b, trail);
            appendUtf8(out, c != 0 && !(c & kDuplicateFlag) ? c : keptbytes::pair(b, trail));
        } else {
            appendUtf8(out, t.single[b] != 0 ? t.single[b] : keptbytes::single(b));
        }
    }
}

bool Cp932Codec::encode(std::string_view utf8, std::string& out, EncodeFailure* failure)
{
    return encodeText(utf8, out, failure, false);
}

bool Cp932Codec::encodeFile(std::string_view utf8, std::string& out, EncodeFailure* failure)
{
    return encodeText(utf8, out, failure, true);
}

std::string cp932ToUtf8(std::string_view cp932)
{
    std::string out;
    Cp932Codec().decode(cp932, out);
    return out;
}

bool utf8ToCp932(std::string_view utf8, std::string& out, EncodeFailure* failure)
{
    return Cp932Codec().encode(utf8, out, failure);
}

namespace {

// The character a code point shows as: a kept duplicate code its character,
// any other kept byte sequence the replacement character.
char32_t shownCodePoint(char32_t c)
{
    if (!isKept(c))
        return c;
    const char32_t v = c - kBase;
    const char32_t duplicate = v >= 0x100 && isLeadByte(static_cast<unsigned char>(v >> 8))
        ? tables().pair(static_cast<unsigned char>(v >> 8), v & 0xFF)
        : 0;
    return duplicate & kDuplicateFlag ? duplicate & ~kDuplicateFlag : kReplacement;
}

std::vector<char32_t> codePoints(std::string_view utf8)
{
    std::vector<char32_t> out;
    for (size_t pos = 0; pos < utf8.size();)
        out.push_back(nextCodePoint(utf8, pos));
    return out;
}

} // namespace

std::string displayText(std::string_view utf8)
{
    // Kept code points are U+100000 and up, whose UTF-8 starts with 0xF4.
    if (utf8.find('\xF4') == std::string_view::npos)
        return std::string(utf8);
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t at = pos;
        const char32_t c = nextCodePoint(utf8, pos);
        if (isKept(c))
            appendUtf8(out, shownCodePoint(c));
        else
            out.append(utf8.substr(at, pos - at));
    }
    return out;
}

EditedText applyShownEdit(std::string_view original, std::string_view edited)
{
    const std::vector<char32_t> before = codePoints(original), after = codePoints(edited);
    std::vector<char32_t> shown(before.size());
    std::transform(before.begin(), before.end(), shown.begin(), shownCodePoint);
    // The unchanged ends first; the characters between are matched as the
    // longest common subsequence, when that table stays small.
    size_t head = 0, tail = 0;
    while (head < shown.size() && head < after.size() && shown[head] == after[head])
        ++head;
    while (tail < shown.size() - head && tail < after.size() - head
        && shown[shown.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const size_t n = shown.size() - head - tail, m = after.size() - head - tail;
    constexpr char32_t kUnmatched = ~char32_t(0);
    std::vector<char32_t> kept(m, kUnmatched); // the original character each edited one stands for
    constexpr size_t kMaxTableCells = size_t(1) << 20;
    if (n > 0 && m > 0 && (n + 1) * (m + 1) <= kMaxTableCells) {
        std::vector<uint32_t> table((n + 1) * (m + 1), 0); // common length of the suffixes i.., j..
        const auto common = [&](size_t i, size_t j) -> uint32_t& { return table[i * (m + 1) + j]; };
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                common(i, j) = shown[head + i] == after[head + j] ? common(i + 1, j + 1) + 1
                                                                  : std::max(common(i + 1, j), common(i, j + 1));
        for (size_t i = 0, j = 0; i < n && j < m;) {
            if (shown[head + i] == after[head + j])
                kept[j++] = before[head + i++];
            else if (common(i + 1, j) >= common(i, j + 1))
                ++i;
            else
                ++j;
        }
    }
    EditedText result;
    for (size_t i = 0; i < head; ++i)
        appendUtf8(result.text, before[i]);
    for (size_t j = 0; j < m; ++j) {
        const char32_t c = kept[j] != kUnmatched ? kept[j] : after[head + j];
        appendUtf8(result.text, c);
        if (kept[j] == kUnmatched)
            appendUtf8(result.typed, c);
    }
    for (size_t i = before.size() - tail; i < before.size(); ++i)
        appendUtf8(result.text, before[i]);
    return result;
}

std::string codePointName(char32_t c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}
