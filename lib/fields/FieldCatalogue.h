#pragma once

#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/Encodings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The field catalogue: every field of every section declared once, with its
// key, kind, limits, raster, special value, symbols, choices and the models
// that offer it. The YAML export and import, the CSV files, the diff and the
// forms all read and store values through it, so a limit, a correction or a
// refusal exists in one place. Every value is read and stored through the
// section accessors and entry rules; nothing here knows a byte offset except
// the record ranges the diff uses to tell covered from uncovered bytes.
namespace Fields {

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

// The outcome of storing one value: stored; stored with a correction (the
// form would have corrected it the same way) and what was corrected; or
// refused, with the message key a form shows and the reason as text.
struct Store
{
    QString error;    // refused: why
    QString warning;  // corrected: how
    QString key;      // refused: the message key ("IDS_...") of the reason

    enum class Outcome { Stored, Corrected, Refused };
    Outcome outcome() const { return !error.isEmpty() ? Outcome::Refused : !warning.isEmpty() ? Outcome::Corrected : Outcome::Stored; }
    bool isRefused() const { return !error.isEmpty(); }

    static Store refused(const QString &key, const QString &why) { return Store{why, {}, key}; }
    static Store corrected(const QString &how) { return Store{{}, how, {}}; }
    // The first refusal, else every correction.
    Store then(const Store &next) const;
};

// The message keys of the catalogue's refusals (texts in both language files).
namespace Refuse {
inline const QString Range = QStringLiteral("IDS_FIELD_RANGE");          // not a value of the field
inline const QString Choice = QStringLiteral("IDS_FIELD_CHOICE");        // not an entry of the list
inline const QString Symbols = QStringLiteral("IDS_FIELD_SYMBOLS");      // a symbol the field does not take
inline const QString Tone = QStringLiteral("IDS_FIELD_TONE");            // not a tone of the selector
inline const QString Frequency = QStringLiteral("IDS_FIELD_FREQUENCY");  // not a frequency in the band
inline const QString EmptyName = QStringLiteral("IDS_FIELD_EMPTY_NAME");
inline const QString Fixed = QStringLiteral("IDS_FIELD_FIXED");          // chosen when the codeplug is made
inline const QString NotOffered = QStringLiteral("IDS_FIELD_NOT_OFFERED");
inline const QString ReservedId = QStringLiteral("IDS_FIELD_RESERVED_ID");
inline const QString Members = QStringLiteral("IDS_FIELD_MEMBERS");      // a member list the list rules refuse
}

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
    int step = 1;    // Int, Decimal: stored in steps of this many units
    int scale = 1;   // Decimal: units per whole
    // A value outside [min, max] that the field also takes, shown as a word
    // ("Off", "Continuous"): the language key of that word.
    std::optional<int> special;
    QString specialKey;
    // Entered through a number edit: a value past a limit becomes the limit
    // and one off the raster the raster value below it, each a correction.
    // Without it (a drop-down list) such a value is refused.
    bool clamps = false;
    QStringList choices;
    // Text: the symbols it may hold (empty: any) and the most it holds (0: no
    // limit of its own). Int, Decimal: the characters its number edit takes
    // (0: as many as its widest value needs).
    QString alphabet;
    int maxLength = 0;
    // The models that offer the field; all when not set.
    std::function<bool(const Doc &)> offered;
    // Whether the record's other values give the field a use (a digital
    // channel has no use for its analog data); always when not set. What
    // has none is still stored and written, but forms grey it.
    std::function<bool(Doc &, At)> matters;
    // Other fields decide its value (the mode decides the bandwidth): a
    // store takes their value whatever is entered, so views show it
    // without offering to change it.
    bool followsOthers = false;
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
    // The records in use: 1..count. A list whose records may leave gaps
    // (`used` is set) counts up to its last record in use, and an item that
    // is not is written as null.
    std::function<int(Doc &, At parent)> count;
    std::function<bool(Doc &, At)> used;
    // Puts records into and takes them out of the slots: used[i] for slot
    // i + 1, every slot after the list taken out. An error text when refused.
    std::function<QString(Doc &, At parent, const QList<bool> &used)> layout;
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

// The fields of a section's records by their key path: "option_features",
// "scan_lists", "zones.channels". Null when there is no such record.
const RecordSchema *recordSchema(const QString &path);
// The field of a record by its key; null when it has none.
const Field *findField(const RecordSchema &record, const QString &key);

// The section lists by part (one file each).
std::vector<SectionSchema> radioSections();
std::vector<SectionSchema> channelSections();
std::vector<SectionSchema> listSections();
std::vector<SectionSchema> settingSections();
std::vector<SectionSchema> signallingSections();

// A field's value as the text written to YAML and printed by the diff, or
// nothing when the stored value has none (an unset reference, a choice the
// stored byte names no entry of, a number outside the field's values).
std::optional<QString> valueText(const Field &field, Doc &doc, At at);

// Whether the model of the document offers the field.
bool isOffered(const Field &field, const Doc &doc);
// Whether the field has a use in the record at `at` (see Field::matters).
bool matters(const Field &field, Doc &doc, At at);
// Whether a stored number is one of the field's values (within its limits or its special value).
bool isValue(const Field &field, int value);

// Stores a number (Bool, Int, Decimal in units, Choice, Ref) by the field's
// entry rule (a field the model does not offer is refused): the special value as it is; out of range or off the raster
// corrected as a number edit corrects it, or refused for a list; then
// through the section's rule.
Store setNumber(const Field &field, Doc &doc, At at, qint64 value);
// Stores a text (Text, Frequency, Tone): the field's symbols and length are
// checked, then the section's rule decides.
Store setText(const Field &field, Doc &doc, At at, const QString &text);

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

// "3.25", ... and back.
QString decimalText(int units, int scale);
std::optional<int> parseDecimal(const QString &text, int scale, bool *exact);
// A spreadsheet set to a decimal comma writes 434,125 or 67,0: the hint to
// use a point, when a point in place of the one comma makes a number.
std::optional<QString> decimalCommaHint(const QString &text);

}
