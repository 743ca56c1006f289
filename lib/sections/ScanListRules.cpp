#include "sections/ScanListRules.h"

#include "sections/ChannelData.h"
#include "sections/ListRules.h"
#include "sections/ScanData.h"

QList<ChannelRef> CScanListRules::availableChannels(int list) const
{
    const QList<ChannelRef> current = members(list);
    QList<ChannelRef> result;
    ListRules::forEachUsedChannel(m_doc, [&](CChannelData &, int zone, int channel) {
        const ChannelRef ref{zone, channel};
        if (!current.contains(ref))
            result << ref;
    });
    return result;
}

QList<ChannelRef> CScanListRules::members(int list) const
{
    return CScanData(m_doc).GetMembers(list);
}

QList<ChannelRef> CScanListRules::selectorChannels() const
{
    const CChannelData channels(m_doc);
    QList<ChannelRef> result;
    for (int zone = 1; zone <= channels.zoneSlotCount(); ++zone) {
        for (int channel = 1; channel <= CChannelData::kChannelsPerZone; ++channel) {
            if (channels.ChannelExists(zone, channel))
                result << ChannelRef{zone, channel};
        }
    }
    return result;
}

EditResult CScanListRules::moveIn(int list, const QList<ChannelRef> &channels, Prompter &prompter)
{
    CScanData scans(m_doc);
    if (list < 1 || list > scans.CountLists())
        return EditResult::refused(Refusal::NoSuchRecord);
    QList<ChannelRef> current = scans.GetMembers(list);
    if (current.size() + channels.size() > CScanData::kMemberCount) {
        ListRules::tellError(prompter, "IDS_PROMPT_CHANNELMEMBER");
        return EditResult::refused(Refusal::Rejected);
    }
    const CChannelData channelData(m_doc);
    for (const ChannelRef &ref : channels) {
        if (channelData.ChannelExists(ref.zone, ref.channel) && !current.contains(ref))
            current << ref;
    }
    scans.SetMembers(list, current);
    return EditResult::showRecord(list);
}

EditResult CScanListRules::moveOut(int list, const QList<ChannelRef> &channels)
{
    CScanData scans(m_doc);
    if (list < 1 || list > scans.CountLists())
        return EditResult::refused(Refusal::NoSuchRecord);
    QList<ChannelRef> kept;
    for (const ChannelRef &member : scans.GetMembers(list)) {
        if (!channels.contains(member))
            kept << member;
    }
    scans.SetMembers(list, kept);
    return EditResult::showRecord(list);
}

bool CScanListRules::acceptName(int list, const QString &text, Prompter &prompter) const
{
    const CScanData scans(m_doc);
    QStringList others;
    const int count = scans.CountLists();
    for (int other = 1; other <= count; ++other) {
        if (other != list)
            others << scans.GetName(other);
    }
    return ListRules::acceptName(text, others, prompter);
}

bool CScanListRules::clearUnsetChannelPairs(int list)
{
    CScanData scans(m_doc);
    if (!CScanData::isValidList(list))
        return false;
    bool rewritten = false;
    const auto clearIfUnset = [&](ChannelRef ref, void (CScanData::*setter)(int, ChannelRef)) {
        if (!ref.isSet()) {
            (scans.*setter)(list, ChannelRef{});
            rewritten = true;
        }
    };
    clearIfUnset(scans.GetPriorityChannel1(list), &CScanData::SetPriorityChannel1);
    clearIfUnset(scans.GetPriorityChannel2(list), &CScanData::SetPriorityChannel2);
    clearIfUnset(scans.GetDesignatedChannel(list), &CScanData::SetDesignatedChannel);
    return rewritten;
}
