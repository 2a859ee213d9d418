// TForm1's point entry and cursor readout. A digit, '-', '@' or '<' typed in
// a step that takes points opens the field; while it is open the characters
// and Backspace edit it, Return gives the point (or marks the field and says
// why not), Esc closes it and leaves the step as it was, and every other key
// keeps its meaning. The field closes whenever the prompt changes by other
// means (a menu item, Ctrl+E) or the canvas is pressed.
#include <QKeyEvent>

#include "app/Unit1.h"
#include "app/cursor_readout.h"
#include "app/paint_box.h"
#include "interaction/command_machine.h"
#include "interaction/point_entry_field.h"
#include "interaction/point_input.h"

void TForm1::makePointEntry()
{
    m_pointEntry = new TPointEntryField(PaintBox1);
}

bool TForm1::PointEntryKey(QKeyEvent* event)
{
    if (!m_pointEntry->isOpen()) {
        if (!TakesTypedPoints(m_state.CommandMode) || !TPointEntryField::opensField(*event))
            return false;
        openPointEntry(event->text());
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: acceptPointEntry(); return true;
    case Qt::Key_Escape:
        closePointEntry();
        refreshHover();
        return true;
    default: break;
    }
    if (m_pointEntry->edit(event)) {
        pointEntryEdited();
        return true;
    }
    // The view keys work on with the field open; the band is drawn again.
    if (!FormKeyDown(event->key(), event->modifiers()))
        return false;
    refreshHover();
    return true;
}

void TForm1::openPointEntry(const QString& first)
{
    const PointInput& in = m_state.pointInput;
    const QPoint cursor = in.cursorSeen ? QPoint(in.cursorX, in.cursorY)
                                        : QPoint(canvasWidth() / 2, canvasHeight() / 2);
    m_operationBeforeEntry = statusText(1);
    m_pointEntry->open(first, cursor);
    pointEntryEdited();
}

void TForm1::pointEntryEdited()
{
    PointInput& in = m_state.pointInput;
    in.typing = true;
    in.text = m_pointEntry->text();
    ShowOperation(EntryEchoText(in.text));
    refreshHover();
}

void TForm1::acceptPointEntry()
{
    CommandContext ctx = commandContext();
    if (!TakesTypedPoints(m_state.CommandMode)) {
        closePointEntry();
        return;
    }
    const EntryPoint typed = TypedPoint(ctx);
    if (typed.error != EntryError::None) {
        m_pointEntry->setRefused(true);
        ShowOperation(EntryRefusalText(typed.error));
        return;
    }
    closePointEntry();
    ErasePreviews(ctx);
    MachineGivePoint(ctx, TypedClick(ctx, typed.point));
    refreshHover();
}

void TForm1::closePointEntry()
{
    if (!m_pointEntry || !m_pointEntry->isOpen())
        return;
    m_pointEntry->close();
    m_state.pointInput.typing = false;
    m_state.pointInput.text.clear();
    ShowOperation(m_operationBeforeEntry);
}

void TForm1::refreshHover()
{
    CommandContext ctx = commandContext();
    MachineRefreshHover(ctx);
    ShowCursorReadout();
}

void TForm1::ShowCursorReadout()
{
    const PointInput& in = m_state.pointInput;
    if (!in.cursorSeen)
        return;
    const CommandContext ctx = commandContext();
    m_readout->setText(CursorReadoutText(ctx, in.cursorX, in.cursorY));
}

QString TForm1::readoutText() const
{
    return m_readout->text();
}

QString TForm1::pointEntryText() const
{
    return m_pointEntry->isOpen() ? m_pointEntry->text() : QString();
}

bool TForm1::pointEntryRefused() const
{
    return m_pointEntry->isOpen() && m_pointEntry->isRefused();
}
