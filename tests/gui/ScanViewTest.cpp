#include "FormDriver.h"

#include "sections/CChannelView.h"
#include "sections/CScanView.h"
#include "sections/ListMaintenance.h"
#include "sections/ScanData.h"

#include <QAbstractSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kScan = 7;
constexpr int kList1 = 0x4690;  // scan list n at kList1 + 88 * (n - 1)

// A VK214 codeplug with zone 1 full (16 channels) and zone 2 with two.
struct ScanForm
{
    ScanForm()
    {
        EXPECT_TRUE(rig.start());
        CListMaintenance lists(rig.doc());
        for (int c = 2; c <= 16; ++c)
            lists.addChannel(1);
        lists.addZone();
        lists.addChannel(2);
        QApplication::setActiveWindow(rig.frame());
    }
    void open(int list = 1)
    {
        rig.frame()->OnNavigate(kScan, list);
        settle();
    }
    template <class T>
    T *ctrl(int id) const { return rig.control<T>(kScan, id); }
    uint8_t *image() const { return rig.doc().image(); }
    QString members() const { return bytesAt(image(), kList1 + 24, 32); }
    QUndoStack &undo() const { return rig.frame()->undoStack(); }

    GuiRig rig{QStringLiteral("VK214")};
};

}

TEST(ScanView, MembersMoveInUpToSixteenAndOutPacked)
{
    ScanForm f;
    QList<ChannelRef> fourteen;
    for (int c = 1; c <= 14; ++c)
        fourteen << ChannelRef{1, c};
    CScanData(f.rig.doc()).SetMembers(1, fourteen);
    f.open();
    auto *available = f.ctrl<QListWidget>(CScanView::Available);
    auto *members = f.ctrl<QListWidget>(CScanView::Members);
    auto *moveIn = f.ctrl<QPushButton>(CScanView::MoveIn);
    auto *moveOut = f.ctrl<QPushButton>(CScanView::MoveOut);
    ASSERT_EQ(itemTexts(available), (QStringList{"Zone 1:Channel 15", "Zone 1:Channel 16", "Zone 2:Channel 1",
                                                 "Zone 2:Channel 2"}));

    // Three more would make 17: refused with the message, nothing moves.
    const QString before = f.members();
    const int steps = f.undo().count();
    selectRows(available, {0, 1, 3});
    QTest::mouseClick(moveIn, Qt::LeftButton);
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_PROMPT_CHANNELMEMBER"});
    EXPECT_EQ(f.undo().count(), steps);
    EXPECT_TRUE(available->selectedItems().isEmpty() && !moveIn->isEnabled());

    // Two fit: they become members 15 and 16, in list order. The entry now
    // at the first moved row stays selected, ready for the next move.
    selectRows(available, {3, 0});
    QTest::mouseClick(moveIn, Qt::LeftButton);
    EXPECT_EQ(f.members().right(11), "01 0F 02 02");
    EXPECT_EQ(members->count(), 16);
    EXPECT_EQ(available->selectedItems().value(0)->text(), "Zone 1:Channel 16");

    // Selecting members offers only moving out; the rest close up.
    selectRows(members, {0, 14});
    EXPECT_TRUE(moveOut->isEnabled() && !moveIn->isEnabled());
    QTest::mouseClick(moveOut, Qt::LeftButton);
    EXPECT_EQ(f.members(), "01 02 01 03 01 04 01 05 01 06 01 07 01 08 01 09 01 0A 01 0B 01 0C 01 0D 01 0E "
                           "02 02 00 00 00 00");
    EXPECT_EQ(members->selectedItems().value(0)->text(), "Zone 1:Channel 2");

    f.undo().undo();
    f.undo().undo();
    EXPECT_EQ(f.members(), before);
    EXPECT_EQ(members->count(), 14);
}

