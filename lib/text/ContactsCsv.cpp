#include "text/ContactsCsv.h"

#include "text/CsvTable.h"

#include "app/Prompter.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/RxGroupData.h"
#include "sections/RxGroupRules.h"
#include "fields/FieldCatalogue.h"
#include "sections/ChannelData.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QSet>
#include <functional>
#include <memory>

namespace ContactsCsv {

namespace {

constexpr qint64 kReadChunk = 1 << 16;

class SilentPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &) override { return PromptAnswer::Cancel; }
};

const QStringList kIdHeaders{QStringLiteral("Call ID"), QStringLiteral("CallID"), QStringLiteral("call_id"),
                             QStringLiteral("Radio ID"), QStringLiteral("RadioID"), QStringLiteral("radio_id"),
                             QStringLiteral("DMR ID"), QStringLiteral("DMRID"), QStringLiteral("dmr_id"), QStringLiteral("ID"),
                             QStringLiteral("Talkgroup"), QStringLiteral("Talk Group"), QStringLiteral("TG"), QStringLiteral("TG ID")};
const QStringList kNameHeaders{QStringLiteral("Name"), QStringLiteral("Contact Name"), QStringLiteral("Alias"),
                               QStringLiteral("Call Alias"), QStringLiteral("Repeater")};
const QStringList kCallTypeHeaders{QStringLiteral("Call Type"), QStringLiteral("CallType"), QStringLiteral("call_type"),
                                   QStringLiteral("Type")};
const QStringList kCallsignHeaders{QStringLiteral("Callsign"), QStringLiteral("Call Sign"), QStringLiteral("call_sign")};
const QStringList kFirstNameHeaders{QStringLiteral("First Name"), QStringLiteral("FirstName"), QStringLiteral("first_name"),
                                    QStringLiteral("FNAME")};

}

QString callTypeText(int type)
{
    switch (type) {
    case 0: return QStringLiteral("group");
    case 1: return QStringLiteral("private");
    default: return QStringLiteral("all");
    }
}

QByteArray exportText(CPcSoftwareDoc &doc)
{
    const CContactData contacts(doc);
    const qint32 startId = CBasicSettingData(doc).GetGroupCallStartIdValue();
    QList<QStringList> rows;
    for (int i = 1; i <= contacts.CountContacts(); ++i)
        rows.append({QString::number(i), contacts.GetName(i), contacts.GetCallId(i), callTypeText(contacts.GetContactType(i, startId))});
    return CsvTable::write({QStringLiteral("No."), QStringLiteral("Name"), QStringLiteral("Call ID"), QStringLiteral("Call Type")}, rows);
}

namespace {

// The references to contacts, each remembered by the call ID and name of the
// contact it named, so that a replaced list can be pointed at again.
class ContactReferences
{
public:
    explicit ContactReferences(CPcSoftwareDoc &doc)
    {
        const CContactData contacts(doc);
        QHash<int, Key> keyOf;
        for (int contact : CContactRules(doc).usedContacts())
            keyOf.insert(contact, Key{contacts.GetCallId(contact), contacts.GetName(contact)});
        const CChannelData channels(doc);
        for (int zone = 1; zone <= channels.zoneSlotCount(); ++zone) {
            for (int channel = 1; channel <= CChannelData::kChannelsPerZone; ++channel) {
                const auto key = keyOf.constFind(channels.GetContact(zone, channel));
                if (key != keyOf.constEnd())
                    m_channels.append({zone, channel, *key});
                // A list that loses its last member meanwhile releases its channels.
                if (const int list = channels.GetRxGroupList(zone, channel))
                    m_groupLists.append({zone, channel, list});
            }
        }
        const CRxGroupData groups(doc);
        for (int list = 1; list <= groups.CountLists(); ++list) {
            QList<Key> members;
            for (int contact : groups.GetMembers(list)) {
                if (keyOf.contains(contact))
                    members << keyOf.value(contact);
            }
            m_members.insert(list, members);
        }
    }

