#include "app/FilePaths.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// What a path names that is neither missing nor a regular file, or empty.
QString specialKind(const QString &path)
{
    std::error_code error;
    const auto status = std::filesystem::status(nativePath(path), error);  // follows links
    if (error)
        return QString();
    switch (status.type()) {
    case std::filesystem::file_type::directory: return QStringLiteral("a folder");
    case std::filesystem::file_type::block:
    case std::filesystem::file_type::character: return QStringLiteral("a device");
    case std::filesystem::file_type::fifo: return QStringLiteral("a FIFO");
    case std::filesystem::file_type::socket: return QStringLiteral("a socket");
    case std::filesystem::file_type::regular:
    case std::filesystem::file_type::not_found:
    case std::filesystem::file_type::none: return QString();
    default: return QStringLiteral("not a regular file");
    }
}

QString refusal(const QString &path, const QString &kind)
{
    return kind.startsWith(QLatin1String("not "))
        ? QStringLiteral("%1 is %2").arg(path, kind)
        : QStringLiteral("%1 is %2, not a regular file").arg(path, kind);
}

// The canonical form of a path whose last part may not exist yet.
QString resolvedPath(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = info.absoluteDir().canonicalPath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + QLatin1Char('/') + info.fileName();
}

}

namespace FilePaths {

QString whyNotWritable(const QString &path)
{
    if (path.isEmpty())
        return QStringLiteral("no file name given");
    if (const QString kind = specialKind(path); !kind.isEmpty())
        return refusal(path, kind);
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("cannot write %1: the folder %2 does not exist").arg(path, info.absolutePath());
    if (!folder.isWritable())
        return QStringLiteral("cannot write %1: the folder %2 is not writable").arg(path, info.absolutePath());
    return QString();
}

QString whyNotReadable(const QString &path)
{
    if (const QString kind = specialKind(path); !kind.isEmpty())
        return refusal(path, kind);
    return QString();
}

QString whyNotImportable(const QString &path, qint64 maxBytes)
{
    if (const QString refused = whyNotReadable(path); !refused.isEmpty())
        return refused;
    const QFileInfo info(path);
    if (info.exists() && info.size() > maxBytes)
        return QStringLiteral("%1 holds %2 bytes, more than the %3 MB this import reads")
            .arg(path)
            .arg(info.size())
            .arg(maxBytes >> 20);
    return QString();
}

SaveTarget saveTarget(const QString &typed, const QString &extension, Extension rule)
{
    SaveTarget target;
    target.path = typed;
    const QString fileName = QFileInfo(typed).fileName();
    const bool add = rule == Extension::IfNone
                         ? !fileName.contains(QLatin1Char('.'))
                         : !fileName.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive);
    if (!fileName.isEmpty() && add)
        target.path += QLatin1Char('.') + extension;
    if (const QString kind = specialKind(target.path); !kind.isEmpty()) {
        target.kind = SaveTarget::Kind::Refused;
        target.reason = refusal(target.path, kind);
    } else if (QFileInfo::exists(target.path)) {
        target.kind = SaveTarget::Kind::Existing;
    }
    return target;
}

bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    if (std::filesystem::equivalent(nativePath(a), nativePath(b), error) && !error)
        return true;
    return resolvedPath(a) == resolvedPath(b);
}

}
