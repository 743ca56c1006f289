#pragma once

#include "fields/FieldCatalogue.h"

#include <QHash>
#include <QString>

// Where the records of a named list went when a file rewrote the list: a
// file that reorders or deletes rows moves records, and the references to
// them (scan-list members, priority channels, a channel's contact, ...)
// must follow the record they named, not the place it had.
namespace RecordMoves {

// A record's place: (zone, channel) for a channel, (number, 0) for the others.
using Pos = qint64;
inline Pos pos(int number, int sub = 0) { return (Pos(number) << 16) | Pos(sub & 0xFFFF); }
inline int numberOf(Pos p) { return int(p >> 16); }
inline int subOf(Pos p) { return int(p & 0xFFFF); }

// The lists whose records carry names: channels, scan lists, RX group
// lists, contacts and encryption keys.
bool isNamed(Fields::Target target);

// The names of a list's records in use, by place. A channel is named by
// its zone's name and its own, apart by kZoneSeparator.
using Names = QHash<Pos, QString>;
inline constexpr QChar kZoneSeparator{0x1F};
Names namesOf(CPcSoftwareDoc &doc, Fields::Target target);

// Where each record of `before` is in `after`, listed only for records
// that moved (to their new place) or are gone (0). A record is found by its
// name when that name is unique on both sides; a channel, failing that, by
// its own name alone. A record whose name is gone
// keeps its place when the record there now has a name the list did not
// hold (it was renamed); one whose name is not unique keeps its place while
// that place is in use.
QHash<Pos, Pos> moves(const Names &before, const Names &after);

}
