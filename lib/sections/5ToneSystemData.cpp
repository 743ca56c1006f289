#include "sections/5ToneSystemData.h"

#include <algorithm>

namespace {
constexpr int kToneSystem = 0x7228;
constexpr int kGroupCallTone = 0x7229;
constexpr int kRepeatTone = 0x722A;
constexpr int kToneFrequency[] = {0x722B, 0x722D};
constexpr int kToneDuration[] = {0x722F, 0x7231};
constexpr int kPreCarrierTime = 0x7233;
constexpr int kTimeUnitMs = 10;

bool validTone(int tone) { return tone >= 0 && tone < C5ToneSystemData::kSingleToneCount; }
bool validIndex(int index) { return index >= 0 && index <= 255; }
uint16_t toWord(int value) { return uint16_t(std::clamp(value, 0, 0xFFFF)); }
}

int C5ToneSystemData::GetToneSystem() const { return byteAt(kToneSystem); }
int C5ToneSystemData::GetGroupCallTone() const { return byteAt(kGroupCallTone); }
int C5ToneSystemData::GetRepeatTone() const { return byteAt(kRepeatTone); }

bool C5ToneSystemData::SetToneSystem(int index)
{
    if (!validIndex(index))
        return false;
    setByteAt(kToneSystem, uint8_t(index));
    return true;
}

bool C5ToneSystemData::SetGroupCallTone(int index)
{
    if (!validIndex(index))
        return false;
    setByteAt(kGroupCallTone, uint8_t(index));
    return true;
}

bool C5ToneSystemData::SetRepeatTone(int index)
{
    if (!validIndex(index))
        return false;
    setByteAt(kRepeatTone, uint8_t(index));
    return true;
}

int C5ToneSystemData::GetToneFrequency(int tone) const
{
    return validTone(tone) ? wordAt(kToneFrequency[tone]) : 0;
}

bool C5ToneSystemData::SetToneFrequency(int tone, int tenthsHz)
{
    if (!validTone(tone))
        return false;
    setWordAt(kToneFrequency[tone], toWord(tenthsHz));
    return true;
}

int C5ToneSystemData::GetToneDuration(int tone) const
{
    return validTone(tone) ? wordAt(kToneDuration[tone]) * kTimeUnitMs : 0;
}

bool C5ToneSystemData::SetToneDuration(int tone, int ms)
{
    if (!validTone(tone))
        return false;
    setWordAt(kToneDuration[tone], toWord(ms / kTimeUnitMs));
    return true;
}

int C5ToneSystemData::GetPreCarrierTime() const { return byteAt(kPreCarrierTime) * kTimeUnitMs; }

void C5ToneSystemData::SetPreCarrierTime(int ms)
{
    setByteAt(kPreCarrierTime, uint8_t(std::clamp(ms / kTimeUnitMs, 0, 255)));
}

void C5ToneSystemData::SetDefaults()
{
    SetToneSystem(0);
    SetGroupCallTone(10);
    SetRepeatTone(14);
    SetToneFrequency(0, 27000);
    SetToneFrequency(1, 29000);
    SetToneDuration(0, 100);
    SetToneDuration(1, 100);
    SetPreCarrierTime(10);
}
