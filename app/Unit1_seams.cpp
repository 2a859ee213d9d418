// Placeholders of TForm1 for work that arrives later, grouped by the concern
// that fills them in. Each group is removed from this file when its real
// definitions land beside the logic they call:
//   selection blink   -> render highlight + the blink handlers of TForm1
// Until then the selection is only cleared.
#include <QTimer>

#include "app/Unit1.h"

// --- selection blink ---------------------------------------------------------

void TForm1::Deselect()
{
    m_state.blink.active = false;
    Timer1->stop();
    if (m_drawing.selection.empty() && m_drawing.controlPoints.empty())
        return;
    m_drawing.selection.clear();
    m_drawing.controlPoints.clear();
    FormPaint();
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
}
