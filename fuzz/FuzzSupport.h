#pragma once

// What every fuzz target shares: a private configuration folder with the
// shipped setting.ini and language files, and settings read from it.

#include "app/AppSettings.h"
#include "app/Prompter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace fuzz {

inline QTemporaryDir &configDir()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
        const QDir source(QStringLiteral(RQ381_SOURCE_DIR "/lang"));
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), QDir(dir.path()).filePath(name));
        return true;
    }();
    (void)filled;
    return dir;
}

inline AppSettings &settings()
{
    static AppSettings settings(configDir().path());
    static const bool loaded = (settings.load(), true);
    (void)loaded;
    return settings;
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Writes the bytes to a file of the configuration folder and gives it a
// new modification time, so that no cache mistakes it for the last input.
inline QString writeInput(const QString &name, const QByteArray &content)
{
    static qint64 stamp = 0;
    const QString path = QDir(configDir().path()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return path;
    file.write(content);
    file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++stamp), QFileDevice::FileModificationTime);
    return path;
}

// Answers every question with OK, as a user clicking through would.
class SilentPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &) override { return PromptAnswer::Ok; }
};

// A scripted reply begins with one byte that says how many of the bytes
// asked for arrive: 0xFF all of them, any other value that many at most.
inline int replyLength(uint8_t selector, int count)
{
    return selector == 0xFF ? count : std::min(count, int(selector));
}

// Hands out the bytes of an input in turn; zeros once they are used up.
class ByteStream
{
public:
    ByteStream(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    uint8_t next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int nextInt(int bound) { return bound > 0 ? next() % bound : 0; }
    // Up to count bytes; fewer (or none) when the input ends.
    size_t take(uint8_t *dest, size_t count)
    {
        size_t n = 0;
        while (n < count && m_pos < m_size)
            dest[n++] = m_data[m_pos++];
        return n;
    }
    bool empty() const { return m_pos >= m_size; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

}
