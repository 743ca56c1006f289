#pragma once

#include "sections/ReplyChannelData.h"

#include <QString>

// Digital emergency at 0x4C10-0x4C19: type, mode, the reply channel and the
// emergency call ID. Setters of 0x4C10 keep bits 5..7.
class CEmergencyData : public CReplyChannelData
{
public:
    explicit CEmergencyData(CPcSoftwareDoc &doc);

    static constexpr int kTypeOff = 3;        // type 3 turns the other fields off
    static constexpr int kModeWithCycles = 2; // mode 2 uses the cycle times

    int GetEmergencyType() const;             // bits 0..1, list index 0..3
    bool SetEmergencyType(int type);
    int GetEmergencyMode() const;             // bits 2..3, list index 0..3
    bool SetEmergencyMode(int mode);
    bool GetReplyChannelSet() const;          // bit 4
    void SetReplyChannelSet(bool on);

    // One byte each as stored; setters keep the value to 0..255.
    int GetCycleCount() const;                // 1..255, 0 = continuous
    void SetCycleCount(int count);
    int GetTxCycleTime() const;               // 1..255
    void SetTxCycleTime(int value);
    int GetRxCycleTime() const;               // 1..255
    void SetRxCycleTime(int value);

    // The reply channel (0x4C14 zone, 0x4C15 channel) comes with the base.

    // 7-digit text; a non-digit nibble reads as "0". Setting pads on the left
    // with "0" and stores non-digits as 0.
    QString GetEmergencyCallId() const;
    void SetEmergencyCallId(const QString &text);

    // Type 3, mode 0, reply channel off in zone 1 (channel left as is),
    // one cycle of 10 s transmit and 10 s receive, call ID 1000001.
    void SetDefaults();
};
