// Repeater lists as directories and analog programming tools export them,
// appended as analog channels; and the channels CSV appended.

#include "CliRun.h"
#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/ListMaintenance.h"
#include "sections/ListRules.h"
#include "text/ChannelsCsv.h"
#include "text/CsvTable.h"
#include "text/RepeaterCsv.h"

#include <QDir>
#include <QMap>
#include <gtest/gtest.h>

namespace {

using Dir = CChannelData::Direction;

const QStringList kHeader = QStringLiteral("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                                           "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE")
                                .split(u',');
// The older form: no RxDtcsCode, CrossMode or Power.
const QStringList kOldHeader = QStringLiteral("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                                              "Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE")
                                   .split(u',');

using Row = QMap<QString, QString>;

// A list with the given cells; the others as such tools write them for a
// plain FM simplex channel.
QByteArray listOf(const QList<Row> &rows, const QStringList &header = kHeader)
{
    const Row plain{{QStringLiteral("Offset"), QStringLiteral("0.000000")}, {QStringLiteral("rToneFreq"), QStringLiteral("88.5")},
                    {QStringLiteral("cToneFreq"), QStringLiteral("88.5")},  {QStringLiteral("DtcsCode"), QStringLiteral("023")},
                    {QStringLiteral("DtcsPolarity"), QStringLiteral("NN")}, {QStringLiteral("RxDtcsCode"), QStringLiteral("023")},
                    {QStringLiteral("CrossMode"), QStringLiteral("Tone->Tone")}, {QStringLiteral("Mode"), QStringLiteral("FM")},
                    {QStringLiteral("TStep"), QStringLiteral("5.00")}};
    QList<QStringList> cells;
    for (int r = 0; r < rows.size(); ++r) {
        QStringList line;
        for (const QString &column : header)
            line << (column == QLatin1String("Location") ? QString::number(r) : rows[r].value(column, plain.value(column)));
        cells << line;
    }
    return CsvTable::write(header, cells);
}

Row channel(const QString &name, const QString &frequency, const Row &more = {})
{
    Row row = more;
    row.insert(QStringLiteral("Name"), name);
    row.insert(QStringLiteral("Frequency"), frequency);
    return row;
}

struct Stored
{
    QString name, rx, tx, rxTone, txTone;
    int power = -1;
};

Stored storedAt(CPcSoftwareDoc &doc, int zone, int c)
{
    const CChannelData channels(doc);
    return Stored{channels.GetChannelName(zone, c),
                  channels.GetFrequency(zone, c, Dir::Receive),
                  channels.GetFrequency(zone, c, Dir::Transmit),
                  channels.GetPrintedTone(zone, c, Dir::Receive, QStringLiteral("none")),
                  channels.GetPrintedTone(zone, c, Dir::Transmit, QStringLiteral("none")),
                  channels.GetPower(zone, c)};
}

QString summaryOf(const RepeaterCsv::Report &report)
{
    return (report.error + u'\n' + report.summary().join(u'\n') + u'\n' + report.warnings.join(u'\n'));
}

}

TEST(RepeaterCsv, EachDuplexAndToneModeGivesItsFrequenciesAndTones)
{
    TestDocument t(QStringLiteral("VK214"));
    const Row tone{{QStringLiteral("Tone"), QStringLiteral("Tone")}, {QStringLiteral("rToneFreq"), QStringLiteral("100.0")},
                   {QStringLiteral("cToneFreq"), QStringLiteral("110.9")}};
    const auto cross = [&](const char *mode) {
        Row row = tone;
        row.insert(QStringLiteral("Tone"), QStringLiteral("Cross"));
        row.insert(QStringLiteral("CrossMode"), QString::fromLatin1(mode));
        row.insert(QStringLiteral("DtcsCode"), QStringLiteral("754"));
        row.insert(QStringLiteral("RxDtcsCode"), QStringLiteral("25"));
        row.insert(QStringLiteral("DtcsPolarity"), QStringLiteral("RN"));
        return row;
    };
    const QList<Row> rows{
        channel(QStringLiteral("Simplex"), QStringLiteral("434.125000")),
        channel(QStringLiteral("Plus"), QStringLiteral("438.650000"), {{QStringLiteral("Duplex"), QStringLiteral("+")}, {QStringLiteral("Offset"), QStringLiteral("1.600000")}}),
        channel(QStringLiteral("Minus"), QStringLiteral("439.0125"), {{QStringLiteral("Duplex"), QStringLiteral("-")}, {QStringLiteral("Offset"), QStringLiteral("7.6")}}),
        channel(QStringLiteral("Split"), QStringLiteral("433.003125"), {{QStringLiteral("Duplex"), QStringLiteral("split")}, {QStringLiteral("Offset"), QStringLiteral("445.500000")}}),
        channel(QStringLiteral("Tone"), QStringLiteral("435.0"), tone),
        channel(QStringLiteral("TSQL"), QStringLiteral("435.1"), {{QStringLiteral("Tone"), QStringLiteral("TSQL")}, {QStringLiteral("cToneFreq"), QStringLiteral("254.1")}}),
        channel(QStringLiteral("DTCS NR"), QStringLiteral("435.2"), {{QStringLiteral("Tone"), QStringLiteral("DTCS")}, {QStringLiteral("DtcsCode"), QStringLiteral("754")}, {QStringLiteral("DtcsPolarity"), QStringLiteral("NR")}, {QStringLiteral("RxDtcsCode"), QStringLiteral("023")}}),
        channel(QStringLiteral("T->T"), QStringLiteral("435.3"), cross("Tone->Tone")),
        channel(QStringLiteral("T->D"), QStringLiteral("435.4"), cross("Tone->DTCS")),
        channel(QStringLiteral("D->T"), QStringLiteral("435.5"), cross("DTCS->Tone")),
        channel(QStringLiteral("->T"), QStringLiteral("435.6"), cross("->Tone")),
        channel(QStringLiteral("->D"), QStringLiteral("435.7"), cross("->DTCS")),
        channel(QStringLiteral("D->"), QStringLiteral("435.8"), cross("DTCS->")),
        channel(QStringLiteral("T->"), QStringLiteral("435.9"), cross("Tone->")),
        channel(QStringLiteral("D->D"), QStringLiteral("436.0"), cross("DTCS->DTCS")),
    };
    RepeaterCsv::Options options;
    options.zoneBaseName = QStringLiteral("Repeaters");
    const RepeaterCsv::Report report = RepeaterCsv::importText(listOf(rows), *t.doc, options);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    EXPECT_EQ(report.added, 15);
    EXPECT_EQ(report.zones, QStringList{QStringLiteral("Repeaters")});
    EXPECT_TRUE(report.skipped.isEmpty()) << summaryOf(report).toStdString();

    // Zone 1 is the codeplug's own; the list is a new zone behind it.
    const CChannelData channels(*t.doc);
    ASSERT_EQ(channels.CountZones(), 2);
    EXPECT_EQ(channels.GetZoneName(2), QStringLiteral("Repeaters"));
    ASSERT_EQ(channels.CountChannels(2), 15);
    struct Expected
    {
        const char *rx, *tx, *rxTone, *txTone;
    };
    const QList<Expected> expected{
        {"434.125000", "434.125000", "none", "none"},   {"438.650000", "440.250000", "none", "none"},
        {"439.012500", "431.412500", "none", "none"},   {"433.003125", "445.500000", "none", "none"},
        {"435.000000", "435.000000", "none", "100.0"},  {"435.100000", "435.100000", "254.1", "254.1"},
        {"435.200000", "435.200000", "D754I", "D754N"}, {"435.300000", "435.300000", "110.9", "100.0"},
        {"435.400000", "435.400000", "D025N", "100.0"}, {"435.500000", "435.500000", "110.9", "D754I"},
        {"435.600000", "435.600000", "110.9", "none"},  {"435.700000", "435.700000", "D025N", "none"},
        {"435.800000", "435.800000", "none", "D754I"},  {"435.900000", "435.900000", "none", "100.0"},
        {"436.000000", "436.000000", "D025N", "D754I"},
    };
    for (int c = 1; c <= 15; ++c) {
        const Stored s = storedAt(*t.doc, 2, c);
        const Expected &e = expected[c - 1];
        EXPECT_EQ(s.name, rows[c - 1].value(QStringLiteral("Name")));
        EXPECT_EQ(s.rx, QLatin1String(e.rx)) << c;
        EXPECT_EQ(s.tx, QLatin1String(e.tx)) << c;
        EXPECT_EQ(s.rxTone, QLatin1String(e.rxTone)) << c;
        EXPECT_EQ(s.txTone, QLatin1String(e.txTone)) << c;
        EXPECT_EQ(channels.GetChannelMode(2, c), CChannelRules::kAnalogMode) << c;
        EXPECT_EQ(channels.GetBandwidth(2, c), CChannelRules::kAnalogBandwidth) << c;
    }
    // The bytes themselves: 434.125 MHz both ways, no tones, then the analog
    // mode byte (mode 2 + 4, power 2 + 1, bandwidth 2); D754I/D754N of "DTCS NR".
    const int simplex = channels.channelOffset(2, 1);
    EXPECT_EQ(bytesAt(t.image(), simplex, 12), QStringLiteral("00 25 41 43 00 25 41 43 FF FF FF FF"));
    EXPECT_EQ(bytesAt(t.image(), simplex + 20, 1), QStringLiteral("5E"));
    EXPECT_EQ(bytesAt(t.image(), channels.channelOffset(2, 7) + 8, 4), QStringLiteral("54 C7 54 87"));
    // The colour codes follow the frequencies, as after any frequency entry.
    EXPECT_EQ(channels.GetRxColourCode(2, 1), CChannelData::ColourCodeForFrequencyText(QStringLiteral("434.125")));
}

TEST(RepeaterCsv, RowsTheRadioCannotWorkAreCountedByReasonAndTheRestAdded)
{
    TestDocument t(QStringLiteral("VK214"));
    const auto mode = [](const char *m) { return Row{{QStringLiteral("Mode"), QString::fromLatin1(m)}}; };
    const QList<Row> rows{
        channel(QStringLiteral("Good NFM"), QStringLiteral("438.5"), mode("NFM")),
        channel(QStringLiteral("Air"), QStringLiteral("438.5"), mode("AM")),
        channel(QStringLiteral("DV"), QStringLiteral("438.5"), mode("DV")),
        channel(QStringLiteral("DMR"), QStringLiteral("438.5"), mode("DMR")),
        channel(QStringLiteral("Sideband"), QStringLiteral("438.5"), mode("USB")),
        channel(QStringLiteral("VHF"), QStringLiteral("145.500000")),
        channel(QStringLiteral("TX out"), QStringLiteral("469.9"), {{QStringLiteral("Duplex"), QStringLiteral("+")}, {QStringLiteral("Offset"), QStringLiteral("5.0")}}),
        channel(QStringLiteral("Listen"), QStringLiteral("438.5"), {{QStringLiteral("Duplex"), QStringLiteral("off")}}),
        channel(QStringLiteral("DCS 999"), QStringLiteral("438.5"), {{QStringLiteral("Tone"), QStringLiteral("DTCS")}, {QStringLiteral("DtcsCode"), QStringLiteral("999")}}),
        channel(QStringLiteral("DCS 024"), QStringLiteral("438.5"), {{QStringLiteral("Tone"), QStringLiteral("Cross")}, {QStringLiteral("CrossMode"), QStringLiteral("->DTCS")}, {QStringLiteral("RxDtcsCode"), QStringLiteral("024")}}),
        channel(QStringLiteral("CTCSS 69.4"), QStringLiteral("438.5"), {{QStringLiteral("Tone"), QStringLiteral("Tone")}, {QStringLiteral("rToneFreq"), QStringLiteral("69.4")}}),
        channel(QStringLiteral("Reverse"), QStringLiteral("438.5"), {{QStringLiteral("Tone"), QStringLiteral("TSQL-R")}}),
        channel(QStringLiteral("Comma"), QStringLiteral("438,5")),
        channel(QStringLiteral("Offset comma"), QStringLiteral("438.5"), {{QStringLiteral("Duplex"), QStringLiteral("-")}, {QStringLiteral("Offset"), QStringLiteral("7,6")}}),
        channel(QStringLiteral("Good FM"), QStringLiteral("438.6")),
    };
    const RepeaterCsv::Report report = RepeaterCsv::importText(listOf(rows), *t.doc);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    EXPECT_EQ(report.added, 2);
    const QMap<QString, int> expected{
        {QStringLiteral("AM"), 1},
        {QStringLiteral("digital voice"), 2},
        {QStringLiteral("mode USB, which the radio lacks"), 1},
        {QStringLiteral("out of band (the codeplug's band is 400.00000 - 470.00000 MHz)"), 2},
        {QStringLiteral("duplex off (transmitting inhibited)"), 1},
        {QStringLiteral("a DCS code the radio lacks"), 2},
        {QStringLiteral("a CTCSS tone the radio lacks"), 1},
        {QStringLiteral("tone mode TSQL-R, which the radio lacks"), 1},
        {QStringLiteral("a decimal comma (146,52: use a point as the decimal mark)"), 2},
    };
    EXPECT_EQ(report.skipped, expected) << summaryOf(report).toStdString();
    EXPECT_TRUE(report.summary().contains(QStringLiteral("skipped 2 row(s): a DCS code the radio lacks")));
    // Without a base name the new zone is named as the zone form names one.
    const CChannelData channels(*t.doc);
    EXPECT_EQ(report.zones, QStringList{QStringLiteral("Zone 2")});
    ASSERT_EQ(channels.CountChannels(2), 2);
    EXPECT_EQ(channels.GetChannelName(2, 1), QStringLiteral("Good NFM"));
    EXPECT_EQ(channels.GetChannelName(2, 2), QStringLiteral("Good FM"));

    // Nothing to take is an error, and nothing changes.
    const QByteArray before = imageOf(*t.doc);
    const RepeaterCsv::Report none = RepeaterCsv::importText(listOf(rows.mid(1, 3)), *t.doc);
    EXPECT_FALSE(none.ok());
    EXPECT_EQ(none.error, QStringLiteral("none of the 3 row(s) could be imported: 1 AM; 2 digital voice"));
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
    for (const QByteArray &text : {QByteArray("Location,Name,Frequency\r\n1,A,438.5\r\n"), listOf({}), QByteArray("Location,\"open")}) {
        const RepeaterCsv::Report bad = RepeaterCsv::importText(text, *t.doc);
        EXPECT_FALSE(bad.ok()) << text.constData();
        EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
    }
}

TEST(RepeaterCsv, NamesAreCutAndMadeUniqueAcrossTheCodeplug)
{
    TestDocument t(QStringLiteral("VK214"));
    CChannelData channels(*t.doc);
    channels.SetChannelName(1, 1, QStringLiteral("Hilltop"));
    const QList<Row> rows{
        channel(QStringLiteral("Hilltop"), QStringLiteral("438.1")),
        channel(QStringLiteral("Hilltop"), QStringLiteral("438.2")),
        channel(QStringLiteral("Mountain Repeater North"), QStringLiteral("438.3")),
        channel(QStringLiteral("Mountain Repeater South"), QStringLiteral("438.4")),
        channel(QStringLiteral(""), QStringLiteral("438.5125")),
        channel(QStringLiteral("Two\nlines\there"), QStringLiteral("438.6")),
    };
    const RepeaterCsv::Report report = RepeaterCsv::importText(listOf(rows), *t.doc);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    QStringList names;
    for (int c = 1; c <= channels.CountChannels(2); ++c)
        names << channels.GetChannelName(2, c);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Hilltop 2"), QStringLiteral("Hilltop 3"), QStringLiteral("Mountain Repea"),
                                  QStringLiteral("Mountain Rep 2"), QStringLiteral("438.5125"), QStringLiteral("Two lines here")}));
    EXPECT_EQ(report.namesCut, 2);
    EXPECT_EQ(report.namesRenamed, 3);

    // The rule itself: within the field, the number always fits.
    EXPECT_EQ(ListRules::uniqueName(QStringLiteral("ABCDEFGHIJKLMNOP"), 14, {QStringLiteral("ABCDEFGHIJKLMN")}),
              QStringLiteral("ABCDEFGHIJKL 2"));
    EXPECT_EQ(ListRules::uniqueName(QStringLiteral("Hill Repeater Long"), 14, {}), QStringLiteral("Hill Repeater"));
    QStringList taken{QStringLiteral("R")};
    for (int n = 2; n <= 10; ++n)
        taken << QStringLiteral("R %1").arg(n);
    EXPECT_EQ(ListRules::uniqueName(QStringLiteral("R"), 14, taken), QStringLiteral("R 11"));
}

