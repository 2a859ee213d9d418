// The thirteen shared attribute tables that element records point into by
// position, and the current attributes stamped onto new elements. Colours are
// 0x00BBGGRR integers (red in the low byte) with a separate alpha 0..255.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PenColorEntry {
    int32_t id = 0;
    int32_t color = 0;
};
struct PenAlphaColorEntry {
    int32_t id = 0;
    int32_t color = 0;
    int32_t alpha = 255;
};
struct HatchEntry {
    int32_t id = 0;
    int32_t hatchStyle = 0; // 0..52
    int32_t foreColor = 0, foreAlpha = 255, backColor = 0, backAlpha = 255;
};
struct ImageEntry {
    int32_t id = 0;
    std::string fileName;
}; // UTF-8 path
struct GradientEntry {
    int32_t id = 0;
    int32_t color1 = 0, alpha1 = 255, color2 = 0, alpha2 = 255;
    double angle = 0; // degrees
};
struct RadialEntry {
    int32_t id = 0;
    int32_t color1 = 0, alpha1 = 255, color2 = 0, alpha2 = 255;
};
struct WidthEntry {
    int32_t id = 0;
    double width = 1;
};
struct LineTypeEntry {
    int32_t id = 0;
    int32_t dashStyle = 0, dashCap = 0;
};

// id is the entry's own position when appended; the file writer reuses it as
// a renumbering mark.
struct AttributeTables {
    std::vector<PenColorEntry> penColor; // penKind 1
    std::vector<PenAlphaColorEntry> penAlphaColor; // penKind 2
    std::vector<HatchEntry> penHatch; // penKind 3
    std::vector<ImageEntry> penImage; // penKind 4
    std::vector<GradientEntry> penGradient; // penKind 5
    std::vector<WidthEntry> width;
    std::vector<LineTypeEntry> lineType;
    std::vector<PenColorEntry> brushColor; // brushKind 1
    std::vector<PenAlphaColorEntry> brushAlphaColor; // brushKind 2
    std::vector<HatchEntry> brushHatch; // brushKind 3
    std::vector<ImageEntry> brushImage; // brushKind 4
    std::vector<GradientEntry> brushGradient; // brushKind 5, linear
    std::vector<RadialEntry> brushRadial; // brushKind 6, radial

    void clear();
};

// Entry equality as the look-up sees it: ids are ignored, widths compare
// within 1e-6, gradient angles within 1e-10, file names case-insensitively.
bool sameEntry(const PenColorEntry&, const PenColorEntry&);
bool sameEntry(const PenAlphaColorEntry&, const PenAlphaColorEntry&);
bool sameEntry(const HatchEntry&, const HatchEntry&);
bool sameEntry(const ImageEntry&, const ImageEntry&);
bool sameEntry(const GradientEntry&, const GradientEntry&);
bool sameEntry(const RadialEntry&, const RadialEntry&);
bool sameEntry(const WidthEntry&, const WidthEntry&);
bool sameEntry(const LineTypeEntry&, const LineTypeEntry&);

// Position of the first entry equal to key, or -1.
template <class Entry> int32_t findEntry(const std::vector<Entry>& table, const Entry& key)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (sameEntry(table[i], key))
            return static_cast<int32_t>(i);
    return -1;
}

// Append sets the entry's id to its position.
template <class Entry> int32_t appendEntry(std::vector<Entry>& table, Entry entry)
{
    entry.id = static_cast<int32_t>(table.size());
    table.push_back(std::move(entry));
    return entry.id;
}

// The entry a reference names, or null when it names none. References read
// from a file are untrusted, so every look-up goes through here.
template <class Entry> const Entry* entryAt(const std::vector<Entry>& table, int32_t ref)
{
    if (ref < 0 || static_cast<size_t>(ref) >= table.size())
        return nullptr;
    return &table[static_cast<size_t>(ref)];
}

template <class Entry> int32_t findOrAppend(std::vector<Entry>& table, const Entry& key)
{
    const int32_t found = findEntry(table, key);
    return found >= 0 ? found : appendEntry(table, key);
}

struct CurrentAttributes {
    int32_t currentLayer = 0;
    int32_t penKind = 1;
    // [0] colour, [1] alpha colour, [2] hatch fore, [3] hatch back,
    // [4] gradient 1, [5] gradient 2
    int32_t penColors[6] = { 0, 0, 0, 0, 0, 0 };
    // [0] alpha colour, [1] hatch fore, [2] hatch back, [3] gradient 1, [4] gradient 2
    int32_t penAlphas[5] = { 255, 255, 255, 255, 255 };
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
    int32_t brushColors[8] = { 0, 0, 0, 0, 0, 0, 0, 0 };
    // [0] alpha colour, [1] hatch fore, [2] hatch back, [3] linear 1,
    // [4] linear 2, [5] radial 1, [6] radial 2
    int32_t brushAlphas[7] = { 255, 255, 255, 255, 255, 255, 255 };
    int32_t brushHatchStyle = 0;
    std::string brushImageFile;
    double brushGradientAngle = 0;
    int32_t pointStyle = 0;
    double pointSize = 1.0;
};

// The table references the current attributes resolve to (find, else append).
struct PenRefs {
    int32_t penKind = 1, penRef = 0, widthRef = 0, lineTypeRef = 0;
};
struct BrushRefs {
    int32_t brushKind = 1, brushRef = 0;
};

PenRefs resolvePen(AttributeTables&, const CurrentAttributes&);
BrushRefs resolveBrush(AttributeTables&, const CurrentAttributes&);
