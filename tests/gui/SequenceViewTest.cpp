#include "FormDriver.h"

#include "app/CommandIds.h"
#include "sections/CDecodeSequenceView.h"
#include "sections/CEncodeSequenceView.h"

#include <QAccessible>
#include <QAbstractItemView>
#include <QComboBox>
#include <gtest/gtest.h>

namespace {
constexpr int kEncode = 17;
constexpr int kDecode = 20;

int encodeRecord(int n) { return 0x7150 + 13 * (n - 1); }
int decodeRecord(int n) { return 0xD100 + 14 * (n - 1); }
}

TEST(EncodeSequenceView, DtmfNibblesFiveToneSymbolsAndTheResetOnATypeChange)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    auto *form = static_cast<CEncodeSequenceView *>(openForm(rig, kEncode));
    ASSERT_NE(form, nullptr);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    CEditGrid *grid = form->grid();
    EXPECT_EQ(grid->rowCount(), 16);
    EXPECT_EQ(grid->cellText(0, CEncodeSequenceView::SequenceColumn), QStringLiteral("12345"));
    EXPECT_EQ(form->typeList(15)->currentText(), QStringLiteral("DTMF Sequence"));

    typeIntoCell(grid, 0, CEncodeSequenceView::SequenceColumn, QStringLiteral("12*#"));
    EXPECT_EQ(bytesAt(image, encodeRecord(1), 5), QStringLiteral("04 21 FE FF FF"));
    EXPECT_EQ(grid->cellText(0, CEncodeSequenceView::SequenceColumn), QStringLiteral("12*#"));
    typeIntoCell(grid, 1, CEncodeSequenceView::SequenceColumn, QStringLiteral("12x45"));  // letters end a DTMF entry
    EXPECT_EQ(grid->cellText(1, CEncodeSequenceView::SequenceColumn), QStringLiteral("12"));
    typeIntoCell(grid, 2, CEncodeSequenceView::SequenceColumn, QStringLiteral("1234567890123456789012345"));
    EXPECT_EQ(grid->cellText(2, CEncodeSequenceView::SequenceColumn), QStringLiteral("12345678901234567890"));
    EXPECT_EQ(image[encodeRecord(3)], 20);
    // An emptied cell keeps the sequence.
    typeIntoCell(grid, 2, CEncodeSequenceView::SequenceColumn, QString());
    EXPECT_EQ(image[encodeRecord(3)], 20);

    choose(form->typeList(3), 1);
    EXPECT_EQ(image[encodeRecord(4) + 12], 1);
    EXPECT_EQ(bytesAt(image, encodeRecord(4), 6), QStringLiteral("01 02 03 04 05 FF"));
    typeIntoCell(grid, 3, CEncodeSequenceView::SequenceColumn, QStringLiteral("12g4R6789ABCDEF"));
    EXPECT_EQ(bytesAt(image, encodeRecord(4), 12), QStringLiteral("01 02 11 04 12 06 07 08 09 0A 0B 0C"));
    EXPECT_EQ(grid->cellText(3, CEncodeSequenceView::SequenceColumn), QStringLiteral("12G4R6789ABC"));
    choose(form->typeList(3), 0);
    EXPECT_EQ(bytesAt(image, encodeRecord(4), 13), QStringLiteral("05 21 43 F5 FF FF FF FF FF FF FF FF 00"));
    EXPECT_EQ(rig.frame()->action(Cmd::EditUndo)->text(), QStringLiteral("&Undo Change Encode Sequence Type"));

    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(grid->cellText(0, CEncodeSequenceView::SequenceColumn), QStringLiteral("12345"));
}

