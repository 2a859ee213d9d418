// TForm3: the pen width window. The edit box holds the exact width (clamped
// to 0.001 .. 1000 at every keystroke, the box keeping what was typed); the
// track bar is a coarse mirror of it: dragging it writes its whole number
// into the box, while moving it to follow the box never writes back.
#pragma once

#include "dialogs/attribute_window.h"

class QLineEdit;
class QSlider;

class TForm3 : public TAttributeWindow {
    Q_OBJECT
public:
    static constexpr double kMinWidth = 0.001, kMaxWidth = 1000;

    TForm3(CurrentAttributes& attributes, bool& openFlag, QWidget* parent = nullptr);

    // trunc(width) within the bar's 1 .. 100.
    static int TrackPosition(double width);

    QLineEdit* Edit1 = nullptr;
    QSlider* TrackBar1 = nullptr;

protected:
    void fillControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Edit1Change();
    void Edit1Exit();
    void TrackBar1Change(int position);
    void moveTrackBar(double width);

    CurrentAttributes& m_attributes;
    bool m_followingBox = false;  // the bar moves to the box: no write-back
};
