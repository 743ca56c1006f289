// The record lists other than zones: scan lists, contacts, RX group lists,
// encryption keys and quick texts.

#include "fields/FieldBuilders.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/EncryptData.h"
#include "sections/EncryptRules.h"
#include "sections/ListMaintenance.h"
#include "sections/QuickTextData.h"
#include "sections/QuickTextRules.h"
#include "sections/RxGroupData.h"
#include "sections/RxGroupRules.h"
#include "sections/ScanData.h"
#include "sections/ScanListRules.h"

namespace Fields {

using namespace Build;

namespace {

// List operations that would ask the user something are answered with
// Cancel; the import reports their refusal itself.
class SilentPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &) override { return PromptAnswer::Cancel; }
};

template <class Data>
Field recordName(void (Data::*set)(int, const QString &), QString (Data::*get)(int) const)
{
    Field f = text<Data>(QStringLiteral("name"), Kind::Text, get, set);
    f.setText = [set](Doc &doc, At at, const QString &value) {
        return storeName(value, NameField::kNameUnits, [&](const QString &name) {
            Data data(doc);
            (data.*set)(at.record, name);
        });
    };
    f.isRecordName = true;
    return f;
}

template <class Data>
std::pair<int, int> recordBytes(Doc &doc, At at, int size)
{
    return {Data(doc).recordOffset(at.record), size};
}

// What every list of numbered records has: its count and capacity, how it
// grows and shrinks, its records' names and bytes.
template <class Data>
ListSchema recordList(const QString &key, Target kind, std::function<int(Doc &, At)> count, int capacity,
                      std::function<QString(Doc &, At, int)> resize, QString (Data::*name)(int) const)
{
    ListSchema list;
    list.key = key;
    list.kind = kind;
    list.count = std::move(count);
    list.capacity = [capacity](Doc &, At) { return capacity; };
    list.resize = std::move(resize);
    list.itemAt = [](At, int i) { return At{i, 0}; };
    list.name = [name](Doc &doc, At at) { return (Data(doc).*name)(at.record); };
    list.bytes = [](Doc &doc, At at) { return recordBytes<Data>(doc, at, Data::kRecordSize); };
    return list;
}

// A list's members: contact numbers or channel pairs, stored as a whole.
template <class Data>
ListSchema memberList(Field member)
{
    ListSchema members;
    members.key = QStringLiteral("members");
    members.minimum = 0;
    members.count = [](Doc &doc, At parent) { return int(Data(doc).GetMembers(parent.record).size()); };
    members.capacity = [](Doc &, At) { return Data::kMemberCount; };
    members.itemAt = [](At parent, int i) { return At{parent.record, i}; };
    member.key = QStringLiteral("members");
    members.item = std::move(member);
    return members;
}

bool isDigits(const QString &text, int maxLength, const QString &extra = {})
{
    return !text.isEmpty() && text.size() <= maxLength
           && std::all_of(text.begin(), text.end(), [&](QChar c) { return c.isDigit() || extra.contains(c); });
}

