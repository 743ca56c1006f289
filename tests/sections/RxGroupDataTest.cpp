#include "BlankDocument.h"

#include "sections/RxGroupData.h"

namespace {
constexpr int kList1 = 0x6B78;
constexpr int kList2 = 0x6BA8;
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

    // The tree counts from list 1 to the first gap, the form to the last name.
    groups.SetName(3, QStringLiteral("Group 3"));
    EXPECT_EQ(groups.CountLists(), 1);
    EXPECT_EQ(groups.LastNamedList(), 3);
}

TEST(RxGroupData, OutOfRangeStoredValuesReadAsZero)
{
    BlankDocument b;
    CRxGroupData groups(b.doc);
    b.image()[kList2] = 200;
    b.image()[kList2 + 1] = 201;  // ends the member walk
    EXPECT_EQ(groups.GetMembers(2), QList<int>{200});
    for (uint8_t stored : {0, 17, 0xFF}) {
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
    EXPECT_EQ(bytesAt(b.image(), at, 2), "05 07");
    EXPECT_TRUE(allBytesAre(b.image(), at + 2, at + 16, 0x00));
    EXPECT_EQ(groups.GetMemberCount(3), 2);
    EXPECT_EQ(bytesAt(b.image(), at + 17, 1), "FF");  // name untouched

    QList<int> many;
    for (int i = 1; i <= 20; ++i)
        many << i;
    groups.SetMembers(3, many);
    EXPECT_EQ(groups.GetMemberCount(3), 16);
    EXPECT_EQ(groups.GetMembers(3).last(), 16);
}
