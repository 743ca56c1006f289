#include "sections/AlertToneData.h"

#include "app/AppSettings.h"

namespace {
constexpr int kFirstToneByte = 0x4650;
constexpr int kFlags = 0x4655;
constexpr int kVoiceVolume = 0x4656;
constexpr int kAlertToneVolume = 0x4657;
constexpr int kSideToneVolume = 0x4658;
constexpr int kAnnounceLanguage = 0x4659;

constexpr uint8_t kVoiceVolumeFixedBit = 0x04;
constexpr uint8_t kAlertToneEnableBit = 0x08;

// Two-bit codes of the list entries 0, 1, 2.
constexpr uint8_t kEntryBits[] = {0b00, 0b10, 0b11};
constexpr int kEntryCount = 3;
constexpr int kLastPosition = 20;
constexpr int kUnusedPosition = 10;

// The position 0..20 at byte 0..5, slot 0..3 of the tone area, or -1.
int positionAt(int byteIndex, int slot)
{
    if (byteIndex < 0 || slot < 0 || slot > 3)
        return -1;
    const int position = 4 * byteIndex + slot;
    return position <= kLastPosition ? position : -1;
}
}

int CAlertToneData::PositionOfTone(int tone)
{
    if (tone < 0 || tone >= kToneCount)
        return -1;
    // Position 10 is unused: the tones from 10 on sit one position further.
    return tone < kUnusedPosition ? tone : tone + 1;
}

int CAlertToneData::GetTonePosition(int byteIndex, int slot) const
{
    const int position = positionAt(byteIndex, slot);
    if (position < 0)
        return 0;
    const int bits = (byteAt(kFirstToneByte + byteIndex) >> (2 * slot)) & 0b11;
    if (bits == 0b00)
        return 0;
    return bits == 0b10 ? 1 : 2;  // 0b01 and 0b11 both read as entry 2
}

bool CAlertToneData::SetTonePosition(int byteIndex, int slot, int entry)
{
    const int position = positionAt(byteIndex, slot);
    if (position < 0 || position == kUnusedPosition || entry < 0 || entry >= kEntryCount)
        return false;
    const int shift = 2 * slot;
    setBits(kFirstToneByte + byteIndex, uint8_t(0b11 << shift), uint8_t(kEntryBits[entry] << shift));
    return true;
}

int CAlertToneData::GetAlertTone(int tone) const
{
    const int position = PositionOfTone(tone);
    return position < 0 ? 0 : GetTonePosition(position / 4, position % 4);
}

bool CAlertToneData::SetAlertTone(int tone, int entry)
{
    const int position = PositionOfTone(tone);
    return position >= 0 && SetTonePosition(position / 4, position % 4, entry);
}

int CAlertToneData::GetVoiceVolumeFixed() const { return (byteAt(kFlags) & kVoiceVolumeFixedBit) ? 1 : 0; }
int CAlertToneData::GetAlertToneEnable() const { return (byteAt(kFlags) & kAlertToneEnableBit) ? 1 : 0; }

bool CAlertToneData::SetVoiceVolumeFixed(int index)
{
    if (index != 0 && index != 1)
        return false;
    setBits(kFlags, kVoiceVolumeFixedBit, index ? kVoiceVolumeFixedBit : 0);
    return true;
}

bool CAlertToneData::SetAlertToneEnable(int index)
{
    if (index != 0 && index != 1)
        return false;
    setBits(kFlags, kAlertToneEnableBit, index ? kAlertToneEnableBit : 0);
    return true;
}

int CAlertToneData::getVolume(int offset) const
{
    const int level = byteAt(offset);
    return (level >= 1 && level <= kVolumeLevels) ? level - 1 : -1;
}

bool CAlertToneData::setVolume(int offset, int index)
{
    if (index < 0 || index >= kVolumeLevels)
        return false;
    setByteAt(offset, uint8_t(index + 1));
    return true;
}

int CAlertToneData::GetVoiceVolume() const { return getVolume(kVoiceVolume); }
bool CAlertToneData::SetVoiceVolume(int index) { return setVolume(kVoiceVolume, index); }
int CAlertToneData::GetAlertToneVolume() const { return getVolume(kAlertToneVolume); }
bool CAlertToneData::SetAlertToneVolume(int index) { return setVolume(kAlertToneVolume, index); }
int CAlertToneData::GetSideToneVolume() const { return getVolume(kSideToneVolume); }
bool CAlertToneData::SetSideToneVolume(int index) { return setVolume(kSideToneVolume, index); }

int CAlertToneData::GetAnnounceLanguage() const
{
    switch (byteAt(kAnnounceLanguage)) {
    case 0:
        return 1;
    case 1:
        return 2;
    default:
        return 0;
    }
}

bool CAlertToneData::SetAnnounceLanguage(int index)
{
    if (index < 0 || index > 2)
        return false;
    setByteAt(kAnnounceLanguage, index == 0 ? uint8_t(0xFF) : uint8_t(index - 1));
    return true;
}

void CAlertToneData::SetDefaults()
{
    for (int tone = 0; tone < kToneCount; ++tone)
        SetAlertTone(tone, 2);
    SetVoiceVolumeFixed(0);
    SetAlertToneEnable(1);
    SetVoiceVolume(4);
    SetAlertToneVolume(4);
    SetSideToneVolume(4);

    // The language is read again from setting.ini and compared exactly, so a
    // new codeplug does not depend on the locale a missing entry falls back to.
    const AppSettings &settings = document().settings();
    int language = 0;
    if (settings.modelName() != QLatin1String("VK214"))
        language = settings.setting(QStringLiteral("setup"), QStringLiteral("language")) == QLatin1String("chinese") ? 1 : 2;
    SetAnnounceLanguage(language);
}
