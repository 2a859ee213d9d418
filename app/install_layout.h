// Where the editor finds what is installed beside it. An installed copy is
// PREFIX/bin/mirt with its desktop entry, icons and manuals under
// PREFIX/share; the build folder mirrors that layout for the icons
// (desktop/CMakeLists.txt), so a copy run from there looks the same.
#pragma once

#include <QIcon>
#include <QString>

// The reverse-DNS name of the desktop entry and of the AppStream component
// (cmake/packaging.cmake); the desktop entry is ApplicationId().desktop.
QString ApplicationId();

// PREFIX/share/RELATIVE, PREFIX being the parent of executableDir.
QString SharedDataPath(const QString& executableDir, const QString& relative);

// True for a copy installed with its desktop entry.
bool IsInstalledCopy(const QString& executableDir);

// The settings file: an installed copy keeps it in configDir, never beside
// itself, even when it could write there (run as root), since that folder
// belongs to the package and its removal must leave nothing; any other copy
// keeps it beside the executable when that folder is writable.
QString SettingsFilePath(const QString& executablePath, const QString& configDir);

// The window icon: the installed icon theme's, else the PNGs of every size
// found beside the executable; null when neither is there.
QIcon ApplicationIcon();
