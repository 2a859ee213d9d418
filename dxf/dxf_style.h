// How attributes map between the drawing and DXF, both ways: the colour a pen
// or brush shows when it is reduced to one solid colour, pen widths as
// lineweights (a drawing unit is a pixel at 96 dpi), dash styles as linetype
// names, text anchors as alignments, and layer names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/attributes.h"

namespace dxf {

struct PenLook {
    uint32_t rgb = 0;  // 0xRRGGBB
    double width = 1;  // drawing units
    int dashStyle = 0;
};

// Colour pens as they are; alpha is dropped; a hatch pen shows its line
// colour, a gradient its start colour, an image pen black.
PenLook PenLookOf(const AttributeTables&, int32_t penKind, int32_t penRef, int32_t widthRef, int32_t lineTypeRef);
// Brushes likewise; a radial brush shows its centre colour, an image white.
uint32_t BrushRgb(const AttributeTables&, int32_t brushKind, int32_t brushRef);

// The standard lineweight (hundredths of a millimetre) nearest the width.
int Lineweight(double widthUnits);
// A lineweight as a width in drawing units; 1 for the defaults (< 0).
double WidthOfLineweight(int lineweight);

// The dash style (0..4) a linetype name draws as: DASHED and HIDDEN dash,
// DOT dots, DASHDOT and CENTER dash-dot, DIVIDE and PHANTOM dash-dot-dot.
int DashStyleOfLinetype(std::string_view name);

// TEXT alignment of an anchor 0..8 (bottom-left ... top-right): 72 is
// 0 left, 1 centre, 2 right; 73 is 1 bottom, 2 middle, 3 top.
struct TextPlacement {
    int horizontal = 0;
    int vertical = 1;
};
TextPlacement PlacementOfAnchor(int32_t anchor);
// Any TEXT alignment (72 of 0..5, 73 of 0..3) as an anchor.
int32_t AnchorOfPlacement(int horizontal, int vertical);
// MTEXT attachment 1..9 (top-left ... bottom-right) as an anchor.
int32_t AnchorOfAttachment(int attachment);

// A layer's DXF name: its own name with the characters DXF forbids replaced,
// or "LAYER<n>" when it has none.
std::string LayerNameFor(const std::string& name, int layer);

}  // namespace dxf
