#include "GuiRig.h"

#include "RadioSimulator.h"
#include "app/CommandIds.h"
#include "link/CPortSelectDialog.h"
#include "link/CTransferDialog.h"
#include "link/PortNames.h"
#include "sections/CPcSoftwareView.h"
#include "sections/ChannelData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A radio whose memory is a default codeplug with a few fields of its own.
RadioState radioFrom(const CPcSoftwareDoc &doc)
{
    TestDocument radio;
    std::copy_n(doc.image(), RadioState::kMemorySize, radio.image());
    CChannelData(*radio.doc).SetZoneName(1, QStringLiteral("Radio Zone"));
    radio.doc->SetSerialNumber(QStringLiteral("RADIO0001"));
    RadioState state;
    std::copy_n(radio.image(), RadioState::kMemorySize, state.memory.begin());
    state.modelId = QByteArray(reinterpret_cast<const char *>(doc.image()), 8);
    return state;
}

// Port 1 of the configuration names the device (the radio or nothing).
void mapPortOne(GuiRig &rig, const QString &device)
{
    rig.config.settings().writeSetting(QStringLiteral("ports"), QStringLiteral("1"), device);
    rig.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("1"));
}

// Runs a Program-menu command: the modal transfer dialog opens, OK is
// pressed, and the command returns when the dialog has closed itself.
void runTransferCommand(GuiRig &rig, int command)
{
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CTransferDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->okButton()->click();
    });
    QElapsedTimer clock;
    clock.start();
    rig.frame()->action(command)->trigger();
    EXPECT_LT(clock.elapsed(), 30000);
}

}

TEST(TransferDialog, ReadReplacesTheCodeplugAndRedrawsTreeAndForms)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    RadioSimulator sim(SimOptions(), radioFrom(rig.doc()));
    ASSERT_TRUE(sim.start());
    mapPortOne(rig, sim.devicePath());
    const auto beforeRead = std::make_unique<Image>(rig.doc().currentImage());

    runTransferCommand(rig, Cmd::ProgramRead);
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("IDS_PROMPT_READSUCC")});
    const auto afterRead = std::make_unique<Image>(rig.doc().currentImage());
    // The read is one undo step: undo brings back every byte of the codeplug
    // as it was, redo the radio's.
    rig.frame()->Undo();
    EXPECT_TRUE(*beforeRead == rig.doc().currentImage());
    rig.frame()->Redo();
    EXPECT_TRUE(*afterRead == rig.doc().currentImage());
    EXPECT_EQ(rig.control<QLineEdit>(1, CPcSoftwareView::SerialNumber)->text(), QStringLiteral("RADIO0001"));
    EXPECT_EQ(rig.frame()->treeBar()->itemFor(TreeNode::zoneNode(1))->text(0), QStringLiteral("Radio Zone"));
    EXPECT_FALSE(rig.frame()->treeBar()->staticItem(6)->isExpanded());

    // The codeplug read from the radio is not saved yet.
    rig.prompter.prompts.clear();
    rig.prompter.answers = {PromptAnswer::No};
    EXPECT_TRUE(rig.closeWindow());
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_TRUE(rig.prompter.keys().value(0).startsWith(QStringLiteral("Save changes")));
}

