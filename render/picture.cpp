// The picture: background, grid, image frame and the element pass.
//
// The element pass costs O(elements) whatever the number of layers: the
// registry is grouped by layer once (a counting sort, which keeps registry
// order within a layer), and an element whose generous canvas box lies wholly
// outside the visible area is skipped. Such an element would draw nothing and
// register no snap point, so skipping it leaves the picture and the snap list
// exactly as a full walk would. The grid likewise draws only the lines that
// can reach the visible area, with the same major/minor numbering.
#include "render/picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "model/element_extent.h"
#include "model/paint_order.h"
#include "model/paint_reach.h"
#include "model/snap_points.h"
#include "render/element_extent.h"
#include "render/inherited_join.h"
#include "render/renderers.h"

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr int32_t kFrameBlue = 0xFF0000;  // 0x00BBGGRR
constexpr int kMaxGridLinesPerRun = 1 << 20;

// The area the paint can touch or register points in, in canvas pixels: the
// canvas of the params and the device as seen through the painter's current
// transform. Null when the transform cannot be inverted (nothing is culled).
// With clipOnly the canvas of the params does not count: a band of a
// larger picture sees just its own rows.
QRectF visibleArea(TGraphP& g, const PictureParams& p, bool clipOnly = false)
{
    QRectF area(0, 0, std::max(p.canvasWidth, 0), std::max(p.canvasHeight, 0));
    const QPainter* painter = g.painter();
    if (!painter || !painter->device())
        return area;
    if (clipOnly)
        return g.GetClipBounds();
    bool invertible = false;
    const QTransform inverse = painter->worldTransform().inverted(&invertible);
    if (!invertible)
        return {};
    const QPaintDevice* device = painter->device();
    return area.united(inverse.mapRect(QRectF(0, 0, device->width(), device->height())));
}

struct GridRun {
    double origin, pitch, limit;  // lines at origin + dir * k * pitch while inside (0, limit)
    int dir;
};

// Calls line(value, major) for each line of one run that can reach the canvas
// window [lo, hi] (canvas pixels along the run's axis).
template <class Line>
void walkGridRun(const GridRun& run, double scale, double pan, double lo, double hi, Line&& line)
{
    if (!(run.pitch > 0) || !std::isfinite(run.origin) || !(scale > 0))
        return;
    const double worldLo = lo / scale - pan, worldHi = hi / scale - pan;
    const double kLo = run.dir > 0 ? (worldLo - run.origin) / run.pitch : (run.origin - worldHi) / run.pitch;
    const double kHi = run.dir > 0 ? (worldHi - run.origin) / run.pitch : (run.origin - worldLo) / run.pitch;
    if (!(kHi >= 0) || !std::isfinite(kLo))
        return;
    const double first = std::max(0.0, std::ceil(kLo));
    for (int i = 0; i < kMaxGridLinesPerRun && first + i <= kHi; ++i) {
        const double k = first + i;
        const double value = run.origin + run.dir * k * run.pitch;
        if (run.dir > 0 ? !(value < run.limit) : !(value > 0))
            return;
        line(value, std::fmod(k, 5) == 0);
    }
}

void drawGrid(TGraphP& g, const PictureParams& p, const QRectF& area)
{
    const GridSettings& grid = p.grid;
    const ViewTransform& v = p.view;
    const QRgb minor = TGraphP::ToARGB(grid.minorColor), major = TGraphP::ToARGB(grid.majorColor);
    QRgb current = 0;
    auto colour = [&](bool isMajor) {
        const QRgb want = isMajor ? major : minor;
        if (want != current)
            g.SetPenArgb(want);
        current = want;
    };
    const double left = v.scale * v.panX - 1, right = v.scale * (p.imageWidth + v.panX);
    const double top = v.scale * v.panY - 1, bottom = v.scale * (p.imageHeight + v.panY);
    auto horizontal = [&](double y, bool isMajor) {
        colour(isMajor);
        g.DrawLine(left, v.toScreenY(y), right, v.toScreenY(y));
    };
    auto vertical = [&](double x, bool isMajor) {
        colour(isMajor);
        g.DrawLine(v.toScreenX(x), top, v.toScreenX(x), bottom);
    };
    const double margin = 2;
    for (const int dir : {1, -1}) {
        walkGridRun({grid.originY, grid.pitchY, double(p.imageHeight), dir}, v.scale, v.panY,
                    area.top() - margin, area.bottom() + margin, horizontal);
    }
    for (const int dir : {1, -1}) {
        walkGridRun({grid.originX, grid.pitchX, double(p.imageWidth), dir}, v.scale, v.panX,
                    area.left() - margin, area.right() + margin, vertical);
    }
}

void drawFrame(TGraphP& g, const PictureParams& p)
{
    const ViewTransform& v = p.view;
    g.SetPenArgb(TGraphP::ToARGB(kFrameBlue));
    g.DrawRectangle(QRectF(QPointF(v.scale * v.panX - 1, v.scale * v.panY - 1),
                           QPointF(v.scale * (p.imageWidth + v.panX), v.scale * (p.imageHeight + v.panY))));
}

