#include "GuiRig.h"

#include "sections/CPcSoftwareView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// Types into a field of the radio-information form and leaves it.
void typeInto(GuiRig &rig, int control, const QString &text, bool clearFirst = true)
{
    auto *edit = rig.control<QLineEdit>(1, control);
    ASSERT_NE(edit, nullptr);
    QApplication::setActiveWindow(rig.frame());
    edit->setFocus();
    if (clearFirst)
        edit->selectAll();
    QTest::keyClicks(edit, text);
    rig.control<QComboBox>(1, CPcSoftwareView::RangeList)->setFocus();
    QApplication::processEvents();
}

QString fieldText(GuiRig &rig, int control)
{
    return rig.control<QLineEdit>(1, control)->text();
}

}

TEST(RadioInfoView, ShowsTheDefaultsAndStoresWhatIsTypedWhenTheFieldIsLeft)
{
    GuiRig rig(QStringLiteral("RQ381"));
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(fieldText(rig, CPcSoftwareView::LastProgramTime), QStringLiteral("2014-07-20 07:07:07"));
    EXPECT_EQ(fieldText(rig, CPcSoftwareView::PcSoftwareVersion), QStringLiteral("V01.19"));
    EXPECT_EQ(fieldText(rig, CPcSoftwareView::DataVersionText), QStringLiteral("D01.00"));
    auto *ranges = rig.control<QComboBox>(1, CPcSoftwareView::RangeList);
    EXPECT_EQ(ranges->count(), 9);
    EXPECT_EQ(ranges->currentText(), QStringLiteral("400MHz-470MHz"));

    // Short digit strings get their separators appended, never padding.
    EXPECT_EQ(CPcSoftwareView::timeForDisplay(QStringLiteral("2014")), QStringLiteral("2014-- ::"));
    EXPECT_EQ(CPcSoftwareView::versionForDisplay(QString()), QStringLiteral("V."));

    const uint8_t *image = rig.doc().image();

    typeInto(rig, CPcSoftwareView::SerialNumber, QStringLiteral("ABC"));
    EXPECT_EQ(bytesAt(image, 0x5D, 4), QStringLiteral("41 42 43 FF"));

    // Leaving a version that still shows "V01.19" stores nothing.
    typeInto(rig, CPcSoftwareView::PcSoftwareVersion, QString(), false);
    EXPECT_EQ(bytesAt(image, 0x3B, 4), QStringLiteral("00 01 01 09"));
    typeInto(rig, CPcSoftwareView::PcSoftwareVersion, QStringLiteral("012099"));  // typing stops at four
    EXPECT_EQ(fieldText(rig, CPcSoftwareView::PcSoftwareVersion), QStringLiteral("V01.20"));

    const QString before = bytesAt(image, 0x30, 7);
    typeInto(rig, CPcSoftwareView::LastProgramTime, QString(), false);  // tabbing through
    EXPECT_EQ(bytesAt(image, 0x30, 7), before);
    typeInto(rig, CPcSoftwareView::LastProgramTime, QStringLiteral("2024-01-02 03:04:05"));
    EXPECT_EQ(bytesAt(image, 0x30, 7), QStringLiteral("20 24 01 02 03 04 05"));
    EXPECT_TRUE(rig.doc().IsModified());
}

TEST(RadioInfoView, BasicZeroMakesTheFieldsReadOnly)
{
    GuiRig rig;
    rig.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("basic"), QStringLiteral("0"));
    ASSERT_TRUE(rig.start());
    for (int control : {CPcSoftwareView::Model, CPcSoftwareView::LastProgramTime, CPcSoftwareView::PcSoftwareVersion,
                        CPcSoftwareView::HardwareVersion, CPcSoftwareView::SerialNumber,
                        CPcSoftwareView::McuVersionText, CPcSoftwareView::DataVersionText})
        EXPECT_FALSE(rig.control<QLineEdit>(1, control)->isEnabled()) << control;
    EXPECT_TRUE(rig.control<QComboBox>(1, CPcSoftwareView::RangeList)->isEnabled());
}

