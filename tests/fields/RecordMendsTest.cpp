// The mends a form gives a record when it shows it, as library functions.

#include "TestSupport.h"

#include "fields/RecordMends.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/ListMaintenance.h"
#include "sections/ScanData.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

using Dir = CChannelData::Direction;
constexpr int kScan1 = 0x4690;  // scan list n at kScan1 + 88 * (n - 1); pairs at +1, +3, +6

// Zone 1 with channels 1 (digital), 2 (analog) and 3 (mixed, analog first).
struct Codeplug : TestDocument
{
    Codeplug() : TestDocument(QStringLiteral("VK214"))
    {
        CListMaintenance lists(*doc);
        lists.addChannel(1);
        lists.addChannel(1);
        CChannelData channels(*doc);
        channels.SetChannelMode(1, 1, 3);
        channels.SetChannelMode(1, 2, 2);
        channels.SetChannelMode(1, 3, 0);
    }
    CChannelData channels() { return CChannelData(*doc); }
};

// Runs a mend and checks that what it reports matches what it did to the
// bytes: a correction for a change, none for no change.
Mends::Result runMend(TestDocument &t, const std::function<Mends::Result()> &mend, const char *what)
{
    const QByteArray before = imageOf(*t.doc);
    const Mends::Result result = mend();
    EXPECT_EQ(result.changed(), imageOf(*t.doc) != before) << what << ": " << result.corrections.join(u'|').toStdString();
    return result;
}

}

TEST(RecordMends, AChannelGetsItsModesTonesAndBandwidthOnceAndOnlyWhenInUse)
{
    Codeplug t;
    CChannelData channels = t.channels();
    channels.SetTone(1, 3, Dir::Transmit, QString());
    channels.SetBandwidth(1, 2, 3);  // an analog channel stores 2
    const QByteArray channel1 = QByteArray(reinterpret_cast<const char *>(t.image()) + channels.channelOffset(1, 1), 64);

    const Mends::Result mixed = runMend(t, [&] { return Mends::channel(*t.doc, 1, 3); }, "mixed");
    EXPECT_TRUE(mixed.corrections.join(u'|').contains(QStringLiteral("transmit tone: none is corrected to 67.0")))
        << mixed.corrections.join(u'|').toStdString();
    EXPECT_EQ(channels.GetTone(1, 3, Dir::Transmit), QStringLiteral("67.0"));
    const Mends::Result analog = runMend(t, [&] { return Mends::channel(*t.doc, 1, 2); }, "analog");
    EXPECT_TRUE(analog.corrections.value(0).contains(QStringLiteral("bandwidth")));
    EXPECT_EQ(channels.GetBandwidth(1, 2), 2);

    // Mended channels, sound ones and channels not in use stay as they are.
    for (int c : {1, 2, 3, 4, 16})
        EXPECT_FALSE(runMend(t, [&] { return Mends::channel(*t.doc, 1, c); }, "again")) << c;
    EXPECT_FALSE(runMend(t, [&] { return Mends::channel(*t.doc, 2, 1); }, "no zone 2"));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(t.image()) + channels.channelOffset(1, 1), 64), channel1);
}

TEST(RecordMends, AScanListsUnsetPairsBecomeNoneEvenWhenOnlyTheRawBytesShowIt)
{
    Codeplug t;
    CListMaintenance(*t.doc).addScanList();
    CScanData scans(*t.doc);
    scans.SetPriorityChannel1(1, ChannelRef{1, 2});
    scans.SetPriorityChannel2(1, ChannelRef{0, 3});
    t.image()[kScan1 + 6] = 0xFF;  // the designated zone byte reads as no zone

    const Mends::Result result = runMend(t, [&] { return Mends::scanList(*t.doc, 1); }, "list 1");
    EXPECT_TRUE(result.changed());
    EXPECT_EQ(bytesAt(t.image(), kScan1 + 1, 2), QStringLiteral("01 02"));  // a set pair stays
    EXPECT_EQ(bytesAt(t.image(), kScan1 + 3, 2), QStringLiteral("00 00"));
    EXPECT_EQ(bytesAt(t.image(), kScan1 + 6, 2), QStringLiteral("00 00"));

    // (0, 0) already: nothing to report. A list not in use is not touched.
    EXPECT_FALSE(runMend(t, [&] { return Mends::scanList(*t.doc, 1); }, "again"));
    t.image()[kScan1 + 88 * 2 + 3] = 0xFF;
    EXPECT_FALSE(runMend(t, [&] { return Mends::scanList(*t.doc, 3); }, "unused list"));
    EXPECT_EQ(t.image()[kScan1 + 88 * 2 + 3], 0xFF);
}

