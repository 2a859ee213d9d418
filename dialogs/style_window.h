// TStyleWindow: the twin pen and brush windows. Both are one column of kind
// radio buttons, each followed by the controls of that kind: colour swatches
// with their colour buttons and alpha boxes, the 9 x 6 hatch grid, the image
// file with "参照", the gradient angle. What differs (the captions, the
// sixth kind of the brush, which fields are written) is the StyleSlots
// description the window is built from; TForm2 and TForm7 only fill it in.
#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/attribute_window.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;
class TDrawGrid;
class TGraphP;

// Where a pen or brush keeps its settings inside CurrentAttributes.
struct StyleSlots {
    int32_t* kind;
    std::vector<const char*> kindCaptions;  // kind 1 first
    int32_t* colours;   // colour references, one per swatch
    int32_t* alphas;    // one per alpha box
    int32_t* hatchStyle;
    std::string* imageFile;
    double* angle;      // linear gradient, degrees
};

class TStyleWindow : public TAttributeWindow {
    Q_OBJECT
public:
    static constexpr int kHatchColumns = 9, kHatchRows = 6;
    static constexpr int kHatchStyles = 53;  // the last of the 54 cells is blank

    TStyleWindow(const char* objectName, const char* title, StyleSlots fields, bool& openFlag,
                 QWidget* parent);

    // Replaceable for tests: the colour dialog, the image file dialog (given
    // the proposed path, empty when cancelled) and the refusal of its answer.
    ColourQuestion chooseColour;
    std::function<QString(const QString& proposed)> chooseImage;
    std::function<void(const QString& message)> refuseImage;

    QRadioButton* kindButton(int kind) const { return m_kindButtons.at(kind - 1); }
    QLabel* swatch(int colour) const { return m_swatches.at(colour); }
    QPushButton* colourButton(int colour) const { return m_colourButtons.at(colour); }
    QLineEdit* alphaEdit(int alpha) const { return m_alphaEdits.at(alpha); }
    QLineEdit* angleEdit() const { return Edit7; }
    QLineEdit* imageEdit() const { return Edit4; }
    QPushButton* browseButton() const { return Button5; }
    TDrawGrid* hatchGrid() const { return DrawGrid1; }
    // The colour a swatch shows.
    int32_t swatchColour(int colour) const;

protected:
    void fillControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ColourRow {
        int colour;
        const char* caption;
        int alpha;  // -1: the colour has no alpha box
    };
    void buildKind(int kind, class QGridLayout& grid, int& row);
    void addColourRow(const ColourRow& colourRow, QGridLayout& grid, int& row);
    void RadioButton1Click();
    void pickColour(int colour);
    void paintSwatch(int colour);
    void alphaChanged(int alpha);
    void Edit7Change();
    void Button5Click();
    void DrawGrid1Click();
    void DrawGrid1DrawCell(TGraphP& surface, const QRect& cell, int row, int column, bool current);

    StyleSlots m_slots;
    QButtonGroup* m_kinds = nullptr;
    std::vector<QRadioButton*> m_kindButtons;
    std::vector<QLabel*> m_swatches;
    std::vector<QPushButton*> m_colourButtons;
    std::vector<QLineEdit*> m_alphaEdits;
    TDrawGrid* DrawGrid1 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QPushButton* Button5 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QPushButton* Button9 = nullptr;
};
