// Displaced duplicates for move and copy.
#pragma once

#include "model/data.h"

// Appends a copy of the element with every stored point displaced by
// (dx, dy) and everything else unchanged (the layer too); the append journals
// a creation in the open group. False for an unknown kind or a bad index.
bool AppendDisplaced(Drawing&, const ElementRef&, double dx, double dy);

// Appends a displaced duplicate of every selected element, in selection order.
void AppendDisplacedSelection(Drawing&, double dx, double dy);
// Marks every selected element dead (journalled).
void KillSelection(Drawing&);