ListSchema scanLists()
{
    using D = CScanData;
    ListSchema list = recordList<D>(
        QStringLiteral("scan_lists"), Target::ScanList, [](Doc &doc, At) { return D(doc).CountLists(); }, D::kListCount,
        [](Doc &doc, At, int n) {
            CListMaintenance lists(doc);
            return resizeList(lists.scanListCount(), n, [&] { return lists.addScanList(); }, [&](int last) { return lists.deleteScanList(last); });
        },
        &D::GetName);
    const QStringList priorityTypes{QStringLiteral("none"), QStringLiteral("selected"), QStringLiteral("designated")};
    auto &f = list.record.fields;
    f.push_back(recordName<D>(&D::SetName, &D::GetName));
    f.push_back(choice<D>(QStringLiteral("priority_channel_type_1"), priorityTypes, &D::GetPriorityChannelType1, &D::SetPriorityChannelType1));
    f.push_back(choice<D>(QStringLiteral("priority_channel_type_2"), priorityTypes, &D::GetPriorityChannelType2, &D::SetPriorityChannelType2));
    f.push_back(pair<D>(QStringLiteral("priority_channel_1"), &D::GetPriorityChannel1, &D::SetPriorityChannel1));
    f.push_back(pair<D>(QStringLiteral("priority_channel_2"), &D::GetPriorityChannel2, &D::SetPriorityChannel2));
    f.push_back(pair<D>(QStringLiteral("designated_channel"), &D::GetDesignatedChannel, &D::SetDesignatedChannel));
    f.push_back(choice<D>(QStringLiteral("revert_channel"),
                          {QStringLiteral("selected"), QStringLiteral("selected_talkback"), QStringLiteral("last_active"),
                           QStringLiteral("priority_1"), QStringLiteral("priority_2"), QStringLiteral("designated"),
                           QStringLiteral("last_called")},
                          &D::GetRevertChannel, &D::SetRevertChannel));
    f.push_back(boolean<D>(QStringLiteral("include_current_channel"), &D::GetIncludeCurrentChannel, &D::SetIncludeCurrentChannel));
    f.push_back(boolean<D>(QStringLiteral("nuisance_delete"), &D::GetNuisanceDelete, &D::SetNuisanceDelete));
    f.push_back(boolean<D>(QStringLiteral("nuisance_reset"), &D::GetNuisanceReset, &D::SetNuisanceReset));
    f.push_back(boolean<D>(QStringLiteral("scan_indicator"), &D::GetScanIndicator, &D::SetScanIndicator));
    f.push_back(boolean<D>(QStringLiteral("talkback"), &D::GetTalkback, &D::SetTalkback));
    Field dwell = number<D>(QStringLiteral("rx_dwell_time_s"), Kind::Decimal, &D::GetRxDwellTime, &D::SetRxDwellTime, 0, 255);
    dwell.scale = 4;
    f.push_back(dwell);
    dwell = number<D>(QStringLiteral("tx_dwell_time_s"), Kind::Decimal, &D::GetTxDwellTime, &D::SetTxDwellTime, 0, 255);
    dwell.scale = 4;
    f.push_back(dwell);
    Field lookBack = edited<D>(QStringLiteral("look_back_time_a_s"), Kind::Decimal, &D::GetLookBackTimeA, &D::SetLookBackTimeA,
                               CScanListRules::kLookBackMin, CScanListRules::kLookBackMax);
    lookBack.scale = 10;
    f.push_back(lookBack);
    lookBack = edited<D>(QStringLiteral("look_back_time_b_s"), Kind::Decimal, &D::GetLookBackTimeB, &D::SetLookBackTimeB,
                         CScanListRules::kLookBackMin, CScanListRules::kLookBackMax);
    lookBack.scale = 10;
    f.push_back(lookBack);

    Field member;
    member.kind = Kind::ChannelRef;
    member.target = Target::Channel;
    member.getPair = [](Doc &doc, At at) { return D(doc).GetMembers(at.record).value(at.sub - 1); };
    ListSchema members = memberList<D>(member);
    members.storePairs = [](Doc &doc, At parent, const QList<ChannelRef> &refs) {
        D(doc).SetMembers(parent.record, refs);
        return Store{};
    };
    list.record.lists.push_back(members);
    return list;
}

Field callIdField()
{
    Field f = text<CContactData>(QStringLiteral("call_id"), Kind::Text, &CContactData::GetCallId, &CContactData::SetCallId,
                                 QStringLiteral("0123456789*"), CContactData::kCallIdLength);
    f.isCallId = true;
    f.setText = [](Doc &doc, At at, const QString &value) -> Store {
        if (!isDigits(value, CContactData::kCallIdLength, QStringLiteral("*")))
            return Store::refused(Refuse::Symbols, QStringLiteral("a call ID of up to 7 digits (or \"*\") is expected"));
        QString id = value;
        Store result;
        if (CContactData::CallIdValue(id) == 0 && id != QLatin1String("*******") && !id.contains(u'*')) {
            id = QStringLiteral("0000001");
            result = Store::corrected(QStringLiteral("a call ID of 0 is stored as 0000001"));
        }
        if (CContactData::IsReservedCallId(id.rightJustified(7, u'0')))
            return Store::refused(Refuse::ReservedId, QStringLiteral("%1 is a reserved call ID").arg(value));
        CContactData contacts(doc);
        CRxGroupRules groups(doc);
        const bool wasGroup = groups.isGroupContact(at.record);
        contacts.SetCallId(at.record, id);
        // As in the contact form: a contact that stops being a group call leaves every RX group list.
        if (wasGroup && !groups.isGroupContact(at.record))
            groups.removeContactEverywhere(at.record);
        return result;
    };
    return f;
}

