#include "text/CsvTable.h"

#include <QStringDecoder>
#include <optional>
#include <csv.h>
#include <algorithm>
#include <cstring>
#include <utility>

struct CsvReader::State
{
    RowHandler handler;
    csv_parser parser{};
    bool initialised = false;
    bool atStart = true;     // a byte-order mark is looked for here only
    QByteArray start;        // the first bytes, until they tell
    // A UTF-16 file (known by its byte-order mark) is read as the same text
    // in UTF-8; so is everything below.
    std::optional<QStringDecoder> utf16;
    bool delimiterKnown = false;
    QByteArray firstLine;    // held until the header line tells the separator
    char delimiter = ',';
    bool stopped = false;
    QString error;
    QStringList row;
    int line = 1;            // the line being fed
    int rowStartLine = 1;    // where the row being read began
    QStringDecoder utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};

    void fail(int atLine, const QString &what)
    {
        if (error.isEmpty())
            error = QStringLiteral("line %1: %2").arg(atLine).arg(what);
        stopped = true;
    }
    bool feedUtf8(const char *data, qsizetype size);
    bool parseLines(const char *data, qsizetype size);
};

namespace {

const QString kSaveAsUtf8 = QStringLiteral(
    "a file in Windows-1252 or another code page is not read; save it as \"CSV UTF-8\" in the spreadsheet program, "
    "or convert it to UTF-8");

// Unquoted fields lose their surrounding spaces, never their tabs: a tab
// may be the separator.
int isSpace(unsigned char c)
{
    return c == CSV_SPACE;
}

// The separator the header line uses: the most frequent of comma,
// semicolon and tab outside quotes, a comma when none is there.
char delimiterOf(const QByteArray &line)
{
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            ++comma;
        else if (!quoted && c == ';')
            ++semicolon;
        else if (!quoted && c == '\t')
            ++tab;
    }
    if (semicolon > comma && semicolon >= tab)
        return ';';
    return tab > comma ? '\t' : ',';
}

void onField(void *data, size_t length, void *context)
{
    auto *s = static_cast<CsvReader::State *>(context);
    if (s->stopped)
        return;
    const auto *bytes = static_cast<const char *>(data);
    if (length > 0 && std::memchr(bytes, '\0', length)) {
        s->fail(s->line, QStringLiteral("a field holds a NUL byte (so reads UTF-16 text without its byte-order mark: "
                                        "save it as \"CSV UTF-8\" in the spreadsheet program, or convert it to UTF-8)"));
        return;
    }
    QString text = s->utf8.decode(QByteArrayView(bytes, qsizetype(length)));
    if (s->utf8.hasError()) {
        s->error = QStringLiteral("the file is not UTF-8 text (line %1): %2").arg(s->line).arg(kSaveAsUtf8);
        s->stopped = true;
        return;
    }
    s->row.append(std::move(text));
}

void onRowEnd(int, void *context)
{
    auto *s = static_cast<CsvReader::State *>(context);
    // A row of empty cells (a spreadsheet's blank line) is no row.
    const bool blank = std::all_of(s->row.cbegin(), s->row.cend(), [](const QString &cell) { return cell.isEmpty(); });
    if (!s->stopped && !blank && !s->handler(s->row, s->line))
        s->stopped = true;
    s->row.clear();
    s->rowStartLine = s->line + 1;
}

}

// Accessible to the callbacks above through the State it is given.
CsvReader::CsvReader(RowHandler handler) : m_state(std::make_unique<State>())
{
    m_state->handler = std::move(handler);
    // Strict: a stray quote would otherwise silently join the following
    // rows into one field, and an open quote at the end would just end it.
    m_state->initialised = csv_init(&m_state->parser, CSV_APPEND_NULL | CSV_STRICT | CSV_STRICT_FINI) == 0;
    if (m_state->initialised)
        csv_set_space_func(&m_state->parser, isSpace);
    else {
        m_state->error = QStringLiteral("out of memory");
        m_state->stopped = true;
    }
}

CsvReader::~CsvReader()
{
    if (m_state->initialised)
        csv_free(&m_state->parser);
}

QString CsvReader::error() const
{
    return m_state->error;
}

