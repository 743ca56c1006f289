#include "sections/BasicSettingData.h"

namespace {
constexpr int kRadioId = 0x4C20;
constexpr int kGroupHangTime = 0x4C24;
constexpr int kPrivateHangTime = 0x4C25;
constexpr int kMixedHangTime = 0x4C26;
constexpr int kPermissions = 0x4C27;
constexpr int kPreambleFrames = 0x4C28;
constexpr int kGroupCallStartId = 0x4C29;
constexpr int kCallIdWidth = 4;

constexpr uint8_t kAllowGroupCallBit = 0x01;
constexpr uint8_t kAllowAllCallBit = 0x02;
constexpr uint8_t kRemoteKillBit = 0x04;
constexpr uint8_t kPrivateCallBit = 0x08;
}

QString CBasicSettingData::GetRadioId() const
{
    return CallIdBcd::toText(field(kRadioId, kCallIdWidth), false);
}

void CBasicSettingData::SetRadioId(const QString &text)
{
    CallIdBcd::fromText(text, field(kRadioId, kCallIdWidth), false);
}

QString CBasicSettingData::GetGroupCallStartId() const
{
    return CallIdBcd::toText(field(kGroupCallStartId, kCallIdWidth), false);
}

void CBasicSettingData::SetGroupCallStartId(const QString &text)
{
    CallIdBcd::fromText(text, field(kGroupCallStartId, kCallIdWidth), false);
}

int CBasicSettingData::GetRadioIdValue() const { return GetRadioId().toInt(); }
int CBasicSettingData::GetGroupCallStartIdValue() const { return GetGroupCallStartId().toInt(); }

int CBasicSettingData::GetGroupHangTime() const { return byteAt(kGroupHangTime); }
int CBasicSettingData::GetPrivateHangTime() const { return byteAt(kPrivateHangTime); }
int CBasicSettingData::GetMixedHangTime() const { return byteAt(kMixedHangTime); }

bool CBasicSettingData::SetGroupHangTime(int index)
{
    if (index < 0 || index > kMaxHangTime)
        return false;
    setByteAt(kGroupHangTime, uint8_t(index));
    return true;
}

bool CBasicSettingData::SetPrivateHangTime(int index)
{
    if (index < 0 || index > kMaxHangTime)
        return false;
    setByteAt(kPrivateHangTime, uint8_t(index));
    return true;
}

bool CBasicSettingData::SetMixedHangTime(int index)
{
    if (index < 0 || index > kMaxHangTime)
        return false;
    setByteAt(kMixedHangTime, uint8_t(index));
    return true;
}

bool CBasicSettingData::GetAllowGroupCall() const { return byteAt(kPermissions) & kAllowGroupCallBit; }
bool CBasicSettingData::GetAllowAllCall() const { return byteAt(kPermissions) & kAllowAllCallBit; }
bool CBasicSettingData::GetRemoteKillDecode() const { return byteAt(kPermissions) & kRemoteKillBit; }
bool CBasicSettingData::GetPrivateCallEnable() const { return byteAt(kPermissions) & kPrivateCallBit; }

void CBasicSettingData::SetAllowGroupCall(bool on)
{
    setBits(kPermissions, kAllowGroupCallBit, on ? kAllowGroupCallBit : 0);
}

void CBasicSettingData::SetAllowAllCall(bool on)
{
    setBits(kPermissions, kAllowAllCallBit, on ? kAllowAllCallBit : 0);
}

void CBasicSettingData::SetRemoteKillDecode(bool on)
{
    setBits(kPermissions, kRemoteKillBit, on ? kRemoteKillBit : 0);
}

void CBasicSettingData::SetPrivateCallEnable(bool on)
{
    setBits(kPermissions, kPrivateCallBit, on ? kPrivateCallBit : 0);
}

int CBasicSettingData::GetPreambleFrames() const { return byteAt(kPreambleFrames); }

bool CBasicSettingData::SetPreambleFrames(int frames)
{
    if (frames < 0 || frames > kMaxPreambleFrames)
        return false;
    setByteAt(kPreambleFrames, uint8_t(frames));
    return true;
}

void CBasicSettingData::SetDefaults()
{
    SetRadioId(QStringLiteral("0000001"));
    SetGroupHangTime(5);
    SetPrivateHangTime(3);
    SetMixedHangTime(5);
    SetAllowGroupCall(true);
    SetAllowAllCall(true);
    SetRemoteKillDecode(false);
    SetPrivateCallEnable(false);
    SetPreambleFrames(0);
    SetGroupCallStartId(QStringLiteral("1000000"));
}
