// Every question the main window puts to the user, as one record of
// answers: the File menu's, the restore question at start, and the values
// the Draw and Edit commands ask through the canvas host. The window
// installs the real dialogs (app/dialog_questions.h); a test replaces any
// member with scripted answers, the same way for every question.
#pragma once

#include <QString>

#include <functional>
#include <utility>

#include "interaction/question_values.h"

struct ConstructionParameters;

enum class UnsavedAnswer { Save, Discard, Cancel };

struct Questions {
    // --- files. A file chooser returns an empty string when cancelled;
    // startPath is the last file with its extension removed.
    std::function<UnsavedAnswer()> unsavedChanges;
    std::function<QString(const QString& startPath)> openDrawing;
    std::function<QString(const QString& startPath)> saveDrawing;
    std::function<QString(const QString& startPath)> saveImage;
    std::function<void(const QString& title, const QString& text)> error;
    // At start: restore the drawing a program that died left behind?
    std::function<bool(const QString& question)> restoreDrawing;

    // --- the commands' dialogs; each answers false when cancelled.
    std::function<bool(NumericRows&)> numbers;
    std::function<bool(ConstructionParameters&)> corners;
    std::function<bool(ConstructionParameters&)> text;
    std::function<bool(int pointCount, PolyPointChoice&)> polyPoint;
};

// The answer of a yes-or-cancel question; one left unset counts as cancelled.
template <class Question, class... Args> bool Answered(const Question& question, Args&&... args)
{
    return question && question(std::forward<Args>(args)...);
}
