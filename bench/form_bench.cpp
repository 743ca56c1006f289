// Times the section forms of the desktop program on a full VK214 codeplug
// (16 zones of 16 channels, 16 scan lists of 16 channels, 16 RX group lists,
// 200 contacts):
// opening each form, storing one field through the edit path (with its undo
// step and the redraw of the tree and the other open forms), and undoing it.
// Prints the median of each; one frame is 16 ms.
//   form_bench [--rounds N]

#include "FullCodeplug.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CPcSoftwareApp.h"
#include "app/Prompter.h"
#include "app/SectionTable.h"
#include "app/TranslateDialog.h"
#include "codeplug/DataFile.h"
#include "sections/CSectionForm.h"
#include "sections/ChannelTableModel.h"
#include "sections/ChannelTableView.h"
#include "sections/ContactRules.h"
#include "widgets/CEditGrid.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Answers every question with its first button, silently.
class SilentPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &prompt) override
    {
        return prompt.buttons == Prompt::Buttons::YesNo || prompt.buttons == Prompt::Buttons::YesNoCancel
                   ? PromptAnswer::Yes
                   : PromptAnswer::Ok;
    }
};

// The median as a column; "-" when nothing was measured (a grid form has
// no plain field to store into: the contact grid is measured on its own).
QByteArray medianMs(std::vector<double> samples)
{
    if (samples.empty())
        return QByteArray("-").rightJustified(10);
    std::sort(samples.begin(), samples.end());
    return QByteArray::number(samples[samples.size() / 2], 'f', 2).rightJustified(10);
}

// The first field a user would type into, or a list to choose from.
QWidget *firstEditableField(CSectionForm *form)
{
    const auto edits = form->findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits) {
        const bool inner = qobject_cast<QComboBox *>(edit->parentWidget())
                           || qobject_cast<QAbstractSpinBox *>(edit->parentWidget());
        if (!inner && !edit->isReadOnly() && edit->isEnabled() && edit->isVisibleTo(form))
            return edit;
    }
    const auto spins = form->findChildren<QAbstractSpinBox *>();
    for (QAbstractSpinBox *spin : spins) {
        if (spin->isEnabled() && spin->isVisibleTo(form))
            return spin;
    }
    const auto combos = form->findChildren<QComboBox *>();
    for (QComboBox *combo : combos) {
        if (combo->isEnabled() && combo->isVisibleTo(form) && combo->count() > 1)
            return combo;
    }
    return nullptr;
}

// Stores one field as a user does: types and leaves it, or picks another entry.
void storeOneField(CMainFrame &frame, QWidget *field, int round)
{
    if (auto *combo = qobject_cast<QComboBox *>(field)) {
        const int index = (combo->currentIndex() + 1) % combo->count();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return;
    }
    field->setFocus();
    const QString text = QString::number(round % 2 ? 5 : 7);
    if (auto *edit = qobject_cast<QLineEdit *>(field)) {
        edit->setText(edit->text().left(3) + text);
    } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(field)) {
        spin->stepUp();
        return;
    }
    frame.CommitFocusedField();
}

