#include "app/ConfigLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#ifndef RQ381_DATA_FROM_BIN
#define RQ381_DATA_FROM_BIN "../share/rq381"
#endif

namespace {

const QString kSettingsName = QStringLiteral("setting.ini");

}

ConfigLocations ConfigLocations::explicitFolder(const QString &dir, const QString &installedDir)
{
    ConfigLocations locations;
    locations.m_folders = {dir, installedDir};
    locations.m_writableFolder = dir;
    return locations;
}

ConfigLocations ConfigLocations::standard(const QString &userDir, const QString &programDir, const QString &installedDir)
{
    ConfigLocations locations;
    locations.m_folders = {userDir, programDir, installedDir};
    locations.m_writableFolder = userDir;
    return locations;
}

ConfigLocations ConfigLocations::forRun(const QString &configDir)
{
    if (!configDir.isEmpty())
        return explicitFolder(configDir, installedFolder());
    return standard(userFolder(), QCoreApplication::applicationDirPath(), installedFolder());
}

QString ConfigLocations::userFolder()
{
    // Qt follows XDG_CONFIG_HOME and falls back to ~/.config.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("rq381"));
}

QString ConfigLocations::installedFolder()
{
    // Relative to the program, so that an installation under any prefix
    // (/usr, ~/.local, an unpacked package) finds its own defaults.
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(RQ381_DATA_FROM_BIN)));
}

QStringList ConfigLocations::settingsFiles() const
{
    QStringList files;
    for (const QString &folder : m_folders) {
        const QString file = QDir(folder).filePath(kSettingsName);
        if (!files.contains(file))
            files << file;
    }
    return files;
}

QString ConfigLocations::writableSettingsFile() const
{
    return QDir(m_writableFolder).filePath(kSettingsName);
}

bool ConfigLocations::anySettingsFile() const
{
    const QStringList files = settingsFiles();
    return std::any_of(files.begin(), files.end(), [](const QString &file) { return QFileInfo(file).isFile(); });
}

QString ConfigLocations::find(const QString &fileName) const
{
    for (const QString &folder : m_folders) {
        const QString file = QDir(folder).filePath(fileName);
        if (QFileInfo(file).isFile())
            return file;
    }
    return QDir(m_folders.value(0)).filePath(fileName);
}
