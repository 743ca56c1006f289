#include "sections/KeySettingData.h"

#include "app/AppSettings.h"

#include <algorithm>

namespace {
constexpr int kFirstSlot = 0x4640;
constexpr int kLongPressTime = 0x4646;
constexpr int kReserved = 0x4647;
constexpr int kLongPressUnitMs = 100;

bool validSlot(int slot) { return slot >= 0 && slot < CKeySettingData::kSlotCount; }
}

bool CKeySettingData::IsFunctionAvailable(int slot, int code) const
{
    if (!validSlot(slot) || code < 0 || code > kMaxFunctionCode)
        return false;
    // Codes the radio reserves on every model.
    if (code == 1 || code == 2 || code == 9 || (code >= 20 && code <= 23))
        return false;
    const QString model = document().settings().modelName();
    if (model == QLatin1String("RQ381") || model == QLatin1String("VK214"))
        return true;
    // The smaller models lack the digital and scan functions.
    return !((code >= 13 && code <= 17) || code == 24 || code == 26);
}

int CKeySettingData::GetKeyCode(int slot) const
{
    if (!validSlot(slot))
        return 0;
    const int code = byteAt(kFirstSlot + slot);
    return (code >= 1 && code <= kMaxFunctionCode) ? code : 0;
}

int CKeySettingData::GetKeySlot(int slot) const
{
    const int code = GetKeyCode(slot);
    int position = 0;
    for (int c = 1; c <= code; ++c)
        if (IsFunctionAvailable(slot, c))
            ++position;
    return position;
}

int CKeySettingData::codeAtPosition(int position) const
{
    int seen = 0;
    for (int c = 1; c <= kMaxFunctionCode; ++c)
        if (IsFunctionAvailable(0, c) && ++seen == position)
            return c;
    return kBeyondListCode;
}

bool CKeySettingData::SetKeySlot(int slot, int position)
{
    if (!validSlot(slot) || position < 0)
        return false;
    setByteAt(kFirstSlot + slot, position == 0 ? uint8_t(0xFF) : uint8_t(codeAtPosition(position)));
    return true;
}

int CKeySettingData::GetLongPressTime() const { return byteAt(kLongPressTime) * kLongPressUnitMs; }

void CKeySettingData::SetLongPressTime(int ms)
{
    setByteAt(kLongPressTime, uint8_t(std::clamp(ms / kLongPressUnitMs, 0, 255)));
}

void CKeySettingData::SetDefaults()
{
    SetKeySlot(0, 0);
    SetKeySlot(1, 11);
    SetKeySlot(2, 17);
    SetKeySlot(3, 0);
    SetKeySlot(4, 0);
    SetKeySlot(5, 0);
    setByteAt(kReserved, 0xFF);
    SetLongPressTime(2000);
}
