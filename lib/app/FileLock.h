#pragma once

#include <QString>

// Keeps other processes of this program from changing a file between our
// read and our save. The lock is taken on the file's folder, not the file:
// every save puts a new file in place, so a lock on the old one would let
// the next editor lock the new one at the same time. Advisory: programs that
// do not take it are caught by the stamp check before the save instead.
class FileLock
{
public:
    // Waits for the lock (other editors hold it for a moment only).
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool locked() const { return m_fd >= 0; }
    // Why the lock could not be taken; empty when it was.
    QString errorString() const { return m_error; }

private:
    int m_fd = -1;
    QString m_error;
};
