#include "BlankDocument.h"

#include "sections/ChannelData.h"
#include "sections/ScanData.h"

namespace {
constexpr int kList1 = 0x4690;
constexpr int kList2 = 0x46E8;
}  // namespace

TEST(ScanData, DefaultsWriteListOneOnly)
{
    BlankDocument b;
    CScanData(b.doc).SetDefaults();
    const uint8_t *img = b.image();
    // Nuisance delete on; channels (1, 1); revert 0; dwell 3.00 s; look-back
    // 2.0 s; talkback off with bits 1-7 kept.
    EXPECT_EQ(bytesAt(img, kList1, 13), "20 01 01 01 01 00 01 01 0C 0C 14 14 FE");
    EXPECT_TRUE(allBytesAre(img, kList1 + 13, kList1 + 24, 0xFF));
    EXPECT_EQ(bytesAt(img, kList1 + 24, 2), "01 01");
    EXPECT_TRUE(allBytesAre(img, kList1 + 26, kList1 + 56, 0xFF));
    EXPECT_EQ(bytesAt(img, kList1 + 56, 12), utf16Bytes("Scan 1"));
    EXPECT_TRUE(allBytesAre(img, kList1 + 68, kList1 + 84, 0x00));
    EXPECT_TRUE(allBytesAre(img, kList1 + 84, 0x4C10, 0xFF));
    EXPECT_EQ(CScanData(b.doc).GetMembers(1), (QList<ChannelRef>{{1, 1}}));
}

TEST(ScanData, FlagBitsKeepTheOtherBits)
{
    BlankDocument b;
    CScanData scan(b.doc);
    b.fill(kList1, 1, 0x00);
    scan.SetPriorityChannelType1(1, 3);
    scan.SetPriorityChannelType2(1, 1);
    scan.SetIncludeCurrentChannel(1, true);
    scan.SetNuisanceReset(1, true);
    scan.SetScanIndicator(1, true);
    scan.SetIncludeCurrentChannel(1, false);
    scan.SetPriorityChannelType1(1, 4);  // refused
    EXPECT_EQ(bytesAt(b.image(), kList1, 1), "C7");
    EXPECT_EQ(scan.GetPriorityChannelType2(1), 1);

    b.fill(kList1 + 12, 1, 0xA4);
    scan.SetTalkback(1, true);
    EXPECT_EQ(bytesAt(b.image(), kList1 + 12, 1), "A5");
}

TEST(ScanData, ChannelReferencesReadOutOfRangePartsAsZero)
{
    BlankDocument b;  // two zone slots
    CScanData scan(b.doc);
    EXPECT_EQ(scan.GetPriorityChannel1(1), (ChannelRef{0, 0}));  // FF FF
    b.image()[kList1 + 1] = 3;
    b.image()[kList1 + 2] = 16;
    EXPECT_EQ(scan.GetPriorityChannel1(1), (ChannelRef{0, 16}));
    b.image()[kList1 + 3] = 2;
    b.image()[kList1 + 4] = 17;
    EXPECT_EQ(scan.GetPriorityChannel2(1), (ChannelRef{2, 0}));

    BlankDocument wide(QStringLiteral("VK214"));
    CScanData all(wide.doc);
    all.SetDesignatedChannel(2, {16, 16});
    all.SetPriorityChannel1(2, {17, 1});  // not storable: refused
    EXPECT_EQ(bytesAt(wide.image(), kList2 + 1, 7), "FF FF FF FF FF 10 10");
    EXPECT_EQ(all.GetDesignatedChannel(2), (ChannelRef{16, 16}));
}

TEST(ScanData, MembersArePackedFromSlotOne)
{
    BlankDocument b;
    CScanData scan(b.doc);
    scan.InitList(3);
    scan.SetMember(3, 2, {1, 4});
    scan.SetMember(3, 7, {2, 1});
    EXPECT_EQ(scan.GetMembers(3), (QList<ChannelRef>{{1, 4}, {2, 1}}));

    scan.SetMembers(3, {{2, 2}, {0, 0}, {1, 9}});
    const int members = 0x4638 + 88 * 3 + 24;
    EXPECT_EQ(bytesAt(b.image(), members, 4), "02 02 01 09");
    EXPECT_TRUE(allBytesAre(b.image(), members + 4, members + 32, 0x00));

    QList<ChannelRef> many;
    for (int i = 1; i <= 18; ++i)
        many << ChannelRef{1, (i - 1) % 16 + 1};
    scan.SetMembers(3, many);
    EXPECT_EQ(scan.GetMembers(3).size(), 16);
    EXPECT_EQ(bytesAt(b.image(), members + 32, 1), "FF");  // the name after the members is untouched
}

TEST(ScanData, RevertSelectorLeavesItemTwoOutAndTimesKeepTheirRanges)
{
    for (auto [value, entry] : std::initializer_list<std::pair<int, int>>{{0, 0}, {1, 1}, {3, 2}, {6, 5}}) {
        EXPECT_EQ(CScanData::RevertEntryForValue(value), entry);
        EXPECT_EQ(CScanData::RevertValueForEntry(entry), value);
    }
    BlankDocument b;
    CScanData scan(b.doc);
    scan.SetLookBackTimeA(1, 5);
    scan.SetLookBackTimeB(1, 50);
    scan.SetLookBackTimeA(1, 4);
    scan.SetLookBackTimeB(1, 51);
    scan.SetRevertChannel(1, 7);
    EXPECT_EQ(bytesAt(b.image(), kList1 + 5, 7), "FF FF FF FF FF 05 32");
}

TEST(ScanData, ChannelTextsNameZoneAndChannel)
{
    BlankDocument b;
    CChannelData ch(b.doc);
    ch.SetDefaults();
    ch.SetZoneName(2, QStringLiteral("Far"));
    ch.SetChannelName(2, 3, QStringLiteral("Relay"));
    CScanData scan(b.doc);
    EXPECT_EQ(scan.ChannelText({1, 1}), "Zone 1:Channel 1");
    EXPECT_EQ(scan.ChannelText({1, 2}), QString());
    EXPECT_EQ(scan.ChannelText({2, 3}), "Far:Relay");
}