// The contact grid: a call ID typed into the in-place editor and committed
// (200 contacts), an insertion at row 1 that makes the 200th (199 contacts
// move and every channel and RX group reference follows) and its undo.
void benchContactGrid(CMainFrame &frame, CPcSoftwareApp &app, int rounds)
{
    constexpr int kContacts = 11;
    frame.OnNavigate(kContacts, 0);
    CContactRules(app.document()).remove(200);
    frame.RefreshAfterEdit();
    CChildFrame *child = app.openFrame(kContacts);
    auto *grid = child ? findCtrl<CEditGrid>(child->form(), 1133) : nullptr;
    auto *insert = child ? findCtrl<QPushButton>(child->form(), 1131) : nullptr;
    if (!grid || !insert)
        return;
    std::vector<double> edit, insertion, undo;
    QElapsedTimer clock;
    for (int round = 0; round < rounds; ++round) {
        int steps = frame.undoStack().index();
        clock.restart();
        grid->editCell(99, 1);
        if (QLineEdit *editor = grid->activeEditor()) {
            editor->setText(QString::number(5000000 + round));
            // What the main window sends the focused field before a command.
            QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
            QApplication::sendEvent(editor, &focusOut);
        }
        edit.push_back(clock.nsecsElapsed() / 1e6);
        if (frame.undoStack().index() > steps)
            frame.Undo();  // the edit is not kept

        grid->setCurrentCell(0, 0);
        steps = frame.undoStack().index();
        clock.restart();
        insert->click();
        insertion.push_back(clock.nsecsElapsed() / 1e6);
        if (frame.undoStack().index() == steps)
            continue;
        clock.restart();
        frame.Undo();
        undo.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("%-18s %10s %10s %10s\n", "", "edit ID", "insert 1", "undo");
    std::printf("%-18s %s %s %s\n", "contact grid", medianMs(edit).constData(), medianMs(insertion).constData(),
                medianMs(undo).constData());
}

// The channel table over all 256 channels: opening it (and its first
// paint), one cell stored, one value stored into every row as one step, and
// the undo of that step; one row moved down (its references following, the
// tree and the forms redrawn) and the undo of the move.
void benchChannelTable(CMainFrame &frame, int rounds)
{
    std::vector<double> open, cell, bulk, undo, move, moveUndo;
    QElapsedTimer clock;
    for (int round = 0; round < rounds; ++round) {
        if (CChildFrame *table = frame.channelTableFrame()) {
            table->destroyFrame();
            QApplication::processEvents();
        }
        clock.restart();
        CChildFrame *child = frame.OpenChannelTable();
        QApplication::processEvents();
        open.push_back(clock.nsecsElapsed() / 1e6);
        auto *view = child ? qobject_cast<ChannelTableView *>(child->form()) : nullptr;
        if (!view)
            return;
        ChannelTableModel &model = *view->model();
        const int power = model.columnOf(QStringLiteral("power"));
        const int steps = frame.undoStack().index();
        clock.restart();
        model.setData(model.index(round % model.rowCount(), power), round % 2);
        QApplication::processEvents();
        cell.push_back(clock.nsecsElapsed() / 1e6);
        if (frame.undoStack().index() > steps)
            frame.Undo();

        QList<int> rows;
        for (int row = 0; row < model.rowCount(); ++row)
            rows << row;
        clock.restart();
        const bool changed = model.setOnRows(rows, power, round % 2 ? 0 : 1).changed;
        QApplication::processEvents();
        bulk.push_back(clock.nsecsElapsed() / 1e6);
        if (changed) {
            clock.restart();
            frame.Undo();
            QApplication::processEvents();
            undo.push_back(clock.nsecsElapsed() / 1e6);
        }

        // Channel 1..15 of some zone, never a zone's last, one place down.
        const int moving = (round % 16) * 16 + round % 15;
        const int before = frame.undoStack().index();
        clock.restart();
        model.moveRowsBy({moving}, 1);
        QApplication::processEvents();
        move.push_back(clock.nsecsElapsed() / 1e6);
        if (frame.undoStack().index() == before)
            continue;
        clock.restart();
        frame.Undo();
        QApplication::processEvents();
        moveUndo.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("%-18s %10s %10s %10s %10s %10s %10s\n", "", "open", "one cell", "all rows", "undo", "move row",
                "undo move");
    std::printf("%-18s %s %s %s %s %s %s\n", "channel table", medianMs(open).constData(), medianMs(cell).constData(),
                medianMs(bulk).constData(), medianMs(undo).constData(), medianMs(move).constData(),
                medianMs(moveUndo).constData());
}

}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    int rounds = 31;
    const QStringList args = QApplication::arguments();
    const int roundsAt = int(args.indexOf(QStringLiteral("--rounds")));
    if (roundsAt > 0 && roundsAt + 1 < args.size())
        rounds = std::max(1, args[roundsAt + 1].toInt());

    // A private configuration for the VK214, with the program's language files.
    QTemporaryDir config;
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString &name : programDir.entryList({QStringLiteral("*.lang"), QStringLiteral("setting.ini")}))
        QFile::copy(programDir.filePath(name), QDir(config.path()).filePath(name));
    AppSettings(config.path()).writeSetting(QStringLiteral("setup"), QStringLiteral("model"), QStringLiteral("VK214"));
    AppSettings(config.path()).writeSetting(QStringLiteral("setup"), QStringLiteral("language"), QStringLiteral("english"));
    // Installed files are old: files written a moment ago are checked byte
    // for byte on every lookup until they settle, which no user meets.
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    for (const QString &name : QDir(config.path()).entryList(QDir::Files)) {
        QFile file(QDir(config.path()).filePath(name));
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(past, QFileDevice::FileModificationTime);
    }

    SilentPrompter prompter;
    StartupOptions options;
    options.configDir = config.path();
    options.showWindow = true;
    CPcSoftwareApp app(options, &prompter);
    if (!app.InitInstance()) {
        std::fprintf(stderr, "form_bench: the program did not start (setting.ini next to form_bench?)\n");
        return 1;
    }
    fillCodeplug(app.document(), prompter);
    CMainFrame &frame = *app.mainFrame();
    frame.RefreshAfterEdit();

    std::printf("%-18s %10s %10s %10s   (median of %d, ms)\n", "form", "open", "store", "undo", rounds);
    for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
        if (!SectionTable::hasForm(code) || !SectionTable::offeredForModel(code, QStringLiteral("VK214")))
            continue;
        std::vector<double> open, store, undo;
        for (int round = 0; round < rounds; ++round) {
            if (CChildFrame *child = app.openFrame(code); child && code != SectionTable::BasicInfo)
                child->destroyFrame();
            QApplication::processEvents();
            QElapsedTimer clock;
            clock.start();
            frame.OnNavigate(code, 0);
            open.push_back(clock.nsecsElapsed() / 1e6);

            CChildFrame *child = app.openFrame(code);
            QWidget *field = child ? firstEditableField(child->form()) : nullptr;
            if (!field)
                continue;
            const int steps = frame.undoStack().index();
            clock.restart();
            storeOneField(frame, field, round);
            store.push_back(clock.nsecsElapsed() / 1e6);
            if (frame.undoStack().index() == steps)
                continue;  // the value was refused or already stored
            clock.restart();
            frame.Undo();
            undo.push_back(clock.nsecsElapsed() / 1e6);
        }
        std::printf("%-18s %s %s %s\n", qPrintable(SectionTable::nameOf(code)), medianMs(open).constData(),
                    medianMs(store).constData(), medianMs(undo).constData());
    }
    benchContactGrid(frame, app, rounds);
    benchChannelTable(frame, rounds);
    return 0;
}