TEST(RepeaterCsv, ZonesFillUpAndWhatDoesNotFitIsCounted)
{
    QList<Row> rows;
    for (int i = 0; i < 20; ++i)
        rows << channel(QStringLiteral("R%1").arg(i + 1), QStringLiteral("438.%1").arg(100 + i * 25));
    const QByteArray list = listOf(rows);

    // Sixteen to a zone, named after the file; a taken name is numbered.
    TestDocument vk(QStringLiteral("VK214"));
    CChannelData(*vk.doc).SetZoneName(1, QStringLiteral("Hill"));
    RepeaterCsv::Options options;
    options.zoneBaseName = QStringLiteral("Hill");
    RepeaterCsv::Report report = RepeaterCsv::importText(list, *vk.doc, options);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    EXPECT_EQ(report.zones, (QStringList{QStringLiteral("Hill 2"), QStringLiteral("Hill 3")}));
    EXPECT_EQ(CChannelData(*vk.doc).CountChannels(2), 16);
    EXPECT_EQ(CChannelData(*vk.doc).CountChannels(3), 4);
    EXPECT_EQ(report.summary().value(0), QStringLiteral("added 20 channel(s) in 2 zone(s): Hill 2, Hill 3"));

    // Two zone slots: the second zone takes sixteen, the rest are counted.
    TestDocument rq(QStringLiteral("RQ381"));
    report = RepeaterCsv::importText(list, *rq.doc);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    EXPECT_EQ(report.added, 16);
    EXPECT_EQ(report.skipped, (QMap<QString, int>{{QStringLiteral("no free zone left (the RQ381 has 2 zones)"), 4}}));

    // Into a zone by name: behind its channels, up to sixteen.
    TestDocument into(QStringLiteral("VK214"));
    CListMaintenance(*into.doc).addChannel(1);
    const QByteArray before = imageOf(*into.doc);
    options = RepeaterCsv::Options{};
    options.zone = QStringLiteral("Zone 1");
    report = RepeaterCsv::importText(list, *into.doc, options);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    EXPECT_EQ(report.added, 14);
    EXPECT_EQ(report.skipped, (QMap<QString, int>{{QStringLiteral("beyond the 16 channels of the zone \"Zone 1\""), 6}}));
    const CChannelData channels(*into.doc);
    EXPECT_EQ(channels.CountZones(), 1);
    EXPECT_EQ(channels.GetChannelName(1, 3), QStringLiteral("R1"));
    // The channels it had are as they were.
    EXPECT_EQ(imageOf(*into.doc).mid(channels.channelOffset(1, 1), 2 * CChannelData::kChannelRecordSize),
              before.mid(channels.channelOffset(1, 1), 2 * CChannelData::kChannelRecordSize));
    // A full zone takes nothing: an error, and nothing changes.
    const QByteArray full = imageOf(*into.doc);
    report = RepeaterCsv::importText(list, *into.doc, options);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(firstDifference(imageOf(*into.doc), full), "");
    // A zone of a name the codeplug lacks is made.
    options.zone = QStringLiteral("Local repeaters here");
    report = RepeaterCsv::importText(listOf(rows.mid(0, 2)), *into.doc, options);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    EXPECT_EQ(CChannelData(*into.doc).GetZoneName(2), QStringLiteral("Local repeater"));
    EXPECT_EQ(CChannelData(*into.doc).CountChannels(2), 2);
}

