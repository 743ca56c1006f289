#include "app/FileLock.h"

#include "app/SafeFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

FileLock::FileLock(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    m_fd = 0;  // the stamp check before a save still guards the file
#else
    const QFileInfo info(path);
    const QString folder = (info.isSymLink() && info.exists() ? QFileInfo(info.canonicalFilePath()) : info).absolutePath();
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = QStringLiteral("cannot lock %1: %2").arg(path, SafeFileWriter::describeError(errno));
        return;
    }
    int result;
    while ((result = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        m_error = QStringLiteral("cannot lock %1: %2").arg(path, SafeFileWriter::describeError(errno));
        ::close(m_fd);
        m_fd = -1;
    }
#endif
}

FileLock::~FileLock()
{
#ifndef Q_OS_WIN
    if (m_fd >= 0)
        ::close(m_fd);  // closing releases the lock
#endif
}
