#include "FormDriver.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/CAnalogEmergencyView.h"
#include "sections/CChannelView.h"
#include "sections/CEmergencyView.h"
#include "sections/ChannelData.h"
#include "sections/ListMaintenance.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kChannels = 6;
constexpr int kDigital = 8;
constexpr int kAnalog = 14;
constexpr int kFlags = 0x4C10;
constexpr int kAnalogFlags = 0x7140;

// Zone 1 holds a digital channel 1, an analog channel 2 and a mixed
// (analog first) channel 3.
struct EmergencyForms
{
    EmergencyForms()
    {
        EXPECT_TRUE(rig.start());
        CListMaintenance lists(rig.doc());
        lists.addChannel(1);
        lists.addChannel(1);
        CChannelData channels(rig.doc());
        channels.SetChannelMode(1, 1, 3);
        channels.SetChannelMode(1, 2, 2);
        channels.SetChannelMode(1, 3, 0);
        QApplication::setActiveWindow(rig.frame());
    }
    void open(int code, int index = 0)
    {
        rig.frame()->OnNavigate(code, index);
        settle();
    }
    void close(int code)
    {
        rig.app->openFrame(code)->close();
        settle();
    }
    template <class T>
    T *ctrl(int code, int id) const { return rig.control<T>(code, id); }
    uint8_t *image() const { return rig.doc().image(); }
    QUndoStack &undo() const { return rig.frame()->undoStack(); }

    GuiRig rig{QStringLiteral("VK214")};
};

}

TEST(EmergencyView, TypeAndModeDecideWhatCanBeEdited)
{
    EmergencyForms f;
    f.open(kDigital);
    auto *type = f.ctrl<QComboBox>(kDigital, CEmergencyView::Type);
    auto *mode = f.ctrl<QComboBox>(kDigital, CEmergencyView::Mode);
    auto *count = f.ctrl<QAbstractSpinBox>(kDigital, CEmergencyView::CycleCount);
    auto *txTime = f.ctrl<QAbstractSpinBox>(kDigital, CEmergencyView::TxCycleTime);
    auto *reply = f.ctrl<QComboBox>(kDigital, CEmergencyView::ReplyChannel);
    EXPECT_EQ(type->currentIndex(), 3);
    for (QWidget *w : QList<QWidget *>{mode, count, txTime, reply, f.ctrl<QCheckBox>(kDigital, CEmergencyView::ReplyChannelSet),
                                       f.ctrl<QAbstractSpinBox>(kDigital, CEmergencyView::RxCycleTime)})
        EXPECT_FALSE(w->isEnabled()) << ctrlId(w);
    // The ID list offers the contacts, whatever the type.
    auto *id = f.ctrl<QComboBox>(kDigital, CEmergencyView::EmergencyId);
    EXPECT_TRUE(id->isEnabled());
    EXPECT_EQ(itemTexts(id), QStringList{"Contact 1"});
    EXPECT_EQ(id->currentIndex(), 0);

    choose(type, Qt::Key_Home);
    EXPECT_TRUE(mode->isEnabled() && count->isEnabled());
    EXPECT_FALSE(txTime->isEnabled() || reply->isEnabled());  // mode 0, reply flag off
    choose(mode, Qt::Key_End);
    EXPECT_TRUE(txTime->isEnabled());
    f.undo().undo();  // the enabling follows an undo too
    EXPECT_FALSE(txTime->isEnabled());
}

