#pragma once

#include "sections/SectionData.h"

#include <QString>

// Zones and channels. Zone z (1..zone-slot count) is a 48-byte record at
// 0x0250 + 48 * z; channel c (1..16) of zone z is a 64-byte record at
// 0x0140 + 1024 * z + 64 * c. A zone or channel exists when its name is not
// empty, and both lists are kept dense from number 1.
//
// Every getter refuses a zone outside 1..zone-slot count or a channel
// outside 1..16 with its fallback (0, empty text, none); every setter
// writes nothing for them.
class CChannelData : public CSectionData
{
public:
    enum class Direction { Receive = 0, Transmit = 1 };

    static constexpr int kChannelsPerZone = 16;
    static constexpr int kZoneRecordSize = 48;
    static constexpr int kChannelRecordSize = 64;
    static constexpr int kChannelBlockSize = kChannelsPerZone * kChannelRecordSize;

    explicit CChannelData(CPcSoftwareDoc &doc);

    // Record geometry; -1 for a number outside the list.
    int zoneOffset(int zone) const;
    int channelOffset(int zone, int channel) const;
    int channelBlockOffset(int zone) const;  // channel 1 of the zone
    bool isValidZone(int zone) const;
    static bool isValidChannel(int channel) { return channel >= 1 && channel <= kChannelsPerZone; }
    int zoneSlotCount() const;
    // The record index by which the tree and the channel form name a
    // channel: (zone - 1) * 16 + (channel - 1), and back. A negative index
    // names channel 1 of zone 1.
    static int RecordIndexOf(int zone, int channel) { return (zone - 1) * kChannelsPerZone + (channel - 1); }
    static ChannelRef ChannelOfRecordIndex(int index);

    // Zone record.
    QString GetZoneName(int zone) const;
    void SetZoneName(int zone, const QString &name);
    int GetZoneChannelCount(int zone) const;  // 1..16, anything else 0
    void SetZoneChannelCount(int zone, int count);
    int GetZoneSlot(int zone, int slot) const;  // raw byte of slot 1..16, 0 when refused
    void SetZoneSlot(int zone, int slot, int value);

    // Counting by names: consecutive named zones from zone 1 (at most the
    // zone-slot count); consecutive named channels of a zone from channel 1.
    int CountZones() const;
    int CountChannels(int zone) const;
    // A zone or channel is in use while it has a name.
    bool ZoneExists(int zone) const;
    bool ChannelExists(int zone, int channel) const;

    // Frequencies as display text ("434.125000"), empty when unset. Setting
    // snaps to the channel raster; an empty text stores FF FF FF FF.
    QString GetFrequency(int zone, int channel, Direction dir) const;
    void SetFrequency(int zone, int channel, Direction dir, const QString &text);
    qint32 GetFrequencyUnits(int zone, int channel, Direction dir) const;  // 10 Hz units, -1 unset
    // The colour code a frequency suggests: the fraction of f * 2.5 (f in
    // MHz) scaled to 0..63; 0 when the frequency is unset.
    int ColourCodeForFrequency(int zone, int channel, Direction dir) const;
    static int ColourCodeForFrequencyText(const QString &text);

    // Tones as text ("67.0", "D023N", "D754I"; the "IDS_NONE" text when
    // unset). Setting writes the code and both coefficient words.
    QString GetTone(int zone, int channel, Direction dir) const;
    // The same with the given text for no tone, where the language's text is not wanted.
    QString GetTone(int zone, int channel, Direction dir, const QString &noneText) const;
    void SetTone(int zone, int channel, Direction dir, const QString &text);
    // The stored code as it prints, also a code no selector lists.
    QString GetPrintedTone(int zone, int channel, Direction dir, const QString &noneText) const;
    ToneCoefficients GetToneCoefficients(int zone, int channel, Direction dir) const;
    QString NoneText() const;

    // +20: mode (bits 0-2, stored + 4: 2 analog, 3 digital, 0/1 mixed; a
    // stored 0..3 reads -4..-1), power (bits 3-4, stored + 1, a stored 0
    // reads 2), bandwidth (bits 5-6), auto scan (bit 7).
    int GetChannelMode(int zone, int channel) const;
    void SetChannelMode(int zone, int channel, int mode);  // -4..3
    int GetPower(int zone, int channel) const;
    void SetPower(int zone, int channel, int power);  // 0..2
    int GetBandwidth(int zone, int channel) const;
    void SetBandwidth(int zone, int channel, int bandwidth);  // 0..3
    bool GetAutoScan(int zone, int channel) const;
    void SetAutoScan(int zone, int channel, bool on);

