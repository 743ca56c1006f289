#include "sections/OptionData.h"

#include "app/AppSettings.h"

#include <algorithm>

namespace {
constexpr int kEmbeddedInfo = 0x0070;
constexpr int kPowerOnPassword = 0x00B0;
constexpr int kLedFlags = 0x4660;
constexpr int kTimeOutTimer = 0x4661;
constexpr int kTotPreAlert = 0x4662;
constexpr int kTotRekey = 0x4663;
constexpr int kTotReset = 0x4664;
constexpr int kSquelchLevel = 0x4665;
constexpr int kVoxFlags = 0x4666;
constexpr int kVoxSensitivity = 0x4667;
constexpr int kVoxHoldTime = 0x4668;
constexpr int kRemoteMonitorTime = 0x4669;
constexpr int kHangUp = 0x466A;

constexpr uint8_t kTxLedBit = 0x01;
constexpr uint8_t kRxLedBit = 0x02;
constexpr uint8_t kBatterySaveMask = 0x0C;
constexpr int kBatterySaveShift = 2;
constexpr uint8_t kWhisperOffBit = 0x10;
constexpr uint8_t kVoxOffBit = 0x01;
constexpr uint8_t kPttCancelsVoxOffBit = 0x02;
constexpr uint8_t kRxPttInhibitOffBit = 0x04;

constexpr int kTimeOutUnitSeconds = 5;
constexpr int kMaxSquelchLevel = 9;

}

bool COptionData::GetTxLed() const { return byteAt(kLedFlags) & kTxLedBit; }
void COptionData::SetTxLed(bool on) { setBits(kLedFlags, kTxLedBit, on ? kTxLedBit : 0); }
bool COptionData::GetRxLed() const { return byteAt(kLedFlags) & kRxLedBit; }
void COptionData::SetRxLed(bool on) { setBits(kLedFlags, kRxLedBit, on ? kRxLedBit : 0); }

int COptionData::GetBatterySave() const { return (byteAt(kLedFlags) & kBatterySaveMask) >> kBatterySaveShift; }

bool COptionData::SetBatterySave(int index)
{
    if (index < 0 || index > 3)
        return false;
    setBits(kLedFlags, kBatterySaveMask, uint8_t(index << kBatterySaveShift));
    return true;
}

bool COptionData::GetWhisper() const { return !(byteAt(kLedFlags) & kWhisperOffBit); }
void COptionData::SetWhisper(bool on) { setBits(kLedFlags, kWhisperOffBit, on ? 0 : kWhisperOffBit); }

int COptionData::GetTimeOutTimer() const { return byteAt(kTimeOutTimer) * kTimeOutUnitSeconds; }
void COptionData::SetTimeOutTimer(int seconds) { setByteAt(kTimeOutTimer, clampToByte(seconds / kTimeOutUnitSeconds)); }
int COptionData::GetTotPreAlert() const { return byteAt(kTotPreAlert); }
void COptionData::SetTotPreAlert(int seconds) { setByteAt(kTotPreAlert, clampToByte(seconds)); }
int COptionData::GetTotRekey() const { return byteAt(kTotRekey); }
void COptionData::SetTotRekey(int seconds) { setByteAt(kTotRekey, clampToByte(seconds)); }
int COptionData::GetTotReset() const { return byteAt(kTotReset); }
void COptionData::SetTotReset(int seconds) { setByteAt(kTotReset, clampToByte(seconds)); }

int COptionData::GetSquelchLevel() const { return byteAt(kSquelchLevel); }

bool COptionData::SetSquelchLevel(int level)
{
    if (level < 0 || level > kMaxSquelchLevel)
        return false;
    setByteAt(kSquelchLevel, uint8_t(level));
    return true;
}

bool COptionData::GetVoxEnable() const { return !(byteAt(kVoxFlags) & kVoxOffBit); }
void COptionData::SetVoxEnable(bool on) { setBits(kVoxFlags, kVoxOffBit, on ? 0 : kVoxOffBit); }

bool COptionData::GetPttCancelsVox() const { return !(byteAt(kVoxFlags) & kPttCancelsVoxOffBit); }
void COptionData::SetPttCancelsVox(bool on)
{
    setBits(kVoxFlags, kPttCancelsVoxOffBit, on ? 0 : kPttCancelsVoxOffBit);
}

bool COptionData::GetRxPttInhibit() const { return !(byteAt(kVoxFlags) & kRxPttInhibitOffBit); }
void COptionData::SetRxPttInhibit(bool on)
{
    setBits(kVoxFlags, kRxPttInhibitOffBit, on ? 0 : kRxPttInhibitOffBit);
}

int COptionData::GetVoxSensitivity() const { return byteAt(kVoxSensitivity); }
void COptionData::SetVoxSensitivity(int level) { setByteAt(kVoxSensitivity, clampToByte(level)); }
int COptionData::GetVoxHoldTime() const { return byteAt(kVoxHoldTime); }
void COptionData::SetVoxHoldTime(int tenths) { setByteAt(kVoxHoldTime, clampToByte(tenths)); }
int COptionData::GetRemoteMonitorTime() const { return byteAt(kRemoteMonitorTime); }
void COptionData::SetRemoteMonitorTime(int seconds) { setByteAt(kRemoteMonitorTime, clampToByte(seconds)); }

int COptionData::GetHangUp() const { return byteAt(kHangUp); }

bool COptionData::SetHangUp(int index)
{
    if (index < 0 || index > 255)
        return false;
    setByteAt(kHangUp, uint8_t(index));
    return true;
}

QString COptionData::GetPowerOnPassword() const
{
    const uint8_t *bytes = field(kPowerOnPassword, kPasswordLength);
    if (!bytes || (bytes[0] == 0xFF && bytes[1] == 0xFF))
        return QString();
    QString text;
    for (int i = 0; i < kPasswordLength && bytes[i] != 0xFF && bytes[i] != 0x00; ++i)
        text += QChar::fromLatin1(char(bytes[i]));
    return text;
}

void COptionData::SetPowerOnPassword(const QString &text)
{
    uint8_t *bytes = field(kPowerOnPassword, kPasswordLength);
    if (!bytes)
        return;
    std::fill(bytes, bytes + kPasswordLength, uint8_t(0xFF));
    // Only ASCII goes in: a character outside it could read back as the 0xFF end mark.
    for (int i = 0; i < kPasswordLength && i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == 0 || c >= 0x80)
            break;
        bytes[i] = uint8_t(c);
    }
}

QString COptionData::GetEmbeddedInfo() const
{
    const uint8_t *bytes = field(kEmbeddedInfo, 2 * kEmbeddedInfoUnits);
    return bytes ? NameField::toText(bytes, kEmbeddedInfoUnits) : QString();
}

void COptionData::SetEmbeddedInfo(const QString &text)
{
    if (uint8_t *bytes = field(kEmbeddedInfo, 2 * kEmbeddedInfoUnits))
        NameField::fromText(text, bytes, kEmbeddedInfoUnits);
}

void COptionData::SetDefaults()
{
    SetTxLed(true);
    SetRxLed(true);
    SetBatterySave(document().settings().modelName() == QLatin1String("TL809") ? 0 : 3);
    SetWhisper(false);
    SetTimeOutTimer(60);
    SetTotPreAlert(0);
    SetTotRekey(0);
    SetTotReset(0);
    SetSquelchLevel(3);
    SetVoxEnable(false);
    SetPttCancelsVox(false);
    SetRxPttInhibit(true);
    SetVoxSensitivity(5);
    SetVoxHoldTime(1);
    SetRemoteMonitorTime(10);
    SetHangUp(0);
}
