// View arithmetic of the main window. Two quirks are kept on purpose: Page Up
// computes the pan with the unclamped new scale (so the view at the clamp
// drifts slightly), and Page Down / wheel-up at the lower bound put back the
// pan from before the step instead of recomputing it.
#include "interaction/view_ops.h"

#include <algorithm>
#include <cmath>

void ViewState::reset()
{
    view = ViewTransform{};
    previous = ViewTransform{};
}

namespace {

// Pan so that canvas pixel (px, py) keeps its drawing point when the scale
// goes from view.scale to newScale.
void panAbout(ViewTransform& view, double px, double py, double newScale)
{
    view.panX += px / newScale - px / view.scale;
    view.panY += py / newScale - py / view.scale;
    view.scale = newScale;
}

void zoomIn(ViewState& state, double px, double py)
{
    state.save();
    panAbout(state.view, px, py, state.view.scale * kZoomInFactor);
    if (state.view.scale > kMaxScale)
        state.view.scale = kMaxScale;
}

void zoomOut(ViewState& state, double px, double py)
{
    state.save();
    panAbout(state.view, px, py, state.view.scale * kZoomOutFactor);
    if (state.imageWidth * state.view.scale < 10) {
        state.view.panX = state.previous.panX;
        state.view.panY = state.previous.panY;
        state.view.scale = state.minScale();
    }
}

double clampScale(const ViewState& state, double scale)
{
    return std::clamp(scale, std::min(state.minScale(), kMaxScale), kMaxScale);
}

}  // namespace

void ZoomInKey(ViewState& state, int canvasWidth, int canvasHeight)
{
    // The half window is an integer, truncated toward zero.
    zoomIn(state, canvasWidth / 2, canvasHeight / 2);
}

void ZoomOutKey(ViewState& state, int canvasWidth, int canvasHeight)
{
    zoomOut(state, canvasWidth / 2, canvasHeight / 2);
}

void CentreImage(ViewState& state, int canvasWidth, int canvasHeight)
{
    state.save();
    state.view.panX = canvasWidth / 2.0 / state.view.scale - state.imageWidth / 2.0;
    state.view.panY = canvasHeight / 2.0 / state.view.scale - state.imageHeight / 2.0;
}

void HomeView(ViewState& state)
{
    state.save();
    state.view = ViewTransform{};
}

void PanByArrow(ViewState& state, int stepX, int stepY, bool fine, int canvasWidth, int canvasHeight)
{
    double dx = canvasWidth / state.view.scale / 2;
    double dy = canvasHeight / state.view.scale / 2;
    if (fine) {
        dx /= 5;
        dy /= 5;
    }
    // Looking right moves the drawing left: the pan shrinks.
    state.view.panX -= stepX * dx;
    state.view.panY -= stepY * dy;
}

void WheelZoom(ViewState& state, bool zoomInStep, int px, int py)
{
    if (zoomInStep)
        zoomIn(state, px, py);
    else
        zoomOut(state, px, py);
}

ViewGesture ClassifyDrag(int pressX, int pressY, int currentX, int currentY)
{
    const int dx = currentX - pressX;
    const int dy = currentY - pressY;
    if (std::abs(dx) <= 5 || std::abs(dy) <= 5)
        return ViewGesture::Centre;
    if (dx > 0 && dy > 0)
        return ViewGesture::ZoomIn;
    if (dx < 0 && dy < 0)
        return ViewGesture::ZoomOut;
    if (dx > 0 && dy < 0)
        return ViewGesture::Whole;
    return ViewGesture::Previous;
}

namespace {

// Zoom to the dragged box and centre it. The box extent can exceed the
// window extent on a wide canvas, so both bounds apply in either direction.
void zoomToBox(ViewState& state, bool in, double x1, double y1, double x2, double y2, int canvasWidth,
               int canvasHeight)
{
    state.save();
    ViewTransform& v = state.view;
    const double d = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    const double m = std::min(canvasWidth / v.scale, canvasHeight / v.scale);
    v.scale = clampScale(state, in ? v.scale * m / d : v.scale / (m / d));
    v.panX = canvasWidth / 2.0 / v.scale - (x1 + x2) / 2;
    v.panY = canvasHeight / 2.0 / v.scale - (y1 + y2) / 2;
}

}  // namespace

ViewGesture ApplyViewGesture(ViewState& state, int pressX, int pressY, int releaseX, int releaseY,
                             int canvasWidth, int canvasHeight)
{
    ViewTransform& v = state.view;
    const double x1 = v.toWorldX(pressX), y1 = v.toWorldY(pressY);
    const double x2 = v.toWorldX(releaseX), y2 = v.toWorldY(releaseY);
    const double shortDrag = 5 / v.scale;
    if (std::abs(x2 - x1) <= shortDrag || std::abs(y2 - y1) <= shortDrag) {
        state.save();
        v.panX = canvasWidth / (2 * v.scale) - x1;
        v.panY = canvasHeight / (2 * v.scale) - y1;
        return ViewGesture::Centre;
    }
    if (x2 > x1 && y2 > y1) {
        zoomToBox(state, true, x1, y1, x2, y2, canvasWidth, canvasHeight);
        return ViewGesture::ZoomIn;
    }
    if (x2 < x1 && y2 < y1) {
        zoomToBox(state, false, x1, y1, x2, y2, canvasWidth, canvasHeight);
        return ViewGesture::ZoomOut;
    }
    if (x2 > x1 && y2 < y1) {
        HomeView(state);
        return ViewGesture::Whole;
    }
    std::swap(state.view, state.previous);
    return ViewGesture::Previous;
}

void DragPan(ViewState& state, int pressX, int pressY, int releaseX, int releaseY)
{
    ViewTransform& v = state.view;
    const double dx = v.toWorldX(releaseX) - v.toWorldX(pressX);
    const double dy = v.toWorldY(releaseY) - v.toWorldY(pressY);
    state.save();
    v.panX += dx;
    v.panY += dy;
}
