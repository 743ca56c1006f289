#include "BlankDocument.h"

#include "sections/ContactData.h"

namespace {
constexpr int kContact1 = 0x4C38;
constexpr int kContact2 = 0x4C60;
constexpr int kContact200 = 0x6B50;
}  // namespace

TEST(ContactData, DefaultsWriteContactOneOnly)
{
    BlankDocument b;
    CContactData(b.doc).SetDefaults();
    const uint8_t *img = b.image();
    EXPECT_EQ(bytesAt(img, kContact1, 5), "01 10 00 00 10");
    EXPECT_EQ(bytesAt(img, kContact1 + 5, 18), utf16Bytes("Contact 1"));
    EXPECT_TRUE(allBytesAre(img, kContact1 + 23, kContact1 + 33, 0x00));
    EXPECT_TRUE(allBytesAre(img, kContact1 + 33, 0x6B78, 0xFF));
    EXPECT_TRUE(allBytesAre(img, 0x4C20, kContact1, 0xFF));

    CContactData contacts(b.doc);
    EXPECT_EQ(contacts.GetCallId(1), "1000001");
    EXPECT_EQ(contacts.CountContacts(), 1);
}

TEST(ContactData, NumberFallbackAndRefusedRecords)
{
    BlankDocument b;
    CContactData contacts(b.doc);
    for (uint8_t stored : {uint8_t(0), uint8_t(201), uint8_t(0xFF)}) {
        b.image()[kContact2] = stored;
        EXPECT_EQ(contacts.GetNumber(2), 0) << int(stored);
    }
    b.image()[kContact200] = 200;
    EXPECT_EQ(contacts.GetNumber(200), 200);
    contacts.SetNumber(2, 201);
    EXPECT_EQ(bytesAt(b.image(), kContact2, 1), "FF");

    const auto before = b.snapshot();
    for (int contact : {0, 201, -1}) {
        contacts.SetNumber(contact, 1);
        contacts.SetCallId(contact, QStringLiteral("1234567"));
        contacts.SetName(contact, QStringLiteral("X"));
        contacts.ClearContact(contact);
        EXPECT_EQ(contacts.GetCallId(contact), QString());
        EXPECT_EQ(contacts.GetName(contact), QString());
        EXPECT_EQ(contacts.GetNumber(contact), 0);
    }
    EXPECT_TRUE(b.unchangedSince(before));
}

TEST(ContactData, CallIdWithWildcardRoundTripsAtItsOffset)
{
    BlankDocument b;
    CContactData contacts(b.doc);
    contacts.SetCallId(200, QStringLiteral("12*"));
    EXPECT_EQ(bytesAt(b.image(), kContact200 + 1, 4), "AA AA 12 A0");
    EXPECT_EQ(contacts.GetCallId(200), "****12*");
    EXPECT_EQ(bytesAt(b.image(), kContact200, 1), "FF");
    contacts.SetName(200, QStringLiteral("Dispatch"));
    EXPECT_EQ(bytesAt(b.image(), kContact200 + 5, 16), utf16Bytes("Dispatch"));
    EXPECT_EQ(bytesAt(b.image(), kContact200 + 40, 1), "FF");  // first RX group follows
}

TEST(ContactData, ClearingKeepsTheUnusedTail)
{
    BlankDocument b;
    CContactData contacts(b.doc);
    contacts.SetDefaults();
    contacts.ClearContact(1);
    EXPECT_EQ(bytesAt(b.image(), kContact1, 5), "00 00 00 00 00");
    EXPECT_TRUE(allBytesAre(b.image(), kContact1 + 5, kContact1 + 33, 0x00));
    EXPECT_TRUE(allBytesAre(b.image(), kContact1 + 33, kContact1 + 40, 0xFF));
    EXPECT_EQ(contacts.CountContacts(), 0);
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
