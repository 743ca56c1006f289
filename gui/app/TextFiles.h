#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CPcSoftwareDoc;

// The text files File > Import and File > Export offer: the YAML codeplug
// and the contacts and channels CSV files of the command line.
namespace TextFiles {

enum class Kind { YamlCodeplug, ContactsCsv, ChannelsCsv };

// The file-dialog filter of each kind, and the kind a chosen filter names.
QString filter(Kind kind);
QString filters();
Kind kindOfFilter(const QString &filter);

struct ImportResult
{
    QStringList errors;    // nothing was changed when there is any
    QStringList warnings;  // values corrected, rows skipped (with their counts)
    bool ok() const { return errors.isEmpty(); }
};

// The largest file of each kind that File > Import reads (as the command line).
qint64 maxBytes(Kind kind);

// Applies the text to the document through the library's rules. On an
// error the document is exactly as it was.
ImportResult importText(Kind kind, const QByteArray &text, CPcSoftwareDoc &doc);
QByteArray exportText(Kind kind, CPcSoftwareDoc &doc);

}