TEST(RecordMends, DeletingAScanListMendsTheListShownAfterwardsOnEveryPath)
{
    Codeplug t;
    CListMaintenance lists(*t.doc);
    lists.addScanList();
    lists.addScanList();
    CScanData(*t.doc).SetDesignatedChannel(2, ChannelRef{1, 0});
    CScanData(*t.doc).SetDesignatedChannel(3, ChannelRef{0, 1});

    // List 1 goes: the old list 2 is shown in its place, and mended.
    EXPECT_EQ(lists.deleteScanList(1).record, 1);
    EXPECT_EQ(bytesAt(t.image(), kScan1 + 6, 2), QStringLiteral("00 00"));
    // The list behind it is not shown, and keeps its bytes.
    EXPECT_EQ(bytesAt(t.image(), kScan1 + 88 + 6, 2), QStringLiteral("00 01"));
}

TEST(RecordMends, GapsInTheContactsCloseWithTheirReferencesAndAChangeLandsBehindThem)
{
    Codeplug t;
    CContactRules rules(*t.doc);
    RecordingPrompter prompter;
    rules.add(3, prompter);  // contacts 1..4
    CContactData contacts(*t.doc);
    CChannelData(*t.doc).SetContact(1, 1, 4);
    contacts.SetNumber(3, 0);  // a gap before contact 4
    const QString fourth = contacts.GetName(4);
    const QByteArray gapped = imageOf(*t.doc);

    // A change that changes nothing takes the closing back with it.
    EXPECT_FALSE(Mends::changeContacts(*t.doc, [] {}));
    EXPECT_EQ(imageOf(*t.doc), gapped);

    // Added as the form adds: behind the closed gap, not onto contact 4.
    const Mends::Result closed = Mends::changeContacts(*t.doc, [&] { CContactRules(*t.doc).add(prompter); });
    EXPECT_TRUE(closed.changed());
    EXPECT_EQ(contacts.GetName(3), fourth);
    EXPECT_EQ(CChannelData(*t.doc).GetContact(1, 1), 3);
    EXPECT_EQ(contacts.CountContacts(), 4);
    EXPECT_FALSE(runMend(t, [&] { return Mends::contacts(*t.doc); }, "no gaps"));
}

TEST(RecordMends, AfterAnImportOnlyTheRecordsWhoseBytesChangedAreMended)
{
    Codeplug t;
    CChannelData channels = t.channels();
    channels.SetBandwidth(1, 2, 3);  // both break their mode's rules
    channels.SetTone(1, 3, Dir::Receive, QString());
    const auto before = std::make_unique<Image>(t.doc->currentImage());

    channels.SetChannelName(1, 3, QStringLiteral("Changed"));
    const QList<Mends::Correction> corrections = Mends::mendChanged(*t.doc, *before);
    ASSERT_FALSE(corrections.isEmpty());
    for (const Mends::Correction &c : corrections)
        EXPECT_EQ(c.path, QStringLiteral("zones[1].channels[3]")) << c.text.toStdString();
    EXPECT_EQ(channels.GetTone(1, 3, Dir::Receive), QStringLiteral("67.0"));
    EXPECT_EQ(channels.GetBandwidth(1, 2), 3);  // untouched: left as it came

    // A contact taken out of its slot leaves a gap the text asked for.
    RecordingPrompter prompter;
    CContactRules(*t.doc).add(2, prompter);
    const auto contactsBefore = std::make_unique<Image>(t.doc->currentImage());
    CContactData(*t.doc).ClearContact(2);
    EXPECT_TRUE(Mends::mendChanged(*t.doc, *contactsBefore).isEmpty());
    EXPECT_EQ(CContactData(*t.doc).GetNumber(3), 3);
    EXPECT_TRUE(Mends::mendChanged(*t.doc, t.doc->currentImage()).isEmpty());
}
