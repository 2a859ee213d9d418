// The picture: white background, grid, the blue frame of the image area, then
// every visible element, layer by layer (layer 0 at the bottom, registry order
// within a layer), each drawn by its renderer and then registered as snap
// points. The canvas, the exports and the benchmarks all draw through here.
#pragma once

#include <atomic>
#include <functional>

#include "model/data.h"
#include "model/view.h"
#include "render/graph_p.h"

struct PictureParams {
    int imageWidth = 320;
    int imageHeight = 240;
    int canvasWidth = 0;
    int canvasHeight = 0;
    ViewTransform view;
    GridSettings grid;
    bool drawFrame = true;  // the exports draw the elements on white only
    // The exports turn this off: their points would be in export coordinates,
    // and the canvas repaint that follows an export registers them anew.
    bool registerSnapPoints = true;
    // Told the share of elements drawn, 0 to 100, each time it grows (the
    // window counts a long paint in its status line).
    std::function<void(int percent)> progress;
    // DrawPictureArea stops before the next element once this is set (from
    // any thread); what it drew is then incomplete.
    const std::atomic_bool* abandoned = nullptr;
};

// Between Begin and End. Rebuilds drawing.snapPoints (empties it when
// registerSnapPoints is off).
void DrawPicture(TGraphP&, Drawing&, const PictureParams&);
// What DrawPicture draws within `area` (canvas pixels): the background, grid
// and frame, and the elements whose extent meets the area, taken from the
// extent index (settled beforehand: Drawing::extents.settle) in paint order.
// Drawn unclipped on a surface of the canvas size (render/bands.h keeps only
// the area), so every pixel of the area is rasterized as the full paint
// rasterizes it; pixels outside the area are left undefined. Elements whose
// geometry stays away from the area (ElementMayPaintArea) and those under the
// last opaque fill that covers it (ElementHidesArea) are not drawn. Registers nothing and only reads the drawing, so several
// areas may be drawn at once.
void DrawPictureArea(TGraphP&, const Drawing&, const PictureParams&, const QRectF& area);
// The element pass alone (no background, grid or frame).
void DrawElements(TGraphP&, Drawing&, const PictureParams&);
// The element pass on a drawing whose layer use is up to date
// (Drawing::RecomputeLayerUse), registering nothing and culling to the
// surface's clip. It only reads the drawing, so several surfaces may run it
// at once, each on its band of one picture (TGraphP::BeginBand).
void DrawElementsReadOnly(TGraphP&, const Drawing&, const PictureParams&);
