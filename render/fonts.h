// Windows font names as drawing files and settings store them ("ＭＳ ゴシック",
// "ＭＳ Ｐ明朝", "Arial" ...) resolved to fonts installed on this system. The
// name itself is never rewritten: the substitution happens when Qt loads the
// font, so the name is saved back exactly as it was read.
#pragma once

#include <QString>
#include <QStringList>

// Registers the substitutions with QFont; safe to call any number of times.
void installFontSubstitutions();

// The installed families that stand in for `family` (empty when none is
// needed or none is known).
QStringList fontSubstitutes(const QString& family);

// The Windows names of the table whose stand-ins are installed: the names a
// font list offers beside the installed families.
QStringList mappedFontNames();

// True when `family` or one of its substitutes is installed: the condition
// under which the surface has a font at all.
bool fontFamilyAvailable(const QString& family);
