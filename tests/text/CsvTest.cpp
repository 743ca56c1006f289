// Contacts and channels as CSV files.

#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"
#include "text/ChannelsCsv.h"
#include "text/ContactsCsv.h"
#include "text/CsvTable.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// A DMR user-database export: radio ID, callsign, first name, and more.
QByteArray userDatabase(int rows)
{
    QByteArray csv = "\xEF\xBB\xBFRADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\r\n";
    for (int i = 0; i < rows; ++i) {
        const char *country = i % 3 == 0 ? "Germany" : "United States";
        csv += QStringLiteral("%1,DL%2,\"Name, %2\",Last,City,,%3\r\n").arg(3100100 + i).arg(i).arg(QLatin1String(country)).toUtf8();
    }
    return csv;
}

}

TEST(CsvTable, QuotesBomWindowsLineEndsAndEncoding)
{
    const CsvTable t = CsvTable::parse("\xEF\xBB\xBF" "a,b\r\n\"x, \"\"y\"\"\",\"two\r\nlines\"\r\nlast,row");
    ASSERT_EQ(t.error, QString());
    EXPECT_EQ(t.header, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    ASSERT_EQ(t.rows.size(), 2);
    EXPECT_EQ(t.rows[0], (QStringList{QStringLiteral("x, \"y\""), QStringLiteral("two\r\nlines")}));
    EXPECT_EQ(t.lines, (QList<int>{3, 4}));

    const QByteArray written = CsvTable::write({QStringLiteral("h")}, {{QStringLiteral("a,\"b\"\nc")}});
    EXPECT_EQ(CsvTable::parse(written).rows.value(0), QStringList{QStringLiteral("a,\"b\"\nc")});
}

TEST(CsvReader, PiecesOfAnySizeGiveTheSameRowsAndLines)
{
    const QByteArray text = "\xEF\xBB\xBF" "a,b\r\n\"x, \"\"y\"\"\",\"two\r\nlines\"\r\nlast,row";
    const CsvTable whole = CsvTable::parse(text);
    for (const qsizetype piece : {qsizetype(1), qsizetype(2), qsizetype(7)}) {
        QList<QStringList> rows;
        QList<int> lines;
        CsvReader reader([&](const QStringList &row, int line) {
            rows << row;
            lines << line;
            return true;
        });
        for (qsizetype at = 0; at < text.size(); at += piece)
            ASSERT_TRUE(reader.feed(text.mid(at, piece)));
        ASSERT_TRUE(reader.finish()) << reader.error().toStdString();
        EXPECT_EQ(rows, QList<QStringList>{whole.header} + whole.rows) << piece;
        EXPECT_EQ(lines.mid(1), whole.lines) << piece;
    }
}

TEST(CsvReader, AnOpenQuoteANulByteAndBrokenUtf8AreErrorsWithTheirLine)
{
    // Without the check the open quote would swallow every following row.
    EXPECT_EQ(CsvTable::parse("id,name\n1,\"Bob\n2,Al\n3,Cy\n").error,
              QStringLiteral("line 2: a quoted field is not closed before the end of the file"));
    EXPECT_TRUE(CsvTable::parse(QByteArray("id,name\n1,Al\n2,B") + '\0' + "b\n").error.startsWith(QStringLiteral("line 3: a field holds a NUL byte")));
    EXPECT_TRUE(CsvTable::parse("name\nok\n\xC4\xE3\xBA\xC3\n").error.startsWith(QStringLiteral("the file is not UTF-8 text (line 3)")));
    EXPECT_EQ(CsvTable::parse("id,name\n1,\"\"Bob\"\n2,Al\n").error,
              QStringLiteral("line 2: a quote where CSV allows none (a field with quotes must be quoted whole, its own quotes "
                             "doubled)"));
    // A quote closed on a later line is one field over two lines, no error.
    EXPECT_EQ(CsvTable::parse("id,name\n1,\"Bob\nAl\"\n").rows.value(0).value(1), QStringLiteral("Bob\nAl"));
}

TEST(ContactsCsv, AnErrorAfterRowsWereAddedLeavesTheCodeplugAsItWas)
{
    TestDocument t(QStringLiteral("VK214"));
    const auto before = t.doc->currentImage();
    QByteArray csv = userDatabase(5) + "3200000,XX9,\"open";
    QBuffer file(&csv);
    file.open(QIODevice::ReadOnly);
    const ContactsCsv::Report report = ContactsCsv::importFile(file, *t.doc, {true, QString(), -1});
    EXPECT_EQ(report.error, QStringLiteral("line 7: a quoted field is not closed before the end of the file"));
    EXPECT_EQ(report.added, 0);
    EXPECT_TRUE(t.doc->currentImage() == before);

    // Streamed from a file, the rows are taken as from the text.
    csv = userDatabase(30);
    QBuffer again(&csv);
    again.open(QIODevice::ReadOnly);
    TestDocument other(QStringLiteral("VK214"));
    const ContactsCsv::Report streamed = ContactsCsv::importFile(again, *t.doc, {false, QStringLiteral("Germany"), 4});
    const ContactsCsv::Report whole = ContactsCsv::importText(csv, *other.doc, {false, QStringLiteral("Germany"), 4});
    EXPECT_EQ(streamed.added, 4);
    EXPECT_EQ(streamed.skipped, whole.skipped);
    EXPECT_TRUE(t.doc->currentImage() == other.doc->currentImage());
}

TEST(ContactsCsv, UserDatabaseRowsGoThroughTheContactRulesAndSkipsAreCounted)
{
    TestDocument t(QStringLiteral("VK214"));
    QByteArray csv = userDatabase(3);
    csv += "2000000,XX1,Reserved,,,,Germany\r\n"     // reserved ID
           "12345678,XX2,Long,,,,Germany\r\n"        // 8 digits do not fit
           "3100100,XX3,Same ID,,,,Germany\r\n"      // duplicate ID
           "3100999,DL0,\"Name, 0\",,,,Germany\r\n"; // duplicate name
    const ContactsCsv::Report report = ContactsCsv::importText(csv, *t.doc, {});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.added, 3);
    EXPECT_EQ(report.skipped, (QMap<QString, int>{{QStringLiteral("reserved call ID"), 1},
                                                   {QStringLiteral("call ID longer than 7 digits"), 1},
                                                   {QStringLiteral("duplicate call ID"), 1},
                                                   {QStringLiteral("duplicate name"), 1}}));
    const CContactData contacts(*t.doc);
    EXPECT_EQ(contacts.CountContacts(), 4);
    EXPECT_EQ(contacts.GetName(2), QStringLiteral("DL0 Name, 0"));
    EXPECT_EQ(contacts.GetCallId(2), QStringLiteral("3100100"));
}

