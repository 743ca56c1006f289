#include "GuiRig.h"

#include "app/CommandIds.h"
#include "app/FramePlacement.h"
#include "app/SectionTable.h"
#include "codeplug/DataFile.h"
#include "sections/CPcSoftwareView.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <memory>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The entries of a menu (and, recursively, its sub-menus) whose mnemonic
// another entry of the same menu has too, as "menu: entry".
QStringList mnemonicClashes(const QString &title, const QList<QAction *> &entries)
{
    QStringList clashes;
    QHash<QKeySequence, QString> taken;
    for (QAction *entry : entries) {
        if (entry->isSeparator() || !entry->isVisible())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(entry->text());
        if (!key.isEmpty() && taken.contains(key))
            clashes << QStringLiteral("%1: %2 / %3").arg(title, taken[key], entry->text());
        taken.insert(key, entry->text());
        if (entry->menu())
            clashes << mnemonicClashes(entry->text(), entry->menu()->actions());
    }
    return clashes;
}

// One undo step: a scan list added from the tree.
void addScanList(GuiRig &rig)
{
    rig.frame()->treeBar()->selectNode(TreeNode::staticItem(7));
    rig.frame()->RunTreeCommand(Cmd::TreeAddList);
    ASSERT_EQ(rig.frame()->undoStack().count(), 1);
}

bool saveQuestionAsked(const RecordingPrompter &prompter)
{
    for (const QString &text : prompter.keys())
        if (text.startsWith(QStringLiteral("Save changes")))
            return true;
    return false;
}

}

TEST(Startup, WithoutSettingsFileTheProgramEndsWithItsMessage)
{
    GuiRig rig;
    QFile::remove(rig.config.settingsPath());
    EXPECT_FALSE(rig.start());
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("Can not find the file setting.ini!")});
    EXPECT_EQ(rig.prompter.prompts.value(0).icon, Prompt::Icon::Error);
    EXPECT_EQ(rig.frame(), nullptr);
}

