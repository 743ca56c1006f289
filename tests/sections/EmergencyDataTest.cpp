#include "BlankDocument.h"

#include "sections/EmergencyData.h"

TEST(EmergencyData, DefaultsKeepTheReplyChannelByte)
{
    BlankDocument b;
    CEmergencyData(b.doc).SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x4C10, 10), "E3 01 0A 0A 01 FF 10 00 00 10");
    EXPECT_EQ(b.image()[0x4C1A], 0xFF);

    b.image()[0x4C10] = 0x00;
    b.image()[0x4C15] = 0x07;
    CEmergencyData data(b.doc);
    data.SetDefaults();
    EXPECT_EQ(b.image()[0x4C10], 0x03);
    EXPECT_EQ(b.image()[0x4C15], 0x07);
    EXPECT_EQ(data.GetEmergencyType(), CEmergencyData::kTypeOff);
    EXPECT_EQ(data.GetEmergencyCallId(), "1000001");
}

TEST(EmergencyData, FlagSettersKeepBitsFiveToSeven)
{
    BlankDocument b;
    CEmergencyData data(b.doc);
    b.image()[0x4C10] = 0xE0;
    EXPECT_TRUE(data.SetEmergencyMode(2));
    data.SetReplyChannelSet(true);
    EXPECT_TRUE(data.SetEmergencyType(1));
    EXPECT_EQ(b.image()[0x4C10], 0xF9);
    EXPECT_FALSE(data.SetEmergencyType(4));
    EXPECT_EQ(data.GetEmergencyMode(), 2);
    EXPECT_TRUE(data.GetReplyChannelSet());
}

TEST(EmergencyData, ReplyChannelOutsideTheZoneSlotsReadsAsNone)
{
    BlankDocument rq(QStringLiteral("RQ381"));  // two zone slots
    CEmergencyData data(rq.doc);
    EXPECT_EQ(data.GetReplyChannelRef(), ChannelRef{});  // erased bytes
    rq.image()[0x4C14] = 3;
    rq.image()[0x4C15] = 16;
    EXPECT_EQ(data.GetReplyZone(), 0);
    EXPECT_EQ(data.GetReplyChannel(), 16);
    rq.image()[0x4C14] = 2;
    rq.image()[0x4C15] = 17;
    EXPECT_EQ(data.GetReplyZone(), 2);
    EXPECT_EQ(data.GetReplyChannel(), 0);

    BlankDocument vk(QStringLiteral("VK214"));  // sixteen zone slots
    CEmergencyData wide(vk.doc);
    wide.SetReplyChannelRef(ChannelRef{16, 5});
    EXPECT_EQ(bytesAt(vk.image(), 0x4C14, 2), "10 05");
    EXPECT_EQ(wide.GetReplyChannelRef(), (ChannelRef{16, 5}));
    wide.SetReplyChannelRef(ChannelRef{17, 0});
    EXPECT_EQ(bytesAt(vk.image(), 0x4C14, 2), "00 00");
}

TEST(EmergencyData, CallIdIsPaddedAndDigitsOnly)
{
    BlankDocument b;
    CEmergencyData data(b.doc);
    data.SetEmergencyCallId(QStringLiteral("12"));
    EXPECT_EQ(bytesAt(b.image(), 0x4C16, 4), "00 00 01 20");
    b.image()[0x4C16] = 0x1C;  // second nibble is no digit
    EXPECT_EQ(data.GetEmergencyCallId(), "1000012");
}
