#include "BlankDocument.h"

#include "sections/EmergencyData.h"

TEST(EmergencyData, DefaultsAndFlagsKeepBitsFiveToSeven)
{
    BlankDocument b;
    CEmergencyData data(b.doc);
    data.SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x4C10, 11), "E3 01 0A 0A 01 FF 10 00 00 10 FF");
    b.image()[0x4C15] = 0x07;
    data.SetDefaults();
    EXPECT_EQ(b.image()[0x4C15], 0x07);  // the reply channel number is left as is

    EXPECT_TRUE(data.SetEmergencyMode(2));
    data.SetReplyChannelSet(true);
    EXPECT_TRUE(data.SetEmergencyType(1));
    EXPECT_FALSE(data.SetEmergencyType(4));
    EXPECT_EQ(b.image()[0x4C10], 0xF9);
    EXPECT_EQ(data.GetEmergencyMode(), 2);
}

TEST(EmergencyData, ReplyChannelOutsideTheZoneSlotsReadsAsNone)
{
    BlankDocument rq(QStringLiteral("RQ381"));  // two zone slots
    CEmergencyData data(rq.doc);
    EXPECT_EQ(data.GetReplyChannelRef(), ChannelRef{});  // erased bytes
    rq.image()[0x4C14] = 3;
    rq.image()[0x4C15] = 16;
    EXPECT_EQ(data.GetReplyChannelRef(), (ChannelRef{0, 16}));
    rq.image()[0x4C14] = 2;
    EXPECT_EQ(data.GetReplyZone(), 2);

    BlankDocument vk(QStringLiteral("VK214"));  // sixteen zone slots
    CEmergencyData wide(vk.doc);
    wide.SetReplyChannelRef(ChannelRef{16, 5});
    EXPECT_EQ(bytesAt(vk.image(), 0x4C14, 2), "10 05");
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