TEST(RepeaterCsv, OlderLayoutsColumnsByNameSemicolonsAndPowerWords)
{
    TestDocument t(QStringLiteral("VK214"));
    // The 18-column form: a cross row without CrossMode is Tone->Tone, and
    // DTCS received uses DtcsCode. Semicolons, columns in another order.
    QStringList header = kOldHeader;
    std::reverse(header.begin(), header.end());
    QByteArray csv = listOf({channel(QStringLiteral("Cross"), QStringLiteral("438.5"),
                                     {{QStringLiteral("Tone"), QStringLiteral("Cross")}, {QStringLiteral("rToneFreq"), QStringLiteral("67.0")},
                                      {QStringLiteral("cToneFreq"), QStringLiteral("71.9")}}),
                             channel(QStringLiteral("DCS"), QStringLiteral("438.6"),
                                     {{QStringLiteral("Tone"), QStringLiteral("DTCS")}, {QStringLiteral("DtcsCode"), QStringLiteral("125")},
                                      {QStringLiteral("DtcsPolarity"), QStringLiteral("RR")}})},
                            header);
    csv.replace(',', ';');
    ASSERT_TRUE(RepeaterCsv::recognises(csv));
    RepeaterCsv::Report report = RepeaterCsv::importText(csv, *t.doc);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    EXPECT_EQ(storedAt(*t.doc, 2, 1).txTone, QStringLiteral("67.0"));
    EXPECT_EQ(storedAt(*t.doc, 2, 1).rxTone, QStringLiteral("71.9"));
    EXPECT_EQ(storedAt(*t.doc, 2, 2).txTone, QStringLiteral("D125I"));
    EXPECT_EQ(storedAt(*t.doc, 2, 2).rxTone, QStringLiteral("D125I"));
    EXPECT_EQ(storedAt(*t.doc, 2, 2).power, 2);  // no Power column: the new channel's

    // Watts: from 4 W high, from 2 W middle, below low; words by their first letter.
    QList<Row> rows;
    const QStringList powers{QStringLiteral("5.0W"), QStringLiteral("2.5W"), QStringLiteral("0.5W"), QStringLiteral("1 W"),
                             QStringLiteral("High"), QStringLiteral("Mid"),  QStringLiteral("low"),  QStringLiteral("L2"),
                             QStringLiteral(""),     QStringLiteral("turbo")};
    for (int i = 0; i < powers.size(); ++i)
        rows << channel(QStringLiteral("P%1").arg(i), QStringLiteral("439.%1").arg(100 + i * 25), {{QStringLiteral("Power"), powers[i]}});
    report = RepeaterCsv::importText(listOf(rows), *t.doc);
    ASSERT_TRUE(report.ok()) << summaryOf(report).toStdString();
    QList<int> stored;
    for (int c = 1; c <= powers.size(); ++c)
        stored << storedAt(*t.doc, 3, c).power;
    EXPECT_EQ(stored, (QList<int>{2, 1, 0, 0, 2, 1, 0, 0, 2, 2}));
    ASSERT_EQ(report.warnings.size(), 1);
    EXPECT_TRUE(report.warnings[0].startsWith(QStringLiteral("row 11 (line 11): power \"turbo\""))) << report.warnings[0].toStdString();

    // A channels CSV is no repeater list.
    EXPECT_FALSE(RepeaterCsv::recognises(ChannelsCsv::exportText(*t.doc)));
}

