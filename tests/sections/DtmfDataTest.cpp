#include "BlankDocument.h"

#include "sections/DtmfData.h"

TEST(DtmfData, DefaultsAndMillisecondConversion)
{
    BlankDocument b;
    CDtmfData dtmf(b.doc);
    dtmf.SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x721F, 7), "FF 0A 0A 03 03 00 FF");
    EXPECT_EQ(dtmf.GetDigitInterval(), 30);

    dtmf.SetFirstDigitTime(105);
    EXPECT_EQ(b.image()[0x7220], 10);
    EXPECT_EQ(dtmf.GetFirstDigitTime(), 100);
    dtmf.SetDigitDuration(2550);
    EXPECT_EQ(b.image()[0x7223], 255);
    dtmf.SetFirstDigitDelay(9999);  // beyond a byte: kept at the largest time
    EXPECT_EQ(b.image()[0x7221], 255);

    EXPECT_TRUE(dtmf.SetDCode(16));
    EXPECT_FALSE(dtmf.SetDCode(17));
    EXPECT_FALSE(dtmf.SetDCode(-1));
    EXPECT_EQ(dtmf.GetDCode(), 16);
}
