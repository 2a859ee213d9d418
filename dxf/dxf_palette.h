// The AutoCAD Colour Index (ACI): the 256 standard colours that DXF colour
// numbers name, and the nearest index of a true colour. Index 7 is drawn
// black on our white paper, so it reads as black here.
#pragma once

#include <cstdint>

namespace dxf {

// 0xRRGGBB of an index 1..255; black for anything else.
uint32_t AciToRgb(int index);
// The index 1..255 whose colour lies nearest to rgb (0xRRGGBB), by squared
// distance; ties go to the lower index.
int NearestAci(uint32_t rgb);

// Our colour references are 0x00BBGGRR; DXF true colours are 0xRRGGBB.
inline uint32_t RefToRgb(int32_t ref)
{
    const auto v = static_cast<uint32_t>(ref);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
inline int32_t RgbToRef(uint32_t rgb)
{
    return static_cast<int32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

}  // namespace dxf
