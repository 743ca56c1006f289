#include "app/RecentFileList.h"

#include "app/UserState.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString stateFile()
{
    return UserState::path();
}

QString normalised(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}

RecentFileList::RecentFileList()
{
    QSettings settings{stateFile(), QSettings::IniFormat};
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
    QSettings settings{stateFile(), QSettings::IniFormat};
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kSize; ++i) {
        if (i <= m_files.size())
            settings.setValue(QStringLiteral("File%1").arg(i), m_files[i - 1]);
        else
            settings.remove(QStringLiteral("File%1").arg(i));
    }
}
