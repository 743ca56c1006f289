#include "ListFixture.h"

#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/RxGroupData.h"
#include "sections/RxGroupRules.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

int contactAt(int contact) { return 0x4C10 + 40 * contact; }

// `count` contacts "Contact 1".. with IDs 1000001.., channel c of zone 1
// using contact c, and four RX group lists.
struct Contacts : ListFixture
{
    explicit Contacts(int count) : ListFixture(1, count)
    {
        RecordingPrompter prompter;
        for (int c = 1; c <= count; ++c) {
            if (c > 1)
                rules().add(prompter);
            CChannelData(*doc).SetContact(1, c, c);
        }
        for (int g = 2; g <= 4; ++g)
            lists().addRxGroup();
    }
    CContactRules rules() { return CContactRules(*doc); }
    QList<int> channelContacts() { return zoneOne(&CChannelData::GetContact); }
    // "number:name:call ID" of one record.
    QString record(int i)
    {
        const CContactData c(*doc);
        return QStringLiteral("%1:%2:%3").arg(c.GetNumber(i)).arg(c.GetName(i), c.GetCallId(i));
    }
};

}  // namespace

TEST(ContactRules, DeleteRenumbersChannelsAndEveryRxGroup)
{
    Contacts cp(5);
    CRxGroupData rx(*cp.doc);
    rx.SetMembers(1, {3, 4, 5});
    // List 2 stays empty: it must not end the walk over the lists.
    rx.SetMembers(3, {5, 1});
    rx.SetMembers(4, {3});
    CChannelData ch(*cp.doc);
    ch.SetRxGroupList(1, 2, 4);

    EXPECT_EQ(cp.rules().remove(3).record, 4);
    EXPECT_EQ(cp.record(3) + " " + cp.record(4), "3:Contact 4:1000004 4:Contact 5:1000005");
    EXPECT_TRUE(allBytesAre(cp.image(), contactAt(5), contactAt(5) + 33, 0x00));
    EXPECT_EQ(cp.channelContacts(), (QList<int>{1, 2, 0, 3, 4}));
    EXPECT_EQ(bytesAt(cp.image(), 0x6B78, 17), "03 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02");
    EXPECT_EQ(rx.GetMembers(3), (QList<int>{4, 1}));
    // List 4 lost its last member: its channel no longer uses it.
    EXPECT_EQ(rx.GetMemberCount(4), 0);
    EXPECT_EQ(cp.zoneOne(&CChannelData::GetRxGroupList), (QList<int>{1, 0, 1, 1, 1}));
}

