#include "CliRun.h"
#include "TestSupport.h"

#include "codeplug/DataFile.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// A default codeplug file of the configured model.
struct EditFixture : CliFolder
{
    using CliFolder::CliFolder;
    CliRun edit(const QStringList &operation) { return run(QStringList{"edit", dat} + operation); }
    QByteArray bytes() const { return fileBytes(dat); }
};

}  // namespace

TEST(EditCommand, AppliesOperationsAndSaves)
{
    EditFixture f(QStringLiteral("VK214"));
    CliRun r = f.edit({"add-zone"});
    EXPECT_EQ(r.out, "add-zone: zone 2 channel 1\n") << r.err.toStdString();
    EXPECT_EQ(f.edit({"add-scan"}).out, "add-scan: record 2\n");
    EXPECT_EQ(f.edit({"paste-channel", "1", "1", "2", "1"}).status, ExitOk);
    EXPECT_EQ(f.edit({"insert-contact", "1"}).status, ExitOk);
    EXPECT_EQ(f.edit({"insert-channel", "1", "1"}).out, "insert-channel: zone 1 channel 1\n");
    EXPECT_EQ(f.edit({"move-channel", "1", "1", "2"}).out, "move-channel: zone 1 channel 2\n");
    EXPECT_TRUE(f.edit({"move-channel", "1", "1", "3"}).err.contains("no record in use at 1 1 3"));

    CPcSoftwareDoc doc(f.config.settings());
    ASSERT_EQ(DataFile::load(doc, f.dat), DataFile::LoadResult::Loaded);
    EXPECT_EQ(CContactData(doc).GetName(2), "Contact 1");
    EXPECT_EQ(CChannelData(doc).GetChannelName(1, 2), "Channel 2");  // inserted, then moved behind Channel 1
    EXPECT_EQ(CChannelData(doc).GetContact(1, 1), 2);  // the channel followed its contact
    // A form's message is printed as its language text, and nothing is saved.
    CBasicSettingData(doc).SetGroupCallStartId(QStringLiteral("9999999"));
    ASSERT_TRUE(DataFile::save(doc, f.dat));
    ASSERT_EQ(f.edit({"add-contact"}).status, ExitOk);
    const QByteArray saved = f.bytes();
    r = f.edit({"add-contact"});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_EQ(r.err, "rq381: No free call ID is left for a new contact!\n");
    EXPECT_EQ(f.bytes(), saved);
}

TEST(EditCommand, RefusalsAndBadCommandLinesChangeNothing)
{
    EditFixture f(QStringLiteral("RQ381"));
    const QByteArray before = f.bytes();
    CliRun r = f.edit({"delete-zone", "1"});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("the only zone cannot be deleted")) << r.err.toStdString();
    EXPECT_EQ(f.edit({"paste-scan", "1", "1"}).status, ExitFailure);
    EXPECT_TRUE(f.edit({"delete-scan", "7"}).err.contains("no record in use at 7"));
    for (const QStringList &args : {QStringList{"shuffle"}, {"delete-zone"}, {"delete-zone", "one"}, {"add-zone", "2"}})
        EXPECT_EQ(f.edit(args).status, ExitUsage) << args.join(' ').toStdString();
    EXPECT_EQ(f.run({"edit", f.config.dir() + "/missing.dat", "add-zone"}).status, ExitFailure);
    EXPECT_EQ(f.bytes(), before);
    // RQ381 has two zone slots.
    ASSERT_EQ(f.edit({"add-zone"}).status, ExitOk);
    EXPECT_TRUE(f.edit({"add-zone"}).err.contains("no room for another zone"));
}