TEST(RadioInfoView, ChangingTheRangeRebuildsTheCodeplugAfterAsking)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    auto *ranges = rig.control<QComboBox>(1, CPcSoftwareView::RangeList);
    rig.doc().SetSerialNumber(QStringLiteral("MINE"));

    rig.prompter.answers = {PromptAnswer::Cancel};
    emit ranges->activated(0);
    EXPECT_EQ(rig.prompter.keys(), QStringList{QStringLiteral("IDS_WARN_CLEAR")});
    EXPECT_EQ(rig.prompter.prompts.value(0).buttons, Prompt::Buttons::OkCancel);
    EXPECT_EQ(ranges->currentIndex(), 6);
    EXPECT_EQ(rig.doc().GetSerialNumber(), QStringLiteral("MINE"));

    // Choosing the range in use asks nothing.
    rig.prompter.prompts.clear();
    emit ranges->activated(6);
    EXPECT_TRUE(rig.prompter.prompts.isEmpty());

    ranges->setCurrentIndex(0);
    emit ranges->activated(0);
    EXPECT_EQ(rig.doc().GetRangeIndex(), 0);
    EXPECT_EQ(bytesAt(rig.doc().image(), 0x09, 4), QStringLiteral("01 36 01 74"));
    EXPECT_EQ(rig.doc().GetSerialNumber(), QStringLiteral("012345678901234"));
    EXPECT_EQ(fieldText(rig, CPcSoftwareView::SerialNumber), QStringLiteral("012345678901234"));
    EXPECT_EQ(rig.frame()->statusPaneTexts().value(2), QStringLiteral("\t136MHz - 174MHz"));
    EXPECT_EQ(rig.frame()->treeBar()->staticItem(6)->childCount(), 2);  // the channel table and one zone
}

TEST(RadioInfoView, AnRq381sInstallationOffersOnlyItsBand)
{
    GuiRig rig(QStringLiteral("RQ381S"));
    ASSERT_TRUE(rig.start());
    auto *ranges = rig.control<QComboBox>(1, CPcSoftwareView::RangeList);
    ASSERT_EQ(ranges->count(), 1);
    EXPECT_EQ(ranges->currentText(), QStringLiteral("400MHz-470MHz"));
    emit ranges->activated(0);
    EXPECT_TRUE(rig.prompter.prompts.isEmpty());
    EXPECT_EQ(rig.doc().GetRangeIndex(), 6);
}

TEST(RadioInfoView, UnusableRangesAreGreyedAndNeverTheCurrentBand)
{
    GuiRig rig;
    rig.config.settings().writeSetting(QStringLiteral("FreqRange"), QStringLiteral("data0"), QStringLiteral("0136"));
    rig.config.settings().writeSetting(QStringLiteral("FreqRange"), QStringLiteral("data6"), QStringLiteral("abc"));
    ASSERT_TRUE(rig.start());
    auto *ranges = rig.control<QComboBox>(1, CPcSoftwareView::RangeList);
    auto *items = qobject_cast<QStandardItemModel *>(ranges->model());
    ASSERT_NE(items, nullptr);
    ASSERT_EQ(ranges->count(), 9);
    QList<int> greyed;
    for (int i = 0; i < ranges->count(); ++i) {
        if (!(items->item(i)->flags() & Qt::ItemIsEnabled))
            greyed << i;
    }
    EXPECT_EQ(greyed, (QList<int>{0, 6}));
    // The new codeplug has no usable band: entry 0's label is not shown for it.
    EXPECT_EQ(ranges->currentIndex(), -1);

    rig.prompter.prompts.clear();
    emit ranges->activated(6);
    EXPECT_TRUE(rig.prompter.prompts.isEmpty());
    EXPECT_EQ(ranges->currentIndex(), -1);

    ranges->setCurrentIndex(4);
    emit ranges->activated(4);
    EXPECT_EQ(rig.doc().GetRangeIndex(), 4);
    EXPECT_EQ(ranges->currentIndex(), 4);
}
