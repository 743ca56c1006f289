#pragma once

#include <QString>
#include <QVariant>

class AppSettings;

// What the desktop program remembers for the user between runs: the recent
// files, the main window's geometry and the folder of the last codeplug
// chosen. Kept in rq381cps.ini of the user's configuration folder, beside
// the user's setting.ini, never in the program's folder.
namespace UserState {

QString path();
QVariant value(const QString &key, const QVariant &fallback = QVariant());
// False when the file could not be written; the settings' write-failure
// report (once per run) then names it.
bool setValue(const QString &key, const QVariant &value, const AppSettings *settings = nullptr);

// The folder of the last codeplug opened or saved; empty before the first.
QString lastFolder();
void rememberFolderOf(const QString &file, const AppSettings *settings = nullptr);

}
