#include "BlankDocument.h"

#include "sections/RxGroupData.h"

namespace {
constexpr int kList1 = 0x6B78;
constexpr int kList2 = 0x6BA8;
constexpr int kList16 = 0x6E48;
}  // namespace

TEST(RxGroupData, DefaultsWriteListOneOnly)
{
    BlankDocument b;
    CRxGroupData(b.doc).SetDefaults();
    const uint8_t *img = b.image();
    EXPECT_EQ(bytesAt(img, kList1, 1), "01");
    EXPECT_TRUE(allBytesAre(img, kList1 + 1, kList1 + 16, 0xFF));  // other slots stay erased
    EXPECT_EQ(bytesAt(img, kList1 + 16, 1), "01");
    EXPECT_EQ(bytesAt(img, kList1 + 17, 14), utf16Bytes("Group 1"));
    EXPECT_TRUE(allBytesAre(img, kList1 + 31, kList1 + 45, 0x00));
    EXPECT_TRUE(allBytesAre(img, kList1 + 45, 0x6E78, 0xFF));

    CRxGroupData groups(b.doc);
    EXPECT_EQ(groups.GetMembers(1), QList<int>{1});
    EXPECT_EQ(groups.GetMember(1, 2), 0);
}

TEST(RxGroupData, OutOfRangeStoredValuesReadAsZero)
{
    BlankDocument b;
    CRxGroupData groups(b.doc);
    b.image()[kList2] = 200;
    b.image()[kList2 + 1] = 201;
    EXPECT_EQ(groups.GetMember(2, 1), 200);
    EXPECT_EQ(groups.GetMember(2, 2), 0);
    EXPECT_EQ(groups.GetMembers(2), QList<int>{200});
    for (uint8_t stored : {uint8_t(0), uint8_t(17), uint8_t(0xFF)}) {
        b.image()[kList2 + 16] = stored;
        EXPECT_EQ(groups.GetMemberCount(2), 0) << int(stored);
    }
    b.image()[kList2 + 16] = 16;
    EXPECT_EQ(groups.GetMemberCount(2), 16);
}

TEST(RxGroupData, SetMembersPacksAndCounts)
{
    BlankDocument b;
    CRxGroupData groups(b.doc);
    groups.SetMembers(3, {5, 0, 201, 7});
    const int at = 0x6B48 + 48 * 3;
    EXPECT_EQ(bytesAt(b.image(), at, 3), "05 07 00");
    EXPECT_TRUE(allBytesAre(b.image(), at + 2, at + 16, 0x00));
    EXPECT_EQ(groups.GetMemberCount(3), 2);
    EXPECT_EQ(bytesAt(b.image(), at + 17, 1), "FF");  // name untouched

    groups.ClearMembers(3);
    EXPECT_TRUE(allBytesAre(b.image(), at, at + 17, 0x00));

    QList<int> many;
    for (int i = 1; i <= 20; ++i)
        many << i;
    groups.SetMembers(3, many);
    EXPECT_EQ(groups.GetMemberCount(3), 16);
    EXPECT_EQ(groups.GetMembers(3).last(), 16);
}

TEST(RxGroupData, CountsAndRecordOperations)
{
    BlankDocument b;
    CRxGroupData groups(b.doc);
    groups.SetDefaults();
    groups.SetName(2, QStringLiteral("Group 2"));
    groups.SetName(4, QStringLiteral("Group 4"));
    EXPECT_EQ(groups.CountLists(), 2);
    EXPECT_EQ(groups.LastNamedList(), 4);

    groups.CopyRecord(1, 16);
    EXPECT_EQ(bytesAt(b.image(), kList16, 48), bytesAt(b.image(), kList1, 48));
    groups.ClearRecord(16);
    EXPECT_TRUE(allBytesAre(b.image(), kList16, kList16 + 48, 0x00));
    EXPECT_EQ(bytesAt(b.image(), kList16 + 48, 1), "FF");  // encryption entry 1 follows
}

TEST(RxGroupData, RecordNumbersOutsideTheListsAreRefused)
{
    BlankDocument b;
    CRxGroupData groups(b.doc);
    const auto before = b.snapshot();
    for (int list : {0, 17}) {
        groups.SetMember(list, 1, 1);
        groups.SetMemberCount(list, 1);
        groups.SetMembers(list, {1});
        groups.SetName(list, QStringLiteral("X"));
        groups.ClearRecord(list);
        groups.CopyRecord(1, list);
        EXPECT_EQ(groups.GetMember(list, 1), 0);
        EXPECT_EQ(groups.GetName(list), QString());
    }
    groups.SetMember(1, 0, 1);
    groups.SetMember(1, 17, 1);
    groups.SetMember(1, 1, 201);
    groups.SetMemberCount(1, 17);
    EXPECT_TRUE(b.unchangedSince(before));
}
