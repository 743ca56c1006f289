#include "BlankDocument.h"

#include "sections/EncodeSequenceData.h"

TEST(EncodeSequenceData, DefaultsFillEveryRecord)
{
    BlankDocument b;
    CEncodeSequenceData(b.doc).SetDefaults();
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(bytesAt(b.image(), 0x7150 + 13 * n, 13), "05 21 43 F5 FF FF FF FF FF FF FF FF 00") << n;
    EXPECT_EQ(b.image()[0x714F], 0xFF);
    EXPECT_EQ(b.image()[0x7220], 0xFF);
}

TEST(EncodeSequenceData, DtmfForm)
{
    BlankDocument b;
    CEncodeSequenceData seq(b.doc);
    seq.SetDtmfSequence(2, QStringLiteral("12*#"));
    EXPECT_EQ(bytesAt(b.image(), 0x715D, 13), "04 21 FE FF FF FF FF FF FF FF FF FF FF");
    EXPECT_EQ(seq.GetDtmfSequence(2), "12*#");

    seq.SetDtmfSequence(2, QStringLiteral("12x45"));
    EXPECT_EQ(bytesAt(b.image(), 0x715D, 3), "02 21 FF");
    seq.SetDtmfSequence(2, QStringLiteral("abcd"));
    EXPECT_EQ(seq.GetDtmfSequence(2), "ABCD");

    seq.SetDtmfSequence(2, QStringLiteral("1234567890123456789012345"));
    EXPECT_EQ(seq.GetDtmfSequence(2), "12345678901234567890");
    EXPECT_EQ(bytesAt(b.image(), 0x715D + 11, 2), "FF FF");  // last byte and the type untouched

    b.image()[0x715D] = 21;  // a count the record cannot hold
    EXPECT_EQ(seq.GetDtmfSequence(2), "");
}

TEST(EncodeSequenceData, FiveToneFormTypeSwitchAndRefusedRecords)
{
    BlankDocument b;
    CEncodeSequenceData seq(b.doc);
    EXPECT_TRUE(seq.SetSequenceType(16, CEncodeSequenceData::kFiveTone));
    seq.SetSequence(16, QStringLiteral("12g4R"));
    EXPECT_EQ(bytesAt(b.image(), 0x7213, 13), "01 02 11 04 12 FF FF FF FF FF FF FF 01");
    EXPECT_EQ(seq.GetSequence(16), "12G4R");
    seq.SetFiveToneSequence(16, QStringLiteral("0123456789ABCDEF"));
    EXPECT_EQ(seq.GetSequence(16), "0123456789AB");
    b.image()[0x7213 + 3] = 16;  // not a symbol: ends the text
    EXPECT_EQ(seq.GetSequence(16), "012");

    seq.SetSequenceType(16, CEncodeSequenceData::kDtmf);
    seq.ResetSequence(16);
    EXPECT_EQ(bytesAt(b.image(), 0x7213, 5), "05 21 43 F5 FF");
    b.image()[0x7213 + 12] = 0x07;  // an unknown type reads as DTMF
    EXPECT_EQ(seq.GetSequenceType(16), CEncodeSequenceData::kDtmf);

    const auto before = b.snapshot();
    EXPECT_FALSE(seq.SetDtmfSequence(0, QStringLiteral("1")));
    EXPECT_FALSE(seq.SetFiveToneSequence(17, QStringLiteral("1")));
    EXPECT_FALSE(seq.SetSequenceType(17, 1));
    EXPECT_FALSE(seq.SetSequenceType(1, 2));
    EXPECT_TRUE(b.unchangedSince(before));
    EXPECT_EQ(seq.GetSequence(0), "");
}
