// CSV files as spreadsheet programs save them: other separators, other
// encodings, other spellings, blank lines and cells.

#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ListMaintenance.h"
#include "text/ChannelsCsv.h"
#include "text/CsvTable.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

using Dir = CChannelData::Direction;

QByteArray utf16(const QString &text, QStringEncoder::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
    return encoder(text);
}

QString errors(const ChannelsCsv::Report &report)
{
    return report.errors.join(u'\n');
}

// The exported channels CSV with cell (row, column key) changed.
QByteArray edited(CPcSoftwareDoc &doc, const QList<std::tuple<int, QString, QString>> &changes, QList<QStringList> extraRows = {})
{
    CsvTable table = CsvTable::parse(ChannelsCsv::exportText(doc));
    for (const auto &[row, key, value] : changes)
        table.rows[row][table.header.indexOf(key)] = value;
    for (QStringList &extra : extraRows) {
        while (extra.size() < table.header.size())
            extra << QString();
        table.rows << extra;
    }
    return CsvTable::write(table.header, table.rows);
}

}

TEST(CsvReader, SeparatorEncodingBlankRowsAndTrailingColumn)
{
    const QList<QStringList> expected{{QStringLiteral("a"), QStringLiteral("b c")}, {QStringLiteral("1,5"), QStringLiteral("x;y")}};
    for (const QByteArray &text : {QByteArray("a;b c;\r\n1,5;\"x;y\";\r\n;;\r\n"), QByteArray("a,b c,\n\"1,5\",x;y,\n,,\n\n"),
                                   QByteArray("a\tb c\n1,5\tx;y\n")}) {
        const CsvTable t = CsvTable::parse(text);
        ASSERT_EQ(t.error, QString()) << text.constData();
        EXPECT_EQ(t.header, expected[0]) << text.constData();
        ASSERT_EQ(t.rows.size(), 1) << text.constData();
        EXPECT_EQ(t.rows[0].mid(0, 2), expected[1]) << text.constData();
    }

    // UTF-16 with its byte-order mark, either order, is read as UTF-8 would be.
    const QString text = QStringLiteral("name,id\r\nJürgen 信,1\r\n");
    for (const auto encoding : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE}) {
        const CsvTable t = CsvTable::parse(utf16(text, encoding));
        ASSERT_EQ(t.error, QString());
        EXPECT_EQ(t.rows.value(0).value(0), QStringLiteral("Jürgen 信"));
    }
    // Fed a byte at a time (the mark split too), the same.
    const QByteArray bytes = utf16(text, QStringEncoder::Utf16LE);
    QList<QStringList> rows;
    CsvReader reader([&](const QStringList &row, int) {
        rows << row;
        return true;
    });
    for (char c : bytes)
        ASSERT_TRUE(reader.feed(&c, 1));
    ASSERT_TRUE(reader.finish()) << reader.error().toStdString();
    EXPECT_EQ(rows.value(1).value(0), QStringLiteral("Jürgen 信"));

    // Windows-1252 and UTF-16 without its mark are refused with how to save them.
    const QString cp1252 = CsvTable::parse("name\nJ\xFCrgen\n").error;
    EXPECT_TRUE(cp1252.startsWith(QStringLiteral("the file is not UTF-8 text (line 2)"))) << cp1252.toStdString();
    EXPECT_TRUE(cp1252.contains(QStringLiteral("save it as \"CSV UTF-8\""))) << cp1252.toStdString();
    const QString unmarked = CsvTable::parse(utf16(text, QStringEncoder::Utf16LE).mid(2)).error;
    EXPECT_TRUE(unmarked.contains(QStringLiteral("NUL byte"))) << unmarked.toStdString();
    EXPECT_TRUE(unmarked.contains(QStringLiteral("CSV UTF-8"))) << unmarked.toStdString();
}

