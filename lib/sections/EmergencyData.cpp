#include "sections/EmergencyData.h"

#include <algorithm>

namespace {
constexpr int kFlags = 0x4C10;
constexpr int kCycleCount = 0x4C11;
constexpr int kTxCycleTime = 0x4C12;
constexpr int kRxCycleTime = 0x4C13;
constexpr int kReplyZone = 0x4C14;
constexpr int kCallId = 0x4C16;
constexpr int kCallIdWidth = 4;

constexpr uint8_t kTypeMask = 0x03;
constexpr uint8_t kModeMask = 0x0C;
constexpr int kModeShift = 2;
constexpr uint8_t kReplyChannelSetBit = 0x10;

}

CEmergencyData::CEmergencyData(CPcSoftwareDoc &doc) : CReplyChannelData(doc, kReplyZone) {}

int CEmergencyData::GetEmergencyType() const { return byteAt(kFlags) & kTypeMask; }

bool CEmergencyData::SetEmergencyType(int type)
{
    if (type < 0 || type > 3)
        return false;
    setBits(kFlags, kTypeMask, uint8_t(type));
    return true;
}

int CEmergencyData::GetEmergencyMode() const { return (byteAt(kFlags) & kModeMask) >> kModeShift; }

bool CEmergencyData::SetEmergencyMode(int mode)
{
    if (mode < 0 || mode > 3)
        return false;
    setBits(kFlags, kModeMask, uint8_t(mode << kModeShift));
    return true;
}

bool CEmergencyData::GetReplyChannelSet() const { return byteAt(kFlags) & kReplyChannelSetBit; }
void CEmergencyData::SetReplyChannelSet(bool on) { setBits(kFlags, kReplyChannelSetBit, on ? kReplyChannelSetBit : 0); }

int CEmergencyData::GetCycleCount() const { return byteAt(kCycleCount); }
void CEmergencyData::SetCycleCount(int count) { setByteAt(kCycleCount, clampToByte(count)); }
int CEmergencyData::GetTxCycleTime() const { return byteAt(kTxCycleTime); }
void CEmergencyData::SetTxCycleTime(int value) { setByteAt(kTxCycleTime, clampToByte(value)); }
int CEmergencyData::GetRxCycleTime() const { return byteAt(kRxCycleTime); }
void CEmergencyData::SetRxCycleTime(int value) { setByteAt(kRxCycleTime, clampToByte(value)); }

QString CEmergencyData::GetEmergencyCallId() const
{
    return CallIdBcd::toText(field(kCallId, kCallIdWidth), false);
}

void CEmergencyData::SetEmergencyCallId(const QString &text)
{
    CallIdBcd::fromText(text, field(kCallId, kCallIdWidth), false);
}

void CEmergencyData::SetDefaults()
{
    SetEmergencyType(kTypeOff);
    SetEmergencyMode(0);
    SetReplyChannelSet(false);
    SetCycleCount(1);
    SetTxCycleTime(10);
    SetRxCycleTime(10);
    // Zone 1 exists on every model; the channel byte keeps its value.
    setByteAt(kReplyZone, 1);
    SetEmergencyCallId(QStringLiteral("1000001"));
}