TEST(ContactRules, InsertMovesContactsAndRaisesReferences)
{
    Contacts cp(3);
    CRxGroupData(*cp.doc).SetMembers(2, {1, 2, 3});
    CChannelData(*cp.doc).SetContact(5, 1, 2);  // a channel record of an unused zone follows too
    RecordingPrompter prompter;
    EXPECT_EQ(cp.rules().insert(2, prompter).record, 2);
    EXPECT_EQ(cp.record(2) + " " + cp.record(3), "2:Contact 4:1000004 3:Contact 2:1000002");
    EXPECT_EQ(CContactData(*cp.doc).GetNumber(4), 4);
    EXPECT_EQ(cp.channelContacts(), (QList<int>{1, 3, 4}));
    EXPECT_EQ(CChannelData(*cp.doc).GetContact(5, 1), 3);
    EXPECT_EQ(CRxGroupData(*cp.doc).GetMembers(2), (QList<int>{1, 3, 4}));
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
    EXPECT_EQ(cp.record(2), "2:Contact 2:9999999");
    EXPECT_EQ(cp.rules().add(prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(cp.rules().insert(1, prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(prompter.keys(), (QStringList{"IDS_EXIST_STARTID", "IDS_EXIST_STARTID"}));
    EXPECT_EQ(cp.record(1) + " " + cp.record(3).left(2), "1:Contact 1:1000001 0:");
    // Start ID 9999998 with 9999999 taken: no seven-digit ID is left.
    basic.SetGroupCallStartId(QStringLiteral("9999998"));
    EXPECT_EQ(cp.rules().add(prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(cp.rules().count(), 2);
}

TEST(ContactRules, AddingManyAtOnceGivesWhatAddingOneByOneGives)
{
    // Gaps in the names and IDs, and a reserved ID on the way (start 1999990).
    const auto prepare = [](Contacts &cp) {
        CContactData contacts(*cp.doc);
        contacts.SetName(2, QStringLiteral("Contact 5"));
        contacts.SetCallId(3, QStringLiteral("1999993"));
        CBasicSettingData(*cp.doc).SetGroupCallStartId(QStringLiteral("1999990"));
    };
    Contacts oneByOne(3), atOnce(3);
    prepare(oneByOne);
    prepare(atOnce);
    RecordingPrompter prompter;
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(oneByOne.rules().add(prompter).ok());
    EXPECT_EQ(atOnce.rules().add(40, prompter).record, 43);
    EXPECT_EQ(std::memcmp(oneByOne.image(), atOnce.image(), kImageSize), 0);
    EXPECT_EQ(atOnce.record(4), "4:Contact 2:1999991");

    // More than fit: refused, nothing added.
    EXPECT_EQ(atOnce.rules().add(200 - 43 + 1, prompter).refusal, Refusal::ListFull);
    EXPECT_EQ(atOnce.rules().count(), 43);

    // IDs run out part way: those found are added and the rest refused as one by one.
    Contacts shortOne(1), shortAll(1);
    for (Contacts *cp : {&shortOne, &shortAll})
        CBasicSettingData(*cp->doc).SetGroupCallStartId(QStringLiteral("9999995"));
    for (int i = 0; i < 5; ++i)
        shortOne.rules().add(prompter);
    EXPECT_EQ(shortAll.rules().add(5, prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(shortAll.rules().count(), 5);
    EXPECT_EQ(std::memcmp(shortOne.image(), shortAll.image(), kImageSize), 0);
}

TEST(ContactRules, CallIdEntry)
{
    Contacts cp(3);
    RecordingPrompter prompter;
    const auto enter = [&](int row, const char *typed) {
        cp.rules().enterCallId(row, QString::fromLatin1(typed), prompter);
        return CContactData(*cp.doc).GetCallId(row);
    };
    EXPECT_EQ(enter(2, "2000000"), "1000002");  // reserved: refused silently
    EXPECT_TRUE(prompter.prompts.isEmpty());
    EXPECT_EQ(enter(2, ""), "0000001");
    EXPECT_EQ(cp.rules().contactType(2), 1);
    EXPECT_EQ(enter(3, "1"), "1000003");
    EXPECT_EQ(prompter.keys(), QStringList{"IDS_EXIST_CALLID"});
    EXPECT_EQ(enter(3, "*******"), "*******");
    EXPECT_EQ(cp.rules().contactType(3), 2);
    EXPECT_EQ(enter(1, "12345678"), "1000001");
}

TEST(ContactRules, CrossingTheStartIdLeavesEveryRxGroup)
{
    Contacts cp(3);
    CRxGroupData rx(*cp.doc);
    rx.SetMembers(1, {1, 2});
    rx.SetMembers(3, {2, 3});
    rx.SetMembers(4, {2});
    CChannelData(*cp.doc).SetRxGroupList(1, 3, 4);
    RecordingPrompter prompter;
    ASSERT_TRUE(cp.rules().enterCallId(2, QStringLiteral("42"), prompter));
    EXPECT_EQ(rx.GetMembers(1) + rx.GetMembers(3), (QList<int>{1, 3}));
    EXPECT_EQ(cp.zoneOne(&CChannelData::GetRxGroupList), (QList<int>{1, 1, 0}));  // list 4 is empty now
    // Staying a group contact keeps the memberships.
    ASSERT_TRUE(cp.rules().enterCallId(3, QStringLiteral("5000001"), prompter));
    EXPECT_EQ(rx.GetMembers(3), QList<int>{3});
}

TEST(ContactRules, CompactionClosesGapsAndReferencesFollow)
{
    Contacts cp(4);
    CRxGroupData(*cp.doc).SetMembers(2, {2, 4});
    CContactData(*cp.doc).SetNumber(2, 0);  // contact 2 is not in use
    EXPECT_EQ(cp.rules().usedContacts(), (QList<int>{1, 3, 4}));
    EXPECT_EQ(cp.rules().count(), 1);
    EXPECT_TRUE(cp.rules().compactIfGapped());
    EXPECT_FALSE(cp.rules().compactIfGapped());  // nothing left to close
    EXPECT_EQ(cp.rules().compact(), 3);
    EXPECT_EQ(cp.record(2), "2:Contact 3:1000003");
    EXPECT_EQ(bytesAt(cp.image(), contactAt(4), 5), "00 00 00 00 00");
    EXPECT_TRUE(allBytesAre(cp.image(), contactAt(4) + 5, contactAt(4) + 33, 0x00));
    EXPECT_EQ(cp.channelContacts(), (QList<int>{1, 0, 2, 3}));
    EXPECT_EQ(CRxGroupData(*cp.doc).GetMembers(2), QList<int>{3});
}

TEST(RxGroupRules, MemberLimitAndEmptiedListReleasesChannels)
{
    Contacts cp(18);
    CRxGroupData rx(*cp.doc);
    CRxGroupRules rules(*cp.doc);
    const QList<int> fourteen{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    rx.SetMembers(2, fourteen);
    RecordingPrompter prompter;
    EXPECT_EQ(rules.moveIn(2, {15, 16, 17}, prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(prompter.keys(), QStringList{"IDS_PROMPT_GROUPLISTMEMBER"});
    EXPECT_TRUE(rules.moveIn(2, {15, 16}, prompter).ok());
    EXPECT_EQ(rx.GetMember(2, 16), 16);
    // An individual contact is not shown, yet its slot counts.
    rx.SetMembers(3, fourteen);
    CContactData(*cp.doc).SetCallId(1, QStringLiteral("0000042"));
    EXPECT_EQ(rules.shownMembers(3).size(), 13);
    EXPECT_FALSE(rules.availableContacts(3).contains(1));
    EXPECT_EQ(rules.moveIn(3, {15, 16, 17}, prompter).refusal, Refusal::Rejected);

    CChannelData(*cp.doc).SetRxGroupList(1, 3, 4);
    rx.SetMembers(4, {5});
    rules.moveOut(4, {5});
    EXPECT_EQ(rx.GetMemberCount(4), 0);
    EXPECT_EQ(cp.zoneOne(&CChannelData::GetRxGroupList).mid(0, 3), (QList<int>{1, 1, 0}));
}

TEST(RxGroupRules, HiddenMembersAreCountedAndRemovedAlone)
{
    Contacts cp(6);
    CRxGroupData rx(*cp.doc);
    CRxGroupRules rules(*cp.doc);
    // Contact 2 becomes an individual call; 150 names no contact.
    CContactData(*cp.doc).SetCallId(2, QStringLiteral("0000042"));
    rx.SetMembers(2, {1, 2, 3, 150, 4});
    EXPECT_EQ(rules.hiddenMembers(2), (QList<int>{2, 150}));
    EXPECT_EQ(rules.removeHiddenMembers(2), 2);
    EXPECT_EQ(rx.GetMembers(2), (QList<int>{1, 3, 4}));
    EXPECT_EQ(rx.GetMemberCount(2), 3);
    EXPECT_EQ(rules.removeHiddenMembers(2), 0);
    EXPECT_EQ(rules.removeHiddenMembers(9), 0);  // no such list

    // A list of hidden members only is left empty and lets its channels go.
    CChannelData(*cp.doc).SetRxGroupList(1, 2, 3);
    rx.SetMembers(3, {2});
    EXPECT_EQ(rules.removeHiddenMembers(3), 1);
    EXPECT_EQ(rx.GetMemberCount(3), 0);
    EXPECT_EQ(CChannelData(*cp.doc).GetRxGroupList(1, 2), 0);
}
