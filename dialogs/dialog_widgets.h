// Small widget factories the dialogs share, so that every numeric field looks
// and behaves the same: at most a few characters, no input method.
#pragma once

#include <QLineEdit>

inline QLineEdit* numberEdit(QWidget* parent, const char* objectName, int maxLength = 4)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setMaxLength(maxLength);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setFixedWidth(60);
    return edit;
}
