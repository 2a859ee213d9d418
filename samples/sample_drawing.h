// Generated drawings for the benchmarks and the tests that need large or
// varied drawings: every kind in turn, spread over an image area. The
// attribute tables hold an entry of every pen and brush kind, width, dash
// style and dash cap; which of them the elements use depends on the look:
//   Plain          1- and 2.5-pixel solid pens, solid brushes, as a simple diagram;
//   AllAttributes  each element picks any pen, brush, width, line type and cap;
//   Row            every element uses the one setting of an AttributeRow.
#pragma once

#include <string>
#include <vector>

#include "model/data.h"

// One attribute setting shared by every element of a drawing, and the kinds
// that carry it (cycled in order).
struct AttributeRow {
    std::string name;
    std::vector<ElementKind> kinds;
    OutlineHeader outline;  // open kinds, and the pen of points
    ClosedHeader closed;    // closed kinds, and the brush of texts
    double maxSize = 60;    // largest extent of a shape from its anchor, in pixels
};

enum class SampleLook { Plain, AllAttributes, Row };

struct SampleOptions {
    int elementCount = 1000;
    double width = 1920;
    double height = 1080;
    unsigned seed = 1;
    SampleLook look = SampleLook::Plain;
    const AttributeRow* row = nullptr;  // SampleLook::Row
    std::string imagePath = {};         // the file of the image pen and brush (UTF-8)
};

void fillSampleDrawing(Drawing& drawing, const SampleOptions& options);

// The rows: each pen kind, brush kind, width, dash style with each dash cap,
// cap and anchor, translucent colours, hatch styles, and each element kind;
// then the large_* rows: overlapping shapes and curves up to 400 pixels across.
const std::vector<AttributeRow>& attributeRows();

// Table positions of the entries fillSampleDrawing writes.
namespace sample_refs {
constexpr int kWidth1 = 0, kWidth2_5 = 1, kWidth5 = 2, kWidth20 = 3;
constexpr int kHatchStyles[] = {0, 5, 12, 35, 52};  // one hatch entry each, in this order
constexpr int kMissingImage = 1;                    // image entry whose file does not exist
constexpr int kDashStyles = 4, kDashCaps = 3;       // styles 1..4, caps 0..2
// Line type 0 is solid; style s (1..4) with dash cap c is 1 + (s - 1) * 3 + c.
constexpr int lineType(int style, int cap) { return style == 0 ? 0 : 1 + (style - 1) * kDashCaps + cap; }
}  // namespace sample_refs
