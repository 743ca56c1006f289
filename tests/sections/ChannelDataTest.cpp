#include "BlankDocument.h"

#include "sections/ChannelData.h"

namespace {
using Dir = CChannelData::Direction;

constexpr int kZone1 = 0x0280;
constexpr int kZone2 = 0x02B0;
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
    BlankDocument b;
    CChannelData(b.doc).SetDefaults();
    const uint8_t *img = b.image();

    EXPECT_EQ(bytesAt(img, kZone1, 1), "01");
    EXPECT_TRUE(allBytesAre(img, kZone1 + 1, kZone1 + 16, 0xFF));
    EXPECT_EQ(bytesAt(img, kZone1 + 16, 1), "01");
    EXPECT_EQ(bytesAt(img, kZone1 + 17, 12), utf16Bytes("Zone 1"));
    EXPECT_TRUE(allBytesAre(img, kZone1 + 29, kZone1 + 45, 0x00));
    EXPECT_TRUE(allBytesAre(img, kZone1 + 45, kZone2, 0xFF));
    EXPECT_TRUE(allBytesAre(img, kZone2, kChannel11, 0xFF));

    const QString band = bcdBytes(b.doc.lowerBandLimit());
    EXPECT_EQ(bytesAt(img, kChannel11, 4), band);
    EXPECT_EQ(bytesAt(img, kChannel11 + 4, 4), band);
    EXPECT_TRUE(allBytesAre(img, kChannel11 + 8, kChannel11 + 20, 0xFF));  // tones, coefficients
    EXPECT_EQ(bytesAt(img, kChannel11 + 20, 9), "7F 01 01 01 01 DF FF FF FF");
    EXPECT_EQ(bytesAt(img, kChannel11 + 29, 18), utf16Bytes("Channel 1"));
    EXPECT_TRUE(allBytesAre(img, kChannel11 + 47, kChannel11 + 57, 0x00));
    EXPECT_TRUE(allBytesAre(img, kChannel11 + 57, kChannel11 + 64, 0xFF));
    EXPECT_TRUE(allBytesAre(img, kChannel12, 0x4580, 0xFF));

    CChannelData ch(b.doc);
    EXPECT_EQ(ch.GetChannelMode(1, 1), 3);
    EXPECT_EQ(ch.GetPower(1, 1), 2);
    EXPECT_EQ(ch.GetBandwidth(1, 1), 3);
    EXPECT_EQ(ch.GetBclMode(1, 1), 2);
    EXPECT_EQ(ch.GetPoliteMode(1, 1), 3);
    EXPECT_EQ(ch.GetTailReversalPhase(1, 1), 1);
    EXPECT_TRUE(ch.GetTurnOffCode(1, 1));
    EXPECT_EQ(ch.CountZones(), 1);
    EXPECT_EQ(ch.CountChannels(1), 1);
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

TEST(ChannelData, ModeBytePackingKeepsForeignBits)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    const int at = kChannel11 + 20;
    ch.SetChannelMode(1, 1, -4);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "F8");
    ch.SetPower(1, 1, 0);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "E8");
    ch.SetBandwidth(1, 1, 0);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "88");
    ch.SetAutoScan(1, 1, false);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "08");
    ch.SetBandwidth(1, 1, 2);
    ch.SetChannelMode(1, 1, 2);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "4E");
    EXPECT_EQ(ch.GetChannelMode(1, 1), 2);
    EXPECT_EQ(ch.GetPower(1, 1), 0);
    EXPECT_EQ(ch.GetBandwidth(1, 1), 2);
    EXPECT_FALSE(ch.GetAutoScan(1, 1));

    ch.SetPower(1, 1, 3);        // out of range: refused
    ch.SetChannelMode(1, 1, 4);  // out of range: refused
    EXPECT_EQ(bytesAt(b.image(), at, 1), "4E");
}

TEST(ChannelData, SignallingAndTypeBitsKeepForeignBits)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    const int at = kChannel11 + 25;
    b.fill(at, 1, 0x00);
    ch.SetBclMode(1, 1, 1);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "02");
    ch.SetPoliteMode(1, 1, 0);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "12");
    ch.SetBeatShift(1, 1, true);
    ch.SetTurnOffCode(1, 1, true);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "B2");
    ch.SetTailReversalPhase(1, 1, 1);
    ch.SetBeatShift(1, 1, false);
    EXPECT_EQ(bytesAt(b.image(), at, 1), "D2");
    EXPECT_EQ(ch.GetBclMode(1, 1), 1);
    EXPECT_EQ(ch.GetPoliteMode(1, 1), 0);

    b.fill(kChannel11 + 27, 1, 0xA4);
    ch.SetChannelType(1, 1, 1);
    EXPECT_EQ(bytesAt(b.image(), kChannel11 + 27, 1), "A5");
    ch.SetChannelType(1, 1, 0);
    EXPECT_EQ(bytesAt(b.image(), kChannel11 + 27, 1), "A4");
}

