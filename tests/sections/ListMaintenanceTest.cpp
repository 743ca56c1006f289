#include "TestSupport.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/ChannelData.h"
#include "sections/EmergencyData.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int zoneAt(int zone) { return 0x0250 + 48 * zone; }
int channelAt(int zone, int channel) { return 0x0140 + 1024 * zone + 64 * channel; }
int scanAt(int list) { return 0x4638 + 88 * list; }
int rxGroupAt(int list) { return 0x6B48 + 48 * list; }

// A VK214 codeplug (16 zone slots) with `zones` zones of `channels`
// channels each, channel (z, c) named "Z<z>C<c>".
struct Codeplug : TestDocument
{
    Codeplug(int zones, int channels, const QString &model = QStringLiteral("VK214")) : TestDocument(model)
    {
        CListMaintenance lists(*doc);
        for (int z = 2; z <= zones; ++z)
            lists.addZone();
        CChannelData data(*doc);
        for (int z = 1; z <= zones; ++z) {
            for (int c = 2; c <= channels; ++c)
                lists.addChannel(z);
            for (int c = 1; c <= channels; ++c)
                data.SetChannelName(z, c, QStringLiteral("Z%1C%2").arg(z).arg(c));
        }
    }
    CListMaintenance lists() { return CListMaintenance(*doc); }
};

}  // namespace

TEST(ListMaintenance, AddZoneNamesFirstFreeAndCreatesChannelOne)
{
    Codeplug cp(1, 1);
    CChannelData ch(*cp.doc);
    EditResult r = cp.lists().addZone();
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.zone, 2);
    EXPECT_EQ(r.channel, 1);
    EXPECT_EQ(ch.GetZoneName(2), "Zone 2");
    EXPECT_EQ(ch.GetZoneChannelCount(2), 1);
    EXPECT_EQ(ch.GetChannelName(2, 1), "Channel 1");
    EXPECT_EQ(ch.GetChannelMode(2, 1), 3);
    EXPECT_EQ(ch.GetFrequencyUnits(2, 1, CChannelData::Direction::Receive), cp.doc->lowerBandLimit());
    // The colour codes follow the frequencies of the new channel.
    EXPECT_EQ(ch.GetRxColourCode(2, 1), ch.ColourCodeForFrequency(2, 1, CChannelData::Direction::Receive));

    // Zones "Zone 1" and "Zone 3": the next one is "Zone 2".
    ch.SetZoneName(2, QStringLiteral("Zone 3"));
    cp.lists().addZone();
    EXPECT_EQ(ch.GetZoneName(3), "Zone 2");

    // Every zone gets its own "Channel 1"; a zone with Channel 1 and
    // Channel 3 gets Channel 2 next.
    cp.lists().addChannel(3);
    ch.SetChannelName(3, 2, QStringLiteral("Channel 3"));
    EXPECT_EQ(cp.lists().addChannel(3).channel, 3);
    EXPECT_EQ(ch.GetChannelName(3, 3), "Channel 2");
    EXPECT_EQ(ch.GetZoneChannelCount(3), 3);
}

TEST(ListMaintenance, AvailabilityFollowsCountsAndModel)
{
    Codeplug small(1, 1, QStringLiteral("RQ381"));
    EXPECT_FALSE(small.lists().canDeleteZone());
    EXPECT_EQ(small.lists().deleteZone(1).refusal, Refusal::OnlyRecord);
    EXPECT_EQ(small.lists().deleteChannel(1, 1).refusal, Refusal::OnlyRecord);
    EXPECT_EQ(small.lists().deleteScanList(1).refusal, Refusal::OnlyRecord);
    EXPECT_EQ(small.lists().deleteRxGroup(1).refusal, Refusal::OnlyRecord);
    EXPECT_TRUE(small.lists().addZone().ok());
    const QByteArray before(reinterpret_cast<const char *>(small.image()), kImageSize);
    EXPECT_EQ(small.lists().addZone().refusal, Refusal::ListFull);  // RQ381 has two zone slots
    EXPECT_EQ(small.lists().addChannel(3).refusal, Refusal::NoSuchRecord);
    EXPECT_EQ(small.lists().deleteZone(3).refusal, Refusal::NoSuchRecord);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(small.image()), kImageSize), before);

    Codeplug full(1, 16);
    EXPECT_EQ(full.lists().addChannel(1).refusal, Refusal::ListFull);
    for (int i = 2; i <= 16; ++i)
        EXPECT_TRUE(full.lists().addScanList().ok());
    EXPECT_EQ(full.lists().addScanList().refusal, Refusal::ListFull);
}

