// TFormLay: the layer window. A grid of the 256 layers (number, visibility
// mark, name): making a row current makes its layer the current layer and
// shows it; a press on a row's number or mark toggles the layer's
// visibility; names are edited in place, keystroke by keystroke. "ALL-ON" and
// "ALL-OFF" show or hide every layer. The canvas is repainted when the
// window loses the focus, so visibility changes appear then.
//
// A name must survive the drawing file, which is Shift-JIS: a keystroke
// that makes the name unstorable is undone at once and explained, so the
// problem never waits until the drawing is saved.
#pragma once

#include <functional>
#include <vector>

#include "dialogs/attribute_window.h"

class QTableWidget;
class QWindow;
struct Layer;

class TFormLay : public TAttributeWindow {
    Q_OBJECT
public:
    static constexpr int kNumberWidth = 32, kMarkWidth = 21, kMinNameWidth = 100;

    TFormLay(std::vector<Layer>& layers, CurrentAttributes& attributes, bool& openFlag,
             QWidget* parent = nullptr);

    // Repaints the main window's canvas (the window lost the focus).
    std::function<void()> repaintCanvas;
    // Explains a refused name; a message box unless a test replaces it.
    std::function<void(const QString& text)> refuseName;

    QTableWidget* SG1 = nullptr;
    QPushButton* Button1 = nullptr;  // "&X"
    QPushButton* Button2 = nullptr;  // "ALL-ON"
    QPushButton* Button3 = nullptr;  // "ALL-OFF"

    // The name edit of row's layer, as the in-place editor reports each
    // keystroke. False (and the name unchanged) when refused.
    bool SG1SetEditText(int row, const QString& text);

protected:
    void fillControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The name column takes the grid's width left by the fixed columns,
    // but at least kMinNameWidth.
    void FormResize();
    // FormDeactivate: repaints the canvas when the window loses the focus.
    void focusWindowChanged(QWindow* focused);
    void SG1Click(int row);
    void toggleLayer(int row);
    void setAllVisible(bool visible);
    void showMark(int row);
    Layer* layer(int row);

    std::vector<Layer>& m_layers;
    CurrentAttributes& m_attributes;
    bool m_hadFocus = false;
};
