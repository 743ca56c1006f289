#include "FormDriver.h"

#include "sections/CDisplayControlView.h"

#include <QCheckBox>
#include <gtest/gtest.h>

namespace {
constexpr int kCode = 19;
}

TEST(DisplayControlView, ShowsTheDefaultsAndOutOfRangeBytesAsTheFirstEntry)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    CSectionForm *form = openForm(rig, kCode);
    ASSERT_NE(form, nullptr);
    auto *backlight = rig.control<QComboBox>(kCode, CDisplayControlView::BacklightList);
    auto *keypad = rig.control<QComboBox>(kCode, CDisplayControlView::KeypadLockList);
    EXPECT_EQ(backlight->currentText(), QStringLiteral("10s"));
    rig.doc().image()[0x8000] = 0x0A;
    rig.doc().image()[0x8001] = 0x06;
    form->Reload();
    EXPECT_EQ(backlight->currentText(), QStringLiteral("Always On"));
    EXPECT_EQ(keypad->currentIndex(), 0);
    // Shown, not rewritten.
    EXPECT_EQ(rig.doc().image()[0x8000], 0x0A);
}

TEST(DisplayControlView, EachBoxTouchesOnlyItsBitAndUndoRestoresTheBytes)
{
    GuiRig rig(QStringLiteral("TL809"));
    ASSERT_TRUE(rig.start());
    openForm(rig, kCode);
    uint8_t *image = rig.doc().image();
    image[0x8004] = 0xAF;  // bits 4..7 belong to no item: kept
    const auto withHighBits = imageCopy(rig);

    auto *vox = rig.control<QCheckBox>(kCode, CDisplayControlView::FirstMenuItem + 11);
    vox->click();
    EXPECT_EQ(image[0x8004], 0xA7);
    EXPECT_EQ(image[0x8003], 0xFF);
    EXPECT_FALSE(vox->isChecked());
    EXPECT_TRUE(rig.control<QCheckBox>(kCode, CDisplayControlView::FirstMenuItem)->isChecked());

    rig.control<QCheckBox>(kCode, CDisplayControlView::FirstMenuItem + 2)->click();
    EXPECT_EQ(image[0x8003], 0xFB);
    rig.control<QCheckBox>(kCode, CDisplayControlView::LedIndicator)->click();
    EXPECT_EQ(image[0x8002], 1);
    choose(rig.control<QComboBox>(kCode, CDisplayControlView::BacklightList), 6);
    EXPECT_EQ(image[0x8000], 6);
    choose(rig.control<QComboBox>(kCode, CDisplayControlView::KeypadLockList), 2);
    EXPECT_EQ(image[0x8001], 2);
    EXPECT_EQ(rig.frame()->undoStack().count(), 5);

    rig.frame()->Undo();
    EXPECT_EQ(image[0x8001], 0);
    EXPECT_EQ(rig.control<QComboBox>(kCode, CDisplayControlView::KeypadLockList)->currentIndex(), 0);
    EXPECT_TRUE(undoAllRestores(rig, *withHighBits));
    EXPECT_TRUE(rig.control<QCheckBox>(kCode, CDisplayControlView::FirstMenuItem + 11)->isChecked());
}
