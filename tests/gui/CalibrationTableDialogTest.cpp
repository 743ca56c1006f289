// The calibration table dialog against the simulated radio on a pseudo-terminal.

#include "CalibrationRig.h"
#include "GuiRig.h"

#include "app/CommandIds.h"
#include "calibration/CAdjustDialog.h"
#include "calibration/CCalibrationTableDialog.h"
#include "calibration/CalibrationBackup.h"
#include "calibration/CalibrationGrid.h"
#include "widgets/CEditGrid.h"
#include "widgets/CNumberEdit.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

constexpr qint32 kUhfLimit = 48000000;

QByteArray area(const QByteArray &bytes)
{
    return bytes.mid(kCalibrationAreaStart, kCalibrationAreaEnd - kCalibrationAreaStart);
}

struct TableRig : CalibrationRig
{
    using CalibrationRig::CalibrationRig;
    std::unique_ptr<CCalibrationTableDialog> open()
    {
        auto dialog = std::make_unique<CCalibrationTableDialog>(config.settings(), prompter, kUhfLimit, nullptr,
                                                                [](int) {});
        dialog->show();
        return dialog;
    }
    QByteArray radioCalibration()
    {
        return sim->inspect([](RadioState &s) {
            return QByteArray(reinterpret_cast<const char *>(s.calibration.data()), RadioState::kCalibrationSize);
        });
    }
    QString lastMessage() const { return prompter.prompts.isEmpty() ? QString() : prompter.prompts.last().literalText; }
};

RadioState patternedRadio()
{
    RadioState state;
    for (int a = kCalibrationAreaStart; a < kCalibrationAreaEnd; ++a)
        state.calibration[a] = uint8_t(a * 7);
    state.calibration[0x0100] = 0x00;  // CH1 receives on 435.0000 MHz
    state.calibration[0x0101] = 0x00;
    state.calibration[0x0102] = 0x50;
    state.calibration[0x0103] = 0x43;
    return state;
}

}

TEST(CalibrationTableDialog, ReadsEditsSavesReopensAndWritesTheRadio)
{
    TableRig rig;
    rig.startRadio(patternedRadio());
    QTemporaryDir backups;
    CalibrationBackup::setDefaultFolder(backups.path());
    auto dialog = rig.open();
    EXPECT_TRUE(unnamedInputs(dialog.get()).isEmpty()) << unnamedInputs(dialog.get()).join(", ").toStdString();

    // A read fills grid and image, and leaves its backup copy.
    dialog->readRadio();
    EXPECT_EQ(rig.lastMessage(), QStringLiteral("Read data success!"));
    EXPECT_EQ(area(dialog->image().toByteArray()), area(rig.radioCalibration()));
    EXPECT_EQ(dialog->grid()->cellText(0, 0), QStringLiteral("435.000000"));
    EXPECT_EQ(dialog->grid()->cellText(5, 0), QString::number(uint8_t(0x0142 * 7)));
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::Files).size(), 1);
    CalibrationBackup::setDefaultFolder(QString());

    // Byte row: an arrow step is stored at once, typed text when the edit is left.
    ASSERT_TRUE(dialog->editCell(6, 2));
    EXPECT_TRUE(dialog->numberEdit()->isVisible());
    const int before = dialog->image().byteAt(0x0143);
    QTest::keyClick(dialog->numberEdit(), Qt::Key_Up);
    EXPECT_EQ(dialog->image().byteAt(0x0143), (before + 1) % 256);
    dialog->numberEdit()->setEditText(QStringLiteral("200"));
    dialog->finishEditing();
    EXPECT_FALSE(dialog->numberEdit()->isVisible());
    EXPECT_EQ(dialog->grid()->cellText(5, 1), QStringLiteral("200"));
    // Word row, low byte first.
    ASSERT_TRUE(dialog->editCell(10, 3));
    dialog->numberEdit()->setEditText(QStringLiteral("4660"));
    dialog->finishEditing();
    EXPECT_EQ(dialog->image().bytes(0x0156 + 4, 2), QByteArray::fromHex("3412"));
    // Frequencies snap to the raster; an empty cell erases the frequency.
    ASSERT_TRUE(dialog->editCell(1, 1));
    dialog->frequencyEdit()->setText(QStringLiteral("435.0025"));
    dialog->finishEditing();
    EXPECT_EQ(dialog->image().bytes(0x0100, 4), QByteArray::fromHex("50025043"));
    EXPECT_EQ(dialog->grid()->cellText(0, 0), QStringLiteral("435.002500"));
    ASSERT_TRUE(dialog->editCell(2, 5));
    dialog->frequencyEdit()->clear();
    dialog->finishEditing();
    EXPECT_EQ(dialog->image().bytes(0x0104 + 32, 4), QByteArray::fromHex("ffffffff"));
    EXPECT_FALSE(dialog->editCell(6, 7));  // a cell without a value

    // Save and reopen byte for byte, including bytes outside the exchanged area.
    dialog->image().setBytes(0x3000, QByteArray("\x11\x22", 2));
    const QString file = QDir(rig.config.dir()).filePath(QStringLiteral("radio.test"));
    dialog->chooseSaveFile = [&](QWidget *, const QString &) { return file; };
    dialog->saveTestData();
    const QByteArray saved = dialog->image().toByteArray();
    EXPECT_EQ(fileBytes(file), saved);
    const QString shown = dialog->grid()->cellText(41, 2);
    ASSERT_TRUE(dialog->editCell(41, 3));
    dialog->numberEdit()->setEditText(QStringLiteral("7"));
    dialog->finishEditing();
    QString openedFrom;
    dialog->chooseOpenFile = [&](QWidget *, const QString &folder) {
        openedFrom = folder;
        return file;
    };
    dialog->openTestData();
    EXPECT_EQ(openedFrom, CalibrationBackup::defaultFolder());
    EXPECT_EQ(dialog->image().toByteArray(), saved);
    EXPECT_EQ(dialog->grid()->cellText(41, 2), shown);  // the grid is redrawn from the file

    const QByteArray outside = rig.radioCalibration().mid(0x3000, 2);
    dialog->writeRadio();
    EXPECT_EQ(rig.lastMessage(), QStringLiteral("Write data success!"));
    EXPECT_EQ(area(rig.radioCalibration()), area(saved));
    EXPECT_EQ(rig.radioCalibration().mid(0x3000, 2), outside);  // never sent
}

