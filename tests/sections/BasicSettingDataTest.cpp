#include "BlankDocument.h"

#include "sections/BasicSettingData.h"

TEST(BasicSettingData, DefaultsOnErasedImage)
{
    BlankDocument b;
    CBasicSettingData(b.doc).SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x4C1F, 15), "FF 00 00 00 10 05 03 05 F3 00 10 00 00 00 FF");
    EXPECT_EQ(CBasicSettingData(b.doc).GetGroupCallStartIdValue(), 1000000);
}

TEST(BasicSettingData, IdsPermissionBitsAndListIndices)
{
    BlankDocument b;
    CBasicSettingData data(b.doc);
    data.SetRadioId(QStringLiteral("42"));
    EXPECT_EQ(bytesAt(b.image(), 0x4C20, 4), "00 00 04 20");
    EXPECT_EQ(data.GetRadioIdValue(), 42);
    // An erased ID has no digit nibbles: it reads as zeros, not garbage.
    EXPECT_EQ(data.GetGroupCallStartId(), "0000000");

    b.image()[0x4C27] = 0xA5;  // 1010 0101: bits 4..7 must survive
    data.SetAllowGroupCall(false);
    data.SetPrivateCallEnable(true);
    data.SetAllowAllCall(true);
    EXPECT_EQ(b.image()[0x4C27], 0xAE);
    EXPECT_FALSE(data.GetAllowGroupCall());

    EXPECT_EQ(data.GetGroupHangTime(), 0xFF);  // stored value as it is
    EXPECT_TRUE(data.SetMixedHangTime(60));
    EXPECT_FALSE(data.SetMixedHangTime(61));
    EXPECT_FALSE(data.SetPrivateHangTime(-1));
    EXPECT_FALSE(data.SetPreambleFrames(9));
    EXPECT_EQ(bytesAt(b.image(), 0x4C24, 5), "FF FF 3C AE FF");
}
