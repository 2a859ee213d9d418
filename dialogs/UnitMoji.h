// TFormMoji "文字入力編集": the modal text dialog of the text command and of
// text editing. Font, size, angle, x ratio, anchor, style bits and the text
// line; OK checks them in order and keeps the dialog open with the focus in
// the first offending field. A text the drawing file cannot hold in Shift-JIS
// is refused here with a message naming the character.
#pragma once

#include <QDialog>

#include "model/construction_parameters.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TFormMoji : public QDialog {
    Q_OBJECT
public:
    explicit TFormMoji(QWidget* parent = nullptr);

    // Offers params' text fields (textAnchor, textStyle, textSize,
    // textAngleDeg, textRatioX, fontName, text); true on OK with them
    // replaced. The other fields of params are never touched.
    bool Execute(ConstructionParameters& params);
};
