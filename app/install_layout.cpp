// The install layout as seen from the running executable.
#include "app/install_layout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "storage/settings.h"

QString ApplicationId()
{
    return QStringLiteral(MIRT_APP_ID);
}

QString SharedDataPath(const QString& executableDir, const QString& relative)
{
    return QDir::cleanPath(executableDir + QStringLiteral("/../share/") + relative);
}

bool IsInstalledCopy(const QString& executableDir)
{
    return QFileInfo::exists(SharedDataPath(executableDir, QStringLiteral("applications/") + ApplicationId() + QStringLiteral(".desktop")));
}

QString SettingsFilePath(const QString& executablePath, const QString& configDir)
{
    const QFileInfo executable(executablePath);
    if (IsInstalledCopy(executable.absolutePath()))
        return QDir(configDir).filePath(executable.completeBaseName() + QStringLiteral(".dat"));
    return QString::fromStdString(SettingsPath(executablePath.toStdString(), configDir.toStdString()));
}

QIcon ApplicationIcon()
{
    QIcon icon = QIcon::fromTheme(QStringLiteral("mirt"));
    if (!icon.isNull())
        return icon;
    // hicolor/16x16/apps/mirt.png, hicolor/22x22/...
    const QDir theme(SharedDataPath(QCoreApplication::applicationDirPath(), QStringLiteral("icons/hicolor")));
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString path = theme.filePath(size + QStringLiteral("/apps/mirt.png"));
        if (QFileInfo::exists(path))
            icon.addFile(path);
    }
    return icon;
}
