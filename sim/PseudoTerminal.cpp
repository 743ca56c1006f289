#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kBlockedWriteLimitMs = 2000;

bool makeRaw(int fd)
{
    termios attributes {};
    if (tcgetattr(fd, &attributes) != 0)
        return false;
    cfmakeraw(&attributes);
    cfsetispeed(&attributes, B57600);
    cfsetospeed(&attributes, B57600);
    attributes.c_cflag |= CLOCAL | CREAD;
    return tcsetattr(fd, TCSANOW, &attributes) == 0;
}

}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(QString *error)
{
    auto fail = [&](const char *step) {
        if (error)
            *error = QStringLiteral("%1 failed: %2").arg(QLatin1String(step), QString::fromLocal8Bit(std::strerror(errno)));
        close();
        return false;
    };
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return fail("posix_openpt");
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return fail("unlockpt");
    char name[128] = {};
    if (ptsname_r(m_master, name, sizeof name) != 0)
        return fail("ptsname");
    m_slavePath = QString::fromLocal8Bit(name);
    if (!makeRaw(m_master))
        return fail("tcsetattr");
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0 || !makeRaw(m_slave))
        return fail("opening the slave");
    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("fcntl");
    return true;
}

void PseudoTerminal::close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
}

bool PseudoTerminal::writeAll(const char *data, int length)
{
    int done = 0;
    while (done < length) {
        if (m_master < 0)
            return false;
        const ssize_t n = ::write(m_master, data + done, size_t(length - done));
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        pollfd waitWritable {m_master, POLLOUT, 0};
        if (poll(&waitWritable, 1, kBlockedWriteLimitMs) <= 0)
            return false;
    }
    return true;
}
