#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A CSV file as a header and rows, read with libcsv: quoted fields with
// commas, quotes and line breaks, Windows line ends and a UTF-8 byte-order
// mark all work; text that is not UTF-8 is refused.
struct CsvTable
{
    QStringList header;
    QList<QStringList> rows;
    QList<int> lines;  // the line each row ends on, 1-based
    QString error;     // set when the file could not be read

    // The column whose header is one of names (case and surrounding space
    // ignored), or -1.
    int column(const QStringList &names) const;

    static CsvTable parse(const QByteArray &bytes);
    // Writes a header and rows, quoting fields where CSV needs it, with
    // Windows line ends as spreadsheets expect.
    static QByteArray write(const QStringList &header, const QList<QStringList> &rows);
};
