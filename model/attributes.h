// The thirteen shared attribute tables that element records point into by
// position, and the current attributes stamped onto new elements. Colours are
// 0x00BBGGRR integers (red in the low byte) with a separate alpha 0..255.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PenColorEntry { int32_t id = 0; int32_t color = 0; };
struct PenAlphaColorEntry { int32_t id = 0; int32_t color = 0; int32_t alpha = 255; };
struct HatchEntry {
    int32_t id = 0;
    int32_t hatchStyle = 0;  // 0..52
    int32_t foreColor = 0, foreAlpha = 255, backColor = 0, backAlpha = 255;
};
struct ImageEntry { int32_t id = 0; std::string fileName; };  // UTF-8 path
struct GradientEntry {
    int32_t id = 0;
    int32_t color1 = 0, alpha1 = 255, color2 = 0, alpha2 = 255;
    double angle = 0;  // degrees
};
struct RadialEntry { int32_t id = 0; int32_t color1 = 0, alpha1 = 255, color2 = 0, alpha2 = 255; };
struct WidthEntry { int32_t id = 0; double width = 1; };
struct LineTypeEntry { int32_t id = 0; int32_t dashStyle = 0, dashCap = 0; };

// id is the entry's own position when appended; the file writer reuses it as
// a renumbering mark.
struct AttributeTables {
    std::vector<PenColorEntry> penColor;            // penKind 1
    std::vector<PenAlphaColorEntry> penAlphaColor;  // penKind 2
    std::vector<HatchEntry> penHatch;               // penKind 3
    std::vector<ImageEntry> penImage;               // penKind 4
    std::vector<GradientEntry> penGradient;         // penKind 5
    std::vector<WidthEntry> width;
    std::vector<LineTypeEntry> lineType;
    std::vector<PenColorEntry> brushColor;            // brushKind 1
    std::vector<PenAlphaColorEntry> brushAlphaColor;  // brushKind 2
    std::vector<HatchEntry> brushHatch;               // brushKind 3
    std::vector<ImageEntry> brushImage;               // brushKind 4
    std::vector<GradientEntry> brushGradient;         // brushKind 5, linear
    std::vector<RadialEntry> brushRadial;             // brushKind 6, radial

    void clear();
};

// Find returns the first equal entry's position or -1; Append returns the new
// position. Widths compare within 1e-6, gradient angles within 1e-10, file
// names case-insensitively.
int32_t findPenColor(const AttributeTables&, int32_t color);
int32_t findPenAlphaColor(const AttributeTables&, int32_t color, int32_t alpha);
int32_t findPenHatch(const AttributeTables&, const HatchEntry&);
int32_t findPenImage(const AttributeTables&, const std::string& fileName);
int32_t findPenGradient(const AttributeTables&, const GradientEntry&);
int32_t findWidth(const AttributeTables&, double width);
int32_t findLineType(const AttributeTables&, int32_t dashStyle, int32_t dashCap);
int32_t findBrushColor(const AttributeTables&, int32_t color);
int32_t findBrushAlphaColor(const AttributeTables&, int32_t color, int32_t alpha);
int32_t findBrushHatch(const AttributeTables&, const HatchEntry&);
int32_t findBrushImage(const AttributeTables&, const std::string& fileName);
int32_t findBrushGradient(const AttributeTables&, const GradientEntry&);
int32_t findBrushRadial(const AttributeTables&, const RadialEntry&);

// Append sets the entry's id to its position.
template <class Entry>
int32_t appendEntry(std::vector<Entry>& table, Entry entry)
{
    entry.id = static_cast<int32_t>(table.size());
    table.push_back(std::move(entry));
    return entry.id;
}

struct CurrentAttributes {
    int32_t currentLayer = 0;
    int32_t penKind = 1;
    // [0] colour, [1] alpha colour, [2] hatch fore, [3] hatch back,
    // [4] gradient 1, [5] gradient 2
    int32_t penColors[6] = {0, 0, 0, 0, 0, 0};
    // [0] alpha colour, [1] hatch fore, [2] hatch back, [3] gradient 1, [4] gradient 2
    int32_t penAlphas[5] = {255, 255, 255, 255, 255};
    int32_t penHatchStyle = 0;
    std::string penImageFile;
    double penGradientAngle = 0;
    double penWidth = 1.0;
    int32_t dashStyle = 0;
    int32_t dashCap = 0;
    int32_t endStyle = 0;
    int32_t brushKind = 1;
    // [0] colour, [1] alpha colour, [2] hatch fore, [3] hatch back,
    // [4] linear 1, [5] linear 2, [6] radial 1, [7] radial 2
    int32_t brushColors[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    // [0] alpha colour, [1] hatch fore, [2] hatch back, [3] linear 1,
    // [4] linear 2, [5] radial 1, [6] radial 2
    int32_t brushAlphas[7] = {255, 255, 255, 255, 255, 255, 255};
    int32_t brushHatchStyle = 0;
    std::string brushImageFile;
    double brushGradientAngle = 0;
    int32_t pointStyle = 0;
    double pointSize = 1.0;
};

// The table references the current attributes resolve to (find, else append).
struct PenRefs { int32_t penKind = 1, penRef = 0, widthRef = 0, lineTypeRef = 0; };
struct BrushRefs { int32_t brushKind = 1, brushRef = 0; };

PenRefs resolvePen(AttributeTables&, const CurrentAttributes&);
BrushRefs resolveBrush(AttributeTables&, const CurrentAttributes&);
