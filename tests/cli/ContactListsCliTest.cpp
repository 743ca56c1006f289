// rq381 contacts import and channels import with the files people have.

#include "CliRun.h"
#include "CliSupport.h"
#include "TestSupport.h"

#include "codeplug/DataFile.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

struct Files : CliFolder
{
    std::unique_ptr<CPcSoftwareDoc> load()
    {
        auto doc = std::make_unique<CPcSoftwareDoc>(config.settings());
        EXPECT_EQ(DataFile::load(*doc, dat), DataFile::LoadResult::Loaded);
        return doc;
    }
};

}

TEST(ContactListsCli, AHotspotListSaysWhichRowsBecameGroupCallsAndWhy)
{
    Files f;
    CliRun r = f.run({"contacts", "import", f.dat, f.write("DMRIds.dat", "3100001\tK1ABC\tJohn\n3100002\tK1ABD\tMary\n3100003\tK1ABE\tTom\n"),
                      "--limit", "2"});
    ASSERT_EQ(r.status, ExitOk) << r.err.toStdString();
    EXPECT_EQ(r.out, "added 2 contact(s)\n"
                     "skipped 1 row(s): past --limit 2\n"
                     "2 contact(s) became group calls: their call ID is at or above the group-call start ID 1000000 "
                     "(group_call_start_id in digital_basic_settings decides which IDs are group calls)\n");
    EXPECT_EQ(CContactData(*f.load()).GetName(3), QStringLiteral("K1ABD Mary"));

    // Talk groups, matched by one column.
    r = f.run({"contacts", "import", f.dat, f.write("tg.csv", "Country,Talkgroup,Name\nGermany,262,Deutschland\nAustria,232,Austria\n"),
               "--match", "country=GERMANY"});
    ASSERT_EQ(r.status, ExitOk) << r.err.toStdString();
    EXPECT_EQ(r.out, "added 1 contact(s)\nskipped 1 row(s): not matching\n");
}

TEST(ContactListsCli, ChannelsFromAUtf16SemicolonSheet)
{
    Files f;
    CliRun r = f.run({"channels", "export", f.dat});
    ASSERT_EQ(r.status, ExitOk);
    QString sheet = r.out;
    sheet.replace(u',', u';').replace(QStringLiteral("\"Channel 1\""), QStringLiteral("\"Kanal 1 ü\""));
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    r = f.run({"channels", "import", f.dat, f.write("sheet.csv", utf16(sheet))});
    ASSERT_EQ(r.status, ExitOk) << r.err.toStdString();
    EXPECT_EQ(CChannelData(*f.load()).GetChannelName(1, 1), QStringLiteral("Kanal 1 ü"));
}