    // Points every reference at the contact of the same call ID, else name,
    // through the catalogue's fields; clears the others. Counts the cleared
    // ones of records in use by kind.
    QMap<QString, int> restore(CPcSoftwareDoc &doc) const
    {
        QHash<QString, int> byId, byName;
        const CContactData contacts(doc);
        for (int contact : CContactRules(doc).usedContacts()) {
            byId.insert(contacts.GetCallId(contact), contact);
            byName.insert(contacts.GetName(contact), contact);
        }
        const auto find = [&](const Key &key) { return byId.value(key.callId, byName.value(key.name, 0)); };
        QMap<QString, int> cleared;

        const Fields::Field &contactField = catalogueField(QStringLiteral("zones"), QStringLiteral("contact"));
        const CChannelData channels(doc);
        for (const ChannelKey &ref : m_channels) {
            const int contact = find(ref.key);
            const Fields::At at{ref.zone, ref.channel};
            if (contactField.getInt(doc, at) != contact)
                Fields::setNumber(contactField, doc, at, contact);
            if (contact == 0 && ref.zone <= channels.CountZones() && ref.channel <= channels.CountChannels(ref.zone))
                ++cleared[QStringLiteral("channels' contacts")];
        }

        const Fields::ListSchema &members = memberList();
        const CRxGroupRules rules(doc);
        const CRxGroupData groups(doc);
        for (auto it = m_members.cbegin(); it != m_members.cend(); ++it) {
            QList<int> kept;
            for (const Key &key : it.value()) {
                const int contact = find(key);
                if (contact == 0)
                    ++cleared[QStringLiteral("RX group members")];
                else if (!rules.isGroupContact(contact))
                    ++cleared[QStringLiteral("RX group members no longer group calls")];
                else if (!kept.contains(contact))
                    kept << contact;
            }
            if (it.key() <= groups.CountLists() && groups.GetMembers(it.key()) != kept)
                members.storeNumbers(doc, Fields::At{it.key(), 0}, kept);
        }

        // A channel's RX group list comes back when the list has members again.
        const Fields::Field &groupField = catalogueField(QStringLiteral("zones"), QStringLiteral("rx_group_list"));
        for (const GroupRef &ref : m_groupLists) {
            const Fields::At at{ref.zone, ref.channel};
            if (groupField.getInt(doc, at) == ref.list)
                continue;
            if (!groups.GetMembers(ref.list).isEmpty())
                Fields::setNumber(groupField, doc, at, ref.list);
            else if (ref.zone <= channels.CountZones() && ref.channel <= channels.CountChannels(ref.zone))
                ++cleared[QStringLiteral("channels' RX group lists left without members")];
        }
        return cleared;
    }

private:
    struct Key
    {
        QString callId;
        QString name;
    };
    struct ChannelKey
    {
        int zone;
        int channel;
        Key key;
    };
    struct GroupRef
    {
        int zone;
        int channel;
        int list;
    };

    static const Fields::ListSchema &listOf(const QString &section)
    {
        for (const Fields::SectionSchema &s : Fields::schema()) {
            if (s.key == section)
                return *s.list;
        }
        Q_UNREACHABLE();
    }
    static const Fields::Field &catalogueField(const QString &section, const QString &key)
    {
        const Fields::RecordSchema &channel = listOf(section).record.lists.front().record;
        return *std::find_if(channel.fields.begin(), channel.fields.end(), [&](const Fields::Field &f) { return f.key == key; });
    }
    static const Fields::ListSchema &memberList() { return listOf(QStringLiteral("rx_groups")).record.lists.front(); }

    QList<ChannelKey> m_channels;
    QList<GroupRef> m_groupLists;
    QMap<int, QList<Key>> m_members;
};

// Takes the rows one at a time as the reader gives them and keeps only the
// contacts that fit, so a user database of any length needs little memory.
class RowImporter
{
public:
    RowImporter(CPcSoftwareDoc &doc, const Options &options, Report &report)
        : m_rules(doc), m_contacts(doc), m_options(options), m_report(report)
    {
    }

