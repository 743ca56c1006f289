#include "app/IniFile.h"

#include "app/SafeFileWriter.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

struct Entry
{
    QString key;
    QString value;
};

struct Section
{
    QString name;
    QList<Entry> entries;
    QHash<QString, QString> valueOf;  // lower-case key -> the value of its first entry
};

// What the file system says of a file: enough to tell that it changed.
struct FileStamp
{
    bool isFile = false;
    qint64 size = -1;
    qint64 modifiedNs = 0;  // since the epoch
    bool operator==(const FileStamp &) const = default;
};

FileStamp stampOf(const QString &path)
{
    FileStamp stamp;
#ifdef Q_OS_UNIX
    // One system call: a language text is looked up for every field shown.
    // Qt's resources (the built-in language texts) are not in the file system.
    if (!path.startsWith(u':')) {
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            return stamp;
        stamp.isFile = true;
        stamp.size = st.st_size;
        stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
        return stamp;
    }
#endif
    const QFileInfo info(path);
    if (!info.isFile())
        return stamp;
    stamp.isFile = true;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1'000'000;
    return stamp;
}

struct ParsedFile
{
    FileStamp stamp;
    qint64 readAtNs = 0;  // when the file was parsed
    QByteArray bytes;     // what was parsed
    QList<Section> sections;
    QHash<QString, int> sectionOf;  // lower-case name -> the first section of that name
};

// Blanks and one pair of matching enclosing quotes are not part of a value.
QString cleanValue(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QByteArray readBytes(const QString &path, bool *ok = nullptr)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    return opened ? file.readAll() : QByteArray();
}

QStringList linesOf(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text.split(QLatin1Char('\n'));
}

QStringList readLines(const QString &path, bool *ok = nullptr)
{
    return linesOf(readBytes(path, ok));
}

// "[name]" gives name; anything else gives a null string.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const int close = t.indexOf(QLatin1Char(']'));
    return close < 0 ? t.mid(1).trimmed() : t.mid(1, close - 1).trimmed();
}

ParsedFile parse(const QStringList &lines)
{
    ParsedFile parsed;
    Section *current = nullptr;
    for (const QString &line : lines) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            parsed.sections.append(Section{name, {}, {}});
            current = &parsed.sections.last();
            continue;
        }
        const QString t = line.trimmed();
        if (!current || t.isEmpty() || t.startsWith(QLatin1Char(';')))
            continue;
        const int eq = t.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        current->entries.append(Entry{t.left(eq).trimmed(), cleanValue(t.mid(eq + 1))});
    }
    for (int i = 0; i < parsed.sections.size(); ++i) {
        Section &section = parsed.sections[i];
        if (!parsed.sectionOf.contains(section.name.toLower()))
            parsed.sectionOf.insert(section.name.toLower(), i);
        for (const Entry &e : std::as_const(section.entries)) {
            const QString key = e.key.toLower();
            if (!section.valueOf.contains(key))
                section.valueOf.insert(key, e.value);
        }
    }
    return parsed;
}

constexpr qint64 kRacyWindowNs = 2'000'000'000;
QMutex cacheMutex;
QHash<QString, ParsedFile> cache;

// Looks the value up in a cached parse of the file, re-reading the file when
// its size or time stamp changed. Returns false when the key is missing.
bool lookup(const QString &path, const QString &section, const QString &key, QString *value,
            QStringList *allKeys = nullptr)
{
    const FileStamp stamp = stampOf(path);
    if (!stamp.isFile)
        return false;
    QMutexLocker lock(&cacheMutex);
    ParsedFile &parsed = cache[path];
    // A file written shortly before it was parsed may have been written again
    // within the file system's time stamp resolution, keeping its size and
    // time stamp: its bytes are compared again until it has settled.
    const bool stampChanged = !(parsed.stamp == stamp);
    const bool settled = parsed.readAtNs - parsed.stamp.modifiedNs > kRacyWindowNs;
    if (stampChanged || !settled) {
        const QByteArray bytes = readBytes(path);
        if (stampChanged || bytes != parsed.bytes) {
            parsed = parse(linesOf(bytes));
            parsed.bytes = bytes;
        }
        parsed.stamp = stamp;
        parsed.readAtNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    }
    const auto found = parsed.sectionOf.constFind(section.toLower());
    if (found == parsed.sectionOf.constEnd())
        return false;
    // The first section of that name is the one that counts.
    const Section &s = parsed.sections[*found];
    if (allKeys) {
        for (const Entry &e : s.entries)
            allKeys->append(e.key);
        return true;
    }
    const auto entry = s.valueOf.constFind(key.toLower());
    if (entry == s.valueOf.constEnd())
        return false;
    *value = *entry;
    return true;
}

void forget(const QString &path)
{
    QMutexLocker lock(&cacheMutex);
    cache.remove(path);
}

}

namespace {

// The leading decimal number, as the private-profile integer reader takes it.
int leadingNumber(const QString &value)
{
    int i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == QLatin1Char('-') || value[i] == QLatin1Char('+')))
        negative = value[i++] == QLatin1Char('-');
    qint64 number = 0;
    for (; i < value.size() && value[i].isDigit() && value[i].unicode() < 128; ++i) {
        number = number * 10 + (value[i].unicode() - '0');
        if (number > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return int(negative ? -number : number);
}

}

std::optional<QString> IniFile::find(const QString &path, const QString &section, const QString &key, int bufferSize)
{
    QString value;
    if (!lookup(path, section, key, &value))
        return std::nullopt;
    return bufferSize <= 0 ? QString() : value.left(bufferSize - 1);
}

std::optional<int> IniFile::findInt(const QString &path, const QString &section, const QString &key)
{
    QString value;
    if (!lookup(path, section, key, &value))
        return std::nullopt;
    return leadingNumber(value);
}

QString IniFile::readString(const QString &path, const QString &section, const QString &key,
                            const QString &defaultValue, int bufferSize)
{
    return find(path, section, key, bufferSize).value_or(bufferSize <= 0 ? QString() : defaultValue.left(bufferSize - 1));
}

int IniFile::readInt(const QString &path, const QString &section, const QString &key, int defaultValue)
{
    return findInt(path, section, key).value_or(defaultValue);
}

bool IniFile::writeString(const QString &path, const QString &section, const QString &key, const QString &value,
                          QString *error)
{
    bool existed = false;
    QStringList lines = readLines(path, &existed);
    if (existed && !lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString newLine = key + QLatin1Char('=') + value;

    int sectionStart = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (sectionName(lines[i]).compare(section, Qt::CaseInsensitive) == 0 && !sectionName(lines[i]).isNull()) {
            sectionStart = i;
            break;
        }
    }
    if (sectionStart < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + section + QLatin1Char(']') << newLine;
    } else {
        int lastEntry = sectionStart;
        bool replaced = false;
        for (int i = sectionStart + 1; i < lines.size() && sectionName(lines[i]).isNull(); ++i) {
            const QString t = lines[i].trimmed();
            if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
                continue;
            lastEntry = i;
            const int eq = t.indexOf(QLatin1Char('='));
            if (eq > 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = newLine;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            lines.insert(lastEntry + 1, newLine);
    }

    const bool ok = SafeFileWriter::writeFile(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), error);
    forget(path);
    return ok;
}

QStringList IniFile::keys(const QString &path, const QString &section)
{
    QStringList result;
    QString unused;
    lookup(path, section, QString(), &unused, &result);
    return result;
}
