// TFormMoji "文字入力編集": the modal text dialog of the text command and of
// text editing. Font, size, angle, x ratio, anchor, style bits and the text
// line; OK checks them in order and keeps the dialog open with the focus in
// the first offending field. A text the drawing file cannot hold in Shift-JIS
// is refused here with a message naming the character.
#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

#include "model/construction_parameters.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TFormMoji : public QDialog {
    Q_OBJECT
public:
    explicit TFormMoji(QWidget* parent = nullptr);

    // Offers params' text fields (textAnchor, textStyle, textSize,
    // textAngleDeg, textRatioX, fontName, text); true on OK with them
    // replaced. The other fields of params are never touched.
    bool Execute(ConstructionParameters& params);

    // The names the font list offers: the installed families and the Windows
    // names the renderer maps onto installed fonts, without the excluded
    // prefixes, sorted.
    static QStringList listedFontNames();

    QComboBox* ComboBox1 = nullptr;  // font name, editable
    QLineEdit* Edit1 = nullptr;      // size, stepped by UpDown1 and the arrow keys
    std::array<QToolButton*, 2> UpDown1{};  // up, down
    QLineEdit* Edit2 = nullptr;      // angle
    QLineEdit* Edit3 = nullptr;      // x ratio
    QComboBox* ComboBox2 = nullptr;  // anchor
    std::array<QCheckBox*, 4> CheckBox{};  // bold, italic, underline, strikeout
    QLineEdit* Edit4 = nullptr;      // the text
    QLabel* LabelMessage = nullptr;  // why OK refused a name or text
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Button1Click();
    QWidget* firstOffendingField();
    bool refuseUnencodable(const QString& value, const char* what);
    void showTextInChosenFont();
    QString typedText() const;
    void stepSize(int step);

    QStringList m_fonts;  // what the font list holds, sorted
    ConstructionParameters m_result;
    std::string m_offeredText; // the text as offered, with its kept bytes
};
