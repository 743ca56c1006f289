#include "ListFixture.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/EmergencyData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
int zoneAt(int zone) { return 0x0250 + 48 * zone; }
int channelAt(int zone, int channel) { return 0x0140 + 1024 * zone + 64 * channel; }
int scanAt(int list) { return 0x4638 + 88 * list; }
int rxGroupAt(int list) { return 0x6B48 + 48 * list; }
}  // namespace

TEST(ListMaintenance, AddTakesTheFirstFreeNameAndStartsEmpty)
{
    ListFixture cp;
    CChannelData ch(*cp.doc);
    EXPECT_EQ(cp.lists().addZone().zone, 2);
    EXPECT_EQ(ch.GetRxColourCode(2, 1), ch.ColourCodeForFrequency(2, 1, CChannelData::Direction::Receive));
    // "Zone 1" and "Zone 3" in use: the new zone is "Zone 2". Channel names
    // are compared within their zone only.
    ch.SetZoneName(2, QStringLiteral("Zone 3"));
    const EditResult r = cp.lists().addZone();
    EXPECT_EQ(r.zone * 100 + r.channel, 301);
    cp.lists().addChannel(3);
    ch.SetChannelName(3, 2, QStringLiteral("Channel 3"));
    EXPECT_EQ(cp.lists().addChannel(3).channel, 3);
    EXPECT_EQ(ch.GetZoneName(3) + ":" + ch.GetChannelName(3, 1) + ":" + ch.GetChannelName(3, 3), "Zone 2:Channel 1:Channel 2");

    EXPECT_EQ(cp.lists().addScanList().record, 2);
    EXPECT_EQ(CScanData(*cp.doc).GetName(2), "Scan 2");
    EXPECT_EQ(bytesAt(cp.image(), scanAt(2) + 1, 2), "01 01");
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(2) + 24, scanAt(2) + 56, 0xFF));
    EXPECT_EQ(cp.lists().addRxGroup().record, 2);
    EXPECT_EQ(CRxGroupData(*cp.doc).GetName(2), "Group 2");
    EXPECT_TRUE(allBytesAre(cp.image(), rxGroupAt(2), rxGroupAt(2) + 17, 0x00));
}

TEST(ListMaintenance, UnavailableOperationsChangeNothing)
{
    ListFixture small(1, 1, QStringLiteral("RQ381"));
    const QByteArray before = imageOf(*small.doc);
    const QList<EditResult> results{small.lists().deleteZone(1), small.lists().deleteChannel(1, 1),
                                    small.lists().deleteScanList(1), small.lists().deleteRxGroup(1)};
    for (const EditResult &r : results)
        EXPECT_EQ(r.refusal, Refusal::OnlyRecord);
    EXPECT_EQ(small.lists().addChannel(2).refusal, Refusal::NoSuchRecord);
    EXPECT_EQ(imageOf(*small.doc), before);
    EXPECT_EQ(ListFixture(1, 16).lists().addChannel(1).refusal, Refusal::ListFull);
}

