// Shared steps of the element renderers: mapping drawing coordinates to canvas
// pixels, the minimum sizes, and applying an element's pen and brush with its
// gradient orientation and the highlight override. Private to render/.
//
// The gradient of an element is laid out one of two ways: "oriented" kinds
// (circle, ellipse, arcs, pie, chord, ring) run it through their centre along
// the attribute's own angle over a half-length; "framed" kinds project their
// outline points onto that angle and span exactly their extent.
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <array>
#include <cmath>
#include <span>

#include "model/records.h"
#include "model/view.h"
#include "render/graph_p.h"

namespace render_detail {

inline QPointF toCanvas(const ViewTransform& v, double x, double y)
{
    return {v.toScreenX(x), v.toScreenY(y)};
}

inline QPointF toCanvas(const ViewTransform& v, PointD p)
{
    return toCanvas(v, p.x, p.y);
}

// A radius or semi-axis of 2 canvas pixels or less is drawn as 2.
inline double minRadiusPx(double lengthPx)
{
    return lengthPx <= 2 ? 2 : lengthPx;
}

// A box (rectangles) is drawn only when it spans more than 2 canvas pixels
// both ways.
inline bool spansTwoPixels(QPointF a, QPointF b)
{
    return std::fabs(b.x() - a.x()) > 2 && std::fabs(b.y() - a.y()) > 2;
}

inline bool isFilled(int fillMode)
{
    return fillMode == 1 || fillMode == 2;
}

inline bool isOutlined(int fillMode)
{
    return fillMode == 0 || fillMode == 2;
}

// Open kinds pass their end style as the join, except that square ends (3)
// join with a miter.
inline int joinFromEndStyle(int32_t code)
{
    return code == 3 ? 0 : code;
}

struct GradientLayout {
    bool oriented = false;
    QPointF centre;           // oriented: the gradient's centre
    double halfLength = 0;    // oriented: reach on either side of the centre
    QPointF corner1, corner2; // framed: the frame's centre is their midpoint
    std::span<const QPointF> points;  // framed: the outline points projected
};

// How a closed element is drawn besides its geometry.
struct ClosedLook {
    int capCode = 0;
    int joinCode = 0;
    GradientLayout gradient;
    QPointF radialCentre;  // centre of a radial (path gradient) brush
};

// Applies pen (unless the element is fill only), line join, brush (when
// filled) and the highlight override. A radial brush is built from the
// surface's current path, so the caller fills g.path() first.
void applyClosedLook(TGraphP& g, int level, double scale, const ClosedHeader& h, const ClosedLook& look);

// Applies the pen of an open element, its join (joinCode < 0: not set) and the
// highlight override.
void applyOutlinePen(TGraphP& g, int level, double scale, const OutlineHeader& h,
                     const GradientLayout& gradient, int joinCode);

// Half the width of a WidthTable entry in canvas pixels; 0 when the reference
// names no entry.
double penHalfWidthPx(const TGraphP& g, int32_t widthRef, double scale);

// The look of the round kinds: gradients oriented through the centre over
// halfLength, a radial brush centred there too.
ClosedLook orientedLook(QPointF centre, double halfLength, int capCode, int joinCode);

// The outline of a cornered rectangle in canvas pixels, and the points that
// lay its gradient frame: the four box corners plus the squares of the corners
// that stick out (types 3 and 6).
struct CornerOutline {
    QPolygonF polygon;
    std::array<QPointF, 20> framePoints{};
    int frameCount = 0;
    std::span<const QPointF> frame() const { return {framePoints.data(), size_t(frameCount)}; }
};
CornerOutline CornerRectOutline(const CornerRectRecord& r, const ViewTransform& v);

// Fill, then outline, of a closed element drawn by two primitives.
template <class Fill, class Outline>
void fillThenOutline(int fillMode, Fill&& fill, Outline&& outline)
{
    if (isFilled(fillMode))
        fill();
    if (isOutlined(fillMode))
        outline();
}

}  // namespace render_detail
