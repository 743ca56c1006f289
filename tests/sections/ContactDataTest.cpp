#include "BlankDocument.h"

#include "sections/ContactData.h"

namespace {
constexpr int kContact1 = 0x4C38;
constexpr int kContact200 = 0x6B50;
}  // namespace

TEST(ContactData, DefaultsWriteContactOneOnly)
{
    BlankDocument b;
    CContactData(b.doc).SetDefaults();
    const uint8_t *img = b.image();
    EXPECT_TRUE(allBytesAre(img, 0x4C20, kContact1, 0xFF));
    EXPECT_EQ(bytesAt(img, kContact1, 5), "01 10 00 00 10");
    EXPECT_EQ(bytesAt(img, kContact1 + 5, 18), utf16Bytes("Contact 1"));
    EXPECT_TRUE(allBytesAre(img, kContact1 + 23, kContact1 + 33, 0x00));
    EXPECT_TRUE(allBytesAre(img, kContact1 + 33, 0x6B78, 0xFF));
    EXPECT_EQ(CContactData(b.doc).CountContacts(), 1);
}

TEST(ContactData, FieldsOfTheLastRecordFallbacksAndClearing)
{
    BlankDocument b;
    CContactData contacts(b.doc);
    contacts.SetCallId(200, QStringLiteral("12*"));
    contacts.SetName(200, QStringLiteral("Dispatch"));
    EXPECT_EQ(bytesAt(b.image(), kContact200 + 1, 4), "AA AA 12 A0");
    EXPECT_EQ(contacts.GetCallId(200), "****12*");
    for (auto [stored, number] : std::initializer_list<std::pair<int, int>>{{0xFF, 0}, {201, 0}, {0, 0}, {200, 200}}) {
        b.image()[kContact200] = uint8_t(stored);
        EXPECT_EQ(contacts.GetNumber(200), number) << stored;
    }
    EXPECT_EQ(bytesAt(b.image(), kContact200 + 5, 16), utf16Bytes("Dispatch"));
    EXPECT_EQ(bytesAt(b.image(), kContact200 + 40, 1), "FF");  // first RX group follows

    // A freed record: number 0, empty name, ID 0000000; the unused tail stays.
    contacts.ClearContact(200);
    EXPECT_TRUE(allBytesAre(b.image(), kContact200, kContact200 + 33, 0x00));
    EXPECT_TRUE(allBytesAre(b.image(), kContact200 + 33, kContact200 + 40, 0xFF));
}

TEST(ContactData, TypeFollowsTheStartIdAndReservedIdsAreKnown)
{
    EXPECT_EQ(CContactData::ContactTypeFor(QStringLiteral("*******"), 1000000), 2);
    EXPECT_EQ(CContactData::ContactTypeFor(QStringLiteral("0999999"), 1000000), 1);
    EXPECT_EQ(CContactData::ContactTypeFor(QStringLiteral("1000000"), 1000000), 0);
    EXPECT_EQ(CContactData::ContactTypeFor(QStringLiteral("*123456"), 1), 1);
    EXPECT_EQ(CContactData::CallIdValue(QStringLiteral("12*4567")), 12);
    EXPECT_TRUE(CContactData::IsReservedCallId(QStringLiteral("9000000")));
    EXPECT_FALSE(CContactData::IsReservedCallId(QStringLiteral("0000000")));
    EXPECT_FALSE(CContactData::IsReservedCallId(QStringLiteral("9000001")));
}
