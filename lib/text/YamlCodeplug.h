#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class CPcSoftwareDoc;
struct YamlNode;

// The codeplug as one YAML document (format rq381-codeplug, version 1).
namespace YamlCodeplug {

// Every field of every section the model offers, in the units and texts
// the forms show; references carry the named record's name as a comment.
QByteArray exportText(CPcSoftwareDoc &doc);

// A problem of an import, located by YAML key path and 1-based line
// (0 when the problem has no line of its own).
struct Message
{
    QString path;
    int line = 0;
    QString text;
    QString toString() const;
};

struct ImportReport
{
    QList<Message> errors;
    QList<Message> warnings;
    bool ok() const { return errors.isEmpty(); }
};

struct ImportOptions
{
    // A list the text shortens: refuse references elsewhere to the removed
    // records (the YAML codeplug), or let them follow as a list deletion
    // does (the channels CSV, which rebuilds the zones).
    bool releaseRemovedReferences = false;
    // References follow the records of named lists (channels, scan lists,
    // RX group lists, contacts, encryption keys) that the text moves or
    // removes: a reference the text leaves as the starting document has it
    // names the record it named there, found again by its name (and, for a
    // channel, its zone's name); one whose record is gone becomes none, with
    // a warning. For a text made from the starting document (an export
    // edited and read back); a default codeplug's numbering means nothing
    // to a text, and the references are then taken as written.
    bool followRecords = false;
};

// Applies a YAML codeplug to the document: what the text leaves out keeps
// the document's values, a list that is present replaces the whole list.
// On any error the document is left exactly as it was.
ImportReport importText(const QByteArray &text, CPcSoftwareDoc &doc, const ImportOptions &options = {});
// The same for a document already read, or built by another import.
ImportReport importTree(const YamlNode &root, CPcSoftwareDoc &doc, const ImportOptions &options = {});

// The model and frequency range the text names (empty / -1 when it names
// none), so that a caller can make the default codeplug it starts from.
struct Origin
{
    QString model;
    int rangeIndex = -1;
};
Origin originOf(const QByteArray &text);

constexpr char kFormat[] = "rq381-codeplug";
constexpr int kVersion = 1;

}