TEST(ChannelsCsv, AppendAddsToZonesOfTheSameNameAndNewZonesBehind)
{
    TestDocument t(QStringLiteral("VK214"));
    const QByteArray before = imageOf(*t.doc);
    const CChannelData channels(*t.doc);
    const QByteArray csv = "zone,name,rx_frequency,power\r\n"
                           "New,N1,435.5,low\r\n"
                           "Zone 1,Added,436.0,\r\n"
                           "New,N2,437.0,high\r\n";
    ChannelsCsv::Options append;
    append.append = true;
    const ChannelsCsv::Report report = ChannelsCsv::importText(csv, *t.doc, append);
    ASSERT_TRUE(report.ok()) << report.errors.join(u'\n').toStdString();
    ASSERT_EQ(channels.CountZones(), 2);
    EXPECT_EQ(channels.GetZoneName(2), QStringLiteral("New"));
    ASSERT_EQ(channels.CountChannels(1), 2);
    EXPECT_EQ(channels.GetChannelName(1, 2), QStringLiteral("Added"));
    EXPECT_EQ(channels.GetFrequency(1, 2, Dir::Transmit), QStringLiteral("436.000000"));
    EXPECT_EQ(channels.GetChannelName(2, 2), QStringLiteral("N2"));
    EXPECT_EQ(channels.GetPower(2, 1), 0);
    EXPECT_EQ(report.notes, (QStringList{QStringLiteral("appended channels to the codeplug's zones of the same name: \"Zone 1\" (1)"),
                                         QStringLiteral("added zones after the codeplug's: \"New\" (2)")}));
    // The codeplug's channel is as it was.
    const int first = channels.channelOffset(1, 1);
    EXPECT_EQ(imageOf(*t.doc).mid(first, CChannelData::kChannelRecordSize), before.mid(first, CChannelData::kChannelRecordSize));

    // A name another channel has, or a zone past sixteen channels, is an
    // error naming the file's row; nothing changes.
    const QByteArray appended = imageOf(*t.doc);
    ChannelsCsv::Report bad = ChannelsCsv::importText("zone,name,rx_frequency\r\nNew,Added,438.0\r\n", *t.doc, append);
    ASSERT_FALSE(bad.ok());
    EXPECT_TRUE(bad.errors.join(u'\n').contains(QStringLiteral("row 2 (line 2)"))) << bad.errors.join(u'\n').toStdString();
    QByteArray many = "zone,name,rx_frequency\r\n";
    for (int i = 0; i < 15; ++i)
        many += "Zone 1,X" + QByteArray::number(i) + ",438.0\r\n";
    bad = ChannelsCsv::importText(many, *t.doc, append);
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(firstDifference(imageOf(*t.doc), appended), "");
}

