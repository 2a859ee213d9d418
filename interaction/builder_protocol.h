// The one routine every builder result goes through. Adding: a refusal writes
// the kind's "...作図NG" ("点 未指定" for the point-list kinds); otherwise the
// current attributes become table references (find, else append), one journal
// group holds the append, the new element is drawn at once onto the canvas
// (no full repaint), its snap points are registered, Undo is enabled and
// Redo disabled, and panel 1 shows "...作図(" n ")".
//
// Changing: a refusal writes "...変更NG"; otherwise the new record takes the
// old element's layer, fill variant and references, one group appends it and
// deletes the old one, the canvas is repainted and panel 1 shows "...変更".
#pragma once

#include <optional>

#include "interaction/builders.h"
#include "interaction/command_context.h"

// The registry position of the new element; nullopt when refused.
std::optional<int32_t> CommitDraft(CommandContext&, const Draft&);
// Appends into the journal group of the last command instead of opening one
// (the moves of a freehand-point stroke join its press).
std::optional<int32_t> CommitDraftIntoLastGroup(CommandContext&, const Draft&);
// Stamps the current attributes and appends, nothing else: for commands
// that append many elements in one group and then repaint.
std::optional<int32_t> AppendWithCurrentAttributes(CommandContext&, Draft);
// oldPosition: the registry position of the element being reshaped.
std::optional<int32_t> CommitChange(CommandContext&, int32_t oldPosition, const Draft&);