TEST(DecodeSequenceView, SymbolsTypesAndTheResetOnASignalingChange)
{
    GuiRig rig(QStringLiteral("TL809"));
    ASSERT_TRUE(rig.start());
    auto *form = static_cast<CDecodeSequenceView *>(openForm(rig, kDecode));
    ASSERT_NE(form, nullptr);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    CEditGrid *grid = form->grid();
    EXPECT_EQ(grid->rowCount(), 6);

    typeIntoCell(grid, 0, CDecodeSequenceView::SequenceColumn, QStringLiteral("9aF0G1"));
    EXPECT_EQ(bytesAt(image, decodeRecord(1) + 2, 5), QStringLiteral("09 0A 0F 00 FF"));
    choose(form->decodeTypeList(0), 3);
    EXPECT_EQ(image[decodeRecord(1) + 1], 3);
    EXPECT_EQ(bytesAt(image, decodeRecord(1) + 2, 2), QStringLiteral("09 0A"));
    choose(form->signalingList(0), 1);
    EXPECT_EQ(bytesAt(image, decodeRecord(1), 8), QStringLiteral("01 03 01 02 03 04 05 FF"));
    EXPECT_EQ(grid->cellText(0, CDecodeSequenceView::SequenceColumn), QStringLiteral("12345"));

    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(form->decodeTypeList(0)->currentIndex(), 0);
}

namespace {

// Opens the list of the current choice cell with a key and picks the next entry.
void pickNextWithKeys(CEditGrid *grid, QComboBox *list, Qt::Key opener)
{
    QTest::keyClick(grid, opener);
    ASSERT_EQ(QApplication::activePopupWidget(), list->view()->window());
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

QString cellName(CEditGrid *grid, int row, int column)
{
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(grid)->tableInterface()->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QString();
}

}

// The drop-down cells are reached like the others, by Tab, and opened by a key.
TEST(SequenceViews, ChoiceCellsAreReachedAndChosenByKeyboardAndNamed)
{
    GuiRig rig(QStringLiteral("TL809"));
    ASSERT_TRUE(rig.start());
    uint8_t *image = rig.doc().image();

    auto *encode = static_cast<CEncodeSequenceView *>(openForm(rig, kEncode));
    CEditGrid *grid = encode->grid();
    QApplication::setActiveWindow(rig.frame());
    grid->setFocus();
    grid->setCurrentCell(0, CEncodeSequenceView::SequenceColumn);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), CEncodeSequenceView::TypeColumn);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(cellName(grid, 1, CEncodeSequenceView::TypeColumn), QStringLiteral("DTMF Sequence"));
    pickNextWithKeys(grid, encode->typeList(1), Qt::Key_Space);
    EXPECT_EQ(image[encodeRecord(2) + 12], 1);
    EXPECT_EQ(cellName(grid, 1, CEncodeSequenceView::TypeColumn), encode->typeList(1)->itemText(1));
    EXPECT_TRUE(grid->hasFocus());
    rig.frame()->Undo();  // the name follows what the program shows too
    EXPECT_EQ(cellName(grid, 1, CEncodeSequenceView::TypeColumn), QStringLiteral("DTMF Sequence"));

    auto *decode = static_cast<CDecodeSequenceView *>(openForm(rig, kDecode));
    grid = decode->grid();
    QApplication::setActiveWindow(rig.frame());
    grid->setFocus();
    grid->setCurrentCell(0, CDecodeSequenceView::SignalingColumn);
    EXPECT_FALSE(cellName(grid, 0, CDecodeSequenceView::SignalingColumn).isEmpty());
    QTest::keyClick(grid, Qt::Key_Tab);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentColumn(), CDecodeSequenceView::DecodeTypeColumn);
    EXPECT_EQ(cellName(grid, 0, CDecodeSequenceView::DecodeTypeColumn), decode->decodeTypeList(0)->currentText());
    pickNextWithKeys(grid, decode->decodeTypeList(0), Qt::Key_Return);
    EXPECT_EQ(image[decodeRecord(1) + 1], 1);
    // Back over the sequence to the signalling of the same row.
    QTest::keyClick(grid, Qt::Key_Backtab);
    QTest::keyClick(grid, Qt::Key_Backtab);
    EXPECT_EQ(grid->currentColumn(), CDecodeSequenceView::SignalingColumn);
}