TEST(EmergencyView, ReplyChannelIsOfferedByModeAndResetWhenNoLongerDigital)
{
    EmergencyForms f;
    f.image()[kFlags] = 0x00;  // type 0: everything editable
    f.open(kDigital);
    auto *reply = f.ctrl<QComboBox>(kDigital, CEmergencyView::ReplyChannel);
    EXPECT_EQ(itemTexts(reply), QStringList{"Zone 1:Channel 1"});
    toggle(f.ctrl<QCheckBox>(kDigital, CEmergencyView::ReplyChannelSet));
    EXPECT_EQ(f.image()[kFlags], 0x10);
    ASSERT_TRUE(reply->isEnabled());
    choose(reply, Qt::Key_Home);
    EXPECT_EQ(bytesAt(f.image(), 0x4C14, 2), "01 01");

    // The channel turns analog in the channel form while this form is open:
    // the same step resets flag, zone and channel, and one undo restores all.
    f.open(kChannels);
    const int steps = f.undo().count();
    choose(f.ctrl<QComboBox>(kChannels, CChannelView::ChannelMode), 2);
    EXPECT_EQ(bytesAt(f.image(), kFlags, 1) + " " + bytesAt(f.image(), 0x4C14, 2), "00 00 00");
    EXPECT_FALSE(f.ctrl<QCheckBox>(kDigital, CEmergencyView::ReplyChannelSet)->isChecked());
    EXPECT_EQ(reply->count(), 0);
    EXPECT_EQ(f.undo().count(), steps + 1);
    f.undo().undo();
    EXPECT_EQ(bytesAt(f.image(), kFlags, 1) + " " + bytesAt(f.image(), 0x4C14, 2), "10 01 01");
    EXPECT_TRUE(f.ctrl<QCheckBox>(kDigital, CEmergencyView::ReplyChannelSet)->isChecked());
    EXPECT_EQ(reply->currentText(), "Zone 1:Channel 1");

    // Changed behind the forms' back, the next opening resets it.
    CChannelData(f.rig.doc()).SetChannelMode(1, 1, 2);
    f.close(kDigital);
    f.open(kDigital);
    EXPECT_EQ(bytesAt(f.image(), kFlags, 1) + " " + bytesAt(f.image(), 0x4C14, 2), "00 00 00");
}

TEST(AnalogEmergencyView, AReplyChannelTurnedDigitalIsResetWhileTheFormIsOpen)
{
    EmergencyForms f;
    CAnalogEmergencyData(f.rig.doc()).SetReplyChannelRef({1, 2});
    CAnalogEmergencyData(f.rig.doc()).SetDesignatedReplyChannel(true);
    f.open(kAnalog);
    auto *reply = f.ctrl<QComboBox>(kAnalog, CAnalogEmergencyView::ReplyChannel);
    EXPECT_EQ(reply->currentText(), "Zone 1:Channel 2");
    f.open(kChannels, 1);
    choose(f.ctrl<QComboBox>(kChannels, CChannelView::ChannelMode), 3);
    EXPECT_EQ(bytesAt(f.image(), 0x7144, 2), "00 00");
    EXPECT_NE(f.image()[kAnalogFlags] & 0x08, 0);  // designated reply off (stored inverted)
    EXPECT_EQ(reply->currentIndex(), -1);
    f.undo().undo();
    EXPECT_EQ(bytesAt(f.image(), 0x7144, 2), "01 02");
    EXPECT_EQ(reply->currentText(), "Zone 1:Channel 2");
}

TEST(AnalogEmergencyView, ReplyChannelsAndSequence)
{
    EmergencyForms f;
    f.open(kAnalog);
    auto *reply = f.ctrl<QComboBox>(kAnalog, CAnalogEmergencyView::ReplyChannel);
    EXPECT_EQ(itemTexts(reply), (QStringList{"Zone 1:Channel 2", "Zone 1:Channel 3"}));
    EXPECT_FALSE(reply->isEnabled());
    toggle(f.ctrl<QCheckBox>(kAnalog, CAnalogEmergencyView::DesignatedReply));
    ASSERT_TRUE(reply->isEnabled());
    choose(reply, Qt::Key_End);
    EXPECT_EQ(bytesAt(f.image(), 0x7144, 2), "01 03");

    auto *sequence = f.ctrl<QComboBox>(kAnalog, CAnalogEmergencyView::EncodeSequence);
    EXPECT_EQ(sequence->currentText(), "Encode 1");
    choose(sequence, Qt::Key_Down);
    EXPECT_EQ(f.image()[0x7147], 2);
}
