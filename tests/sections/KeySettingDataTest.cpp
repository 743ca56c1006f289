#include "BlankDocument.h"

#include "sections/KeySettingData.h"

TEST(KeySettingData, PositionsMapToModelCodes)
{
    BlankDocument rq(QStringLiteral("RQ381"));
    CKeySettingData keys(rq.doc);
    const int expected[][2] = {{1, 3}, {7, 10}, {20, 27}, {21, 28}, {0, 0xFF}};
    for (const auto &[position, code] : expected) {
        EXPECT_TRUE(keys.SetKeySlot(2, position));
        EXPECT_EQ(rq.image()[0x4642], code) << "position " << position;
    }

    BlankDocument tl(QStringLiteral("TL809"));
    CKeySettingData small(tl.doc);
    small.SetKeySlot(4, 10);
    EXPECT_EQ(tl.image()[0x4644], 18);
    small.SetKeySlot(4, 13);
    EXPECT_EQ(tl.image()[0x4644], 27);
    small.SetKeySlot(4, 14);
    EXPECT_EQ(tl.image()[0x4644], 28);
    EXPECT_EQ(small.GetKeySlot(4), 0);  // 28 reads as none
}

TEST(KeySettingData, StoredCodesReadBackAsPositions)
{
    BlankDocument tl(QStringLiteral("TL809"));
    CKeySettingData keys(tl.doc);
    tl.image()[0x4640] = 0x00;
    tl.image()[0x4641] = 12;  // available: 3..8, 10..12
    tl.image()[0x4642] = 14;  // not offered on TL809: shows at code 12
    tl.image()[0x4643] = 19;
    EXPECT_EQ(keys.GetKeySlot(0), 0);
    EXPECT_EQ(keys.GetKeySlot(1), 9);
    EXPECT_EQ(keys.GetKeySlot(2), 9);
    EXPECT_EQ(keys.GetKeySlot(3), 11);
    EXPECT_EQ(keys.GetKeySlot(5), 0);  // 0xFF
    EXPECT_EQ(keys.GetKeyCode(2), 14);

    EXPECT_FALSE(keys.IsFunctionAvailable(0, 14));
    EXPECT_TRUE(keys.IsFunctionAvailable(0, 0));
    EXPECT_FALSE(keys.IsFunctionAvailable(6, 3));
}

TEST(KeySettingData, DefaultsDependOnModel)
{
    BlankDocument rq(QStringLiteral("RQ381"));
    CKeySettingData(rq.doc).SetDefaults();
    EXPECT_EQ(bytesAt(rq.image(), 0x4640, 8), "FF 0E 18 FF FF FF 14 FF");

    BlankDocument tl(QStringLiteral("TL809"));
    tl.fill(0x4640, 8, 0x00);
    CKeySettingData(tl.doc).SetDefaults();
    EXPECT_EQ(bytesAt(tl.image(), 0x4640, 8), "FF 13 1C FF FF FF 14 FF");
}

TEST(KeySettingData, RefusedSlotsAndTimeLimits)
{
    BlankDocument b;
    CKeySettingData keys(b.doc);
    const auto before = b.snapshot();
    EXPECT_FALSE(keys.SetKeySlot(6, 1));
    EXPECT_FALSE(keys.SetKeySlot(-1, 1));
    EXPECT_FALSE(keys.SetKeySlot(0, -1));
    EXPECT_TRUE(b.unchangedSince(before));
    EXPECT_EQ(keys.GetKeySlot(6), 0);

    keys.SetLongPressTime(2550);
    EXPECT_EQ(b.image()[0x4646], 25);
    EXPECT_EQ(keys.GetLongPressTime(), 2500);
    keys.SetLongPressTime(90000);  // would not fit a byte
    EXPECT_EQ(b.image()[0x4646], 255);
}
