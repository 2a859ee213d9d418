// The view transform: canvas pixel = scale * (drawing coordinate + pan) on both
// axes, y down. Shared by painting, snapping and hit testing.
#pragma once

#include <cstdint>

struct ViewTransform {
    double scale = 1;
    double panX = 0;
    double panY = 0;

    double toScreenX(double x) const { return scale * (x + panX); }
    double toScreenY(double y) const { return scale * (y + panY); }
    double toWorldX(double sx) const { return sx / scale - panX; }
    double toWorldY(double sy) const { return sy / scale - panY; }

    bool operator==(const ViewTransform&) const = default;
};

// What snap registration needs besides the element: the view and the canvas.
struct CanvasView {
    ViewTransform view;
    int width = 0;
    int height = 0;
};

// The grid of the canvas; colours are 0x00BBGGRR. Hidden by default.
struct GridSettings {
    bool shown = false;
    double originX = 0, originY = 0;
    double pitchX = 10, pitchY = 10;
    int32_t minorColor = 0xFFCC80;  // light blue
    int32_t majorColor = 0xFF8000;  // blue

    bool operator==(const GridSettings&) const = default;
};
