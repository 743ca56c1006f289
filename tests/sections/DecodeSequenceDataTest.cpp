#include "BlankDocument.h"

#include "sections/DecodeSequenceData.h"

TEST(DecodeSequenceData, DefaultsFillEveryRecord)
{
    BlankDocument b;
    CDecodeSequenceData(b.doc).SetDefaults();
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(bytesAt(b.image(), 0xD100 + 14 * n, 14), "00 00 01 02 03 04 05 FF FF FF FF FF FF FF") << n;
    EXPECT_EQ(b.image()[0xD0FF], 0xFF);
    EXPECT_EQ(b.image()[0xD154], 0xFF);
}

TEST(DecodeSequenceData, FieldsOfOneRecordAndRefusedRecords)
{
    BlankDocument b;
    CDecodeSequenceData seq(b.doc);
    EXPECT_EQ(seq.GetRxSignaling(6), 1);  // any byte but 0 shows entry 1
    EXPECT_TRUE(seq.SetRxSignaling(6, 0));
    EXPECT_FALSE(seq.SetRxSignaling(6, 2));
    EXPECT_TRUE(seq.SetDecodeType(6, 3));
    EXPECT_EQ(bytesAt(b.image(), 0xD146, 2), "00 03");

    seq.SetSequence(6, QStringLiteral("9aFg1"));
    EXPECT_EQ(bytesAt(b.image(), 0xD148, 12), "09 0A 0F FF FF FF FF FF FF FF FF FF");
    EXPECT_EQ(seq.GetSequence(6), "9AF");
    seq.SetSequence(6, QStringLiteral("0123456789ABCDEF"));
    EXPECT_EQ(seq.GetSequence(6), "0123456789AB");
    EXPECT_EQ(b.image()[0xD154], 0xFF);
    b.image()[0xD14A] = 0x10;
    EXPECT_EQ(seq.GetSequence(6), "01");

    const auto before = b.snapshot();
    EXPECT_FALSE(seq.SetSequence(7, QStringLiteral("1")));
    EXPECT_FALSE(seq.SetRxSignaling(0, 0));
    EXPECT_FALSE(seq.SetDecodeType(7, 0));
    EXPECT_TRUE(b.unchangedSince(before));
    EXPECT_EQ(seq.GetSequence(0), "");
}
