#include "FormDriver.h"

#include "app/CommandIds.h"
#include "sections/CDecodeSequenceView.h"
#include "sections/CEncodeSequenceView.h"

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