TEST(Startup, MakesTheDefaultCodeplugWithItsRadioInformationFormAndTexts)
{
    GuiRig rig(QStringLiteral("RQ381"));
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(rig.prompter.prompts.isEmpty());
    EXPECT_FALSE(rig.app->firstNew());
    EXPECT_EQ(rig.doc().title(), QStringLiteral("default1"));
    EXPECT_FALSE(rig.doc().IsModified());
    ASSERT_NE(rig.app->openFrame(1), nullptr);
    EXPECT_EQ(rig.app->openFrame(1)->windowTitle(), QStringLiteral("Basic Information"));
    EXPECT_EQ(rig.frame()->windowTitle(), QStringLiteral("RQ381 V1.00 - default1[*]"));

    const QStringList panes = rig.frame()->statusPaneTexts();
    EXPECT_EQ(panes[2], QStringLiteral("\t400MHz - 470MHz"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\t\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d $")).match(panes[3]).hasMatch());
    // Only sections that have a form can be opened.
    for (int command : {Cmd::EditBasicInfo, Cmd::EditContact, Cmd::EditKeySetting, Cmd::EditDtmfSystem})
        EXPECT_EQ(rig.frame()->action(command)->isEnabled(), SectionTable::hasForm(SectionTable::codeForCommand(command)));
    EXPECT_TRUE(rig.frame()->action(Cmd::EditBasicInfo)->isEnabled());

    // Closing at once does not ask to save.
    EXPECT_TRUE(rig.closeWindow());
    EXPECT_FALSE(saveQuestionAsked(rig.prompter));
}

TEST(Startup, ModelAndTestModeDecideMenusAndTreeItems)
{
    struct Case
    {
        QString model;
        bool quickText, display, decode;
    };
    for (const Case &c : {Case{QStringLiteral("RQ381"), false, false, false}, Case{QStringLiteral("VK214"), true, true, false},
                          Case{QStringLiteral("TL809"), true, true, true}}) {
        GuiRig rig(c.model);
        ASSERT_TRUE(rig.start());
        CMainFrame *frame = rig.frame();
        EXPECT_EQ(frame->action(Cmd::EditQuickText)->isVisible(), c.quickText) << c.model.toStdString();
        EXPECT_EQ(frame->action(Cmd::EditDisplayControl)->isVisible(), c.display) << c.model.toStdString();
        EXPECT_EQ(frame->action(Cmd::EditDecodeSequence)->isVisible(), c.decode) << c.model.toStdString();
        EXPECT_EQ(frame->treeBar()->staticItem(18) != nullptr, c.quickText) << c.model.toStdString();
        EXPECT_EQ(frame->treeBar()->staticItem(19) != nullptr, c.display) << c.model.toStdString();
        EXPECT_EQ(frame->treeBar()->staticItem(20) != nullptr, c.decode) << c.model.toStdString();
        EXPECT_FALSE(frame->action(Cmd::ProgramTestMode)->isVisible());
    }
}

TEST(MainFrame, EveryMenuHasUniqueMnemonicsInBothLanguages)
{
    for (const QString &language : {QStringLiteral("english"), QStringLiteral("chinese")}) {
        GuiRig rig(QStringLiteral("TL809"), language);
        rig.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("testmode"), QStringLiteral("zqparlin"));
        ASSERT_TRUE(rig.start());
        EXPECT_EQ(mnemonicClashes(QStringLiteral("menu bar"), rig.frame()->menuBar()->actions()), QStringList())
            << language.toStdString();
        for (const TreeNode &node : {TreeNode::staticItem(6), TreeNode::zoneNode(1), TreeNode::channelNode(1, 1)}) {
            std::unique_ptr<QMenu> menu(rig.frame()->createTreeMenu(node, rig.frame()));
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(mnemonicClashes(QStringLiteral("tree"), menu->actions()), QStringList()) << language.toStdString();
        }
    }
}

TEST(MainFrame, NewFormFramesCascadeBelowTheShownOnes)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    QMdiArea *area = rig.frame()->mdiArea();
    rig.frame()->setWindowState(Qt::WindowNoState);
    rig.frame()->resize(2400, 1800);
    settle();
    ASSERT_GT(area->viewport()->height(), 1000);
    const QPoint info = rig.app->openFrame(1)->pos();
    for (int code : {3, 4})
        rig.frame()->OnNavigate(code, 0);
    settle();
    const QPoint keys = rig.app->openFrame(3)->pos();
    const QPoint tones = rig.app->openFrame(4)->pos();
    EXPECT_EQ(info, QPoint(0, 0));
    EXPECT_GT(keys.x(), info.x());
    EXPECT_GT(keys.y(), info.y());
    EXPECT_EQ(tones - keys, keys - info);
    // A closed frame's place is taken again by the next one.
    rig.app->openFrame(3)->close();
    settle();
    rig.frame()->OnNavigate(15, 0);
    settle();
    EXPECT_EQ(rig.app->openFrame(15)->pos(), keys);

    // Past the area's edge the cascade starts again at the top left.
    using FramePlacement::cascadePosition;
    EXPECT_EQ(cascadePosition({{0, 0}, {20, 20}}, QSize(100, 100), QSize(500, 500), 20), QPoint(40, 40));
    EXPECT_EQ(cascadePosition({{0, 0}, {20, 20}}, QSize(100, 100), QSize(130, 130), 20), QPoint(0, 0));
}

TEST(Startup, MissingTreeLabelsShortenTheTree)
{
    GuiRig rig(QString(), QStringLiteral("english"));
    // A language file whose tree labels stop after key 4.
    QFile source(QDir(rig.config.dir()).filePath(QStringLiteral("english.lang")));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray content = source.readAll();
    source.close();
    content.replace("\n5=Optional Features", "\n");
    rig.config.writeFile(QStringLiteral("english.lang"), content);
    ASSERT_TRUE(rig.start());
    QTreeWidget *tree = rig.frame()->treeBar()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree->topLevelItem(0);
    EXPECT_EQ(root->childCount(), 2);  // basic information and radio settings
    EXPECT_EQ(root->child(1)->childCount(), 2);  // keys and alert tones
    EXPECT_EQ(rig.frame()->treeBar()->staticItem(6), nullptr);
}

