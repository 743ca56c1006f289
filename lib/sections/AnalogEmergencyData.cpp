#include "sections/AnalogEmergencyData.h"

#include <algorithm>

namespace {
constexpr int kFlags = 0x7140;
constexpr int kCycleCount = 0x7141;
constexpr int kTxCycleTime = 0x7142;
constexpr int kRxCycleTime = 0x7143;
constexpr int kReplyZone = 0x7144;
constexpr int kAlarmToneTime = 0x7146;
constexpr int kEncodeSequence = 0x7147;

constexpr uint8_t kCycleModeMask = 0x03;
// Flags stored inverted: a set bit means the feature is off.
constexpr uint8_t kSilentAlarmOffBit = 0x04;
constexpr uint8_t kDesignatedReplyOffBit = 0x08;
constexpr uint8_t kTxAlarmToneOffBit = 0x10;
constexpr uint8_t kEncodedTelegramOffBit = 0x20;
constexpr int kAlarmToneUnitMs = 100;

}

CAnalogEmergencyData::CAnalogEmergencyData(CPcSoftwareDoc &doc) : CReplyChannelData(doc, kReplyZone) {}

int CAnalogEmergencyData::GetCycleMode() const { return byteAt(kFlags) & kCycleModeMask; }

bool CAnalogEmergencyData::SetCycleMode(int mode)
{
    if (mode < 0 || mode > 3)
        return false;
    setBits(kFlags, kCycleModeMask, uint8_t(mode));
    return true;
}

bool CAnalogEmergencyData::GetSilentAlarm() const { return !(byteAt(kFlags) & kSilentAlarmOffBit); }
void CAnalogEmergencyData::SetSilentAlarm(bool on) { setBits(kFlags, kSilentAlarmOffBit, on ? 0 : kSilentAlarmOffBit); }

bool CAnalogEmergencyData::GetDesignatedReplyChannel() const { return !(byteAt(kFlags) & kDesignatedReplyOffBit); }
void CAnalogEmergencyData::SetDesignatedReplyChannel(bool on)
{
    setBits(kFlags, kDesignatedReplyOffBit, on ? 0 : kDesignatedReplyOffBit);
}

bool CAnalogEmergencyData::GetTxAlarmTone() const { return !(byteAt(kFlags) & kTxAlarmToneOffBit); }
void CAnalogEmergencyData::SetTxAlarmTone(bool on) { setBits(kFlags, kTxAlarmToneOffBit, on ? 0 : kTxAlarmToneOffBit); }

bool CAnalogEmergencyData::GetEncodedTelegram() const { return !(byteAt(kFlags) & kEncodedTelegramOffBit); }
void CAnalogEmergencyData::SetEncodedTelegram(bool on)
{
    setBits(kFlags, kEncodedTelegramOffBit, on ? 0 : kEncodedTelegramOffBit);
}

int CAnalogEmergencyData::GetCycleCount() const { return byteAt(kCycleCount); }
void CAnalogEmergencyData::SetCycleCount(int count) { setByteAt(kCycleCount, clampToByte(count)); }
int CAnalogEmergencyData::GetTxCycleTime() const { return byteAt(kTxCycleTime); }
void CAnalogEmergencyData::SetTxCycleTime(int seconds) { setByteAt(kTxCycleTime, clampToByte(seconds)); }
int CAnalogEmergencyData::GetRxCycleTime() const { return byteAt(kRxCycleTime); }
void CAnalogEmergencyData::SetRxCycleTime(int seconds) { setByteAt(kRxCycleTime, clampToByte(seconds)); }

int CAnalogEmergencyData::GetAlarmToneTime() const { return byteAt(kAlarmToneTime) * kAlarmToneUnitMs; }
void CAnalogEmergencyData::SetAlarmToneTime(int ms) { setByteAt(kAlarmToneTime, clampToByte(ms / kAlarmToneUnitMs)); }

int CAnalogEmergencyData::GetEncodeSequence() const
{
    return ListRef::read(byteAt(kEncodeSequence), kEncodeSequenceCount);
}

bool CAnalogEmergencyData::SetEncodeSequence(int number)
{
    if (number < 0 || number > kEncodeSequenceCount)
        return false;
    setByteAt(kEncodeSequence, ListRef::encode(number, kEncodeSequenceCount));
    return true;
}

void CAnalogEmergencyData::SetDefaults()
{
    SetCycleMode(3);
    SetSilentAlarm(false);
    SetDesignatedReplyChannel(false);
    SetTxAlarmTone(false);
    SetEncodedTelegram(false);
    SetCycleCount(1);
    SetTxCycleTime(10);
    SetRxCycleTime(10);
    SetAlarmToneTime(1000);
    SetEncodeSequence(1);
}
