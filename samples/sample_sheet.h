// The sample drawing the export tests and manual checks use
// (tests/data/sample.mt): every element kind with the pen and brush kinds
// that need no image file, all 53 hatch styles, every line-cap code (0-7) and
// dash style, and all 25 point markers, laid out in labelled bands.
#pragma once

#include "model/data.h"
#include "storage/files.h"

// The image the sheet is laid out on.
inline constexpr ImageSize kSampleSheetImage{1280, 960};

// Adds the sheet's attribute entries and elements to an empty drawing.
void fillSampleSheet(Drawing& drawing);
