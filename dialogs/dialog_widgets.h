// Small widget factories and field helpers the dialogs share, so that every
// numeric field looks and behaves the same: at most a few characters, no
// input method, numbers shown in their shortest decimal form and read with
// the program's lenient reader (unreadable text is 0).
#pragma once

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QString>

#include <cmath>
#include <limits>

#include "geometry/func.h"

inline QLineEdit* numberEdit(QWidget* parent, const char* objectName, int maxLength = 4)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setMaxLength(maxLength);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setFixedWidth(60);
    return edit;
}

inline QPushButton* dialogButton(QWidget* parent, const char* objectName, const char* text)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

// The text a field shows for value: the shortest decimal that reads back
// exactly, without an exponent, when it fits in maxLength characters;
// otherwise the fitting fixed or exponent form nearest to value, so that a
// long value is rounded rather than cut off by the field.
inline QString numberText(double value, int maxLength)
{
    QString best = QString::number(value, 'f', QLocale::FloatingPointShortest);
    if (best.size() <= maxLength)
        return best;
    double bestError = std::numeric_limits<double>::infinity();
    for (char format : {'f', 'g'}) {
        for (int precision = 15; precision >= 0; --precision) {
            const QString text = QString::number(value, format, precision);
            const double error = std::abs(text.toDouble() - value);
            if (text.size() <= maxLength && error < bestError) {
                best = text;
                bestError = error;
            }
        }
    }
    return best;
}

inline void setNumber(QLineEdit* edit, double value)
{
    edit->setText(numberText(value, edit->maxLength()));
}

inline double fieldNumber(const QLineEdit* edit)
{
    return TextToFloat(edit->text().toStdString());
}

// The window frame every modal dialog has: title, system menu, minimise and
// close buttons, no resizing.
inline constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
