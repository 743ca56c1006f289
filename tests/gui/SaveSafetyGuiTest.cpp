// The desktop program's Save on a full disk keeps the file and the "*", a
// file changed by someone else is not saved over unasked, a file that is no
// codeplug is called that, and File > Import refuses what it cannot read.

#include "GuiRig.h"

#include "app/SafeFileWriter.h"
#include "codeplug/DataFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct SavedRig : GuiRig
{
    SavedRig()
    {
        EXPECT_TRUE(start());
        path = QDir(config.dir()).filePath(QStringLiteral("mine.dat"));
        nextSaveFile = path;
        EXPECT_TRUE(app->OnFileSaveAs());
        prompter.prompts.clear();
    }
    ~SavedRig() { SafeFileWriter::failWritesForTesting(0); }
    void change(uint8_t value)
    {
        doc().image()[0x2000] = value;
        frame()->UpdateTitle();
    }
    QString lastText() const { return prompter.prompts.isEmpty() ? QString() : prompter.prompts.last().literalText; }

    QString path;
};

}

TEST(SaveSafetyGui, SaveOnAFullDiskSaysWhyAndKeepsFileAndMark)
{
    SavedRig rig;
    const QByteArray saved = fileBytes(rig.path);
    rig.change(0x42);
    ASSERT_TRUE(rig.frame()->isWindowModified());
    SafeFileWriter::failWritesForTesting(ENOSPC, 0);
    EXPECT_FALSE(rig.app->OnFileSave());
    SafeFileWriter::failWritesForTesting(0);
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_EQ(rig.prompter.prompts[0].icon, Prompt::Icon::Error);
    EXPECT_TRUE(rig.lastText().contains("no space left on the device")) << rig.lastText().toStdString();
    EXPECT_EQ(fileBytes(rig.path), saved);
    EXPECT_TRUE(rig.frame()->isWindowModified());
    EXPECT_TRUE(rig.doc().IsModified());
    // With room again the same Save succeeds.
    EXPECT_TRUE(rig.app->OnFileSave());
    EXPECT_FALSE(rig.frame()->isWindowModified());
}

TEST(SaveSafetyGui, AFileChangedOnDiskIsSavedOverOnlyWhenTheUserSaysSo)
{
    SavedRig rig;
    // Another program saves the file after this one did.
    TestDocument other;
    other.image()[0x3000] = 0x11;
    ASSERT_TRUE(DataFile::save(*other.doc, rig.path));
    const QByteArray theirs = fileBytes(rig.path);

    rig.change(0x42);
    rig.prompter.answers = {PromptAnswer::No};
    EXPECT_FALSE(rig.app->OnFileSave());
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_EQ(rig.prompter.prompts[0].buttons, Prompt::Buttons::YesNo);
    EXPECT_TRUE(rig.lastText().contains("was changed by another program")) << rig.lastText().toStdString();
    EXPECT_EQ(fileBytes(rig.path), theirs);
    EXPECT_TRUE(rig.frame()->isWindowModified());

    rig.prompter.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(rig.app->OnFileSave());
    EXPECT_EQ(uint8_t(fileBytes(rig.path)[64 + 0x2000]), 0x42);
    // Its own save is no change by someone else: the next save asks nothing.
    rig.prompter.prompts.clear();
    rig.change(0x43);
    EXPECT_TRUE(rig.app->OnFileSave());
    EXPECT_TRUE(rig.prompter.prompts.isEmpty());
}

TEST(SaveSafetyGui, AnEmptyOrRandomFileIsNotACodeplugNotAnotherModel)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const QString empty = QDir(rig.config.dir()).filePath(QStringLiteral("empty.dat"));
    const QString random = QDir(rig.config.dir()).filePath(QStringLiteral("random.dat"));
    QFile(empty).open(QIODevice::WriteOnly);
    QFile file(random);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < DataFile::kFileSize; ++i)
        file.putChar(char((i * 7919 + 13) % 251));
    file.close();
    for (const QString &path : {empty, random}) {
        rig.prompter.prompts.clear();
        rig.app->OpenDocumentFile(path);
        ASSERT_EQ(rig.prompter.prompts.size(), 1);
        EXPECT_TRUE(rig.prompter.prompts[0].literalText.contains("is not a codeplug file of this program"))
            << rig.prompter.prompts[0].literalText.toStdString();
        EXPECT_EQ(rig.doc().filePath(), QString());  // a Save cannot overwrite it
    }
}

TEST(SaveSafetyGui, ImportRefusesFifosDevicesAndOversizedFiles)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const QString fifo = QDir(rig.config.dir()).filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = QDir(rig.config.dir()).filePath(QStringLiteral("big.csv"));
    QFile(big).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::resize(big, (qint64(64) << 20) + 1));
    const QByteArray before = imageOf(rig.doc());
    const QList<QPair<QString, QString>> refused = {{fifo, "is a FIFO"},
                                                    {QStringLiteral("/dev/zero"), "is a device"},
                                                    {big, "more than the 64 MB this import reads"}};
    for (const auto &[path, why] : refused) {
        rig.prompter.prompts.clear();
        EXPECT_FALSE(rig.frame()->ImportTextFile(path, TextFiles::Kind::ChannelsCsv));
        ASSERT_EQ(rig.prompter.prompts.size(), 1);
        EXPECT_TRUE(rig.prompter.prompts[0].literalText.contains(why)) << rig.prompter.prompts[0].literalText.toStdString();
    }
    EXPECT_EQ(imageOf(rig.doc()), before);
}
