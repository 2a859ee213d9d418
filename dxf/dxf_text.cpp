#include "dxf/dxf_text.h"

#include <cstdint>

#include "storage/cp932.h"

namespace dxf {
namespace {

bool validUtf8(const std::string& s)
{
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += n;
    }
    return true;
}

void appendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// \U+XXXX escapes as characters.
std::string unescape(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 6 < s.size() + 0 && (s[i + 1] == 'U' || s[i + 1] == 'u') && s[i + 2] == '+') {
            uint32_t code = 0;
            bool ok = true;
            for (size_t k = 3; k < 7; ++k) {
                const int v = hexValue(s[i + k]);
                ok = ok && v >= 0;
                code = code * 16 + static_cast<uint32_t>(v < 0 ? 0 : v);
            }
            if (ok) {
                appendUtf8(out, code);
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

}  // namespace

std::string TextDecoder::decode(const std::string& raw) const
{
    bool ascii = true;
    for (const char c : raw)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    std::string text;
    if (ascii || version >= "AC1021" || (codePage != "ANSI_932" && validUtf8(raw))) {
        text = raw;
    } else if (codePage == "ANSI_932") {
        text = cp932ToUtf8(raw);
    } else {
        for (const char c : raw)  // a Western code page, taken as Latin-1
            appendUtf8(text, static_cast<unsigned char>(c));
    }
    return text.find('\\') == std::string::npos ? text : unescape(text);
}

std::string PlainText(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            const char code = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 2])));
            i += 2;
            switch (code) {
            case 'd': out += "\u00B0"; break;
            case 'p': out += "\u00B1"; break;
            case 'c': out += "\u2300"; break;
            case '%': out += '%'; break;
            default: break;  // %%u, %%o and the like
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string PlainMText(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}')
            continue;
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char code = text[++i];
        switch (code) {
        case 'P': case 'X': case '~': out += ' '; break;
        case '\\': case '{': case '}': out += code; break;
        case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': break;
        case 'S': {  // stacked fraction a^b: shown as a/b
            const size_t end = text.find(';', i);
            for (size_t k = i + 1; k < (end == std::string::npos ? text.size() : end); ++k)
                out += (text[k] == '^' || text[k] == '#') ? '/' : text[k];
            i = end == std::string::npos ? text.size() : end;
            break;
        }
        default: {  // \f...; \H...; \C...; and the other codes with a value
            const size_t end = text.find(';', i);
            i = end == std::string::npos ? text.size() : end;
            break;
        }
        }
    }
    return PlainText(out);
}

}  // namespace dxf
