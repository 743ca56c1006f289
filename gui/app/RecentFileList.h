#pragma once

#include <QString>
#include <QStringList>

// The recent-file list of the File menu: the four files opened or saved
// last, newest first, kept in the user's configuration folder.
class RecentFileList
{
public:
    static constexpr int kSize = 4;

    RecentFileList();
    QStringList files() const { return m_files; }
    void add(const QString &path);
    void remove(const QString &path);

private:
    void save() const;
    QStringList m_files;
};
