// UTF-8 <-> CP932 (Shift-JIS, Windows code page 932) at the storage boundary:
// the program keeps text in UTF-8, the drawing and settings files in CP932.
// Conversion goes through glibc iconv; pure ASCII text is copied without it.
//
// Decoding never fails: a byte sequence CP932 does not define becomes U+FFFD.
// Encoding refuses a character whose bytes would not read back as the same
// character, except for the code page's customary equivalents of Japanese
// punctuation (WAVE DASH U+301C is stored as the full-width tilde U+FF5E, and
// likewise MINUS SIGN, DOUBLE VERTICAL LINE, EM DASH, CENT, POUND and NOT
// SIGN). YEN SIGN and OVERLINE are refused: CP932 would store them as the
// ASCII backslash and tilde, which read back as different characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct EncodeFailure {
    char32_t character = 0;  // the first character that cannot be stored
    std::string utf8;        // that character as UTF-8 (or the stray byte)
};

// Holds the two iconv descriptors for repeated conversions (one file).
class Cp932Codec {
public:
    Cp932Codec();
    ~Cp932Codec();
    Cp932Codec(const Cp932Codec&) = delete;
    Cp932Codec& operator=(const Cp932Codec&) = delete;

    // Appends the UTF-8 form of CP932 bytes to out.
    void decode(std::string_view cp932, std::string& out);
    // Appends the CP932 form of UTF-8 text to out; on failure returns false,
    // fills failure and leaves out as it was.
    bool encode(std::string_view utf8, std::string& out, EncodeFailure* failure = nullptr);

private:
    bool encodeChecked(std::string_view utf8, std::string& out, EncodeFailure* failure);

    void* m_toUtf8 = nullptr;   // iconv_t
    void* m_toCp932 = nullptr;  // iconv_t
    std::string m_check;
};

// One-shot conveniences for short texts (settings values, messages).
std::string cp932ToUtf8(std::string_view cp932);
bool utf8ToCp932(std::string_view utf8, std::string& out, EncodeFailure* failure = nullptr);

// "U+301C" style name of a code point, for messages.
std::string codePointName(char32_t c);
