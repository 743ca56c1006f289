#include "app/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

std::atomic<int> g_injectedErrno{0};
std::atomic<qint64> g_injectedAfter{0};

#ifdef Q_OS_WIN
int openNew(const QString &path) { return _wopen(reinterpret_cast<const wchar_t *>(path.utf16()), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE); }
qint64 writeSome(int fd, const char *data, qint64 size) { return _write(fd, data, unsigned(std::min<qint64>(size, 1 << 30))); }
int syncFile(int fd) { return _commit(fd); }
int closeFile(int fd) { return _close(fd); }
int replaceFile(const QString &from, const QString &to)
{
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()), reinterpret_cast<const wchar_t *>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return -1;
}
void keepMode(int, const QString &) {}
void syncFolder(const QString &) {}
#else
int openNew(const QString &path) { return ::open(QFile::encodeName(path).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666); }
qint64 writeSome(int fd, const char *data, qint64 size) { return ::write(fd, data, size_t(size)); }
int syncFile(int fd) { return ::fsync(fd); }
int closeFile(int fd) { return ::close(fd); }
int replaceFile(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData());
}
// A file that replaces another keeps what the user allowed on it.
void keepMode(int fd, const QString &target)
{
    struct stat info {};
    if (::stat(QFile::encodeName(target).constData(), &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(fd, info.st_mode & 07777);
}
// The rename is only durable once the folder is on the disk too. A failure
// here is not reported: the new file is already in place, and saying the
// save failed would be the untruth.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

QString resolvedTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    // Through the link, so the link stays; a dangling one names the file to make.
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

}

SafeFileWriter::SafeFileWriter(const QString &path) : m_path(path), m_target(resolvedTarget(path)) {}

SafeFileWriter::~SafeFileWriter()
{
    discard();
}

void SafeFileWriter::failWritesForTesting(int errnoValue, qint64 afterBytes)
{
    g_injectedAfter = afterBytes;
    g_injectedErrno = errnoValue;
}

QString SafeFileWriter::describeError(int errnoValue)
{
    switch (errnoValue) {
    case ENOSPC: return QStringLiteral("no space left on the device");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("the disk quota is used up");
#endif
    case EFBIG: return QStringLiteral("the file would be larger than the system allows");
    case EACCES:
    case EPERM: return QStringLiteral("permission denied");
    case EROFS: return QStringLiteral("the file system is read-only");
    case EIO: return QStringLiteral("the device reported an input/output error");
    case ENOENT: return QStringLiteral("the folder does not exist");
    case ENOTDIR: return QStringLiteral("a part of the path is not a folder");
    case EISDIR: return QStringLiteral("it is a folder");
    case ENAMETOOLONG: return QStringLiteral("the name is too long");
    case EMFILE:
    case ENFILE: return QStringLiteral("too many files are open");
    case EBUSY: return QStringLiteral("the file is in use");
    case 0: return QStringLiteral("the device accepted no more bytes");
    default: break;
    }
    const QString system = QString::fromLocal8Bit(std::strerror(errnoValue));
    return system.isEmpty() ? QStringLiteral("system error %1").arg(errnoValue) : system;
}

bool SafeFileWriter::fail(int errnoValue)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("cannot write %1: %2").arg(m_path, describeError(errnoValue));
    discard();
    return false;
}

bool SafeFileWriter::open()
{
    discard();
    m_error.clear();
    m_written = 0;
    const QFileInfo target(m_target);
    const QString folder = target.absolutePath();
    const QString stem = QStringLiteral(".%1.").arg(target.fileName());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QDir(folder).filePath(
            stem + QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp"));
        m_fd = openNew(candidate);
        if (m_fd >= 0) {
            m_tempPath = candidate;
            keepMode(m_fd, m_target);
            return true;
        }
        if (errno != EEXIST)
            return fail(errno);
    }
    return fail(EEXIST);
}

bool SafeFileWriter::writeChunk(const char *data, qint64 size)
{
    while (size > 0) {
        qint64 allowed = size;
        const int injected = g_injectedErrno;
        if (injected != 0)
            allowed = std::clamp<qint64>(g_injectedAfter - m_written, 0, size);
        if (allowed == 0)
            return fail(injected);
        const qint64 n = writeSome(m_fd, data, allowed);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(errno);
        if (n == 0)
            return fail(ENOSPC);  // no progress and no reason: nothing more fits
        data += n;
        size -= n;
        m_written += n;
    }
    return true;
}

bool SafeFileWriter::write(const QByteArray &bytes)
{
    if (m_fd < 0) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("cannot write %1: the file is not open").arg(m_path);
        return false;
    }
    return writeChunk(bytes.constData(), bytes.size());
}

bool SafeFileWriter::commit()
{
    if (m_fd < 0) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("cannot write %1: the file is not open").arg(m_path);
        return false;
    }
    if (syncFile(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    // Some file systems (NFS, quotas) report a failed write only here.
    if (closeFile(fd) != 0)
        return fail(errno);
    if (replaceFile(m_tempPath, m_target) != 0)
        return fail(errno);
    m_tempPath.clear();
    syncFolder(QFileInfo(m_target).absolutePath());
    return true;
}

void SafeFileWriter::discard()
{
    if (m_fd >= 0) {
        closeFile(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.isEmpty()) {
        QFile::remove(m_tempPath);
        m_tempPath.clear();
    }
}

bool SafeFileWriter::writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    SafeFileWriter writer(path);
    const bool ok = writer.open() && writer.write(bytes) && writer.commit();
    if (!ok && error)
        *error = writer.errorString();
    return ok;
}