TEST(ContactsCsv, CapacityMatchLimitAndReplace)
{
    TestDocument t(QStringLiteral("VK214"));
    const QByteArray csv = userDatabase(400);
    ContactsCsv::Report report = ContactsCsv::importText(csv, *t.doc, {});
    EXPECT_EQ(report.added, 199);
    EXPECT_EQ(report.skipped.value(QStringLiteral("beyond the 200 contacts that fit")), 201);
    EXPECT_EQ(CContactData(*t.doc).CountContacts(), 200);

    TestDocument u(QStringLiteral("VK214"));
    report = ContactsCsv::importText(csv, *u.doc, {true, QStringLiteral("germany"), 10});
    EXPECT_EQ(report.added, 10);
    EXPECT_EQ(report.skipped.value(QStringLiteral("not matching")), 266);
    EXPECT_EQ(report.skipped.value(QStringLiteral("past --limit 10")), 134 - 10);
    const CContactData contacts(*u.doc);
    EXPECT_EQ(contacts.CountContacts(), 10);
    EXPECT_EQ(contacts.GetName(1), QStringLiteral("DL0 Name, 0"));  // the old contact 1 was replaced
}

TEST(ChannelsCsv, ASpreadsheetEditComesBackAndErrorsNameRowAndColumn)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance lists(*t.doc);
    lists.addChannel(1);
    lists.addZone();
    const CsvTable exported = CsvTable::parse(ChannelsCsv::exportText(*t.doc));
    ASSERT_EQ(exported.rows.size(), 3);

    // Rows reordered and a column changed, as a spreadsheet would save them.
    QList<QStringList> rows = exported.rows;
    std::swap(rows[0], rows[1]);
    const int power = int(exported.header.indexOf(QStringLiteral("power")));
    for (QStringList &row : rows)
        row[power] = QStringLiteral("low");
    ChannelsCsv::Report report = ChannelsCsv::importText(CsvTable::write(exported.header, rows), *t.doc);
    ASSERT_TRUE(report.ok()) << report.errors.join(u'\n').toStdString();
    const CChannelData channels(*t.doc);
    EXPECT_EQ(channels.GetChannelName(1, 1), QStringLiteral("Channel 2"));
    EXPECT_EQ(channels.GetChannelName(1, 2), QStringLiteral("Channel 1"));
    EXPECT_EQ(channels.GetZoneName(2), QStringLiteral("Zone 2"));
    EXPECT_EQ(channels.GetPower(2, 1), 0);

    const QByteArray before = imageOf(*t.doc);
    rows[2][power] = QStringLiteral("lowest");
    report = ChannelsCsv::importText(CsvTable::write(exported.header, rows), *t.doc);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].startsWith(QStringLiteral("row 4 (line 4), column power: unknown choice"))) << report.errors[0].toStdString();
    rows[2][power] = QStringLiteral("low");
    rows[2][exported.header.indexOf(QStringLiteral("contact"))] = QStringLiteral("Nobody");
    report = ChannelsCsv::importText(CsvTable::write(exported.header, rows), *t.doc);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].contains(QStringLiteral("column contact: no contact is named \"Nobody\"")));

    // A column given twice is ambiguous: which of the two would count?
    QStringList header = exported.header;
    header[power] = QStringLiteral("Contact");
    rows[2][power] = QStringLiteral("Contact 1");
    report = ChannelsCsv::importText(CsvTable::write(header, rows), *t.doc);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].contains(QStringLiteral("given twice"))) << report.errors[0].toStdString();
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
}