    // The header row picks the columns; false when the file cannot be used.
    // A first row that starts with a number is no header but the first row
    // of a hotspot's ID list: ID, callsign, name.
    bool takeHeader(const QStringList &first)
    {
        const QString lead = first.value(0).trimmed();
        const bool headless = !lead.isEmpty() && std::all_of(lead.begin(), lead.end(), [](QChar c) { return c.isDigit(); });
        CsvTable table;
        table.header = headless ? QStringList{QStringLiteral("ID"), QStringLiteral("Callsign"), QStringLiteral("Name")} : first;
        m_columns = int(table.header.size());
        m_idColumn = table.column(kIdHeaders);
        m_nameColumn = table.column(kNameHeaders);
        m_callsignColumn = table.column(kCallsignHeaders);
        m_firstNameColumn = table.column(kFirstNameHeaders);
        m_typeColumn = table.column(kCallTypeHeaders);
        if (m_idColumn < 0 && first.size() == 1 && namesAnIdColumn(first.value(0))) {
            m_report.error = QStringLiteral("the header \"%1\" names a call-ID column but could not be split into columns: "
                                            "the columns must be separated by commas, semicolons or tabs")
                                 .arg(first.value(0).left(80));
            return false;
        }
        if (m_idColumn < 0 || (m_nameColumn < 0 && m_callsignColumn < 0)) {
            m_report.error = m_idColumn < 0
                                 ? QStringLiteral("no call-ID column (Call ID, Radio ID, DMR ID, ID, Talkgroup) in the header")
                                 : QStringLiteral("the header has the call-ID column \"%1\" but no name column (Name, Call Alias, "
                                                  "Repeater, Callsign)")
                                       .arg(table.header.value(m_idColumn));
            return false;
        }
        // --match COLUMN=TEXT looks in that column only.
        m_matchText = m_options.match;
        const qsizetype equals = m_options.match.indexOf(u'=');
        if (equals > 0) {
            const int column = table.column({m_options.match.left(equals)});
            if (column >= 0) {
                m_matchColumn = column;
                m_matchText = m_options.match.mid(equals + 1);
            }
        }
        if (m_options.replace) {
            m_references = std::make_unique<ContactReferences>(m_contacts.document());
            // The list keeps one record; the first row accepted takes its place.
            while (m_rules.count() > 1)
                m_rules.remove(m_rules.count());
        }
        const int kept = m_options.replace ? 0 : m_rules.count();
        for (int i = 1; i <= kept; ++i) {
            m_ids.insert(m_contacts.GetCallId(i));
            m_names.insert(m_contacts.GetName(i));
        }
        m_free = CContactData::kContactCount - kept;
        m_firstReplaces = m_options.replace;
        m_startId = CBasicSettingData(m_contacts.document()).GetGroupCallStartIdValue();
        m_report.groupCallStartId = m_startId;
        if (headless)
            takeRow(first);
        return true;
    }

    static bool namesAnIdColumn(const QString &cell)
    {
        return std::any_of(kIdHeaders.begin(), kIdHeaders.end(), [&](const QString &name) {
            return name.size() > 2 && cell.contains(name, Qt::CaseInsensitive);
        }) && cell.trimmed().contains(QRegularExpression(QStringLiteral("\\W\\s*\\w")));
    }