TEST(ListMaintenance, DeleteChannelRenumbersScanMembersAndPairs)
{
    ListFixture cp(2, 6);
    CScanData scans(*cp.doc);
    scans.SetMembers(1, {{1, 5}, {1, 3}, {2, 5}, {1, 1}});
    scans.SetPriorityChannel1(1, {1, 3});
    scans.SetPriorityChannel2(1, {1, 6});
    scans.SetDesignatedChannel(1, {2, 3});
    cp.lists().addScanList();  // members all 0xFF
    CEmergencyData digital(*cp.doc);
    digital.SetReplyChannelRef({1, 3});
    digital.SetReplyChannelSet(true);
    CAnalogEmergencyData(*cp.doc).SetReplyChannelRef({1, 4});

    const EditResult r = cp.lists().deleteChannel(1, 3);
    EXPECT_EQ(r.zone * 100 + r.channel, 103);
    CChannelData ch(*cp.doc);
    EXPECT_EQ(ch.GetZoneChannelCount(1), 5);
    EXPECT_EQ(ch.GetChannelName(1, 3), "Z1C4");
    EXPECT_TRUE(allBytesAre(cp.image(), channelAt(1, 16), channelAt(1, 16) + 64, 0x00));
    // (1, 5) -> (1, 4); (1, 3) dropped, the rest moved up; (2, 5) untouched.
    // Every list's members are written back, free slots as (0, 0).
    EXPECT_EQ(bytesAt(cp.image(), scanAt(1) + 24, 8), "01 04 02 05 01 01 00 00");
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(1) + 30, scanAt(1) + 56, 0x00));
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(2) + 24, scanAt(2) + 56, 0x00));
    EXPECT_EQ(bytesAt(cp.image(), scanAt(1) + 1, 7), "00 00 01 05 00 02 03");
    // Reply channels: (1, 3) cleared with its flag, (1, 4) -> (1, 3).
    EXPECT_EQ(bytesAt(cp.image(), 0x4C14, 2), "00 00");
    EXPECT_FALSE(digital.GetReplyChannelSet());
    EXPECT_EQ(bytesAt(cp.image(), 0x7144, 2), "01 03");

    EXPECT_EQ(cp.lists().deleteChannel(1, 5).channel, 4);  // the last: the new last is shown
}
TEST(ListMaintenance, DeleteZoneMovesZonesAndFixesReplyChannels)
{
    ListFixture cp(3, 8);
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
    scans.SetPriorityChannel2(9, {2, 2});  // pairs of unused lists follow too

    const EditResult r = cp.lists().deleteZone(1);
    EXPECT_EQ(r.zone * 100 + r.channel, 101);
    EXPECT_EQ(CChannelData(*cp.doc).GetChannelName(1, 8) + CChannelData(*cp.doc).GetChannelName(2, 1), "Z2C8Z3C1");
    EXPECT_TRUE(allBytesAre(cp.image(), zoneAt(16), zoneAt(16) + 48, 0x00));
    EXPECT_TRUE(allBytesAre(cp.image(), channelAt(16, 1), channelAt(16, 1) + 1024, 0x00));
    // Reply channels: (2, 7) -> (1, 7); (1, 7) cleared with its flag.
    EXPECT_EQ(bytesAt(cp.image(), 0x4C14, 2) + " " + bytesAt(cp.image(), 0x7144, 2), "01 07 00 00");
    EXPECT_TRUE(digital.GetReplyChannelSet());
    EXPECT_FALSE(analog.GetDesignatedReplyChannel());
    EXPECT_EQ(bytesAt(cp.image(), scanAt(1) + 24, 6), "02 08 01 01 00 00");
    EXPECT_EQ(bytesAt(cp.image(), scanAt(1) + 1, 2) + " " + bytesAt(cp.image(), scanAt(1) + 6, 2), "02 04 00 00");
    EXPECT_EQ(scans.GetPriorityChannel2(9), (ChannelRef{1, 2}));

    EXPECT_EQ(cp.lists().deleteZone(2).zone, 1);  // the last: the one before is shown
}

TEST(ListMaintenance, DeleteListsRenumberChannelReferences)
{
    ListFixture cp(1, 5);
    for (int i = 2; i <= 4; ++i) {
        cp.lists().addRxGroup();
        cp.lists().addScanList();
    }
    CChannelData ch(*cp.doc);
    for (int c = 1; c <= 5; ++c) {
        ch.SetRxGroupList(1, c, c % 5);
        ch.SetScanList(1, c, c % 5);
    }
    CRxGroupData(*cp.doc).SetMembers(4, {1});

    // RX group 2 of 4: lists 3 and 4 become 2 and 3, users of 2 use none.
    EXPECT_EQ(cp.lists().deleteRxGroup(2).record, 2);
    EXPECT_EQ(CRxGroupData(*cp.doc).GetMembers(3), QList<int>{1});
    EXPECT_TRUE(allBytesAre(cp.image(), rxGroupAt(16), rxGroupAt(16) + 48, 0x00));
    EXPECT_EQ(cp.zoneOne(&CChannelData::GetRxGroupList), (QList<int>{1, 0, 2, 3, 0}));

    EXPECT_EQ(cp.lists().deleteScanList(4).record, 3);
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(16), scanAt(16) + 88, 0x00));
    EXPECT_EQ(cp.zoneOne(&CChannelData::GetScanList), (QList<int>{1, 2, 3, 0, 0}));
}

