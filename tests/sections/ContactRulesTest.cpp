#include "TestSupport.h"

#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"
#include "sections/RxGroupRules.h"

#include <gtest/gtest.h>

namespace {

int contactAt(int contact) { return 0x4C10 + 40 * contact; }

// A codeplug with `count` contacts "Contact 1".. with IDs 1000001.., one
// channel per contact in zone 1 using that contact, and four RX group lists.
struct Contacts : TestDocument
{
    explicit Contacts(int count) : TestDocument(QStringLiteral("VK214"))
    {
        RecordingPrompter prompter;
        for (int i = 2; i <= count; ++i)
            rules().add(prompter);
        CListMaintenance lists(*doc);
        for (int c = 2; c <= count; ++c)
            lists.addChannel(1);
        CChannelData ch(*doc);
        for (int c = 1; c <= count; ++c)
            ch.SetContact(1, c, c);
        for (int g = 2; g <= 4; ++g)
            lists.addRxGroup();
    }
    CContactRules rules() { return CContactRules(*doc); }
    QList<int> channelContacts()
    {
        CChannelData ch(*doc);
        QList<int> refs;
        for (int c = 1; c <= ch.CountChannels(1); ++c)
            refs << ch.GetContact(1, c);
        return refs;
    }
};

}  // namespace

TEST(ContactRules, DeleteRenumbersChannelsAndEveryRxGroup)
{
    Contacts cp(5);
    CRxGroupData rx(*cp.doc);
    rx.SetMembers(1, {3, 4, 5});
    rx.ClearMembers(2);  // an empty list must not end the renumbering walk
    rx.SetMembers(3, {5, 1});
    rx.SetMembers(4, {3});

    EditResult r = cp.rules().remove(3);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.record, 4);
    CContactData contacts(*cp.doc);
    EXPECT_EQ(cp.rules().count(), 4);
    EXPECT_EQ(contacts.GetName(3), "Contact 4");
    EXPECT_EQ(contacts.GetNumber(3), 3);
    EXPECT_EQ(contacts.GetCallId(4), "1000005");
    EXPECT_EQ(bytesAt(cp.image(), contactAt(5), 5), "00 00 00 00 00");
    EXPECT_TRUE(allBytesAre(cp.image(), contactAt(5) + 5, contactAt(5) + 33, 0x00));

    EXPECT_EQ(cp.channelContacts(), (QList<int>{1, 2, 0, 3, 4}));
    EXPECT_EQ(rx.GetMembers(1), (QList<int>{3, 4}));
    EXPECT_EQ(rx.GetMemberCount(1), 2);
    EXPECT_EQ(bytesAt(cp.image(), 0x6B78, 4), "03 04 00 00");
    EXPECT_EQ(rx.GetMembers(3), (QList<int>{4, 1}));
    EXPECT_EQ(rx.GetMembers(4), QList<int>{});
    EXPECT_EQ(rx.GetMemberCount(4), 0);
}

TEST(ContactRules, InsertMovesContactsAndRaisesReferences)
{
    Contacts cp(3);
    CRxGroupData rx(*cp.doc);
    rx.ClearMembers(1);
    rx.SetMembers(2, {1, 2, 3});
    RecordingPrompter prompter;
    EditResult r = cp.rules().insert(2, prompter);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.record, 2);
    CContactData contacts(*cp.doc);
    EXPECT_EQ(cp.rules().count(), 4);
    EXPECT_EQ(contacts.GetName(2), "Contact 4");
    EXPECT_EQ(contacts.GetCallId(2), "1000004");
    EXPECT_EQ(contacts.GetName(3), "Contact 2");
    EXPECT_EQ(contacts.GetNumber(4), 4);
    EXPECT_EQ(cp.channelContacts(), (QList<int>{1, 3, 4}));
    EXPECT_EQ(rx.GetMembers(2), (QList<int>{1, 3, 4}));
    EXPECT_TRUE(prompter.prompts.isEmpty());
}