TEST(ScanView, RevertDwellAndChannelSelectorsShowAndStoreTheirBytes)
{
    ScanForm f;
    f.image()[kList1 + 5] = 3;
    f.image()[kList1 + 8] = 255;
    f.open();
    auto *revert = f.ctrl<QComboBox>(CScanView::Revert);
    ASSERT_EQ(revert->count(), 6);  // item 2 is never offered
    EXPECT_EQ(revert->currentText(), "Priority Channel 1");
    EXPECT_EQ(f.ctrl<QComboBox>(CScanView::RxDwell)->currentText(), "63.75");
    EXPECT_EQ(f.ctrl<QComboBox>(CScanView::TxDwell)->currentText(), "3.00");
    choose(revert, Qt::Key_End);  // entry 5 stores 6
    EXPECT_EQ(f.image()[kList1 + 5], 6);

    // A selector offers every named channel and stores the chosen pair.
    auto *designated = f.ctrl<QComboBox>(CScanView::Designated);
    EXPECT_EQ(designated->count(), 18);
    EXPECT_EQ(designated->currentText(), "Zone 1:Channel 1");
    choose(designated, Qt::Key_End);
    EXPECT_EQ(bytesAt(f.image(), kList1 + 6, 2), "02 02");
}

TEST(ScanView, OpeningRewritesUnsetChannelsAsOneStepThatUndoKeeps)
{
    ScanForm f;
    f.image()[kList1 + 1] = 0xFF;
    f.image()[kList1 + 2] = 0xFF;
    const int steps = f.undo().count();
    f.open();
    EXPECT_EQ(bytesAt(f.image(), kList1 + 1, 2), "00 00");
    EXPECT_EQ(f.ctrl<QComboBox>(CScanView::Priority1)->currentIndex(), -1);
    // Showing the list again adds no step; undo brings the erased bytes back.
    f.rig.frame()->OnNavigate(kScan, 1);
    EXPECT_EQ(f.undo().count(), steps + 1);
    f.undo().undo();
    EXPECT_EQ(bytesAt(f.image(), kList1 + 1, 2), "FF FF");
}

TEST(ScanView, NamesNavigationAddAndDelete)
{
    ScanForm f;
    f.rig.frame()->OnNavigate(6, 0);  // the channel form offers the lists by name
    f.open();
    auto *name = f.ctrl<QLineEdit>(CScanView::ListName);
    auto *position = f.ctrl<QLabel>(CScanView::Position);
    auto *lookBack = f.ctrl<QAbstractSpinBox>(CScanView::LookBackA);
    EXPECT_FALSE(f.ctrl<QPushButton>(CScanView::DeleteList)->isEnabled());

    QTest::mouseClick(f.ctrl<QPushButton>(CScanView::AddList), Qt::LeftButton);
    EXPECT_EQ(name->text(), "Scan 2");
    EXPECT_EQ(position->text(), "2 of 2");
    QTreeWidgetItem *scans = f.rig.frame()->treeBar()->staticItem(kScan);
    ASSERT_EQ(scans->childCount(), 2);

    typeAndLeave(name, QStringLiteral("Scan 1"), lookBack);
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_EXIST_NAME"});
    EXPECT_EQ(name->text(), "Scan 2");
    typeAndLeave(name, QStringLiteral("Hills"), lookBack);
    EXPECT_EQ(scans->child(1)->text(0), "Hills");
    EXPECT_NE(f.rig.control<QComboBox>(6, CChannelView::ScanList)->findText("Hills"), -1);

    QTest::mouseClick(f.ctrl<QPushButton>(CScanView::First), Qt::LeftButton);
    EXPECT_EQ(name->text(), "Scan 1");
    EXPECT_FALSE(f.ctrl<QPushButton>(CScanView::Previous)->isEnabled());
    QTest::mouseClick(f.ctrl<QPushButton>(CScanView::DeleteList), Qt::LeftButton);
    EXPECT_EQ(name->text() + " " + position->text(), "Hills 1 of 1");
    EXPECT_EQ(scans->childCount(), 1);
    EXPECT_TRUE(allBytesAre(f.image(), kList1 + 88 * 15, kList1 + 88 * 16, 0));

    // Undo brings the deleted list back; undoing the add leaves the form on
    // a list still in use.
    f.undo().undo();
    EXPECT_EQ(CScanData(f.rig.doc()).GetName(1), "Scan 1");
    EXPECT_EQ(scans->childCount(), 2);
    f.undo().undo();  // the rename
    f.undo().undo();  // the new list
    EXPECT_EQ(position->text(), "1 of 1");
}
