// TForm6: the point window. A 5 x 5 grid of the point markers (style =
// row * 5 + column) drawn by the point renderer's own markers, and the size
// box (clamped to 0.001 .. 1000 at every keystroke).
#pragma once

#include "dialogs/sample_grid_window.h"

class QLineEdit;

class TForm6 : public TSampleGridWindow {
    Q_OBJECT
public:
    static constexpr int kColumns = 5;
    static constexpr double kMinSize = 0.001, kMaxSize = 1000;

    TForm6(CurrentAttributes& attributes, bool& openFlag, QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;

protected:
    void fillControls() override;
    void DrawGrid1Click() override;
    void DrawGrid1DrawCell(TGraphP&, const QRect&, int row, int column, bool current) override;

private:
    void Edit1Change();
};
