#include "FormDriver.h"

#include "app/CommandIds.h"
#include "codeplug/DataFile.h"
#include "link/CTransferDialog.h"
#include "sections/CPcSoftwareView.h"
#include "sections/ListMaintenance.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

// Focuses a field of the radio-information form and types into it, leaving
// the focus (and the uncommitted text) in the field.
QLineEdit *typeWithoutLeaving(GuiRig &rig, int control, const QString &text)
{
    auto *edit = rig.control<QLineEdit>(1, control);
    QApplication::setActiveWindow(rig.frame());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return edit;
}

}

TEST(Undo, AFieldStoreIsOneStepThatUndoAndRedoRewriteExactly)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    const auto before = imageCopy(rig);
    EXPECT_FALSE(rig.frame()->action(Cmd::EditUndo)->isEnabled());

    typeWithoutLeaving(rig, CPcSoftwareView::SerialNumber, QStringLiteral("SN42"));
    rig.frame()->treeBar()->tree()->setFocus();  // leaving the field stores it
    ASSERT_EQ(rig.doc().GetSerialNumber(), QStringLiteral("SN42"));
    const auto after = imageCopy(rig);
    EXPECT_EQ(rig.frame()->action(Cmd::EditUndo)->text(), QStringLiteral("&Undo Serial Number"));
    EXPECT_TRUE(rig.frame()->isWindowModified());

    rig.frame()->action(Cmd::EditUndo)->trigger();
    EXPECT_TRUE(*before == rig.doc().currentImage());
    EXPECT_EQ(rig.control<QLineEdit>(1, CPcSoftwareView::SerialNumber)->text(), QStringLiteral("012345678901234"));
    EXPECT_FALSE(rig.frame()->isWindowModified());
    rig.frame()->action(Cmd::EditRedo)->trigger();
    EXPECT_TRUE(*after == rig.doc().currentImage());

    // A store that changes nothing records nothing.
    typeWithoutLeaving(rig, CPcSoftwareView::SerialNumber, QStringLiteral("SN42"));
    rig.frame()->treeBar()->tree()->setFocus();
    EXPECT_EQ(rig.frame()->undoStack().count(), 1);
}

// A range change rebuilds the codeplug; undoing it brings back the band,
// its limits and every record.
TEST(Undo, ARangeChangeUndoesByteForByte)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    CListMaintenance(rig.doc()).addZone();
    const auto before = imageCopy(rig);
    const qint32 upper = rig.doc().upperBandLimit();
    rig.prompter.answers = {PromptAnswer::Ok};
    auto *ranges = rig.control<QComboBox>(1, CPcSoftwareView::RangeList);
    ranges->setCurrentIndex(1);
    emit ranges->activated(1);
    ASSERT_NE(rig.doc().upperBandLimit(), upper);
    rig.frame()->Undo();
    EXPECT_TRUE(*before == rig.doc().currentImage());
    EXPECT_EQ(rig.doc().upperBandLimit(), upper);
    EXPECT_EQ(ranges->currentIndex(), 6);
}

TEST(CommitBeforeCommand, SaveStoresTheFieldBeingTypedInto)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    rig.nextSaveFile = QDir(rig.config.dir()).filePath(QStringLiteral("typed.dat"));
    QLineEdit *edit = typeWithoutLeaving(rig, CPcSoftwareView::SerialNumber, QStringLiteral("TYPED1"));
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(edit->hasFocus());

    CPcSoftwareDoc &doc = rig.doc();
    EXPECT_EQ(doc.GetSerialNumber(), QStringLiteral("TYPED1"));
    TestDocument saved;
    ASSERT_EQ(DataFile::load(*saved.doc, rig.nextSaveFile), DataFile::LoadResult::Loaded);
    EXPECT_EQ(saved.doc->GetSerialNumber(), QStringLiteral("TYPED1"));

    // Closing the program stores the field too (and then asks to save it).
    typeWithoutLeaving(rig, CPcSoftwareView::SerialNumber, QStringLiteral("TYPED2"));
    rig.prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(rig.closeWindow());
    EXPECT_EQ(doc.GetSerialNumber(), QStringLiteral("TYPED2"));
}

TEST(MainFrameKeys, CtrlWWritesWhateverHasTheFocusAndTitlesCarryNoProgramName)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QGuiApplication::applicationName()
                || QGuiApplication::applicationDisplayName().isEmpty());

    rig.config.settings().writeSetting(QStringLiteral("ports"), QStringLiteral("1"), QStringLiteral("/nonexistent/tty"));
    rig.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("1"));
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CTransferDialog *>(QApplication::activeModalWidget());
        dialogShown = dialog != nullptr;
        if (dialog)
            dialog->okButton()->click();
    });
    QLineEdit *edit = typeWithoutLeaving(rig, CPcSoftwareView::SerialNumber, QStringLiteral("W"));
    QTest::keyClick(edit, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(dialogShown);
}
