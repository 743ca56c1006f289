#include "sections/RxGroupRules.h"

#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ListRules.h"
#include "sections/RxGroupData.h"

namespace {

// The members in slots 1..member count; the count byte is what the forms
// and the radio go by.
QList<int> storedMembers(const CRxGroupData &groups, int list)
{
    QList<int> members;
    for (int slot = 1; slot <= groups.GetMemberCount(list); ++slot) {
        if (const int contact = groups.GetMember(list, slot))
            members << contact;
    }
    return members;
}

}

bool CRxGroupRules::isGroupContact(int contact) const
{
    const CContactData contacts(m_doc);
    if (contacts.GetName(contact).isEmpty())
        return false;
    const qint32 startId = CBasicSettingData(m_doc).GetGroupCallStartIdValue();
    return CContactData::CallIdValue(contacts.GetCallId(contact)) >= startId;
}

QList<int> CRxGroupRules::availableContacts(int list) const
{
    const CContactData contacts(m_doc);
    const QList<int> members = shownMembers(list);
    QList<int> result;
    for (int contact = 1; contact <= CContactData::kContactCount && !contacts.GetName(contact).isEmpty(); ++contact) {
        if (isGroupContact(contact) && !members.contains(contact))
            result << contact;
    }
    return result;
}

QList<int> CRxGroupRules::shownMembers(int list) const
{
    QList<int> result;
    for (int contact : storedMembers(CRxGroupData(m_doc), list)) {
        if (isGroupContact(contact))
            result << contact;
    }
    return result;
}

QList<int> CRxGroupRules::hiddenMembers(int list) const
{
    QList<int> result;
    for (int contact : storedMembers(CRxGroupData(m_doc), list)) {
        if (!isGroupContact(contact))
            result << contact;
    }
    return result;
}

EditResult CRxGroupRules::moveIn(int list, const QList<int> &contacts, Prompter &prompter)
{
    CRxGroupData groups(m_doc);
    if (list < 1 || list > groups.LastNamedList())
        return EditResult::refused(Refusal::NoSuchRecord);
    // Members that are not group contacts are not shown but still take
    // slots, so the limit counts the stored members.
    QList<int> members = storedMembers(groups, list);
    if (members.size() + contacts.size() > CRxGroupData::kMemberCount) {
        ListRules::tellError(prompter, "IDS_PROMPT_GROUPLISTMEMBER");
        return EditResult::refused(Refusal::Rejected);
    }
    for (int contact : contacts) {
        if (isGroupContact(contact) && !members.contains(contact))
            members << contact;
    }
    groups.SetMembers(list, members);
    return EditResult::showRecord(list);
}

EditResult CRxGroupRules::moveOut(int list, const QList<int> &contacts)
{
    CRxGroupData groups(m_doc);
    if (list < 1 || list > groups.LastNamedList())
        return EditResult::refused(Refusal::NoSuchRecord);
    QList<int> kept;
    for (int contact : storedMembers(groups, list)) {
        if (!contacts.contains(contact))
            kept << contact;
    }
    // The count is what remains stored, hidden members included.
    groups.SetMembers(list, kept);
    if (kept.isEmpty())
        releaseChannels(list);
    return EditResult::showRecord(list);
}

int CRxGroupRules::removeHiddenMembers(int list)
{
    if (list < 1 || list > CRxGroupData(m_doc).LastNamedList())
        return 0;
    const QList<int> hidden = hiddenMembers(list);
    if (!hidden.isEmpty())
        moveOut(list, hidden);
    return int(hidden.size());
}

void CRxGroupRules::releaseChannels(int list)
{
    CChannelData channels(m_doc);
    for (int zone = 1; zone <= channels.zoneSlotCount(); ++zone) {
        for (int channel = 1; channel <= CChannelData::kChannelsPerZone; ++channel) {
            if (channels.GetRxGroupList(zone, channel) == list)
                channels.SetRxGroupList(zone, channel, 0);
        }
    }
}

bool CRxGroupRules::enterName(int list, const QString &text, Prompter &prompter)
{
    CRxGroupData groups(m_doc);
    const int count = groups.LastNamedList();
    if (list < 1 || list > count)
        return false;
    if (text == groups.GetName(list))
        return true;
    QStringList others;
    for (int g = 1; g <= count; ++g) {
        if (g != list)
            others << groups.GetName(g);
    }
    if (!ListRules::acceptName(text, others, prompter))
        return false;
    groups.SetName(list, text);
    return true;
}

// Every list is walked: a list left empty earlier must not stop the walk,
// or the lists after it would keep numbers that now name other contacts.
void CRxGroupRules::renumberMembers(const std::function<int(int)> &map)
{
    CRxGroupData groups(m_doc);
    for (int list = 1; list <= CRxGroupData::kListCount; ++list) {
        const QList<int> before = storedMembers(groups, list);
        QList<int> after;
        for (int contact : before) {
            if (const int moved = map(contact))
                after << moved;
        }
        if (after == before)
            continue;
        groups.SetMembers(list, after);
        // A list that lost its last member is no list to listen to, however
        // the member left it.
        if (after.isEmpty())
            releaseChannels(list);
    }
}

void CRxGroupRules::removeContactEverywhere(int contact)
{
    renumberMembers([contact](int member) { return member == contact ? 0 : member; });
}
