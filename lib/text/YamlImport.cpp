#include "text/YamlImporter.h"

#include "app/AppSettings.h"
#include "sections/ChannelData.h"

namespace YamlCodeplug {

namespace Import {

ImportReport Importer::run(const QByteArray &text)
{
    const YamlDocument parsed = parseYaml(text);
    if (!parsed.ok()) {
        error(QString(), parsed.errorLine, parsed.error);
        return m_report;
    }
    return run(parsed.root);
}

ImportReport Importer::run(const YamlNode &root)
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

void Importer::apply(const YamlNode &root)
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
        planCarries(root);
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
        // Records are carried from the image as the sections applied so far
        // left it, before this section writes any of its records.
        if (!m_carriedFrom.empty())
            m_startImage = std::make_unique<Image>(m_doc.currentImage());
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
std::vector<const SectionSchema *> Importer::applyOrder()
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

void Importer::checkHeader(const YamlNode &root)
{
    const YamlNode *format = root.value(u"format");
    if (format && (!format->isScalar() || format->scalar != QLatin1String(kFormat)))
        error(QStringLiteral("format"), lineOf(*format), QStringLiteral("this is not an rq381-codeplug file"));
    const YamlNode *version = root.value(u"version");
    if (version && (!version->isScalar() || version->scalar != QString::number(kVersion)))
        error(QStringLiteral("version"), lineOf(*version), QStringLiteral("version %1 is not supported (this program reads version %2)")
                                                               .arg(kindName(*version)).arg(kVersion));
}

bool Importer::resize(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
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
bool Importer::layOut(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
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

void Importer::applyRecord(const RecordSchema &schema, const YamlNode &node, At at, const QString &path)
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

void Importer::applyList(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
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
    carryRecords(list, node, parent);
    for (int i = 1; i <= node.size(); ++i) {
        if (list.used && node.item(i - 1).isNull())
            continue;
        const At at = list.itemAt(parent, i);
        if (list.kind == Target::Channel && at.sub > m_startChannels.value(at.record, 0)
            && !m_carriedChannels.contains(RecordMoves::pos(at.record, at.sub)))
            applyRecord(list.record, simplexIfOnlyReceive(node.item(i - 1)), at, itemPath(path, i));
        else
            applyRecord(list.record, node.item(i - 1), at, itemPath(path, i));
    }
}

// A new channel given only its receive frequency transmits on it too,
// rather than on the band's lowest frequency a new record starts with.
YamlNode Importer::simplexIfOnlyReceive(const YamlNode &record)
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
void Importer::applyItems(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
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

bool Importer::resizeCheck(const ListSchema &list, const YamlNode &node, At parent, const QString &path)
{
    const int capacity = list.capacity(m_doc, parent);
    if (node.size() > capacity) {
        error(path, lineOf(node), QStringLiteral("at most %1 entries fit, the text has %2").arg(capacity).arg(node.size()));
        return false;
    }
    return true;
}

QString Importer::scopeOf(const QString &recordPath)
{
    // Channel names are unique across all zones; other names within their list.
    const int bracket = recordPath.lastIndexOf(u'[');
    const int dot = recordPath.lastIndexOf(u'.', bracket);
    return recordPath.mid(dot + 1, bracket - dot - 1);
}

std::optional<ParsedValue> Importer::parse(const Field &field, const YamlNode &node, const QString &path)
{
    QString why;
    std::optional<ParsedValue> parsed = parseValue(field, node, &why);
    if (!parsed)
        error(path, lineOf(node), why);
    return parsed;
}

void Importer::applyField(const Field &field, const YamlNode &node, At at, const QString &path, const QString &scope)
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

QString Importer::asExported(const QString &text)
{
    const YamlDocument read = parseYaml(YamlWriter::quotedText(text));
    return read.ok() ? read.root.scalar : text;
}

}

using Import::Importer;

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
