#pragma once

#include <QString>
#include <optional>

// Reads and writes INI files with the semantics of Windows private-profile
// strings: section and key names compare case-insensitively, a missing file,
// section or key yields the default, a value is cut to bufferSize - 1
// characters, surrounding blanks and one pair of enclosing quotes are dropped,
// and writing a key keeps every other line of the file as it was.
// Files are read as UTF-8. Parsed files are cached and re-read when their
// size or modification time changes, so repeated lookups stay cheap.
class IniFile
{
public:
    static constexpr int kDefaultBufferSize = 261;

    static QString readString(const QString &path, const QString &section, const QString &key,
                              const QString &defaultValue = QString(),
                              int bufferSize = kDefaultBufferSize);

    // A value that does not start with a number reads as 0, as the
    // private-profile integer reader does; a missing key gives defaultValue.
    static int readInt(const QString &path, const QString &section, const QString &key,
                       int defaultValue);

    // The same two lookups, giving nothing when the file, the section or the
    // key is missing: a key with an empty value is found.
    static std::optional<QString> find(const QString &path, const QString &section, const QString &key,
                                       int bufferSize = kDefaultBufferSize);
    static std::optional<int> findInt(const QString &path, const QString &section, const QString &key);

    // Replaces or appends the key (and the section when it is missing).
    // The file is replaced through SafeFileWriter: on a failure it stays as
    // it was, and error (when given) names the cause.
    static bool writeString(const QString &path, const QString &section, const QString &key,
                            const QString &value, QString *error = nullptr);

    // Keys of a section in file order (used for the optional [ports] map).
    static QStringList keys(const QString &path, const QString &section);
};
