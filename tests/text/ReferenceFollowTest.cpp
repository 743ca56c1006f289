// References follow the records a YAML or CSV file moves or removes.

#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ListMaintenance.h"
#include "sections/ScanData.h"
#include "text/ChannelsCsv.h"
#include "text/CsvTable.h"

#include <gtest/gtest.h>

namespace {

using Direction = CChannelData::Direction;

ChannelRef ch(int zone, int channel) { return ChannelRef{zone, channel}; }

// Zone 1 with Channel 1..4 (receiving on 401..404 MHz); scan list 1 holds
// all four, prioritises Channel 2 and designates Channel 4.
struct FourChannels
{
    FourChannels() : t(QStringLiteral("VK214"))
    {
        CListMaintenance lists(*t.doc);
        for (int c = 2; c <= 4; ++c)
            lists.addChannel(1);
        CChannelData channels(*t.doc);
        for (int c = 1; c <= 4; ++c)
            channels.SetFrequency(1, c, Direction::Receive, QStringLiteral("40%1.000").arg(c));
        CScanData scan(*t.doc);
        scan.SetMembers(1, {ch(1, 1), ch(1, 2), ch(1, 3), ch(1, 4)});
        scan.SetPriorityChannel1(1, ch(1, 2));
        scan.SetDesignatedChannel(1, ch(1, 4));
    }
    YamlCodeplug::ImportReport import(const QByteArray &text)
    {
        YamlCodeplug::ImportOptions options;
        options.followRecords = true;
        return YamlCodeplug::importText(text, *t.doc, options);
    }
    QString channel(ChannelRef ref) const
    {
        return ref.isSet() ? CChannelData(*t.doc).GetChannelName(ref.zone, ref.channel) : QStringLiteral("none");
    }
    QStringList members() const
    {
        QStringList names;
        for (ChannelRef ref : CScanData(*t.doc).GetMembers(1))
            names << channel(ref);
        return names;
    }
    TestDocument t;
};

// The text without the block of one channel record.
QByteArray withoutChannel(QByteArray yaml, const QByteArray &name)
{
    const qsizetype from = yaml.indexOf("      - name: \"" + name + "\"");
    const qsizetype to = yaml.indexOf("      - name: \"", from + 1);
    return yaml.remove(from, to - from);
}

int lineOf(const QByteArray &text, const QByteArray &part)
{
    return int(text.left(text.indexOf(part)).count('\n')) + 1;
}

}

TEST(ReferenceFollow, AChannelDeletedFromAnExportTakesItsReferencesAlongNotTheNextChannel)
{
    FourChannels f;
    const QByteArray yaml = withoutChannel(YamlCodeplug::exportText(*f.t.doc), "Channel 2");
    const auto report = f.import(yaml);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    EXPECT_EQ(f.members(), (QStringList{"Channel 1", "Channel 3", "Channel 4"}));
    EXPECT_EQ(f.channel(CScanData(*f.t.doc).GetPriorityChannel1(1)), QStringLiteral("none"));
    EXPECT_EQ(f.channel(CScanData(*f.t.doc).GetDesignatedChannel(1)), QStringLiteral("Channel 4"));
    EXPECT_EQ(CChannelData(*f.t.doc).GetFrequency(1, 2, Direction::Receive), QStringLiteral("403.000000"));

    // Each lost reference is reported at its own line.
    ASSERT_EQ(report.warnings.size(), 2) << report.warnings.first().toString().toStdString();
    QStringList paths;
    for (const auto &w : report.warnings) {
        paths << w.path;
        EXPECT_TRUE(w.text.contains(QStringLiteral("\"Zone 1:Channel 2\", which the text removes"))) << w.text.toStdString();
    }
    EXPECT_TRUE(paths.contains(QStringLiteral("scan_lists[1].priority_channel_1")));
    EXPECT_TRUE(paths.contains(QStringLiteral("scan_lists[1].members")));
    for (const auto &w : report.warnings)
        EXPECT_EQ(w.line, w.path.endsWith(QLatin1String("members")) ? lineOf(yaml, "    members:") + 1  // where the list begins
                                                                     : lineOf(yaml, "    priority_channel_1:"));
}

