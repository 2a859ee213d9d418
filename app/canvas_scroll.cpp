// Hatch cells are 8 x 8 device pixels from the canvas origin and texture tiles
// start at the canvas origin (render/paint.h), so an element filled or
// stroked with either is drawn anew after a shift, unless the shift is whole
// hatch cells and the element has no texture. Of what crosses an edge, only
// the elements whose pixels depend on where that edge clips them are drawn
// anew (render/clip_free.h); coordinates far beyond the canvas, which Qt
// cuts at fixed device limits, depend on it.
#include "app/canvas_scroll.h"

#include <cmath>
#include <cstring>

#include "model/element_extent.h"
#include "render/clip_free.h"

namespace {

constexpr int kHatchKind = 3, kImageKind = 4;
constexpr int kHatchCell = 8;
// Well inside Qt's raster coordinate limit (2^23 device pixels).
constexpr double kNearPx = 1 << 20;
// A pan computed in drawing units comes back as a shift this close to whole.
constexpr double kWholeTolerance = 1e-6;

std::optional<int> wholeShift(double fromPan, double toPan, double scale, int extent)
{
    const double shift = (toPan - fromPan) * scale;
    const double whole = std::round(shift);
    if (!(std::fabs(shift - whole) <= kWholeTolerance) || !(std::fabs(whole) < extent))
        return std::nullopt;
    return static_cast<int>(whole);
}

enum Anchored { kNone = 0, kHatch = 1, kTexture = 2 };

int anchoredKind(int32_t kind) { return kind == kHatchKind ? kHatch : kind == kImageKind ? kTexture : kNone; }

// Which canvas-anchored patterns the element's pen and brush use.
int anchoredPatterns(const Drawing& drawing, const ElementRef& ref)
{
    int patterns = kNone;
    visitElement(drawing, ref, [&](ElementKind, const auto& record) {
        if constexpr (requires { record.h.penKind; })
            patterns |= anchoredKind(record.h.penKind);
        if constexpr (requires { record.h.brushKind; })
            patterns |= anchoredKind(record.h.brushKind);
        if constexpr (requires { record.penKind; })
            patterns |= anchoredKind(record.penKind);
        if constexpr (requires { record.brushKind; })
            patterns |= anchoredKind(record.brushKind);
    });
    return patterns;
}

}  // namespace

std::optional<QPoint> WholePixelShift(const PictureKey& painted, const PictureKey& wanted)
{
    PictureKey panned = painted;
    panned.view.panX = wanted.view.panX;
    panned.view.panY = wanted.view.panY;
    if (!(panned == wanted))
        return std::nullopt;
    const double scale = wanted.view.scale;
    const auto dx = wholeShift(painted.view.panX, wanted.view.panX, scale, wanted.canvasWidth);
    const auto dy = wholeShift(painted.view.panY, wanted.view.panY, scale, wanted.canvasHeight);
    if (!dx || !dy)
        return std::nullopt;
    return QPoint(*dx, *dy);
}

void ScrollImage(QImage& image, QPoint shift)
{
    const int w = image.width(), h = image.height();
    if (image.depth() != 32 || std::abs(shift.x()) >= w || std::abs(shift.y()) >= h)
        return;
    const int dx = shift.x(), dy = shift.y();
    const auto bytes = static_cast<size_t>(w - std::abs(dx)) * 4;
    const int fromX = std::max(0, -dx), toX = std::max(0, dx);
    auto moveRow = [&](int y) {
        uchar* row = image.scanLine(y + dy);
        std::memmove(row + toX * 4, image.constScanLine(y) + fromX * 4, bytes);
    };
    // Rows are walked away from the side they move to, so none is read after
    // it was written.
    const int first = std::max(0, -dy), last = std::min(h, h - dy);
    if (dy > 0)
        for (int y = last - 1; y >= first; --y)
            moveRow(y);
    else
        for (int y = first; y < last; ++y)
            moveRow(y);
}

