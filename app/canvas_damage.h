// What the canvas image shows and what of it is stale. The canvas is a cached
// picture: a paint with the same PictureKey as the last one redraws only the
// damaged rectangles (the old and new extents of the elements a command
// changed, the elements a deselect drew on top); any other key repaints the
// whole canvas.
#pragma once

#include <QRect>

#include <array>
#include <cstdint>
#include <vector>

#include "model/data.h"
#include "model/view.h"

// Everything besides the elements that decides the picture.
struct PictureKey {
    uint64_t drawingSerial = 0;
    ViewTransform view;
    int imageWidth = 0, imageHeight = 0;
    int canvasWidth = 0, canvasHeight = 0;
    GridSettings grid;
    std::array<bool, kLayerCount> visible{};

    bool operator==(const PictureKey&) const = default;
};

PictureKey KeyOf(const Drawing& drawing, const ViewTransform& view, int imageWidth, int imageHeight,
                 int canvasWidth, int canvasHeight, const GridSettings& grid);

class CanvasDamage {
public:
    void addAll() { m_all = true; }
    // Canvas pixels; clipped to the canvas when taken.
    void addRect(const QRect& rect);
    // The square of halfSide pixels around a canvas point.
    void addSquare(double x, double y, int halfSide);
    // The painted extents of these registry positions as the view shows them.
    void addElements(const Drawing& drawing, const std::vector<int32_t>& positions, const ViewTransform& view);
    bool empty() const { return !m_all && m_rects.empty(); }
    bool everything() const { return m_all; }
    // The canvas image moved by shift: so do its stale areas.
    void translate(QPoint shift)
    {
        for (QRect& r : m_rects)
            r.translate(shift);
    }
    // The rectangles to repaint (the whole canvas when most of it is damaged),
    // and forgets them.
    std::vector<QRect> take(const QRect& canvas);

private:
    bool m_all = false;
    std::vector<QRect> m_rects;
};
