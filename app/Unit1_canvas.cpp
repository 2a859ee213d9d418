// TForm1's canvas picture. The canvas image is a cached picture: a paint
// repaints only what commands damaged (the old and new extents of the
// elements whose live flag changed, see Drawing::changes) unless the view,
// the canvas, the grid, the image size, a layer's visibility or the drawing
// itself changed since the last paint, when it repaints the whole canvas.
// Either way the elements come from the extent index and are drawn in bands
// on every core, and the picture equals, pixel for pixel, the full paint of
// render/picture.h. Snap look-ups then go through the index
// (Drawing::indexedSnapCanvas) instead of a list of every point. A long
// paint that input makes stale stops between steps and leaves the whole
// canvas to the paint queued behind that input; meanwhile the canvas widget
// keeps showing the last picture painted in full.
#include "app/Unit1.h"

#include "app/canvas_scroll.h"
#include "app/paint_box.h"
#include "app/paint_input_gate.h"
#include "model/element_extent.h"
#include "render/bands.h"
#include "render/graph_p.h"
#include "render/picture.h"

namespace {

constexpr int kMinBandRows = 64;

}  // namespace

void TForm1::paintCanvas(const std::function<void(int)>& progress, PaintInputGate& gate)
{
    m_canvasStale = false;
    QImage& image = PaintBox1->image();
    const ViewTransform& view = m_state.view.view;
    const PictureKey key = KeyOf(m_drawing, view, m_state.view.imageWidth, m_state.view.imageHeight,
                                 image.width(), image.height(), m_settings.grid);
    // XOR figures outside the damage would stay behind; a full paint
    // removes them, and the machine forgets them.
    const bool figuresShown = m_state.preview.shown() || m_state.snapMarker.shown();
    CommandCanvasRepainted();
    ++m_paintCount;
    if (figuresShown || !m_paintedKey)
        m_damage.addAll();
    else if (*m_paintedKey != key && !scrollCanvas(*m_paintedKey, key))
        m_damage.addAll();
    if (m_drawing.changes.everything)
        m_damage.addAll();
    else
        m_damage.addElements(m_drawing, m_drawing.changes.positions, view);
    m_drawing.changes.clear();
    m_paintedKey = key;

    m_drawing.extents.settle();
    m_drawing.snapPoints.clear();
    m_drawing.indexedSnapCanvas = CanvasView{view, image.width(), image.height()};
    PictureParams params;
    params.imageWidth = m_state.view.imageWidth;
    params.imageHeight = m_state.view.imageHeight;
    params.canvasWidth = image.width();
    params.canvasHeight = image.height();
    params.view = view;
    params.grid = m_settings.grid;
    params.abandoned = &gate.abandoned();
    for (const QRect& rect : m_damage.take(image.rect())) {
        DrawAreaInBands(
            image, rect, kMinBandRows,
            [&](TGraphP& surface, const QRect& band, bool onCallerThread) {
                PictureParams bandParams = params;
                if (onCallerThread)
                    bandParams.progress = progress;
                DrawPictureArea(surface, m_drawing, bandParams, band);
            },
            [&] { gate.look(); });
        if (gate.abandoned()) {
            m_paintedKey.reset();
            m_canvasStale = true;
            ++m_abandonedPaints;
            PaintBox1->setStale(true);
            return;
        }
        PaintBox1->update(rect);
    }
    if (PaintBox1->stale()) {
        PaintBox1->setStale(false);
        PaintBox1->update();
    }
}

bool TForm1::scrollCanvas(const PictureKey& painted, const PictureKey& wanted)
{
    const std::optional<QPoint> shift = WholePixelShift(painted, wanted);
    if (!shift || m_damage.everything())
        return false;
    QImage& image = PaintBox1->image();
    // The blink's highlight moves with the image; the elements it covers are
    // drawn anew, as a full paint would leave them for the next tick.
    std::vector<int32_t> highlighted;
    if (m_state.blink.active && !selectionOnCanvas(highlighted))
        return false;
    ScrollImage(image, *shift);
    m_damage.translate(*shift);
    const ViewTransform& view = wanted.view;
    AddScrollDamage(m_damage, image.rect(), *shift, m_drawing, wanted);
    m_damage.addElements(m_drawing, highlighted, view);
    if (m_state.blink.active) {
        for (const ControlPoint& p : m_drawing.controlPoints)
            m_damage.addSquare(view.toScreenX(p.x), view.toScreenY(p.y), kGripHalfSide + 2);
    }
    PaintBox1->update();
    return true;
}

bool TForm1::selectionOnCanvas(std::vector<int32_t>& positions) const
{
    // Redrawing this many at once stays within a moment.
    constexpr size_t kAtOnce = 20000;
    positions.clear();
    const QImage& image = PaintBox1->image();
    const ExtentBoxF canvas =
        ToExtentBoxF(CanvasAreaInWorld(m_state.view.view, 0, 0, image.width(), image.height()));
    for (const SelectionEntry& s : m_drawing.selection) {
        const auto p = static_cast<size_t>(s.registryPosition);
        if (p >= m_drawing.registry.size())
            continue;
        if (p >= m_drawing.extents.size() || m_drawing.extents.box(p).meets(canvas))
            positions.push_back(s.registryPosition);
    }
    return positions.size() <= kAtOnce;
}
