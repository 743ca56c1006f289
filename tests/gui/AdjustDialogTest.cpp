// The single-item adjust dialog against the simulated radio on a pseudo-terminal.

#include "CalibrationRig.h"

#include "calibration/CAdjustDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr qint32 kUhfLimit = 48000000;

struct AdjustRig : CalibrationRig
{
    explicit AdjustRig(const SimOptions &options = SimOptions(), const QString &language = QStringLiteral("english"))
        : CalibrationRig(options, language)
    {
        table.setBytes(kCalibrationAreaStart, QByteArray(kCalibrationAreaEnd - kCalibrationAreaStart, 0));
        table.setBytes(0x0100, QByteArray::fromHex("50025043"));  // CH1 receives on 435.0025 MHz
    }
    std::unique_ptr<CAdjustDialog> open(qint32 upperLimit = kUhfLimit)
    {
        auto dialog = std::make_unique<CAdjustDialog>(config.settings(), prompter, table, upperLimit, nullptr,
                                                      [](int) {});
        dialog->show();
        return dialog;
    }
    int lineOf(const CAdjustDialog &dialog, int code) const { return int(dialog.itemCodes().indexOf(code)); }
    void press(CAdjustDialog &dialog, int bar, QAbstractSlider::SliderAction action)
    {
        dialog.scrollBar(bar)->triggerAction(action);
    }
    CalibrationImage table;
};

}