    void takeRow(const QStringList &row)
    {
        const auto skip = [&](const QString &why) { ++m_report.skipped[why]; };
        const auto matches = [&](const QString &cell) { return cell.contains(m_matchText, Qt::CaseInsensitive); };
        if (!m_matchText.isEmpty()
            && (m_matchColumn >= 0 ? !matches(row.value(m_matchColumn)) : std::none_of(row.begin(), row.end(), matches))) {
            skip(QStringLiteral("not matching"));
            return;
        }
        if (m_options.limit >= 0 && m_report.added >= m_options.limit) {
            skip(QStringLiteral("past --limit %1").arg(m_options.limit));
            return;
        }
        if (m_free <= 0) {
            skip(QStringLiteral("beyond the 200 contacts that fit"));
            return;
        }
        if (row.size() <= m_idColumn || (row.size() == 1 && m_columns > 1)) {
            skip(QStringLiteral("the row could not be split into the header's columns"));
            return;
        }
        const QString id = row.value(m_idColumn).trimmed();
        QString name = m_nameColumn >= 0 ? row.value(m_nameColumn).trimmed() : QString();
        if (m_callsignColumn >= 0) {
            const QString callsign = row.value(m_callsignColumn).trimmed();
            const QString first = m_firstNameColumn >= 0 ? row.value(m_firstNameColumn).trimmed() : name;
            name = QStringList{callsign, first}.join(u' ').trimmed();
        }
        // A line break or tab inside a quoted cell never becomes part of a name.
        if (name.contains(u'\n') || name.contains(u'\r') || name.contains(u'\t')) {
            skip(QStringLiteral("a line break or tab in the name"));
            return;
        }

        // The row becomes a contact (the first of a replace takes contact 1's
        // place), whose name and call ID are stored through the catalogue's
        // fields: their limits, corrections and refusals are the forms'.
        const bool first = m_firstReplaces;
        int contact = 1;
        const QString oldName = m_contacts.GetName(1), oldId = m_contacts.GetCallId(1);
        if (first) {
            m_contacts.SetCallId(1, QStringLiteral("0000001"));  // frees the old ID for the check below
        } else {
            if (!m_rules.add(m_prompter).ok()) {
                skip(QStringLiteral("no free call ID for a new contact"));
                return;
            }
            contact = m_rules.count();
        }
        const QString refused = store(contact, name, id);
        if (!refused.isEmpty()) {
            if (first) {
                m_contacts.SetName(1, oldName);
                m_contacts.SetCallId(1, oldId);
            } else {
                m_rules.remove(contact);
            }
            skip(refused);
            return;
        }
        m_firstReplaces = false;
        m_ids.insert(m_contacts.GetCallId(contact));
        m_names.insert(m_contacts.GetName(contact));
        ++m_report.added;
        --m_free;
        countType(contact, row);
    }

    // The type a contact takes from its call ID and the group-call start ID,
    // against what a Call Type column said.
    void countType(int contact, const QStringList &row)
    {
        const bool group = m_contacts.GetContactType(contact, m_startId) == 0;
        const QString marked = m_typeColumn >= 0 ? row.value(m_typeColumn) : QString();
        if (marked.contains(QLatin1String("private"), Qt::CaseInsensitive)) {
            ++m_report.markedPrivate;
            m_report.privateAsGroup += group ? 1 : 0;
        } else if (marked.contains(QLatin1String("group"), Qt::CaseInsensitive)) {
            ++m_report.markedGroup;
            m_report.groupAsPrivate += group ? 0 : 1;
            return;  // a group call as the file says
        }
        m_report.groupCalls += group ? 1 : 0;
    }

    // Stores the name and the call ID of a contact; why not, as a reason to
    // count rows by, when a field refuses or the list holds either already.
    QString store(int contact, const QString &name, const QString &id)
    {
        const Fields::At at{contact, 0};
        const Fields::Store named = Fields::setText(field(QStringLiteral("name")), m_contacts.document(), at, name);
        if (named.isRefused())
            return named.key == Fields::Refuse::EmptyName ? QStringLiteral("no name") : QStringLiteral("name refused");
        const Fields::Store identified = Fields::setText(field(QStringLiteral("call_id")), m_contacts.document(), at, id);
        if (identified.isRefused()) {
            if (identified.key == Fields::Refuse::ReservedId)
                return QStringLiteral("reserved call ID");
            const bool digits = !id.isEmpty() && std::all_of(id.begin(), id.end(), [](QChar c) { return c.isDigit(); });
            return digits && id.size() > CContactData::kCallIdLength ? QStringLiteral("call ID longer than 7 digits")
                                                                     : QStringLiteral("no valid call ID");
        }
        if (m_ids.contains(m_contacts.GetCallId(contact)))
            return QStringLiteral("duplicate call ID");
        if (m_names.contains(m_contacts.GetName(contact)))
            return QStringLiteral("duplicate name");
        return {};
    }