TEST(TransferDialog, VerifyAfterWritingNamesTheFirstBlockThatDidNotReadBackIntact)
{
    TestDocument document;
    document.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), QStringLiteral("english"));
    document.config.reload();
    SimOptions options;
    options.faults.corruptReadBlock = 16;  // 0x0400, a block the write sends, damaged on every read
    RadioSimulator sim(options, radioFrom(*document.doc));
    ASSERT_TRUE(sim.start());
    const auto write = [&](bool verify) {
        RecordingPrompter prompter;
        CTransferDialog dialog(*document.doc, prompter, CTransferDialog::Direction::Write);
        dialog.job().setPortName(sim.devicePath());
        EXPECT_TRUE(dialog.verifyCheck()->isChecked());
        dialog.verifyCheck()->setChecked(verify);
        dialog.show();
        dialog.okButton()->click();
        QElapsedTimer clock;
        clock.start();
        while (dialog.isVisible() && clock.elapsed() < 30000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return prompter.prompts;
    };

    const QString before = bytesAt(document.image(), 0x0400, 64);
    const QList<Prompt> failed = write(true);
    EXPECT_EQ(bytesAt(document.image(), 0x0400, 64), before);  // the read-back never replaces the document
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0].icon, Prompt::Icon::Error);
    EXPECT_EQ(failed[0].captionKey, QStringLiteral("IDS_ERROR"));
    EXPECT_TRUE(failed[0].literalText.contains(QStringLiteral("block 16 at address 0x0400"))) << failed[0].literalText.toStdString();
    EXPECT_TRUE(failed[0].literalText.startsWith(QStringLiteral("Verification incomplete: 1 of the written blocks")));

    // Switched off, the write ends as before and the choice is remembered.
    const QList<Prompt> unverified = write(false);
    ASSERT_EQ(unverified.size(), 1);
    EXPECT_EQ(unverified[0].textKey, QStringLiteral("IDS_PROMPT_WRITESUCC"));
    EXPECT_EQ(document.config.settings().settingInt(QStringLiteral("setup"), QStringLiteral("verify"), 1), 0);
    RecordingPrompter prompter;
    EXPECT_FALSE(CTransferDialog(*document.doc, prompter, CTransferDialog::Direction::Write).verifyCheck()->isChecked());
    EXPECT_EQ(CTransferDialog(*document.doc, prompter, CTransferDialog::Direction::Read).verifyCheck(), nullptr);
}

TEST(TransferDialog, CancelStopsTheWorkerAndACancelledWriteOffersToWriteAgain)
{
    TestDocument document;
    SimOptions options;
    options.wireTiming = true;  // slow enough to cancel in the block phase
    RadioSimulator sim(options, radioFrom(*document.doc));
    ASSERT_TRUE(sim.start());
    RecordingPrompter prompter;
    {
        // A cancelled read stops the worker and has nothing to tell.
        CTransferDialog read(*document.doc, prompter, CTransferDialog::Direction::Read);
        read.job().setPortName(sim.devicePath());
        read.show();
        read.okButton()->click();
        EXPECT_FALSE(read.okButton()->isEnabled());
        QElapsedTimer clock;
        clock.start();
        while (read.progressBar()->value() == 0 && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_GT(read.progressBar()->value(), 0);
        EXPECT_TRUE(read.promptLabel()->text().endsWith(QLatin1Char('%')));
        EXPECT_EQ(CTransferDialog::barPosition(100), read.progressBar()->maximum());
        read.reject();
        EXPECT_FALSE(read.job().isRunning());
        EXPECT_FALSE(read.isTransferRunning());
        EXPECT_TRUE(prompter.prompts.isEmpty());
    }
    prompter.answers = {PromptAnswer::Ok, PromptAnswer::Cancel};  // write again, then give up
    CTransferDialog dialog(*document.doc, prompter, CTransferDialog::Direction::Write);
    dialog.job().setPortName(sim.devicePath());
    dialog.show();
    const auto cancelInTheBlockPhase = [&] {
        QElapsedTimer clock;
        clock.start();
        while (dialog.job().blocksTransferred() == 0 && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        ASSERT_GT(dialog.job().blocksTransferred(), 0);
        dialog.reject();
    };
    dialog.okButton()->click();
    cancelInTheBlockPhase();
    // Write again: the dialog stays open and a new write runs.
    ASSERT_EQ(prompter.keys(), QStringList{QStringLiteral("IDS_WRITE_CANCELLED")});
    EXPECT_EQ(prompter.prompts[0].buttons, Prompt::Buttons::OkCancel);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.job().isRunning());
    cancelInTheBlockPhase();
    EXPECT_EQ(prompter.keys().size(), 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.job().isRunning());
    sim.inspect([](RadioState &s) { EXPECT_LT(s.writtenBlocks.size(), 834u); });

    // A cancel before the radio took any block has nothing to tell.
    SimOptions silentOptions;
    silentOptions.noAnswer = true;
    RadioSimulator silent(silentOptions);
    ASSERT_TRUE(silent.start());
    RecordingPrompter quiet;
    CTransferDialog early(*document.doc, quiet, CTransferDialog::Direction::Write);
    early.job().setPortName(silent.devicePath());
    early.show();
    early.okButton()->click();
    early.reject();
    EXPECT_TRUE(quiet.prompts.isEmpty());
}

TEST(TransferDialog, AReadWithABlockThatKeepsAnotherAddressIsMarkedAndWriteAsksFirst)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    SimOptions options;
    options.faults.wrongHeaderBlock = 7;  // on every request of the block
    RadioSimulator sim(options, radioFrom(rig.doc()));
    ASSERT_TRUE(sim.start());
    mapPortOne(rig, sim.devicePath());
    const Language &language = rig.config.settings().language();

    runTransferCommand(rig, Cmd::ProgramRead);
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    const Prompt &warning = rig.prompter.prompts[0];
    EXPECT_EQ(warning.icon, Prompt::Icon::Warning);
    EXPECT_TRUE(warning.literalText.startsWith(QStringLiteral("The data was read, but 1 block(s)")))
        << warning.literalText.toStdString();
    EXPECT_EQ(rig.doc().unreadBlocks(), 1);
    EXPECT_TRUE(rig.frame()->windowTitle().contains(language.GetLangString(QStringLiteral("IDS_TITLE_UNREAD"))));

    // Write asks first; refused, nothing reaches the radio.
    rig.prompter.prompts.clear();
    rig.prompter.answers = {PromptAnswer::Cancel};
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CTransferDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->okButton()->click();
        EXPECT_FALSE(dialog->isTransferRunning());
        dialog->reject();
    });
    rig.frame()->action(Cmd::ProgramWrite)->trigger();
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_TRUE(rig.prompter.prompts[0].literalText.startsWith(QStringLiteral("1 block(s) of this codeplug")));
    sim.inspect([](RadioState &s) { EXPECT_TRUE(s.writtenBlocks.empty()); });
}

