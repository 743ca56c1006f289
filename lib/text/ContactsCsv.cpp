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
                             QStringLiteral("DMR ID"), QStringLiteral("DMRID"), QStringLiteral("dmr_id"), QStringLiteral("ID")};
const QStringList kNameHeaders{QStringLiteral("Name"), QStringLiteral("Contact Name"), QStringLiteral("Alias")};
const QStringList kCallsignHeaders{QStringLiteral("Callsign"), QStringLiteral("Call Sign"), QStringLiteral("call_sign")};
const QStringList kFirstNameHeaders{QStringLiteral("First Name"), QStringLiteral("FirstName"), QStringLiteral("first_name"),
                                    QStringLiteral("FNAME")};

QString typeText(int type)
{
    switch (type) {
    case 0: return QStringLiteral("group");
    case 1: return QStringLiteral("private");
    default: return QStringLiteral("all");
    }
}

}

QByteArray exportText(CPcSoftwareDoc &doc)
{
    const CContactData contacts(doc);
    const qint32 startId = CBasicSettingData(doc).GetGroupCallStartIdValue();
    QList<QStringList> rows;
    for (int i = 1; i <= contacts.CountContacts(); ++i)
        rows.append({QString::number(i), contacts.GetName(i), contacts.GetCallId(i), typeText(contacts.GetContactType(i, startId))});
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
    bool takeHeader(const QStringList &header)
    {
        CsvTable table;
        table.header = header;
        m_idColumn = table.column(kIdHeaders);
        m_nameColumn = table.column(kNameHeaders);
        m_callsignColumn = table.column(kCallsignHeaders);
        m_firstNameColumn = table.column(kFirstNameHeaders);
        if (m_idColumn < 0 || (m_nameColumn < 0 && m_callsignColumn < 0)) {
            m_report.error =
                QStringLiteral("no call-ID column (Call ID, Radio ID, DMR ID) with a Name or Callsign column in the header");
            return false;
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
        m_budget = m_options.limit < 0 ? m_free : std::min(m_free, m_options.limit);
        m_firstReplaces = m_options.replace;
        return true;
    }

    void takeRow(const QStringList &row)
    {
        const auto skip = [&](const QString &why) { ++m_report.skipped[why]; };
        if (!m_options.match.isEmpty()
            && std::none_of(row.begin(), row.end(),
                            [&](const QString &c) { return c.contains(m_options.match, Qt::CaseInsensitive); })) {
            skip(QStringLiteral("not matching"));
            return;
        }
        if (m_budget <= 0) {
            skip(m_options.limit >= 0 && m_options.limit < m_free ? QStringLiteral("beyond --limit")
                                                                   : QStringLiteral("beyond the 200 contacts that fit"));
            return;
        }
        const QString id = row.value(m_idColumn).trimmed();
        QString name = m_nameColumn >= 0 ? row.value(m_nameColumn).trimmed() : QString();
        if (m_callsignColumn >= 0) {
            const QString callsign = row.value(m_callsignColumn).trimmed();
            const QString first = m_firstNameColumn >= 0 ? row.value(m_firstNameColumn).trimmed() : name;
            name = QStringList{callsign, first}.join(u' ').trimmed();
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
        --m_budget;
        --m_free;
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
    int m_idColumn = -1, m_nameColumn = -1, m_callsignColumn = -1, m_firstNameColumn = -1;
    QSet<QString> m_ids, m_names;
    int m_free = 0;
    int m_budget = 0;
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
    }
    return report;
}

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
