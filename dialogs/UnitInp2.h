// TFormInp2 "連続線の点の増減入力": the modal dialog of the polyline point edit.
// Given the point count n of a polyline-family element it offers two lists:
// the n segments a point can be added to ("第k点～第k+1点", the last one
// "第n点～第1点", the closing segment) and the n points that can be removed
// ("第k点"). Removing is refused while the element has fewer than three
// points (OK does nothing), so an edited element keeps at least two.
//
// Usage:
//     PolyPointChoice choice;
//     if (FormInp2()->Execute(n, choice))
//         ... choice.operation, choice.index (0-based item of its list) ...
// For Add, index c means "between point c and point c + 1", with c = n - 1
// the closing segment (the new point goes after the last point). For
// Remove, index c is the point to drop. Nothing is kept between uses: the
// lists are rebuilt and "点を増やす" is chosen on every show.
#pragma once

#include <QDialog>

#include "interaction/question_values.h"

class QComboBox;
class QPushButton;
class QRadioButton;

class TFormInp2 : public QDialog {
    Q_OBJECT
public:
    // Removing needs at least this many points.
    static constexpr int kMinPointsToRemove = 3;

    explicit TFormInp2(QWidget* parent = nullptr);

    // True on a valid OK with choice filled (index within 0 .. pointCount - 1);
    // false on Cancel, Esc or close, choice unchanged. A pointCount below 1
    // offers nothing and OK is refused.
    bool Execute(int pointCount, PolyPointChoice& choice);

    QRadioButton* RadioButton1 = nullptr;  // add a point
    QComboBox* ComboBox1 = nullptr;        // segments
    QRadioButton* RadioButton2 = nullptr;  // remove a point
    QComboBox* ComboBox2 = nullptr;        // points
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void Button1Click();
    void fillLists(int pointCount);

    PolyPointChoice m_result;
};