// Contacts in use are the records whose number byte reads 1..200; the
// list may leave gaps (the form closes them when it opens), and the text
// keeps every record in its slot, a free slot as null.
int lastContact(Doc &doc)
{
    const CContactData contacts(doc);
    for (int contact = CContactData::kContactCount; contact >= 1; --contact) {
        if (contacts.GetNumber(contact) != 0)
            return contact;
    }
    return 0;
}

// Puts contacts into the slots the text uses and frees the others; a new
// contact gets the name and ID an addition would give it, for the text to
// overwrite.
QString layContacts(Doc &doc, const QList<bool> &used)
{
    CContactRules rules(doc);
    CContactData contacts(doc);
    for (int contact = 1; contact <= CContactData::kContactCount; ++contact) {
        const bool wanted = used.value(contact - 1);
        if (!wanted && contacts.GetNumber(contact) != 0)
            contacts.ClearContact(contact);
    }
    for (int contact = 1; contact <= CContactData::kContactCount; ++contact) {
        if (!used.value(contact - 1) || contacts.GetNumber(contact) != 0)
            continue;
        const std::optional<QString> id = rules.newContactId();
        if (!id)
            return QStringLiteral("no call ID is left for contact %1").arg(contact);
        contacts.SetName(contact, rules.newContactName());
        contacts.SetCallId(contact, *id);
        contacts.SetNumber(contact, contact);
    }
    return {};
}

ListSchema contacts()
{
    using D = CContactData;
    ListSchema list = recordList<D>(
        QStringLiteral("contacts"), Target::Contact, [](Doc &doc, At) { return lastContact(doc); }, D::kContactCount,
        [](Doc &doc, At, int n) {
            CContactRules rules(doc);
            SilentPrompter prompter;
            // Added at once: one at a time, each addition would read the whole list again.
            const int now = rules.count();
            if (n > now && !rules.add(n - now, prompter).ok())
                return QStringLiteral("no record can be added after record %1").arg(rules.count());
            return resizeList(rules.count(), n, [] { return EditResult::refused(Refusal::ListFull); }, [&](int last) { return rules.remove(last); });
        },
        &D::GetName);
    list.used = [](Doc &doc, At at) { return D(doc).GetNumber(at.record) != 0; };
    list.layout = [](Doc &doc, At, const QList<bool> &used) { return layContacts(doc, used); };
    list.record.fields.push_back(recordName<D>(&D::SetName, &D::GetName));
    list.record.fields.push_back(callIdField());
    return list;
}

ListSchema rxGroups()
{
    using D = CRxGroupData;
    ListSchema list = recordList<D>(
        QStringLiteral("rx_groups"), Target::RxGroup, [](Doc &doc, At) { return D(doc).CountLists(); }, D::kListCount,
        [](Doc &doc, At, int n) {
            CListMaintenance lists(doc);
            return resizeList(lists.rxGroupCount(), n, [&] { return lists.addRxGroup(); }, [&](int last) { return lists.deleteRxGroup(last); });
        },
        &D::GetName);
    list.record.fields.push_back(recordName<D>(&D::SetName, &D::GetName));

    Field member;
    member.kind = Kind::Ref;
    member.target = Target::Contact;
    member.max = CContactData::kContactCount;
    member.getInt = [](Doc &doc, At at) { return D(doc).GetMembers(at.record).value(at.sub - 1); };
    ListSchema members = memberList<D>(member);
    members.storeNumbers = [](Doc &doc, At parent, const QList<int> &contacts) -> Store {
        CRxGroupRules rules(doc);
        for (int contact : contacts) {
            if (contact >= 1 && contact <= CContactData::kContactCount && !CContactData(doc).GetName(contact).isEmpty()
                && !rules.isGroupContact(contact))
                return Store::refused(Refuse::Members, QStringLiteral("contact %1 is not a group call and cannot be a member").arg(contact));
        }
        D(doc).SetMembers(parent.record, contacts);
        // As in the RX group form: a list left without members is no channel's list.
        if (contacts.isEmpty())
            rules.releaseChannels(parent.record);
        return Store{};
    };
    list.record.lists.push_back(members);
    return list;
}

