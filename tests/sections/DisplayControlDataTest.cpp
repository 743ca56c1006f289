#include "BlankDocument.h"

#include "sections/DisplayControlData.h"

TEST(DisplayControlData, DefaultsNeverTouchTheTopBitsOf0x8004)
{
    BlankDocument b;
    b.fill(0x8000, 5, 0x00);
    CDisplayControlData(b.doc).SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x8000, 5), "03 00 00 FF 0F");

    BlankDocument erased;
    CDisplayControlData(erased.doc).SetDefaults();
    EXPECT_EQ(bytesAt(erased.image(), 0x8000, 6), "03 00 00 FF FF FF");
}

TEST(DisplayControlData, MenuItemsChangeOneBit)
{
    BlankDocument b;
    CDisplayControlData display(b.doc);
    EXPECT_TRUE(display.SetMenuItem(11, false));  // VOX: bit 3 of 0x8004
    EXPECT_EQ(bytesAt(b.image(), 0x8003, 2), "FF F7");
    EXPECT_TRUE(display.SetMenuItem(0, false));
    EXPECT_EQ(b.image()[0x8003], 0xFE);
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
    b.image()[0x8000] = 0x0A;
    b.image()[0x8001] = 6;
    b.image()[0x8002] = 2;
    EXPECT_EQ(display.GetBacklight(), 0);
    EXPECT_EQ(display.GetKeypadLock(), 0);
    EXPECT_FALSE(display.GetLedIndicator());
    b.image()[0x8000] = 6;
    b.image()[0x8001] = 5;
    EXPECT_EQ(display.GetBacklight(), 6);
    EXPECT_EQ(display.GetKeypadLock(), 5);

    EXPECT_FALSE(display.SetBacklight(7));
    EXPECT_FALSE(display.SetKeypadLock(6));
    EXPECT_EQ(bytesAt(b.image(), 0x8000, 2), "06 05");
    display.SetLedIndicator(true);
    EXPECT_EQ(b.image()[0x8002], 1);
}
