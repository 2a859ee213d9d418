// The text element the text command places at a click: the dialog's font,
// size, angle, x ratio, anchor and style, with the box laid out by the render
// engine at that point. The preview draws the same box at the cursor, and the
// text change reads and writes a record's dialog fields through the same pair.
#pragma once

#include <array>

#include "geometry/point.h"
#include "model/construction_parameters.h"
#include "model/records.h"

// The text dialog's fields (font, size, angle, x ratio, anchor, style, text)
// carried between a record and the dialog's values, each way with an anchor
// outside 0..8 read as 0 and only the four style bits kept, so a damaged
// record is neither offered nor written back as it came. The record's
// position, box, layer and brush are left as they are.
void CopyTextFields(const ConstructionParameters& from, TextRecord& to);
void CopyTextFields(const TextRecord& from, ConstructionParameters& to);

// The dialog's text as a record without position, box, layer and brush.
TextRecord TextOf(const ConstructionParameters& params);
// The text at an anchor point with its box laid out there (the protocol
// fills layer and brush).
TextRecord TextAt(TextRecord text, PointD anchor);
// The laid-out box corners of a text measured elsewhere, moved to an anchor.
std::array<PointD, 4> TextBoxCornersAt(const TextRecord& text, PointD anchor);

// The four corners of a text's laid-out box in drawing units, in order
// bottom-left, bottom-right, top-right, top-left as seen along the text.
std::array<PointD, 4> TextBoxCorners(const TextRecord& text);
