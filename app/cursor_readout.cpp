// The readout panel: a sunken label like the status panels.
#include "app/cursor_readout.h"

TCursorReadout::TCursorReadout(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("CursorReadout"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setFixedWidth(kWidth);
    setMinimumHeight(sizeHint().height() + 2);
}

bool TCursorReadout::fits(int windowWidth, int operationPanelWidth)
{
    return windowWidth >= kPromptKeeps + operationPanelWidth + kWidth;
}
