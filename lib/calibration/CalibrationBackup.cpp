#include "calibration/CalibrationBackup.h"

#include "calibration/TestDataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &folderOverride()
{
    static QString folder;
    return folder;
}

}

QString CalibrationBackup::defaultFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    // Not AppDataLocation of each program: the desktop program and the
    // command line carry different application names, and a technician
    // wants the copies of both in one place.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("rq381/calibration"));
}

void CalibrationBackup::setDefaultFolder(const QString &folder)
{
    folderOverride() = folder;
}

QString CalibrationBackup::serialTag(const QByteArray &serialReply)
{
    QString tag;
    for (const char c : serialReply) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-')
            tag += QLatin1Char(c);
    }
    while (tag.startsWith(QLatin1Char('-')))
        tag.remove(0, 1);
    while (tag.endsWith(QLatin1Char('-')))
        tag.chop(1);
    return tag;
}

QString CalibrationBackup::save(const CalibrationImage &image, const QByteArray &serialReply,
                                const QDateTime &when) const
{
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return QString();
    const QString serial = serialTag(serialReply);
    QString stem = QStringLiteral("calibration-");
    if (!serial.isEmpty())
        stem += serial + QLatin1Char('-');
    stem += when.toString(QStringLiteral("yyyyMMdd-HHmmss"));

    const QDir dir(m_folder);
    QString path = dir.filePath(stem + QStringLiteral(".test"));
    // Two reads within one second keep both copies.
    for (int n = 2; QFileInfo::exists(path); ++n) {
        if (n > 999)
            return QString();
        path = dir.filePath(QStringLiteral("%1-%2.test").arg(stem).arg(n));
    }
    return TestDataFile::save(path, image) ? path : QString();
}
