#pragma once

#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/Encodings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The codeplug as a tree of named fields: one description of every section,
// record and field that the YAML export, the YAML import, the diff and the
// CSV files all walk. Every value is read and stored through the section
// accessors and entry rules; nothing here knows a byte offset except the
// record ranges the diff uses to tell covered from uncovered bytes.
namespace CodeplugText {

// Which record a field belongs to: (zone, channel), (list, member slot),
// (record, 0), or (0, 0) for a section that is one record.
struct At
{
    int record = 0;
    int sub = 0;
};

enum class Kind {
    Bool,        // true / false
    Int,         // a whole number within [min, max]; with step > 1 it is rounded down to a multiple
    Decimal,     // a number of `scale` units per whole (0.25 s steps, 0.1 s steps, ...)
    Choice,      // one of `choices`, stored as its position
    Ref,         // the number of a record of `target`; null for none
    ChannelRef,  // [zone, channel]; null for none
    Text,        // a quoted text: names, IDs, digit strings
    Frequency,   // MHz as the frequency text
    Tone,        // "67.0", "D023N", "D754I" or none
};

// The list a reference names.
enum class Target { None, Channel, ScanList, RxGroup, Contact, EncryptKey, EncodeSequence, DecodeSequence };

// The outcome of storing one value: refused with a reason, or stored,
// possibly corrected as the form would correct it.
struct Store
{
    QString error;
    QString warning;
    static Store refused(const QString &why) { return Store{why, {}}; }
    static Store corrected(const QString &how) { return Store{{}, how}; }
};

using Doc = CPcSoftwareDoc;

struct Field
{
    QString key;
    Kind kind = Kind::Int;
    // Bool, Int, Decimal, Choice and Ref values as numbers; Text, Frequency
    // and Tone as text; ChannelRef as a pair.
    std::function<int(Doc &, At)> getInt;
    std::function<Store(Doc &, At, int)> setInt;
    std::function<QString(Doc &, At)> getText;
    std::function<Store(Doc &, At, const QString &)> setText;
    std::function<ChannelRef(Doc &, At)> getPair;
    std::function<Store(Doc &, At, ChannelRef)> setPair;
    int min = 0;
    int max = 255;
    int step = 1;    // Int: stored in steps of this many units
    int scale = 1;   // Decimal: units per whole
    QStringList choices;
    Target target = Target::None;
    bool isRecordName = false;  // unique within its list
    bool isCallId = false;      // unique within the contacts
};

struct ListSchema;

// The fields of one record (or of a one-record section) and its nested lists.
struct RecordSchema
{
    std::vector<Field> fields;
    std::vector<ListSchema> lists;
};

// A list of records (or of single values, such as a list's members).
// Growing and shrinking go through the list operations the forms use.
struct ListSchema
{
    QString key;
    std::function<int(Doc &, At parent)> count;
    std::function<int(Doc &, At parent)> capacity;
    int minimum = 1;  // the lists that may not be emptied
    // Brings the list to n records; an error text when the list refuses.
    std::function<QString(Doc &, At parent, int n)> resize;
    // The record of item i under parent.
    std::function<At(At parent, int i)> itemAt;
    // The record's name, for comments and messages.
    std::function<QString(Doc &, At)> name;
    // The record's bytes in the image, for the diff: offset and length.
    std::function<std::pair<int, int>(Doc &, At)> bytes;
    RecordSchema record;          // records that are mappings
    std::optional<Field> item;  // or a list of single values (members), read at itemAt(parent, i) ...
    // ... and stored as a whole: record numbers or channel pairs.
    std::function<Store(Doc &, At parent, const QList<int> &)> storeNumbers;
    std::function<Store(Doc &, At parent, const QList<ChannelRef> &)> storePairs;
    Target kind = Target::None; // what a reference to these records is
};

struct SectionSchema
{
    QString key;
    std::function<bool(const Doc &)> offered;  // whether the model has the section
    std::optional<ListSchema> list;              // a list section ...
    RecordSchema record;                         // ... or a one-record section
    std::vector<std::pair<int, int>> bytes;    // one-record sections: their image ranges
};

// Every section, in the order of the YAML document.
const std::vector<SectionSchema> &schema();

// The section lists by part (one file each).
std::vector<SectionSchema> radioSections();
std::vector<SectionSchema> channelSections();
std::vector<SectionSchema> listSections();
std::vector<SectionSchema> settingSections();
std::vector<SectionSchema> signallingSections();

// A field's value as the text written to YAML and printed by the diff, or
// nothing when the stored value has none (an unset reference, a choice the
// stored byte names no entry of).
std::optional<QString> valueText(const Field &field, Doc &doc, At at);

// The name of record `number` of a target list, for comments ("" when none).
QString targetName(Doc &doc, Target target, int number, int sub = 0);
// Whether the record a reference names is in use.
bool targetExists(Doc &doc, Target target, int number, int sub = 0);
QString targetLabel(Target target);

// Walks every field of every record in use, in document order. Paths are
// the YAML key paths with 1-based record numbers: zones[1].channels[3].name.
struct Walker
{
    std::function<void(const QString &path, const Field &, At)> field;
    // The fields `field` is called for; all when not set.
    std::function<bool(const Field &)> wants;
    // A list, with the number of records in use.
    std::function<void(const QString &path, const ListSchema &, At parent, int count)> list;
    // A record or a one-record section with its image bytes (offset, length).
    std::function<void(const QString &path, int offset, int length)> record;
};
void walk(Doc &doc, const Walker &walker);

// "zones[3]": the path of item i of a list; "zones[3].name": of a key.
QString itemPath(const QString &listPath, int i);
QString keyPath(const QString &recordPath, const QString &key);

// "true"/"false", "3.25", ... and back.
QString decimalText(int units, int scale);
std::optional<int> parseDecimal(const QString &text, int scale, bool *exact);

}
