// Contact lists as radio amateurs have them: a hotspot's ID list, talk-group
// lists, other name columns, and what their call types become.

#include "TextFixture.h"

#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"
#include "text/ContactsCsv.h"

#include <gtest/gtest.h>

namespace {

struct Imported
{
    ContactsCsv::Report report;
    QStringList names, ids;
};

Imported import(const QByteArray &csv, const ContactsCsv::Options &options = {})
{
    TestDocument t(QStringLiteral("VK214"));
    Imported result{ContactsCsv::importText(csv, *t.doc, options), {}, {}};
    const CContactData contacts(*t.doc);
    for (int i = 2; i <= contacts.CountContacts(); ++i) {  // contact 1 is the codeplug's own
        result.names << contacts.GetName(i);
        result.ids << contacts.GetCallId(i);
    }
    return result;
}

}

TEST(ContactLists, EachLayoutGivesItsIdsAndNames)
{
    struct Layout
    {
        const char *what;
        QByteArray csv;
        QStringList names, ids;
    };
    const QList<Layout> layouts{
        {"hotspot DMRIds.dat", "3100001\tK1ABC\tJohn\n3100002\tK1ABD\tMary, Jo\n",
         {QStringLiteral("K1ABC John"), QStringLiteral("K1ABD Mary, Jo")}, {QStringLiteral("3100001"), QStringLiteral("3100002")}},
        {"talk groups by country", "Country,Talkgroup,Name\nGermany,262,Deutschland\nWorld,91,Worldwide\n",
         {QStringLiteral("Deutschland"), QStringLiteral("Worldwide")}, {QStringLiteral("0000262"), QStringLiteral("0000091")}},
        {"talk groups", "ID,Name\r\n9,Local\r\n", {QStringLiteral("Local")}, {QStringLiteral("0000009")}},
        {"call alias", "Call ID;Call Alias\n2620001;DB0ABC\n", {QStringLiteral("DB0ABC")}, {QStringLiteral("2620001")}},
        {"repeaters", "Repeater,ID\nDM0XYZ Hill,262302\n", {QStringLiteral("DM0XYZ Hill")}, {QStringLiteral("0262302")}},
    };
    for (const Layout &layout : layouts) {
        const Imported got = import(layout.csv);
        ASSERT_TRUE(got.report.ok()) << layout.what << ": " << got.report.error.toStdString();
        EXPECT_EQ(got.names, layout.names) << layout.what;
        EXPECT_EQ(got.ids, layout.ids) << layout.what;
        EXPECT_TRUE(got.report.skipped.isEmpty()) << layout.what;
    }
}

TEST(ContactLists, RowsThatCannotBeSplitAreNamedAsSuch)
{
    // The header names an ID column but is not split at all.
    Imported got = import("Radio ID|Callsign|Name\n3100001|K1ABC|John\n");
    EXPECT_TRUE(got.report.error.startsWith(QStringLiteral("the header \"Radio ID|Callsign|Name\" names a call-ID column but could "
                                                           "not be split into columns")))
        << got.report.error.toStdString();
    got = import("Call ID,Remark\n1,x\n");
    EXPECT_EQ(got.report.error, QStringLiteral("the header has the call-ID column \"Call ID\" but no name column (Name, Call Alias, "
                                               "Repeater, Callsign)"));
    EXPECT_EQ(import("who,what\nx,1\n").report.error,
              QStringLiteral("no call-ID column (Call ID, Radio ID, DMR ID, ID, Talkgroup) in the header"));

    // A row with spaces where the header has commas.
    got = import("Radio ID,Callsign,Name\n3100001 K1ABC John\n3100002,K1ABD,Mary\n");
    ASSERT_TRUE(got.report.ok());
    EXPECT_EQ(got.report.added, 1);
    EXPECT_EQ(got.report.skipped, (QMap<QString, int>{{QStringLiteral("the row could not be split into the header's columns"), 1}}));

    // A line break or tab inside a quoted name never reaches the contact.
    got = import("Name,Call ID\n\"Two\nlines\",1000010\n\"Tab\there\",1000011\nFine,1000012\n");
    EXPECT_EQ(got.names, QStringList{QStringLiteral("Fine")});
    EXPECT_EQ(got.report.skipped.value(QStringLiteral("a line break or tab in the name")), 2);
}

