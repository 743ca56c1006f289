// What the forms bound to the field catalogue show beyond the stores the
// catalogue test walks: which controls a model hides (keeping their bytes),
// special values and decimals as text, and controls greyed by another.

#include "FormDriver.h"

#include "sections/C5ToneSystemView.h"
#include "sections/CAlertToneView.h"
#include "sections/CBasicSettingView.h"
#include "sections/CDisplayControlView.h"
#include "sections/CDtmfView.h"
#include "sections/CKeySettingView.h"
#include "sections/COptionView.h"

#include <QCheckBox>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

constexpr int kKeys = 3;
constexpr int kAlertTones = 4;
constexpr int kOptions = 5;
constexpr int kBasic = 10;
constexpr int kDtmf = 15;
constexpr int kFiveTone = 16;
constexpr int kDisplay = 19;

}

TEST(BoundForms, AFieldTheModelDoesNotOfferIsHiddenWithItsLabelAndKeepsItsBytes)
{
    struct Case
    {
        const char *model;
        int form, control;
        bool shown;
    };
    const Case cases[] = {
        {"RQ381", kOptions, COptionView::VoxEnable, true},        {"RQ381", kOptions, COptionView::Password, false},
        {"RQ381", kOptions, COptionView::BatterySaveList, true},  {"RQ381", kOptions, COptionView::HangUpList, false},
        {"VK214", kOptions, COptionView::Password, true},         {"VK214", kAlertTones, CAlertToneView::PowerOnToneList, true},
        {"VK214", kAlertTones, CAlertToneView::CallFailedToneList, true},
        {"VK214", kAlertTones, CAlertToneView::TxBusyToneList, false},  // on no model
        {"TL809", kOptions, COptionView::VoxEnable, false},       {"TL809", kOptions, COptionView::HangUpList, true},
        {"TL809", kOptions, COptionView::BatterySaveList, false}, {"TL809", kAlertTones, CAlertToneView::PowerOnToneList, false},
        {"TL809", kAlertTones, CAlertToneView::CallFailedToneList, false},
        {"TL809", kBasic, CBasicSettingView::Preamble, false},   {"TL809", kBasic, CBasicSettingView::PreambleLabel, false},
    };
    for (const char *model : {"RQ381", "VK214", "TL809"}) {
        GuiRig rig(QString::fromLatin1(model));
        ASSERT_TRUE(rig.start());
        rig.doc().image()[0x4C28] = 3;  // the preamble, hidden on the TL809
        for (const Case &c : cases) {
            if (QLatin1String(c.model) != QLatin1String(model))
                continue;
            ASSERT_NE(openForm(rig, c.form), nullptr) << model;
            EXPECT_EQ(rig.control<QWidget>(c.form, c.control)->isVisible(), c.shown) << model << " form " << c.form << " control " << c.control;
        }
        if (QLatin1String(model) == QLatin1String("TL809")) {
            EXPECT_EQ(rig.control<QComboBox>(kBasic, CBasicSettingView::Preamble)->currentIndex(), 3);
        }
    }
}

TEST(BoundForms, SpecialValuesDecimalsAndOddBytesShowAsTheFormsShowThem)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);

    openForm(rig, kOptions);
    auto *tot = rig.control<CNumberEdit>(kOptions, COptionView::TimeOutTimer);
    EXPECT_EQ(tot->text(), QStringLiteral("60"));
    typeAndLeave(tot, QStringLiteral("600"));
    tot->stepUp();  // past the top: the special value
    EXPECT_EQ(tot->text(), QStringLiteral("Off"));
    EXPECT_EQ(image[0x4661], 0);
    EXPECT_EQ(rig.control<CNumberEdit>(kOptions, COptionView::VoxHoldTime)->text(), QStringLiteral("0.1"));

    openForm(rig, kDtmf);
    EXPECT_EQ(rig.control<CNumberEdit>(kDtmf, CDtmfView::DCode)->text(), QStringLiteral("Off"));
    openForm(rig, kFiveTone);
    auto *tone1 = rig.control<CNumberEdit>(kFiveTone, C5ToneSystemView::Tone1Frequency);
    EXPECT_EQ(tone1->text(), QStringLiteral("2700.0"));
    typeAndLeave(tone1, QStringLiteral("3106.8"));
    EXPECT_EQ(bytesAt(image, 0x722B, 2), QStringLiteral("5C 79"));
    EXPECT_EQ(rig.control<QComboBox>(kFiveTone, C5ToneSystemView::GroupCallToneList)->currentIndex(), 10);
    openForm(rig, kKeys);
    EXPECT_EQ(rig.control<CNumberEdit>(kKeys, CKeySettingView::LongPressTime)->text(), QStringLiteral("2000"));

    // A two-bit tone holding 0b01 reads as the entry 0b11 has.
    image[0x4650] = 0xFD;
    openForm(rig, kAlertTones)->Reload();
    EXPECT_EQ(rig.control<QComboBox>(kAlertTones, CAlertToneView::toneList(0))->currentIndex(), 2);
    // A byte out of a list's range shows as its first entry, and is not rewritten.
    image[0x8000] = 0x0A;
    image[0x8001] = 0x06;
    openForm(rig, kDisplay)->Reload();
    EXPECT_EQ(rig.control<QComboBox>(kDisplay, CDisplayControlView::BacklightList)->currentText(), QStringLiteral("Always On"));
    EXPECT_EQ(rig.control<QComboBox>(kDisplay, CDisplayControlView::KeypadLockList)->currentIndex(), 0);
    EXPECT_EQ(bytesAt(image, 0x8000, 2), QStringLiteral("0A 06"));
    image[0x4650] = before->at(0x4650);
    image[0x8000] = before->at(0x8000);
    image[0x8001] = before->at(0x8001);
    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(tone1->text(), QStringLiteral("2700.0"));
}

TEST(BoundForms, ASwitchGreysTheControlsItGoverns)
{
    GuiRig rig(QStringLiteral("TL809"));
    ASSERT_TRUE(rig.start());
    openForm(rig, kAlertTones);
    auto *enable = rig.control<QComboBox>(kAlertTones, CAlertToneView::AlertToneEnableList);
    choose(enable, 0);
    for (int tone = 0; tone < 20; ++tone)
        EXPECT_FALSE(rig.control<QComboBox>(kAlertTones, CAlertToneView::toneList(tone))->isEnabled()) << tone;
    EXPECT_FALSE(rig.control<QComboBox>(kAlertTones, CAlertToneView::AlertToneVolumeList)->isEnabled());
    EXPECT_TRUE(rig.control<QComboBox>(kAlertTones, CAlertToneView::VoiceVolumeList)->isEnabled());
    choose(enable, 1);
    EXPECT_TRUE(rig.control<QComboBox>(kAlertTones, CAlertToneView::toneList(5))->isEnabled());

    GuiRig vk(QStringLiteral("VK214"));
    ASSERT_TRUE(vk.start());
    openForm(vk, kOptions);
    auto *hold = vk.control<CNumberEdit>(kOptions, COptionView::VoxHoldTime);
    auto *cancels = vk.control<QCheckBox>(kOptions, COptionView::PttCancelsVox);
    EXPECT_FALSE(hold->isEnabled() || cancels->isEnabled());
    vk.control<QCheckBox>(kOptions, COptionView::VoxEnable)->click();
    EXPECT_TRUE(hold->isEnabled() && cancels->isEnabled());
    vk.frame()->Undo();
    EXPECT_FALSE(hold->isEnabled());
}
