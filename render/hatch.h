// The 53 hatch styles of the system (0 horizontal ... 52 solid diamond) as 8x8
// cells of fore and back colour. Cell bit (x, y) applies to device pixels with
// x mod 8, y mod 8: the pattern is anchored at the device origin, never at the
// shape, and does not turn with the world transform.
#pragma once

#include <QImage>
#include <QRgb>

constexpr int kHatchStyleCount = 53;

// Styles outside 0..52 draw as 0 (horizontal).
int normalHatchStyle(int style);

// True where the cell of `style` shows the fore colour.
bool hatchBit(int style, int x, int y);

// The cell as an ARGB32 premultiplied image (cached by style and colours).
QImage hatchCell(int style, QRgb foreArgb, QRgb backArgb);
