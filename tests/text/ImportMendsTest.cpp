// The text imports and the command line mend the records they change, as
// the forms mend the records they show, and leave every other record alone.

#include "CliRun.h"
#include "TextFixture.h"

#include "sections/ChannelRules.h"
#include "sections/ContactData.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString warningsOf(const YamlCodeplug::ImportReport &report)
{
    QStringList lines;
    for (const auto &m : report.warnings)
        lines << m.toString();
    return lines.join(u'\n');
}

}

TEST(ImportMends, AChangedRecordIsMendedWithAWarningAnUntouchedOneKeepsItsBytes)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addChannel(1);
    CChannelData channels(*t.doc);
    channels.SetChannelMode(1, 1, 2);
    channels.SetChannelMode(1, 2, 2);
    channels.SetBandwidth(1, 1, 3);  // analog channels store 2: both break the rule
    channels.SetBandwidth(1, 2, 3);
    const QByteArray untouched = imageOf(*t.doc);

    // The export of the document as it is comes back byte for byte.
    const YamlCodeplug::ImportReport same = YamlCodeplug::importText(YamlCodeplug::exportText(*t.doc), *t.doc);
    ASSERT_TRUE(same.ok()) << messages(same).toStdString();
    EXPECT_TRUE(same.warnings.isEmpty()) << warningsOf(same).toStdString();
    EXPECT_EQ(firstDifference(imageOf(*t.doc), untouched), "");

    const YamlCodeplug::ImportReport renamed = YamlCodeplug::importText(
        "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Renamed\"\n      - name: \"Channel 2\"\n", *t.doc);
    ASSERT_TRUE(renamed.ok()) << messages(renamed).toStdString();
    ASSERT_EQ(renamed.warnings.size(), 1) << warningsOf(renamed).toStdString();
    EXPECT_EQ(renamed.warnings[0].path, QStringLiteral("zones[1].channels[1]"));
    EXPECT_TRUE(renamed.warnings[0].text.contains(QStringLiteral("bandwidth: 12_5_khz is corrected to 12_5_khz_analog")))
        << renamed.warnings[0].text.toStdString();
    EXPECT_EQ(channels.GetBandwidth(1, 1), 2);
    EXPECT_EQ(channels.GetBandwidth(1, 2), 3);
}

TEST(ImportMends, AnImportThatFailsLeavesNoMendBehind)
{
    TestDocument t(QStringLiteral("VK214"));
    CChannelData(*t.doc).SetBandwidth(1, 1, 0);
    const QByteArray before = imageOf(*t.doc);
    const YamlCodeplug::ImportReport report = YamlCodeplug::importText(
        "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Renamed\"\n        rx_frequency: fast\n", *t.doc);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
}

TEST(ImportMends, AFrequencyOutsideTheBandBecomesTheNearerLimitAsTheFormEntersIt)
{
    TestDocument t(QStringLiteral("VK214"));
    auto viaForm = copyOf(*t.doc);
    CChannelRules(*viaForm).enterFrequency(1, 1, CChannelData::Direction::Receive, QStringLiteral("999"));
    const YamlCodeplug::ImportReport report = YamlCodeplug::importText(
        "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n        rx_frequency: 999\n", *t.doc);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    ASSERT_FALSE(report.warnings.isEmpty());
    EXPECT_TRUE(report.warnings[0].text.contains(QStringLiteral("outside the band"))) << report.warnings[0].text.toStdString();
    EXPECT_EQ(firstDifference(imageOf(*t.doc), imageOf(*viaForm)), "");
}

TEST(ImportMends, TheCommandLineAddsContactsBehindAGapNotOverOneInUse)
{
    TestDocument t(QStringLiteral("VK214"));
    RecordingPrompter prompter;
    CContactRules(*t.doc).add(3, prompter);  // contacts 1..4
    CContactData contacts(*t.doc);
    contacts.SetNumber(3, 0);  // a gap before contact 4
    const QString fourth = contacts.GetName(4);
    const QString dat = QDir(t.config.dir()).filePath(QStringLiteral("a.dat"));
    const QString csv = QDir(t.config.dir()).filePath(QStringLiteral("in.csv"));
    ASSERT_TRUE(DataFile::save(*t.doc, dat));
    t.config.writeFile(QStringLiteral("in.csv"), "Radio ID,Name\n3100100,First\n3100101,Second\n");

    CliRun r = runRq381({QStringLiteral("contacts"), QStringLiteral("import"), dat, csv, QStringLiteral("--config"), t.config.dir()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("warning: contacts: the gaps between contacts are closed"))) << r.err.toStdString();
    TestDocument u(QStringLiteral("VK214"));
    ASSERT_EQ(DataFile::load(*u.doc, dat), DataFile::LoadResult::Loaded);
    const CContactData after(*u.doc);
    EXPECT_EQ(after.CountContacts(), 5);
    EXPECT_EQ(after.GetName(3), fourth);  // kept, not written over
    EXPECT_EQ(after.GetName(5), QStringLiteral("Second"));
}
