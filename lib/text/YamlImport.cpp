#include "text/YamlCodeplug.h"

#include "fields/FieldCatalogue.h"
#include "fields/RecordMends.h"
#include "text/RecordMoves.h"
#include "text/YamlTree.h"
#include "text/YamlValue.h"
#include "text/YamlWriter.h"

#include "app/AppSettings.h"
#include "sections/ChannelData.h"

#include <QHash>
#include <QSet>

#include <map>
#include <memory>

namespace YamlCodeplug {

using namespace Fields;
using RecordMoves::Pos;

namespace {

int lineOf(const YamlNode &node) { return node.line; }

// A stored field, remembered for the checks that need the whole result.
struct Stored
{
    QString path;
    int line = 0;
    const Field *field = nullptr;
    At at;
    QString scope;  // the list whose names or IDs must stay unique
};

// A reference of the starting document, for telling which ones a shrunk
// list left without their record.
struct RefBefore
{
    QString path;
    QString owner;
    Target target = Target::None;
    int number = 0;
    int sub = 0;
    const Field *field = nullptr;
};

// A member list of the starting document (scan-list members, RX group
// members), for following its members when the text moves their records.
struct MembersBefore
{
    QString path;
    const ListSchema *list = nullptr;
    Target target = Target::None;
    QList<Pos> members;
};

// A reference as the text gives it, with its line.
struct TextRef
{
    Pos value = 0;
    int line = 0;
};

class Importer
{
public:
    Importer(CPcSoftwareDoc &doc, const ImportOptions &options) : m_doc(doc), m_options(options) {}

    ImportReport run(const QByteArray &text)
    {
        const YamlDocument parsed = parseYaml(text);
        if (!parsed.ok()) {
            error(QString(), parsed.errorLine, parsed.error);
            return m_report;
        }
        return run(parsed.root);
    }

    ImportReport run(const YamlNode &root)
    {
        if (!root.isMapping()) {
            error(QString(), lineOf(root), QStringLiteral("a YAML mapping with the codeplug's sections is expected"));
            return m_report;
        }
        const auto saved = std::make_unique<Image>(m_doc.currentImage());
        apply(root);
        // The records the text changed get the mends their forms give them
        // when shown; what those correct is reported as any correction.
        if (m_report.ok()) {
            for (const Mends::Correction &correction : Mends::mendChanged(m_doc, *saved))
                warning(correction.path, 0, correction.text);
        }
        if (!m_report.ok())
            m_doc.currentImage() = *saved;
        return m_report;
    }

private:
    void error(const QString &path, int line, const QString &text) { m_report.errors.append(Message{path, line, text}); }
    void warning(const QString &path, int line, const QString &text) { m_report.warnings.append(Message{path, line, text}); }

    void apply(const YamlNode &root)
    {
        checkHeader(root);
        QHash<QString, const SectionSchema *> sections;
        for (const SectionSchema &section : schema())
            sections.insert(section.key, &section);
        for (int i = 0; i < root.size(); ++i) {
            const YamlNode &key = root.keyAt(i);
            if (key.scalar == QLatin1String("format") || key.scalar == QLatin1String("version"))
                continue;
            const SectionSchema *section = sections.value(key.scalar);
            if (!section)
                error(key.scalar, lineOf(key), QStringLiteral("unknown key"));
            else if (!section->offered(m_doc))
                error(key.scalar, lineOf(key), QStringLiteral("the model %1 has no such section").arg(m_doc.settings().modelName()));
        }
        if (!m_report.ok())
            return;

        m_root = &root;
        const QList<RefBefore> before = references();
        if (m_options.followRecords) {
            for (Target target : {Target::Channel, Target::ScanList, Target::RxGroup, Target::Contact, Target::EncryptKey})
                m_namesBefore[target] = RecordMoves::namesOf(m_doc, target);
            m_membersBefore = memberLists();
        }
        const CChannelData channels(m_doc);
        for (int zone = 1; zone <= channels.CountZones(); ++zone)
            m_startChannels.insert(zone, channels.CountChannels(zone));
        // Lists first take their new lengths, so that no list operation
        // afterwards overwrites a value the text sets.
        for (const SectionSchema &section : schema()) {
            const YamlNode *node = root.value(section.key);
            if (node && section.list && node->isSequence())
                resize(*section.list, *node, At{}, section.key);
        }
        for (const SectionSchema *section : applyOrder()) {
            const YamlNode *node = root.value(section->key);
            if (!node)
                continue;
            if (section->list)
                applyList(*section->list, *node, At{}, section->key);
            else
                applyRecord(section->record, *node, At{}, section->key);
        }
        if (m_report.ok() && m_options.followRecords)
            followRecords(before);
        if (m_report.ok())
            checkResult(before);
    }

