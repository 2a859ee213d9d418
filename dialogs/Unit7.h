// TForm7: the modeless brush (fill) window. Each change of a control is
// written at once into the current attributes, so the next element drawn
// takes it (see dialogs/style_window.h for the controls).
#pragma once

#include "dialogs/style_window.h"

struct CurrentAttributes;

class TForm7 : public TStyleWindow {
    Q_OBJECT
public:
    TForm7(CurrentAttributes& attributes, bool& openFlag, QWidget* parent = nullptr);
};
