#include "BlankDocument.h"

#include "sections/EncryptData.h"

namespace {
constexpr int kEntry1 = 0x6E78;
constexpr int kEntry16 = 0x70D0;
}  // namespace

TEST(EncryptData, DefaultsWriteEntryOneOnly)
{
    BlankDocument b;
    CEncryptData(b.doc).SetDefaults();
    const uint8_t *img = b.image();
    EXPECT_EQ(bytesAt(img, kEntry1, 5), "01 39 01 72 64");
    EXPECT_EQ(bytesAt(img, kEntry1 + 5, 18), utf16Bytes("Encrypt 1"));
    EXPECT_TRUE(allBytesAre(img, kEntry1 + 23, kEntry1 + 33, 0x00));
    EXPECT_TRUE(allBytesAre(img, kEntry1 + 33, 0x7100, 0xFF));
    EXPECT_EQ(CEncryptData(b.doc).CountEntries(), 1);
}

TEST(EncryptData, KeyRules)
{
    BlankDocument b;
    CEncryptData keys(b.doc);
    keys.SetKey(16, QStringLiteral("123"));
    EXPECT_EQ(bytesAt(b.image(), kEntry16, 6), "FF 00 00 01 23 FF");
    EXPECT_EQ(keys.GetKey(16), "00000123");
    keys.SetKey(16, QStringLiteral("00000000"));
    EXPECT_EQ(keys.GetKey(16), "39017264");
    keys.SetKey(16, QString());
    EXPECT_EQ(bytesAt(b.image(), kEntry16 + 1, 4), "00 00 00 00");
    keys.SetKey(16, QStringLiteral("12a4"));
    EXPECT_EQ(keys.GetKey(16), "00001204");
    keys.SetKey(16, QStringLiteral("1234567890"));  // only eight digits fit
    EXPECT_EQ(keys.GetKey(16), "12345678");
    EXPECT_EQ(bytesAt(b.image(), kEntry16 + 5, 1), "FF");
    b.image()[kEntry16 + 1] = 0xAF;
    EXPECT_EQ(keys.GetKey(16), "00345678");
}

TEST(EncryptData, NumbersCountsAndClearing)
{
    BlankDocument b;
    CEncryptData keys(b.doc);
    b.image()[kEntry1] = 17;
    EXPECT_EQ(keys.GetNumber(1), 0);
    keys.SetDefaults();
    keys.SetName(3, QStringLiteral("Encrypt 3"));
    EXPECT_EQ(keys.CountEntries(), 3);

    keys.ClearEntry(1);
    EXPECT_TRUE(allBytesAre(b.image(), kEntry1, kEntry1 + 33, 0x00));
    EXPECT_TRUE(allBytesAre(b.image(), kEntry1 + 33, kEntry1 + 40, 0xFF));

    const auto before = b.snapshot();
    for (int entry : {0, 17}) {
        keys.SetNumber(entry, 1);
        keys.SetKey(entry, QStringLiteral("1"));
        keys.SetName(entry, QStringLiteral("X"));
        keys.ClearEntry(entry);
        EXPECT_EQ(keys.GetKey(entry), QString());
        EXPECT_EQ(keys.GetNumber(entry), 0);
    }
    keys.SetNumber(2, 17);
    EXPECT_TRUE(b.unchangedSince(before));
}
