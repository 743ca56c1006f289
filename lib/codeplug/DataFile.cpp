#include "codeplug/DataFile.h"

#include "app/FilePaths.h"
#include "app/FileStamp.h"
#include "app/SafeFileWriter.h"
#include "codeplug/CPcSoftwareDoc.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace DataFile {

bool looksLikeOtherModel(const QByteArray &bytes)
{
    if (bytes.size() < kHeaderSize)
        return false;
    const QByteArray text = bytes.left(kHeaderTextLength);
    const bool printable = std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    return printable && text.endsWith(" Program data");
}

LoadResult loadBytes(CPcSoftwareDoc &doc, const QByteArray &bytes)
{
    FileHeader &header = doc.header();
    const qsizetype headerBytes = std::min<qsizetype>(bytes.size(), kHeaderSize);
    std::memcpy(header.data(), bytes.constData(), size_t(headerBytes));

    LoadResult result = LoadResult::Loaded;
    if (headerBytes >= kHeaderTextLength && std::memcmp(header.data(), kHeaderText, kHeaderTextLength) == 0) {
        const qsizetype imageBytes = std::clamp<qsizetype>(bytes.size() - kHeaderSize, 0, kImageSize);
        std::memcpy(doc.image(), bytes.constData() + kHeaderSize, size_t(imageBytes));
    } else {
        // Not a codeplug of this program: keep the header text repaired and
        // take the fallback image instead of the file's bytes.
        std::memcpy(header.data(), kHeaderText, kHeaderTextLength);
        doc.currentImage() = doc.fallbackImage();
        result = looksLikeOtherModel(bytes) ? LoadResult::HeaderMismatch : LoadResult::NotCodeplug;
    }
    doc.UpdateBandLimits();
    return result;
}

LoadResult load(CPcSoftwareDoc &doc, const QString &path, QString *error)
{
    if (const QString refused = FilePaths::whyNotReadable(path); !refused.isEmpty()) {
        if (error)
            *error = refused;
        return LoadResult::ReadError;
    }
    const FileStamp stamp = FileStamp::of(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return LoadResult::ReadError;
    }
    // Never read more than a codeplug file holds, whatever the file's size.
    const QByteArray bytes = file.read(kFileSize);
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return LoadResult::ReadError;
    }
    const LoadResult result = loadBytes(doc, bytes);
    doc.setLoadedFileSize(file.size());
    doc.setDiskStamp(stamp);
    return result;
}

QString sizeNote(const QString &path, qint64 size)
{
    if (size == kFileSize)
        return QString();
    const QString holds = QStringLiteral("%1 holds %2 bytes, not %3").arg(path).arg(size).arg(kFileSize);
    if (size < kFileSize)
        return holds + QStringLiteral(": it is cut short, and the %1 missing bytes read as blank (FF)")
                           .arg(kFileSize - size);
    return holds + QStringLiteral(": the %1 bytes after the codeplug are ignored").arg(size - kFileSize);
}

QByteArray toBytes(const CPcSoftwareDoc &doc)
{
    QByteArray bytes;
    bytes.reserve(kFileSize);
    bytes.append(reinterpret_cast<const char *>(doc.header().data()), kHeaderSize);
    bytes.append(reinterpret_cast<const char *>(doc.image()), kImageSize);
    return bytes;
}

bool save(const CPcSoftwareDoc &doc, const QString &path, QString *error)
{
    if (const QString refused = FilePaths::whyNotWritable(path); !refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    if (!SafeFileWriter::writeFile(path, toBytes(doc), error))
        return false;
    return true;
}

}
