#pragma once

#include "sections/EditResult.h"

#include <QList>
#include <QStringList>
#include <functional>

class CPcSoftwareDoc;
struct ChannelRef;

// Adding, deleting and pasting zones, channels, scan lists and RX group
// lists, as the tree and the list forms offer them. Every operation keeps
// the lists dense (records 1..count in use, the freed record zero-filled)
// and makes every reference elsewhere follow: the channels' scan-list and
// RX-group numbers, the two emergency reply channels with their flags, the
// three channel pairs and the 16 members of every scan list.
//
// An operation that is not available changes nothing and returns its
// refusal; otherwise the result names the record the form shows next.
class CListMaintenance
{
public:
    explicit CListMaintenance(CPcSoftwareDoc &doc) : m_doc(doc) {}

    int zoneCount() const;
    int channelCount(int zone) const;  // 0 for a zone that is not in use
    int scanListCount() const;
    int rxGroupCount() const;

    bool canAddZone() const;
    bool canDeleteZone() const;
    bool canAddChannel(int zone) const;
    bool canDeleteChannel(int zone) const;
    // Both numbers within the zone's used channels.
    bool canMoveChannel(int zone, int from, int to) const;
    // A zone with room for one more, at a position 1..count + 1.
    bool canInsertChannel(int zone, int at) const;
    bool canAddScanList() const;
    bool canDeleteScanList() const;
    bool canAddRxGroup() const;
    bool canDeleteRxGroup() const;
    // Paste is offered for a used target of the clipboard's kind that is not
    // the copied record itself, while the copied number is still in use.
    bool canPasteChannel(const ListClipboard &clip, int zone, int channel) const;
    bool canPasteScanList(const ListClipboard &clip, int list) const;
    bool canPasteRxGroup(const ListClipboard &clip, int list) const;

    EditResult addZone();
    EditResult deleteZone(int zone);
    EditResult addChannel(int zone);
    EditResult deleteChannel(int zone, int channel);
    // Channel `from` of the zone goes to position `to`, the channels between
    // shift by one, and every reference follows its channel. Scan-list
    // members are renumbered in their own slots; the emergency reply flags
    // stay. The zone record's slot list and count are not touched.
    EditResult moveChannel(int zone, int from, int to);
    // A new channel, named and set up as Add channel makes it, at position
    // `at`; the channels from `at` on shift down one and their references
    // follow.
    EditResult insertChannel(int zone, int at);
    // Puts the zone's channels in `order` (every old number once, in its new
    // order) one move at a time, so that every reference follows its
    // channel. Refused, changing nothing, when `order` is not such a list.
    EditResult reorderChannels(int zone, const QList<int> &order);
    EditResult addScanList();
    // The list shown afterwards gets the scan-list mend (unset channel pairs
    // stored as none), as the scan-list form gives any list it shows.
    EditResult deleteScanList(int list);
    EditResult addRxGroup();
    EditResult deleteRxGroup(int list);

    // Channel: every field but the name. Lists: the whole record, the
    // target keeping its own name; an RX group list left without members
    // releases the channels that used it.
    EditResult pasteChannel(const ListClipboard &clip, int zone, int channel);
    EditResult pasteScanList(const ListClipboard &clip, int list);
    EditResult pasteRxGroup(const ListClipboard &clip, int list);

private:
    bool channelInUse(int zone, int channel) const;
    // Names the new channel, gives it the new-channel defaults and the
    // colour codes of its frequencies.
    void createChannel(int zone, int channel, const QString &name);
    void clearStaleChannelsAfter(int zone, int channel);
    // How the members of a scan list follow: after a deletion the members
    // of the removed records drop out and the rest close up; after a move
    // each member is renumbered in its own slot and nothing else is written.
    enum class Members { CloseUp, InPlace };
    // Rewrites every (zone, channel) reference through map; a reference that
    // maps to (0, 0) is cleared, the emergency reply channels with their flag.
    void followChannelRefs(const std::function<ChannelRef(ChannelRef)> &map, int memberListsToWalk,
                           Members members = Members::CloseUp);

    CPcSoftwareDoc &m_doc;
};
