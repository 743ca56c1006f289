#include "text/CsvTable.h"

#include <QStringDecoder>
#include <csv.h>

namespace {

struct Collector
{
    QStringList row;
    QList<QStringList> rows;
    QList<int> lines;
    int line = 1;
};

void onField(void *data, size_t length, void *context)
{
    auto *c = static_cast<Collector *>(context);
    c->row.append(QString::fromUtf8(static_cast<const char *>(data), qsizetype(length)));
}

void onRowEnd(int, void *context)
{
    auto *c = static_cast<Collector *>(context);
    c->rows.append(c->row);
    c->lines.append(c->line);
    c->row.clear();
}

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
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(text);  // the decoding runs on this conversion
    if (utf8.hasError()) {
        table.error = QStringLiteral("the file is not UTF-8 text");
        return table;
    }
    csv_parser parser;
    if (csv_init(&parser, CSV_APPEND_NULL) != 0) {
        table.error = QStringLiteral("out of memory");
        return table;
    }
    Collector c;
    // Fed a line at a time, so that each row knows the line it ends on.
    qsizetype start = 0;
    bool failed = false;
    while (start < text.size() && !failed) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        const size_t length = size_t(end - start);
        failed = csv_parse(&parser, text.constData() + start, length, onField, onRowEnd, &c) != length;
        ++c.line;
        start = end;
    }
    --c.line;
    if (!failed)
        csv_fini(&parser, onField, onRowEnd, &c);
    if (failed)
        table.error = QStringLiteral("line %1: %2").arg(c.line).arg(QString::fromUtf8(csv_strerror(csv_error(&parser))));
    csv_free(&parser);
    if (failed)
        return table;
    if (!c.rows.isEmpty()) {
        table.header = c.rows.takeFirst();
        c.lines.removeFirst();
    }
    table.rows = c.rows;
    table.lines = c.lines;
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