TEST(ContactRules, NewContactIdsSkipReservedAndNeverOverflow)
{
    Contacts cp(1);
    CBasicSettingData basic(*cp.doc);
    EXPECT_EQ(*cp.rules().newContactId(), "1000002");

    basic.SetGroupCallStartId(QStringLiteral("1999999"));
    EXPECT_EQ(*cp.rules().newContactId(), "2000001");

    // Start ID 9999999: the first new contact takes it, the next is refused.
    basic.SetGroupCallStartId(QStringLiteral("9999999"));
    RecordingPrompter prompter;
    EXPECT_TRUE(cp.rules().add(prompter).ok());
    CContactData contacts(*cp.doc);
    EXPECT_EQ(contacts.GetCallId(2), "9999999");
    EditResult r = cp.rules().add(prompter);
    EXPECT_EQ(r.refusal, Refusal::Rejected);
    EXPECT_EQ(prompter.keys(), QStringList{"IDS_EXIST_STARTID"});
    EXPECT_EQ(cp.rules().count(), 2);
    EXPECT_EQ(contacts.GetNumber(3), 0);
    EXPECT_EQ(cp.rules().insert(1, prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(contacts.GetName(1), "Contact 1");

    // Start ID 9999998 with 9999999 taken: no seven-digit ID is left.
    basic.SetGroupCallStartId(QStringLiteral("9999998"));
    EXPECT_FALSE(cp.rules().newContactId().has_value());
    EXPECT_EQ(cp.rules().add(prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(cp.rules().count(), 2);
}

TEST(ContactRules, CallIdEntry)
{
    Contacts cp(3);
    CContactData contacts(*cp.doc);
    RecordingPrompter prompter;

    EXPECT_FALSE(cp.rules().enterCallId(2, QStringLiteral("2000000"), prompter));
    EXPECT_EQ(contacts.GetCallId(2), "1000002");
    EXPECT_TRUE(prompter.prompts.isEmpty());

    EXPECT_TRUE(cp.rules().enterCallId(2, QString(), prompter));
    EXPECT_EQ(contacts.GetCallId(2), "0000001");
    EXPECT_EQ(cp.rules().contactType(2), 1);

    EXPECT_FALSE(cp.rules().enterCallId(3, QStringLiteral("1"), prompter));
    EXPECT_EQ(prompter.keys(), QStringList{"IDS_EXIST_CALLID"});
    EXPECT_EQ(contacts.GetCallId(3), "1000003");

    EXPECT_TRUE(cp.rules().enterCallId(3, QStringLiteral("*******"), prompter));
    EXPECT_EQ(cp.rules().contactType(3), 2);
    EXPECT_FALSE(cp.rules().enterCallId(1, QStringLiteral("12345678"), prompter));
    EXPECT_FALSE(cp.rules().enterCallId(1, QStringLiteral("12a"), prompter));
    EXPECT_EQ(contacts.GetCallId(1), "1000001");
}

TEST(ContactRules, CrossingTheStartIdLeavesEveryRxGroup)
{
    Contacts cp(3);
    CRxGroupData rx(*cp.doc);
    rx.SetMembers(1, {1, 2});
    rx.ClearMembers(2);
    rx.SetMembers(3, {2, 3});
    RecordingPrompter prompter;
    ASSERT_TRUE(cp.rules().enterCallId(2, QStringLiteral("42"), prompter));
    EXPECT_EQ(rx.GetMembers(1), QList<int>{1});
    EXPECT_EQ(rx.GetMembers(3), QList<int>{3});
    // Staying a group contact keeps the memberships.
    ASSERT_TRUE(cp.rules().enterCallId(3, QStringLiteral("5000000"), prompter) == false);
    ASSERT_TRUE(cp.rules().enterCallId(3, QStringLiteral("5000001"), prompter));
    EXPECT_EQ(rx.GetMembers(3), QList<int>{3});
}

TEST(ContactRules, CompactionClosesGapsAndReferencesFollow)
{
    Contacts cp(4);
    CContactData contacts(*cp.doc);
    CRxGroupData rx(*cp.doc);
    rx.SetMembers(2, {2, 4});
    contacts.SetNumber(2, 0);  // a gap: contact 2 is not in use
    EXPECT_EQ(cp.rules().compact(), 3);
    EXPECT_EQ(contacts.GetName(2), "Contact 3");
    EXPECT_EQ(contacts.GetNumber(3), 3);
    EXPECT_EQ(contacts.GetNumber(4), 0);
    EXPECT_TRUE(allBytesAre(cp.image(), contactAt(4) + 5, contactAt(4) + 33, 0x00));
    EXPECT_EQ(cp.channelContacts(), (QList<int>{1, 0, 2, 3}));
    EXPECT_EQ(rx.GetMembers(2), QList<int>{3});
}

TEST(RxGroupRules, MemberLimitAndEmptiedListReleasesChannels)
{
    Contacts cp(18);
    CRxGroupData rx(*cp.doc);
    CRxGroupRules rules(*cp.doc);
    QList<int> fourteen;
    for (int c = 1; c <= 14; ++c)
        fourteen << c;
    rx.SetMembers(2, fourteen);
    RecordingPrompter prompter;
    EXPECT_EQ(rules.moveIn(2, {15, 16, 17}, prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(prompter.keys(), QStringList{"IDS_PROMPT_GROUPLISTMEMBER"});
    EXPECT_EQ(rx.GetMemberCount(2), 14);
    EXPECT_TRUE(rules.moveIn(2, {15, 16}, prompter).ok());
    EXPECT_EQ(rx.GetMember(2, 16), 16);

    // An individual contact is not shown, yet its slot counts.
    rx.SetMembers(3, fourteen);
    CContactData(*cp.doc).SetCallId(1, QStringLiteral("0000042"));
    EXPECT_EQ(rules.shownMembers(3).size(), 13);
    EXPECT_FALSE(rules.availableContacts(3).contains(1));
    EXPECT_EQ(rules.moveIn(3, {15, 16, 17}, prompter).refusal, Refusal::Rejected);

    CChannelData ch(*cp.doc);
    ch.SetRxGroupList(1, 3, 4);
    rx.SetMembers(4, {5});
    rules.moveOut(4, {5});
    EXPECT_EQ(rx.GetMemberCount(4), 0);
    EXPECT_EQ(ch.GetRxGroupList(1, 3), 0);
    EXPECT_EQ(ch.GetRxGroupList(1, 1), 1);
}
