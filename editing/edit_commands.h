// The Edit commands on the selection: the menu starts of the selecting, move
// and copy rows of the family table (interaction/edit_rows.h), the move and
// copy that their clicks run, and delete, select-all and deselect.
// Everything works on a CommandContext, so the tests drive it without a
// window.
//
// Move and copy append displaced duplicates (editing/displace.h); each click
// is one journal group. After a move the duplicates are selected and blink;
// after a copy the selection stays the sources.
#pragma once

#include "geometry/point.h"
#include "interaction/command_context.h"

// Menu commands. Move and copy with nothing selected say so and leave the
// CommandMode as it was.
void StartEditRow(CommandContext&, const char* handler);
void StartMove(CommandContext&);
void StartCopy(CommandContext&);
void SelectAllCommand(CommandContext&);
void DeselectCommand(CommandContext&);
void DeleteSelection(CommandContext&);

// The second clicks of modes 11 and 21 (through CanvasHost); nothing without
// a selection.
void MoveSelection(CommandContext&, PointD base, PointD target);
void CopySelection(CommandContext&, PointD base, PointD target);
