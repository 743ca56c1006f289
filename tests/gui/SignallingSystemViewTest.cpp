#include "FormDriver.h"

#include "sections/C5ToneSystemView.h"
#include "sections/CDtmfView.h"

#include <gtest/gtest.h>

namespace {
constexpr int kDtmf = 15;
constexpr int kFiveTone = 16;
}

TEST(DtmfView, TimesKeepTheTenMillisecondRasterAndTheDCodeShowsOff)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    CSectionForm *form = openForm(rig, kDtmf);
    ASSERT_NE(form, nullptr);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    auto *firstDigit = rig.control<CNumberEdit>(kDtmf, CDtmfView::FirstDigitTime);
    auto *dCode = rig.control<CNumberEdit>(kDtmf, CDtmfView::DCode);
    EXPECT_EQ(dCode->text(), QStringLiteral("Off"));

    typeAndLeave(firstDigit, QStringLiteral("105"));
    EXPECT_EQ(image[0x7220], 10);
    EXPECT_EQ(firstDigit->text(), QStringLiteral("100"));
    typeAndLeave(rig.control<CNumberEdit>(kDtmf, CDtmfView::DigitInterval), QStringLiteral("5"));
    EXPECT_EQ(image[0x7222], 3);  // held at 30 ms
    dCode->stepDown();
    EXPECT_EQ(image[0x7224], 16);
    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(firstDigit->text(), QStringLiteral("100"));
}

TEST(FiveToneSystemView, FrequenciesInTenthsOfAHertzAndTheToneLists)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    CSectionForm *form = openForm(rig, kFiveTone);
    ASSERT_NE(form, nullptr);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    auto *groupCall = rig.control<QComboBox>(kFiveTone, C5ToneSystemView::GroupCallToneList);
    auto *repeat = rig.control<QComboBox>(kFiveTone, C5ToneSystemView::RepeatToneList);
    EXPECT_EQ(groupCall->currentIndex(), 10);
    EXPECT_EQ(repeat->currentIndex(), 14);
    EXPECT_EQ(groupCall->count(), repeat->count());
    EXPECT_EQ(rig.control<QComboBox>(kFiveTone, C5ToneSystemView::ToneSystemList)->currentIndex(), 0);

    auto *tone1 = rig.control<CNumberEdit>(kFiveTone, C5ToneSystemView::Tone1Frequency);
    auto *tone2 = rig.control<CNumberEdit>(kFiveTone, C5ToneSystemView::Tone2Frequency);
    EXPECT_EQ(tone1->text(), QStringLiteral("2700.0"));
    typeAndLeave(tone2, QStringLiteral("2700"));
    EXPECT_EQ(bytesAt(image, 0x722D, 2), QStringLiteral("78 69"));
    EXPECT_EQ(tone2->text(), QStringLiteral("2700.0"));
    typeAndLeave(tone1, QStringLiteral("3106.8"));
    EXPECT_EQ(bytesAt(image, 0x722B, 2), QStringLiteral("5C 79"));
    tone1->stepUp();  // past the top: wraps to 288.5 Hz
    EXPECT_EQ(tone1->text(), QStringLiteral("288.5"));

    typeAndLeave(rig.control<CNumberEdit>(kFiveTone, C5ToneSystemView::Tone2Duration), QStringLiteral("1234"));
    EXPECT_EQ(bytesAt(image, 0x7231, 2), QStringLiteral("7B 00"));
    choose(repeat, 3);
    EXPECT_EQ(image[0x722A], 3);
    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(repeat->currentIndex(), 14);
}