ListSchema encryptionKeys()
{
    using D = CEncryptData;
    ListSchema list = recordList<D>(
        QStringLiteral("encryption_keys"), Target::EncryptKey, [](Doc &doc, At) { return D(doc).CountEntries(); }, D::kEntryCount,
        [](Doc &doc, At, int n) {
            CEncryptRules rules(doc);
            return resizeList(rules.count(), n, [&] { return rules.add(); }, [&](int last) { return rules.remove(last); });
        },
        &D::GetName);
    list.record.fields.push_back(recordName<D>(&D::SetName, &D::GetName));
    Field key = text<D>(QStringLiteral("key"), Kind::Text, &D::GetKey, &D::SetKey, QStringLiteral("0123456789"), D::kKeyLength);
    key.setText = [](Doc &doc, At at, const QString &value) -> Store {
        if (!isDigits(value, D::kKeyLength))
            return Store::refused(Refuse::Symbols, QStringLiteral("a key of up to 8 digits is expected"));
        D(doc).SetKey(at.record, value);
        if (D(doc).GetKey(at.record) != value.rightJustified(D::kKeyLength, u'0'))
            return Store::corrected(QStringLiteral("stored as %1").arg(D(doc).GetKey(at.record)));
        return Store{};
    };
    list.record.fields.push_back(key);
    return list;
}

ListSchema quickTexts()
{
    using D = CQuickTextData;
    ListSchema list = recordList<D>(
        QStringLiteral("quick_texts"), Target::None, [](Doc &doc, At) { return CQuickTextRules(doc).count(); }, D::kTextCount,
        [](Doc &doc, At, int n) {
            CQuickTextRules rules(doc);
            return resizeList(rules.count(), n, [&] { return rules.add(); }, [&](int last) { return rules.remove(last); });
        },
        &D::GetText);
    Field f = text<D>(QStringLiteral("text"), Kind::Text, &D::GetText, &D::SetText);
    f.setText = [](Doc &doc, At at, const QString &value) -> Store {
        const QString cut = NameField::truncated(value, NameField::kQuickTextUnits);
        D(doc).SetText(at.record, cut);
        if (cut != value)
            return Store::corrected(QStringLiteral("cut to \"%1\" (%2 characters at most)").arg(cut).arg(NameField::kQuickTextUnits));
        return Store{};
    };
    list.record.fields.push_back(f);
    return list;
}

SectionSchema listSection(ListSchema list, std::function<bool(const Doc &)> offered = [](const Doc &) { return true; })
{
    SectionSchema section;
    section.key = list.key;
    section.offered = std::move(offered);
    section.list = std::move(list);
    return section;
}

bool hasQuickTexts(const Doc &doc)
{
    const QString model = doc.settings().modelName();
    return model == QLatin1String("VK214") || model == QLatin1String("TL809");
}

}

std::vector<SectionSchema> listSections()
{
    std::vector<SectionSchema> sections;
    sections.push_back(listSection(scanLists()));
    sections.push_back(listSection(contacts()));
    sections.push_back(listSection(rxGroups()));
    sections.push_back(listSection(encryptionKeys()));
    sections.push_back(listSection(quickTexts(), hasQuickTexts));
    return sections;
}

}
