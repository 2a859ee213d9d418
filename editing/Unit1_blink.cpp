// TForm1's selection blink: StartBlink, the Timer1 tick and Deselect. A tick
// redraws only the selected elements (and the grips of a single selection)
// straight onto the canvas, at the next level of the red-to-white cycle.
#include "app/Unit1.h"
#include "app/paint_box.h"
#include "model/selection.h"
#include "render/highlight.h"

#include <QTimer>

namespace {

constexpr int kFirstTickMs = 100;
constexpr int kTickMs = 200;

} // namespace

void TForm1::StartBlink()
{
    m_state.blink = BlinkState { .active = true, .level = {}, .intervalMs = kTickMs };
    Timer1->setInterval(kFirstTickMs);
    Timer1->start();
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    BlinkState& b = m_state.blink;
    // A drag pan shows a shifted snapshot of the canvas: nothing is drawn
    // under it and the level waits.
    if (b.active && !m_state.drag.valid && m_surface && m_surface->Begin(&PaintBox1->image())) {
        DrawHighlight(*m_surface, b.level.level, m_state.view.view, m_drawing);
        m_surface->End();
        canvasChanged(QRect());
        b.level.step();
    }
    Timer1->setInterval(b.intervalMs);
    Timer1->start();
}

void TForm1::Deselect()
{
    m_state.blink.active = false;
    Timer1->stop();
    if (m_drawing.selection.empty() && m_drawing.controlPoints.empty())
        return;
    // White over the element, then the element itself: as a normal redraw
    // on white would leave it, grips erased.
    if (m_surface && m_surface->Begin(&PaintBox1->image())) {
        DrawHighlight(*m_surface, kHighlightTopLevel, m_state.view.view, m_drawing);
        DrawHighlight(*m_surface, -1, m_state.view.view, m_drawing);
        m_surface->End();
        canvasChanged(QRect());
    }
    ClearSelection(m_drawing);
}
