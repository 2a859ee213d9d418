// What the modeless attribute windows (pen, brush, width, line type, line
// end, point, layers) share: a tool window beside the main window, the "&X"
// button that Esc presses, the open flag the settings file keeps, and the
// loading flag that keeps the change handlers quiet while FormShow fills the
// controls from the current attributes. Every change a user makes is written
// at once into CurrentAttributes; there is no OK or Cancel.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QPushButton;
struct CurrentAttributes;

class TAttributeWindow : public QDialog {
    Q_OBJECT
public:
    // openFlag is set while the window is shown and cleared when it closes.
    TAttributeWindow(const char* objectName, const char* title, bool& openFlag, QWidget* parent);

    // Opens the window (or raises it) with its controls filled.
    void openWindow();
    // Fills the controls from the current values with the loading flag on:
    // nothing is written back. Called at every show and by attribute pick.
    void FormShow();

    bool isLoading() const { return m_loading; }
    bool isOpenFlagSet() const { return m_openFlag; }

    QPushButton* closeButton() const { return m_closeButton; }

protected:
    // The window's own filling, run with the loading flag on.
    virtual void fillControls() = 0;
    // Called when the window closes (the grid windows free their surface).
    virtual void windowClosed() {}
    QPushButton* makeCloseButton(const char* objectName);
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    bool& m_openFlag;
    bool m_loading = false;
    QPushButton* m_closeButton = nullptr;
};

// The shortest decimal text that reads back as value, never in exponent
// form (0.0005, not 5e-04).
QString ShortestDecimal(double value);

// Colour references are 0x00BBGGRR (red in the low byte).
QColor ColourFromRef(int32_t ref);
int32_t RefFromColour(const QColor& colour);

// The colour question of the pen, brush windows; a colour dialog unless a
// test replaces it. Empty when cancelled.
using ColourQuestion = std::function<std::optional<int32_t>(int32_t current)>;
ColourQuestion ColourDialogQuestion(QWidget* parent);
