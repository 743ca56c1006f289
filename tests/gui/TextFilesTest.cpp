#include "GuiRig.h"

#include "app/CommandIds.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"

#include <QDir>
#include <QFile>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString writeFile(GuiRig &rig, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(rig.config.dir()).filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

}

TEST(TextFiles, ImportIsOneUndoStepAndExportGivesItBack)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const auto before = std::make_unique<Image>(rig.doc().currentImage());
    const QString csv = writeFile(rig, QStringLiteral("c.csv"),
                                  "\xEF\xBB\xBFRADIO_ID,CALLSIGN,FIRST_NAME\r\n2300001,AB1CD,Ann\r\n2000000,RES,Reserved\r\n");
    rig.frame()->chooseImportFile = [&](QWidget *, TextFiles::Kind *kind) {
        *kind = TextFiles::Kind::ContactsCsv;
        return csv;
    };
    rig.frame()->action(Cmd::FileImport)->trigger();
    const CContactData contacts(rig.doc());
    ASSERT_EQ(contacts.CountContacts(), 2);
    EXPECT_EQ(contacts.GetCallId(2), QStringLiteral("2300001"));
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_EQ(rig.prompter.prompts[0].icon, Prompt::Icon::Information);
    EXPECT_EQ(rig.frame()->undoStack().count(), 1);
    EXPECT_EQ(rig.frame()->action(Cmd::EditUndo)->text(), QStringLiteral("&Undo Import"));

    const QString yaml = QDir(rig.config.dir()).filePath(QStringLiteral("out.yaml"));
    ASSERT_TRUE(rig.frame()->ExportTextFile(yaml, TextFiles::Kind::YamlCodeplug));
    rig.frame()->Undo();
    EXPECT_TRUE(*before == rig.doc().currentImage());
    // The exported codeplug brings the imported contact back.
    ASSERT_TRUE(rig.frame()->ImportTextFile(yaml, TextFiles::Kind::YamlCodeplug));
    EXPECT_EQ(CContactData(rig.doc()).GetCallId(2), QStringLiteral("2300001"));
}

TEST(TextFiles, AFailedImportChangesNothingAndListsItsProblemsWithLines)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const auto before = std::make_unique<Image>(rig.doc().currentImage());
    const QString yaml = writeFile(rig, QStringLiteral("bad.yaml"),
                                   "format: rq381-codeplug\nversion: 1\nzones:\n  - name: Z\n    colour: red\n");
    EXPECT_FALSE(rig.frame()->ImportTextFile(yaml, TextFiles::Kind::YamlCodeplug));
    EXPECT_TRUE(*before == rig.doc().currentImage());
    EXPECT_EQ(rig.frame()->undoStack().count(), 0);
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_EQ(rig.prompter.prompts[0].icon, Prompt::Icon::Error);
    EXPECT_TRUE(rig.prompter.keys().value(0).contains(QStringLiteral("line"))) << rig.prompter.keys().value(0).toStdString();

    // A folder is neither read nor written.
    EXPECT_FALSE(rig.frame()->ImportTextFile(rig.config.dir(), TextFiles::Kind::ChannelsCsv));
    EXPECT_FALSE(rig.frame()->ExportTextFile(rig.config.dir(), TextFiles::Kind::ChannelsCsv));
}
