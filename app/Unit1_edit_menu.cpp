// TForm1's Edit menu: one-line handlers into editing/edit_commands.h, and the
// displacement that the move and copy clicks ask the host for.
#include "app/Unit1.h"
#include "editing/attribute_change.h"
#include "editing/content_edit.h"
#include "editing/edit_commands.h"

namespace {

const TForm1::MenuBinding kEditMenuBindings[] = {
    { "PopEditSelect1Click", &TForm1::PopEditSelect1Click },
    { "PopEditSelectRangeClick", &TForm1::PopEditSelectRangeClick },
    { "PopEditSelectAllClick", &TForm1::PopEditSelectAllClick },
    { "PopEditSelectOutClick", &TForm1::PopEditSelectOutClick },
    { "PopEditDeleteClick", &TForm1::PopEditDeleteClick },
    { "PopEditMoveClick", &TForm1::PopEditMoveClick },
    { "PopEditCopyClick", &TForm1::PopEditCopyClick },
    { "PopEditGetAttClick", &TForm1::PopEditGetAttClick },
    { "PopEditLayClick", &TForm1::PopEditLayClick },
    { "PopEditPenClick", &TForm1::PopEditPenClick },
    { "PopEditPenWClick", &TForm1::PopEditPenWClick },
    { "PopEditPenSClick", &TForm1::PopEditPenSClick },
    { "PopEditPenCClick", &TForm1::PopEditPenCClick },
    { "PopEditBrushClick", &TForm1::PopEditBrushClick },
    { "PopEditTenClick", &TForm1::PopEditTenClick },
    { "PopEditPolyPointClick", &TForm1::PopEditPolyPointClick },
    { "PopEditMojiClick", &TForm1::PopEditMojiClick },
};

void run(TForm1& form, void (*command)(CommandContext&))
{
    CommandContext ctx = form.commandContext();
    command(ctx);
}

void change(TForm1& form, AttributeChange what)
{
    CommandContext ctx = form.commandContext();
    ChangeAttributes(ctx, what);
}

} // namespace

std::span<const TForm1::MenuBinding> TForm1::editMenuBindings()
{
    return kEditMenuBindings;
}

void TForm1::PopEditSelect1Click()
{
    run(*this, [](CommandContext& c) { StartEditRow(c, "PopEditSelect1Click"); });
}
void TForm1::PopEditSelectRangeClick()
{
    run(*this, [](CommandContext& c) { StartEditRow(c, "PopEditSelectRangeClick"); });
}
void TForm1::PopEditSelectAllClick()
{
    run(*this, SelectAllCommand);
}
void TForm1::PopEditSelectOutClick()
{
    run(*this, DeselectCommand);
}
void TForm1::PopEditDeleteClick()
{
    run(*this, DeleteSelection);
}
void TForm1::PopEditMoveClick()
{
    run(*this, StartMove);
}
void TForm1::PopEditCopyClick()
{
    run(*this, StartCopy);
}

// The move and copy clicks of the command machine hand their displacement here.
void TForm1::moveSelection(PointD base, PointD target)
{
    CommandContext ctx = commandContext();
    MoveSelection(ctx, base, target);
}
void TForm1::copySelection(PointD base, PointD target)
{
    CommandContext ctx = commandContext();
    CopySelection(ctx, base, target);
}
void TForm1::PopEditPolyPointClick()
{
    run(*this, EditPolyPoints);
}
void TForm1::PopEditMojiClick()
{
    run(*this, EditTextContent);
}

void TForm1::PopEditLayClick()
{
    change(*this, AttributeChange::Layer);
}
void TForm1::PopEditPenClick()
{
    change(*this, AttributeChange::Pen);
}
void TForm1::PopEditPenWClick()
{
    change(*this, AttributeChange::Width);
}
void TForm1::PopEditPenSClick()
{
    change(*this, AttributeChange::LineType);
}
void TForm1::PopEditPenCClick()
{
    change(*this, AttributeChange::EndStyle);
}
void TForm1::PopEditBrushClick()
{
    change(*this, AttributeChange::Brush);
}
void TForm1::PopEditTenClick()
{
    change(*this, AttributeChange::Point);
}

// The pick changes the current attributes behind the open windows.
void TForm1::PopEditGetAttClick()
{
    CommandContext ctx = commandContext();
    if (PickAttributes(ctx))
        RefreshAttributeWindows();
}
