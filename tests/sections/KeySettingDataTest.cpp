#include "BlankDocument.h"

#include "sections/KeySettingData.h"

TEST(KeySettingData, PositionsMapToModelCodes)
{
    // RQ381 offers 3..8, 10..19, 24..27; TL809 only 3..8, 10..12, 18, 19, 25, 27.
    const struct { const char *model; int position; int code; } cases[] = {
        {"RQ381", 1, 3}, {"RQ381", 7, 10}, {"RQ381", 20, 27}, {"RQ381", 21, 28}, {"RQ381", 0, 0xFF},
        {"TL809", 10, 18}, {"TL809", 13, 27}, {"TL809", 14, 28},
        {"RQ381S", 11, 19},  // any other model offers what TL809 offers
    };
    for (const auto &c : cases) {
        BlankDocument b(QString::fromLatin1(c.model));
        EXPECT_TRUE(CKeySettingData(b.doc).SetKeySlot(2, c.position));
        EXPECT_EQ(b.image()[0x4642], c.code) << c.model << " position " << c.position;
    }
}

TEST(KeySettingData, StoredCodesReadBackAsPositions)
{
    BlankDocument tl(QStringLiteral("TL809"));
    CKeySettingData keys(tl.doc);
    const uint8_t stored[] = {0x00, 12, 14, 19, 28, 0xFF};  // 14 is not offered on TL809
    std::memcpy(tl.image() + 0x4640, stored, sizeof stored);
    const int positions[] = {0, 9, 9, 11, 0, 0};
    for (int slot = 0; slot < 6; ++slot)
        EXPECT_EQ(keys.GetKeySlot(slot), positions[slot]) << "slot " << slot;
    EXPECT_EQ(keys.GetKeyCode(2), 14);

    const auto before = tl.snapshot();
    EXPECT_FALSE(keys.SetKeySlot(6, 1));
    EXPECT_FALSE(keys.SetKeySlot(0, -1));
    EXPECT_TRUE(tl.unchangedSince(before));
    EXPECT_EQ(keys.GetKeySlot(-1), 0);
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

TEST(KeySettingData, LongPressTimeInWholeTenthsOfASecond)
{
    BlankDocument b;
    CKeySettingData keys(b.doc);
    keys.SetLongPressTime(2550);
    EXPECT_EQ(b.image()[0x4646], 25);
    EXPECT_EQ(keys.GetLongPressTime(), 2500);
    keys.SetLongPressTime(90000);  // would not fit a byte
    EXPECT_EQ(b.image()[0x4646], 255);
}
