#include "BlankDocument.h"

#include "sections/5ToneSystemData.h"

TEST(FiveToneSystemData, DefaultsWordsAndRefusedToneIndices)
{
    BlankDocument b;
    C5ToneSystemData tones(b.doc);
    tones.SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x7227, 14), "FF 00 0A 0E 78 69 48 71 0A 00 0A 00 01 FF");

    EXPECT_TRUE(tones.SetToneFrequency(1, 31068));
    EXPECT_EQ(bytesAt(b.image(), 0x722D, 2), "5C 79");
    EXPECT_EQ(tones.GetToneFrequency(1), 31068);
    EXPECT_TRUE(tones.SetToneDuration(0, 6000));
    EXPECT_EQ(bytesAt(b.image(), 0x722F, 2), "58 02");
    EXPECT_EQ(tones.GetToneDuration(0), 6000);
    tones.SetPreCarrierTime(2555);
    EXPECT_EQ(b.image()[0x7233], 255);

    const auto before = b.snapshot();
    EXPECT_FALSE(tones.SetToneFrequency(2, 1000));
    EXPECT_FALSE(tones.SetToneDuration(-1, 100));
    EXPECT_FALSE(tones.SetRepeatTone(256));
    EXPECT_TRUE(b.unchangedSince(before));
    EXPECT_EQ(tones.GetToneFrequency(2), 0);
}