    static const Fields::Field &field(const QString &key)
    {
        static const Fields::RecordSchema *contact = [] {
            for (const Fields::SectionSchema &section : Fields::schema()) {
                if (section.key == QLatin1String("contacts"))
                    return &section.list->record;
            }
            Q_UNREACHABLE();
        }();
        return *std::find_if(contact->fields.begin(), contact->fields.end(), [&](const Fields::Field &f) { return f.key == key; });
    }

    // After the last row: a replace points the references at the new list.
    void finish()
    {
        if (m_references)
            m_report.clearedReferences = m_references->restore(m_contacts.document());
    }

private:
    CContactRules m_rules;
    CContactData m_contacts;
    SilentPrompter m_prompter;
    const Options &m_options;
    Report &m_report;
    int m_idColumn = -1, m_nameColumn = -1, m_callsignColumn = -1, m_firstNameColumn = -1, m_typeColumn = -1;
    int m_columns = 0;
    int m_matchColumn = -1;
    QString m_matchText;
    qint32 m_startId = 0;
    QSet<QString> m_ids, m_names;
    int m_free = 0;
    bool m_firstReplaces = false;
    std::unique_ptr<ContactReferences> m_references;
};

// Runs the rows that feed() gives through the importer. An error anywhere
// (even in the last line) leaves the document as it was.
Report importRows(CPcSoftwareDoc &doc, const Options &options, const std::function<bool(CsvReader &)> &feed)
{
    Report report;
    const auto before = std::make_unique<Image>(doc.currentImage());
    {
        RowImporter importer(doc, options, report);
        bool header = true;
        CsvReader reader([&](const QStringList &row, int) {
            if (header) {
                header = false;
                return importer.takeHeader(row);
            }
            importer.takeRow(row);
            return true;
        });
        if (!feed(reader) || !reader.finish()) {
            if (report.error.isEmpty())
                report.error = reader.error();
        } else if (header && report.error.isEmpty()) {
            importer.takeHeader({});  // an empty file names no columns
        } else {
            importer.finish();
        }
    }
    if (!report.ok()) {
        doc.currentImage() = *before;
        report.added = 0;
        report.skipped.clear();
        report.clearedReferences.clear();
        report.groupCalls = report.markedPrivate = report.markedGroup = report.privateAsGroup = report.groupAsPrivate = 0;
    }
    return report;
}

}

QString callTypeSummary(const Report &report)
{
    QString text;
    const QString startId = QString::number(report.groupCallStartId);
    if (report.groupCalls > 0)
        text += QStringLiteral("%1 contact(s) became group calls: their call ID is at or above the group-call start ID %2 "
                               "(group_call_start_id in digital_basic_settings decides which IDs are group calls)\n")
                    .arg(report.groupCalls)
                    .arg(startId);
    if (report.groupCalls + report.groupAsPrivate > 0 && report.markedPrivate + report.markedGroup > 0)
        text += QStringLiteral("the Call Type column marks %1 row(s) private and %2 group\n").arg(report.markedPrivate).arg(report.markedGroup);
    if (report.privateAsGroup > 0)
        text += QStringLiteral("%1 row(s) marked private became group calls (call ID at or above %2); raise group_call_start_id "
                               "above their IDs to keep them private\n")
                    .arg(report.privateAsGroup)
                    .arg(startId);
    if (report.groupAsPrivate > 0)
        text += QStringLiteral("%1 row(s) marked group became private calls (call ID below %2); lower group_call_start_id "
                               "to or below their IDs to keep them group calls\n")
                    .arg(report.groupAsPrivate)
                    .arg(startId);
    return text;
}

Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options)
{
    return importRows(doc, options, [&](CsvReader &reader) { return reader.feed(csv); });
}

Report importFile(QIODevice &in, CPcSoftwareDoc &doc, const Options &options)
{
    return importRows(doc, options, [&](CsvReader &reader) {
        QByteArray chunk;
        while (!(chunk = in.read(kReadChunk)).isEmpty()) {
            if (!reader.feed(chunk))
                return false;
        }
        return true;
    });
}

}
