// Qt's own texts (the file and colour dialogs, the message-box buttons) in
// Japanese like the rest of the window, whatever the locale.
#pragma once

// Loads Qt's Japanese translation once for the whole run; false when the
// translation files are not installed (the texts then stay English).
bool InstallQtJapanese();
