// TFormGrd "グリッド設定": the modal grid dialog. It edits whether the grid is
// shown (which also switches grid rounding of clicked points), the spacing
// in x and y (clamped to 1..100 drawing units) and the minor and major line
// colours. It works on a copy: the caller's grid changes only on OK, so
// colours picked and then cancelled are dropped. The origin is not edited.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

#include "model/view.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFormGrd : public QDialog {
    Q_OBJECT
public:
    static constexpr double kMinPitch = 1;
    static constexpr double kMaxPitch = 100;

    explicit TFormGrd(QWidget* parent = nullptr);

    // True on OK with shown, pitches and colours of grid replaced.
    bool Execute(GridSettings& grid);

    // Asks for a colour starting from a 0x00BBGGRR one; empty when cancelled.
    // A colour dialog by default; tests script it.
    std::function<std::optional<int32_t>(int32_t current)> chooseColour;

    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;  // pitch x
    QLineEdit* Edit2 = nullptr;  // pitch y
    QLabel* LabelC1 = nullptr;   // minor colour swatch
    QLabel* LabelC2 = nullptr;   // major colour swatch
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;

    int32_t swatchColour(int which) const { return m_colours[which]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Button1Click();
    void pickColour(int which);
    void paintSwatch(int which);

    GridSettings m_result;
    int32_t m_colours[2] = {0, 0};
};
