// TForm5: the line end, one row per end style, drawn with a 13-pixel pen.
// Below the four plain ends (flat, round, triangle, square) it offers the
// anchor ends the renderer draws: round, diamond, square and arrow anchors.
#pragma once

#include "dialogs/sample_grid_window.h"

class TForm5 : public TSampleGridWindow {
    Q_OBJECT
public:
    static constexpr int kEndStyles = 8;

    TForm5(CurrentAttributes& attributes, bool& openFlag, QWidget* parent = nullptr);

protected:
    void fillControls() override;
    void DrawGrid1Click() override;
    void DrawGrid1DrawCell(TGraphP&, const QRect&, int row, int column, bool current) override;
};
