#pragma once

#include "sections/EditResult.h"

#include <QString>
#include <QStringList>
#include <functional>

class CChannelData;
class CPcSoftwareDoc;
class Prompter;

// Rules shared by every record list: default names, the name entry check,
// the renumbering of one-byte references and the walk over used channels.
namespace ListRules {

// The first of pattern.arg(1), pattern.arg(2), ... pattern.arg(capacity)
// that is not among used (exact, case-sensitive comparison).
QString firstFreeName(const QString &pattern, int capacity, const QStringList &used);

// The name cut to a name field of `units` (a name no list may hold twice);
// when used holds it, the first of "name 2", "name 3", ... that it does not,
// the name cut shorter so that the number still fits the field.
QString uniqueName(const QString &name, int units, const QStringList &used);

// The name entry check of every list form: an empty text is refused
// silently, a text that (cut to the field width) equals one of others is
// refused with "IDS_EXIST_NAME". The caller stores the name when this
// returns true.
bool acceptName(const QString &text, const QStringList &others, Prompter &prompter);

// A reference (0 = none) after record `removed` left its list: the removed
// record becomes none, later records move down by one.
int afterRemoval(int ref, int removed);
// A reference after a record was inserted at `inserted`: references at or
// above it move up by one; one pushed past `bound` becomes none.
int afterInsertion(int ref, int inserted, int bound);

// Calls visit(channels, zone, channel) for every used channel of every used
// zone, walking each list up to its first unnamed record.
void forEachUsedChannel(CPcSoftwareDoc &doc, const std::function<void(CChannelData &, int, int)> &visit);

// Copies count bytes inside the image; nothing happens when either range
// would leave it.
void copyImageBytes(CPcSoftwareDoc &doc, int from, int to, int count);

// Moves the body of a numbered record (contacts and encryption keys: a
// number byte, four ID or key bytes and a 14-unit name) from the record at
// image offset `from` to the one at `to`, as bytes: a setter would rewrite
// what it stores (a key of eight zeros becomes the default key). The number
// byte is the caller's to write; the tail the program never writes stays
// with its slot.
void moveNumberedRecord(CPcSoftwareDoc &doc, int from, int to);

void tellError(Prompter &prompter, const char *textKey);

}
