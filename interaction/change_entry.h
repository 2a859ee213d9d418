// Entering a change mode: a left click near a handle of the one selected
// element (CommandMode below 10) picks that handle, copies what stays of the
// element into the collected points for the rubber band, clears the
// selection and switches to the change mode of the element's point code.
#pragma once

#include "interaction/command_context.h"
#include "interaction/command_machine.h"

// True when the click picked a handle (and, for kinds with a change mode,
// the machine is now in it). False leaves the click to the current command.
bool EnterChangeMode(CommandContext&, const ClickPoint& click);
