#include "FormDriver.h"

#include "sections/COptionView.h"

#include <QCheckBox>
#include <gtest/gtest.h>

namespace {
constexpr int kCode = 5;

CNumberEdit *numberField(GuiRig &rig, int id)
{
    return rig.control<CNumberEdit>(kCode, id);
}
}

TEST(OptionView, TimeOutFieldsWrapThroughOff)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    ASSERT_NE(openForm(rig, kCode), nullptr);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    auto *tot = numberField(rig, COptionView::TimeOutTimer);
    EXPECT_EQ(tot->text(), QStringLiteral("60"));
    typeAndLeave(tot, QStringLiteral("63"));
    EXPECT_EQ(tot->text(), QStringLiteral("60"));
    EXPECT_EQ(image[0x4661], 12);
    typeAndLeave(tot, QStringLiteral("600"));
    tot->stepUp();
    EXPECT_EQ(tot->text(), QStringLiteral("Off"));
    EXPECT_EQ(image[0x4661], 0);
    numberField(rig, COptionView::TotPreAlert)->stepDown();  // from Off to the top
    EXPECT_EQ(image[0x4662], 10);
    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_EQ(tot->text(), QStringLiteral("60"));
}

TEST(OptionView, InvertedBitsVoxTenthsAndThePassword)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    openForm(rig, kCode);
    uint8_t *image = rig.doc().image();
    const auto before = imageCopy(rig);
    const uint8_t flags = image[0x4660];

    auto *whisper = rig.control<QCheckBox>(kCode, COptionView::Whisper);
    EXPECT_FALSE(whisper->isChecked());
    whisper->click();
    EXPECT_EQ(image[0x4660], flags & ~0x10);

    // With VOX off the details are greyed but show their values.
    auto *hold = numberField(rig, COptionView::VoxHoldTime);
    auto *cancels = rig.control<QCheckBox>(kCode, COptionView::PttCancelsVox);
    EXPECT_FALSE(hold->isEnabled());
    EXPECT_FALSE(cancels->isEnabled());
    EXPECT_EQ(hold->text(), QStringLiteral("0.1"));
    const uint8_t vox = image[0x4666];
    rig.control<QCheckBox>(kCode, COptionView::VoxEnable)->click();
    EXPECT_EQ(image[0x4666], vox & ~0x01);
    EXPECT_TRUE(hold->isEnabled());
    EXPECT_TRUE(cancels->isEnabled());
    typeAndLeave(hold, QStringLiteral("2.5"));
    EXPECT_EQ(image[0x4668], 25);
    typeAndLeave(hold, QStringLiteral("2.57"));  // rounded, not cut down
    EXPECT_EQ(image[0x4668], 26);
    EXPECT_EQ(hold->text(), QStringLiteral("2.6"));
    typeAndLeave(hold, QStringLiteral("25.5"));
    hold->stepUp();
    EXPECT_EQ(image[0x4668], 1);
    EXPECT_EQ(hold->text(), QStringLiteral("0.1"));

    auto *password = rig.control<QLineEdit>(kCode, COptionView::Password);
    typeAndLeave(password, QStringLiteral("1a23"));
    EXPECT_EQ(bytesAt(image, 0xB0, 8), QStringLiteral("31 32 33 FF FF FF FF FF"));
    typeAndLeave(password, QString());
    EXPECT_TRUE(allBytesAre(image, 0xB0, 0xB8, 0xFF));

    choose(rig.control<QComboBox>(kCode, COptionView::SquelchList), 9);
    EXPECT_EQ(image[0x4665], 9);
    choose(rig.control<QComboBox>(kCode, COptionView::BatterySaveList), 1);
    EXPECT_EQ(image[0x4660] & 0x0C, 0x04);
    EXPECT_TRUE(undoAllRestores(rig, *before));
    EXPECT_FALSE(hold->isEnabled());
}

TEST(OptionView, TheModelDecidesWhichControlsShow)
{
    struct Case
    {
        const char *model;
        bool vox, password, batterySave, hangUp;
    };
    for (const Case &c : {Case{"RQ381", true, false, true, false}, Case{"VK214", true, true, true, false},
                          Case{"TL809", false, true, false, true}}) {
        GuiRig rig(QString::fromLatin1(c.model));
        ASSERT_TRUE(rig.start());
        openForm(rig, kCode);
        EXPECT_EQ(rig.control<QCheckBox>(kCode, COptionView::VoxEnable)->isVisible(), c.vox) << c.model;
        EXPECT_EQ(rig.control<QLineEdit>(kCode, COptionView::Password)->isVisible(), c.password) << c.model;
        EXPECT_EQ(rig.control<QComboBox>(kCode, COptionView::BatterySaveList)->isVisible(), c.batterySave) << c.model;
        EXPECT_EQ(rig.control<QComboBox>(kCode, COptionView::HangUpList)->isVisible(), c.hangUp) << c.model;
    }
}
