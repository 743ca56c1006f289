#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CPcSoftwareDoc;
class Language;

// The text files File > Import and File > Export offer: the YAML codeplug
// and the contacts and channels CSV files of the command line, and (import
// only) repeater lists.
namespace TextFiles {

enum class Kind { YamlCodeplug, ContactsCsv, ChannelsCsv, RepeaterCsv };

// The file-dialog filter of each kind in the language, and the kind a
// chosen filter names. A repeater list is read, never written.
QString filter(Kind kind, const Language &language);
QString importFilters(const Language &language);
QString exportFilters(const Language &language);
Kind kindOfFilter(const QString &filter, const Language &language);

struct ImportResult
{
    QStringList errors;    // nothing was changed when there is any
    QStringList warnings;  // values corrected, rows skipped (with their counts)
    bool ok() const { return errors.isEmpty(); }
};

// The largest file of each kind that File > Import reads (as the command line).
qint64 maxBytes(Kind kind);

// Applies the text to the document through the library's rules. On an
// error the document is exactly as it was. A repeater list's new zones are
// named after sourceName (the file's base name); a channels CSV whose
// header is a repeater list's is read as one.
ImportResult importText(Kind kind, const QByteArray &text, CPcSoftwareDoc &doc, const QString &sourceName = {});
QByteArray exportText(Kind kind, CPcSoftwareDoc &doc);

}
