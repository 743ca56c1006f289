#include "text/CsvTable.h"

#include <QStringDecoder>
#include <csv.h>
#include <algorithm>
#include <cstring>
#include <utility>

struct CsvReader::State
{
    RowHandler handler;
    csv_parser parser{};
    bool initialised = false;
    bool atStart = true;     // a UTF-8 byte-order mark is dropped here only
    QByteArray start;        // the first bytes, until they tell
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
};

namespace {

void onField(void *data, size_t length, void *context)
{
    auto *s = static_cast<CsvReader::State *>(context);
    if (s->stopped)
        return;
    const auto *bytes = static_cast<const char *>(data);
    if (length > 0 && std::memchr(bytes, '\0', length)) {
        s->fail(s->line, QStringLiteral("a field holds a NUL byte"));
        return;
    }
    QString text = s->utf8.decode(QByteArrayView(bytes, qsizetype(length)));
    if (s->utf8.hasError()) {
        s->error = QStringLiteral("the file is not UTF-8 text (line %1)").arg(s->line);
        s->stopped = true;
        return;
    }
    s->row.append(std::move(text));
}

void onRowEnd(int, void *context)
{
    auto *s = static_cast<CsvReader::State *>(context);
    if (!s->stopped && !s->handler(s->row, s->line))
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
    if (!m_state->initialised) {
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
    if (s.atStart) {
        // The first three bytes wait until they tell whether they are the mark.
        const qsizetype taken = std::min<qsizetype>(3 - s.start.size(), size);
        s.start.append(data, taken);
        data += taken;
        size -= taken;
        if (s.start.size() < 3 && QByteArrayView("\xEF\xBB\xBF").startsWith(s.start))
            return true;
        s.atStart = false;
        const QByteArray first = std::exchange(s.start, QByteArray());
        if (first != "\xEF\xBB\xBF" && !feed(first.constData(), first.size()))
            return false;
    }
    // Fed a line at a time, so that each row knows the line it ends on.
    while (size > 0 && !s.stopped) {
        const char *newline = static_cast<const char *>(std::memchr(data, '\n', size_t(size)));
        const size_t length = newline ? size_t(newline - data + 1) : size_t(size);
        if (csv_parse(&s.parser, data, length, onField, onRowEnd, &s) != length && !s.stopped)
            s.fail(s.line, csv_error(&s.parser) == CSV_EPARSE
                               ? QStringLiteral("a quote where CSV allows none (a field with quotes must be quoted "
                                                "whole, its own quotes doubled)")
                               : QString::fromUtf8(csv_strerror(csv_error(&s.parser))));
        if (newline)
            ++s.line;
        data += length;
        size -= qsizetype(length);
    }
    return !s.stopped;
}

bool CsvReader::finish()
{
    State &s = *m_state;
    if (s.stopped)
        return s.error.isEmpty();
    if (s.atStart) {
        s.atStart = false;
        const QByteArray rest = std::exchange(s.start, QByteArray());
        if (!feed(rest.constData(), rest.size()))
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
