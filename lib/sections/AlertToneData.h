#pragma once

#include "sections/SectionData.h"

// Alert tones at 0x4650-0x4659: a three-way setting for each of 20 prompt
// tones in two-bit positions, the fixed volumes and the channel announcement
// language.
class CAlertToneData : public CSectionData
{
public:
    explicit CAlertToneData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kToneCount = 20;
    static constexpr int kVolumeLevels = 10;

    // The two-bit position 0..20 a tone 0..19 uses (position 10 is no tone's),
    // or -1 for a tone outside 0..19.
    static int PositionOfTone(int tone);

    // The setting at two-bit position 4 x byteIndex + slot (byte 0..5 from
    // 0x4650, slot 0..3 = bits 2 x slot and 2 x slot + 1) as list entry 0..2:
    // stored 00, 10, 11; 01 reads as 2. Only positions 0..20 exist (the slots
    // after 20 are the flag bits of 0x4655): elsewhere the getter gives 0 and
    // the setter refuses. The setter also refuses position 10, which belongs
    // to no tone, and an entry outside 0..2. Only the position's two bits change.
    int GetTonePosition(int byteIndex, int slot) const;
    bool SetTonePosition(int byteIndex, int slot, int entry);
    // The same by tone 0..19; a tone outside that range: getter 0, setter refused.
    int GetAlertTone(int tone) const;
    bool SetAlertTone(int tone, int entry);

    // 0x4655 bit 2 and bit 3 as list indices 0/1; other bits are kept.
    int GetVoiceVolumeFixed() const;
    bool SetVoiceVolumeFixed(int index);
    int GetAlertToneEnable() const;
    bool SetAlertToneEnable(int index);

    // Fixed volumes as list index 0..9 (level 1..10 stored); a stored byte
    // outside 1..10 reads as -1 (no entry). Setters refuse indices outside 0..9.
    int GetVoiceVolume() const;
    bool SetVoiceVolume(int index);
    int GetAlertToneVolume() const;
    bool SetAlertToneVolume(int index);
    int GetSideToneVolume() const;
    bool SetSideToneVolume(int index);

    // List index 0..2 stored as 0xFF, 0, 1; stored 0 reads 1, 1 reads 2,
    // anything else 0. Setter refuses indices outside 0..2.
    int GetAnnounceLanguage() const;
    bool SetAnnounceLanguage(int index);

    // All tones on entry 2, voice volume not fixed, alert tones enabled,
    // volumes level 5; announcement language index 0 for VK214, else 1 when
    // [setup] language of setting.ini is exactly "chinese" and 2 otherwise.
    void SetDefaults();

private:
    int getVolume(int offset) const;
    bool setVolume(int offset, int index);
};
