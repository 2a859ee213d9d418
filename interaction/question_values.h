// The values the construction questions carry between a command and the
// dialog that answers it: the seven numeric rows of "数値入力" and the
// choice of the polyline point dialog. The interaction layer asks the
// questions, so their types live here; the dialogs include this header.
#pragma once

#include <QString>

#include <array>

// One row as the caller fills it. A row that is not visible keeps empty
// texts, value 0 and the range 0..1.
struct NumericRow {
    bool visible = false;
    QString name;  // LabelA: item name ("半径")
    QString unit;  // LabelB: "ドット", "°", "(比率)" or empty
    double value = 0;
    double minimum = 0;
    double maximum = 1;
};

using NumericRows = std::array<NumericRow, 7>;

// For Add, index c means "between point c and point c + 1", with the last
// index the closing segment; for Remove, index c is the point to drop.
enum class PolyPointOperation { Add = 1, Remove = 2 };

struct PolyPointChoice {
    PolyPointOperation operation = PolyPointOperation::Add;
    int index = 0;
};
