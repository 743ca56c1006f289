#include "fields/FieldCatalogue.h"

#include "fields/FieldBuilders.h"

#include "app/AppSettings.h"

#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/EncryptData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <algorithm>
#include <cmath>

namespace Fields {

const std::vector<SectionSchema> &schema()
{
    static const std::vector<SectionSchema> sections = [] {
        std::vector<SectionSchema> all;
        for (auto part : {radioSections, channelSections, listSections, settingSections, signallingSections}) {
            auto more = part();
            all.insert(all.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
        }
        return all;
    }();
    return sections;
}

namespace {

void walkRecord(Doc &doc, const RecordSchema &schema, const QString &path, At at, const Walker &walker);

void walkList(Doc &doc, const ListSchema &list, const QString &path, At parent, const Walker &walker)
{
    const int count = std::clamp(list.count(doc, parent), 0, list.capacity(doc, parent));
    if (walker.list)
        walker.list(path, list, parent, count);
    for (int i = 1; i <= count; ++i) {
        const At at = list.itemAt(parent, i);
        const QString recordPath = itemPath(path, i);
        if (list.used && !list.used(doc, at))
            continue;
        if (list.item) {
            if (walker.field && (!walker.wants || walker.wants(*list.item)))
                walker.field(recordPath, *list.item, at);
            continue;
        }
        if (walker.record && list.bytes) {
            const auto [offset, length] = list.bytes(doc, at);
            walker.record(recordPath, offset, length);
        }
        walkRecord(doc, list.record, recordPath, at, walker);
    }
}

void walkRecord(Doc &doc, const RecordSchema &schema, const QString &path, At at, const Walker &walker)
{
    if (walker.field) {
        for (const Field &field : schema.fields) {
            if ((!walker.wants || walker.wants(field)) && isOffered(field, doc))
                walker.field(keyPath(path, field.key), field, at);
        }
    }
    for (const ListSchema &list : schema.lists)
        walkList(doc, list, keyPath(path, list.key), at, walker);
}

}

void walk(Doc &doc, const Walker &walker)
{
    for (const SectionSchema &section : schema()) {
        if (!section.offered(doc))
            continue;
        if (section.list) {
            walkList(doc, *section.list, section.key, At{}, walker);
            continue;
        }
        if (walker.record) {
            for (const auto &[offset, length] : section.bytes)
                walker.record(section.key, offset, length);
        }
        walkRecord(doc, section.record, section.key, At{}, walker);
    }
}

// Built in place: paths are made for every field of every record.
QString itemPath(const QString &listPath, int i)
{
    QString path;
    path.reserve(listPath.size() + 5);
    path += listPath;
    path += u'[';
    path += QString::number(i);
    path += u']';
    return path;
}

QString keyPath(const QString &recordPath, const QString &key)
{
    QString path;
    path.reserve(recordPath.size() + 1 + key.size());
    path += recordPath;
    path += u'.';
    path += key;
    return path;
}

QString decimalText(int units, int scale)
{
    if (scale <= 1)
        return QString::number(units);
    // Halves and tenths need one decimal, quarters two.
    const int decimals = (scale == 2 || scale == 10) ? 1 : 2;
    return QString::number(double(units) / scale, 'f', decimals);
}

std::optional<int> parseDecimal(const QString &text, int scale, bool *exact)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || value < 0 || value > 1e6)
        return std::nullopt;
    const double units = value * scale;
    // Tenths round to the nearest, as the forms' tenths fields read them; other scales cut.
    const int whole = scale == 10 ? int(DecimalTenths::fromText(text.trimmed())) : int(units + 1e-9);
    if (exact)
        *exact = std::abs(units - whole) < 1e-6;
    return whole;
}

std::optional<QString> decimalCommaHint(const QString &text)
{
    bool withPoint = false;
    QString(text.trimmed()).replace(u',', u'.').toDouble(&withPoint);
    if (!withPoint || text.count(u',') != 1)
        return std::nullopt;
    return QStringLiteral("%1: use a point as the decimal mark, not a comma").arg(text.trimmed());
}

Store Store::then(const Store &next) const
{
    if (isRefused())
        return *this;
    if (next.isRefused() || warning.isEmpty())
        return next;
    if (next.warning.isEmpty())
        return *this;
    return corrected(warning + QStringLiteral("; ") + next.warning);
}

const RecordSchema *recordSchema(const QString &path)
{
    const QStringList keys = path.split(u'.');
    const RecordSchema *record = nullptr;
    const std::vector<ListSchema> *lists = nullptr;
    for (const SectionSchema &section : schema()) {
        if (section.key != keys.first())
            continue;
        record = section.list ? &section.list->record : &section.record;
        lists = &record->lists;
    }
    for (qsizetype i = 1; record && i < keys.size(); ++i) {
        const auto found = std::find_if(lists->begin(), lists->end(), [&](const ListSchema &l) { return l.key == keys[i]; });
        record = found == lists->end() ? nullptr : &found->record;
        lists = record ? &record->lists : nullptr;
    }
    return record;
}

