// TFormCBox "角付長方形": the modal corner dialog of the cornered rectangles.
// Four rows (top-left, top-right, bottom-left, bottom-right) of corner type,
// width and height. OK keeps the dialog open, with the focus in the field,
// while a corner that has a type has a width or height of 0.001 or less.
#pragma once

#include <QDialog>

#include <array>

#include "model/construction_parameters.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFormCBox : public QDialog {
    Q_OBJECT
public:
    explicit TFormCBox(QWidget* parent = nullptr);

    // Offers params' cornerTypes / cornerWidths / cornerHeights; true on OK
    // with them replaced (sizes clamped to 0..1000, 0 for a corner of type
    // "無し"). The other fields of params are never touched.
    bool Execute(ConstructionParameters& params);

    std::array<QComboBox*, 4> ComboBox{};  // ComboBox1 .. ComboBox4
    std::array<QLineEdit*, 8> Edit{};      // Edit1 .. Edit8: width, height per corner
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void Button1Click();
    QLineEdit* firstTooSmallSize() const;

    int32_t m_types[4] = {0, 0, 0, 0};
    double m_widths[4] = {0, 0, 0, 0};
    double m_heights[4] = {0, 0, 0, 0};
};
