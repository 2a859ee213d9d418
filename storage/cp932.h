// UTF-8 <-> CP932 (Shift-JIS, Windows code page 932) at the storage boundary:
// the program keeps text in UTF-8, the drawing and settings files in CP932.
//
// Decoding is lossless: bytes that are no CP932 character which encodes back
// to the same bytes (undefined bytes, a lead byte standing last, a lead byte
// followed by a blank, the NEC/IBM duplicate codes) become kept-byte code
// points (geometry/kept_bytes.h), which encodeFile writes back unchanged. A
// string read from a file therefore saves with exactly the bytes it had.
//
// Checking text the user typed (encode, utf8ToCp932) refuses a kept-byte code
// point like any character CP932 cannot hold, so typing or pasting one cannot
// produce arbitrary bytes. Both encoders refuse a line break (a stored string
// is one line) and a character whose bytes would not read back as the same
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
    char32_t character = 0; // the first character that cannot be stored
    std::string utf8; // that character as UTF-8, as displayText shows it
};

// Converts strings of one file. Pure ASCII is copied without a table look-up.
class Cp932Codec {
public:
    // Appends the UTF-8 form of CP932 bytes to out.
    void decode(std::string_view cp932, std::string& out);
    // Appends the CP932 form of text the user typed; on failure returns false,
    // fills failure and leaves out as it was.
    bool encode(std::string_view utf8, std::string& out, EncodeFailure* failure = nullptr);
    // As encode, but kept-byte code points become their bytes again: for
    // strings on their way back into a file.
    bool encodeFile(std::string_view utf8, std::string& out, EncodeFailure* failure = nullptr);
};

// One-shot conveniences for short texts (settings values, messages, entry).
std::string cp932ToUtf8(std::string_view cp932);
bool utf8ToCp932(std::string_view utf8, std::string& out, EncodeFailure* failure = nullptr);

// The text as it is shown: a kept duplicate code becomes its character, every
// other kept byte sequence the replacement character U+FFFD.
std::string displayText(std::string_view utf8);

// A text shown with displayText and then edited: the characters the edit left
// in place (matched in order) are the original's, so bytes kept from a file
// survive edits elsewhere in the text. typed holds the other characters, the
// ones the user typed or pasted, to check as typed (encode).
struct EditedText {
    std::string text;
    std::string typed;
};
EditedText applyShownEdit(std::string_view original, std::string_view edited);

// "U+301C" style name of a code point, for messages.
std::string codePointName(char32_t c);
