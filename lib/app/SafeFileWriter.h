#pragma once

#include <QByteArray>
#include <QString>

// The one way the programs write a file. The bytes go to a temporary file in
// the target's folder; every write is checked, the file is flushed to the
// disk, and only then renamed over the target. Whatever fails (a full disk,
// a quota, a size limit, a read-only file system), the temporary file is
// removed, the old file stays byte for byte as it was, and errorString()
// names the cause in words ("no space left on the device").
//
// A target that is a symbolic link is written through the link, which stays.
// A file that replaces another keeps its permissions.
class SafeFileWriter
{
public:
    explicit SafeFileWriter(const QString &path);
    ~SafeFileWriter();  // an unfinished file is removed
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    bool open();
    // Appends all of bytes; after the first failure every call fails.
    bool write(const QByteArray &bytes);
    // Flushes, syncs and renames into place; false when anything failed.
    bool commit();
    // Removes the temporary file; the target is left alone.
    void discard();

    QString path() const { return m_path; }
    // "cannot write PATH: no space left on the device"; empty while all went well.
    QString errorString() const { return m_error; }

    // Writes a whole file in one go; false with the reason in error.
    static bool writeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

    // The cause of a failed system call, as the messages name it.
    static QString describeError(int errnoValue);

    // Test seam: from now on, writes fail with errnoValue once afterBytes
    // bytes of one file were written (0: the very first write fails).
    // errnoValue 0 switches it off.
    static void failWritesForTesting(int errnoValue, qint64 afterBytes = 0);

private:
    bool fail(int errnoValue);
    bool writeChunk(const char *data, qint64 size);

    QString m_path;      // what the user named
    QString m_target;    // the file actually replaced (the link's target)
    QString m_tempPath;
    int m_fd = -1;
    qint64 m_written = 0;
    QString m_error;
};
