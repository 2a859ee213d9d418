// Which clip edges the raster canvas draws an element the same under,
// wherever they are. Qt draws small glyphs of an opaque colour from its glyph
// cache and clips the blits: alike under any clip. Its scan converter, behind
// every aliased fill (pens wider than a pixel are filled outlines too),
// clips an edge at the left and right exactly, by whole steps of its slope,
// but starts it at the first row inside the clip with a rounded product: a
// fill is alike wherever the sides clip it, not the top. The 1-pixel stroker
// starts its line steps where a line enters the clip, our own stroker cuts
// dashes and pieces at the visible area, and the gradient fan and point
// markers are not vouched for: they are alike under no moved edge.
#pragma once

#include "model/data.h"

enum class ClipFree {
    None,   // may rasterize otherwise wherever an edge moved
    Sides,  // alike wherever the left and right edges clip it
    All,    // alike wherever any edge clips it
};

// What holds for every pixel the element draws on a raster surface at this
// zoom (canvas pixels per drawing unit); None whenever in doubt, including
// pens and brushes the element inherits from the one drawn before it.
ClipFree ClipFreedomOf(const Drawing& drawing, const ElementRef& ref, double scale);
