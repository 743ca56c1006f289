#include "sections/DtmfData.h"

#include <algorithm>

namespace {
constexpr int kFirstDigitTime = 0x7220;
constexpr int kFirstDigitDelay = 0x7221;
constexpr int kDigitInterval = 0x7222;
constexpr int kDigitDuration = 0x7223;
constexpr int kDCode = 0x7224;
constexpr int kTimeUnitMs = 10;

uint8_t msToByte(int ms) { return uint8_t(std::clamp(ms / kTimeUnitMs, 0, 255)); }
}

int CDtmfData::GetFirstDigitTime() const { return byteAt(kFirstDigitTime) * kTimeUnitMs; }
void CDtmfData::SetFirstDigitTime(int ms) { setByteAt(kFirstDigitTime, msToByte(ms)); }
int CDtmfData::GetFirstDigitDelay() const { return byteAt(kFirstDigitDelay) * kTimeUnitMs; }
void CDtmfData::SetFirstDigitDelay(int ms) { setByteAt(kFirstDigitDelay, msToByte(ms)); }
int CDtmfData::GetDigitInterval() const { return byteAt(kDigitInterval) * kTimeUnitMs; }
void CDtmfData::SetDigitInterval(int ms) { setByteAt(kDigitInterval, msToByte(ms)); }
int CDtmfData::GetDigitDuration() const { return byteAt(kDigitDuration) * kTimeUnitMs; }
void CDtmfData::SetDigitDuration(int ms) { setByteAt(kDigitDuration, msToByte(ms)); }

int CDtmfData::GetDCode() const { return byteAt(kDCode); }

bool CDtmfData::SetDCode(int code)
{
    if (code < 0 || code > kMaxDCode)
        return false;
    setByteAt(kDCode, uint8_t(code));
    return true;
}

void CDtmfData::SetDefaults()
{
    SetFirstDigitTime(100);
    SetFirstDigitDelay(100);
    SetDigitInterval(30);
    SetDigitDuration(30);
    SetDCode(0);
}
