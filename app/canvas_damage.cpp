// Damaged rectangles are kept apart while few (two far-apart edits repaint
// two small areas, not the box between them), merged where they overlap, and
// replaced by their bounding box when many.
#include "app/canvas_damage.h"

#include <cmath>

#include "model/element_extent.h"

namespace {

constexpr size_t kMaxRects = 32;

// The canvas pixels an extent and its margin can touch; whole canvas for an
// untrusted or unindexed one.
QRect screenRect(const Drawing& drawing, int32_t position, const ViewTransform& view, bool& everything)
{
    if (position < 0 || static_cast<size_t>(position) >= drawing.extents.size()) {
        everything = true;
        return {};
    }
    const ExtentBoxF& b = drawing.extents.box(static_cast<size_t>(position));
    const double sx0 = view.toScreenX(b.x0), sx1 = view.toScreenX(b.x1);
    const double sy0 = view.toScreenY(b.y0), sy1 = view.toScreenY(b.y1);
    const double m = drawing.extents.marginPx(static_cast<size_t>(position)) + 1;
    const double left = std::floor(std::min(sx0, sx1) - m), right = std::ceil(std::max(sx0, sx1) + m);
    const double top = std::floor(std::min(sy0, sy1) - m), bottom = std::ceil(std::max(sy0, sy1) + m);
    constexpr double kFar = 1 << 24;  // beyond any canvas, within int
    if (!(std::isfinite(left) && std::isfinite(right) && std::isfinite(top) && std::isfinite(bottom))) {
        everything = true;
        return {};
    }
    if (right < -kFar || left > kFar || bottom < -kFar || top > kFar)
        return {};
    auto clampFar = [&](double v) { return static_cast<int>(std::clamp(v, -kFar, kFar)); };
    return QRect(QPoint(clampFar(left), clampFar(top)), QPoint(clampFar(right), clampFar(bottom)));
}

}  // namespace

PictureKey KeyOf(const Drawing& drawing, const ViewTransform& view, int imageWidth, int imageHeight,
                 int canvasWidth, int canvasHeight, const GridSettings& grid)
{
    PictureKey key{drawing.serial(), view, imageWidth, imageHeight, canvasWidth, canvasHeight, grid, {}};
    for (size_t l = 0; l < key.visible.size() && l < drawing.layers.size(); ++l)
        key.visible[l] = drawing.layers[l].visible;
    return key;
}

void CanvasDamage::addRect(const QRect& rect)
{
    if (m_all || rect.isEmpty())
        return;
    QRect merged = rect;
    for (size_t i = 0; i < m_rects.size();) {
        if (m_rects[i].intersects(merged)) {
            merged = merged.united(m_rects[i]);
            m_rects.erase(m_rects.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;
        } else {
            ++i;
        }
    }
    m_rects.push_back(merged);
    if (m_rects.size() > kMaxRects) {
        QRect bound;
        for (const QRect& r : m_rects)
            bound = bound.united(r);
        m_rects = {bound};
    }
}

void CanvasDamage::addSquare(double x, double y, int halfSide)
{
    constexpr double kFar = 1 << 24;
    if (!(std::fabs(x) < kFar && std::fabs(y) < kFar))
        return;  // off any canvas (or not a number)
    const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    addRect(QRect(QPoint(cx - halfSide, cy - halfSide), QPoint(cx + halfSide + 1, cy + halfSide + 1)));
}

void CanvasDamage::addElements(const Drawing& drawing, const std::vector<int32_t>& positions,
                               const ViewTransform& view)
{
    for (const int32_t p : positions) {
        if (m_all)
            return;
        bool everything = false;
        const QRect r = screenRect(drawing, p, view, everything);
        if (everything)
            m_all = true;
        else
            addRect(r);
    }
}

std::vector<QRect> CanvasDamage::take(const QRect& canvas)
{
    std::vector<QRect> out;
    qint64 area = 0;
    for (const QRect& r : m_rects) {
        const QRect clipped = r.intersected(canvas);
        if (!clipped.isEmpty()) {
            out.push_back(clipped);
            area += qint64(clipped.width()) * clipped.height();
        }
    }
    // Bands of the whole canvas cost little more than most of it in pieces;
    // the half a window that an arrow pan uncovers is still worth keeping.
    if (m_all || area * 4 > qint64(canvas.width()) * canvas.height() * 3)
        out = {canvas};
    m_all = false;
    m_rects.clear();
    return out;
}