const Field *findField(const RecordSchema &record, const QString &key)
{
    for (const Field &field : record.fields) {
        if (field.key == key)
            return &field;
    }
    return nullptr;
}

bool isOffered(const Field &field, const Doc &doc)
{
    return !field.offered || field.offered(doc);
}

bool matters(const Field &field, Doc &doc, At at)
{
    return !field.matters || field.matters(doc, at);
}

bool isValue(const Field &field, int value)
{
    return (value >= field.min && value <= field.max) || (field.special && value == *field.special);
}

namespace {

QString numberText(const Field &field, qint64 value)
{
    return field.kind == Kind::Decimal ? decimalText(int(value), field.scale) : QString::number(value);
}

QString rangeText(const Field &field)
{
    QString text = QStringLiteral("from %1 to %2").arg(numberText(field, field.min), numberText(field, field.max));
    if (field.special)
        text += QStringLiteral(" (or %1)").arg(numberText(field, *field.special));
    return text;
}

// The number entry of a field: the value to store, or a refusal; a
// correction when a number edit would have corrected the value.
Store enterNumber(const Field &field, qint64 &value)
{
    switch (field.kind) {
    case Kind::Bool:
        if (value == 0 || value == 1)
            return Store{};
        return Store::refused(Refuse::Range, QStringLiteral("true or false is expected"));
    case Kind::Choice:
        if (value >= 0 && value < field.choices.size())
            return Store{};
        return Store::refused(Refuse::Choice, QStringLiteral("entry %1 is not in the list of %2 entries").arg(value).arg(field.choices.size()));
    case Kind::Ref:
        if (value >= 0 && value <= field.max)
            return Store{};
        return Store::refused(Refuse::Range, QStringLiteral("a %1 number from 1 to %2 (or none) is expected")
                                                 .arg(targetLabel(field.target)).arg(field.max));
    case Kind::Int:
    case Kind::Decimal:
        break;
    default:
        return Store::refused(Refuse::Range, QStringLiteral("%1 takes no number").arg(field.key));
    }
    if (field.special && value == *field.special)
        return Store{};
    const qint64 given = value;
    Store result;
    if (value < field.min || value > field.max) {
        if (!field.clamps)
            return Store::refused(Refuse::Range, QStringLiteral("a value %1 is expected, not %2").arg(rangeText(field), numberText(field, given)));
        value = std::clamp<qint64>(value, field.min, field.max);
        result = Store::corrected(QStringLiteral("%1 is outside %2: stored as %3")
                                      .arg(numberText(field, given), rangeText(field), numberText(field, value)));
    }
    // The raster value at or below, never below a minimum off the raster.
    const qint64 snapped = std::max<qint64>(value / field.step * field.step, field.min);
    if (snapped != value) {
        const qint64 before = value;
        value = snapped;
        result = result.then(Store::corrected(QStringLiteral("%1 is kept in steps of %2: stored as %3")
                                                  .arg(numberText(field, before), numberText(field, field.step), numberText(field, value))));
    }
    return result;
}

}

namespace {

// A field the model does not offer has no control in its form: it cannot be set.
Store notOffered(const Field &field, const Doc &doc)
{
    return Store::refused(Refuse::NotOffered,
                          QStringLiteral("the model %1 does not offer %2").arg(doc.settings().modelName(), field.key));
}

}

Store setNumber(const Field &field, Doc &doc, At at, qint64 value)
{
    if (!field.setInt)
        return Store::refused(Refuse::Fixed, QStringLiteral("%1 cannot be changed").arg(field.key));
    if (!isOffered(field, doc))
        return notOffered(field, doc);
    const Store entry = enterNumber(field, value);
    if (entry.isRefused())
        return entry;
    return entry.then(field.setInt(doc, at, int(value)));
}

Store setText(const Field &field, Doc &doc, At at, const QString &text)
{
    if (!field.setText)
        return Store::refused(Refuse::Fixed, QStringLiteral("%1 cannot be changed").arg(field.key));
    if (!isOffered(field, doc))
        return notOffered(field, doc);
    if (field.maxLength > 0 && text.size() > field.maxLength && !field.alphabet.isEmpty())
        return Store::refused(Refuse::Symbols, QStringLiteral("at most %1 of the symbols %2 are expected").arg(field.maxLength).arg(field.alphabet));
    if (!field.alphabet.isEmpty()) {
        for (QChar c : text) {
            if (!field.alphabet.contains(c, Qt::CaseInsensitive))
                return Store::refused(Refuse::Symbols, QStringLiteral("\"%1\" is not one of the symbols %2").arg(c).arg(field.alphabet));
        }
    }
    return field.setText(doc, at, text);
}

