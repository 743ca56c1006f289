#include "Commands.h"
#include "TestSupport.h"

#include "codeplug/DataFile.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct EditRun
{
    int status = -1;
    QString out;
    QString err;
};

EditRun run(const QStringList &args)
{
    EditRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    CommandIo io{out, err, false};
    result.status = runCli(args, io);
    out.flush();
    err.flush();
    return result;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A default codeplug file of the configured model.
struct EditFixture
{
    explicit EditFixture(const QString &model) : config(model), file(config.dir() + "/cp.dat")
    {
        EXPECT_EQ(run({"new", "-o", file, "--config", config.dir()}).status, ExitOk);
    }
    EditRun edit(const QStringList &operation)
    {
        return run(QStringList{"edit", file} + operation + QStringList{"--config", config.dir()});
    }
    // Loads the file, lets change() alter the document, saves it again.
    void change(const std::function<void(CPcSoftwareDoc &)> &changeDoc)
    {
        CPcSoftwareDoc doc(config.settings());
        ASSERT_EQ(DataFile::load(doc, file), DataFile::LoadResult::Loaded);
        changeDoc(doc);
        ASSERT_TRUE(DataFile::save(doc, file));
    }
    TestConfig config;
    QString file;
};

}  // namespace

TEST(EditCommand, AppliesOperationsAndSaves)
{
    EditFixture f(QStringLiteral("VK214"));
    EditRun r = f.edit({"add-zone"});
    ASSERT_EQ(r.status, ExitOk) << r.err.toStdString();
    EXPECT_EQ(r.out, "add-zone: zone 2 channel 1\n");
    EXPECT_EQ(f.edit({"add-channel", "2"}).status, ExitOk);
    EXPECT_EQ(f.edit({"add-scan"}).out, "add-scan: record 2\n");
    EXPECT_EQ(f.edit({"paste-channel", "1", "1", "2", "2"}).status, ExitOk);
    EXPECT_EQ(f.edit({"add-contact"}).status, ExitOk);
    EXPECT_EQ(f.edit({"insert-contact", "1"}).status, ExitOk);
    EXPECT_EQ(f.edit({"add-quicktext"}).status, ExitOk);

    CPcSoftwareDoc doc(f.config.settings());
    ASSERT_EQ(DataFile::load(doc, f.file), DataFile::LoadResult::Loaded);
    CChannelData ch(doc);
    EXPECT_EQ(ch.CountZones(), 2);
    EXPECT_EQ(ch.CountChannels(2), 2);
    EXPECT_EQ(ch.GetChannelName(2, 2), "Channel 2");
    CContactData contacts(doc);
    EXPECT_EQ(contacts.CountContacts(), 3);
    EXPECT_EQ(contacts.GetName(2), "Contact 1");
    // The default channel followed contact 1 to its new place.
    EXPECT_EQ(ch.GetContact(1, 1), 2);

    EXPECT_EQ(f.edit({"delete-zone", "1"}).out, "delete-zone: zone 1 channel 1\n");
}

TEST(EditCommand, UnavailableOperationsChangeNothing)
{
    EditFixture f(QStringLiteral("RQ381"));
    const QByteArray before = fileBytes(f.file);
    EditRun r = f.edit({"delete-zone", "1"});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("the only zone cannot be deleted")) << r.err.toStdString();
    EXPECT_EQ(f.edit({"delete-channel", "1", "1"}).status, ExitFailure);
    EXPECT_EQ(f.edit({"delete-rxgroup", "1"}).status, ExitFailure);
    EXPECT_EQ(f.edit({"delete-contact", "1"}).status, ExitFailure);
    EXPECT_EQ(f.edit({"paste-scan", "1", "1"}).status, ExitFailure);
    r = f.edit({"delete-scan", "7"});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("no record in use at 7")) << r.err.toStdString();
    EXPECT_EQ(fileBytes(f.file), before);

    // RQ381 has two zone slots.
    ASSERT_EQ(f.edit({"add-zone"}).status, ExitOk);
    r = f.edit({"add-zone"});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("no room for another zone")) << r.err.toStdString();
}

TEST(EditCommand, FormMessagesArePrintedAsLanguageText)
{
    EditFixture f(QStringLiteral("VK214"));
    f.change([](CPcSoftwareDoc &doc) { CBasicSettingData(doc).SetGroupCallStartId(QStringLiteral("9999999")); });
    ASSERT_EQ(f.edit({"add-contact"}).status, ExitOk);
    const QByteArray before = fileBytes(f.file);
    EditRun r = f.edit({"add-contact"});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_EQ(r.err, "rq381: No free call ID is left for a new contact!\n");
    EXPECT_EQ(fileBytes(f.file), before);
}

TEST(EditCommand, BadCommandLines)
{
    EditFixture f(QStringLiteral("VK214"));
    EXPECT_EQ(f.edit({"shuffle"}).status, ExitUsage);
    EXPECT_EQ(f.edit({"delete-zone"}).status, ExitUsage);
    EXPECT_EQ(f.edit({"delete-zone", "one"}).status, ExitUsage);
    EXPECT_EQ(f.edit({"add-zone", "2"}).status, ExitUsage);
    EXPECT_EQ(run({"edit", f.config.dir() + "/missing.dat", "add-zone", "--config", f.config.dir()}).status,
              ExitFailure);
}
