#pragma once

#include <QByteArray>
#include <QString>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

// A raw pseudo-terminal for port tests: the test plays the radio on the
// master, CMSComm opens the slave by its path (a descriptor of our own keeps
// the slave side alive between clients).
class PtyPair
{
public:
    PtyPair() : m_master(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        termios raw {};
        tcgetattr(m_master, &raw);
        cfmakeraw(&raw);
        tcsetattr(m_master, TCSANOW, &raw);
        m_path = QString::fromLocal8Bit(ptsname(m_master));
        m_keepOpen = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
    }
    ~PtyPair()
    {
        for (int fd : {m_keepOpen, m_master})
            if (fd >= 0)
                ::close(fd);
    }
    QString path() const { return m_path; }

    void write(const QByteArray &bytes) const { [[maybe_unused]] auto n = ::write(m_master, bytes.constData(), bytes.size()); }

    // What the client sent, waiting up to timeoutMs for the first bytes.
    QByteArray read(int timeoutMs = 500) const
    {
        QByteArray bytes;
        pollfd fd {m_master, POLLIN, 0};
        char buffer[512];
        ssize_t n = 0;
        while (poll(&fd, 1, bytes.isEmpty() ? timeoutMs : 20) > 0 && (n = ::read(m_master, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, int(n));
        return bytes;
    }

private:
    int m_master;
    int m_keepOpen = -1;
    QString m_path;
};
