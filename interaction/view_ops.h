// The view operations of the main window: zoom and pan by keys, wheel and
// canvas gestures. They work on one ViewTransform and its one-step memory
// (PreviousView) and keep the scale within [10 / imageWidth, 10000], so the
// image area is never narrower than 10 pixels on screen.
//
// All positions are canvas pixels; canvas sizes are PaintBox1's client size.
// Pure functions: the window calls them and then repaints and reports.
#pragma once

#include <cstdint>

#include "model/view.h"

struct ViewState {
    ViewTransform view;
    ViewTransform previous;  // PreviousView
    int32_t imageWidth = 320;
    int32_t imageHeight = 240;

    void save() { previous = view; }
    double minScale() const { return imageWidth > 0 ? 10.0 / imageWidth : 10.0; }
    // New and Open start at scale 1 at the origin, with no earlier view.
    void reset();
};

inline constexpr double kMaxScale = 10000;
inline constexpr double kZoomInFactor = 1.5;
inline constexpr double kZoomOutFactor = 2.0 / 3.0;  // the double nearest 0.6666666666666666

// Page Up / Page Down: zoom about the window centre.
void ZoomInKey(ViewState&, int canvasWidth, int canvasHeight);
void ZoomOutKey(ViewState&, int canvasWidth, int canvasHeight);
// Insert / End: centre the image area at the current scale.
void CentreImage(ViewState&, int canvasWidth, int canvasHeight);
// Home: scale 1 at the origin.
void HomeView(ViewState&);
// Arrows: half a window per key, a tenth with Shift; PreviousView untouched.
// stepX/stepY are -1, 0 or +1 in the direction the view looks (Right = +1).
void PanByArrow(ViewState&, int stepX, int stepY, bool fine, int canvasWidth, int canvasHeight);
// Wheel: zoom about the canvas pixel (px, py), which keeps its drawing point.
void WheelZoom(ViewState&, bool zoomIn, int px, int py);

// What a two-button drag from press to release does.
enum class ViewGesture { Centre, ZoomIn, ZoomOut, Whole, Previous };

// Classification while the buttons are held: Centre unless the drag exceeds
// 5 pixels in both directions.
ViewGesture ClassifyDrag(int pressX, int pressY, int currentX, int currentY);
// Applies the gesture released at (releaseX, releaseY); both points are read
// with the view at the press.
ViewGesture ApplyViewGesture(ViewState&, int pressX, int pressY, int releaseX, int releaseY,
                             int canvasWidth, int canvasHeight);
// Middle-button drag: the drawing follows the mouse.
void DragPan(ViewState&, int pressX, int pressY, int releaseX, int releaseY);