TEST(ListMaintenance, DeleteChannelRenumbersScanMembersAndPairs)
{
    Codeplug cp(2, 6);
    CScanData scans(*cp.doc);
    scans.SetMembers(1, {{1, 5}, {1, 3}, {2, 5}, {1, 1}});
    scans.SetPriorityChannel1(1, {1, 3});
    scans.SetPriorityChannel2(1, {1, 6});
    scans.SetDesignatedChannel(1, {2, 3});
    cp.lists().addScanList();
    scans.SetMembers(2, {{1, 3}});
    CEmergencyData digital(*cp.doc);
    digital.SetReplyChannelRef({1, 3});
    digital.SetReplyChannelSet(true);
    CAnalogEmergencyData analog(*cp.doc);
    analog.SetReplyChannelRef({1, 4});

    EditResult r = cp.lists().deleteChannel(1, 3);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.zone, 1);
    EXPECT_EQ(r.channel, 3);

    CChannelData ch(*cp.doc);
    EXPECT_EQ(ch.CountChannels(1), 5);
    EXPECT_EQ(ch.GetZoneChannelCount(1), 5);
    EXPECT_EQ(ch.GetChannelName(1, 3), "Z1C4");
    EXPECT_TRUE(allBytesAre(cp.image(), channelAt(1, 16), channelAt(1, 16) + 64, 0x00));
    EXPECT_EQ(ch.GetChannelName(2, 3), "Z2C3");

    // (1, 5) -> (1, 4), (1, 3) dropped and the rest moved up, (2, 5) untouched.
    EXPECT_EQ(scans.GetMembers(1), (QList<ChannelRef>{{1, 4}, {2, 5}, {1, 1}}));
    EXPECT_EQ(bytesAt(cp.image(), scanAt(1) + 24, 8), "01 04 02 05 01 01 00 00");
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(1) + 30, scanAt(1) + 56, 0x00));
    EXPECT_TRUE(scans.GetMembers(2).isEmpty());
    EXPECT_EQ(scans.GetPriorityChannel1(1), ChannelRef{});
    EXPECT_EQ(scans.GetPriorityChannel2(1), (ChannelRef{1, 5}));
    EXPECT_EQ(scans.GetDesignatedChannel(1), (ChannelRef{2, 3}));

    EXPECT_EQ(bytesAt(cp.image(), 0x4C14, 2), "00 00");
    EXPECT_FALSE(digital.GetReplyChannelSet());
    EXPECT_EQ(analog.GetReplyChannelRef(), (ChannelRef{1, 3}));

    // Deleting the last channel shows the new last one.
    EXPECT_EQ(cp.lists().deleteChannel(1, 5).channel, 4);
}

TEST(ListMaintenance, DeleteZoneMovesZonesAndFixesReplyChannels)
{
    Codeplug cp(3, 8);
    CEmergencyData digital(*cp.doc);
    digital.SetReplyChannelRef({2, 7});
    digital.SetReplyChannelSet(true);
    CAnalogEmergencyData analog(*cp.doc);
    analog.SetReplyChannelRef({1, 7});
    analog.SetDesignatedReplyChannel(true);
    CScanData scans(*cp.doc);
    scans.SetMembers(1, {{1, 2}, {3, 8}, {2, 1}});
    scans.SetDesignatedChannel(1, {1, 1});
    scans.SetPriorityChannel1(1, {3, 4});
    // Pairs of an unused list follow as well.
    scans.SetPriorityChannel2(9, {2, 2});

    EditResult r = cp.lists().deleteZone(1);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.zone, 1);
    EXPECT_EQ(r.channel, 1);

    CChannelData ch(*cp.doc);
    EXPECT_EQ(ch.CountZones(), 2);
    EXPECT_EQ(ch.GetZoneName(1), "Zone 2");
    EXPECT_EQ(ch.GetChannelName(1, 8), "Z2C8");
    EXPECT_EQ(ch.GetChannelName(2, 1), "Z3C1");
    EXPECT_TRUE(allBytesAre(cp.image(), zoneAt(16), zoneAt(16) + 48, 0x00));
    EXPECT_TRUE(allBytesAre(cp.image(), channelAt(16, 1), channelAt(16, 1) + 1024, 0x00));

    EXPECT_EQ(digital.GetReplyChannelRef(), (ChannelRef{1, 7}));
    EXPECT_TRUE(digital.GetReplyChannelSet());
    EXPECT_EQ(analog.GetReplyChannelRef(), ChannelRef{});
    EXPECT_EQ(bytesAt(cp.image(), 0x7144, 2), "00 00");
    EXPECT_FALSE(analog.GetDesignatedReplyChannel());

    EXPECT_EQ(scans.GetMembers(1), (QList<ChannelRef>{{2, 8}, {1, 1}}));
    EXPECT_EQ(scans.GetDesignatedChannel(1), ChannelRef{});
    EXPECT_EQ(scans.GetPriorityChannel1(1), (ChannelRef{2, 4}));
    EXPECT_EQ(scans.GetPriorityChannel2(9), (ChannelRef{1, 2}));

    // Deleting the last used zone shows the one before it.
    EXPECT_EQ(cp.lists().deleteZone(2).zone, 1);
}

