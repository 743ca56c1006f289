#include "text/YamlImporter.h"

#include "app/AppSettings.h"
#include "sections/ChannelData.h"

#include <algorithm>

namespace YamlCodeplug::Import {

// Every reference in use, with the record that holds it.
QList<RefBefore> Importer::references()
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

void Importer::checkResult(const QList<RefBefore> &before)
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

QString Importer::refText(const RefBefore &ref)
{
    return ref.target == Target::Channel ? QStringLiteral("[%1, %2]").arg(ref.number).arg(ref.sub) : QString::number(ref.number);
}

void Importer::checkReference(const Stored &s)
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

// Every member list of the document with its members.
QList<MembersBefore> Importer::memberLists()
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
const QHash<QString, Target> &Importer::listTargets()
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

Importer::RecordPlace Importer::placeOf(const QString &recordPath)
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

QString Importer::recordPath(Target target, Pos pos, const QString &oldPath)
{
    if (target == Target::Channel)
        return QStringLiteral("zones[%1].channels[%2]").arg(RecordMoves::numberOf(pos)).arg(RecordMoves::subOf(pos));
    return itemPath(oldPath.left(oldPath.lastIndexOf(u'[')), RecordMoves::numberOf(pos));
}

At Importer::atOf(const QString &recordPath)
{
    const RecordPlace place = placeOf(recordPath);
    return place.target == Target::None ? At{} : At{RecordMoves::numberOf(place.pos), RecordMoves::subOf(place.pos)};
}

QString Importer::oldName(Target target, Pos pos) const
{
    const auto names = m_namesBefore.find(target);
    return names == m_namesBefore.end() ? QString() : names->second.value(pos).replace(RecordMoves::kZoneSeparator, u':');
}

// References follow the records the text moved; see ImportOptions.
void Importer::followRecords(const QList<RefBefore> &before)
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
int Importer::lineNear(const QString &path, Target target) const
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

}

namespace YamlCodeplug::Import {

namespace {

// Lists of named, gap-free records that the text may reorder.
bool carries(const ListSchema &list)
{
    return RecordMoves::isNamed(list.kind) && !list.used && !list.item && list.bytes;
}

// The name the text gives a record, or `current` when it gives none.
QString nameIn(const YamlNode &item, const RecordSchema &record, const QString &current)
{
    const auto field = std::find_if(record.fields.begin(), record.fields.end(), [](const Field &f) { return f.isRecordName; });
    const YamlNode *name = field != record.fields.end() && item.isMapping() ? item.value(field->key) : nullptr;
    return name && name->isScalar() ? name->scalar : current;
}

QString ownName(const QString &channelName)
{
    return channelName.mid(channelName.indexOf(RecordMoves::kZoneSeparator) + 1);
}

}

RecordMoves::Names Importer::textNames(const YamlNode &root, Target target, const ListSchema &list, const QString &key) const
{
    const RecordMoves::Names &before = m_namesBefore.at(target);
    RecordMoves::Names names;
    const YamlNode *node = root.value(key);
    if (list.kind == target) {
        for (int i = 1; i <= node->size(); ++i) {
            const QString name = nameIn(node->item(i - 1), list.record, before.value(RecordMoves::pos(i)));
            if (!name.isEmpty())
                names.insert(RecordMoves::pos(i), name);
        }
        return names;
    }
    // Channels: within their zones, named by zone and channel. A zone whose
    // channels the text leaves out keeps them where they are.
    const ListSchema &channels = *std::find_if(list.record.lists.begin(), list.record.lists.end(),
                                               [&](const ListSchema &l) { return l.kind == target; });
    for (int z = 1; z <= node->size(); ++z) {
        const YamlNode &zone = node->item(z - 1);
        const QString zoneName = nameIn(zone, list.record, list.name(m_doc, list.itemAt(At{}, z)));
        const YamlNode *inner = zone.isMapping() ? zone.value(channels.key) : nullptr;
        if (inner && inner->isSequence()) {
            for (int c = 1; c <= inner->size(); ++c) {
                const RecordMoves::Pos at = RecordMoves::pos(z, c);
                const QString name = nameIn(inner->item(c - 1), channels.record, ownName(before.value(at)));
                if (!name.isEmpty())
                    names.insert(at, zoneName + RecordMoves::kZoneSeparator + name);
            }
            continue;
        }
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (RecordMoves::numberOf(it.key()) == z)
                names.insert(it.key(), zoneName + RecordMoves::kZoneSeparator + ownName(it.value()));
        }
    }
    return names;
}

void Importer::planCarries(const YamlNode &root)
{
    for (const SectionSchema &section : schema()) {
        const YamlNode *node = root.value(section.key);
        if (!section.list || !node || !node->isSequence())
            continue;
        const ListSchema &list = *section.list;
        std::optional<Target> target;
        if (carries(list))
            target = list.kind;
        for (const ListSchema &inner : list.record.lists) {
            if (carries(inner))
                target = inner.kind;
        }
        if (!target || !m_namesBefore.count(*target))
            continue;
        const QHash<Pos, Pos> moved = RecordMoves::moves(m_namesBefore[*target], textNames(root, *target, list, section.key));
        for (auto it = moved.cbegin(); it != moved.cend(); ++it) {
            if (it.value() != 0)
                m_carriedFrom[*target].insert(it.value(), it.key());
        }
    }
}

void Importer::carryRecords(const ListSchema &list, const YamlNode &node, At parent)
{
    const auto from = m_carriedFrom.find(list.kind);
    if (!m_startImage || !carries(list) || from == m_carriedFrom.end())
        return;
    for (int i = 1; i <= node.size(); ++i) {
        const At at = list.itemAt(parent, i);
        const Pos here = RecordMoves::pos(at.record, at.sub);
        const auto source = from->second.constFind(here);
        if (source == from->second.constEnd())
            continue;
        const auto [to, length] = list.bytes(m_doc, at);
        const auto [start, sourceLength] = list.bytes(m_doc, At{RecordMoves::numberOf(*source), RecordMoves::subOf(*source)});
        if (length != sourceLength || to < 0 || start < 0 || to + length > kImageSize || start + length > kImageSize)
            continue;
        std::copy_n(m_startImage->begin() + start, length, m_doc.image() + to);
        if (list.kind == Target::Channel)
            m_carriedChannels.insert(here);
    }
}

}