std::optional<QString> valueText(const Field &field, Doc &doc, At at)
{
    switch (field.kind) {
    case Kind::Bool:
        return field.getInt(doc, at) ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::Int: {
        // A value the field does not take is written as null ("as it is"):
        // any value written would be corrected on the way back.
        const int v = field.getInt(doc, at);
        if (!isValue(field, v))
            return std::nullopt;
        return QString::number(v);
    }
    case Kind::Decimal: {
        const int v = field.getInt(doc, at);
        if (!isValue(field, v))
            return std::nullopt;
        return decimalText(v, field.scale);
    }
    case Kind::Choice: {
        const int v = field.getInt(doc, at);
        if (v < 0 || v >= field.choices.size())
            return std::nullopt;
        return field.choices[v];
    }
    case Kind::Ref: {
        const int v = field.getInt(doc, at);
        if (v < 1 || v > field.max)
            return std::nullopt;
        return QString::number(v);
    }
    case Kind::ChannelRef: {
        const ChannelRef ref = field.getPair(doc, at);
        if (!ref.isSet())
            return std::nullopt;
        return QStringLiteral("[%1, %2]").arg(ref.zone).arg(ref.channel);
    }
    case Kind::Tone:
    case Kind::Text:
    case Kind::Frequency:
        return field.getText(doc, at);
    }
    return std::nullopt;
}

QString targetLabel(Target target)
{
    switch (target) {
    case Target::Channel: return QStringLiteral("channel");
    case Target::ScanList: return QStringLiteral("scan list");
    case Target::RxGroup: return QStringLiteral("RX group list");
    case Target::Contact: return QStringLiteral("contact");
    case Target::EncryptKey: return QStringLiteral("encryption key");
    case Target::EncodeSequence: return QStringLiteral("encode sequence");
    case Target::DecodeSequence: return QStringLiteral("decode sequence");
    case Target::None: break;
    }
    return {};
}

QString targetName(Doc &doc, Target target, int number, int sub)
{
    switch (target) {
    case Target::Channel: {
        const CChannelData channels(doc);
        return channels.GetZoneName(number) + u':' + channels.GetChannelName(number, sub);
    }
    case Target::ScanList: return CScanData(doc).GetName(number);
    case Target::RxGroup: return CRxGroupData(doc).GetName(number);
    case Target::Contact: return CContactData(doc).GetName(number);
    case Target::EncryptKey: return CEncryptData(doc).GetName(number);
    case Target::EncodeSequence: return QStringLiteral("encode sequence %1").arg(number);
    case Target::DecodeSequence: return QStringLiteral("decode sequence %1").arg(number);
    case Target::None: break;
    }
    return {};
}

bool targetExists(Doc &doc, Target target, int number, int sub)
{
    if (number < 1)
        return false;
    switch (target) {
    case Target::Channel: {
        const CChannelData channels(doc);
        return number <= channels.CountZones() && sub >= 1 && sub <= channels.CountChannels(number);
    }
    case Target::ScanList: return number <= CScanData(doc).CountLists();
    case Target::RxGroup: return number <= CRxGroupData(doc).CountLists();
    case Target::Contact: return CContactData(doc).GetNumber(number) != 0;
    case Target::EncryptKey: return number <= CEncryptData(doc).CountEntries();
    case Target::EncodeSequence: return number <= 16;
    case Target::DecodeSequence: return number <= 6;
    case Target::None: break;
    }
    return false;
}

namespace Build {

std::function<bool(const Doc &)> offeredExcept(const QStringList &models)
{
    return [models](const Doc &doc) { return !models.contains(doc.settings().modelName()); };
}

QString resizeList(int now, int wanted, const std::function<EditResult()> &add, const std::function<EditResult(int)> &removeLast)
{
    while (now < wanted) {
        if (!add().ok())
            return QStringLiteral("no record can be added after record %1").arg(now);
        ++now;
    }
    while (now > wanted) {
        if (!removeLast(now).ok())
            return QStringLiteral("the list cannot be cut to %1 records").arg(wanted);
        --now;
    }
    return {};
}

Store storeName(const QString &text, int units, const std::function<void(const QString &)> &store)
{
    if (text.isEmpty())
        return Store::refused(Refuse::EmptyName, QStringLiteral("a name may not be empty"));
    const QString cut = NameField::truncated(text, units);
    store(cut);
    if (cut != text)
        return Store::corrected(QStringLiteral("cut to \"%1\" (%2 characters at most)").arg(cut).arg(units));
    return Store{};
}

}

}
