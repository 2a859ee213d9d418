// Which elements the raster canvas draws the same wherever the canvas edge
// clips them. Qt draws small glyphs of an opaque colour from its glyph cache
// and clips the blits, so they come out alike under any whole-pixel
// translation. Nearly everything else can move a pixel: the 1-pixel stroker
// starts its line steps where a line enters the clip, and the scan converter
// behind every fill (pens wider than a pixel are filled outlines too) starts
// an edge at the first row inside the clip and steps on by a rounded slope.
#pragma once

#include "model/data.h"

// True when every pixel the element draws on a raster surface at this zoom
// (canvas pixels per drawing unit) is independent of where the surface
// clips it. False whenever in doubt, including brushes the element inherits.
bool DrawnAlikeWhereverClipped(const Drawing& drawing, const ElementRef& ref, double scale);
