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
}

TEST(EncryptData, KeyRules)
{
    BlankDocument b;
    CEncryptData keys(b.doc);
    const struct { const char *text; const char *stored; } cases[] = {
        {"123", "00 00 01 23"},         // padded on the left
        {"00000000", "39 01 72 64"},    // all zeros: the default key
        {"", "00 00 00 00"},            // a freed entry
        {"12a4", "00 00 12 04"},        // a non-digit stores 0
        {"1234567890", "12 34 56 78"},  // only eight digits fit
    };
    for (const auto &c : cases) {
        keys.SetKey(16, QString::fromUtf8(c.text));
        EXPECT_EQ(bytesAt(b.image(), kEntry16 + 1, 4), c.stored) << c.text;
    }
    EXPECT_EQ(bytesAt(b.image(), kEntry16, 1), "FF");
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
    EXPECT_EQ(keys.CountEntries(), 3);  // the highest named entry

    keys.ClearEntry(1);
    EXPECT_TRUE(allBytesAre(b.image(), kEntry1, kEntry1 + 33, 0x00));
    EXPECT_TRUE(allBytesAre(b.image(), kEntry1 + 33, kEntry1 + 40, 0xFF));
}