TEST(ChannelData, OutOfRangeStoredValuesReadAsFallbacks)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    const int at = kChannel11;
    b.image()[at + 20] = 0x02;  // mode 2 stored: below 4, power bits 0
    EXPECT_EQ(ch.GetChannelMode(1, 1), -2);
    EXPECT_EQ(ch.GetPower(1, 1), 2);
    b.image()[at + 25] = 0x0C;  // BCL bits 0, polite stored 3
    EXPECT_EQ(ch.GetBclMode(1, 1), -1);
    EXPECT_EQ(ch.GetPoliteMode(1, 1), -4);

    for (uint8_t stored : {uint8_t(0x00), uint8_t(0x41), uint8_t(0xFF)}) {
        b.image()[at + 21] = stored;
        EXPECT_EQ(ch.GetRxColourCode(1, 1), 0) << int(stored);
    }
    b.image()[at + 22] = 64;
    EXPECT_EQ(ch.GetTxColourCode(1, 1), 63);

    b.image()[at + 23] = 17;
    b.image()[at + 24] = 200;
    b.image()[at + 26] = 0x00;
    b.image()[at + 59] = 7;
    EXPECT_EQ(ch.GetRxGroupList(1, 1), 0);
    EXPECT_EQ(ch.GetContact(1, 1), 200);
    EXPECT_EQ(ch.GetScanList(1, 1), 0);
    EXPECT_EQ(ch.GetDecodeSequence(1, 1), 0);
    b.image()[at + 24] = 201;
    EXPECT_EQ(ch.GetContact(1, 1), 0);

    for (uint8_t stored : {uint8_t(0x00), uint8_t(17), uint8_t(0xFF)}) {
        b.image()[kZone1 + 16] = stored;
        EXPECT_EQ(ch.GetZoneChannelCount(1), 0) << int(stored);
    }
}

TEST(ChannelData, EncodingsRoundTripAtTheirOffsets)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    ch.SetFrequency(1, 2, Dir::Receive, QStringLiteral("434.125"));
    ch.SetFrequency(1, 2, Dir::Transmit, QStringLiteral("433.003125"));
    EXPECT_EQ(bytesAt(b.image(), kChannel12, 8), "00 25 41 43 12 03 30 43");
    EXPECT_EQ(ch.GetFrequency(1, 2, Dir::Receive), "434.125000");
    EXPECT_EQ(ch.GetFrequency(1, 2, Dir::Transmit), "433.003125");

    ch.SetTone(1, 2, Dir::Receive, QStringLiteral("67.0"));
    ch.SetTone(1, 2, Dir::Transmit, QStringLiteral("D023N"));
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 8, 4), "70 06 23 80");
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 12, 8), "90 00 85 04 20 01 22 0C");
    EXPECT_EQ(ch.GetTone(1, 2, Dir::Receive), "67.0");
    EXPECT_EQ(ch.GetTone(1, 2, Dir::Transmit), "D023N");
    EXPECT_EQ(ch.GetToneCoefficients(1, 2, Dir::Receive).second, 1157);

    ch.SetChannelName(1, 2, QStringLiteral("A name of twenty ch"));
    EXPECT_EQ(ch.GetChannelName(1, 2), "A name of twen");
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 29, 2), "41 00");
    ch.SetZoneName(2, QStringLiteral("North"));
    EXPECT_EQ(bytesAt(b.image(), kZone2 + 17, 10), utf16Bytes("North"));

    ch.SetContact(1, 2, 150);
    ch.SetEncrypt(1, 2, 0);
    ch.SetPttOfflineCode(1, 2, 16);
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 24, 1), "96");
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 28, 1), "FF");
    EXPECT_EQ(bytesAt(b.image(), kChannel12 + 58, 1), "10");
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

