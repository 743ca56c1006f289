#include "BlankDocument.h"

#include "sections/OptionData.h"

TEST(OptionData, DefaultsLeaveUnnamedBitsAndTextsAlone)
{
    BlankDocument b(QStringLiteral("RQ381"));
    COptionData(b.doc).SetDefaults();
    EXPECT_EQ(bytesAt(b.image(), 0x4660, 12), "FF 0C 00 00 00 03 FB 05 01 0A 00 FF");
    EXPECT_TRUE(allBytesAre(b.image(), 0x0070, 0x00B8, 0xFF));

    BlankDocument tl(QStringLiteral("TL809"));
    tl.image()[0x4660] = 0x00;
    tl.image()[0x4666] = 0x00;
    COptionData(tl.doc).SetDefaults();
    EXPECT_EQ(tl.image()[0x4660], 0x13);  // LEDs on, battery save 0, whisper off
    EXPECT_EQ(tl.image()[0x4666], 0x03);  // bits 3..7 keep the image's value
}

TEST(OptionData, BitFieldsAndNumbers)
{
    BlankDocument b;
    COptionData options(b.doc);
    b.image()[0x4660] = 0x00;
    EXPECT_TRUE(options.SetBatterySave(2));
    options.SetWhisper(false);  // inverted: off sets the bit
    EXPECT_EQ(b.image()[0x4660], 0x18);
    EXPECT_FALSE(options.SetBatterySave(4));
    EXPECT_EQ(options.GetBatterySave(), 2);
    b.image()[0x4666] = 0xF0;
    options.SetPttCancelsVox(true);
    options.SetRxPttInhibit(false);
    EXPECT_EQ(b.image()[0x4666], 0xF4);

    options.SetTimeOutTimer(63);
    EXPECT_EQ(b.image()[0x4661], 12);
    EXPECT_EQ(options.GetTimeOutTimer(), 60);
    options.SetTimeOutTimer(5000);
    EXPECT_EQ(b.image()[0x4661], 255);
    options.SetTotReset(-3);
    EXPECT_EQ(b.image()[0x4664], 0);
    EXPECT_FALSE(options.SetSquelchLevel(10));
    EXPECT_EQ(options.GetSquelchLevel(), 0xFF);
}

TEST(OptionData, PasswordAndEmbeddedText)
{
    BlankDocument b;
    COptionData options(b.doc);
    EXPECT_EQ(options.GetPowerOnPassword(), "");
    options.SetPowerOnPassword(QStringLiteral("123"));
    EXPECT_EQ(bytesAt(b.image(), 0xB0, 8), "31 32 33 FF FF FF FF FF");
    EXPECT_EQ(options.GetPowerOnPassword(), "123");
    options.SetPowerOnPassword(QStringLiteral("1234567890"));
    EXPECT_EQ(bytesAt(b.image(), 0xB6, 3), "37 38 FF");
    // A character beyond ASCII ends the stored text.
    options.SetPowerOnPassword(QStringLiteral("12\u00FF4"));
    EXPECT_EQ(bytesAt(b.image(), 0xB0, 8), "31 32 FF FF FF FF FF FF");

    EXPECT_EQ(options.GetEmbeddedInfo(), "");
    options.SetEmbeddedInfo(QStringLiteral("Hi"));
    EXPECT_EQ(bytesAt(b.image(), 0x70, 6), "48 00 69 00 00 00");
    EXPECT_TRUE(allBytesAre(b.image(), 0x74, 0xB0, 0x00));
    EXPECT_EQ(options.GetEmbeddedInfo(), "Hi");
    options.SetEmbeddedInfo(QString(40, QLatin1Char('x')));
    EXPECT_EQ(options.GetEmbeddedInfo(), QString(32, QLatin1Char('x')));
    EXPECT_EQ(bytesAt(b.image(), 0xB0, 2), "31 32");
}
