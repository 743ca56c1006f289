#include "sections/ListMaintenance.h"

#include "codeplug/Encodings.h"
#include "sections/AnalogEmergencyData.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/EmergencyData.h"
#include "sections/ListRules.h"
#include "sections/RxGroupData.h"
#include "sections/RxGroupRules.h"
#include "sections/ScanData.h"
#include "sections/ScanListRules.h"

#include <algorithm>

namespace {

constexpr int kChannels = CChannelData::kChannelsPerZone;
constexpr int kScanLists = CScanData::kListCount;
constexpr int kRxGroups = CRxGroupData::kListCount;

// A reference is cleared when the map takes a set zone to none.
bool clears(ChannelRef before, ChannelRef after)
{
    return before.zone != 0 && after.zone == 0;
}

}

int CListMaintenance::zoneCount() const
{
    return CChannelData(m_doc).CountZones();
}

int CListMaintenance::channelCount(int zone) const
{
    if (zone < 1 || zone > zoneCount())
        return 0;
    return CChannelData(m_doc).CountChannels(zone);
}

int CListMaintenance::scanListCount() const
{
    return CScanData(m_doc).CountLists();
}

int CListMaintenance::rxGroupCount() const
{
    return CRxGroupData(m_doc).CountLists();
}

bool CListMaintenance::canAddZone() const
{
    return zoneCount() < CChannelData(m_doc).zoneSlotCount();
}

bool CListMaintenance::canDeleteZone() const
{
    return zoneCount() >= 2;
}

bool CListMaintenance::canAddChannel(int zone) const
{
    const int count = channelCount(zone);
    return count >= 1 && count < kChannels;
}

bool CListMaintenance::canDeleteChannel(int zone) const
{
    return channelCount(zone) >= 2;
}

bool CListMaintenance::canMoveChannel(int zone, int from, int to) const
{
    return channelInUse(zone, from) && channelInUse(zone, to);
}

bool CListMaintenance::canInsertChannel(int zone, int at) const
{
    return canAddChannel(zone) && at >= 1 && at <= channelCount(zone) + 1;
}

bool CListMaintenance::canAddScanList() const
{
    return scanListCount() < kScanLists;
}

bool CListMaintenance::canDeleteScanList() const
{
    return scanListCount() >= 2;
}

bool CListMaintenance::canAddRxGroup() const
{
    return rxGroupCount() < kRxGroups;
}

bool CListMaintenance::canDeleteRxGroup() const
{
    return rxGroupCount() >= 2;
}

bool CListMaintenance::channelInUse(int zone, int channel) const
{
    return channel >= 1 && channel <= channelCount(zone);
}

// A paste reads the copied record when it runs; once that number has left
// the used records (a deletion moved the lists) it names a freed record, and
// pasting its zero bytes would spoil the target.
bool CListMaintenance::canPasteChannel(const ListClipboard &clip, int zone, int channel) const
{
    return clip.kind == ListClipboard::Kind::Channel && channelInUse(zone, channel)
           && channelInUse(clip.zone, clip.channel) && !(clip.zone == zone && clip.channel == channel);
}

bool CListMaintenance::canPasteScanList(const ListClipboard &clip, int list) const
{
    const int count = scanListCount();
    return clip.kind == ListClipboard::Kind::ScanList && list >= 1 && list <= count && clip.number >= 1
           && clip.number <= count && clip.number != list;
}

bool CListMaintenance::canPasteRxGroup(const ListClipboard &clip, int list) const
{
    const int count = rxGroupCount();
    return clip.kind == ListClipboard::Kind::RxGroup && list >= 1 && list <= count && clip.number >= 1
           && clip.number <= count && clip.number != list;
}

void CListMaintenance::createChannel(int zone, int channel, const QString &name)
{
    CChannelData channels(m_doc);
    channels.SetChannelName(zone, channel, name);
    channels.InitChannel(zone, channel);
    // A new channel's colour codes follow its frequencies, as after any
    // frequency entry.
    CChannelRules(m_doc).updateColourCodes(zone, channel);
    clearStaleChannelsAfter(zone, channel);
}

// A loaded file may hold named records past the first unnamed one. Once the
// new record fills the gap they would join the list with whatever stale
// references they carry, so they are freed instead.
void CListMaintenance::clearStaleChannelsAfter(int zone, int channel)
{
    CChannelData channels(m_doc);
    if (channel >= kChannels || !channels.ChannelExists(zone, channel + 1))
        return;
    for (int c = channel + 1; c <= kChannels; ++c)
        channels.ClearChannelRecord(zone, c);
}