// Registry positions of the live elements on visible layers, layer by layer
// (ascending), registry order within a layer.
std::vector<int32_t> paintOrder(const Drawing& drawing)
{
    const size_t n = drawing.registry.size();
    std::vector<int16_t> layerOfEntry(n, -1);
    std::array<int32_t, kLayerCount + 1> start{};
    for (size_t i = 0; i < n; ++i) {
        const ElementRef& ref = drawing.registry[i];
        if (!ref.live)
            continue;
        const int32_t layer = drawing.layerOf(ref);
        const Layer* info = drawing.layerAt(layer);
        if (!info || !info->inUse || !info->visible)
            continue;
        layerOfEntry[i] = static_cast<int16_t>(layer);
        ++start[static_cast<size_t>(layer) + 1];
    }
    for (size_t l = 1; l < start.size(); ++l)
        start[l] += start[l - 1];
    std::vector<int32_t> order(static_cast<size_t>(start.back()));
    for (size_t i = 0; i < n; ++i) {
        if (layerOfEntry[i] >= 0)
            order[static_cast<size_t>(start[static_cast<size_t>(layerOfEntry[i])]++)] = static_cast<int32_t>(i);
    }
    return order;
}

// Reports the share of a pass's elements done, in whole percent, each once.
struct ProgressShare {
    const std::function<void(int)>& progress;
    size_t total;
    size_t done = 0;
    int reported = -1;

    void step()
    {
        if (!progress)
            return;
        const int share = static_cast<int>(done++ * 100 / total);
        if (share > reported)
            progress(reported = share);
    }
    void finish()
    {
        if (progress && reported < 100)
            progress(100);
    }
};

// Gives the element at `position` the join the paint of every element before
// it would have left, and records it as the next one drawn on g.
void inheritJoin(TGraphP& g, InheritedJoin& join, int32_t position)
{
    if (const int code = join.join(position); code >= 0)
        g.SetLineJoin(code);
    join.drawn(position);
}

// Draws every visible element that can reach the visible area, in paint
// order, and calls drawn(ref) for each one its renderer drew.
template <class Drawn>
void elementPass(TGraphP& g, const Drawing& drawing, const PictureParams& p, bool clipOnly, Drawn&& drawn)
{
    g.setAttributes(&drawing.attributes);
    g.SetPenArgb(kBlack);
    g.SetLineJoin(0);
    const QRectF area = visibleArea(g, p, clipOnly);
    const bool cull = !area.isNull();
    const auto order = paintOrder(drawing);
    InheritedJoin join(drawing, p.view);
    ProgressShare share{p.progress, order.size()};
    for (const int32_t position : order) {
        share.step();
        const ElementRef& ref = drawing.registry[static_cast<size_t>(position)];
        if (cull && ElementOffArea(drawing, ref, p.view, area))
            continue;
        // The raster export keeps the joins its bands have always drawn with.
        if (!clipOnly)
            inheritJoin(g, join, position);
        if (RenderElement(g, -1, p.view, drawing, ref))
            drawn(ref);
    }
    share.finish();
}


// White (over the whole surface, or only the pixels of `cleared`), then the
// grid and the frame of the image area.
void drawBackground(TGraphP& g, const Drawing& drawing, const PictureParams& p, const QRectF& area,
                    const QRect& cleared = {})
{
    g.setAttributes(&drawing.attributes);
    g.SetSolidBrush(qRgb(255, 255, 255));
    if (cleared.isNull())
        g.Clear();
    else
        g.Clear(cleared);
    g.SetPenArgb(kBlack);
    g.SetPenWidth(1.0);
    g.SetDashStyle(0);
    g.SetDashCap(0);
    g.SetPenCaps(3, 0);
    g.SetLineJoin(0);
    if (p.drawFrame) {
        if (p.grid.shown)
            drawGrid(g, p, area);
        drawFrame(g, p);
    }
}

}  // namespace

void DrawPicture(TGraphP& g, Drawing& drawing, const PictureParams& p)
{
    drawBackground(g, drawing, p, visibleArea(g, p));
    ClearSnapPoints(drawing);
    DrawElements(g, drawing, p);
}

void DrawPictureArea(TGraphP& g, const Drawing& drawing, const PictureParams& p, const QRectF& area)
{
    // Only the area's pixels are kept: the rest of the surface may hold anything.
    drawBackground(g, drawing, p, area, area.toAlignedRect());
    g.SetPenArgb(kBlack);
    std::vector<int32_t> order;
    ElementsInPaintOrder(drawing, p.view, area.left(), area.top(), area.right(), area.bottom(), order);
    // What the last opaque fill over the whole area covers never shows.
    const auto hider = std::find_if(order.rbegin(), order.rend(), [&](int32_t position) {
        return ElementHidesArea(drawing, drawing.registry[static_cast<size_t>(position)], p.view, area.left(),
                                area.top(), area.right(), area.bottom());
    });
    const std::span shown(hider == order.rend() ? order.begin() : std::next(hider).base(), order.end());
    InheritedJoin join(drawing, p.view);
    ProgressShare share{p.progress, shown.size()};
    for (const int32_t position : shown) {
        if (p.abandoned && p.abandoned->load(std::memory_order_relaxed))
            return;
        share.step();
        const ElementRef& ref = drawing.registry[static_cast<size_t>(position)];
        if (!ElementMayPaintArea(drawing, ref, p.view, area.left(), area.top(), area.right(), area.bottom()))
            continue;
        inheritJoin(g, join, position);
        RenderElement(g, -1, p.view, drawing, ref);
    }
}

void DrawElements(TGraphP& g, Drawing& drawing, const PictureParams& p)
{
    drawing.RecomputeLayerUse();
    const CanvasView canvas{p.view, p.canvasWidth, p.canvasHeight};
    elementPass(g, drawing, p, false, [&](const ElementRef& ref) {
        if (p.registerSnapPoints)
            RegisterSnapPoints(drawing, ref, canvas);
    });
}

void DrawElementsReadOnly(TGraphP& g, const Drawing& drawing, const PictureParams& p)
{
    elementPass(g, drawing, p, true, [](const ElementRef&) {});
}
