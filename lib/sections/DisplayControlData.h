#pragma once

#include "sections/SectionData.h"

// Display control at 0x8000-0x8004: backlight, keypad lock, LED indicator and
// the twelve menu items the radio offers (bits of 0x8003 and 0x8004).
class CDisplayControlData : public CSectionData
{
public:
    explicit CDisplayControlData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kBacklightEntries = 7;
    static constexpr int kKeypadLockEntries = 6;
    static constexpr int kMenuItemCount = 12;

    // List index 0..6; a byte of 7 or more reads as 0 (always on).
    int GetBacklight() const;
    bool SetBacklight(int index);
    // List index 0..5; a byte of 6 or more reads as 0 (always unlocked).
    int GetKeypadLock() const;
    bool SetKeypadLock(int index);
    // 0 = off, 1 = on; a byte of 2 or more reads as off.
    bool GetLedIndicator() const;
    void SetLedIndicator(bool on);

    // Menu item 0..11: bit n of 0x8003, or bit n-8 of 0x8004. Only the one
    // bit changes. Item outside 0..11: getter false, setter refused.
    bool GetMenuItem(int item) const;
    bool SetMenuItem(int item, bool offered);

    // Backlight 3, keypad lock 0, LED off, all twelve menu items offered.
    void SetDefaults();
};
