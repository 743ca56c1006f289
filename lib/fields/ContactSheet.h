#pragma once

#include "fields/FieldCatalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

// The contact list as a sheet of value texts, for the paths that change
// several contacts at once: the contact grid's multi-row store and its
// spreadsheet paste. Values are the texts the YAML codeplug writes (a name,
// a call ID), stored through the catalogue's fields; a name or call ID that
// another contact already has is refused as the contact form refuses it.
//
// Rows are positions in the list of contacts in use, 1..count. The gaps a
// file or an undone compaction may leave are closed first, within the same
// change, as the contact form closes them before it changes the list.
namespace ContactSheet {

// The catalogue field of a contact by its key ("name", "call_id"); null
// for any other key.
const Fields::Field *field(const QString &key);

// Stores one value text into contact `contact` (1..count) through the
// field's entry rule. A call ID is read without the spaces around it, as a
// spreadsheet may pad it. A value the contact already has writes nothing;
// a refused one leaves every byte as it was.
Fields::Store store(CPcSoftwareDoc &doc, const Fields::Field &field, int contact, const QString &text);

struct Refusal
{
    int row = 0;
    const Fields::Field *field = nullptr;
    Fields::Store store;
};

struct Result
{
    int stored = 0;   // values stored, with or without a correction
    int added = 0;    // contacts added for rows past the end of the list
    int leftOut = 0;  // rows of a block no contact could be added for
    QList<Refusal> refused;
};

// One value text on the contacts of `rows`, each through store(). Rows that
// refuse keep their value; rows past the list are ignored.
Result setOnRows(CPcSoftwareDoc &doc, const Fields::Field &field, const QList<int> &rows, const QString &text);

// A block of value texts from row `first` on: cell i of a block row goes to
// columns[i] (null: left alone), an empty cell leaves its value. A block row
// past the end of the list becomes a new contact, with the name and call ID
// an addition gives it before the block's texts are stored, for as long as
// the list rules let a contact be added (200 at most, and a free call ID);
// the rows after that are left out and counted. Rows at the end of the
// block with nothing to store are no rows.
Result paste(CPcSoftwareDoc &doc, int first, const QList<const Fields::Field *> &columns, const QList<QStringList> &block);

}