TEST(ListMaintenance, PasteCopiesSettingsAndKeepsTheTargetName)
{
    ListFixture cp(2, 3);
    CChannelData ch(*cp.doc);
    ch.SetFrequency(2, 3, CChannelData::Direction::Receive, QStringLiteral("434.125"));
    ListClipboard clip;
    clip.copyChannel(2, 3);
    EXPECT_EQ(cp.lists().pasteChannel(clip, 2, 3).refusal, Refusal::SameRecord);
    EXPECT_TRUE(cp.lists().pasteChannel(clip, 1, 1).ok());
    EXPECT_EQ(ch.GetChannelName(1, 1) + " " + ch.GetFrequency(1, 1, CChannelData::Direction::Receive), "Z1C1 434.125000");
    // The copied channel was deleted: its number names a freed record, whose
    // zero bytes are not pasted.
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

    // An RX group list without members pasted over one in use releases the
    // channels that listened to it.
    cp.lists().addRxGroup();
    clip.copyRxGroup(2);
    EXPECT_TRUE(cp.lists().pasteRxGroup(clip, 1).ok());
    EXPECT_EQ(CRxGroupData(*cp.doc).GetName(1), "Group 1");
    EXPECT_EQ(cp.zoneOne(&CChannelData::GetRxGroupList), (QList<int>{0, 0, 0}));
}

TEST(ListMaintenance, AddingIntoAGapFreesStaleRecordsAfterIt)
{
    // A loaded file with a named channel 3 behind an unnamed channel 2.
    ListFixture cp;
    std::memset(cp.image() + channelAt(1, 3), 0, 64);
    CChannelData(*cp.doc).SetChannelName(1, 3, QStringLiteral("stale"));
    cp.lists().addChannel(1);
    EXPECT_EQ(CChannelData(*cp.doc).CountChannels(1), 2);
    EXPECT_TRUE(allBytesAre(cp.image(), channelAt(1, 3), channelAt(1, 3) + 64, 0x00));
}

// Zone 1 of six channels with a reference to most of them from every kind
// of holder; channel 2's bytes the program never writes are marked.
struct MoveFixture : ListFixture
{
    MoveFixture() : ListFixture(2, 6)
    {
        CScanData scans(*doc);
        // Slot 3 is an empty slot between members; it stays where it is.
        scans.SetMembers(1, {{1, 2}, {1, 5}, {1, 1}, {2, 2}, {1, 6}});
        scans.SetMember(1, 3, {});
        scans.SetPriorityChannel1(1, {1, 3});
        scans.SetPriorityChannel2(1, {1, 6});
        scans.SetDesignatedChannel(1, {1, 2});
        lists().addScanList();  // members all 0xFF
        CEmergencyData digital(*doc);
        digital.SetReplyChannelRef({1, 4});
        digital.SetReplyChannelSet(true);
        CAnalogEmergencyData analog(*doc);
        analog.SetReplyChannelRef({1, 2});
        analog.SetDesignatedReplyChannel(true);
        image()[channelAt(1, 2) + 60] = 0x5A;
    }
    QString members() { return bytesAt(image(), scanAt(1) + 24, 10); }
    QString pairs() { return bytesAt(image(), scanAt(1) + 1, 4) + " " + bytesAt(image(), scanAt(1) + 6, 2); }
    QString replies() { return bytesAt(image(), 0x4C14, 2) + " " + bytesAt(image(), 0x7144, 2); }
    QString names()
    {
        QStringList list;
        for (int c = 1; c <= CChannelData(*doc).CountChannels(1); ++c)
            list << CChannelData(*doc).GetChannelName(1, c);
        return list.join(QLatin1Char(' '));
    }
};