    // The rules of some fields change other sections: the group-call start ID
    // and a contact's call ID decide RX group membership, and an RX group
    // list left without members releases its channels. Those sections go
    // first, so that the values the text gives elsewhere have the last word.
    static std::vector<const SectionSchema *> applyOrder()
    {
        static const QStringList first{QStringLiteral("radio"), QStringLiteral("digital_basic_settings"),
                                       QStringLiteral("contacts"), QStringLiteral("rx_groups")};
        std::vector<const SectionSchema *> order;
        for (const QString &key : first) {
            for (const SectionSchema &section : schema()) {
                if (section.key == key)
                    order.push_back(&section);
            }
        }
        for (const SectionSchema &section : schema()) {
            if (!first.contains(section.key))
                order.push_back(&section);
        }
        return order;
    }

    void checkHeader(const YamlNode &root)
    {
        const YamlNode *format = root.value(u"format");
        if (format && (!format->isScalar() || format->scalar != QLatin1String(kFormat)))
            error(QStringLiteral("format"), lineOf(*format), QStringLiteral("this is not an rq381-codeplug file"));
        const YamlNode *version = root.value(u"version");
        if (version && (!version->isScalar() || version->scalar != QString::number(kVersion)))
            error(QStringLiteral("version"), lineOf(*version), QStringLiteral("version %1 is not supported (this program reads version %2)")
                                                                   .arg(kindName(*version)).arg(kVersion));
    }

