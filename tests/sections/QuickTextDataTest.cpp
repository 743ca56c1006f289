#include "BlankDocument.h"

#include "sections/QuickTextData.h"

namespace {
constexpr int kCount = 0x8032;
constexpr int kText1 = 0x8034;
constexpr int kText25 = 0x8334;
}  // namespace

TEST(QuickTextData, DefaultsWriteCountAndTextOne)
{
    BlankDocument b;
    CQuickTextData(b.doc).SetDefaults();
    const uint8_t *img = b.image();
    EXPECT_EQ(bytesAt(img, kCount, 2), "01 FF");
    EXPECT_EQ(bytesAt(img, kText1, 10), utf16Bytes("Hello"));
    EXPECT_TRUE(allBytesAre(img, kText1 + 10, kText1 + 32, 0x00));
    EXPECT_TRUE(allBytesAre(img, kText1 + 32, 0x8400, 0xFF));
    EXPECT_TRUE(allBytesAre(img, 0x8000, kCount, 0xFF));
}

TEST(QuickTextData, CountNeverNamesMoreThanTheTwentyFiveTexts)
{
    BlankDocument b;
    CQuickTextData texts(b.doc);
    EXPECT_EQ(texts.GetCount(), 0);  // 0xFF
    b.image()[kCount] = 33;
    EXPECT_EQ(texts.GetCount(), 0);
    b.image()[kCount] = 32;
    EXPECT_EQ(texts.GetCount(), 25);
    b.image()[kCount] = 25;
    EXPECT_EQ(texts.GetCount(), 25);
    texts.SetCount(26);
    EXPECT_EQ(bytesAt(b.image(), kCount, 1), "19");
}

TEST(QuickTextData, TextsKeepSixteenUnitsAndRefuseOtherNumbers)
{
    BlankDocument b;
    CQuickTextData texts(b.doc);
    texts.SetText(25, QStringLiteral("Twenty characters!!!"));
    EXPECT_EQ(texts.GetText(25), "Twenty character");
    EXPECT_EQ(bytesAt(b.image(), kText25 + 30, 2), "72 00");
    EXPECT_EQ(bytesAt(b.image(), kText25 + 32, 1), "FF");

    const auto before = b.snapshot();
    for (int text : {0, 26}) {
        texts.SetText(text, QStringLiteral("X"));
        EXPECT_EQ(texts.GetText(text), QString());
    }
    EXPECT_TRUE(b.unchangedSince(before));
}
