// TFormInp1 "数値入力": the modal numeric dialog of the Draw commands. Seven
// rows of item name, edit field and unit; the caller says which rows show,
// with their values and ranges. OK never refuses: an unreadable entry counts
// as 0 and every entry is clamped into its row's range. The command that asked
// owns the meaning of the rows (which ConstructionParameters field each one
// edits, whether it is cut to an integer).
#pragma once

#include <QDialog>

#include <array>

#include "interaction/question_values.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TFormInp1 : public QDialog {
    Q_OBJECT
public:
    explicit TFormInp1(QWidget* parent = nullptr);

    // Shows the dialog modally; true on OK with every visible row's value
    // replaced by its clamped entry. On Cancel, Esc or close rows is unchanged.
    bool Execute(NumericRows& rows);

    std::array<QLabel*, 7> LabelA{};
    std::array<QLineEdit*, 7> Edit{};  // Edit1 .. Edit7
    std::array<QLabel*, 7> LabelB{};
    QPushButton* Button1 = nullptr;  // "ＯＫ(&Y)", default
    QPushButton* Button2 = nullptr;  // "キャンセル(N)", cancel
};