TEST(ListMaintenance, DeleteListsRenumberChannelReferences)
{
    Codeplug cp(1, 5);
    for (int i = 2; i <= 4; ++i) {
        cp.lists().addRxGroup();
        cp.lists().addScanList();
    }
    CChannelData ch(*cp.doc);
    const int groups[] = {1, 2, 3, 4, 0};
    for (int c = 1; c <= 5; ++c) {
        ch.SetRxGroupList(1, c, groups[c - 1]);
        ch.SetScanList(1, c, groups[c - 1]);
    }
    CRxGroupData rx(*cp.doc);
    rx.SetMembers(4, {1});

    EditResult r = cp.lists().deleteRxGroup(2);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.record, 2);
    EXPECT_EQ(rx.CountLists(), 3);
    EXPECT_EQ(rx.GetName(2), "Group 3");
    EXPECT_EQ(rx.GetName(3), "Group 4");
    EXPECT_EQ(rx.GetMembers(3), QList<int>{1});
    EXPECT_TRUE(allBytesAre(cp.image(), rxGroupAt(16), rxGroupAt(16) + 48, 0x00));
    const int expected[] = {1, 0, 2, 3, 0};
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(ch.GetRxGroupList(1, c), expected[c - 1]) << "channel " << c;
    EXPECT_EQ(bytesAt(cp.image(), channelAt(1, 2) + 23, 1), "FF");

    EXPECT_EQ(cp.lists().deleteScanList(4).record, 3);
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(16), scanAt(16) + 88, 0x00));
    const int scanExpected[] = {1, 2, 3, 0, 0};
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(ch.GetScanList(1, c), scanExpected[c - 1]) << "channel " << c;
}

TEST(ListMaintenance, AddedListsStartEmpty)
{
    Codeplug cp(1, 1);
    EXPECT_EQ(cp.lists().addScanList().record, 2);
    CScanData scans(*cp.doc);
    EXPECT_EQ(scans.GetName(2), "Scan 2");
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(2) + 24, scanAt(2) + 56, 0xFF));
    EXPECT_EQ(scans.GetPriorityChannel1(2), (ChannelRef{1, 1}));

    EXPECT_EQ(cp.lists().addRxGroup().record, 2);
    CRxGroupData rx(*cp.doc);
    EXPECT_EQ(rx.GetName(2), "Group 2");
    EXPECT_TRUE(allBytesAre(cp.image(), rxGroupAt(2), rxGroupAt(2) + 17, 0x00));
}

TEST(ListMaintenance, PasteCopiesSettingsAndKeepsTheTargetName)
{
    Codeplug cp(2, 3);
    CChannelData ch(*cp.doc);
    ch.SetFrequency(2, 3, CChannelData::Direction::Receive, QStringLiteral("434.125"));
    ch.SetChannelMode(2, 3, 2);
    ListClipboard clip;
    clip.copyChannel(2, 3);
    EXPECT_FALSE(cp.lists().canPasteChannel(clip, 2, 3));
    EXPECT_EQ(cp.lists().pasteChannel(clip, 2, 3).refusal, Refusal::SameRecord);
    EXPECT_TRUE(cp.lists().pasteChannel(clip, 1, 1).ok());
    EXPECT_EQ(ch.GetChannelName(1, 1), "Z1C1");
    EXPECT_EQ(ch.GetFrequency(1, 1, CChannelData::Direction::Receive), "434.125000");
    EXPECT_EQ(ch.GetChannelMode(1, 1), 2);

    // After the copied channel was deleted its number names a freed record:
    // pasting it is refused rather than spreading zero bytes.
    cp.lists().deleteChannel(2, 3);
    EXPECT_EQ(cp.lists().pasteChannel(clip, 1, 2).refusal, Refusal::NoSuchRecord);

    CScanData scans(*cp.doc);
    cp.lists().addScanList();
    scans.SetMembers(1, {{2, 2}, {1, 3}});
    clip.copyScanList(1);
    EXPECT_EQ(cp.lists().pasteChannel(clip, 1, 2).refusal, Refusal::NothingCopied);
    EXPECT_TRUE(cp.lists().pasteScanList(clip, 2).ok());
    EXPECT_EQ(scans.GetName(2), "Scan 2");
    EXPECT_EQ(scans.GetMembers(2), scans.GetMembers(1));

    CRxGroupData rx(*cp.doc);
    cp.lists().addRxGroup();
    clip.copyRxGroup(1);
    EXPECT_TRUE(cp.lists().pasteRxGroup(clip, 2).ok());
    EXPECT_EQ(rx.GetName(2), "Group 2");
    EXPECT_EQ(rx.GetMembers(2), QList<int>{1});
    EXPECT_EQ(cp.lists().pasteRxGroup(clip, 1).refusal, Refusal::SameRecord);
}

TEST(ListMaintenance, AddingIntoAGapFreesStaleRecordsAfterIt)
{
    // A loaded file with a named channel 3 behind an unnamed channel 2.
    Codeplug cp(1, 1);
    CChannelData ch(*cp.doc);
    std::memset(cp.image() + channelAt(1, 3), 0, 64);
    ch.SetChannelName(1, 3, QStringLiteral("stale"));
    ch.SetScanList(1, 3, 9);
    cp.lists().addChannel(1);
    EXPECT_EQ(ch.CountChannels(1), 2);
    EXPECT_TRUE(allBytesAre(cp.image(), channelAt(1, 3), channelAt(1, 3) + 64, 0x00));
}
