// The selection highlight: the selected elements redrawn over the canvas at
// a blink level, and the grips of a single selection. Only the selection is
// drawn, never the rest of the picture, so a blink tick stays cheap.
#pragma once

#include "model/data.h"
#include "model/view.h"
#include "render/graph_p.h"

#include <QRect>

inline constexpr int kHighlightTopLevel = 8;
// Half the side of a grip square, in canvas pixels.
inline constexpr int kGripHalfSide = 5;

// Between Begin and End on the canvas. Level 0..8 draws every selected
// element in (255, g, g) and the dark-green grip squares; level -1 first
// overdraws the grip squares in white, then draws the elements in their own
// attributes.
void DrawHighlight(TGraphP&, int level, const ViewTransform&, const Drawing&);
// DrawHighlight in its three steps, so that a large selection can be drawn
// a part at a time: the pens and (level -1) the white grip squares; one
// selected element; (level >= 0) the green grip squares.
void BeginHighlight(TGraphP&, int level, const ViewTransform&, const Drawing&);
void HighlightElement(TGraphP&, int level, const ViewTransform&, const Drawing&, int32_t registryPosition);
void EndHighlight(TGraphP&, int level, const ViewTransform&, const Drawing&);

// The blink's level sequence: 0, 1, ..., 8, 8, 7, ..., 1, 0, 1, ...
struct BlinkLevel {
    int level = 0;
    bool falling = false;
    void step();
};
