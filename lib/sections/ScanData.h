#pragma once

#include "sections/SectionData.h"

#include <QList>
#include <QString>

// Scan lists: 16 records of 88 bytes, list i (1..16) at 0x4638 + 88 * i.
// Channels are named by (zone, channel) pairs; a zone above the zone-slot
// count or a channel outside 1..16 reads as 0, and a pair with a 0 is no
// channel. Getters refuse a list outside 1..16 (or a member outside 1..16)
// with their fallback; setters write nothing for them.
class CScanData : public CSectionData
{
public:
    static constexpr int kListCount = 16;
    static constexpr int kMemberCount = 16;
    static constexpr int kRecordSize = 88;

    explicit CScanData(CPcSoftwareDoc &doc);

    int recordOffset(int list) const;  // -1 outside 1..16
    static bool isValidList(int list) { return list >= 1 && list <= kListCount; }

    // +0: priority channel types (bits 0-1 and 2-3, 0..3) and four switches.
    int GetPriorityChannelType1(int list) const;
    void SetPriorityChannelType1(int list, int type);
    int GetPriorityChannelType2(int list) const;
    void SetPriorityChannelType2(int list, int type);
    bool GetIncludeCurrentChannel(int list) const;  // bit 4
    void SetIncludeCurrentChannel(int list, bool on);
    bool GetNuisanceDelete(int list) const;  // bit 5
    void SetNuisanceDelete(int list, bool on);
    bool GetNuisanceReset(int list) const;  // bit 6
    void SetNuisanceReset(int list, bool on);
    bool GetScanIndicator(int list) const;  // bit 7
    void SetScanIndicator(int list, bool on);

    // Channel references at +1, +3 and +6.
    ChannelRef GetPriorityChannel1(int list) const;
    void SetPriorityChannel1(int list, ChannelRef ref);
    ChannelRef GetPriorityChannel2(int list) const;
    void SetPriorityChannel2(int list, ChannelRef ref);
    ChannelRef GetDesignatedChannel(int list) const;
    void SetDesignatedChannel(int list, ChannelRef ref);

    // +5: item index of the "RevertChannel" list (item 2 is never offered),
    // stored as it is; 0xFF when refused.
    int GetRevertChannel(int list) const;
    void SetRevertChannel(int list, int value);  // 0..6
    // The selector leaves item 2 out: value <-> entry position.
    static int RevertEntryForValue(int value);
    static int RevertValueForEntry(int entry);

    // +8, +9: dwell times in steps of 0.25 s (0..255).
    int GetRxDwellTime(int list) const;
    void SetRxDwellTime(int list, int steps);
    int GetTxDwellTime(int list) const;
    void SetTxDwellTime(int list, int steps);
    // +10, +11: look-back times in tenths of a second (5..50 accepted).
    int GetLookBackTimeA(int list) const;
    void SetLookBackTimeA(int list, int tenths);
    int GetLookBackTimeB(int list) const;
    void SetLookBackTimeB(int list, int tenths);

    // +12 bit 0; the other bits are kept.
    bool GetTalkback(int list) const;
    void SetTalkback(int list, bool on);

    // Members 1..16 at +24, two bytes each (zone, channel). A setter
    // accepts zone and channel numbers 0..16.
    ChannelRef GetMember(int list, int member) const;
    void SetMember(int list, int member, ChannelRef ref);
    // The set members in slot order (every slot is looked at).
    QList<ChannelRef> GetMembers(int list) const;
    // Writes the members packed from slot 1 and (0, 0) after them; at most
    // 16 are kept.
    void SetMembers(int list, const QList<ChannelRef> &members);

    QString GetName(int list) const;
    void SetName(int list, const QString &name);

    // Consecutive named lists from list 1.
    int CountLists() const;

    // New-list values (not the name): switches as a new list has them,
    // dwell 3.00 s, look-back 2.0 s, the three channel references (1, 1)
    // and every member byte 0xFF.
    void InitList(int list);
    // Factory values: list 1 "Scan 1", initialised, member 1 = (1, 1).
    void SetDefaults();

    void CopyRecord(int fromList, int toList);  // all 88 bytes
    void ClearRecord(int list);                 // 88 zero bytes

    // "%s:%s" of zone name and channel name, empty for a refused reference.
    QString ChannelText(ChannelRef ref) const;

private:
    int fieldOffset(int list, int at) const;
    ChannelRef refAt(int offset) const;
    void setRefAt(int offset, ChannelRef ref);
};