TEST(AdjustDialog, TunesSavesQuitsMeasuresAndLeaves)
{
    RadioState initial;
    initial.measurements[0x1E] = 1234;  // VOX 1 level
    AdjustRig rig(SimOptions(), QStringLiteral("english"));
    rig.startRadio(initial);
    auto dialog = rig.open();
    ASSERT_TRUE(dialog->linkUp());
    EXPECT_TRUE(unnamedInputs(dialog.get()).isEmpty()) << unnamedInputs(dialog.get()).join(", ").toStdString();

    // A click shows an item without talking to the radio; scrolling before a
    // start changes nothing.
    dialog->selectLine(rig.lineOf(*dialog, 1));
    EXPECT_EQ(findCtrl<QLabel>(dialog.get(), CAdjustDialog::ReceiveFrequency)->text(), QStringLiteral("RX Freq: 435.002500"));
    dialog->selectLine(rig.lineOf(*dialog, 2));
    EXPECT_EQ(findCtrl<QLabel>(dialog.get(), CAdjustDialog::ReceiveFrequency)->text(), QStringLiteral("RX Freq: 435.00250"));
    rig.press(*dialog, 0, QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(dialog->scrollBar(0)->value(), 0);
    EXPECT_FALSE(rig.radioEvents().join('\n').contains(QStringLiteral("service start item")));

    // High power CH1: 0 wraps to 255, is sent as it moves and saved into the table.
    dialog->startLine(rig.lineOf(*dialog, 2));
    EXPECT_FALSE(dialog->itemList()->isEnabled());
    rig.press(*dialog, 0, QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(dialog->valueEdit(0)->text(), QStringLiteral("255"));
    dialog->saveItem();
    EXPECT_TRUE(dialog->itemList()->isEnabled());
    EXPECT_EQ(rig.table.byteAt(0x0142), 255);

    // The digital modulation's three bars wrap at 63 and 65535; quitting
    // restores the table's values and the radio drops them.
    dialog->startLine(rig.lineOf(*dialog, 17));
    EXPECT_EQ(dialog->scrollCaption(0)->text(), QStringLiteral("VCO 1"));
    rig.press(*dialog, 0, QAbstractSlider::SliderSingleStepSub);
    rig.press(*dialog, 1, QAbstractSlider::SliderSingleStepSub);
    rig.press(*dialog, 2, QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(dialog->scrollBar(0)->value(), 63);
    EXPECT_EQ(dialog->scrollBar(1)->value(), 65535);
    EXPECT_EQ(dialog->image().value(13, 0), 65535);
    rig.press(*dialog, 1, QAbstractSlider::SliderSingleStepAdd);  // and back up to 0
    EXPECT_EQ(dialog->scrollBar(1)->value(), 0);
    dialog->quitItem();
    EXPECT_EQ(dialog->image().value(9, 0), 0);
    EXPECT_EQ(dialog->scrollBar(0)->value(), 0);
    EXPECT_EQ(rig.table.value(9, 0), 0);

    // VOX 1 is measured, latched on the tick after Stop and stored as a word.
    dialog->startLine(rig.lineOf(*dialog, 87));
    EXPECT_FALSE(dialog->scrollBar(0)->isEnabled());
    dialog->toggleMeasuring();
    EXPECT_TRUE(dialog->measureTimer().isActive());
    EXPECT_EQ(dialog->measureTimer().interval(), 100);
    dialog->measureTick();
    EXPECT_EQ(dialog->valueEdit(0)->text(), QStringLiteral("1234"));
    dialog->toggleMeasuring();
    EXPECT_TRUE(dialog->measureTimer().isActive());
    dialog->measureTick();
    EXPECT_FALSE(dialog->measureTimer().isActive());
    dialog->saveItem();
    EXPECT_EQ(rig.table.bytes(0x0252, 2), QByteArray::fromHex("d204"));

    dialog->reject();
    EXPECT_TRUE(rig.prompter.prompts.isEmpty());
    const QStringList events = rig.radioEvents();
    for (const char *expected : {"service TUNINGT", "service start item 02", "service set 02 = 255", "service set 05 = 63",
                                 "service set 06 = 65535", "service set 09 = 65535", "service quit item",
                                 "service measure 1e", "service latch 1e", "service leave"})
        EXPECT_TRUE(events.contains(QLatin1String(expected))) << expected;
    rig.sim->inspect([](RadioState &state) {
        EXPECT_EQ(state.calibration[0x0142], 255);
        EXPECT_EQ(state.calibration[0x0252], 0xD2);
        EXPECT_EQ(state.calibration[0x0253], 0x04);
    });
}

TEST(AdjustDialog, ASilentOrVanishedRadioEndsTheDialogWithItsMessage)
{
    // Nobody answers on any port: the link-up fails with the port message in
    // the language of [setup] language.
    {
        SimOptions silent;
        silent.noAnswer = true;
        AdjustRig rig(silent, QStringLiteral("chinese"));
        rig.startRadio();
        auto dialog = rig.open(17400000);
        EXPECT_EQ(dialog->itemList()->count(), 101);
        EXPECT_EQ(dialog->itemList()->item(1)->text(), QString::fromUtf8("高功率(CH1)"));
        EXPECT_EQ(dialog->exec(), QDialog::Rejected);
        ASSERT_EQ(rig.prompter.prompts.size(), 1);
        EXPECT_EQ(rig.prompter.prompts[0].literalText, QString::fromUtf8("通信失败!"));
        EXPECT_EQ(rig.prompter.prompts[0].literalCaption, QString::fromUtf8("错误"));
    }
    // The radio goes away after the link-up: quit fails with its message and
    // ends the dialog (a failed save is checked below).
    {
        AdjustRig rig;
        rig.startRadio();
        auto dialog = rig.open();
        ASSERT_TRUE(dialog->linkUp());
        dialog->startLine(0);
        rig.sim->stop();
        dialog->quitItem();
        EXPECT_FALSE(dialog->isVisible());
        ASSERT_EQ(rig.prompter.prompts.size(), 1);
        EXPECT_EQ(rig.prompter.prompts[0].literalText,
                  QStringLiteral("Please check whether the port is occupied or not connected!"));
        EXPECT_EQ(rig.prompter.prompts[0].icon, Prompt::Icon::Error);
    }
}

TEST(AdjustDialog, AfterAFailedExchangeTheTableKeepsWhatTheRadioConfirmed)
{
    for (const bool leave : {false, true}) {
        SCOPED_TRACE(leave ? "leave" : "save");
        AdjustRig rig;
        rig.startRadio();
        auto dialog = rig.open();
        ASSERT_TRUE(dialog->linkUp());
        // High Power CH1 is saved: confirmed.
        dialog->startLine(rig.lineOf(*dialog, 2));
        rig.press(*dialog, 0, QAbstractSlider::SliderSingleStepSub);
        dialog->saveItem();
        // High Power CH2 is tuned, then the radio goes away.
        dialog->startLine(rig.lineOf(*dialog, 3));
        rig.press(*dialog, 0, QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(dialog->image().byteAt(0x0143), 255);
        rig.sim->stop();
        leave ? dialog->reject() : dialog->saveItem();

        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->image().byteAt(0x0142), 255);
        EXPECT_EQ(dialog->image().byteAt(0x0143), 0);
        EXPECT_EQ(dialog->image(), rig.table);
        ASSERT_EQ(rig.prompter.prompts.size(), 1);
        const QString message = rig.prompter.prompts[0].literalText;
        EXPECT_TRUE(message.startsWith(QStringLiteral("Please check whether the port is occupied or not connected!")));
        EXPECT_TRUE(message.contains(QStringLiteral("High Power(CH2)"))) << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("High Power(CH1)"))) << message.toStdString();
    }
}

TEST(AdjustDialog, WorksWithoutAMouse)
{
    AdjustRig rig;
    rig.startRadio();
    auto dialog = rig.open();
    ASSERT_TRUE(dialog->linkUp());
    QApplication::setActiveWindow(dialog.get());
    QListWidget *list = dialog->itemList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(dialog->isStarted());
    EXPECT_EQ(dialog->itemCodes().value(list->currentRow()), 1);

    // The scroll bar takes the focus; arrows step and wrap, Home and End
    // jump, and every move is stored and sent.
    QScrollBar *bar = dialog->scrollBar(0);
    EXPECT_TRUE(bar->focusPolicy() & Qt::TabFocus);
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Left);
    EXPECT_EQ(dialog->valueEdit(0)->text(), QStringLiteral("255"));
    EXPECT_EQ(dialog->image().value(4, 2), 255);
    QTest::keyClick(bar, Qt::Key_Home);
    EXPECT_EQ(dialog->image().value(4, 2), 0);
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(dialog->image().value(4, 2), 1);
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(dialog->image().value(4, 2), 255);
    EXPECT_EQ(dialog->valueEdit(0)->text(), QStringLiteral("255"));

    // Space starts an item too.
    dialog->quitItem();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_TRUE(rig.radioEvents().contains(QStringLiteral("service start item 24")));
    dialog->reject();
}
