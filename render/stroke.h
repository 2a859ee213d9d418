// Stroking with the surface's pen: widths in pixels, the five dash styles and
// custom patterns in units of the width, dash caps that differ from the line
// caps, the triangle cap and the four anchor caps (square, round, diamond,
// arrow). QPen cannot express most of this, so a stroke is built as one
// outline (body pieces, caps and anchors, winding rule) and filled once with
// the pen's Paint; overlapping parts are therefore covered only once and an
// alpha pen does not darken its own joints.
//
// Codes are the original platform's values: LineCap 0 flat, 1 square,
// 2 round, 3 triangle, 17 square anchor, 18 round anchor, 19 diamond anchor,
// 20 arrow anchor; DashCap 0 flat, 2 round, 3 triangle; DashStyle 0 solid,
// 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 custom; LineJoin 0 miter,
// 1 bevel, 2 round, 3 miter-clipped.
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <vector>

#include "render/paint.h"

namespace LineCap {
enum : int { Flat = 0, Square = 1, Round = 2, Triangle = 3,
             SquareAnchor = 17, RoundAnchor = 18, DiamondAnchor = 19, ArrowAnchor = 20 };
}
namespace DashCap {
enum : int { Flat = 0, Round = 2, Triangle = 3 };
}
namespace DashStyle {
enum : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Custom = 5 };
}
namespace LineJoin {
enum : int { Miter = 0, Bevel = 1, Round = 2, MiterClipped = 3 };
}

struct StrokeStyle {
    double width = 1;  // logical pixels
    int startCap = LineCap::Flat;
    int endCap = LineCap::Flat;
    int dashStyle = DashStyle::Solid;
    int dashCap = DashCap::Flat;
    int lineJoin = LineJoin::Miter;
    std::vector<float> customDashes;  // DashStyle::Custom, in widths
};

// One flattened figure of a path. Only open figures get caps and anchors.
struct Figure {
    QPolygonF points;
    bool closed = false;
};

// The figures of a path, flattened. With allOpen false a subpath that ends on
// its own start point counts as closed; open primitives (lines, arcs, curves)
// pass true so that their ends keep their caps.
std::vector<Figure> figuresOf(const QPainterPath& path, bool allOpen = false);

// Dash lengths in pixels (on, off, on, ...), empty for a solid line. The unit
// is max(width, 1) so thin pens keep 1-pixel dashes.
std::vector<double> dashLengths(const StrokeStyle& style);

// The outline to fill for a stroke of the figures. Dashes outside `visible`
// (when it is valid) are skipped, keeping the pattern's phase, so a very long
// line costs only what can be seen.
QPainterPath strokeOutline(const std::vector<Figure>& figures, const StrokeStyle& style,
                           const QRectF& visible = QRectF());

// Strokes the figures on the painter with the pen's paint. Pens narrower than
// one device pixel draw as 1-pixel lines at full colour (anchors still show).
void strokeFigures(QPainter& painter, const std::vector<Figure>& figures, const StrokeStyle& style,
                   const Paint& paint);
void strokePath(QPainter& painter, const QPainterPath& path, const StrokeStyle& style, const Paint& paint,
                bool allOpen = false);
