// TForm1's selection blink: StartBlink, the Timer1 tick and Deselect. A tick
// redraws only the selected elements on the canvas (and the grips of a single
// selection) straight onto the canvas, at the next level of the red-to-white
// cycle. A tick draws for a bounded time: a selection too large to draw
// within it is drawn over several ticks (one pass per level), so that a huge
// selection leaves the program at rest between ticks and input is served at
// once.
#include "app/Unit1.h"
#include "app/paint_box.h"
#include "model/selection.h"
#include "render/highlight.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

constexpr int kFirstTickMs = 100;
constexpr int kTickMs = 200;
// A tick's drawing budget: under a tenth of the tick interval.
constexpr qint64 kTickBudgetNs = 15'000'000;

} // namespace

void TForm1::StartBlink()
{
    m_state.blink = BlinkState { .active = true, .level = {}, .intervalMs = kTickMs };
    m_blinkPass.clear();
    m_blinkNext = 0;
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
        QElapsedTimer clock;
        clock.start();
        // A pass draws the elements on the canvas when it starts, at one level.
        if (m_blinkNext == 0)
            selectionOnCanvas(m_blinkPass);
        const int level = b.level.level;
        const ViewTransform& view = m_state.view.view;
        BeginHighlight(*m_surface, level, view, m_drawing);
        while (m_blinkNext < m_blinkPass.size()) {
            HighlightElement(*m_surface, level, view, m_drawing, m_blinkPass[m_blinkNext++]);
            if (m_blinkNext % 16 == 0 && clock.nsecsElapsed() > kTickBudgetNs)
                break;
        }
        if (m_blinkNext >= m_blinkPass.size()) {
            EndHighlight(*m_surface, level, view, m_drawing);
            m_blinkNext = 0;
            b.level.step();
        }
        m_surface->End();
        canvasChanged(QRect());
    }
    Timer1->setInterval(b.intervalMs);
    Timer1->start();
}

void TForm1::Deselect()
{
    m_state.blink.active = false;
    Timer1->stop();
    m_blinkPass.clear();
    m_blinkNext = 0;
    if (m_drawing.selection.empty() && m_drawing.controlPoints.empty())
        return;
    std::vector<int32_t> onCanvas;
    const bool atOnce = selectionOnCanvas(onCanvas);
    // The next paint redraws them in their place in the picture.
    m_damage.addElements(m_drawing, onCanvas, m_state.view.view);
    for (const ControlPoint& p : m_drawing.controlPoints)
        m_damage.addSquare(m_state.view.view.toScreenX(p.x), m_state.view.view.toScreenY(p.y), kGripHalfSide + 2);
    // White over the element, then the element itself: as a normal redraw
    // on white would leave it, grips erased. A selection too large for that
    // is put back by a repaint of its area instead, as soon as the command
    // that deselected has done (the repaint it may do itself is the same).
    if (!atOnce) {
        QTimer::singleShot(0, this, [this] { FormPaint(); });
    } else if (m_surface && m_surface->Begin(&PaintBox1->image())) {
        const ViewTransform& view = m_state.view.view;
        for (const int level : {kHighlightTopLevel, -1}) {
            BeginHighlight(*m_surface, level, view, m_drawing);
            for (const int32_t position : onCanvas)
                HighlightElement(*m_surface, level, view, m_drawing, position);
            EndHighlight(*m_surface, level, view, m_drawing);
        }
        m_surface->End();
        canvasChanged(QRect());
    }
    ClearSelection(m_drawing);
}
