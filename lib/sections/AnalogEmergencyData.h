#pragma once

#include "sections/ReplyChannelData.h"

// Analog emergency at 0x7140-0x7147. The four flags of 0x7140 are stored
// inverted (bit 0 = on); setters of 0x7140 keep bits 6..7.
class CAnalogEmergencyData : public CReplyChannelData
{
public:
    explicit CAnalogEmergencyData(CPcSoftwareDoc &doc);

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

    // The reply channel (0x7144 zone, 0x7145 channel) comes with the base.

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