TEST(ReferenceFollow, ReorderedRecordsKeepTheirReferencesAndAChangedReferenceIsTakenAsWritten)
{
    FourChannels f;
    // Only the zones: the channels reversed, Channel 2 gone. The scan list is
    // not in the text and follows.
    const auto report = f.import("zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 4\"\n        rx_frequency: 404.0\n"
                                 "      - name: \"Channel 3\"\n        rx_frequency: 403.0\n"
                                 "      - name: \"Channel 1\"\n        rx_frequency: 401.0\n");
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    EXPECT_EQ(f.members(), (QStringList{"Channel 1", "Channel 3", "Channel 4"}));
    EXPECT_EQ(f.channel(CScanData(*f.t.doc).GetDesignatedChannel(1)), QStringLiteral("Channel 4"));
    ASSERT_EQ(report.warnings.size(), 2);
    EXPECT_EQ(report.warnings.first().line, 2);  // the zones that dropped it

    // A reference the text changes names a record as the text numbers them.
    FourChannels g;
    QByteArray yaml = withoutChannel(YamlCodeplug::exportText(*g.t.doc), "Channel 2");
    yaml.replace("designated_channel: [1, 4]", "designated_channel: [1, 2]");
    ASSERT_TRUE(g.import(yaml).ok());
    EXPECT_EQ(g.channel(CScanData(*g.t.doc).GetDesignatedChannel(1)), QStringLiteral("Channel 3"));

    // Contacts are named lists too: a channel's contact follows its contact.
    TestDocument t(QStringLiteral("RQ381"));
    CContactData(*t.doc).SetName(1, QStringLiteral("Alice"));
    YamlCodeplug::ImportOptions options;
    options.followRecords = true;
    const auto swapped = YamlCodeplug::importText("contacts:\n  - name: \"Bob\"\n    call_id: \"1000002\"\n"
                                                  "  - name: \"Alice\"\n    call_id: \"1000001\"\n",
                                                  *t.doc, options);
    ASSERT_TRUE(swapped.ok()) << messages(swapped).toStdString();
    EXPECT_EQ(CChannelData(*t.doc).GetContact(1, 1), 2);
    EXPECT_TRUE(swapped.warnings.isEmpty());
}

// Without following (a text applied to a codeplug it was not made from),
// a shortened list that others still name is refused, at a line.
TEST(ReferenceFollow, WithoutFollowingARemovedReferenceIsRefusedAtItsLine)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addScanList();
    CChannelData(*t.doc).SetScanList(1, 1, 2);
    const QByteArray before = imageOf(*t.doc);
    const QByteArray text = "format: rq381-codeplug\nscan_lists:\n  - name: \"Scan 1\"\n";
    const auto refused = YamlCodeplug::importText(text, *t.doc);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.errors.first().line, 3);  // the scan lists that dropped it
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");

    YamlCodeplug::ImportOptions options;
    options.followRecords = true;
    const auto followed = YamlCodeplug::importText(text, *t.doc, options);
    ASSERT_TRUE(followed.ok()) << messages(followed).toStdString();
    EXPECT_EQ(CChannelData(*t.doc).GetScanList(1, 1), 0);
    ASSERT_EQ(followed.warnings.size(), 1);
    EXPECT_EQ(followed.warnings.first().path, QStringLiteral("zones[1].channels[1].scan_list"));
    EXPECT_EQ(followed.warnings.first().line, 3);
}

TEST(ReferenceFollow, ANewChannelWithOnlyItsReceiveFrequencyIsSimplex)
{
    TestDocument t(QStringLiteral("RQ381"));
    const auto report = YamlCodeplug::importText("zones:\n  - name: \"Zone 1\"\n    channels:\n"
                                                 "      - name: \"Channel 1\"\n        rx_frequency: 433.5\n"
                                                 "      - name: \"New\"\n        rx_frequency: 434.125\n"
                                                 "      - name: \"Split\"\n        rx_frequency: 434.125\n        tx_frequency: 439.125\n",
                                                 *t.doc);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    const CChannelData channels(*t.doc);
    EXPECT_EQ(channels.GetFrequency(1, 2, Direction::Transmit), QStringLiteral("434.125000"));
    EXPECT_EQ(channels.GetFrequency(1, 3, Direction::Transmit), QStringLiteral("439.125000"));
    // An existing channel keeps its transmit frequency.
    EXPECT_EQ(channels.GetFrequency(1, 1, Direction::Transmit), QStringLiteral("400.000000"));
}

