#include "BlankDocument.h"

#include "sections/ChannelData.h"

namespace {
using Dir = CChannelData::Direction;

constexpr int kZone1 = 0x0280;
constexpr int kChannel11 = 0x0580;  // zone 1, channel 1
constexpr int kChannel12 = 0x05C0;  // zone 1, channel 2

int channelAt(int zone, int channel) { return 0x0140 + 1024 * zone + 64 * channel; }

// The BCD bytes of a 10 Hz count, low byte first, built digit by digit.
QString bcdBytes(qint32 units)
{
    const QString d = QStringLiteral("%1").arg(units, 8, 10, QLatin1Char('0'));
    return QStringLiteral("%1 %2 %3 %4").arg(d.mid(6, 2), d.mid(4, 2), d.mid(2, 2), d.mid(0, 2));
}
}  // namespace

TEST(ChannelData, DefaultsWriteZoneOneAndChannelOneOnly)
{
    BlankDocument b(QStringLiteral("VK214"));
    CChannelData ch(b.doc);
    ch.SetDefaults();
    const uint8_t *img = b.image();

    EXPECT_EQ(bytesAt(img, kZone1, 1), "01");
    EXPECT_TRUE(allBytesAre(img, kZone1 + 1, kZone1 + 16, 0xFF));
    EXPECT_EQ(bytesAt(img, kZone1 + 16, 1), "01");
    EXPECT_EQ(bytesAt(img, kZone1 + 17, 12), utf16Bytes("Zone 1"));
    EXPECT_TRUE(allBytesAre(img, kZone1 + 29, kZone1 + 45, 0x00));
    EXPECT_TRUE(allBytesAre(img, kZone1 + 45, kChannel11, 0xFF));

    const QString band = bcdBytes(b.doc.lowerBandLimit());
    EXPECT_EQ(bytesAt(img, kChannel11, 8), band + " " + band);
    EXPECT_TRUE(allBytesAre(img, kChannel11 + 8, kChannel11 + 20, 0xFF));  // no tones
    // Mode 3, power 2, bandwidth 3; colour codes 0; RX group 1; contact 1;
    // BCL 2, polite 3, phase 1, turn-off code on; no scan list; type 1; no key.
    EXPECT_EQ(bytesAt(img, kChannel11 + 20, 9), "7F 01 01 01 01 DF FF FF FF");
    EXPECT_EQ(bytesAt(img, kChannel11 + 29, 18), utf16Bytes("Channel 1"));
    EXPECT_TRUE(allBytesAre(img, kChannel11 + 47, kChannel11 + 57, 0x00));
    EXPECT_TRUE(allBytesAre(img, kChannel11 + 57, 0x4580, 0xFF));

    // Counting stops at the first unnamed zone or channel.
    for (int n : {3, 4, 6})
        ch.SetChannelName(1, n, QStringLiteral("C%1").arg(n));
    ch.SetZoneName(3, QStringLiteral("Z3"));
    EXPECT_EQ(ch.CountZones(), 1);
    EXPECT_EQ(ch.CountChannels(1), 1);
    ch.SetChannelName(1, 2, QStringLiteral("C2"));
    EXPECT_EQ(ch.CountChannels(1), 4);
}

TEST(ChannelData, InitChannelOnZeroedRecordRecordsItInItsZone)
{
    BlankDocument b;
    b.fill(kZone1, 48, 0x00);
    b.fill(channelAt(1, 5), 64, 0x00);
    CChannelData ch(b.doc);
    ch.InitChannel(1, 5);
    const int at = channelAt(1, 5);
    EXPECT_EQ(ch.GetZoneChannelCount(1), 5);
    EXPECT_EQ(ch.GetZoneSlot(1, 5), 5);
    EXPECT_EQ(ch.GetZoneSlot(1, 4), 0);  // other slots untouched
    EXPECT_EQ(bytesAt(b.image(), at + 20, 9), "7F 01 01 01 01 DF FF 01 FF");  // +27 keeps bits 1-7
    EXPECT_TRUE(allBytesAre(b.image(), at + 29, at + 57, 0x00));               // name not written
    EXPECT_TRUE(allBytesAre(b.image(), at + 60, at + 64, 0x00));
    EXPECT_EQ(ch.GetFrequencyUnits(1, 5, Dir::Transmit), b.doc.lowerBandLimit());
}

TEST(ChannelData, BitFieldsKeepTheOtherBitsAndRefuseValuesOutOfRange)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    const uint8_t *mode = b.image() + kChannel11 + 20;
    ch.SetChannelMode(1, 1, 2);  // stored 6
    ch.SetPower(1, 1, 0);        // stored 1
    ch.SetBandwidth(1, 1, 2);
    EXPECT_EQ(bytesAt(mode, 0, 1), "CE");  // auto scan (bit 7) kept
    ch.SetPower(1, 1, 3);
    ch.SetChannelMode(1, 1, 4);
    ch.SetBandwidth(1, 1, 4);
    ch.SetAutoScan(1, 1, false);
    EXPECT_EQ(bytesAt(mode, 0, 1), "4E");

    b.fill(kChannel11 + 25, 1, 0x00);
    ch.SetBclMode(1, 1, 1);      // stored 2
    ch.SetPoliteMode(1, 1, 0);   // stored 4
    ch.SetBeatShift(1, 1, true);
    ch.SetTurnOffCode(1, 1, true);
    ch.SetTailReversalPhase(1, 1, 1);
    ch.SetBeatShift(1, 1, false);
    ch.SetTailReversalPhase(1, 1, 2);
    EXPECT_EQ(bytesAt(mode, 5, 1), "D2");
}