TEST(PortSelectDialog, ListsThePortsThatOpenAndStoresTheChoice)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    RadioSimulator sim(SimOptions(), radioFrom(rig.doc()));
    ASSERT_TRUE(sim.start());
    AppSettings &settings = rig.config.settings();
    mapPorts(rig.config, 3, sim.devicePath());
    // A stored port that is not listed is replaced by "1" at once.
    settings.writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("17"));
    {
        CPortSelectDialog dialog(settings);
        ASSERT_EQ(dialog.portList()->count(), 1);
        EXPECT_EQ(dialog.portList()->currentText(), QStringLiteral("COM3"));
        EXPECT_EQ(PortNames::storedPort(settings), QStringLiteral("1"));
        dialog.accept();
        EXPECT_EQ(PortNames::storedPort(settings), QStringLiteral("3"));
    }
    // The stored number is read as a number; Cancel writes nothing.
    settings.writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("03"));
    {
        CPortSelectDialog dialog(settings);
        EXPECT_EQ(dialog.portList()->currentText(), QStringLiteral("COM3"));
        dialog.reject();
        EXPECT_EQ(PortNames::storedPort(settings), QStringLiteral("03"));
    }
}

TEST(TransferDialog, ModelMismatchOffersToOverwriteTheRadiosModelThenWritesAgain)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    RadioState state = radioFrom(rig.doc());
    state.modelId = QByteArray("VK214").leftJustified(8, char(0xFF));
    RadioSimulator sim(SimOptions(), state);
    ASSERT_TRUE(sim.start());
    mapPortOne(rig, sim.devicePath());
    rig.doc().SetSerialNumber(QStringLiteral("WRITTEN"));

    // Verify after writing is on unless setting.ini says otherwise.
    runTransferCommand(rig, Cmd::ProgramWrite);
    EXPECT_EQ(rig.prompter.keys(),
              (QStringList{QStringLiteral("IDS_WARN_OVERWRITE"), QStringLiteral("IDS_PROMPT_VERIFYSUCC")}));
    EXPECT_EQ(rig.prompter.prompts.value(0).buttons, Prompt::Buttons::OkCancel);
    sim.inspect([](RadioState &s) {
        EXPECT_EQ(s.modelId.left(5), QByteArray("RQ381"));
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(s.memory.data()) + 0x5D, 7), QByteArray("WRITTEN"));
    });
}

