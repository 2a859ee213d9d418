// The XOR figures drawn straight onto the canvas between repaints: the cyan
// rubber-band preview and the yellow snap marker. Each keeps the pixels it
// drew, so erasing draws exactly the same figure again and, the pen being
// RasterOp_SourceXorDestination, restores every pixel. A full repaint
// overwrites both; the window then forgets them (forget) without drawing.
#pragma once

#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QRgb>

#include <vector>

#include "geometry/point.h"
#include "model/view.h"

// A preview as pure geometry: world polylines (a closed figure repeats its
// first point at the end).
struct PreviewShape {
    std::vector<std::vector<PointD>> polylines;

    void clear() { polylines.clear(); }
    bool empty() const { return polylines.empty(); }
    std::vector<PointD>& add() { return polylines.emplace_back(); }
};

class XorFigure {
public:
    XorFigure(QRgb colour, int widthPx) : m_colour(colour), m_width(widthPx) {}

    bool shown() const { return m_shown; }
    // Draws the polylines (pixels) and remembers them; returns the rect touched.
    QRect show(QImage& canvas, std::vector<QPolygon> polylines);
    // Draws the remembered figure again, which erases it; empty rect if none.
    QRect erase(QImage& canvas);
    void forget() { m_shown = false; m_polylines.clear(); }

private:
    QRect drawAll(QImage& canvas) const;

    QRgb m_colour;
    int m_width;
    bool m_shown = false;
    std::vector<QPolygon> m_polylines;
};

inline constexpr QRgb kPreviewColour = qRgb(0, 255, 255);
inline constexpr QRgb kSnapMarkerColour = qRgb(255, 255, 0);
inline constexpr int kSnapMarkerHalf = 5;

// World polylines to canvas pixels (truncating, as every preview does). A
// two-point polyline whose ends are no more than 2 pixels apart in x and in y
// is left out: a segment that short would only be a blot under the cursor.
std::vector<QPolygon> PreviewPixels(const PreviewShape& shape, const ViewTransform& view);
// The outline of the square 5 pixels around (x, y).
std::vector<QPolygon> SnapMarkerPixels(int x, int y);