TEST(LanguageSwitch, RelabelsMenusTreeAndOpenFormsAndRemembersTheChoice)
{
    GuiRig rig(QString(), QStringLiteral("chinese"));
    ASSERT_TRUE(rig.start());
    const QString chineseFile = rig.frame()->menuBar()->actions().value(0)->text();
    EXPECT_NE(chineseFile, QStringLiteral("&File"));
    // The save question speaks the language too.
    rig.doc().SetSerialNumber(QStringLiteral("ABC"));
    rig.prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(rig.closeWindow());
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("是否保存对 default1 的修改?")});

    rig.frame()->action(Cmd::SettingEnglish)->trigger();
    EXPECT_EQ(rig.frame()->menuBar()->actions().value(0)->text(), QStringLiteral("&File"));
    EXPECT_EQ(rig.frame()->treeBar()->staticItem(0)->text(0), QStringLiteral("Radio Data"));
    EXPECT_EQ(rig.config.settings().setting(QStringLiteral("setup"), QStringLiteral("language")), QStringLiteral("english"));
    EXPECT_TRUE(rig.frame()->action(Cmd::SettingEnglish)->isChecked());

    // Without chinese.lang the texts stay and the setting is emptied.
    QFile::remove(QDir(rig.config.dir()).filePath(QStringLiteral("chinese.lang")));
    rig.frame()->action(Cmd::SettingChinese)->trigger();
    EXPECT_EQ(rig.frame()->menuBar()->actions().value(0)->text(), QStringLiteral("&File"));
    EXPECT_EQ(rig.config.settings().setting(QStringLiteral("setup"), QStringLiteral("language")), QString());
}

TEST(MainFrame, AsksToSaveOnlyWhenTheCodeplugChanged)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    rig.doc().SetSerialNumber(QStringLiteral("ABC"));
    rig.prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(rig.closeWindow());
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("Save changes to default1?")});
    EXPECT_EQ(rig.prompter.prompts.value(0).buttons, Prompt::Buttons::YesNoCancel);
    EXPECT_TRUE(rig.frame()->isVisible());

    // A save that fails keeps the window open.
    rig.prompter.prompts.clear();
    rig.prompter.answers = {PromptAnswer::Yes};
    const QString unwritable = QDir(rig.config.dir()).filePath(QStringLiteral("no-such-folder/x.dat"));
    rig.nextSaveFile = unwritable;
    EXPECT_FALSE(rig.closeWindow());
    EXPECT_TRUE(rig.prompter.keys().value(1).startsWith(
        QStringLiteral("Cannot save the file %1:\ncannot write").arg(QDir::toNativeSeparators(unwritable))))
        << rig.prompter.keys().value(1).toStdString();

    // Yes saves through the file dialog (the codeplug has no file yet).
    rig.prompter.prompts.clear();
    rig.prompter.answers = {PromptAnswer::Yes};
    rig.nextSaveFile = QDir(rig.config.dir()).filePath(QStringLiteral("saved"));
    EXPECT_TRUE(rig.closeWindow());
    EXPECT_EQ(rig.saveDialogs, 2);
    EXPECT_TRUE(QFile::exists(rig.nextSaveFile + QStringLiteral(".dat")));
    EXPECT_EQ(rig.doc().title(), QStringLiteral("saved.dat"));
    EXPECT_FALSE(rig.doc().IsModified());
}

TEST(FileCommands, OpenTakesTheFileAsBaselineAndAForeignFileStaysUntitled)
{
    TestDocument maker;
    maker.doc->SetSerialNumber(QStringLiteral("FROMFILE"));
    const QString good = QDir(maker.config.dir()).filePath(QStringLiteral("good.dat"));
    ASSERT_TRUE(DataFile::save(*maker.doc, good));

    // The file of the command line.
    GuiRig rig;
    ASSERT_TRUE(rig.start(good));
    EXPECT_EQ(rig.doc().title(), QStringLiteral("good.dat"));
    EXPECT_EQ(rig.control<QLineEdit>(1, CPcSoftwareView::SerialNumber)->text(), QStringLiteral("FROMFILE"));
    EXPECT_FALSE(rig.doc().IsModified());
    rig.doc().SetSerialNumber(QStringLiteral("EDITED"));
    addScanList(rig);

    // Opening another file first offers to save the edit, and ends the history.
    rig.nextOpenFile = good;
    rig.prompter.answers = {PromptAnswer::No};
    rig.frame()->action(Cmd::FileOpen)->trigger();
    EXPECT_TRUE(saveQuestionAsked(rig.prompter));
    EXPECT_EQ(rig.doc().GetSerialNumber(), QStringLiteral("FROMFILE"));
    EXPECT_EQ(rig.frame()->undoStack().count(), 0);
    EXPECT_FALSE(rig.frame()->isWindowModified());
    EXPECT_EQ(rig.app->recentFiles().files().value(0), QFileInfo(good).absoluteFilePath());

    // A file of another program: message, blank codeplug, no file name.
    const QString foreign = QDir(rig.config.dir()).filePath(QStringLiteral("foreign.dat"));
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray otherModel = "XX381 Radio Program data" + QByteArray(DataFile::kFileSize - 24, 'x');
    file.write(otherModel);
    file.close();
    rig.prompter.prompts.clear();
    rig.nextOpenFile = foreign;
    rig.frame()->action(Cmd::FileOpen)->trigger();
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("IDS_WARN_LOAD")});
    EXPECT_EQ(rig.doc().filePath(), QString());
    EXPECT_EQ(rig.doc().title(), QStringLiteral("default1"));
    ASSERT_NE(rig.app->openFrame(1), nullptr);
    // Save asks for a new name instead of overwriting the foreign file.
    rig.nextSaveFile.clear();
    EXPECT_FALSE(rig.app->OnFileSave());
    EXPECT_EQ(rig.saveDialogs, 1);
    file.open(QIODevice::ReadOnly);
    EXPECT_EQ(file.readAll(), otherModel);

    // A file that cannot be read leaves a new default codeplug.
    rig.prompter.prompts.clear();
    const QString missing = QDir(rig.config.dir()).filePath(QStringLiteral("missing.dat"));
    EXPECT_FALSE(rig.app->OpenDocumentFile(missing));
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("Cannot open the file %1.").arg(QDir::toNativeSeparators(missing))});
    EXPECT_EQ(rig.doc().GetSerialNumber(), QStringLiteral("012345678901234"));
    EXPECT_FALSE(rig.doc().IsModified());
    EXPECT_NE(rig.app->openFrame(1), nullptr);
}

