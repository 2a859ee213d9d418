// The Edit commands on the selection: the clicks of the selecting, move and
// copy rows of the family table, their menu starts, and delete, select-all
// and deselect. Everything works on a CommandContext, so the tests drive it
// without a window.
//
// Selecting always starts from an empty selection (a pick replaces it).
// Move and copy append displaced duplicates (editing/displace.h); each click
// is one journal group. After a move the duplicates are selected and blink;
// after a copy the selection stays the sources.
#pragma once

#include "interaction/command_context.h"
#include "interaction/command_machine.h"

// Clicks of modes 1; 2 and 3; 10 and 11; 20 and 21.
void SelectOneClick(CommandContext&, const ModeInfo&, const ClickPoint&);
void SelectRangeClick(CommandContext&, const ModeInfo&, const ClickPoint&);
void MoveClick(CommandContext&, const ModeInfo&, const ClickPoint&);
void CopyClick(CommandContext&, const ModeInfo&, const ClickPoint&);
// The rubber band of modes 11 and 21: the selection's outline displaced by
// cursor - base, and the segment from the base point.
void PreviewDisplacedSelection(const Construction&, PointD cursor, PreviewShape&);

// Menu commands. Move and copy with nothing selected say so and leave the
// CommandMode as it was.
void StartEditRow(CommandContext&, const char* handler);
void StartMove(CommandContext&);
void StartCopy(CommandContext&);
void SelectAllCommand(CommandContext&);
void DeselectCommand(CommandContext&);
void DeleteSelection(CommandContext&);

// The workers of modes 11 and 21; nothing without a selection.
void MoveSelection(CommandContext&, PointD base, PointD target);
void CopySelection(CommandContext&, PointD base, PointD target);