TEST(ListMaintenance, MovedChannelsTakeEveryReferenceAlong)
{
    MoveFixture cp;
    const QByteArray record = imageOf(*cp.doc).mid(channelAt(1, 2), 64);
    const QString zoneRecord = bytesAt(cp.image(), zoneAt(1), 17);

    // Down: 2 goes to 5, 3..5 move up one.
    EXPECT_EQ(cp.lists().moveChannel(1, 2, 5).channel, 5);
    EXPECT_EQ(cp.names(), "Z1C1 Z1C3 Z1C4 Z1C5 Z1C2 Z1C6");
    EXPECT_EQ(imageOf(*cp.doc).mid(channelAt(1, 5), 64), record);
    EXPECT_EQ(cp.members(), "01 05 01 04 00 00 02 02 01 06");
    EXPECT_TRUE(allBytesAre(cp.image(), scanAt(2) + 24, scanAt(2) + 56, 0xFF));
    EXPECT_EQ(cp.pairs(), "01 02 01 06 01 05");
    // The reply channels follow and keep their flags.
    EXPECT_EQ(cp.replies(), "01 03 01 05");
    EXPECT_TRUE(CEmergencyData(*cp.doc).GetReplyChannelSet());
    EXPECT_TRUE(CAnalogEmergencyData(*cp.doc).GetDesignatedReplyChannel());
    EXPECT_EQ(bytesAt(cp.image(), zoneAt(1), 17), zoneRecord);

    // Up: 6 goes to 1, 1..5 move down one.
    EXPECT_EQ(cp.lists().moveChannel(1, 6, 1).channel, 1);
    EXPECT_EQ(cp.names(), "Z1C6 Z1C1 Z1C3 Z1C4 Z1C5 Z1C2");
    EXPECT_EQ(cp.members(), "01 06 01 05 00 00 02 02 01 01");
    EXPECT_EQ(cp.pairs(), "01 03 01 01 01 06");
    EXPECT_EQ(cp.replies(), "01 04 01 06");
    EXPECT_EQ(CChannelData(*cp.doc).GetChannelName(2, 2), "Z2C2");

    // A whole new order at once is the same moves: the references follow.
    EXPECT_TRUE(cp.lists().reorderChannels(1, {2, 3, 4, 5, 6, 1}).ok());
    EXPECT_EQ(cp.names(), "Z1C1 Z1C3 Z1C4 Z1C5 Z1C2 Z1C6");
    EXPECT_EQ(cp.members(), "01 05 01 04 00 00 02 02 01 06");
    EXPECT_EQ(cp.replies(), "01 03 01 05");
}

TEST(ListMaintenance, InsertedChannelIsTheOneAddWouldMakeAndPushesTheRestDown)
{
    MoveFixture cp;
    MoveFixture twin;
    twin.lists().addChannel(1);

    const EditResult r = cp.lists().insertChannel(1, 2);
    EXPECT_EQ(r.zone * 100 + r.channel, 102);
    EXPECT_EQ(cp.names(), "Z1C1 Channel 1 Z1C2 Z1C3 Z1C4 Z1C5 Z1C6");
    EXPECT_EQ(imageOf(*cp.doc).mid(channelAt(1, 2), 64), imageOf(*twin.doc).mid(channelAt(1, 7), 64));
    // The zone counts seven channels, its slot list the identity.
    EXPECT_EQ(bytesAt(cp.image(), zoneAt(1), 7) + " " + bytesAt(cp.image(), zoneAt(1) + 16, 1), "01 02 03 04 05 06 07 07");
    EXPECT_EQ(cp.members(), "01 03 01 06 00 00 02 02 01 07");
    EXPECT_EQ(cp.pairs(), "01 04 01 07 01 03");
    EXPECT_EQ(cp.replies(), "01 05 01 03");

    // At the end it is Add channel.
    EXPECT_EQ(cp.lists().insertChannel(1, 8).channel, 8);
    EXPECT_EQ(CChannelData(*cp.doc).GetChannelName(1, 8), "Channel 2");
}

TEST(ListMaintenance, MovesAndInsertsOutsideTheZoneAreRefusedAndChangeNothing)
{
    MoveFixture cp;
    const QByteArray before = imageOf(*cp.doc);
    for (const EditResult &r : {cp.lists().moveChannel(1, 0, 3), cp.lists().moveChannel(1, 3, 7),
                                cp.lists().moveChannel(1, 7, 3), cp.lists().moveChannel(3, 1, 2),
                                cp.lists().insertChannel(1, 0), cp.lists().insertChannel(1, 8),
                                cp.lists().insertChannel(3, 1), cp.lists().reorderChannels(1, {1, 2, 3, 4, 5}),
                                cp.lists().reorderChannels(1, {1, 1, 2, 3, 4, 5}), cp.lists().reorderChannels(3, {})})
        EXPECT_EQ(r.refusal, Refusal::NoSuchRecord);
    EXPECT_EQ(imageOf(*cp.doc), before);
    EXPECT_TRUE(cp.lists().moveChannel(1, 4, 4).ok());
    EXPECT_EQ(imageOf(*cp.doc), before);

    ListFixture full(1, 16);
    EXPECT_EQ(full.lists().insertChannel(1, 3).refusal, Refusal::ListFull);
}
