#pragma once

#include <QByteArray>
#include <QString>

class CPcSoftwareDoc;

// The .dat file: the 64-byte header followed by the 262,144-byte image.
namespace DataFile {

constexpr int kFileSize = 64 + 0x40000;

enum class LoadResult {
    Loaded,          // header matched; the image bytes present were read
    HeaderMismatch,  // a codeplug of another model: the document holds the fallback image
    NotCodeplug,     // no codeplug at all (empty, cut short or foreign bytes): the fallback image too
    ReadError,       // the file could not be opened; the document is unchanged
};

// Loads into a document that was just cleared (DeleteContents). A short file
// fills what it has and leaves the rest 0xFF; bytes past the image are ignored.
// The band limits are recomputed in both the matched and mismatched case.
// The file's size is kept in the document (loadedFileSize), so that a
// codeplug with missing bytes is not written to a radio unnoticed. A path
// that is not a regular file (a FIFO, a device, a folder) is a ReadError.
// The file's stamp is kept too (diskStamp), so that a save can tell
// whether someone else changed the file in the meantime.
LoadResult load(CPcSoftwareDoc &doc, const QString &path, QString *error = nullptr);
LoadResult loadBytes(CPcSoftwareDoc &doc, const QByteArray &bytes);

// For a file of another size than kFileSize: what its size means, as one
// sentence ("x.dat holds 1000 bytes, not 262208: ..."). Empty for a file of
// the right size.
QString sizeNote(const QString &path, qint64 size);

// A file that holds a whole header whose text reads like this program's
// ("... Program data") is another model's codeplug; anything else is not a
// codeplug at all.
bool looksLikeOtherModel(const QByteArray &bytes);

// Writes header and image through SafeFileWriter, so a failed save leaves
// the previous file byte for byte as it was and error names the cause. Only
// a regular file or a new name is written: a device, FIFO, socket or folder
// is refused, never replaced.
bool save(const CPcSoftwareDoc &doc, const QString &path, QString *error = nullptr);
QByteArray toBytes(const CPcSoftwareDoc &doc);

}
