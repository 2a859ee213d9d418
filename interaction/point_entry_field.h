// The point entry field: a small line edit that floats beside the cursor on
// the canvas while a point is typed. It never takes the focus and lets the
// mouse through: the main window keeps the keys and hands it the ones that
// edit the text, so every other key keeps its meaning while it is open.
#pragma once

#include <QLineEdit>

class QKeyEvent;

class TPointEntryField : public QLineEdit {
    Q_OBJECT
public:
    explicit TPointEntryField(QWidget* canvas);

    // Shows the field with its first character beside the canvas pixel.
    void open(const QString& text, QPoint cursor);
    void close();
    bool isOpen() const { return isVisible(); }
    // Keeps the field beside the cursor, inside the canvas.
    void follow(QPoint cursor);
    // Characters and Backspace edit the text; true when the key did.
    bool edit(QKeyEvent* event);
    // Marks the field as holding a text that gives no point.
    void setRefused(bool refused);
    bool isRefused() const { return m_refused; }

    // The characters that open the field when no field is open.
    static bool opensField(const QKeyEvent& event);

private:
    bool m_refused = false;
};
