// Dropping a drawing on the main window: one local .mt file opens as
// File > Open would, after the unsaved-changes question; anything else (no
// file, several, a remote URL, another type) is refused with a message.
#pragma once

#include "app/open_request.h"

class QMimeData;
class TForm1;

OpenRequest RequestFromDrop(const QMimeData& data);

// Makes the window take drops. The open runs once the drop is over, so the
// dragging program is not kept waiting by the question or a long read.
void AcceptDrawingDrops(TForm1& form);
