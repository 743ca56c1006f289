// Several contacts changed at once by value texts: the grid's multi-row
// store and its spreadsheet paste.

#include "TestSupport.h"

#include "fields/ContactSheet.h"
#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/RxGroupData.h"

#include <gtest/gtest.h>

namespace {

// `count` contacts "Contact 1".. with IDs 1000001.. above the start ID
// 1000000, contacts 1 and 2 members of RX group list 1.
struct Contacts : TestDocument
{
    explicit Contacts(int count)
    {
        CBasicSettingData(*doc).SetGroupCallStartId(QStringLiteral("1000000"));
        RecordingPrompter prompter;
        if (count > 1)
            CContactRules(*doc).add(count - 1, prompter);
        CRxGroupData(*doc).SetMembers(1, {1, 2});
    }
    const Fields::Field &name() const { return *ContactSheet::field(QStringLiteral("name")); }
    const Fields::Field &callId() const { return *ContactSheet::field(QStringLiteral("call_id")); }
    QString idOf(int contact) const { return CContactData(*doc).GetCallId(contact); }
    QString nameOf(int contact) const { return CContactData(*doc).GetName(contact); }
};

QList<int> refusedRows(const ContactSheet::Result &result)
{
    QList<int> rows;
    for (const ContactSheet::Refusal &refusal : result.refused)
        rows << refusal.row;
    return rows;
}

}

TEST(ContactSheet, AStoreGoesThroughTheFieldAndRefusesWhatAnotherContactHas)
{
    Contacts t(5);
    const QByteArray before = imageOf(*t.doc);

    // A name or ID of another contact, an empty name and a reserved ID
    // change no byte and say why.
    EXPECT_EQ(ContactSheet::store(*t.doc, t.name(), 2, QStringLiteral("Contact 4")).key, QStringLiteral("IDS_EXIST_NAME"));
    EXPECT_EQ(ContactSheet::store(*t.doc, t.name(), 2, QString()).key, Fields::Refuse::EmptyName);
    EXPECT_EQ(ContactSheet::store(*t.doc, t.callId(), 2, QStringLiteral("1000004")).key, QStringLiteral("IDS_EXIST_CALLID"));
    EXPECT_EQ(ContactSheet::store(*t.doc, t.callId(), 2, QStringLiteral("2000000")).key, Fields::Refuse::ReservedId);
    EXPECT_TRUE(ContactSheet::store(*t.doc, t.callId(), 6, QStringLiteral("1000100")).isRefused());
    EXPECT_EQ(imageOf(*t.doc), before);

    // Contact 5 an individual call; contact 2, a group member, given its ID:
    // the store would have taken 2 out of the RX group list, and the refusal
    // takes that back too.
    ASSERT_FALSE(ContactSheet::store(*t.doc, t.callId(), 5, QStringLiteral("123")).isRefused());
    EXPECT_EQ(t.idOf(5), QStringLiteral("0000123"));
    const QByteArray individual = imageOf(*t.doc);
    EXPECT_EQ(ContactSheet::store(*t.doc, t.callId(), 2, QStringLiteral("0000123")).key, QStringLiteral("IDS_EXIST_CALLID"));
    EXPECT_EQ(imageOf(*t.doc), individual);
    EXPECT_EQ(CRxGroupData(*t.doc).GetMembers(1), (QList<int>{1, 2}));

    // A padded ID from a spreadsheet, a zero ID and a long name are the
    // field's corrections; the same value again writes nothing.
    EXPECT_FALSE(ContactSheet::store(*t.doc, t.callId(), 3, QStringLiteral(" 1000300 ")).isRefused());
    EXPECT_EQ(t.idOf(3), QStringLiteral("1000300"));
    EXPECT_FALSE(ContactSheet::store(*t.doc, t.callId(), 4, QStringLiteral("0")).warning.isEmpty());
    EXPECT_EQ(t.idOf(4), QStringLiteral("0000001"));
    EXPECT_FALSE(ContactSheet::store(*t.doc, t.name(), 1, QStringLiteral("A name far too long")).warning.isEmpty());
    const QByteArray stored = imageOf(*t.doc);
    EXPECT_FALSE(ContactSheet::store(*t.doc, t.name(), 1, t.nameOf(1)).isRefused());
    EXPECT_EQ(imageOf(*t.doc), stored);
}

TEST(ContactSheet, OneValueOnSeveralRowsClosesTheGapsAndListsTheRowsThatRefuse)
{
    Contacts t(5);
    CContactData(*t.doc).SetNumber(3, 0);  // a gap: rows 1..4 are contacts 1, 2, 4, 5

    const ContactSheet::Result result = ContactSheet::setOnRows(*t.doc, t.callId(), {4, 2, 3, 3, 9}, QStringLiteral("1000100"));
    EXPECT_EQ(CContactRules(*t.doc).usedContacts(), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(result.stored, 1);
    EXPECT_EQ(refusedRows(result), (QList<int>{3, 4}));
    EXPECT_EQ(result.refused.value(0).store.key, QStringLiteral("IDS_EXIST_CALLID"));
    EXPECT_EQ(t.idOf(2), QStringLiteral("1000100"));
    EXPECT_EQ(t.idOf(3), QStringLiteral("1000004"));
    EXPECT_EQ(t.idOf(4), QStringLiteral("1000005"));
}

TEST(ContactSheet, APastedBlockAddsContactsPastTheEndWhileTheListTakesThem)
{
    Contacts t(197);
    const QList<const Fields::Field *> columns{&t.name(), nullptr, &t.callId()};
    // Row 199 takes the ID the addition of row 200 would have given, had
    // both been added first; the blank rows at the end are no rows.
    const QList<QStringList> block{
        {QStringLiteral("Base"), QStringLiteral("group"), QStringLiteral("1000500")},
        {QStringLiteral("Car"), QString(), QString()},
        {QStringLiteral("Depot"), QString(), QStringLiteral("1000199")},
        {QStringLiteral("Depot 2"), QString(), QStringLiteral("1000198")},
        {QStringLiteral("Left out"), QString(), QStringLiteral("1000600")},
        {QString(), QStringLiteral("ignored"), QString()},
        {QString()},
    };
    const ContactSheet::Result result = ContactSheet::paste(*t.doc, 197, columns, block);
    EXPECT_EQ(CContactRules(*t.doc).count(), 200);
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(result.leftOut, 1);
    EXPECT_EQ(result.stored, 7);
    EXPECT_EQ(refusedRows(result), QList<int>{});
    EXPECT_EQ(t.nameOf(197) + " " + t.idOf(197), QStringLiteral("Base 1000500"));
    EXPECT_EQ(t.nameOf(198) + " " + t.idOf(198), QStringLiteral("Car 1000197"));
    EXPECT_EQ(t.nameOf(199) + " " + t.idOf(199), QStringLiteral("Depot 1000199"));
    EXPECT_EQ(t.nameOf(200) + " " + t.idOf(200), QStringLiteral("Depot 2 1000198"));
}
