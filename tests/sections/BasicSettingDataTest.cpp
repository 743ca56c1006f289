#include "BlankDocument.h"

#include "sections/BasicSettingData.h"

TEST(BasicSettingData, DefaultsOnErasedImage)
{
    BlankDocument b;
    CBasicSettingData(b.doc).SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x4C20, 13), "00 00 00 10 05 03 05 F3 00 10 00 00 00");
    EXPECT_EQ(b.image()[0x4C1F], 0xFF);
    EXPECT_EQ(b.image()[0x4C2D], 0xFF);

    CBasicSettingData data(b.doc);
    EXPECT_EQ(data.GetRadioId(), "0000001");
    EXPECT_EQ(data.GetGroupCallStartId(), "1000000");
    EXPECT_EQ(data.GetGroupCallStartIdValue(), 1000000);
    EXPECT_TRUE(data.GetAllowGroupCall());
    EXPECT_TRUE(data.GetAllowAllCall());
    EXPECT_FALSE(data.GetRemoteKillDecode());
    EXPECT_FALSE(data.GetPrivateCallEnable());
}

TEST(BasicSettingData, PermissionBitsKeepTheirNeighbours)
{
    BlankDocument b;
    CBasicSettingData data(b.doc);
    b.image()[0x4C27] = 0xA5;  // 1010 0101
    data.SetAllowGroupCall(false);
    EXPECT_EQ(b.image()[0x4C27], 0xA4);
    data.SetPrivateCallEnable(true);
    EXPECT_EQ(b.image()[0x4C27], 0xAC);
    data.SetRemoteKillDecode(false);
    EXPECT_EQ(b.image()[0x4C27], 0xA8);
    data.SetAllowAllCall(true);
    EXPECT_EQ(b.image()[0x4C27], 0xAA);
}

TEST(BasicSettingData, IdsAndListIndices)
{
    BlankDocument b;
    CBasicSettingData data(b.doc);
    data.SetRadioId(QStringLiteral("42"));
    EXPECT_EQ(bytesAt(b.image(), 0x4C20, 4), "00 00 04 20");
    EXPECT_EQ(data.GetRadioIdValue(), 42);
    // An erased ID has no digit nibbles: it reads as zeros, not garbage.
    EXPECT_EQ(data.GetGroupCallStartId(), "0000000");

    EXPECT_EQ(data.GetGroupHangTime(), 0xFF);  // stored value as it is
    EXPECT_TRUE(data.SetMixedHangTime(60));
    EXPECT_FALSE(data.SetMixedHangTime(61));
    EXPECT_FALSE(data.SetPrivateHangTime(-1));
    EXPECT_FALSE(data.SetPreambleFrames(9));
    EXPECT_EQ(bytesAt(b.image(), 0x4C24, 5), "FF FF 3C FF FF");
}
