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
    EXPECT_TRUE(allBytesAre(img, 0x8000, kCount, 0xFF));
    EXPECT_EQ(bytesAt(img, kCount, 2), "01 FF");
    EXPECT_EQ(bytesAt(img, kText1, 10), utf16Bytes("Hello"));
    EXPECT_TRUE(allBytesAre(img, kText1 + 10, kText1 + 32, 0x00));
    EXPECT_TRUE(allBytesAre(img, kText1 + 32, 0x8400, 0xFF));
}

// The radio takes counts up to 32, but only 25 texts exist: 26..32 mean
// all of them, anything above 32 is unset.
TEST(QuickTextData, CountNeverNamesMoreThanTheTwentyFiveTexts)
{
    BlankDocument b;
    CQuickTextData texts(b.doc);
    for (auto [stored, count] : std::initializer_list<std::pair<int, int>>{{0xFF, 0}, {33, 0}, {32, 25}, {26, 25}, {25, 25}}) {
        b.image()[kCount] = uint8_t(stored);
        EXPECT_EQ(texts.GetCount(), count) << stored;
    }
    texts.SetCount(26);
    EXPECT_EQ(bytesAt(b.image(), kCount, 1), "19");
}

TEST(QuickTextData, TextsKeepSixteenUnits)
{
    BlankDocument b;
    CQuickTextData texts(b.doc);
    texts.SetText(25, QStringLiteral("Twenty characters!!!"));
    EXPECT_EQ(texts.GetText(25), "Twenty character");
    EXPECT_EQ(bytesAt(b.image(), kText25 + 30, 2), "72 00");
    EXPECT_EQ(bytesAt(b.image(), kText25 + 32, 1), "FF");
}
