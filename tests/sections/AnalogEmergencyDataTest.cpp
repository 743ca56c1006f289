#include "BlankDocument.h"

#include "sections/AnalogEmergencyData.h"

TEST(AnalogEmergencyData, DefaultsAndInvertedFlags)
{
    BlankDocument erased;
    CAnalogEmergencyData(erased.doc).SetDefaults();
    EXPECT_EQ(bytesAt(erased.image(), 0x713F, 10), "FF FF 01 0A 0A FF FF 0A 01 FF");

    BlankDocument b;
    b.fill(0x7140, 8, 0x00);
    CAnalogEmergencyData data(b.doc);
    data.SetDefaults();  // flags off set their bits; bits 6..7 stay
    EXPECT_EQ(bytesAt(b.image(), 0x7140, 8), "3F 01 0A 0A 00 00 0A 01");
    data.SetSilentAlarm(true);
    data.SetTxAlarmTone(true);
    EXPECT_TRUE(data.SetCycleMode(1));
    EXPECT_FALSE(data.SetCycleMode(4));
    EXPECT_EQ(b.image()[0x7140], 0x29);
    EXPECT_TRUE(data.GetSilentAlarm());
    EXPECT_FALSE(data.GetDesignatedReplyChannel());
}

TEST(AnalogEmergencyData, ConvertedFieldsAndFallbacks)
{
    BlankDocument b;
    CAnalogEmergencyData data(b.doc);
    data.SetAlarmToneTime(1050);
    EXPECT_EQ(b.image()[0x7146], 10);
    EXPECT_EQ(data.GetAlarmToneTime(), 1000);

    for (uint8_t stored : {0x00, 0x11, 0xFF}) {
        b.image()[0x7147] = stored;
        EXPECT_EQ(data.GetEncodeSequence(), 0) << int(stored);
    }
    EXPECT_TRUE(data.SetEncodeSequence(16));
    EXPECT_EQ(b.image()[0x7147], 16);
    EXPECT_FALSE(data.SetEncodeSequence(17));
    EXPECT_TRUE(data.SetEncodeSequence(0));
    EXPECT_EQ(b.image()[0x7147], 0xFF);

    b.image()[0x7144] = 3;  // beyond the two zone slots of RQ381
    b.image()[0x7145] = 4;
    EXPECT_EQ(data.GetReplyChannelRef(), (ChannelRef{0, 4}));
}
