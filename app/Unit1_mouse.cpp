// TForm1's hooks into the command machine: the prompt of the CommandMode, the
// mouse steps that belong to commands, Backspace, and the repaint that wipes
// the XOR figures. The window's own gestures (two-button view gestures, drag
// pan, the popup) stay in app/Unit1_view.cpp, which calls these in the order
// of the mouse handlers' steps.
#include "app/Unit1.h"
#include "interaction/command_machine.h"
#include "interaction/point_entry_field.h"

QString TForm1::CommandPrompt(int commandMode) const
{
    return PromptFor(commandMode, m_state.construction);
}

void TForm1::CommandErasePreviews()
{
    CommandContext ctx = commandContext();
    ErasePreviews(ctx);
}

void TForm1::CommandStepBack()
{
    CommandContext ctx = commandContext();
    StepBack(ctx);
}

void TForm1::CommandResetState()
{
    m_state.construction = Construction{};
    ForgetPreviews(m_state);
}

void TForm1::CommandCanvasRepainted()
{
    ForgetPreviews(m_state);
}

void TForm1::CommandMouseDown(Qt::MouseButton button, QPoint pos)
{
    closePointEntry();  // a press takes over from the keyboard
    CommandContext ctx = commandContext();
    MachineMouseDown(ctx, button, pos);
}

void TForm1::CommandMouseMove(Qt::MouseButtons buttons, QPoint pos)
{
    CommandContext ctx = commandContext();
    MachineMouseMove(ctx, buttons, pos);
    if (m_pointEntry->isOpen())
        m_pointEntry->follow(pos);
    ShowCursorReadout();
}

void TForm1::CommandMouseUp(Qt::MouseButton, QPoint pos)
{
    CommandContext ctx = commandContext();
    MachineLeftClick(ctx, pos);
    ShowCursorReadout();
}

void TForm1::CommandGestureStarted()
{
    CommandContext ctx = commandContext();
    MachineGestureStarted(ctx);
}
