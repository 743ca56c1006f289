#include "app/UserState.h"

#include "app/AppSettings.h"
#include "app/ConfigLocations.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace UserState {

QString path()
{
    return QDir(ConfigLocations::userFolder()).filePath(QStringLiteral("rq381cps.ini"));
}

QVariant value(const QString &key, const QVariant &fallback)
{
    return QSettings(path(), QSettings::IniFormat).value(key, fallback);
}

bool setValue(const QString &key, const QVariant &value, const AppSettings *settings)
{
    QSettings file(path(), QSettings::IniFormat);
    file.setValue(key, value);
    file.sync();
    if (file.status() == QSettings::NoError)
        return true;
    if (settings)
        settings->reportWriteFailure(QDir::toNativeSeparators(path()),
                                     file.status() == QSettings::AccessError ? QStringLiteral("no permission to write it")
                                                                             : QStringLiteral("its content is malformed"));
    return false;
}

QString lastFolder()
{
    const QString folder = value(QStringLiteral("files/lastFolder")).toString();
    return QFileInfo(folder).isDir() ? folder : QString();
}

void rememberFolderOf(const QString &file, const AppSettings *settings)
{
    if (file.isEmpty())
        return;
    const QString folder = QFileInfo(file).absolutePath();
    if (folder != value(QStringLiteral("files/lastFolder")).toString())
        setValue(QStringLiteral("files/lastFolder"), folder, settings);
}

}
