// The attribute commands of the Edit menu. A change gives every selected
// element of the kinds it applies to one of the current attributes: a
// changed duplicate is appended and the old element dies, all in one journal
// group; elements of other kinds stay as they are but still count. The pick
// goes the other way: the one selected element's settings become the
// current attributes.
#pragma once

#include "interaction/command_context.h"

enum class AttributeChange { Layer, Pen, Width, LineType, EndStyle, Brush, Point };

// Nothing at all (no message) with an empty selection; else "変更数：" n.
void ChangeAttributes(CommandContext&, AttributeChange);

// Refuses (panel 0 asks for one selected element, false) unless exactly one
// element is selected. The selection stays; no message on success. Points
// of size 0 give no point settings; texts give their layer and brush only.
bool PickAttributes(CommandContext&);
