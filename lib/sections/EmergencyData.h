#pragma once

#include "sections/SectionData.h"

#include <QString>

// Digital emergency at 0x4C10-0x4C19: type, mode, the reply channel and the
// emergency call ID. Setters of 0x4C10 keep bits 5..7.
class CEmergencyData : public CSectionData
{
public:
    explicit CEmergencyData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

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

    // Reply channel: a zone above the zone-slot count or a channel outside
    // 1..16 reads as 0. Setters store 0 for a value outside that range.
    int GetReplyZone() const;
    void SetReplyZone(int zone);
    int GetReplyChannel() const;
    void SetReplyChannel(int channel);
    ChannelRef GetReplyChannelRef() const;
    void SetReplyChannelRef(const ChannelRef &ref);

    // 7-digit text; a non-digit nibble reads as "0". Setting pads on the left
    // with "0" and stores non-digits as 0.
    QString GetEmergencyCallId() const;
    void SetEmergencyCallId(const QString &text);

    // Type 3, mode 0, reply channel off in zone 1 (channel left as is),
    // one cycle of 10 s transmit and 10 s receive, call ID 1000001.
    void SetDefaults();
};
