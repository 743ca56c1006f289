#include "FormDriver.h"

#include "app/CommandIds.h"
#include "sections/CKeySettingView.h"

#include <gtest/gtest.h>

namespace {
constexpr int kCode = 3;

QComboBox *keyList(GuiRig &rig, int id)
{
    return rig.control<QComboBox>(kCode, id);
}
}

TEST(KeySettingView, ListPositionsStoreTheModelsCodes)
{
    GuiRig rig(QStringLiteral("RQ381"));
    ASSERT_TRUE(rig.start());
    ASSERT_NE(openForm(rig, kCode), nullptr);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    auto *topShort = keyList(rig, CKeySettingView::TopKeyShort);
    EXPECT_EQ(topShort->count(), 21);
    EXPECT_EQ(topShort->itemText(7), QStringLiteral("Squelch Level"));
    EXPECT_EQ(keyList(rig, CKeySettingView::SideKey1Short)->currentIndex(), 11);  // code 14

    choose(topShort, 20);
    EXPECT_EQ(image[0x4640], 27);
    choose(keyList(rig, CKeySettingView::SideKey2Long), 1);  // the last list edits slot 5
    EXPECT_EQ(image[0x4645], 3);
    choose(topShort, 0);
    EXPECT_EQ(image[0x4640], 0xFF);
    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(keyList(rig, CKeySettingView::SideKey2Long)->currentIndex(), 0);
}

TEST(KeySettingView, AnUnavailableCodeShowsAtTheLowerOneAndStaysUntilChanged)
{
    GuiRig rig(QStringLiteral("TL809"));
    ASSERT_TRUE(rig.start());
    CSectionForm *form = openForm(rig, kCode);
    uint8_t *image = rig.doc().image();
    auto *topShort = keyList(rig, CKeySettingView::TopKeyShort);
    EXPECT_EQ(topShort->count(), 14);
    // The default position 17 is beyond the TL809's functions: byte 28, shown as none.
    EXPECT_EQ(image[0x4642], 28);
    EXPECT_EQ(keyList(rig, CKeySettingView::SideKey2Short)->currentIndex(), 0);

    image[0x4640] = 16;  // a code the TL809 does not offer
    form->Reload();
    EXPECT_EQ(topShort->currentIndex(), 9);  // shown at code 12
    choose(topShort, 9);
    EXPECT_EQ(image[0x4640], 16);
    choose(keyList(rig, CKeySettingView::TopKeyLong), 13);
    EXPECT_EQ(image[0x4643], 27);
    EXPECT_EQ(image[0x4640], 16);
    choose(topShort, 8);
    EXPECT_EQ(image[0x4640], 11);

    // The TL809's keys are side keys, and the undo step says which.
    EXPECT_EQ(rig.frame()->action(Cmd::EditUndo)->text(), QStringLiteral("&Undo Side Key 1 (Short Press)"));
}
