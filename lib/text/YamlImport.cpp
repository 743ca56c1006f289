#include "text/YamlCodeplug.h"

#include "fields/FieldCatalogue.h"
#include "fields/RecordMends.h"
#include "text/YamlTree.h"
#include "text/YamlValue.h"
#include "text/YamlWriter.h"

#include "app/AppSettings.h"

#include <QHash>
#include <QSet>

#include <memory>

namespace YamlCodeplug {

using namespace Fields;

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

        const QList<RefBefore> before = references();
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
            applyRecord(list.record, node.item(i - 1), list.itemAt(parent, i), itemPath(path, i));
        }
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
                    refs.append(RefBefore{path, ownerOf(path), field.target, number, 0});
            } else if (field.kind == Kind::ChannelRef) {
                const ChannelRef ref = field.getPair(m_doc, at);
                if (ref.isSet())
                    refs.append(RefBefore{path, ownerOf(path), Target::Channel, ref.zone, ref.channel});
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
            if (m_given.contains(ref.path) || m_given.contains(ownerOf(ref.path)) || m_given.contains(listOf(ref.path)))
                continue;
            if (!records.contains(ref.owner) && !ref.owner.isEmpty() && ref.owner.contains(u'['))
                continue;
            if (!targetExists(m_doc, ref.target, ref.number, ref.sub))
                error(ref.path, 0, QStringLiteral("named %1 %2, which the text removes").arg(targetLabel(ref.target), refText(ref)));
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

    CPcSoftwareDoc &m_doc;
    const ImportOptions m_options;
    ImportReport m_report;
    QList<Stored> m_stored;
    QHash<QString, ChannelRef> m_storedPairs;
    QSet<QString> m_given;  // the references and lists the text gives
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
