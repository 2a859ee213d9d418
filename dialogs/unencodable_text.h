// The refusal of a text that a drawing or settings file cannot hold: the
// first character Shift-JIS lacks (a kept-byte code point counts as one), or a
// line break, which would split the file's one-value-per-line records.
#pragma once

#include <QString>

// Empty when value can be stored; otherwise what + "に Shift-JIS で保存できない
// 文字があります：" + "「c」(U+XXXX)", or "改行(U+000A)" for a line break.
QString UnencodableMessage(const char* what, const QString& value);
