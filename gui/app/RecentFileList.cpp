#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const char kProfileKey[] = "Local AppWizard-Generated Applications";
const char kApplication[] = "rq381cps";

QString normalised(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}

RecentFileList::RecentFileList()
{
    QSettings settings{QString::fromLatin1(kProfileKey), QString::fromLatin1(kApplication)};
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

void RecentFileList::add(const QString &path)
{
    const QString file = normalised(path);
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > kSize)
        m_files.removeLast();
    save();
}

void RecentFileList::remove(const QString &path)
{
    m_files.removeAll(normalised(path));
    m_files.removeAll(path);
    save();
}

void RecentFileList::save() const
{
    QSettings settings{QString::fromLatin1(kProfileKey), QString::fromLatin1(kApplication)};
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kSize; ++i) {
        if (i <= m_files.size())
            settings.setValue(QStringLiteral("File%1").arg(i), m_files[i - 1]);
        else
            settings.remove(QStringLiteral("File%1").arg(i));
    }
}
