// The cursor readout: a third status panel right of StatusBar1's two, with
// the point the next click would give (and the rubber band's length and
// angle). It shows only while the prompt panel keeps its 300 pixels, so a
// narrow window shows the two panels exactly as without it.
#pragma once

#include <QLabel>

class TCursorReadout : public QLabel {
    Q_OBJECT
public:
    explicit TCursorReadout(QWidget* parent = nullptr);

    static constexpr int kWidth = 260;
    static constexpr int kPromptKeeps = 300;

    // Whether a window of this width has room for the readout beside the
    // prompt panel's 300 pixels and the operation panel.
    static bool fits(int windowWidth, int operationPanelWidth);
};