TEST(ContactLists, MatchByColumnAndLimitCountsWhatMatchKept)
{
    QByteArray csv = "RADIO_ID,CALLSIGN,FIRST_NAME,COUNTRY\n";
    for (int i = 0; i < 30; ++i)
        csv += QStringLiteral("%1,DL%2,%3,%4\n")
                   .arg(3100100 + i)
                   .arg(i)
                   .arg(i % 2 ? QStringLiteral("Germany") : QStringLiteral("Hans"))  // a name that reads like a country
                   .arg(i % 3 ? QStringLiteral("United States") : QStringLiteral("Germany"))
                   .toUtf8();
    EXPECT_EQ(import(csv, {false, QStringLiteral("germany"), -1}).report.added, 20);
    Imported got = import(csv, {false, QStringLiteral("Country=germany"), -1});
    EXPECT_EQ(got.report.added, 10);
    EXPECT_EQ(got.report.skipped.value(QStringLiteral("not matching")), 20);
    // Text with "=" that names no column is looked for as it is.
    EXPECT_EQ(import(csv, {false, QStringLiteral("nowhere=germany"), -1}).report.added, 0);

    // The limit counts the matching rows, and rows past it say so even
    // while the list has room.
    got = import(csv, {false, QStringLiteral("COUNTRY=Germany"), 4});
    EXPECT_EQ(got.report.added, 4);
    EXPECT_EQ(got.report.skipped, (QMap<QString, int>{{QStringLiteral("not matching"), 20}, {QStringLiteral("past --limit 4"), 6}}));
    EXPECT_EQ(got.names.value(0), QStringLiteral("DL0 Hans"));
    EXPECT_EQ(got.names.value(3), QStringLiteral("DL9 Germany"));
}

TEST(ContactLists, CallTypesByStartIdAndByTheCallTypeColumn)
{
    const QByteArray csv = "Name,Call ID,Call Type\nAl,3100001,Private Call\nBo,91,GROUP CALL\nCy,2620001,group\nDi,12345,private\n";
    Imported got = import(csv);
    ASSERT_TRUE(got.report.ok()) << got.report.error.toStdString();
    EXPECT_EQ(got.report.groupCallStartId, 1000000);
    EXPECT_EQ(got.report.groupCalls, 1);      // Al; Cy is a group call as marked
    EXPECT_EQ(got.report.markedPrivate, 2);
    EXPECT_EQ(got.report.markedGroup, 2);
    EXPECT_EQ(got.report.privateAsGroup, 1);  // Al
    EXPECT_EQ(got.report.groupAsPrivate, 1);  // Bo
    const QString summary = ContactsCsv::callTypeSummary(got.report);
    EXPECT_TRUE(summary.contains(QStringLiteral("1 contact(s) became group calls: their call ID is at or above the group-call start ID "
                                                "1000000 (group_call_start_id in digital_basic_settings")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("the Call Type column marks 2 row(s) private and 2 group"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("1 row(s) marked private became group calls"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("1 row(s) marked group became private calls"))) << summary.toStdString();

    // A raised start ID keeps a user database's IDs private calls.
    TestDocument t(QStringLiteral("VK214"));
    CBasicSettingData(*t.doc).SetGroupCallStartId(QStringLiteral("9000001"));
    const ContactsCsv::Report raised = ContactsCsv::importText("3100001\tK1ABC\tJohn\n", *t.doc, {});
    EXPECT_EQ(raised.added, 1);
    EXPECT_EQ(raised.groupCalls, 0);
    EXPECT_EQ(ContactsCsv::callTypeSummary(raised), QString());
}