EditResult CListMaintenance::addZone()
{
    if (!canAddZone())
        return EditResult::refused(Refusal::ListFull);
    CChannelData channels(m_doc);
    const int used = channels.CountZones();
    QStringList names;
    for (int z = 1; z <= used; ++z)
        names << channels.GetZoneName(z);
    const int zone = used + 1;
    channels.SetZoneName(zone, ListRules::firstFreeName(QStringLiteral("Zone %1"), channels.zoneSlotCount(), names));
    channels.SetZoneChannelCount(zone, 1);
    createChannel(zone, 1, QStringLiteral("Channel 1"));
    if (zone < channels.zoneSlotCount() && channels.ZoneExists(zone + 1)) {
        for (int z = zone + 1; z <= channels.zoneSlotCount(); ++z) {
            channels.ClearZoneRecord(z);
            channels.ClearChannelBlock(z);
        }
    }
    return EditResult::showChannel(zone, 1);
}

EditResult CListMaintenance::addChannel(int zone)
{
    if (channelCount(zone) < 1)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (!canAddChannel(zone))
        return EditResult::refused(Refusal::ListFull);
    CChannelData channels(m_doc);
    const int used = channels.CountChannels(zone);
    QStringList names;
    for (int c = 1; c <= used; ++c)
        names << channels.GetChannelName(zone, c);
    const int channel = used + 1;
    createChannel(zone, channel, ListRules::firstFreeName(QStringLiteral("Channel %1"), kChannels, names));
    return EditResult::showChannel(zone, channel);
}

EditResult CListMaintenance::addScanList()
{
    if (!canAddScanList())
        return EditResult::refused(Refusal::ListFull);
    CScanData scans(m_doc);
    const int used = scans.CountLists();
    QStringList names;
    for (int s = 1; s <= used; ++s)
        names << scans.GetName(s);
    const int list = used + 1;
    scans.SetName(list, ListRules::firstFreeName(QStringLiteral("Scan %1"), kScanLists, names));
    scans.InitList(list);
    if (list < kScanLists && !scans.GetName(list + 1).isEmpty()) {
        for (int s = list + 1; s <= kScanLists; ++s)
            scans.ClearRecord(s);
    }
    return EditResult::showRecord(list);
}

EditResult CListMaintenance::addRxGroup()
{
    if (!canAddRxGroup())
        return EditResult::refused(Refusal::ListFull);
    CRxGroupData groups(m_doc);
    const int used = groups.CountLists();
    QStringList names;
    for (int g = 1; g <= used; ++g)
        names << groups.GetName(g);
    const int list = used + 1;
    groups.SetName(list, ListRules::firstFreeName(QStringLiteral("Group %1"), kRxGroups, names));
    groups.ClearMembers(list);
    if (list < kRxGroups && !groups.GetName(list + 1).isEmpty()) {
        for (int g = list + 1; g <= kRxGroups; ++g)
            groups.ClearRecord(g);
    }
    return EditResult::showRecord(list);
}

EditResult CListMaintenance::deleteZone(int zone)
{
    const int used = zoneCount();
    if (zone < 1 || zone > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (!canDeleteZone())
        return EditResult::refused(Refusal::OnlyRecord);

    CChannelData channels(m_doc);
    const int slotCount = channels.zoneSlotCount();
    for (int z = zone; z < slotCount; ++z) {
        channels.CopyZoneRecord(z + 1, z);
        channels.CopyChannelBlock(z + 1, z);
    }
    channels.ClearZoneRecord(slotCount);
    channels.ClearChannelBlock(slotCount);

    followChannelRefs(
        [zone](ChannelRef ref) -> ChannelRef {
            if (ref.zone == zone)
                return {};
            if (ref.zone > zone)
                return {ref.zone - 1, ref.channel};
            return ref;
        },
        scanListCount());
    return EditResult::showChannel(zone < used ? zone : used - 1, 1);
}

EditResult CListMaintenance::deleteChannel(int zone, int channel)
{
    const int used = channelCount(zone);
    if (!channelInUse(zone, channel))
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used < 2)
        return EditResult::refused(Refusal::OnlyRecord);

    CChannelData channels(m_doc);
    // The count follows the named channels, whatever the stored byte said.
    channels.SetZoneChannelCount(zone, used - 1);
    for (int c = channel; c < kChannels; ++c)
        channels.CopyChannelRecord(zone, c + 1, zone, c);
    channels.ClearChannelRecord(zone, kChannels);

    followChannelRefs(
        [zone, channel](ChannelRef ref) -> ChannelRef {
            if (ref.zone != zone)
                return ref;
            if (ref.channel == channel)
                return {};
            if (ref.channel > channel)
                return {zone, ref.channel - 1};
            return ref;
        },
        kScanLists);
    return EditResult::showChannel(zone, channel < used ? channel : used - 1);
}