TEST(CalibrationTableDialog, SilentRefusingOrVanishingRadiosEndInTheirMessages)
{
    struct Case
    {
        const char *name;
        ProgrammingFaults faults;
        bool noAnswer;
        bool write;
        QString message;
    };
    ProgrammingFaults disconnect;
    disconnect.disconnectAfterBlocks = 2;
    ProgrammingFaults refuse;
    refuse.nakWriteBlock = 1;
    const Case cases[] = {
        {"silent", {}, true, false, QStringLiteral("Please check whether the port is occupied or not connected!")},
        {"vanishes", disconnect, false, false, QStringLiteral("Read data fail!")},
        {"refuses a block", refuse, false, true, QStringLiteral("Write data fail!")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions options;
        options.faults = c.faults;
        options.noAnswer = c.noAnswer;
        TableRig rig(options);
        rig.startRadio(patternedRadio());
        auto dialog = rig.open();
        const QByteArray before = dialog->image().toByteArray();
        c.write ? dialog->writeRadio() : dialog->readRadio();
        ASSERT_EQ(rig.prompter.prompts.size(), 1);
        EXPECT_EQ(rig.lastMessage(), c.message);
        EXPECT_EQ(rig.prompter.prompts[0].icon, Prompt::Icon::Error);
        EXPECT_EQ(rig.prompter.prompts[0].literalCaption, QStringLiteral("Error"));
        EXPECT_EQ(dialog->image().toByteArray(), before);
    }
}

TEST(CalibrationTableDialog, TestModeOpensItAndTheAdjustDialogWorksOnACopy)
{
    GuiRig gui;
    gui.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("testmode"), QStringLiteral("zqparlin"));
    ASSERT_TRUE(gui.start());
    QAction *testMode = gui.frame()->action(Cmd::ProgramTestMode);
    ASSERT_TRUE(testMode->isEnabled() && testMode->isVisible());
    EXPECT_EQ(testMode->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    QString title;
    QTimer::singleShot(0, [&] {
        auto *table = qobject_cast<CCalibrationTableDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(table, nullptr);
        title = table->windowTitle();
        table->reject();
    });
    testMode->trigger();
    EXPECT_EQ(title, QStringLiteral("Test Mode"));

    // Enter adjust: high power CH1 wrapped from 0 to 255 and saved comes back into the table.
    TableRig rig;
    rig.startRadio();
    auto dialog = rig.open();
    dialog->image().setBytes(kCalibrationAreaStart, QByteArray(kCalibrationAreaEnd - kCalibrationAreaStart, 0));
    QTimer::singleShot(0, [&] {
        auto *adjust = qobject_cast<CAdjustDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(adjust, nullptr);
        adjust->startLine(int(adjust->itemCodes().indexOf(2)));
        adjust->scrollBar(0)->triggerAction(QAbstractSlider::SliderSingleStepSub);
        adjust->saveItem();
        adjust->reject();
    });
    dialog->enterAdjust();
    EXPECT_EQ(dialog->image().byteAt(0x0142), 255);
    EXPECT_EQ(dialog->grid()->cellText(5, 0), QStringLiteral("255"));
    EXPECT_TRUE(rig.prompter.prompts.isEmpty());
}

// Pictures of both dialogs in both languages for a person to look at:
// RQ381_SCREENSHOT_DIR=/tmp/shots build/bin/test_gui --gtest_filter='*Pictures*'
TEST(CalibrationTableDialog, PicturesOfBothDialogs)
{
    const QString folder = qEnvironmentVariable("RQ381_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "RQ381_SCREENSHOT_DIR is not set";
    for (const QString &language : {QStringLiteral("english"), QStringLiteral("chinese")}) {
        TableRig rig(SimOptions(), language);
        auto table = rig.open();
        const RadioState radio = patternedRadio();
        table->image().setBytes(0, QByteArray(reinterpret_cast<const char *>(radio.calibration.data()), kCalibrationImageSize));
        for (int point = 0; point < kFrequencyPointCount; ++point) {
            table->image().setBytes(CalibrationImage::frequencyAddress(point, CalibrationImage::Direction::Receive),
                                    QByteArray::fromHex("50025043"));
            table->image().setBytes(CalibrationImage::frequencyAddress(point, CalibrationImage::Direction::Transmit),
                                    QByteArray::fromHex("12036044"));
        }
        table->refresh();
        table->editCell(6, 2);
        QApplication::processEvents();
        EXPECT_TRUE(table->grab().save(QDir(folder).filePath(QStringLiteral("calibration-table-%1.png").arg(language))));

        CAdjustDialog adjust(rig.config.settings(), rig.prompter, table->image(), kUhfLimit, nullptr, [](int) {});
        adjust.show();
        adjust.startLine(int(adjust.itemCodes().indexOf(17)));  // no radio: the frames go nowhere
        QApplication::processEvents();
        EXPECT_TRUE(adjust.grab().save(QDir(folder).filePath(QStringLiteral("adjust-%1.png").arg(language))));
    }
}

namespace {

// Whether a screen reader walking down from `root` meets `target`.
bool reachable(QAccessibleInterface *root, QObject *target, int depth = 0)
{
    if (!root || depth > 12)
        return false;
    if (root->object() == target)
        return true;
    for (int i = 0; i < root->childCount(); ++i) {
        if (reachable(root->child(i), target, depth + 1))
            return true;
    }
    return false;
}

}

TEST(CalibrationTableDialog, FrequencyTyposAreRefusedAndTheEditorIsNamedAfterItsCell)
{
    TableRig rig;
    auto dialog = rig.open();
    ASSERT_TRUE(dialog->editCell(1, 1));
    dialog->frequencyEdit()->setText(QStringLiteral("435.0025"));
    dialog->finishEditing();
    for (const char *typo : {"435.0025x", "435,0025", "435.00.25", "abc", "-435"}) {
        rig.prompter.prompts.clear();
        ASSERT_TRUE(dialog->editCell(1, 1));
        QLineEdit *editor = dialog->frequencyEdit();
        EXPECT_EQ(accessibleNameOf(editor), QStringLiteral("Rx Frequency, Freq 1"));
        EXPECT_TRUE(reachable(QAccessible::queryAccessibleInterface(dialog.get()), editor));
        editor->setText(QLatin1String(typo));
        dialog->finishEditing();
        EXPECT_EQ(dialog->image().bytes(0x0100, 4), QByteArray::fromHex("50025043")) << typo;
        EXPECT_EQ(dialog->grid()->cellText(0, 0), QStringLiteral("435.002500")) << typo;
        ASSERT_EQ(rig.prompter.prompts.size(), 1) << typo;
        EXPECT_TRUE(rig.lastMessage().contains(QStringLiteral("is not a frequency"))) << typo;
    }
    ASSERT_TRUE(dialog->editCell(3, 3));
    EXPECT_EQ(accessibleNameOf(dialog->numberEdit()), QStringLiteral("%1, Freq 3").arg(CalibrationGrid::rowLabel(3, false)));
}

TEST(CalibrationTableDialog, SaveAsksAboutTheFileItWritesAndNeverReplacesADevice)
{
    TableRig rig;
    auto dialog = rig.open();
    const QDir dir(rig.config.dir());
    const QString existing = dir.filePath(QStringLiteral("radio1.test"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    dialog->chooseSaveFile = [&](QWidget *, const QString &) { return dir.filePath(QStringLiteral("radio1")); };
    rig.prompter.answers = {PromptAnswer::No};
    dialog->saveTestData();
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_EQ(rig.lastMessage(), QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(existing));
    EXPECT_EQ(fileBytes(existing), QByteArray("old"));
    rig.prompter.answers = {PromptAnswer::Yes};
    dialog->saveTestData();
    EXPECT_EQ(fileBytes(existing), dialog->image().toByteArray());

    // A FIFO named by the added extension is refused without a question.
    const QString fifo = dir.filePath(QStringLiteral("pipe.test"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    rig.prompter.prompts.clear();
    dialog->chooseSaveFile = [&](QWidget *, const QString &) { return dir.filePath(QStringLiteral("pipe")); };
    dialog->saveTestData();
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_TRUE(rig.lastMessage().startsWith(fifo + QStringLiteral(" is not a regular file")));
    EXPECT_EQ(rig.prompter.prompts[0].icon, Prompt::Icon::Error);
}