TEST(FileCommands, NewAfterOpeningAFileAsksBeforeDroppingEdits)
{
    TestDocument maker;
    const QString file = QDir(maker.config.dir()).filePath(QStringLiteral("x.dat"));
    ASSERT_TRUE(DataFile::save(*maker.doc, file));
    GuiRig rig;
    ASSERT_TRUE(rig.start(file));
    rig.doc().SetSerialNumber(QStringLiteral("EDITED"));
    addScanList(rig);

    // Declining keeps the codeplug and its history; New ends the history.
    rig.prompter.answers = {PromptAnswer::Cancel};
    rig.frame()->action(Cmd::FileNew)->trigger();
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("IDS_WARN_CLEAR")});
    EXPECT_EQ(rig.doc().GetSerialNumber(), QStringLiteral("EDITED"));
    EXPECT_EQ(rig.doc().title(), QStringLiteral("x.dat"));
    EXPECT_EQ(rig.frame()->undoStack().count(), 1);

    rig.prompter.answers = {PromptAnswer::Ok};
    rig.frame()->action(Cmd::FileNew)->trigger();
    EXPECT_EQ(rig.doc().title(), QStringLiteral("default1"));
    EXPECT_EQ(rig.doc().GetSerialNumber(), QStringLiteral("012345678901234"));
    EXPECT_EQ(rig.frame()->undoStack().count(), 0);
}

TEST(FileCommands, SaveAsAsksAboutTheFileItWritesAndNeverReplacesADevice)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    rig.doc().SetSerialNumber(QStringLiteral("NEW"));
    const QDir dir(rig.config.dir());
    const QString customer = dir.filePath(QStringLiteral("customer.dat"));
    {
        QFile existing(customer);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("old");
    }

    // "customer" without its extension names customer.dat: asked about it.
    rig.nextSaveFile = dir.filePath(QStringLiteral("customer"));
    rig.prompter.answers = {PromptAnswer::No};
    EXPECT_FALSE(rig.app->OnFileSaveAs());
    EXPECT_EQ(rig.prompter.keys(),
              QStringList{QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(customer))});
    EXPECT_EQ(fileBytes(customer), QByteArray("old"));
    rig.prompter.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(rig.app->OnFileSaveAs());
    EXPECT_EQ(fileBytes(customer).size(), DataFile::kFileSize);

    // A FIFO that the added extension names is refused, never opened.
    const QString fifo = dir.filePath(QStringLiteral("pipe.dat"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    rig.prompter.prompts.clear();
    rig.nextSaveFile = dir.filePath(QStringLiteral("pipe"));
    EXPECT_FALSE(rig.app->OnFileSaveAs());
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_TRUE(rig.prompter.keys().value(0).startsWith(QDir::toNativeSeparators(fifo) + QStringLiteral(" is not a regular file")));
    EXPECT_EQ(rig.doc().title(), QStringLiteral("customer.dat"));
}
