// The floor of a paint: the same geometry drawn by plain QPainter calls, with
// the Qt pen and brush nearest to each element's attributes built once before
// the paint (shared by every element with the same references), so what the
// floor pays per element is only Qt's own drawing.
#pragma once

#include <QImage>
#include <QPainter>

#include <map>
#include <tuple>
#include <vector>

#include "model/data.h"

class PaintFloor {
public:
    // Builds the styles of every element of the drawing.
    PaintFloor(const Drawing& drawing, int width, int height);
    void paint(QImage& image) const;

    struct Style {
        QPen pen = Qt::NoPen;
        QBrush brush = Qt::NoBrush;
        int anchor = 0;  // end style 4..7: an anchor shape at each end of a line or point list
        double anchorSize = 0;
    };

private:
    using PenKey = std::tuple<int, int, int, int, int, int>;  // kind, ref, width, line type, end style, join
    using BrushKey = std::tuple<int, int>;
    const Style& styleOf(const OutlineHeader& h);
    const Style& styleOf(const ClosedHeader& h);
    QPen makePen(const PenKey& key);
    QBrush makeBrush(int kind, int ref);

    const Drawing& m_drawing;
    int m_width, m_height;
    std::map<std::tuple<PenKey, BrushKey, int>, Style> m_styles;
    std::vector<const Style*> m_elementStyles;  // registry order
};
