#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair: the simulator reads and writes the master, the
// program under test opens the slave by its path. The line is made raw at
// once (no echo, no line editing), before any client can open it, and the
// simulator keeps a slave descriptor of its own open so a client closing
// the port never leaves the master hung up.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool open(QString *error);
    void close();
    bool isOpen() const { return m_master >= 0; }

    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

    // Writes every byte, waiting (bounded) while the terminal's buffer is
    // full. False when the line is closed or stays blocked.
    bool writeAll(const char *data, int length);
    bool writeAll(const QByteArray &bytes) { return writeAll(bytes.constData(), int(bytes.size())); }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
