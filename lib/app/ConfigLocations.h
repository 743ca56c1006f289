#pragma once

#include <QString>
#include <QStringList>

// Where setting.ini and the language files are read from, and where the
// settings the program changes are written.
//
// With a folder named on the command line, that folder is read and written.
// Otherwise a key is looked up in the user's own setting.ini (what the
// program wrote, or what the user set), then in the setting.ini beside the
// program (a portable folder), then in the installed defaults; what the
// program writes goes to the user's file. The installed defaults are never
// written. A file that lacks a key passes the lookup on to the next one, so
// a user file holding only [setup] model still has the installed bands.
class ConfigLocations
{
public:
    // The folder named by --config DIR, with the installed defaults below it.
    static ConfigLocations explicitFolder(const QString &dir, const QString &installedDir);
    // The user's folder, the program's folder and the installed defaults.
    static ConfigLocations standard(const QString &userDir, const QString &programDir, const QString &installedDir);
    // explicitFolder(configDir) when configDir is given, else standard() with
    // this system's folders.
    static ConfigLocations forRun(const QString &configDir);

    // $XDG_CONFIG_HOME/rq381 (~/.config/rq381).
    static QString userFolder();
    // share/rq381 of the installation the running program belongs to.
    static QString installedFolder();

    // The folders to look in, first first; missing ones included.
    QStringList folders() const { return m_folders; }
    // The setting.ini files to look a key up in, first first.
    QStringList settingsFiles() const;
    // The setting.ini the program writes to (its folder may not exist yet).
    QString writableSettingsFile() const;
    // True when one of settingsFiles() exists.
    bool anySettingsFile() const;
    // The first existing file of that name (a language file); when none
    // exists, the name in the first folder, for messages.
    QString find(const QString &fileName) const;

private:
    QStringList m_folders;
    QString m_writableFolder;
};
