// How the program's UTF-8 keeps file bytes that are no character of their
// own. Strings of the drawing and settings files are CP932 bytes; a byte, or
// a lead/trail pair, that does not decode to a character which encodes back
// to the same bytes (undefined bytes, a lead byte standing last, the NEC/IBM
// duplicate codes), and a CR, which a line cannot otherwise hold, rides in the
// text as a code point of the supplementary private use area: U+100000 +
// byte, or U+100000 + (lead << 8 | trail).
// Writing turns it back into exactly those bytes, so nothing read is lost.
#pragma once

#include <cstdint>

namespace keptbytes {

constexpr char32_t kBase = 0x100000;

constexpr bool isKept(char32_t c)
{
    return c >= kBase && c <= kBase + 0xFFFF;
}
constexpr char32_t single(unsigned char b)
{
    return kBase + b;
}
constexpr char32_t pair(unsigned char lead, unsigned char trail)
{
    return kBase + (char32_t(lead) << 8 | trail);
}

// The byte rule of the text helpers: these bytes start a two-byte character.
constexpr bool isLeadByte(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

} // namespace keptbytes