TEST(ChannelsCsv, AnUnchangedExportComesBackByteIdentical)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addChannel(1);
    CChannelData channels(*t.doc);
    channels.SetChannelName(1, 1, QStringLiteral("  spaced  "));
    channels.SetZoneName(1, QStringLiteral(" Zone 1"));
    const QByteArray before = imageOf(*t.doc);
    const QByteArray csv = ChannelsCsv::exportText(*t.doc);
    const ChannelsCsv::Report report = ChannelsCsv::importText(csv, *t.doc);
    ASSERT_TRUE(report.ok()) << errors(report).toStdString();
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
    EXPECT_EQ(channels.GetChannelName(1, 1), QStringLiteral("  spaced  "));
}

TEST(ChannelsCsv, SpreadsheetSpellingsSemicolonsAndBlankLines)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addChannel(1);
    // As a spreadsheet program saves it: upper-case truth values, Yes/No,
    // capitalised choices, a semicolon separator, a trailing empty column,
    // blank rows.
    QByteArray csv = edited(*t.doc, {{0, QStringLiteral("power"), QStringLiteral("HIGH")},
                                     {0, QStringLiteral("auto_scan"), QStringLiteral("TRUE")},
                                     {0, QStringLiteral("beat_shift"), QStringLiteral("Yes")},
                                     {1, QStringLiteral("power"), QStringLiteral(" Middle ")},
                                     {1, QStringLiteral("auto_scan"), QStringLiteral("yes")},
                                     {1, QStringLiteral("beat_shift"), QStringLiteral("FALSE")}});
    csv.replace(",", ";").replace("\r\n", ";\r\n").append(";;;\r\n\r\n");
    ChannelsCsv::Report report = ChannelsCsv::importText(csv, *t.doc);
    ASSERT_TRUE(report.ok()) << errors(report).toStdString();
    const CChannelData channels(*t.doc);
    EXPECT_EQ(channels.CountChannels(1), 2);
    EXPECT_EQ(channels.GetPower(1, 1), 2);
    EXPECT_EQ(channels.GetPower(1, 2), 1);
    EXPECT_TRUE(channels.GetAutoScan(1, 1) && channels.GetAutoScan(1, 2));
    EXPECT_TRUE(channels.GetBeatShift(1, 1));
    EXPECT_FALSE(channels.GetBeatShift(1, 2));

    // A decimal comma is named as such; a spelling that is neither is still refused.
    const QByteArray before = imageOf(*t.doc);
    report = ChannelsCsv::importText(edited(*t.doc, {{0, QStringLiteral("rx_frequency"), QStringLiteral("434,125")}}), *t.doc);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].endsWith(QStringLiteral("434,125: use a point as the decimal mark, not a comma")))
        << report.errors[0].toStdString();
    report = ChannelsCsv::importText(edited(*t.doc, {{0, QStringLiteral("auto_scan"), QStringLiteral("maybe")}}), *t.doc);
    EXPECT_EQ(report.errors.size(), 1);
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
}

TEST(ChannelsCsv, LineBreaksTabsAndUnnamedColumnsAreRefused)
{
    TestDocument t(QStringLiteral("VK214"));
    const QByteArray before = imageOf(*t.doc);
    for (const QString &name : {QStringLiteral("Two\nlines"), QStringLiteral("Tab\there"), QStringLiteral("Ends\r\n")}) {
        const ChannelsCsv::Report report = ChannelsCsv::importText(edited(*t.doc, {{0, QStringLiteral("name"), name}}), *t.doc);
        ASSERT_EQ(report.errors.size(), 1) << errors(report).toStdString();
        EXPECT_TRUE(report.errors[0].endsWith(QStringLiteral("column name: a line break or tab cannot be part of a name")));
    }
    ChannelsCsv::Report report = ChannelsCsv::importText(edited(*t.doc, {{0, QStringLiteral("zone"), QStringLiteral("Z\n1")}}), *t.doc);
    EXPECT_EQ(report.errors.size(), 1);

    // A value beyond the header's columns would be lost.
    QByteArray csv = ChannelsCsv::exportText(*t.doc);
    csv.insert(csv.lastIndexOf("\r\n"), ",stray");
    report = ChannelsCsv::importText(csv, *t.doc);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].contains(QStringLiteral("a value in a column the header does not name")));
    // An open quote is an error with its line, not the end of the file.
    report = ChannelsCsv::importText(ChannelsCsv::exportText(*t.doc) + "Zone 1,\"open\r\n", *t.doc);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_EQ(report.errors[0], QStringLiteral("line 3: a quoted field is not closed before the end of the file"));
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
}

