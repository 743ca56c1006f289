#include "GuiRig.h"

#include "app/CommandIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(LanguageFallback, AMissingLanguageFileIsNamedOnceAndTheBuiltInTextsShow)
{
    GuiRig rig;
    const QString missing = QDir(rig.config.dir()).filePath(QStringLiteral("english.lang"));
    ASSERT_TRUE(QFile::remove(missing));
    ASSERT_TRUE(rig.start());
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_TRUE(rig.prompter.keys().value(0).contains(QDir::toNativeSeparators(missing)));
    EXPECT_EQ(rig.frame()->menuBar()->actions().value(0)->text(), QStringLiteral("&File"));
    EXPECT_EQ(rig.frame()->treeBar()->staticItem(6)->text(0), QStringLiteral("Channels"));

    // Said once: a later relabelling does not say it again.
    rig.frame()->RefreshAllTexts();
    EXPECT_EQ(rig.prompter.prompts.size(), 1);
}

TEST(LanguageFallback, QtsOwnButtonsFollowTheChosenLanguage)
{
    GuiRig rig(QString(), QStringLiteral("chinese"));
    ASSERT_TRUE(rig.start());
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    rig.frame()->SwitchLanguage(QStringLiteral("english"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