EditResult CListMaintenance::moveChannel(int zone, int from, int to)
{
    if (!canMoveChannel(zone, from, to))
        return EditResult::refused(Refusal::NoSuchRecord);
    if (from == to)
        return EditResult::showChannel(zone, to);
    CChannelData(m_doc).MoveChannelRecord(zone, from, to);
    followChannelRefs(
        [zone, from, to](ChannelRef ref) -> ChannelRef {
            if (ref.zone != zone)
                return ref;
            if (ref.channel == from)
                return {zone, to};
            if (from < to && ref.channel > from && ref.channel <= to)
                return {zone, ref.channel - 1};
            if (from > to && ref.channel >= to && ref.channel < from)
                return {zone, ref.channel + 1};
            return ref;
        },
        kScanLists, Members::InPlace);
    return EditResult::showChannel(zone, to);
}

EditResult CListMaintenance::reorderChannels(int zone, const QList<int> &order)
{
    QList<int> current;
    for (int c = 1; c <= channelCount(zone); ++c)
        current << c;
    QList<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    if (current.isEmpty() || sorted != current)
        return EditResult::refused(Refusal::NoSuchRecord);
    for (int i = 0; i < order.size(); ++i) {
        const int at = int(current.indexOf(order[i]));
        if (at == i)
            continue;
        moveChannel(zone, at + 1, i + 1);
        current.move(at, i);
    }
    return EditResult::showChannel(zone, 1);
}

// Made at the end as Add channel makes it, then moved into place: the new
// record is the one Add channel would give, and the references of the
// channels behind it follow as in any move.
EditResult CListMaintenance::insertChannel(int zone, int at)
{
    const int used = channelCount(zone);
    if (used < 1 || at < 1 || at > used + 1)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (!canInsertChannel(zone, at))
        return EditResult::refused(Refusal::ListFull);
    const EditResult added = addChannel(zone);
    if (!added.ok() || added.channel == at)
        return added;
    return moveChannel(zone, added.channel, at);
}

void CListMaintenance::followChannelRefs(const std::function<ChannelRef(ChannelRef)> &map, int memberListsToWalk,
                                         Members members)
{
    CEmergencyData digital(m_doc);
    const ChannelRef digitalReply = digital.GetReplyChannelRef();
    const ChannelRef digitalAfter = map(digitalReply);
    if (clears(digitalReply, digitalAfter)) {
        digital.SetReplyChannelRef({});
        digital.SetReplyChannelSet(false);
    } else if (digitalAfter.zone != digitalReply.zone) {
        digital.SetReplyZone(digitalAfter.zone);  // the channel byte stays as stored
    } else if (digitalAfter.channel != digitalReply.channel) {
        digital.SetReplyChannel(digitalAfter.channel);
    }

    CAnalogEmergencyData analog(m_doc);
    const ChannelRef analogReply = analog.GetReplyChannelRef();
    const ChannelRef analogAfter = map(analogReply);
    if (clears(analogReply, analogAfter)) {
        analog.SetReplyChannelRef({});
        analog.SetDesignatedReplyChannel(false);
    } else if (analogAfter.zone != analogReply.zone) {
        analog.SetReplyZone(analogAfter.zone);
    } else if (analogAfter.channel != analogReply.channel) {
        analog.SetReplyChannel(analogAfter.channel);
    }

    CScanData scans(m_doc);
    for (int list = 1; list <= kScanLists; ++list) {
        const ChannelRef p1 = scans.GetPriorityChannel1(list);
        if (map(p1) != p1)
            scans.SetPriorityChannel1(list, map(p1));
        const ChannelRef p2 = scans.GetPriorityChannel2(list);
        if (map(p2) != p2)
            scans.SetPriorityChannel2(list, map(p2));
        const ChannelRef designated = scans.GetDesignatedChannel(list);
        if (map(designated) != designated)
            scans.SetDesignatedChannel(list, map(designated));
    }

    if (members == Members::InPlace) {
        for (int list = 1; list <= memberListsToWalk && list <= kScanLists; ++list) {
            for (int slot = 1; slot <= CScanData::kMemberCount; ++slot) {
                const ChannelRef member = scans.GetMember(list, slot);
                if (member.isSet() && map(member) != member)
                    scans.SetMember(list, slot, map(member));
            }
        }
        return;
    }

    // Members of a deleted channel drop out and the rest close up in their
    // old order; every walked list is written back, its free slots as (0, 0).
    for (int list = 1; list <= memberListsToWalk && list <= kScanLists; ++list) {
        QList<ChannelRef> after;
        for (const ChannelRef &member : scans.GetMembers(list)) {
            const ChannelRef moved = map(member);
            if (moved.isSet())
                after << moved;
        }
        scans.SetMembers(list, after);
    }
}

