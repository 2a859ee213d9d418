// TForm1's Draw menu: one handler per item of interaction/draw_items.inc,
// each starting its row of the family table (interaction/command_table.cpp),
// and the two entries that start no family command.
#include "app/Unit1.h"
#include "interaction/command_machine.h"
#include "interaction/division_points.h"

namespace {

void startItem(TForm1& form, std::string_view handler)
{
    if (const auto item = FindMenuItem(handler)) {
        CommandContext ctx = form.commandContext();
        StartMenuItem(ctx, *item);
    }
}

}  // namespace

#define MIRT_DRAW_ITEM(depth, handler, caption, shortcut, firstMode, variant, ask) \
    void TForm1::handler() { startItem(*this, #handler); }
#include "interaction/draw_items.inc"

void TForm1::PopDrawPEndClick()
{
    CommandContext ctx = commandContext();
    FinishSequence(ctx);
}

void TForm1::PopDrawSepTenClick()
{
    CommandContext ctx = commandContext();
    DivideSelection(ctx);
}

std::span<const TForm1::MenuBinding> TForm1::drawMenuBindings()
{
    static const MenuBinding all[] = {
#define MIRT_DRAW_ITEM(depth, handler, caption, shortcut, firstMode, variant, ask) {#handler, &TForm1::handler},
#include "interaction/draw_items.inc"
        {"PopDrawPEndClick", &TForm1::PopDrawPEndClick},
        {"PopDrawSepTenClick", &TForm1::PopDrawSepTenClick},
    };
    return all;
}
