// rq381 export, import and diff on files.

#include "CliRun.h"
#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ListMaintenance.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct CliFiles
{
    explicit CliFiles(const QString &model) : t(model)
    {
        path = [this](const char *name) { return QDir(t.config.dir()).filePath(QString::fromLatin1(name)); };
    }
    CliRun run(QStringList args)
    {
        args << QStringLiteral("--config") << t.config.dir();
        return runRq381(args);
    }
    TestDocument t;
    std::function<QString(const char *)> path;
};

}

TEST(TextCli, ExportImportWithBaseGivesTheSameFileAndErrorsWriteNothing)
{
    CliFiles f(QStringLiteral("VK214"));
    CChannelData(*f.t.doc).SetChannelName(1, 1, QStringLiteral("信道 1"));
    ASSERT_TRUE(DataFile::save(*f.t.doc, f.path("a.dat")));

    CliRun r = f.run({QStringLiteral("export"), f.path("a.dat"), QStringLiteral("-o"), f.path("a.yaml")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(fileBytes(f.path("a.yaml")).contains("name: \"信道 1\""));
    r = f.run({QStringLiteral("import"), f.path("a.yaml"), QStringLiteral("-o"), f.path("b.dat"), QStringLiteral("--base"), f.path("a.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(fileBytes(f.path("b.dat")), fileBytes(f.path("a.dat")));

    // Standard output by default.
    r = f.run({QStringLiteral("export"), f.path("a.dat")});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("format: rq381-codeplug")));

    f.t.config.writeFile(QStringLiteral("bad.yaml"),
                         "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n        rx_frequency: fast\n");
    r = f.run({QStringLiteral("import"), f.path("bad.yaml"), QStringLiteral("-o"), f.path("d.dat"), QStringLiteral("--base"), f.path("a.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("zones[1].channels[1].rx_frequency (line 5)"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("nothing was written")));
    EXPECT_FALSE(QFile::exists(f.path("d.dat")));
}

TEST(TextCli, DiffPrintsOneLinePerFieldAndUncoveredBytes)
{
    CliFiles f(QStringLiteral("VK214"));
    ASSERT_TRUE(DataFile::save(*f.t.doc, f.path("a.dat")));
    CChannelData(*f.t.doc).SetFrequency(1, 1, CChannelData::Direction::Receive, QStringLiteral("434.15"));
    f.t.image()[0x9000] = 0x12;  // no field covers it
    f.t.image()[0x9001] = 0x34;
    ASSERT_TRUE(DataFile::save(*f.t.doc, f.path("b.dat")));

    const CliRun r = f.run({QStringLiteral("diff"), f.path("a.dat"), f.path("b.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QStringLiteral("zones[1].channels[1].rx_frequency: 400.000000 -> 434.150000\n"
                                    "image bytes 0x9000-0x9001 differ (2 bytes, no field)\n"));
    EXPECT_EQ(f.run({QStringLiteral("diff"), f.path("a.dat"), f.path("missing.dat")}).status, 2);
}

// A codeplug of a model other than setting.ini's is read as the model it
// names, with a note; --model still decides.
TEST(TextCli, TheCodeplugsOwnModelDecidesUnlessModelIsGiven)
{
    CliFiles f(QStringLiteral("VK214"));
    CListMaintenance lists(*f.t.doc);
    for (int z = 2; z <= 5; ++z)
        ASSERT_TRUE(lists.addZone().ok());
    ASSERT_TRUE(DataFile::save(*f.t.doc, f.path("vk.dat")));
    // The settings now name a 2-zone model.
    TestConfig other(QStringLiteral("RQ381"));
    f.t.config.writeSettings(fileBytes(other.settingsPath()));

    CliRun r = f.run({QStringLiteral("info"), f.path("vk.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("zones: 5\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("is a VK214 codeplug; it is read as VK214, not as RQ381"))) << r.err.toStdString();
    r = f.run({QStringLiteral("info"), f.path("vk.dat"), QStringLiteral("--model"), QStringLiteral("RQ381")});
    EXPECT_TRUE(r.out.contains(QStringLiteral("zones: 2\n"))) << r.out.toStdString();
    EXPECT_EQ(r.err, QString());

    // Export, import (with and without --base) and diff all see five zones.
    r = f.run({QStringLiteral("export"), f.path("vk.dat"), QStringLiteral("-o"), f.path("vk.yaml")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(fileBytes(f.path("vk.yaml")).contains("name: \"Zone 5\""));
    r = f.run({QStringLiteral("import"), f.path("vk.yaml"), QStringLiteral("-o"), f.path("based.dat"), QStringLiteral("--base"),
               f.path("vk.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(fileBytes(f.path("based.dat")), fileBytes(f.path("vk.dat")));
    r = f.run({QStringLiteral("import"), f.path("vk.yaml"), QStringLiteral("-o"), f.path("new.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = f.run({QStringLiteral("diff"), f.path("vk.dat"), f.path("new.dat")});
    EXPECT_EQ(r.status, 0) << r.out.toStdString();
    EXPECT_EQ(r.out, QString());

    // The channels CSV of a zone past the second is not lost.
    r = f.run({QStringLiteral("channels"), QStringLiteral("export"), f.path("vk.dat")});
    EXPECT_TRUE(r.out.contains(QStringLiteral("\n\"Zone 5\","))) << r.out.toStdString();
}

TEST(TextCli, ContactsReplaceOfItsOwnExportKeepsTheCodeplugAndReportsWhatItClears)
{
    CliFiles f(QStringLiteral("VK214"));
    CListMaintenance(*f.t.doc).addChannel(1);
    ASSERT_TRUE(DataFile::save(*f.t.doc, f.path("a.dat")));
    CliRun r = f.run({QStringLiteral("contacts"), QStringLiteral("export"), f.path("a.dat"), QStringLiteral("-o"), f.path("c.csv")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = f.run({QStringLiteral("contacts"), QStringLiteral("import"), f.path("a.dat"), f.path("c.csv"), QStringLiteral("--replace"),
               QStringLiteral("-o"), f.path("b.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added 1 contact(s)\n"));
    EXPECT_EQ(fileBytes(f.path("b.dat")), fileBytes(f.path("a.dat")));

    f.t.config.writeFile(QStringLiteral("other.csv"), "Name,Call ID\nSomeone,1000077\n");
    r = f.run({QStringLiteral("contacts"), QStringLiteral("import"), f.path("a.dat"), f.path("other.csv"), QStringLiteral("--replace"),
               QStringLiteral("-o"), f.path("b.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("cleared 2 reference(s) to contacts the new list lacks: channels' contacts\n")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("cleared 1 reference(s) to contacts the new list lacks: RX group members\n")))
        << r.out.toStdString();
}
