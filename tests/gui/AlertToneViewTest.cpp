#include "FormDriver.h"

#include "sections/CAlertToneView.h"

#include <gtest/gtest.h>

namespace {
constexpr int kCode = 4;

QComboBox *toneList(GuiRig &rig, int tone)
{
    return rig.control<QComboBox>(kCode, CAlertToneView::toneList(tone));
}
}

TEST(AlertToneView, ATwoBitPositionChangesAloneAndReadsBothOneCodesAsEntryTwo)
{
    GuiRig rig(QStringLiteral("RQ381"));
    ASSERT_TRUE(rig.start());
    CSectionForm *form = openForm(rig, kCode);
    ASSERT_NE(form, nullptr);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    EXPECT_EQ(bytesAt(image, 0x4650, 9), QStringLiteral("FF FF FF FF FF FB 05 05 05"));
    EXPECT_EQ(toneList(rig, 0)->count(), 3);

    // The outgoing-call tone sits in bits 6-7 of 0x4652.
    choose(toneList(rig, 10), 1);
    EXPECT_EQ(image[0x4652], 0xBF);
    EXPECT_EQ(bytesAt(image, 0x4650, 2), QStringLiteral("FF FF"));
    EXPECT_EQ(toneList(rig, 10)->currentIndex(), 1);
    choose(toneList(rig, 10), 0);
    EXPECT_EQ(image[0x4652], 0x3F);

    choose(rig.control<QComboBox>(kCode, CAlertToneView::AlertToneVolumeList), 9);
    EXPECT_EQ(image[0x4657], 10);
    choose(rig.control<QComboBox>(kCode, CAlertToneView::AnnounceLanguageList), 0);
    EXPECT_EQ(image[0x4659], 0xFF);
    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(toneList(rig, 10)->currentIndex(), 2);

    image[0x4650] = 0xFD;  // tone 0 holds 0b01
    form->Reload();
    EXPECT_EQ(toneList(rig, 0)->currentIndex(), 2);
}

TEST(AlertToneView, DisablingGreysTheTonesAndTheAlertVolumeOnlyAndTheModelHidesTones)
{
    GuiRig rig(QStringLiteral("TL809"));
    ASSERT_TRUE(rig.start());
    openForm(rig, kCode);
    auto *enable = rig.control<QComboBox>(kCode, CAlertToneView::AlertToneEnableList);
    choose(enable, 0);
    EXPECT_EQ(rig.doc().image()[0x4655], 0xF3);
    for (int tone = 0; tone < 20; ++tone)
        EXPECT_FALSE(toneList(rig, tone)->isEnabled()) << tone;
    EXPECT_FALSE(rig.control<QComboBox>(kCode, CAlertToneView::AlertToneVolumeList)->isEnabled());
    EXPECT_TRUE(rig.control<QComboBox>(kCode, CAlertToneView::VoiceVolumeList)->isEnabled());
    EXPECT_TRUE(rig.control<QComboBox>(kCode, CAlertToneView::SideToneVolumeList)->isEnabled());
    choose(enable, 1);
    EXPECT_TRUE(toneList(rig, 5)->isEnabled());

    // The TL809 has no power-on and no call-failed tone; two tones show on no model.
    for (int list : {CAlertToneView::PowerOnToneList, CAlertToneView::CallFailedToneList,
                     CAlertToneView::TxBusyToneList, CAlertToneView::MissedCallToneList})
        EXPECT_FALSE(rig.control<QComboBox>(kCode, list)->isVisible()) << list;
    EXPECT_TRUE(toneList(rig, 1)->isVisible());
}

TEST(AlertToneView, OtherModelsShowThePowerOnTone)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    openForm(rig, kCode);
    EXPECT_TRUE(rig.control<QComboBox>(kCode, CAlertToneView::PowerOnToneList)->isVisible());
    EXPECT_TRUE(rig.control<QComboBox>(kCode, CAlertToneView::CallFailedToneList)->isVisible());
    EXPECT_FALSE(rig.control<QComboBox>(kCode, CAlertToneView::TxBusyToneList)->isVisible());
    // The VK214 does not announce channels by default.
    EXPECT_EQ(rig.control<QComboBox>(kCode, CAlertToneView::AnnounceLanguageList)->currentIndex(), 0);
}
