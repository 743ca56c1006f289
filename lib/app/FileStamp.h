#pragma once

#include <QString>
#include <QtGlobal>

// What tells whether a file changed on disk: its size, its modification time
// to the nanosecond and its file number. A save through SafeFileWriter makes
// a new file, so even a rewrite of the same size within one clock tick shows.
struct FileStamp
{
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 fileNumber = 0;

    static FileStamp of(const QString &path);
    bool operator==(const FileStamp &other) const = default;
};
