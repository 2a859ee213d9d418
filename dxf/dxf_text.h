// Strings of a DXF file as UTF-8: the file's code page ($DWGCODEPAGE, or
// UTF-8 from AutoCAD 2007 on), \U+XXXX escapes, the %% codes, and MTEXT's
// formatting reduced to plain one-line text.
#pragma once

#include <string>

namespace dxf {

struct TextDecoder {
    std::string codePage;  // "ANSI_932" ...
    std::string version;   // "AC1015" ...
    std::string decode(const std::string& raw) const;
};

// TEXT: %%d, %%p, %%c, %%%; %%u and %%o toggles dropped.
std::string PlainText(const std::string& text);
// MTEXT: paragraphs joined by a space, formatting codes and braces dropped.
std::string PlainMText(const std::string& text);

}  // namespace dxf
