// The real answers to the main window's questions: message boxes, the file
// choosers, and the dialogs of the construction values.
#pragma once

#include "app/questions.h"

class FormDialogs;
class QWidget;

// Questions shown over parent; the construction dialogs are the ones dialogs
// holds, made at their first question.
Questions DialogQuestions(QWidget& parent, FormDialogs& dialogs);