    bool resize(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
    {
        const int wanted = node.size();
        const int capacity = list.capacity(m_doc, parent);
        if (wanted > capacity) {
            error(path, lineOf(node), QStringLiteral("at most %1 records fit, the text has %2").arg(capacity).arg(wanted));
            return false;
        }
        if (list.used)
            return layOut(list, node, parent, path);
        if (wanted < list.minimum) {
            error(path, lineOf(node), QStringLiteral("at least %1 record(s) are needed").arg(list.minimum));
            return false;
        }
        if (!list.resize || list.count(m_doc, parent) == wanted)
            return true;
        const QString refusal = list.resize(m_doc, parent, wanted);
        if (!refusal.isEmpty()) {
            error(path, lineOf(node), refusal);
            return false;
        }
        return true;
    }

    // A list that may leave gaps: a null item is a free slot. The slots in
    // use change only where the text differs from the document; a list
    // without gaps on either side grows and shrinks as the form's list does.
    bool layOut(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
    {
        const int wanted = node.size();
        const int now = list.count(m_doc, parent);
        QList<bool> used;
        int usedNow = 0;
        bool same = true;
        for (int i = 1; i <= std::max(wanted, now); ++i) {
            const bool inText = i <= wanted && !node.item(i - 1).isNull();
            const bool inDoc = i <= now && list.used(m_doc, list.itemAt(parent, i));
            used.append(inText);
            usedNow += inDoc ? 1 : 0;
            same = same && inText == inDoc;
        }
        if (same)
            return true;
        const int usedWanted = int(used.count(true));
        if (usedWanted < list.minimum) {
            error(path, lineOf(node), QStringLiteral("at least %1 record(s) are needed").arg(list.minimum));
            return false;
        }
        const bool dense = usedWanted == wanted && usedNow == now;
        const QString refusal = dense ? list.resize(m_doc, parent, wanted) : list.layout(m_doc, parent, used);
        if (!refusal.isEmpty()) {
            error(path, lineOf(node), refusal);
            return false;
        }
        return true;
    }

    void applyRecord(const RecordSchema &schema, const YamlNode &node, At at, const QString &path)
    {
        if (!node.isMapping()) {
            error(path, lineOf(node), QStringLiteral("a mapping is expected, not %1").arg(kindName(node)));
            return;
        }
        for (int i = 0; i < node.size(); ++i) {
            const QString &key = node.keyAt(i).scalar;
            const bool known = std::any_of(schema.fields.begin(), schema.fields.end(), [&](const Field &f) { return f.key == key; })
                               || std::any_of(schema.lists.begin(), schema.lists.end(), [&](const ListSchema &l) { return l.key == key; });
            if (!known)
                error(keyPath(path, key), lineOf(node.keyAt(i)), QStringLiteral("unknown key"));
        }
        const QString scope = scopeOf(path);
        for (const Field &field : schema.fields) {
            if (const YamlNode *value = node.value(field.key))
                applyField(field, *value, at, keyPath(path, field.key), scope);
        }
        for (const ListSchema &list : schema.lists) {
            if (const YamlNode *value = node.value(list.key))
                applyList(list, *value, at, keyPath(path, list.key));
        }
    }

    void applyList(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
    {
        if (!node.isSequence()) {
            error(path, lineOf(node), QStringLiteral("a list is expected, not %1").arg(kindName(node)));
            return;
        }
        m_given.insert(path);
        if (list.item) {
            applyItems(list, node, parent, path);
            return;
        }
        if (!resize(list, node, parent, path))
            return;
        for (int i = 1; i <= node.size(); ++i) {
            if (list.used && node.item(i - 1).isNull())
                continue;
            const At at = list.itemAt(parent, i);
            if (list.kind == Target::Channel && at.sub > m_startChannels.value(at.record, 0))
                applyRecord(list.record, simplexIfOnlyReceive(node.item(i - 1)), at, itemPath(path, i));
            else
                applyRecord(list.record, node.item(i - 1), at, itemPath(path, i));
        }
    }

    // A new channel given only its receive frequency transmits on it too,
    // rather than on the band's lowest frequency a new record starts with.
    static YamlNode simplexIfOnlyReceive(const YamlNode &record)
    {
        const YamlNode *rx = record.isMapping() ? record.value(u"rx_frequency") : nullptr;
        if (!rx || record.value(u"tx_frequency"))
            return record;
        YamlNode simplex = record;
        simplex.insert(QStringLiteral("tx_frequency"), *rx);
        return simplex;
    }

    // Members: the whole list is compared and stored at once. Members the
    // document already holds stay as they are, twice-listed ones included;
    // a changed list is checked as the form's member lists check it.
    void applyItems(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
    {
        if (!resizeCheck(list, node, parent, path))
            return;
        QList<int> numbers;
        QList<ChannelRef> pairs;
        QList<int> lines;
        bool changed = node.size() != list.count(m_doc, parent);
        QList<Stored> items;
        for (int i = 1; i <= node.size(); ++i) {
            const QString memberPath = itemPath(path, i);
            const YamlNode &item = node.item(i - 1);
            const std::optional<ParsedValue> parsed = parse(*list.item, item, memberPath);
            if (!parsed)
                return;
            if (list.item->kind == Kind::ChannelRef) {
                pairs << parsed->pair;
                changed = changed || !samePair(list.item->getPair(m_doc, list.itemAt(parent, i)), parsed->pair);
            } else {
                numbers << parsed->number;
                changed = changed || list.item->getInt(m_doc, list.itemAt(parent, i)) != parsed->number;
            }
            lines << lineOf(item);
            items.append(Stored{memberPath, lineOf(item), &*list.item, At{parsed->number, 0}, {}});
            m_storedPairs.insert(memberPath, parsed->pair);
            m_textMembers[path].append(list.item->kind == Kind::ChannelRef ? pairPos(parsed->pair) : RecordMoves::pos(parsed->number));
        }
        if (!changed)
            return;
        const int errorsBefore = int(m_report.errors.size());
        for (int i = 0; i < lines.size(); ++i) {
            const QString memberPath = itemPath(path, i + 1);
            if (list.item->kind == Kind::ChannelRef) {
                if (!pairs[i].isSet())
                    error(memberPath, lines[i], QStringLiteral("a member must name a channel"));
                else if (pairs.indexOf(pairs[i]) < i)
                    error(memberPath, lines[i], QStringLiteral("this channel is listed twice"));
            } else if (numbers[i] == 0) {
                error(memberPath, lines[i], QStringLiteral("a member must name a record"));
            } else if (numbers.indexOf(numbers[i]) < i) {
                error(memberPath, lines[i], QStringLiteral("this record is listed twice"));
            }
        }
        if (int(m_report.errors.size()) != errorsBefore)
            return;
        m_stored.append(items);
        const Store result = list.item->kind == Kind::ChannelRef ? list.storePairs(m_doc, parent, pairs)
                                                                 : list.storeNumbers(m_doc, parent, numbers);
        if (result.isRefused())
            error(path, lineOf(node), result.error);
    }

    bool resizeCheck(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
    {
        const int capacity = list.capacity(m_doc, parent);
        if (node.size() > capacity) {
            error(path, lineOf(node), QStringLiteral("at most %1 entries fit, the text has %2").arg(capacity).arg(node.size()));
            return false;
        }
        return true;
    }

    static QString scopeOf(const QString &recordPath)
    {
        // Channel names are unique across all zones; other names within their list.
        const int bracket = recordPath.lastIndexOf(u'[');
        const int dot = recordPath.lastIndexOf(u'.', bracket);
        return recordPath.mid(dot + 1, bracket - dot - 1);
    }

    std::optional<ParsedValue> parse(const Field &field, const YamlNode &node, const QString &path)
    {
        QString why;
        std::optional<ParsedValue> parsed = parseValue(field, node, &why);
        if (!parsed)
            error(path, lineOf(node), why);
        return parsed;
    }

    void applyField(const Field &field, const YamlNode &node, At at, const QString &path, const QString &scope)
    {
        if (field.kind == Kind::Ref || field.kind == Kind::ChannelRef)
            m_given.insert(path);
        const std::optional<ParsedValue> parsed = parse(field, node, path);
        if (!parsed || parsed->keep)
            return;
        const int line = lineOf(node);
        if (field.kind == Kind::Ref)
            m_textRefs.insert(path, TextRef{RecordMoves::pos(parsed->number), line});
        else if (field.kind == Kind::ChannelRef)
            m_textRefs.insert(path, TextRef{pairPos(parsed->pair), line});
        Store result;
        bool changed = false;
        switch (field.kind) {
        case Kind::ChannelRef:
            changed = !samePair(field.getPair(m_doc, at), parsed->pair);
            if (changed)
                result = field.setPair(m_doc, at, parsed->pair);
            break;
        case Kind::Text:
        case Kind::Frequency:
        case Kind::Tone:
            // Compared as the export writes it: a stored text that YAML cannot
            // hold exactly (a stray half of a UTF-16 pair, a line separator)
            // reads back altered and is then left as it is.
            changed = valueText(field, m_doc, at) != parsed->text
                      && asExported(valueText(field, m_doc, at).value_or(QString())) != parsed->text;
            if (changed)
                result = setText(field, m_doc, at, parsed->text);
            break;
        default:
            // A decimal with places the field does not keep is stored anyway, for its warning.
            changed = field.getInt(m_doc, at) != parsed->number || parsed->inexact;
            if (changed)
                result = setNumber(field, m_doc, at, parsed->number);
            if (changed && parsed->inexact && !result.isRefused())
                result = Store::corrected(QStringLiteral("%1 is kept in steps of %2").arg(node.scalar, decimalText(1, field.scale))).then(result);
            break;
        }
        if (result.isRefused())
            error(path, line, result.error);
        else if (!result.warning.isEmpty())
            warning(path, line, result.warning);
        if (changed)
            m_stored.append(Stored{path, line, &field, at, scope});
    }

    static QString asExported(const QString &text)
    {
        const YamlDocument read = parseYaml(YamlWriter::quotedText(text));
        return read.ok() ? read.root.scalar : text;
    }

    // Every reference in use, with the record that holds it.
    QList<RefBefore> references()
    {
        QList<RefBefore> refs;
        Walker walker;
        walker.wants = [](const Field &field) { return field.kind == Kind::Ref || field.kind == Kind::ChannelRef; };
        walker.field = [&](const QString &path, const Field &field, At at) {
            if (field.kind == Kind::Ref) {
                const int number = field.getInt(m_doc, at);
                if (number > 0)
                    refs.append(RefBefore{path, ownerOf(path), field.target, number, 0, &field});
            } else if (field.kind == Kind::ChannelRef) {
                const ChannelRef ref = field.getPair(m_doc, at);
                if (ref.isSet())
                    refs.append(RefBefore{path, ownerOf(path), Target::Channel, ref.zone, ref.channel, &field});
            }
        };
        walk(m_doc, walker);
        return refs;
    }

    // Every pair with a 0 is the same "no channel", whatever its other half.
    static bool samePair(ChannelRef a, ChannelRef b) { return a == b || (!a.isSet() && !b.isSet()); }

    static QString ownerOf(const QString &path) { return path.left(path.lastIndexOf(u'.')); }

    void checkResult(const QList<RefBefore> &before)
    {
        QSet<QString> records;
        QHash<QString, QHash<QString, QString>> firstWithName;  // scope -> name -> first path
        QHash<QString, QString> firstWithId;                    // call ID -> first path
        QHash<QString, QString> valueAt;                        // path -> value text
        Walker walker;
        walker.wants = [](const Field &field) { return field.isRecordName || field.isCallId; };
        walker.field = [&](const QString &path, const Field &field, At at) {
            const std::optional<QString> text = valueText(field, m_doc, at);
            valueAt.insert(path, text.value_or(QString()));
            if (field.isRecordName && !firstWithName[scopeOf(ownerOf(path))].contains(text.value_or(QString())))
                firstWithName[scopeOf(ownerOf(path))].insert(text.value_or(QString()), path);
            if (field.isCallId && !firstWithId.contains(text.value_or(QString())))
                firstWithId.insert(text.value_or(QString()), path);
        };
        walker.record = [&](const QString &path, int, int) { records.insert(path); };
        walk(m_doc, walker);

        // References the text gives must name records in use; names and call
        // IDs it stores must stay unique.
        for (const Stored &s : std::as_const(m_stored)) {
            const Field &field = *s.field;
            if (m_followed.contains(s.path) || m_followed.contains(listOf(s.path)))
                continue;  // what the text gave was its record's old place
            if (field.kind == Kind::Ref || field.kind == Kind::ChannelRef)
                checkReference(s);
            else if (field.isRecordName && firstWithName.value(s.scope).value(valueAt.value(s.path)) != s.path)
                error(s.path, s.line, QStringLiteral("the name \"%1\" is already used by %2")
                                          .arg(valueAt.value(s.path), ownerOf(firstWithName.value(s.scope).value(valueAt.value(s.path)))));
            else if (field.isCallId && firstWithId.value(valueAt.value(s.path)) != s.path)
                error(s.path, s.line, QStringLiteral("the call ID %1 is already used by %2")
                                          .arg(valueAt.value(s.path), ownerOf(firstWithId.value(valueAt.value(s.path)))));
        }
        // References the text left as they were must not lose their record
        // to a list the text shortened.
        for (const RefBefore &ref : before) {
            if (m_options.releaseRemovedReferences)
                break;
            if (m_options.followRecords && RecordMoves::isNamed(ref.target))
                continue;  // followed their record, or became none with a warning
            if (m_given.contains(ref.path) || m_given.contains(ownerOf(ref.path)) || m_given.contains(listOf(ref.path)))
                continue;
            if (!records.contains(ref.owner) && !ref.owner.isEmpty() && ref.owner.contains(u'['))
                continue;
            if (!targetExists(m_doc, ref.target, ref.number, ref.sub))
                error(ref.path, lineNear(ref.path, ref.target),
                      QStringLiteral("named %1 %2, which the text removes").arg(targetLabel(ref.target), refText(ref)));
        }
    }

    static QString listOf(const QString &itemPath) { return itemPath.left(itemPath.lastIndexOf(u'[')); }

    static QString refText(const RefBefore &ref)
    {
        return ref.target == Target::Channel ? QStringLiteral("[%1, %2]").arg(ref.number).arg(ref.sub) : QString::number(ref.number);
    }

    void checkReference(const Stored &s)
    {
        const Field &field = *s.field;
        if (field.kind == Kind::ChannelRef) {
            const ChannelRef ref = m_storedPairs.contains(s.path) ? m_storedPairs.value(s.path) : field.getPair(m_doc, s.at);
            if (ref.isSet() && !targetExists(m_doc, Target::Channel, ref.zone, ref.channel))
                error(s.path, s.line, QStringLiteral("channel [%1, %2] does not exist").arg(ref.zone).arg(ref.channel));
            return;
        }
        // Members are remembered by the number they name; fields by their record.
        const bool member = s.path.endsWith(u']');
        const int number = member ? s.at.record : field.getInt(m_doc, s.at);
        if (number > 0 && !targetExists(m_doc, field.target, number))
            error(s.path, s.line, QStringLiteral("%1 %2 does not exist").arg(targetLabel(field.target)).arg(number));
    }

    static Pos pairPos(ChannelRef ref) { return ref.isSet() ? RecordMoves::pos(ref.zone, ref.channel) : 0; }

    // Every member list of the document with its members.
    QList<MembersBefore> memberLists()
    {
        QList<MembersBefore> lists;
        Walker walker;
        walker.wants = [](const Field &) { return false; };
        walker.list = [&](const QString &path, const ListSchema &list, At parent, int count) {
            if (!list.item)
                return;
            MembersBefore members{path, &list, list.item->kind == Kind::ChannelRef ? Target::Channel : list.item->target, {}};
            for (int i = 1; i <= count; ++i) {
                const At at = list.itemAt(parent, i);
                members.members << (list.item->kind == Kind::ChannelRef ? pairPos(list.item->getPair(m_doc, at))
                                                                        : RecordMoves::pos(list.item->getInt(m_doc, at)));
            }
            lists.append(members);
        };
        walk(m_doc, walker);
        return lists;
    }

    // The list key of each named list ("channels", "contacts", ...).
    static const QHash<QString, Target> &listTargets()
    {
        static const QHash<QString, Target> targets = [] {
            QHash<QString, Target> map;
            for (const SectionSchema &section : schema()) {
                if (!section.list)
                    continue;
                if (RecordMoves::isNamed(section.list->kind))
                    map.insert(section.key, section.list->kind);
                for (const ListSchema &nested : section.list->record.lists) {
                    if (RecordMoves::isNamed(nested.kind))
                        map.insert(nested.key, nested.kind);
                }
            }
            return map;
        }();
        return targets;
    }

    // A record path of a named list ("zones[2].channels[5]", "contacts[3]"):
    // its list, its place and the record's At.
    struct RecordPlace
    {
        Target target = Target::None;
        Pos pos = 0;
    };
    static RecordPlace placeOf(const QString &recordPath)
    {
        if (!recordPath.endsWith(u']'))
            return {};
        const int open = int(recordPath.lastIndexOf(u'['));
        const int dot = int(recordPath.lastIndexOf(u'.', open));
        const Target target = listTargets().value(recordPath.mid(dot + 1, open - dot - 1), Target::None);
        const int number = recordPath.mid(open + 1, recordPath.size() - open - 2).toInt();
        if (target == Target::None)
            return {};
        if (target != Target::Channel)
            return {target, RecordMoves::pos(number)};
        const int zoneOpen = int(recordPath.lastIndexOf(u'[', dot));
        return {target, RecordMoves::pos(recordPath.mid(zoneOpen + 1, dot - zoneOpen - 2).toInt(), number)};
    }
    static QString recordPath(Target target, Pos pos, const QString &oldPath)
    {
        if (target == Target::Channel)
            return QStringLiteral("zones[%1].channels[%2]").arg(RecordMoves::numberOf(pos)).arg(RecordMoves::subOf(pos));
        return itemPath(oldPath.left(oldPath.lastIndexOf(u'[')), RecordMoves::numberOf(pos));
    }
    static At atOf(const QString &recordPath)
    {
        const RecordPlace place = placeOf(recordPath);
        return place.target == Target::None ? At{} : At{RecordMoves::numberOf(place.pos), RecordMoves::subOf(place.pos)};
    }

    QString oldName(Target target, Pos pos) const
    {
        const auto names = m_namesBefore.find(target);
        return names == m_namesBefore.end() ? QString() : names->second.value(pos).replace(RecordMoves::kZoneSeparator, u':');
    }

    // References follow the records the text moved; see ImportOptions.
    void followRecords(const QList<RefBefore> &before)
    {
        std::map<Target, QHash<Pos, Pos>> moved;
        bool any = false;
        for (const auto &[target, names] : m_namesBefore) {
            moved[target] = RecordMoves::moves(names, RecordMoves::namesOf(m_doc, target));
            any = any || !moved[target].isEmpty();
        }
        if (!any)
            return;
        const auto movedTo = [&](Target target, Pos pos) { return moved[target].value(pos, pos); };
        // Where the record holding a reference is now; empty when it is gone.
        const auto ownerNow = [&](const QString &owner) {
            const RecordPlace place = placeOf(owner);
            if (place.target == Target::None)
                return owner;
            const Pos to = movedTo(place.target, place.pos);
            return to == place.pos ? owner : to == 0 ? QString() : recordPath(place.target, to, owner);
        };

        for (const RefBefore &ref : before) {
            if (ref.path.endsWith(u']') || !RecordMoves::isNamed(ref.target))
                continue;  // members are followed list by list, below
            const Pos was = RecordMoves::pos(ref.number, ref.sub);
            const QString owner = ownerNow(ref.owner);
            const Pos to = movedTo(ref.target, was);
            if (owner.isEmpty() || (to == was && owner == ref.owner))
                continue;
            const QString path = owner + ref.path.mid(ref.owner.size());
            // A reference the text changes names a record of the text's own list.
            const auto given = m_textRefs.constFind(path);
            if (given != m_textRefs.constEnd() && given->value != was)
                continue;
            const Field &field = *ref.field;
            const At at = atOf(owner);
            Store result;
            if (field.kind == Kind::ChannelRef) {
                const ChannelRef pair = to ? ChannelRef{RecordMoves::numberOf(to), RecordMoves::subOf(to)} : ChannelRef{};
                if (!samePair(field.getPair(m_doc, at), pair))
                    result = field.setPair(m_doc, at, pair);
            } else if (field.getInt(m_doc, at) != RecordMoves::numberOf(to)) {
                result = setNumber(field, m_doc, at, RecordMoves::numberOf(to));
            }
            m_followed.insert(path);
            if (result.isRefused())
                error(path, lineNear(path, ref.target), result.error);
            else if (to == 0)
                warning(path, lineNear(path, ref.target), QStringLiteral("named %1 \"%2\", which the text removes; it names none now")
                                                              .arg(targetLabel(ref.target), oldName(ref.target, was)));
        }

        for (const MembersBefore &members : std::as_const(m_membersBefore)) {
            if (!RecordMoves::isNamed(members.target))
                continue;
            const QString oldOwner = ownerOf(members.path);
            const QString owner = ownerNow(oldOwner);
            if (owner.isEmpty())
                continue;
            const QString path = owner + members.path.mid(oldOwner.size());
            QList<Pos> now;
            QStringList dropped;
            for (Pos member : members.members) {
                const Pos to = movedTo(members.target, member);
                if (to)
                    now << to;
                else
                    dropped << oldName(members.target, member);
            }
            if (now == members.members && owner == oldOwner)
                continue;
            const auto given = m_textMembers.constFind(path);
            if (given != m_textMembers.constEnd() && *given != members.members)
                continue;
            const ListSchema &list = *members.list;
            const At parent = atOf(owner);
            Store result;
            if (list.item->kind == Kind::ChannelRef) {
                QList<ChannelRef> pairs;
                for (Pos p : std::as_const(now))
                    pairs << ChannelRef{RecordMoves::numberOf(p), RecordMoves::subOf(p)};
                result = list.storePairs(m_doc, parent, pairs);
            } else {
                QList<int> numbers;
                for (Pos p : std::as_const(now))
                    numbers << RecordMoves::numberOf(p);
                result = list.storeNumbers(m_doc, parent, numbers);
            }
            m_followed.insert(path);
            const int line = lineNear(path, members.target);
            if (result.isRefused())
                error(path, line, result.error);
            for (const QString &name : std::as_const(dropped))
                warning(path, line, QStringLiteral("listed %1 \"%2\", which the text removes; it is a member no more")
                                        .arg(targetLabel(members.target), name));
        }
    }

    // The line of a path in the text: of the path itself or the deepest part
    // of it the text gives, else of the list that holds the records of target.
    int lineNear(const QString &path, Target target) const
    {
        int line = 0;
        const YamlNode *node = m_root;
        for (const QString &part : path.split(u'.')) {
            if (!node)
                break;
            const int open = int(part.indexOf(u'['));
            node = node->isMapping() ? node->value(open < 0 ? part : part.left(open)) : nullptr;
            for (int at = open; node && at >= 0; at = int(part.indexOf(u'[', at + 1))) {
                const int i = part.mid(at + 1, part.indexOf(u']', at) - at - 1).toInt();
                node = node->isSequence() && i >= 1 && i <= node->size() ? &node->item(i - 1) : nullptr;
            }
            if (node && node->line > 0)
                line = node->line;
        }
        if (line > 0 || !m_root || !m_root->isMapping())
            return line;
        for (const SectionSchema &section : schema()) {
            const bool holds = section.list && (section.list->kind == target
                                                || std::any_of(section.list->record.lists.begin(), section.list->record.lists.end(),
                                                               [&](const ListSchema &l) { return l.kind == target; }));
            if (const YamlNode *list = holds ? m_root->value(section.key) : nullptr)
                return list->line;
        }
        return 0;
    }

    CPcSoftwareDoc &m_doc;
    const ImportOptions m_options;
    ImportReport m_report;
    QList<Stored> m_stored;
    QHash<QString, ChannelRef> m_storedPairs;
    QSet<QString> m_given;  // the references and lists the text gives
    QHash<int, int> m_startChannels;  // zone -> channels before the import
    const YamlNode *m_root = nullptr;
    std::map<Target, RecordMoves::Names> m_namesBefore;
    QList<MembersBefore> m_membersBefore;
    QHash<QString, TextRef> m_textRefs;          // path -> the reference the text gives
    QHash<QString, QList<Pos>> m_textMembers;    // member list path -> the members the text gives
    QSet<QString> m_followed;                    // references and member lists that followed their records
};

}

ImportReport importText(const QByteArray &text, CPcSoftwareDoc &doc, const ImportOptions &options)
{
    return Importer(doc, options).run(text);
}

ImportReport importTree(const YamlNode &root, CPcSoftwareDoc &doc, const ImportOptions &options)
{
    return Importer(doc, options).run(root);
}

Origin originOf(const QByteArray &text)
{
    Origin origin;
    const YamlDocument read = parseYaml(text);
    const YamlNode *radio = read.root.value(u"radio");
    if (!radio)
        return origin;
    const YamlNode *model = radio->value(u"model");
    if (model && model->isScalar())
        origin.model = model->scalar;
    const YamlNode *range = radio->value(u"range_index");
    if (range && range->isScalar()) {
        bool ok = false;
        const int n = range->scalar.toInt(&ok);
        origin.rangeIndex = ok ? n : -1;
    }
    return origin;
}

}