    // +21, +22: colour code 0..63 stored + 1; any other stored value reads 0.
    int GetRxColourCode(int zone, int channel) const;
    void SetRxColourCode(int zone, int channel, int code);
    int GetTxColourCode(int zone, int channel) const;
    void SetTxColourCode(int zone, int channel, int code);

    // One-byte list references: 0 is none (stored 0xFF).
    int GetRxGroupList(int zone, int channel) const;  // 1..16
    void SetRxGroupList(int zone, int channel, int list);
    int GetContact(int zone, int channel) const;  // default transmit contact 1..200
    void SetContact(int zone, int channel, int contact);
    int GetScanList(int zone, int channel) const;  // 1..16
    void SetScanList(int zone, int channel, int list);
    int GetEncrypt(int zone, int channel) const;  // 1..16
    void SetEncrypt(int zone, int channel, int key);
    int GetPttOnlineCode(int zone, int channel) const;  // encode sequence 1..16
    void SetPttOnlineCode(int zone, int channel, int sequence);
    int GetPttOfflineCode(int zone, int channel) const;  // encode sequence 1..16
    void SetPttOfflineCode(int zone, int channel, int sequence);
    int GetDecodeSequence(int zone, int channel) const;  // 1..6
    void SetDecodeSequence(int zone, int channel, int sequence);

    // +25: analog BCL mode (bits 0-1, stored + 1, reads (b & 3) - 1),
    // polite mode (bits 2-4, stored + 4, a stored value below 4 reads -4),
    // beat-frequency shift (bit 5), tail-reversal phase (bit 6), turn-off
    // code allowed (bit 7).
    int GetBclMode(int zone, int channel) const;
    void SetBclMode(int zone, int channel, int mode);  // -1..2
    int GetPoliteMode(int zone, int channel) const;
    void SetPoliteMode(int zone, int channel, int mode);  // 0..3
    bool GetBeatShift(int zone, int channel) const;
    void SetBeatShift(int zone, int channel, bool on);
    int GetTailReversalPhase(int zone, int channel) const;  // 0 or 1
    void SetTailReversalPhase(int zone, int channel, int phase);
    bool GetTurnOffCode(int zone, int channel) const;
    void SetTurnOffCode(int zone, int channel, bool on);

    // +27 bit 0: channel type 0 or 1; the other bits are kept.
    int GetChannelType(int zone, int channel) const;
    void SetChannelType(int zone, int channel, int type);

    QString GetChannelName(int zone, int channel) const;
    void SetChannelName(int zone, int channel, const QString &name);

    // Factory values: zone 1 "Zone 1" with channel 1 "Channel 1".
    void SetDefaults();
    // New-channel defaults (not the name); also records the channel in its
    // zone: channel count = channel, slot[channel] = channel. Frequencies
    // start at the band minimum.
    void InitChannel(int zone, int channel);
    // Copies every field except the name, through the getters and setters.
    void CopyChannelSettings(int fromZone, int fromChannel, int toZone, int toChannel);

    // Whole-record primitives for moving and freeing records.
    void CopyZoneRecord(int fromZone, int toZone);
    void ClearZoneRecord(int zone);  // 48 zero bytes
    void CopyChannelBlock(int fromZone, int toZone);
    void ClearChannelBlock(int zone);  // 1024 zero bytes
    void CopyChannelRecord(int fromZone, int fromChannel, int toZone, int toChannel);
    void ClearChannelRecord(int zone, int channel);  // 64 zero bytes
    // Takes record `from` of the zone out and puts it back at `to`; the
    // records between close up or make room. Whole records move, the bytes
    // the program never writes with them.
    void MoveChannelRecord(int zone, int from, int to);

private:
    int fieldOffset(int zone, int channel, int at) const;
    int listRef(int zone, int channel, int at, int bound) const;
    void setListRef(int zone, int channel, int at, int bound, int value);
    void copyBytes(int from, int to, int count);
    void fillBytes(int offset, int count, uint8_t value);
};