TEST(ChannelData, StoredValuesOutsideTheirRangesReadAsFallbacks)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    uint8_t *record = b.image() + kChannel11;
    record[20] = 0x02;  // mode stored 2 (below 4), power bits 0
    record[25] = 0x0C;  // BCL bits 0, polite stored 3
    EXPECT_EQ(ch.GetChannelMode(1, 1), -2);
    EXPECT_EQ(ch.GetPower(1, 1), 2);
    EXPECT_EQ(ch.GetBclMode(1, 1), -1);
    EXPECT_EQ(ch.GetPoliteMode(1, 1), -4);
    for (uint8_t stored : {0x00, 0x41, 0xFF}) {
        record[21] = stored;
        EXPECT_EQ(ch.GetRxColourCode(1, 1), 0) << int(stored);
    }
    record[22] = 64;
    EXPECT_EQ(ch.GetTxColourCode(1, 1), 63);
    record[59] = 7;  // decode sequences end at 6
    EXPECT_EQ(ch.GetDecodeSequence(1, 1), 0);
    for (uint8_t stored : {0x00, 17, 0xFF}) {
        b.image()[kZone1 + 16] = stored;
        EXPECT_EQ(ch.GetZoneChannelCount(1), 0) << int(stored);
    }
}

TEST(ChannelData, EncodedFieldsAtTheirOffsetsAndTheColourCodeOfAFrequency)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    ch.SetFrequency(1, 2, Dir::Receive, QStringLiteral("434.125"));
    ch.SetFrequency(1, 2, Dir::Transmit, QStringLiteral("433.003125"));
    EXPECT_EQ(bytesAt(b.image(), kChannel12, 8), "00 25 41 43 12 03 30 43");
    EXPECT_EQ(ch.GetFrequency(1, 2, Dir::Transmit), "433.003125");
    EXPECT_EQ(ch.ColourCodeForFrequency(1, 2, Dir::Receive), 20);  // 434.125 MHz
    EXPECT_EQ(CChannelData::ColourCodeForFrequencyText(QString()), 0);
    // The tree's record index of a channel, and back.
    EXPECT_EQ(CChannelData::RecordIndexOf(2, 3), 18);
    EXPECT_EQ(CChannelData::ChannelOfRecordIndex(18), (ChannelRef{2, 3}));
    EXPECT_EQ(CChannelData::ChannelOfRecordIndex(-1), (ChannelRef{1, 1}));

    ch.SetTone(1, 2, Dir::Receive, QStringLiteral("67.0"));
    ch.SetTone(1, 2, Dir::Transmit, QStringLiteral("D023N"));
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 8, 12), "70 06 23 80 90 00 85 04 20 01 22 0C");
    EXPECT_EQ(ch.GetTone(1, 2, Dir::Transmit), "D023N");

    ch.SetPttOfflineCode(1, 2, 16);
    ch.SetDecodeSequence(1, 2, 6);
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 57, 4), "FF 10 06 FF");
}

TEST(ChannelData, NoToneReadsAsTheLanguageNoneText)
{
    BlankDocument b;
    b.cfg.writeFile(b.cfg.settings().languageName() + QStringLiteral(".lang"),
                    "[String]\nIDS_NONE=Off\n");
    CChannelData ch(b.doc);
    EXPECT_EQ(ch.GetTone(1, 1, Dir::Receive), "Off");
    ch.SetTone(1, 1, Dir::Receive, QStringLiteral("67.0"));
    ch.SetTone(1, 1, Dir::Receive, ch.NoneText());
    EXPECT_TRUE(allBytesAre(b.image(), kChannel11 + 8, kChannel11 + 10, 0xFF));
    EXPECT_TRUE(allBytesAre(b.image(), kChannel11 + 12, kChannel11 + 16, 0xFF));
}

// Pasting a channel copies every setting as stored, even a tone code the
// text form could not carry, and keeps the target's name.
TEST(ChannelData, CopiedSettingsKeepTheStoredBytesAndTheTargetName)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    ch.SetDefaults();
    ch.SetChannelName(1, 2, QStringLiteral("Target"));
    b.image()[kChannel11 + 10] = 0x89;  // transmit tone: a DCS code with a non-octal digit
    b.image()[kChannel11 + 11] = 0x80;
    ch.SetScanList(1, 1, 3);
    ch.CopyChannelSettings(1, 1, 1, 2);
    EXPECT_EQ(ch.GetChannelName(1, 2), "Target");
    EXPECT_EQ(bytesAt(b.image(), kChannel12, 29), bytesAt(b.image(), kChannel11, 29));
}
