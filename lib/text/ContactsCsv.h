#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class CPcSoftwareDoc;
class QIODevice;

// The contact list as CSV: export for spreadsheets, and import of contact
// lists, DMR user-database exports (a radio-ID column with a callsign and a
// first name, or a call-ID column with a name column), a hotspot's ID list
// (tab-separated ID, callsign and name without a header) and talk-group
// lists (a Talkgroup or ID column with a Name column).
namespace ContactsCsv {

QByteArray exportText(CPcSoftwareDoc &doc);

// The Call Type column's text of a contact type (0 group, 1 private, 2 all).
QString callTypeText(int type);

struct Options
{
    bool replace = false;  // the rows replace the contact list instead of being appended
    QString match;         // keep only rows where some column contains this text; COLUMN=TEXT: where that column does
    int limit = -1;        // add at most this many of the rows kept (-1: as many as fit)
};

struct Report
{
    QString error;                 // the file could not be used at all; nothing changed
    int added = 0;
    QMap<QString, int> skipped;    // reason -> rows
    // A replace: the references (a channel's contact, an RX group member)
    // whose contact the new list lacks, cleared, by kind.
    QMap<QString, int> clearedReferences;
    // The contacts added that became group calls because their call ID is
    // at or above the group-call start ID (those a Call Type column marks as
    // group calls aside); and, where a Call Type column is, the rows it marks
    // private and group, and those whose ID says otherwise.
    int groupCalls = 0;
    qint32 groupCallStartId = 0;
    int markedPrivate = 0, markedGroup = 0;
    int privateAsGroup = 0, groupAsPrivate = 0;
    bool ok() const { return error.isEmpty(); }
};

// Adds the rows through the contact rules. A replace keeps every reference
// to a contact whose call ID (or, failing that, name) the new list holds,
// pointing it at that contact, and clears and counts the others; rows that a rule refuses, that
// do not match, or that do not fit are counted by reason. The rows are taken
// one at a time as they are read, so importFile needs the memory of the
// contacts kept only, not of the file. On an error the document is as it was.
// What the report says about call types, as lines for the user: how many
// contacts became group calls by the group-call start ID (naming the setting
// that decides it), and what a Call Type column said. Empty when nothing to say.
QString callTypeSummary(const Report &report);

Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options);
Report importFile(QIODevice &in, CPcSoftwareDoc &doc, const Options &options);

}
