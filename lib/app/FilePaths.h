#pragma once

#include <QString>

// Checks made before a file is read or replaced, so that a device, a FIFO or
// a folder given where a file belongs is refused with a reason instead of
// blocking a read or being replaced by a regular file.
namespace FilePaths {

// Empty when path can be replaced by an atomic save: a regular file, or a
// name that does not exist yet in an existing folder. Otherwise the reason,
// for example "/dev/ttyS0 is a device, not a regular file".
QString whyNotWritable(const QString &path);

// Empty when path is a regular file that may be opened for reading (a
// missing file is left to the open, which names the system's reason).
// A FIFO, device, socket or folder is refused: reading it could block or
// mean nothing.
QString whyNotReadable(const QString &path);

// The largest text files the imports read. Larger ones are refused before
// anything is read: reading them whole would take the memory of the machine
// and no real codeplug comes near. A contacts file may be a whole DMR user
// database, which its import reads row by row.
constexpr qint64 kMaxYamlBytes = qint64(64) << 20;
constexpr qint64 kMaxChannelsCsvBytes = qint64(64) << 20;
constexpr qint64 kMaxContactsCsvBytes = qint64(256) << 20;

// Empty when path may be imported: a regular file (see whyNotReadable) of at
// most maxBytes. Otherwise the reason, naming the limit:
// "x.yaml holds 70000000 bytes, more than the 64 MB this import reads".
QString whyNotImportable(const QString &path, qint64 maxBytes);

// What a name typed into a save dialog will write. The extension is added
// first, so that every check is made on the file that is written.
struct SaveTarget
{
    enum class Kind {
        New,       // no file of that name yet
        Existing,  // a regular file the save replaces: ask first
        Refused,   // a folder, device, FIFO or socket: never replaced
    };
    QString path;
    Kind kind = Kind::New;
    QString reason;  // why a Refused target cannot be written
};
enum class Extension {
    IfNone,  // added only when the file name has no extension ("x" -> "x.dat", "x.bak" stays)
    Always,  // added unless the name already ends with it ("x.bak" -> "x.bak.test")
};
// extension without its dot, "dat" or "test"; compared without case.
SaveTarget saveTarget(const QString &typed, const QString &extension, Extension rule);

// True when both paths name the same file: the same file on disk when both
// exist (symbolic and hard links included), else the same resolved path.
bool sameFile(const QString &a, const QString &b);

}
