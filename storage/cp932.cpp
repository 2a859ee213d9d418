// CP932 conversion through iconv. Each conversion starts from a reset
// descriptor; the output buffer is sized for the worst case up front (a CP932
// byte becomes at most three UTF-8 bytes, a UTF-8 character at most two CP932
// bytes), so iconv never reports E2BIG.
#include "storage/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool isAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

iconv_t descriptor(void* p) { return static_cast<iconv_t>(p); }

void resetState(void* cd)
{
    if (cd)
        iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
}

void* openDescriptor(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    return cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd;
}

// One code point from UTF-8 at pos; a malformed sequence yields U+FFFD and
// consumes one byte.
char32_t nextCodePoint(std::string_view s, size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    int length = b0 < 0x80 ? 1 : b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
    if (length == 0 || pos + length > s.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t c = length == 1 ? b0 : b0 & (0x3F >> (length - 1));
    for (int i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
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
    {0x301C, 0xFF5E},  // WAVE DASH -> FULLWIDTH TILDE
    {0x2212, 0xFF0D},  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {0x2016, 0x2225},  // DOUBLE VERTICAL LINE -> PARALLEL TO
    {0x2014, 0x2015},  // EM DASH -> HORIZONTAL BAR
    {0x00A2, 0xFFE0},  // CENT SIGN -> FULLWIDTH CENT SIGN
    {0x00A3, 0xFFE1},  // POUND SIGN -> FULLWIDTH POUND SIGN
    {0x00AC, 0xFFE2},  // NOT SIGN -> FULLWIDTH NOT SIGN
};

bool sameAfterReading(char32_t written, char32_t readBack)
{
    if (written == readBack)
        return written != 0xFFFD;  // U+FFFD here means malformed UTF-8 input
    return std::any_of(std::begin(kEquivalents), std::end(kEquivalents),
                       [&](const Equivalent& e) { return e.written == written && e.readBack == readBack; });
}

void fillFailure(EncodeFailure* failure, std::string_view utf8, size_t at)
{
    if (!failure)
        return;
    size_t end = at;
    failure->character = at < utf8.size() ? nextCodePoint(utf8, end) : 0xFFFD;
    failure->utf8 = std::string(utf8.substr(at, end - at));
}

}  // namespace

Cp932Codec::Cp932Codec()
    : m_toUtf8(openDescriptor("UTF-8", "CP932"))
    , m_toCp932(openDescriptor("CP932", "UTF-8"))
{
}

Cp932Codec::~Cp932Codec()
{
    if (m_toUtf8)
        iconv_close(descriptor(m_toUtf8));
    if (m_toCp932)
        iconv_close(descriptor(m_toCp932));
}

void Cp932Codec::decode(std::string_view cp932, std::string& out)
{
    if (isAscii(cp932)) {
        out.append(cp932);
        return;
    }
    const size_t start = out.size();
    out.resize(start + 3 * cp932.size());
    char* in = const_cast<char*>(cp932.data());
    size_t inLeft = cp932.size();
    char* dst = out.data() + start;
    size_t outLeft = 3 * cp932.size();
    resetState(m_toUtf8);
    while (inLeft > 0) {
        if (!m_toUtf8 || iconv(descriptor(m_toUtf8), &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
            // Undefined or truncated sequence: one replacement per bad byte.
            // Its output (3 bytes) fits the 3 bytes reserved for that byte.
            std::copy(kReplacement.begin(), kReplacement.end(), dst);
            dst += 3, outLeft -= 3;
            ++in, --inLeft;
            resetState(m_toUtf8);
        }
    }
    out.resize(static_cast<size_t>(dst - out.data()));
}

bool Cp932Codec::encode(std::string_view utf8, std::string& out, EncodeFailure* failure)
{
    if (isAscii(utf8)) {
        out.append(utf8);
        return true;
    }
    return encodeChecked(utf8, out, failure);
}

bool Cp932Codec::encodeChecked(std::string_view utf8, std::string& out, EncodeFailure* failure)
{
    const size_t start = out.size();
    out.resize(start + utf8.size());
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = out.data() + start;
    size_t outLeft = utf8.size();
    resetState(m_toCp932);
    if (!m_toCp932 || iconv(descriptor(m_toCp932), &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
        fillFailure(failure, utf8, m_toCp932 ? static_cast<size_t>(in - utf8.data()) : 0);
        out.resize(start);
        return false;
    }
    out.resize(static_cast<size_t>(dst - out.data()));

    // Read the bytes back and compare character by character.
    m_check.clear();
    decode(std::string_view(out).substr(start), m_check);
    size_t i = 0, j = 0;
    while (i < utf8.size() && j < m_check.size()) {
        const size_t at = i;
        if (!sameAfterReading(nextCodePoint(utf8, i), nextCodePoint(m_check, j))) {
            fillFailure(failure, utf8, at);
            out.resize(start);
            return false;
        }
    }
    return true;
}

std::string cp932ToUtf8(std::string_view cp932)
{
    std::string out;
    if (isAscii(cp932))
        return std::string(cp932);
    Cp932Codec codec;
    codec.decode(cp932, out);
    return out;
}

bool utf8ToCp932(std::string_view utf8, std::string& out, EncodeFailure* failure)
{
    if (isAscii(utf8)) {
        out.append(utf8);
        return true;
    }
    Cp932Codec codec;
    return codec.encode(utf8, out, failure);
}

std::string codePointName(char32_t c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}