TEST(ChannelData, RecordNumbersOutsideTheListsAreRefused)
{
    BlankDocument b;  // RQ381: two zone slots
    CChannelData ch(b.doc);
    b.fill(channelAt(3, 1), 64, 0x00);
    b.fill(kZone1 + 96, 48, 0x00);  // zone 3
    const auto before = b.snapshot();
    for (auto [zone, channel] : std::initializer_list<std::pair<int, int>>{{0, 1}, {3, 1}, {1, 0}, {1, 17}, {-1, -1}}) {
        ch.SetChannelName(zone, channel, QStringLiteral("X"));
        ch.SetFrequency(zone, channel, Dir::Receive, QStringLiteral("434.125"));
        ch.SetTone(zone, channel, Dir::Transmit, QStringLiteral("67.0"));
        ch.SetChannelMode(zone, channel, 2);
        ch.SetContact(zone, channel, 1);
        ch.InitChannel(zone, channel);
        ch.ClearChannelRecord(zone, channel);
        EXPECT_EQ(ch.GetChannelName(zone, channel), QString());
        EXPECT_EQ(ch.GetFrequencyUnits(zone, channel, Dir::Receive), -1);
        EXPECT_EQ(ch.GetChannelMode(zone, channel), -4);
    }
    ch.SetZoneName(3, QStringLiteral("Zone 3"));
    ch.SetZoneChannelCount(3, 1);
    ch.SetZoneSlot(1, 17, 1);
    ch.ClearZoneRecord(0);
    ch.ClearChannelBlock(3);
    ch.CopyChannelBlock(1, 3);
    EXPECT_TRUE(b.unchangedSince(before));
    EXPECT_EQ(ch.GetZoneName(3), QString());

    BlankDocument wide(QStringLiteral("VK214"));
    CChannelData all(wide.doc);
    all.SetChannelName(16, 16, QStringLiteral("Last"));
    EXPECT_EQ(bytesAt(wide.image(), 0x4540 + 29, 2), "4C 00");
    EXPECT_EQ(all.GetChannelName(16, 16), "Last");
}

TEST(ChannelData, CountingStopsAtTheFirstGap)
{
    BlankDocument b(QStringLiteral("VK214"));
    CChannelData ch(b.doc);
    for (int zone : {1, 2, 4})
        ch.SetZoneName(zone, QStringLiteral("Z%1").arg(zone));
    for (int channel : {1, 2, 3, 5})
        ch.SetChannelName(2, channel, QStringLiteral("C%1").arg(channel));
    EXPECT_EQ(ch.CountZones(), 2);
    EXPECT_EQ(ch.CountChannels(2), 3);
    EXPECT_EQ(ch.CountChannels(3), 0);
    for (int channel = 1; channel <= 16; ++channel)
        ch.SetChannelName(1, channel, QStringLiteral("C%1").arg(channel));
    EXPECT_EQ(ch.CountChannels(1), 16);
}

TEST(ChannelData, RecordCopiesAndClears)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    ch.SetDefaults();
    ch.SetChannelName(1, 2, QStringLiteral("Target"));
    ch.SetTone(1, 1, Dir::Receive, QStringLiteral("D754I"));
    ch.SetScanList(1, 1, 3);
    ch.SetPoliteMode(1, 1, 1);
    ch.CopyChannelSettings(1, 1, 1, 2);
    EXPECT_EQ(ch.GetChannelName(1, 2), "Target");
    EXPECT_EQ(bytesAt(b.image(), kChannel12, 28), bytesAt(b.image(), kChannel11, 28));
    EXPECT_EQ(ch.GetScanList(1, 2), 3);
    EXPECT_EQ(ch.GetPoliteMode(1, 2), 1);
    EXPECT_EQ(ch.GetRxGroupList(1, 2), 1);

    ch.CopyZoneRecord(1, 2);
    EXPECT_EQ(bytesAt(b.image(), kZone2, 48), bytesAt(b.image(), kZone1, 48));
    ch.CopyChannelBlock(1, 2);
    EXPECT_EQ(ch.GetChannelName(2, 2), "Target");
    ch.ClearChannelRecord(2, 2);
    EXPECT_TRUE(allBytesAre(b.image(), channelAt(2, 2), channelAt(2, 3), 0x00));
    EXPECT_EQ(ch.GetChannelName(2, 1), "Channel 1");
    ch.ClearChannelBlock(2);
    EXPECT_TRUE(allBytesAre(b.image(), channelAt(2, 1), channelAt(3, 1), 0x00));
    EXPECT_EQ(bytesAt(b.image(), channelAt(3, 1), 1), "FF");
    ch.ClearZoneRecord(2);
    EXPECT_TRUE(allBytesAre(b.image(), kZone2, kZone2 + 48, 0x00));
    EXPECT_EQ(ch.GetZoneName(1), "Zone 1");
}

TEST(ChannelData, ColourCodeFollowsTheFrequency)
{
    EXPECT_EQ(CChannelData::ColourCodeForFrequencyText(QStringLiteral("434.125000")), 20);
    EXPECT_EQ(CChannelData::ColourCodeForFrequencyText(QStringLiteral("400.00000")), 0);
    EXPECT_EQ(CChannelData::ColourCodeForFrequencyText(QString()), 0);
    BlankDocument b;
    CChannelData ch(b.doc);
    ch.SetFrequency(1, 1, Dir::Transmit, QStringLiteral("434.125"));
    EXPECT_EQ(ch.ColourCodeForFrequency(1, 1, Dir::Transmit), 20);
}
