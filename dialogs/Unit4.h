// TForm4: dash style (row 0..4) and dash cap (column 0..2), drawn with a
// 7-pixel pen.
#pragma once

#include "dialogs/sample_grid_window.h"

class TForm4 : public TSampleGridWindow {
    Q_OBJECT
public:
    TForm4(CurrentAttributes& attributes, bool& openFlag, QWidget* parent = nullptr);

protected:
    void fillControls() override;
    void DrawGrid1Click() override;
    void DrawGrid1DrawCell(TGraphP&, const QRect&, int row, int column, bool current) override;
};
