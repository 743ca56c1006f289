#pragma once

#include <QByteArray>
#include <QStringList>

class CPcSoftwareDoc;
#include "fields/FieldCatalogue.h"

// Zones and channels as CSV: one row per channel with its zone's name and
// every channel field in the texts of the YAML codeplug; contacts, RX group
// lists, scan lists and encryption keys are named by their names.
namespace ChannelsCsv {

QByteArray exportText(CPcSoftwareDoc &doc);

struct Report
{
    QStringList errors;    // "row 3, column power: ..."; nothing changed when any
    QStringList warnings;
    QStringList notes;     // what an append did, for the user
    bool ok() const { return errors.isEmpty(); }
};

struct Options
{
    // Keep the codeplug's zones and channels and add the rows to them: a
    // row whose zone the codeplug has goes behind that zone's channels,
    // the others make new zones after the codeplug's. Channel names stay
    // unique across all zones, so a row may not repeat a channel's name.
    bool append = false;
};

// Rebuilds the zones (in the order their names first appear) and their
// channels from the rows, through the same rules as the YAML import.
Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options = {});

// A spreadsheet's cell as the YAML codeplug spells the field's value:
// TRUE, Yes and High become true and high; names keep every character,
// other cells lose surrounding spaces.
QString spelled(const Fields::Field &field, const QString &cell);

// Stores one cell's value text (as the YAML codeplug writes values, in any
// of the spellings `spelled` reads) into a field of a record through the
// field's rule. A text that is no value of the field is refused; an empty
// cell of a field that keeps its value on null changes nothing.
Fields::Store storeCell(const Fields::Field &field, CPcSoftwareDoc &doc, Fields::At at, const QString &cell);

}