TEST(TransferDialog, EveryStatusEndsWithItsMessageOrPrompt)
{
    using S = TransferStatus;
    using D = CTransferDialog::Direction;
    struct Case
    {
        S status;
        D direction;
        QString textKey;  // of the message box; empty: none
        QString captionKey;
        Prompt::Icon icon;
        Prompt::Buttons buttons;
        QString promptKey;  // the dialog's prompt afterwards, when it stays open
    };
    const Case cases[] = {
        {S::Idle, D::Read, {}, {}, Prompt::Icon::None, Prompt::Buttons::Ok, {}},
        {S::ReadFailed, D::Read, {}, {}, Prompt::Icon::None, Prompt::Buttons::Ok, "IDS_PROMPT_READFAIL"},
        {S::ReadDone, D::Read, "IDS_PROMPT_READSUCC", "IDS_PROMPT", Prompt::Icon::None, Prompt::Buttons::Ok, {}},
        {S::WriteFailed, D::Write, {}, {}, Prompt::Icon::None, Prompt::Buttons::Ok, "IDS_PROMPT_WRITEFAIL"},
        // Refused: the dialog closes without the model-write exchange.
        {S::ModelMismatchOverwritable, D::Write, "IDS_WARN_OVERWRITE", "IDS_WARN", Prompt::Icon::None,
         Prompt::Buttons::OkCancel, {}},
        {S::ModelMismatch, D::Write, "IDS_WARN_LOAD", "IDS_WARN", Prompt::Icon::None, Prompt::Buttons::Ok, {}},
    };
    TestDocument document;
    document.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), QStringLiteral("english"));
    document.config.reload();
    const Language &language = document.config.settings().language();
    for (const Case &c : cases) {
        SCOPED_TRACE(statusName(c.status));
        RecordingPrompter prompter;
        prompter.answers = {PromptAnswer::Cancel};
        CTransferDialog dialog(*document.doc, prompter, c.direction);
        QSignalSpy reads(&dialog, &CTransferDialog::readDone);
        dialog.show();
        dialog.okButton()->setEnabled(false);  // as while a transfer runs
        dialog.HandleStatus(c.status);

        ASSERT_EQ(prompter.prompts.size(), c.textKey.isEmpty() ? 0 : 1);
        if (!c.textKey.isEmpty()) {
            const Prompt &shown = prompter.prompts[0];
            EXPECT_EQ(std::tie(shown.textKey, shown.captionKey, shown.icon, shown.buttons),
                      std::tie(c.textKey, c.captionKey, c.icon, c.buttons));
        }
        // Only a completed read redraws the tree and the forms.
        EXPECT_EQ(reads.size(), c.status == S::ReadDone ? 1 : 0);
        // Failures keep the dialog open for another OK; Idle waits; the rest close it.
        const bool open = c.status == S::Idle || !c.promptKey.isEmpty();
        EXPECT_EQ(dialog.isVisible(), open);
        EXPECT_EQ(dialog.okButton()->isEnabled(), !c.promptKey.isEmpty());
        if (!c.promptKey.isEmpty()) {
            EXPECT_EQ(dialog.promptLabel()->text(), language.GetLangString(c.promptKey));
        }
    }
}

TEST(TransferDialog, ALinkFailureNamesTheStepAndThePortBelowTheCableMessage)
{
    TestDocument document;
    document.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), QStringLiteral("english"));
    document.config.reload();
    SimOptions options;
    options.faults.ackRequest = true;  // the radio refuses the request
    RadioSimulator sim(options, radioFrom(*document.doc));
    ASSERT_TRUE(sim.start());
    mapPorts(document.config, 2, sim.devicePath());
    RecordingPrompter prompter;
    CTransferDialog dialog(*document.doc, prompter, CTransferDialog::Direction::Write);
    dialog.job().setPortName(QStringLiteral("2"));
    dialog.job().setTimings({.replyTimeoutMs = 150, .openPauseMs = 5, .retryPauseMs = 20, .writeDonePauseMs = 5});
    dialog.show();
    dialog.okButton()->click();
    QElapsedTimer clock;
    clock.start();
    while (dialog.isVisible() && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(prompter.prompts.size(), 1);
    const Language &language = document.config.settings().language();
    EXPECT_EQ(prompter.prompts[0].icon, Prompt::Icon::Error);
    EXPECT_EQ(prompter.prompts[0].literalText,
              language.GetLangString(QStringLiteral("IDS_ERROR_PORTCONN"))
                  + QStringLiteral("\n\nThe radio refused the write request.\nPort: 2 (%1)").arg(sim.devicePath()));
    sim.inspect([](RadioState &s) { EXPECT_TRUE(s.writtenBlocks.empty()); });
}
