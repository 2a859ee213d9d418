// Files handed to the main window from outside: the FILE of the command
// line and what is dropped on the window (app/drawing_drops.h). Each is
// turned into a path that File > Open can read, or refused with a message,
// before anything is asked or changed; an accepted one opens as Open does,
// after the unsaved-changes question.
#pragma once

#include <QString>

#include <string_view>

class TForm1;

struct OpenRequest {
    QString path;     // absolute; the file to open when accepted
    QString refusal;  // why not, for the message box; empty when accepted
    bool accepted() const { return refusal.isEmpty(); }
};

// FILE as the bytes of the command line; names that are not UTF-8 are
// refused, since the window could neither show nor save under them.
OpenRequest RequestFromArgument(std::string_view bytes);
// A local path already decoded; pathBytes are its bytes before decoding.
OpenRequest RequestFromLocalPath(const QString& path, std::string_view pathBytes);

// Shows the refusal, or asks about unsaved changes and opens the file.
void OpenRequested(TForm1& form, const OpenRequest& request);