EditResult CListMaintenance::deleteScanList(int list)
{
    const int used = scanListCount();
    if (list < 1 || list > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used < 2)
        return EditResult::refused(Refusal::OnlyRecord);
    CScanData scans(m_doc);
    for (int s = list; s < kScanLists; ++s)
        scans.CopyRecord(s + 1, s);
    scans.ClearRecord(kScanLists);
    ListRules::forEachUsedChannel(m_doc, [list](CChannelData &channels, int z, int c) {
        const int ref = channels.GetScanList(z, c);
        const int after = ListRules::afterRemoval(ref, list);
        if (after != ref)
            channels.SetScanList(z, c, after);
    });
    // The list shown afterwards is mended as any list shown, whichever
    // window deleted the list.
    const int shown = list < used ? list : used - 1;
    CScanListRules(m_doc).clearUnsetChannelPairs(shown);
    return EditResult::showRecord(shown);
}

EditResult CListMaintenance::deleteRxGroup(int list)
{
    const int used = rxGroupCount();
    if (list < 1 || list > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used < 2)
        return EditResult::refused(Refusal::OnlyRecord);
    CRxGroupData groups(m_doc);
    for (int g = list; g < kRxGroups; ++g)
        groups.CopyRecord(g + 1, g);
    groups.ClearRecord(kRxGroups);
    ListRules::forEachUsedChannel(m_doc, [list](CChannelData &channels, int z, int c) {
        const int ref = channels.GetRxGroupList(z, c);
        const int after = ListRules::afterRemoval(ref, list);
        if (after != ref)
            channels.SetRxGroupList(z, c, after);
    });
    return EditResult::showRecord(list < used ? list : used - 1);
}

EditResult CListMaintenance::pasteChannel(const ListClipboard &clip, int zone, int channel)
{
    if (clip.kind != ListClipboard::Kind::Channel)
        return EditResult::refused(Refusal::NothingCopied);
    if (clip.zone == zone && clip.channel == channel)
        return EditResult::refused(Refusal::SameRecord);
    if (!canPasteChannel(clip, zone, channel))
        return EditResult::refused(Refusal::NoSuchRecord);
    CChannelData(m_doc).CopyChannelSettings(clip.zone, clip.channel, zone, channel);
    return EditResult::showChannel(zone, channel);
}

EditResult CListMaintenance::pasteScanList(const ListClipboard &clip, int list)
{
    if (clip.kind != ListClipboard::Kind::ScanList)
        return EditResult::refused(Refusal::NothingCopied);
    if (clip.number == list)
        return EditResult::refused(Refusal::SameRecord);
    if (!canPasteScanList(clip, list))
        return EditResult::refused(Refusal::NoSuchRecord);
    CScanData scans(m_doc);
    const QString name = scans.GetName(list);
    scans.CopyRecord(clip.number, list);
    scans.SetName(list, name);
    return EditResult::showRecord(list);
}

EditResult CListMaintenance::pasteRxGroup(const ListClipboard &clip, int list)
{
    if (clip.kind != ListClipboard::Kind::RxGroup)
        return EditResult::refused(Refusal::NothingCopied);
    if (clip.number == list)
        return EditResult::refused(Refusal::SameRecord);
    if (!canPasteRxGroup(clip, list))
        return EditResult::refused(Refusal::NoSuchRecord);
    CRxGroupData groups(m_doc);
    const QString name = groups.GetName(list);
    groups.CopyRecord(clip.number, list);
    groups.SetName(list, name);
    // Pasting an empty list empties the target as a last member's removal does.
    if (groups.GetMemberCount(list) == 0)
        CRxGroupRules(m_doc).releaseChannels(list);
    return EditResult::showRecord(list);
}