TEST(RepeaterCsv, CommandLineAppendsAndPrintsItsSummary)
{
    TestDocument t(QStringLiteral("VK214"));
    const QString dir = t.config.dir();
    const auto path = [&](const char *name) { return QDir(dir).filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(DataFile::save(*t.doc, path("a.dat")));
    t.config.writeFile(QStringLiteral("Local Repeaters.csv"),
                       listOf({channel(QStringLiteral("Hill"), QStringLiteral("438.5"), {{QStringLiteral("Duplex"), QStringLiteral("-")}, {QStringLiteral("Offset"), QStringLiteral("7.6")}}),
                               channel(QStringLiteral("Air"), QStringLiteral("438.5"), {{QStringLiteral("Mode"), QStringLiteral("AM")}})}));
    const auto run = [&](QStringList args) {
        args << QStringLiteral("--config") << dir;
        return runRq381(args);
    };
    CliRun r = run({QStringLiteral("channels"), QStringLiteral("import"), path("a.dat"), path("Local Repeaters.csv"),
                    QStringLiteral("-o"), path("b.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 1 channel(s) in 1 zone(s): Local Repeater\nskipped 1 row(s): AM\n"));
    TestDocument b(QStringLiteral("VK214"));
    ASSERT_EQ(DataFile::load(*b.doc, path("b.dat")), DataFile::LoadResult::Loaded);
    EXPECT_EQ(storedAt(*b.doc, 2, 1).tx, QStringLiteral("430.900000"));

    // --zone; --zone with a channels CSV is refused; a list with nothing to take writes nothing.
    r = run({QStringLiteral("channels"), QStringLiteral("import"), path("b.dat"), path("Local Repeaters.csv"), QStringLiteral("--zone"),
             QStringLiteral("Zone 1")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("added 1 channel(s) in 1 zone(s): Zone 1\n"))) << r.out.toStdString();
    const QByteArray saved = fileBytes(path("b.dat"));
    r = run({QStringLiteral("channels"), QStringLiteral("export"), path("b.dat"), QStringLiteral("-o"), path("c.csv")});
    ASSERT_EQ(r.status, 0);
    r = run({QStringLiteral("channels"), QStringLiteral("import"), path("b.dat"), path("c.csv"), QStringLiteral("--zone"),
             QStringLiteral("Zone 1")});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--zone is for repeater lists"))) << r.err.toStdString();
    t.config.writeFile(QStringLiteral("air.csv"), listOf({channel(QStringLiteral("Air"), QStringLiteral("438.5"), {{QStringLiteral("Mode"), QStringLiteral("AM")}})}));
    r = run({QStringLiteral("channels"), QStringLiteral("import"), path("b.dat"), path("air.csv")});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("none of the 1 row(s) could be imported: 1 AM; nothing was written"))) << r.err.toStdString();
    EXPECT_EQ(fileBytes(path("b.dat")), saved);

    // --append with a channels CSV says what it appended where.
    t.config.writeFile(QStringLiteral("more.csv"), "zone,name,rx_frequency\r\nZone 1,Extra,439.0\r\n");
    r = run({QStringLiteral("channels"), QStringLiteral("import"), path("b.dat"), path("more.csv"), QStringLiteral("--append")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("appended channels to the codeplug's zones of the same name: \"Zone 1\" (1)\n"));
    ASSERT_EQ(DataFile::load(*b.doc, path("b.dat")), DataFile::LoadResult::Loaded);
    EXPECT_EQ(CChannelData(*b.doc).GetChannelName(1, 3), QStringLiteral("Extra"));
}
