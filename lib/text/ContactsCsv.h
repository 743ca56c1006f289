#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class CPcSoftwareDoc;
class QIODevice;

// The contact list as CSV: export for spreadsheets, and import of contact
// lists and DMR user-database exports (a radio-ID column with a callsign and
// a first name, or a call-ID column with a name column).
namespace ContactsCsv {

QByteArray exportText(CPcSoftwareDoc &doc);

struct Options
{
    bool replace = false;  // the rows replace the contact list instead of being appended
    QString match;         // keep only rows where some column contains this text
    int limit = -1;        // add at most this many contacts (-1: as many as fit)
};

struct Report
{
    QString error;                 // the file could not be used at all; nothing changed
    int added = 0;
    QMap<QString, int> skipped;    // reason -> rows
    // A replace: the references (a channel's contact, an RX group member)
    // whose contact the new list lacks, cleared, by kind.
    QMap<QString, int> clearedReferences;
    bool ok() const { return error.isEmpty(); }
};

// Adds the rows through the contact rules. A replace keeps every reference
// to a contact whose call ID (or, failing that, name) the new list holds,
// pointing it at that contact, and clears and counts the others; rows that a rule refuses, that
// do not match, or that do not fit are counted by reason. The rows are taken
// one at a time as they are read, so importFile needs the memory of the
// contacts kept only, not of the file. On an error the document is as it was.
Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options);
Report importFile(QIODevice &in, CPcSoftwareDoc &doc, const Options &options);

}
