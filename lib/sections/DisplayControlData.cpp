#include "sections/DisplayControlData.h"

namespace {
constexpr int kBacklight = 0x8000;
constexpr int kKeypadLock = 0x8001;
constexpr int kLedIndicator = 0x8002;
constexpr int kMenuItemsLow = 0x8003;   // items 0..7
constexpr int kMenuItemsHigh = 0x8004;  // items 8..11 in bits 0..3
}

int CDisplayControlData::GetBacklight() const
{
    const int index = byteAt(kBacklight);
    return index < kBacklightEntries ? index : 0;
}

bool CDisplayControlData::SetBacklight(int index)
{
    if (index < 0 || index >= kBacklightEntries)
        return false;
    setByteAt(kBacklight, uint8_t(index));
    return true;
}

int CDisplayControlData::GetKeypadLock() const
{
    const int index = byteAt(kKeypadLock);
    return index < kKeypadLockEntries ? index : 0;
}

bool CDisplayControlData::SetKeypadLock(int index)
{
    if (index < 0 || index >= kKeypadLockEntries)
        return false;
    setByteAt(kKeypadLock, uint8_t(index));
    return true;
}

bool CDisplayControlData::GetLedIndicator() const { return byteAt(kLedIndicator) == 1; }
void CDisplayControlData::SetLedIndicator(bool on) { setByteAt(kLedIndicator, on ? 1 : 0); }

bool CDisplayControlData::GetMenuItem(int item) const
{
    if (item < 0 || item >= kMenuItemCount)
        return false;
    const int offset = item < 8 ? kMenuItemsLow : kMenuItemsHigh;
    return byteAt(offset) & (1 << (item % 8));
}

bool CDisplayControlData::SetMenuItem(int item, bool offered)
{
    if (item < 0 || item >= kMenuItemCount)
        return false;
    const int offset = item < 8 ? kMenuItemsLow : kMenuItemsHigh;
    const uint8_t bit = uint8_t(1 << (item % 8));
    setBits(offset, bit, offered ? bit : 0);
    return true;
}

void CDisplayControlData::SetDefaults()
{
    SetBacklight(3);
    SetKeypadLock(0);
    SetLedIndicator(false);
    for (int item = 0; item < kMenuItemCount; ++item)
        SetMenuItem(item, true);
}