void AddScrollDamage(CanvasDamage& damage, const QRect& canvas, QPoint shift, const Drawing& drawing,
                     const PictureKey& wanted)
{
    const ViewTransform& view = wanted.view;
    const QRect kept = canvas.intersected(canvas.translated(shift));
    if (kept.isEmpty()) {
        damage.addAll();
        return;
    }
    if (kept.top() > canvas.top())
        damage.addRect(QRect(canvas.left(), canvas.top(), canvas.width(), kept.top() - canvas.top()));
    if (kept.bottom() < canvas.bottom())
        damage.addRect(QRect(QPoint(canvas.left(), kept.bottom() + 1), canvas.bottomRight()));
    if (kept.left() > canvas.left())
        damage.addRect(QRect(QPoint(canvas.left(), kept.top()), QPoint(kept.left() - 1, kept.bottom())));
    if (kept.right() < canvas.right())
        damage.addRect(QRect(QPoint(kept.right() + 1, kept.top()), QPoint(canvas.right(), kept.bottom())));

    const bool wholeCells = shift.x() % kHatchCell == 0 && shift.y() % kHatchCell == 0;
    const ExtentBoxF area = ToExtentBoxF(CanvasAreaInWorld(view, kept.left(), kept.top(), kept.right() + 1,
                                                           kept.bottom() + 1));
    // The old picture clipped what crossed its edges, a fresh paint clips
    // at the canvas, and a shape clipped elsewhere can rasterize its pixels
    // otherwise: what crosses an edge of the kept area on an axis that moved
    // is drawn anew, one box per edge, unless its pixels do not depend on
    // where it is clipped.
    const QRectF old = QRectF(kept);
    std::vector<QRectF> crossing(4);  // left, top, right, bottom
    std::vector<int32_t> redrawn;
    drawing.extents.query(area, [&](int32_t position) {
        const auto p = static_cast<size_t>(position);
        if (p >= drawing.registry.size() || !drawing.registry[p].live)
            return;
        const Layer* layer = drawing.layerAt(drawing.extents.layer(p));
        if (layer && !layer->visible)
            return;
        const ExtentBoxF& b = drawing.extents.box(p);
        const double margin = drawing.extents.marginPx(p) + 1;
        const double x0 = view.toScreenX(b.x0) - margin, x1 = view.toScreenX(b.x1) + margin;
        const double y0 = view.toScreenY(b.y0) - margin, y1 = view.toScreenY(b.y1) + margin;
        const QRectF box(QPointF(std::min(x0, x1), std::min(y0, y1)), QPointF(std::max(x0, x1), std::max(y0, y1)));
        const bool sticksOut[4] = {shift.x() != 0 && !(box.left() >= old.left()),
                                   shift.y() != 0 && !(box.top() >= old.top()),
                                   shift.x() != 0 && !(box.right() <= old.right() + 1),
                                   shift.y() != 0 && !(box.bottom() <= old.bottom() + 1)};
        const bool crosses = sticksOut[0] || sticksOut[1] || sticksOut[2] || sticksOut[3];
        const bool near = box.left() > -kNearPx && box.right() < kNearPx && box.top() > -kNearPx &&
                          box.bottom() < kNearPx;
        const ClipFree freedom =
            crosses && near ? ClipFreedomOf(drawing, drawing.registry[p], view.scale) : ClipFree::None;
        for (size_t side = 0; side < crossing.size(); ++side) {
            const bool leftOrRight = side % 2 == 0;
            const bool alike = freedom == ClipFree::All || (freedom == ClipFree::Sides && leftOrRight);
            if (sticksOut[side] && !alike)
                crossing[side] = crossing[side].united(box);
        }
        const int patterns = anchoredPatterns(drawing, drawing.registry[p]);
        if ((patterns & kTexture) || ((patterns & kHatch) && !wholeCells))
            redrawn.push_back(position);
    });
    // The frame of the image area is one closed outline: its corners show
    // where it was clipped. They are drawn anew.
    const double left = view.scale * view.panX - 1, right = view.scale * (wanted.imageWidth + view.panX);
    const double top = view.scale * view.panY - 1, bottom = view.scale * (wanted.imageHeight + view.panY);
    for (const QPointF corner : {QPointF(left, top), QPointF(right, top), QPointF(left, bottom), QPointF(right, bottom)})
        damage.addSquare(corner.x(), corner.y(), 3);
    for (const QRectF& box : crossing) {
        if (!(box.width() > 0 || box.height() > 0))
            continue;
        constexpr double kFar = 1 << 24;
        const QRectF far(-kFar, -kFar, 2 * kFar, 2 * kFar);
        damage.addRect(box.intersected(far).toAlignedRect().adjusted(-1, -1, 1, 1).intersected(kept));
    }
    damage.addElements(drawing, redrawn, view);
}