TEST(ChannelsCsv, BlankCellsOfANewRowTakeTheNewChannelsValues)
{
    TestDocument t(QStringLiteral("VK214"));
    CChannelData channels(*t.doc);
    channels.SetPower(1, 1, 0);
    channels.SetAutoScan(1, 1, true);
    // The new row stands first, where "Channel 1" stood: it must not take
    // Channel 1's values.
    CsvTable table = CsvTable::parse(ChannelsCsv::exportText(*t.doc));
    QStringList fresh(table.header.size());
    fresh[0] = QStringLiteral("Zone 1");
    fresh[table.header.indexOf(QStringLiteral("name"))] = QStringLiteral("New");
    fresh[table.header.indexOf(QStringLiteral("rx_frequency"))] = QStringLiteral("435.0000");
    table.rows.prepend(fresh);
    const ChannelsCsv::Report report = ChannelsCsv::importText(CsvTable::write(table.header, table.rows), *t.doc);
    ASSERT_TRUE(report.ok()) << errors(report).toStdString();

    TestDocument plain(QStringLiteral("VK214"));
    CListMaintenance(*plain.doc).addChannel(1);
    const CChannelData added(*plain.doc);
    ASSERT_EQ(channels.GetChannelName(1, 1), QStringLiteral("New"));
    EXPECT_EQ(channels.GetPower(1, 1), added.GetPower(1, 2));
    EXPECT_EQ(channels.GetAutoScan(1, 1), added.GetAutoScan(1, 2));
    // Simplex, not the band minimum.
    EXPECT_EQ(channels.GetFrequency(1, 1, Dir::Transmit), channels.GetFrequency(1, 1, Dir::Receive));
    EXPECT_TRUE(channels.GetFrequency(1, 1, Dir::Transmit).startsWith(QStringLiteral("435.000")));
    EXPECT_EQ(channels.GetPower(1, 2), 0);  // Channel 1 kept its own
    EXPECT_TRUE(channels.GetAutoScan(1, 2));
}

TEST(ChannelsCsv, ACellStoredAloneReadsAsTheSheetReadsItAndGoesThroughItsField)
{
    TestDocument t(QStringLiteral("VK214"));
    const Fields::RecordSchema &record = *Fields::recordSchema(QStringLiteral("zones.channels"));
    const auto store = [&](const char *key, const QString &cell) {
        return ChannelsCsv::storeCell(*Fields::findField(record, QLatin1String(key)), *t.doc, Fields::At{1, 1}, cell);
    };
    const CChannelData channels(*t.doc);
    EXPECT_FALSE(store("power", QStringLiteral(" LOW ")).isRefused());
    EXPECT_EQ(channels.GetPower(1, 1), 0);
    EXPECT_FALSE(store("auto_scan", QStringLiteral("Yes")).isRefused());
    EXPECT_TRUE(channels.GetAutoScan(1, 1));
    EXPECT_FALSE(store("name", QStringLiteral(" Spaced ")).isRefused());
    EXPECT_EQ(channels.GetChannelName(1, 1), QStringLiteral(" Spaced "));

    const QByteArray before = imageOf(*t.doc);
    const Fields::Store comma = store("rx_frequency", QStringLiteral("434,125"));
    EXPECT_TRUE(comma.isRefused());
    EXPECT_EQ(comma.error, QStringLiteral("434,125: use a point as the decimal mark, not a comma"));
    EXPECT_TRUE(store("power", QStringLiteral("loud")).isRefused());
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
}