bool CsvReader::feed(const char *data, qsizetype size)
{
    State &s = *m_state;
    if (s.stopped)
        return false;
    if (s.atStart) {
        // The first bytes wait until they tell whether they are a byte-order mark.
        const qsizetype taken = std::min<qsizetype>(3 - s.start.size(), size);
        s.start.append(data, taken);
        data += taken;
        size -= taken;
        const bool maybeMark = QByteArrayView("\xEF\xBB\xBF").startsWith(s.start) || QByteArrayView("\xFF\xFE").startsWith(s.start)
                               || QByteArrayView("\xFE\xFF").startsWith(s.start);
        if (s.start.size() < 3 && maybeMark)
            return true;
        s.atStart = false;
        QByteArray first = std::exchange(s.start, QByteArray());
        if (first.startsWith("\xFF\xFE") || first.startsWith("\xFE\xFF")) {
            s.utf16.emplace(first.startsWith("\xFF") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
            first = first.mid(2);
        } else if (first == "\xEF\xBB\xBF") {
            first.clear();
        }
        if (!first.isEmpty() && !feed(first.constData(), first.size()))
            return false;
    }
    if (!s.utf16)
        return s.feedUtf8(data, size);
    const QString text = (*s.utf16)(QByteArrayView(data, size));
    if (s.utf16->hasError()) {
        s.fail(s.line, QStringLiteral("the file is not UTF-16 text, though it starts with the UTF-16 byte-order mark"));
        return false;
    }
    const QByteArray utf8 = text.toUtf8();
    return s.feedUtf8(utf8.constData(), utf8.size());
}

// The header line is held until it is whole, so that it can tell the separator.
bool CsvReader::State::feedUtf8(const char *data, qsizetype size)
{
    if (!delimiterKnown) {
        const char *newline = static_cast<const char *>(std::memchr(data, '\n', size_t(size)));
        const qsizetype length = newline ? qsizetype(newline - data + 1) : size;
        firstLine.append(data, length);
        if (!newline)
            return true;
        data += length;
        size -= length;
        delimiterKnown = true;
        delimiter = delimiterOf(firstLine);
        csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
        const QByteArray header = std::exchange(firstLine, QByteArray());
        if (!parseLines(header.constData(), header.size()))
            return false;
    }
    return parseLines(data, size);
}

bool CsvReader::State::parseLines(const char *data, qsizetype size)
{
    // Fed a line at a time, so that each row knows the line it ends on.
    while (size > 0 && !stopped) {
        const char *newline = static_cast<const char *>(std::memchr(data, '\n', size_t(size)));
        const size_t length = newline ? size_t(newline - data + 1) : size_t(size);
        if (csv_parse(&parser, data, length, onField, onRowEnd, this) != length && !stopped)
            fail(line, csv_error(&parser) == CSV_EPARSE
                           ? QStringLiteral("a quote where CSV allows none (a field with quotes must be quoted "
                                            "whole, its own quotes doubled)")
                           : QString::fromUtf8(csv_strerror(csv_error(&parser))));
        if (newline)
            ++line;
        data += length;
        size -= qsizetype(length);
    }
    return !stopped;
}

bool CsvReader::finish()
{
    State &s = *m_state;
    if (s.stopped)
        return s.error.isEmpty();
    if (s.atStart) {
        s.atStart = false;
        const QByteArray rest = std::exchange(s.start, QByteArray());
        if (rest.startsWith("\xFF\xFE") || rest.startsWith("\xFE\xFF"))
            s.utf16.emplace(rest.startsWith("\xFF") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        else if (rest != "\xEF\xBB\xBF" && !s.feedUtf8(rest.constData(), rest.size()))
            return s.error.isEmpty();
    }
    if (!s.delimiterKnown) {
        s.delimiterKnown = true;
        s.delimiter = delimiterOf(s.firstLine);
        csv_set_delim(&s.parser, static_cast<unsigned char>(s.delimiter));
        const QByteArray header = std::exchange(s.firstLine, QByteArray());
        if (!s.parseLines(header.constData(), header.size()))
            return s.error.isEmpty();
    }
    if (csv_fini(&s.parser, onField, onRowEnd, &s) != 0 && s.error.isEmpty())
        s.fail(s.rowStartLine, csv_error(&s.parser) == CSV_EPARSE
                                   ? QStringLiteral("a quoted field is not closed before the end of the file")
                                   : QString::fromUtf8(csv_strerror(csv_error(&s.parser))));
    s.stopped = true;
    return s.error.isEmpty();
}

int CsvTable::column(const QStringList &names) const
{
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header[i].trimmed();
        for (const QString &wanted : names) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    return -1;
}

CsvTable CsvTable::parse(const QByteArray &bytes)
{
    CsvTable table;
    bool first = true;
    CsvReader reader([&](const QStringList &row, int line) {
        if (first)
            table.header = row;
        else {
            table.rows.append(row);
            table.lines.append(line);
        }
        first = false;
        return true;
    });
    if (!reader.feed(bytes) || !reader.finish()) {
        table = CsvTable();
        table.error = reader.error();
    }
    // A spreadsheet's trailing separator makes an empty last column.
    while (!table.header.isEmpty() && table.header.last().trimmed().isEmpty())
        table.header.removeLast();
    return table;
}

QByteArray CsvTable::write(const QStringList &header, const QList<QStringList> &rows)
{
    QByteArray out;
    const auto writeRow = [&out](const QStringList &row) {
        for (int i = 0; i < row.size(); ++i) {
            if (i)
                out.append(',');
            const QByteArray field = row[i].toUtf8();
            QByteArray quoted(int(field.size()) * 2 + 2, '\0');
            const size_t written = csv_write(quoted.data(), size_t(quoted.size()), field.constData(), size_t(field.size()));
            out.append(quoted.constData(), qsizetype(written));
        }
        out.append("\r\n");
    };
    writeRow(header);
    for (const QStringList &row : rows)
        writeRow(row);
    return out;
}
