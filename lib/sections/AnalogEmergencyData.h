#pragma once

#include "sections/SectionData.h"

// Analog emergency at 0x7140-0x7147. The four flags of 0x7140 are stored
// inverted (bit 0 = on); setters of 0x7140 keep bits 6..7.
class CAnalogEmergencyData : public CSectionData
{
public:
    explicit CAnalogEmergencyData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kEncodeSequenceCount = 16;

    int GetCycleMode() const;                 // bits 0..1, list index 0..3
    bool SetCycleMode(int mode);
    bool GetSilentAlarm() const;              // bit 2, inverted
    void SetSilentAlarm(bool on);
    bool GetDesignatedReplyChannel() const;   // bit 3, inverted
    void SetDesignatedReplyChannel(bool on);
    bool GetTxAlarmTone() const;              // bit 4, inverted
    void SetTxAlarmTone(bool on);
    bool GetEncodedTelegram() const;          // bit 5, inverted
    void SetEncodedTelegram(bool on);

    // One byte each as stored; setters keep the value to 0..255.
    int GetCycleCount() const;
    void SetCycleCount(int count);
    int GetTxCycleTime() const;               // seconds
    void SetTxCycleTime(int seconds);
    int GetRxCycleTime() const;               // seconds
    void SetRxCycleTime(int seconds);

    // Reply channel: a zone above the zone-slot count or a channel outside
    // 1..16 reads as 0. Setters store 0 for a value outside that range.
    int GetReplyZone() const;
    void SetReplyZone(int zone);
    int GetReplyChannel() const;
    void SetReplyChannel(int channel);
    ChannelRef GetReplyChannelRef() const;
    void SetReplyChannelRef(const ChannelRef &ref);

    // Alarm tone time in ms: getter byte x 100, setter ms / 100 (kept to a byte).
    int GetAlarmToneTime() const;
    void SetAlarmToneTime(int ms);

    // Encode sequence number 1..16, 0 when the stored byte is outside 1..16.
    // Setting 0 stores 0xFF; numbers outside 0..16 are refused.
    int GetEncodeSequence() const;
    bool SetEncodeSequence(int number);

    // Cycle mode 3, all four flags off, one cycle of 10 s transmit and 10 s
    // receive, alarm tone 1000 ms, encode sequence 1; reply channel left as is.
    void SetDefaults();
};
