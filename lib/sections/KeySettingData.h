#pragma once

#include "sections/SectionData.h"

// Programmable keys at 0x4640-0x4647: the function code of six key slots
// (short presses in slots 0..2, long presses in 3..5) and the long-press time.
// The forms address a function by its position in the list of the functions
// the configured model offers (position 0 = none).
class CKeySettingData : public CSectionData
{
public:
    explicit CKeySettingData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kSlotCount = 6;
    static constexpr int kMaxFunctionCode = 27;
    // Stored when a list position lies beyond the model's functions; reads as none.
    static constexpr uint8_t kBeyondListCode = 28;

    // Whether function code 0..27 may be assigned to a key of the configured
    // model (the same for every slot; slot outside 0..5 gives false).
    bool IsFunctionAvailable(int slot, int code) const;

    // List position of the slot's function: 0 for a stored byte outside
    // 1..27, else the number of available codes in 1..code (an unavailable
    // code shows at the nearest lower available one). Slot outside 0..5: 0.
    int GetKeySlot(int slot) const;
    // Position 0 stores 0xFF, position i the i-th available code, or 28 when
    // the model has fewer than i functions. Refuses a bad slot or position < 0.
    bool SetKeySlot(int slot, int position);
    // The stored function code 1..27, or 0 (none) for any other byte.
    int GetKeyCode(int slot) const;

    // Long-press time in ms: getter byte x 100, setter ms / 100 (kept to a byte).
    int GetLongPressTime() const;
    void SetLongPressTime(int ms);

    // Slot 1 at position 11, slot 2 at position 17, the other slots none,
    // 0x4647 = 0xFF, long-press time 2000 ms.
    void SetDefaults();

private:
    int codeAtPosition(int position) const;
};