// A replace keeps every reference to a contact the new list still holds,
// found by call ID, else by name, and counts what it had to clear.
TEST(ContactsCsv, ReplaceKeepsReferencesByCallIdOrNameAndCountsTheCleared)
{
    TestDocument t(QStringLiteral("VK214"));
    ASSERT_EQ(ContactsCsv::importText("Name,Call ID\nAlice,1000002\nBob,1000003\nCarol,1234\nDave,1000005\n", *t.doc, {}).added, 4);
    CListMaintenance lists(*t.doc);
    for (int c = 2; c <= 4; ++c)
        lists.addChannel(1);
    CChannelData channels(*t.doc);
    for (int c = 1; c <= 4; ++c)
        channels.SetContact(1, c, c + 1);  // Alice, Bob, Carol, Dave
    CRxGroupData(*t.doc).SetMembers(1, {1, 2, 3, 5});

    // The unchanged export changes nothing at all.
    const QByteArray before = imageOf(*t.doc);
    ContactsCsv::Report report = ContactsCsv::importText(ContactsCsv::exportText(*t.doc), *t.doc, {true, {}, -1});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(report.added, 5);
    EXPECT_TRUE(report.clearedReferences.isEmpty());
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");

    // Reordered, Bob renamed (same ID), Contact 1 with a new ID (same name), Carol gone.
    report = ContactsCsv::importText("Name,Call ID\nDave,1000005\nAlice,1000002\nRobert,1000003\nContact 1,1000009\n", *t.doc,
                                     {true, {}, -1});
    ASSERT_TRUE(report.ok()) << report.error.toStdString();
    EXPECT_EQ(channels.GetContact(1, 1), 2);  // Alice
    EXPECT_EQ(channels.GetContact(1, 2), 3);  // Robert, once Bob
    EXPECT_EQ(channels.GetContact(1, 3), 0);  // Carol is gone
    EXPECT_EQ(channels.GetContact(1, 4), 1);  // Dave
    EXPECT_EQ(CRxGroupData(*t.doc).GetMembers(1), (QList<int>{4, 2, 3, 1}));
    EXPECT_EQ(report.clearedReferences, (QMap<QString, int>{{QStringLiteral("channels' contacts"), 1}}));
}
