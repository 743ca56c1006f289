#include "GuiRig.h"

#include "app/CommandIds.h"
#include "app/Language.h"
#include "app/TextFiles.h"
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

TEST(TextFiles, ARepeaterListIsOfferedForImportOnlyAndImportsAsOneUndoStep)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    const Language &language = rig.app->settings().language();
    const QString repeaters = TextFiles::filter(TextFiles::Kind::RepeaterCsv, language);
    EXPECT_EQ(repeaters, QStringLiteral("Repeater list CSV (*.csv)"));
    EXPECT_TRUE(TextFiles::importFilters(language).contains(repeaters));
    EXPECT_FALSE(TextFiles::exportFilters(language).contains(repeaters));
    EXPECT_EQ(TextFiles::kindOfFilter(repeaters, language), TextFiles::Kind::RepeaterCsv);

    const auto before = std::make_unique<Image>(rig.doc().currentImage());
    const QString csv = writeFile(rig, QStringLiteral("Hill Sites.csv"),
                                  "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,"
                                  "Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
                                  "0,Hill,438.650000,-,7.600000,Tone,88.5,88.5,023,NN,FM,12.50,,,,,,\r\n"
                                  "1,Air,438.000000,,0.000000,,88.5,88.5,023,NN,AM,12.50,,,,,,\r\n");
    rig.frame()->chooseImportFile = [&](QWidget *, TextFiles::Kind *kind) {
        *kind = TextFiles::Kind::RepeaterCsv;
        return csv;
    };
    rig.frame()->action(Cmd::FileImport)->trigger();
    const CChannelData channels(rig.doc());
    ASSERT_EQ(channels.CountZones(), 2);
    EXPECT_EQ(channels.GetZoneName(2), QStringLiteral("Hill Sites"));
    // Done, with what was added and what was left out.
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_EQ(rig.prompter.prompts[0].icon, Prompt::Icon::Information);
    const QString shown = rig.prompter.keys().value(0);
    EXPECT_TRUE(shown.contains(QStringLiteral("added 1 channel(s) in 1 zone(s): Hill Sites"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("skipped 1 row(s): AM"))) << shown.toStdString();

    EXPECT_EQ(rig.frame()->undoStack().count(), 1);
    rig.frame()->Undo();
    EXPECT_TRUE(*before == rig.doc().currentImage());
    rig.frame()->Redo();
    EXPECT_EQ(CChannelData(rig.doc()).CountZones(), 2);

    // Chosen as a channels CSV, the same file is still read as a repeater list.
    rig.frame()->Undo();
    ASSERT_TRUE(rig.frame()->ImportTextFile(csv, TextFiles::Kind::ChannelsCsv));
    EXPECT_EQ(CChannelData(rig.doc()).GetZoneName(2), QStringLiteral("Hill Sites"));
}
