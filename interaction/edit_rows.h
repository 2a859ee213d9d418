// The Edit family's rows of the family table: select one (mode 1), select a
// range (2, 3), move (10, 11) and copy (20, 21). Their clicks pick, or take
// the base point and the outline for the rubber band; the displaced
// duplicates are the editing layer's, which the host runs
// (CanvasHost::moveSelection, copySelection).
#pragma once

#include <vector>

#include "interaction/command_context.h"
#include "interaction/command_table.h"

void AddEditRows(std::vector<CommandMethod>& table);

// Panel 1 after a selection command: the ok text and the blink of what was
// selected, or the ng text.
void ShowSelectionOutcome(CommandContext&, bool selected, const char* ok, const char* ng);
