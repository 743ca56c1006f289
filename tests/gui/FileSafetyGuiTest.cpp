// The desktop program warns about a codeplug file of the wrong size and
// about unusable frequency ranges, asks before writing such a codeplug, and
// a run without a user never waits for a message box.

#include "GuiRig.h"

#include "app/MessageBoxPrompter.h"
#include "codeplug/DataFile.h"
#include "link/CTransferDialog.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(FileSafetyGui, AShortFileIsWarnedAboutOnceAndItsWriteNeedsConsent)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const QString path = QDir(rig.config.dir()).filePath("short.dat");
    ASSERT_TRUE(DataFile::save(rig.doc(), path));
    QFile(path).resize(1000);

    ASSERT_TRUE(rig.app->OpenDocumentFile(path));
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_TRUE(rig.prompter.prompts[0].literalText.contains("holds 1000 bytes, but a codeplug file holds 262208"))
        << rig.prompter.prompts[0].literalText.toStdString();

    // Cancel: nothing starts; the question is asked again on the next OK.
    rig.prompter.answers = {PromptAnswer::Cancel, PromptAnswer::Cancel};
    CTransferDialog dialog(rig.doc(), rig.prompter, CTransferDialog::Direction::Write);
    dialog.start();
    EXPECT_FALSE(dialog.isTransferRunning());
    dialog.start();
    ASSERT_EQ(rig.prompter.prompts.size(), 3);
    EXPECT_EQ(rig.prompter.prompts[2].buttons, Prompt::Buttons::OkCancel);
    EXPECT_TRUE(rig.prompter.prompts[2].literalText.contains("(1000 bytes instead of 262208)"));

    // A codeplug of a full-size file is written without a question.
    ASSERT_TRUE(DataFile::save(rig.doc(), path));
    ASSERT_TRUE(rig.app->OpenDocumentFile(path));
    EXPECT_EQ(rig.prompter.prompts.size(), 3);
    EXPECT_FALSE(rig.doc().loadedFromOddSizedFile());
}

TEST(FileSafetyGui, StartupNamesUnusableFrequencyRanges)
{
    GuiRig first;
    first.config.writeSettings("[setup]\nmodel=RQ381\nlanguage=english\n[FreqRange]\ndata0=01360174\nfreq0=VHF\n"
                               "data5=x\ndata6=abc\nfreq6=UHF\n");
    ASSERT_TRUE(first.start());
    EXPECT_EQ(first.prompter.prompts.size(), 0);  // data5 and later are not offered: data1 is missing

    GuiRig second;
    second.config.writeSettings("[setup]\nmodel=RQ381\nlanguage=english\n[FreqRange]\ndata0=01360174\n"
                                "data1=04700400\ndata2=abc\n");
    ASSERT_TRUE(second.start());
    ASSERT_EQ(second.prompter.prompts.size(), 1);
    EXPECT_TRUE(second.prompter.prompts[0].literalText.startsWith(
        "setting.ini, section [FreqRange]: data1=04700400, data2=abc is not a usable band"))
        << second.prompter.prompts[0].literalText.toStdString();
}

TEST(FileSafetyGui, WithoutAUserEveryPromptGetsItsDefaultButton)
{
    TestConfig config;
    CMessageBoxPrompter prompter(config.settings());
    prompter.setAnswerWithDefault(true);
    EXPECT_EQ(prompter.ask(Prompt{"IDS_WARN_LOAD", "IDS_WARN", Prompt::Icon::Error, Prompt::Buttons::Ok, {}}),
              PromptAnswer::Ok);
    EXPECT_EQ(prompter.ask(Prompt{"IDS_WARN_CLEAR", "IDS_WARN", Prompt::Icon::Warning, Prompt::Buttons::OkCancel, {}}),
              PromptAnswer::Ok);
    EXPECT_EQ(prompter.ask(Prompt{"IDS_ASK_SAVE", {}, Prompt::Icon::Warning, Prompt::Buttons::YesNoCancel, {}}),
              PromptAnswer::Yes);
}

// The program keeps the model of setting.ini, so a file that names another
// model hides zones: opening it says so, once, in the user's language.
TEST(FileSafetyGui, AFileOfAnotherModelIsWarnedAbout)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const QString own = rig.doc().settings().modelName();
    const QString other = own == QLatin1String("TL809") ? QStringLiteral("VK214") : QStringLiteral("TL809");
    const QString path = QDir(rig.config.dir()).filePath("other.dat");
    rig.doc().SetModel(other);
    ASSERT_TRUE(DataFile::save(rig.doc(), path));

    ASSERT_TRUE(rig.app->OpenDocumentFile(path));
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_TRUE(rig.prompter.prompts[0].literalText.contains(QStringLiteral("is a %1 codeplug, but this program runs as %2").arg(other, own)))
        << rig.prompter.prompts[0].literalText.toStdString();
    EXPECT_EQ(rig.doc().settings().modelName(), own);

    // A file of the program's own model, or of a model it does not know, opens quietly.
    rig.doc().SetModel(own);
    ASSERT_TRUE(DataFile::save(rig.doc(), path));
    ASSERT_TRUE(rig.app->OpenDocumentFile(path));
    rig.doc().SetModel(QStringLiteral("XYZ"));
    ASSERT_TRUE(DataFile::save(rig.doc(), path));
    ASSERT_TRUE(rig.app->OpenDocumentFile(path));
    EXPECT_EQ(rig.prompter.prompts.size(), 1);
}
