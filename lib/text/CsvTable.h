#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Reads CSV text row by row with libcsv, so that a file of any length needs
// the memory of one row only. Text may be fed in pieces of any size. The
// header line decides the separator: comma, semicolon (spreadsheets where
// the comma is the decimal mark) or tab. UTF-8 with or without its
// byte-order mark and UTF-16 with its mark are read; rows of empty cells are
// left out. An error stops the reading and names its line: other text (with
// how to save the file as UTF-8), a NUL byte, and a quoted field still open
// at the end of the text (which would otherwise swallow the rest of the file
// into one field).
class CsvReader
{
public:
    // Called for each row, the header included, with the line the row ends
    // on (1-based); returning false stops the reading without an error.
    using RowHandler = std::function<bool(const QStringList &row, int line)>;

    explicit CsvReader(RowHandler handler);
    ~CsvReader();
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // False once an error was found or the handler stopped the reading.
    bool feed(const char *data, qsizetype size);
    bool feed(const QByteArray &bytes) { return feed(bytes.constData(), bytes.size()); }
    // Ends the text: the last row without a line end, and the check for an
    // open quote. False when there was an error.
    bool finish();
    QString error() const;

    struct State;  // public only so that libcsv's callbacks can reach it

private:
    std::unique_ptr<State> m_state;
};

// A CSV file as a header and rows, read by CsvReader: quoted fields with
// commas, quotes and line breaks and Windows line ends all work. Empty
// header cells at the end of the header (a trailing separator) are dropped.
struct CsvTable
{
    QStringList header;
    QList<QStringList> rows;
    QList<int> lines;  // the line each row ends on, 1-based
    QString error;     // set when the file could not be read

    // The column whose header is one of names (case and surrounding space
    // ignored), or -1.
    int column(const QStringList &names) const;

    // The whole text at once (files that are read whole anyway).
    static CsvTable parse(const QByteArray &bytes);
    // Writes a header and rows, quoting fields where CSV needs it, with
    // Windows line ends as spreadsheets expect.
    static QByteArray write(const QStringList &header, const QList<QStringList> &rows);
};
