#pragma once

#include "sections/SectionData.h"

// 5-tone system at 0x7228-0x7233. Words are little-endian; the two single
// tones are addressed by index 0 (tone 1) and 1 (tone 2).
class C5ToneSystemData : public CSectionData
{
public:
    explicit C5ToneSystemData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kSingleToneCount = 2;

    // List indices into "5ToneSystem" / "5ToneGroupRepeat", as stored;
    // setters refuse values outside 0..255.
    int GetToneSystem() const;
    bool SetToneSystem(int index);
    int GetGroupCallTone() const;
    bool SetGroupCallTone(int index);
    int GetRepeatTone() const;
    bool SetRepeatTone(int index);

    // Single tone frequency in 0.1 Hz units (27000 = 2700.0 Hz). Tone index
    // outside 0..1: getter 0, setter refused; values are kept to a word.
    int GetToneFrequency(int tone) const;
    bool SetToneFrequency(int tone, int tenthsHz);
    // Single tone duration in ms: getter word x 10, setter ms / 10.
    int GetToneDuration(int tone) const;
    bool SetToneDuration(int tone, int ms);

    // Transmit pre-carrier time in ms: getter byte x 10, setter ms / 10.
    int GetPreCarrierTime() const;
    void SetPreCarrierTime(int ms);

    // System 0, group call tone 10, repeat tone 14, tones 2700.0 and
    // 2900.0 Hz of 100 ms each, pre-carrier 10 ms.
    void SetDefaults();
};