TEST(ReferenceFollow, ChannelsCsvRowsReorderedDeletedOrPartialFollowTheirChannels)
{
    FourChannels f;
    const CsvTable exported = CsvTable::parse(ChannelsCsv::exportText(*f.t.doc));
    QList<QStringList> rows = exported.rows;
    std::reverse(rows.begin(), rows.end());
    ChannelsCsv::Report report = ChannelsCsv::importText(CsvTable::write(exported.header, rows), *f.t.doc);
    ASSERT_TRUE(report.ok()) << report.errors.join(u'\n').toStdString();
    EXPECT_EQ(CChannelData(*f.t.doc).GetChannelName(1, 1), QStringLiteral("Channel 4"));
    EXPECT_EQ(f.channel(CScanData(*f.t.doc).GetPriorityChannel1(1)), QStringLiteral("Channel 2"));
    EXPECT_EQ(f.members(), (QStringList{"Channel 1", "Channel 2", "Channel 3", "Channel 4"}));
    EXPECT_TRUE(report.warnings.isEmpty());

    // A deleted row: its references become none, and say so.
    rows.removeAt(2);  // Channel 2
    report = ChannelsCsv::importText(CsvTable::write(exported.header, rows), *f.t.doc);
    ASSERT_TRUE(report.ok()) << report.errors.join(u'\n').toStdString();
    EXPECT_EQ(f.channel(CScanData(*f.t.doc).GetPriorityChannel1(1)), QStringLiteral("none"));
    EXPECT_EQ(f.members(), (QStringList{"Channel 1", "Channel 3", "Channel 4"}));
    ASSERT_EQ(report.warnings.size(), 2);
    EXPECT_TRUE(report.warnings.first().contains(QStringLiteral("Channel 2"))) << report.warnings.first().toStdString();

    // A row moved to another zone is found by its channel name alone.
    FourChannels m;
    QList<QStringList> moved = exported.rows;
    moved[3][0] = QStringLiteral("Zone 2");  // Channel 4
    report = ChannelsCsv::importText(CsvTable::write(exported.header, moved), *m.t.doc);
    ASSERT_TRUE(report.ok()) << report.errors.join(u'\n').toStdString();
    EXPECT_EQ(CScanData(*m.t.doc).GetDesignatedChannel(1), ch(2, 1));
    EXPECT_EQ(m.members(), (QStringList{"Channel 1", "Channel 2", "Channel 3", "Channel 4"}));

    // Only some columns, in another order: the others come from the channel
    // of the same name, not from the row's new place.
    FourChannels g;
    const QByteArray partial = "zone,name,power\n\"Zone 1\",\"Channel 3\",low\n\"Zone 1\",\"Channel 1\",low\n"
                               "\"Zone 1\",\"Channel 4\",high\n\"Zone 1\",\"Channel 2\",high\n";
    report = ChannelsCsv::importText(partial, *g.t.doc);
    ASSERT_TRUE(report.ok()) << report.errors.join(u'\n').toStdString();
    const CChannelData channels(*g.t.doc);
    EXPECT_EQ(channels.GetChannelName(1, 1), QStringLiteral("Channel 3"));
    EXPECT_EQ(channels.GetFrequency(1, 1, Direction::Receive), QStringLiteral("403.000000"));
    EXPECT_EQ(channels.GetFrequency(1, 2, Direction::Receive), QStringLiteral("401.000000"));
    EXPECT_EQ(channels.GetPower(1, 1), 0);
    EXPECT_EQ(g.channel(CScanData(*g.t.doc).GetDesignatedChannel(1)), QStringLiteral("Channel 4"));
}

TEST(ReferenceFollow, RecordsGivenOnlyByNameInANewOrderKeepTheirOwnBytes)
{
    FourChannels f;
    CListMaintenance(*f.t.doc).addScanList();
    CScanData(*f.t.doc).SetMembers(2, {ch(1, 3)});
    const CChannelData channels(*f.t.doc);
    const auto bytesOf = [&](int channel) { return bytesAt(f.t.image(), channels.channelOffset(1, channel), 64); };
    const QString fourth = bytesOf(4), third = bytesOf(3);
    const QString rx3 = channels.GetFrequency(1, 3, Direction::Receive), rx4 = channels.GetFrequency(1, 4, Direction::Receive);
    const QString list1 = bytesAt(f.t.image(), 0x4690, 88);

    // Channels 3 and 4 swap places, the second one's power changes; the
    // scan lists swap too, given by name alone.
    const auto report = f.import("zones:\n  - name: \"Zone 1\"\n    channels:\n"
                                 "      - name: \"Channel 1\"\n      - name: \"Channel 2\"\n"
                                 "      - name: \"Channel 4\"\n      - name: \"Channel 3\"\n        power: low\n"
                                 "scan_lists:\n  - name: \"Scan 2\"\n  - name: \"Scan 1\"\n");
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    EXPECT_EQ(channels.GetFrequency(1, 3, Direction::Receive), rx4);
    EXPECT_EQ(bytesOf(3), fourth);
    EXPECT_EQ(channels.GetFrequency(1, 4, Direction::Receive), rx3);
    EXPECT_NE(bytesOf(4), third);  // its power, and nothing else of it, is new
    EXPECT_EQ(bytesOf(4).mid(0, 20 * 3), third.mid(0, 20 * 3));
    // The lists carried their members, which followed the channels.
    EXPECT_EQ(CScanData(*f.t.doc).GetName(2), QStringLiteral("Scan 1"));
    EXPECT_EQ(f.members(), QStringList{QStringLiteral("Channel 3")});
    EXPECT_EQ(CScanData(*f.t.doc).GetMembers(2), (QList<ChannelRef>{ch(1, 1), ch(1, 2), ch(1, 4), ch(1, 3)}));
    EXPECT_EQ(bytesAt(f.t.image(), 0x4690 + 88 + 1, 2), list1.mid(3, 5));  // priority channel 1 still Channel 2
}
