#include "BlankDocument.h"

#include "sections/DisplayControlData.h"

TEST(DisplayControlData, DefaultsNeverTouchTheTopBitsOf0x8004)
{
    BlankDocument b;
    b.fill(0x8000, 5, 0x00);
    CDisplayControlData(b.doc).SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x8000, 6), "03 00 00 FF 0F FF");
}

TEST(DisplayControlData, MenuItemsChangeOneBit)
{
    BlankDocument b;
    CDisplayControlData display(b.doc);
    EXPECT_TRUE(display.SetMenuItem(11, false));  // VOX: bit 3 of 0x8004
    EXPECT_TRUE(display.SetMenuItem(0, false));
    EXPECT_EQ(bytesAt(b.image(), 0x8003, 2), "FE F7");
    EXPECT_FALSE(display.GetMenuItem(0));
    EXPECT_TRUE(display.GetMenuItem(7));

    const auto before = b.snapshot();
    EXPECT_FALSE(display.SetMenuItem(12, false));
    EXPECT_FALSE(display.SetMenuItem(-1, false));
    EXPECT_FALSE(display.GetMenuItem(12));  // bit 4 of 0x8004 is set, yet no item
    EXPECT_TRUE(b.unchangedSince(before));
}

TEST(DisplayControlData, OutOfRangeBytesReadAsFirstEntry)
{
    BlankDocument b;
    CDisplayControlData display(b.doc);
    const uint8_t outOfRange[] = {0x0A, 6, 2};
    std::memcpy(b.image() + 0x8000, outOfRange, sizeof outOfRange);
    EXPECT_EQ(display.GetBacklight(), 0);
    EXPECT_EQ(display.GetKeypadLock(), 0);
    EXPECT_FALSE(display.GetLedIndicator());
    const uint8_t highest[] = {6, 5, 1};
    std::memcpy(b.image() + 0x8000, highest, sizeof highest);
    EXPECT_EQ(display.GetBacklight(), 6);
    EXPECT_EQ(display.GetKeypadLock(), 5);
    EXPECT_TRUE(display.GetLedIndicator());
    EXPECT_FALSE(display.SetBacklight(7));
    EXPECT_FALSE(display.SetKeypadLock(6));
    EXPECT_EQ(bytesAt(b.image(), 0x8000, 2), "06 05");
}
