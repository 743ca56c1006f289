#include "GuiRig.h"

#include "app/CommandIds.h"
#include "sections/CChannelView.h"
#include "sections/CEmergencyView.h"
#include "sections/CScanView.h"
#include "sections/ChannelData.h"
#include "widgets/CNumberEdit.h"
#include "widgets/CToneComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

namespace {

using V = CChannelView;
constexpr int kChannels = 6;
constexpr auto Rx = CChannelData::Direction::Receive;
constexpr auto Tx = CChannelData::Direction::Transmit;

// Zone z's channel c record and its mode byte.
int channelAt(int zone, int channel) { return 0x0140 + 1024 * zone + 64 * channel; }

struct ChannelForm
{
    explicit ChannelForm(const QString &model = QStringLiteral("RQ381")) : rig(model)
    {
        started = rig.start();
        open(0);
    }
    void open(int recordIndex)
    {
        rig.frame()->OnNavigate(kChannels, recordIndex);
        settle();
        QApplication::setActiveWindow(rig.frame());
    }
    V *form() const { return qobject_cast<V *>(rig.frame()->openForm(kChannels)); }
    template <class T = QWidget>
    T *control(int id) const { return rig.control<T>(kChannels, id); }
    // The input control of an id (its label carries the id as well).
    QWidget *input(int id) const
    {
        for (QWidget *w : form()->findChildren<QWidget *>()) {
            if (ctrlId(w) == id && !qobject_cast<QLabel *>(w))
                return w;
        }
        return nullptr;
    }

    // Types into a field and leaves it for another field, as the user does.
    void typeInto(int id, const QString &text)
    {
        QWidget *field = input(id);
        field->setFocus();
        QApplication::processEvents();
        auto *line = qobject_cast<QLineEdit *>(field);
        (line ? line : field->findChild<QLineEdit *>())->selectAll();
        QTest::keyClicks(field, text);
        input(id == V::ZoneName ? V::ChannelName : V::ZoneName)->setFocus();
        QApplication::processEvents();
    }
    // Chooses an entry of a list with the arrow keys, as a user does; every
    // entry passed on the way is chosen (and stored) too.
    void choose(int id, int index)
    {
        auto *list = control<QComboBox>(id);
        list->setFocus();
        const int from = std::max(list->currentIndex(), 0);
        if (list->currentIndex() < 0)
            QTest::keyClick(list, Qt::Key_Home);
        for (int i = from; i < index; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        for (int i = from; i > index; --i)
            QTest::keyClick(list, Qt::Key_Up);
        QApplication::processEvents();
    }
    void click(int id)
    {
        QTest::mouseClick(control<QPushButton>(id), Qt::LeftButton);
        settle();
    }
    QString text(int id) const
    {
        if (auto *edit = control<QLineEdit>(id))
            return edit->text();
        if (auto *number = control<CNumberEdit>(id))
            return number->text();
        if (auto *list = control<QComboBox>(id))
            return list->currentText();
        return control<QLabel>(id)->text();
    }
    const uint8_t *image() { return rig.doc().image(); }
    CChannelData data() { return CChannelData(rig.doc()); }

    GuiRig rig;
    bool started = false;
};

}

TEST(ChannelView, FrequencyEntryClampsToTheBandAndTheColourCodeFollows)
{
    ChannelForm f;
    ASSERT_TRUE(f.started);
    ASSERT_NE(f.form(), nullptr);
    const int record = channelAt(1, 1);
    EXPECT_EQ(f.text(V::RxFrequency), QStringLiteral("400.000000"));

    f.typeInto(V::RxFrequency, QStringLiteral("434.125"));
    EXPECT_EQ(bytesAt(f.image(), record, 4), QStringLiteral("00 25 41 43"));
    EXPECT_EQ(bytesAt(f.image(), record + 21, 1), QStringLiteral("15"));  // colour code 20, stored + 1
    EXPECT_EQ(f.text(V::RxColourCode), QStringLiteral("21"));

    // Above the band: the band maximum, with the colour code following it.
    f.typeInto(V::RxFrequency, QStringLiteral("999"));
    EXPECT_EQ(bytesAt(f.image(), record, 4), QStringLiteral("00 00 00 47"));
    EXPECT_EQ(bytesAt(f.image(), record + 21, 1), QStringLiteral("01"));
    EXPECT_EQ(f.text(V::RxFrequency), QStringLiteral("470.000000"));

    // Below the band, the minimum; off the raster, the nearest raster step;
    // an emptied field keeps the stored frequency. The transmit side is its own.
    f.typeInto(V::TxFrequency, QStringLiteral("12"));
    EXPECT_EQ(bytesAt(f.image(), record + 4, 4), QStringLiteral("00 00 00 40"));
    f.typeInto(V::TxFrequency, QStringLiteral("434.1255"));
    EXPECT_EQ(f.text(V::TxFrequency), QStringLiteral("434.125000"));
    EXPECT_EQ(bytesAt(f.image(), record + 22, 1), QStringLiteral("15"));
    f.typeInto(V::TxFrequency, QString());
    EXPECT_EQ(f.text(V::TxFrequency), QStringLiteral("434.125000"));
    EXPECT_EQ(bytesAt(f.image(), record, 4), QStringLiteral("00 00 00 47"));
}

TEST(ChannelView, TheModeForcesTonesBandwidthAndWhatIsEnabled)
{
    ChannelForm f;
    ASSERT_TRUE(f.started);
    const int mode = channelAt(1, 1) + 20;
    auto *decode = f.control<CToneComboBox>(V::DecodeTone);
    auto *analog = f.control<QGroupBox>(V::AnalogGroup);
    auto *digital = f.control<QGroupBox>(V::DigitalGroup);
    EXPECT_FALSE(analog->isEnabled());
    EXPECT_TRUE(digital->isEnabled());
    EXPECT_EQ(decode->count(), 259);  // "None" and the 258 tones
    EXPECT_EQ(f.text(V::DecodeTone), QStringLiteral("None"));

    // A mixed mode needs tones in both directions: 67.0 is set.
    f.choose(V::ChannelMode, 0);
    EXPECT_EQ(f.image()[mode] & 0x60, 0x60);  // bandwidth 3
    EXPECT_EQ(decode->count(), 258);
    EXPECT_EQ(f.text(V::EncodeTone), QStringLiteral("67.0"));
    EXPECT_TRUE(analog->isEnabled());
    EXPECT_TRUE(digital->isEnabled());

    // Analog: bandwidth 2, the tones stay and "None" is offered again.
    f.choose(V::ChannelMode, 2);
    EXPECT_EQ(f.image()[mode] & 0x60, 0x40);
    EXPECT_EQ(f.text(V::Bandwidth), QStringLiteral("12.5 kHz"));
    EXPECT_EQ(decode->count(), 259);
    EXPECT_EQ(f.text(V::DecodeTone), QStringLiteral("67.0"));
    EXPECT_TRUE(analog->isEnabled());
    EXPECT_FALSE(digital->isEnabled());

    // Choosing a tone stores code and coefficient words; "None" clears both.
    f.choose(V::EncodeTone, 0);
    EXPECT_EQ(bytesAt(f.image(), channelAt(1, 1) + 10, 2) + " " + bytesAt(f.image(), channelAt(1, 1) + 16, 4),
              QStringLiteral("FF FF FF FF FF FF"));
    f.choose(V::EncodeTone, 51);  // the first DCS code
    EXPECT_EQ(f.data().GetTone(1, 1, Tx), QStringLiteral("D023N"));
}

TEST(ChannelView, AChannelBreakingItsModeIsMendedWhenShownAsAnEditOfItsOwn)
{
    ChannelForm f(QStringLiteral("VK214"));
    ASSERT_TRUE(f.started);
    f.click(V::AddChannel);
    // Channel 2 as a file from elsewhere may hold it: mixed mode, no tones,
    // analog bandwidth.
    f.data().SetChannelMode(1, 2, 1);
    f.data().SetBandwidth(1, 2, 2);
    f.open(1);
    EXPECT_EQ(f.form()->currentChannel(), 2);
    EXPECT_EQ(f.data().GetTone(1, 2, Rx), QStringLiteral("67.0"));
    EXPECT_EQ(f.data().GetBandwidth(1, 2), 3);
    // The hidden decode-sequence selector still shows the stored sequence.
    f.data().SetDecodeSequence(1, 2, 4);
    f.form()->Reload();
    auto *sequence = f.control<QComboBox>(V::DecodeSequence);
    EXPECT_FALSE(sequence->isVisibleTo(f.form()));
    EXPECT_EQ(sequence->currentIndex(), 4);
}

TEST(ChannelView, DuplicateNamesAreRefusedAndNewNamesRenewTheTree)
{
    ChannelForm f(QStringLiteral("VK214"));
    ASSERT_TRUE(f.started);
    f.click(V::AddZone);
    EXPECT_EQ(f.text(V::ZoneName), QStringLiteral("Zone 2"));
    EXPECT_EQ(f.text(V::ZonePosition), QStringLiteral("2 of 2"));

    f.typeInto(V::ZoneName, QStringLiteral("Zone 1"));
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_EXIST_NAME"});
    EXPECT_EQ(f.text(V::ZoneName), QStringLiteral("Zone 2"));
    EXPECT_EQ(f.data().GetZoneName(2), QStringLiteral("Zone 2"));

    // Every zone has its own "Channel 1"; a second one in any zone is refused.
    f.typeInto(V::ChannelName, QStringLiteral("Channel 1"));
    EXPECT_EQ(f.rig.prompter.keys().size(), 1);
    f.click(V::AddChannel);
    f.typeInto(V::ChannelName, QStringLiteral("Channel 1"));
    EXPECT_EQ(f.rig.prompter.keys().size(), 2);
    EXPECT_EQ(f.text(V::ChannelName), QStringLiteral("Channel 2"));

    f.typeInto(V::ChannelName, QStringLiteral("Hilltop"));
    EXPECT_EQ(f.data().GetChannelName(2, 2), QStringLiteral("Hilltop"));
    auto *bar = f.rig.frame()->treeBar();
    EXPECT_EQ(bar->itemFor(TreeNode::channelNode(2, 2))->text(0), QStringLiteral("Hilltop"));
    f.typeInto(V::ZoneName, QString());  // an empty name is refused without a word
    EXPECT_EQ(f.text(V::ZoneName), QStringLiteral("Zone 2"));
    EXPECT_EQ(f.rig.prompter.keys().size(), 2);
}

TEST(ChannelView, TheButtonsNavigateAddAndDeleteWithinTheModelsLimits)
{
    ChannelForm f;  // RQ381: two zones
    ASSERT_TRUE(f.started);
    EXPECT_FALSE(f.control<QPushButton>(V::DeleteZone)->isEnabled());
    EXPECT_FALSE(f.control<QPushButton>(V::DeleteChannel)->isEnabled());
    f.click(V::AddZone);
    EXPECT_FALSE(f.control<QPushButton>(V::AddZone)->isEnabled());
    EXPECT_EQ(f.data().CountZones(), 2);

    f.click(V::AddChannel);
    f.click(V::AddChannel);
    f.typeInto(V::ChannelName, QStringLiteral("Third"));
    EXPECT_EQ(f.text(V::ChannelPosition), QStringLiteral("3 of 3"));
    f.click(V::PreviousChannel);
    f.click(V::DeleteChannel);
    // The records above moved down; the last one is zeroed.
    EXPECT_EQ(f.text(V::ChannelName), QStringLiteral("Third"));
    EXPECT_EQ(f.text(V::ChannelPosition), QStringLiteral("2 of 2"));
    EXPECT_TRUE(allBytesAre(f.image(), channelAt(2, 16), channelAt(2, 16) + 64, 0x00));
    EXPECT_FALSE(f.control<QPushButton>(V::NextChannel)->isEnabled());

    f.click(V::FirstZone);
    EXPECT_EQ(f.text(V::ZonePosition), QStringLiteral("1 of 2"));
    EXPECT_FALSE(f.control<QPushButton>(V::PreviousZone)->isEnabled());
    f.click(V::DeleteZone);
    EXPECT_EQ(f.data().CountZones(), 1);
    EXPECT_EQ(f.text(V::ChannelName), QStringLiteral("Channel 1"));
    EXPECT_EQ(f.data().GetChannelName(1, 2), QStringLiteral("Third"));
}

TEST(ChannelView, TheTreesRecordIndexNamesZoneAndChannel)
{
    ChannelForm f(QStringLiteral("VK214"));
    ASSERT_TRUE(f.started);
    f.click(V::AddZone);
    f.click(V::AddChannel);
    f.open(CChannelData::RecordIndexOf(1, 1));
    EXPECT_EQ(f.text(V::ZoneName), QStringLiteral("Zone 1"));
    f.open(17);  // zone 2, channel 2
    EXPECT_EQ(f.form()->currentZone(), 2);
    EXPECT_EQ(f.form()->currentChannel(), 2);
    // An index past the records shows the last ones instead.
    f.open(255);
    EXPECT_EQ(f.text(V::ZonePosition), QStringLiteral("2 of 2"));
    EXPECT_EQ(f.text(V::ChannelPosition), QStringLiteral("2 of 2"));
}

TEST(ChannelView, UndoRestoresTheBytesOfAStoreAndOfTheButtonsListOperations)
{
    ChannelForm f(QStringLiteral("VK214"));
    ASSERT_TRUE(f.started);
    const auto before = std::make_unique<Image>(f.rig.doc().currentImage());

    f.choose(V::ChannelMode, 1);  // passing mode 2 on the way: two steps
    ASSERT_EQ(f.rig.frame()->undoStack().count(), 2);
    EXPECT_EQ(f.data().GetTone(1, 1, Tx), QStringLiteral("67.0"));
    f.typeInto(V::RxFrequency, QStringLiteral("999"));
    f.click(V::AddZone);
    ASSERT_EQ(f.rig.frame()->undoStack().count(), 4);
    EXPECT_EQ(f.rig.frame()->action(Cmd::EditUndo)->text(), QStringLiteral("&Undo Add Zone"));
    const auto after = std::make_unique<Image>(f.rig.doc().currentImage());

    f.rig.frame()->Undo();
    EXPECT_EQ(f.rig.frame()->action(Cmd::EditUndo)->text(), QStringLiteral("&Undo RX Frequency [MHz]"));
    // The form fell back from the zone that is gone.
    EXPECT_EQ(f.text(V::ZonePosition), QStringLiteral("1 of 1"));
    EXPECT_EQ(f.text(V::RxFrequency), QStringLiteral("470.000000"));
    f.rig.frame()->Undo();
    EXPECT_EQ(f.text(V::RxFrequency), QStringLiteral("400.000000"));
    f.rig.frame()->Undo();
    f.rig.frame()->Undo();
    EXPECT_TRUE(*before == f.rig.doc().currentImage());
    EXPECT_EQ(f.text(V::DecodeTone), QStringLiteral("None"));
    EXPECT_EQ(f.text(V::ChannelMode), QStringLiteral("Digital"));

    for (int i = 0; i < 4; ++i)
        f.rig.frame()->Redo();
    EXPECT_TRUE(*after == f.rig.doc().currentImage());
}

TEST(ChannelView, NameAndModeChangesRedrawTheOtherOpenForms)
{
    ChannelForm f;
    ASSERT_TRUE(f.started);
    f.rig.frame()->OnNavigate(8, 0);  // emergency: reply channels among the digital ones
    f.rig.frame()->OnNavigate(7, 1);  // scan list 1: its available channels
    f.open(0);
    auto *reply = f.rig.control<QComboBox>(8, CEmergencyView::ReplyChannel);
    // The scan list's channels are members or available ones.
    auto *available = f.rig.control<QListWidget>(7, CScanView::Available);
    auto *members = f.rig.control<QListWidget>(7, CScanView::Members);
    ASSERT_NE(reply, nullptr);
    ASSERT_NE(members, nullptr);
    const int digitalChoices = reply->count();

    f.typeInto(V::ChannelName, QStringLiteral("Hilltop"));
    EXPECT_EQ(available->findItems(QStringLiteral("Hilltop"), Qt::MatchContains).size()
                  + members->findItems(QStringLiteral("Hilltop"), Qt::MatchContains).size(),
              1);
    f.choose(V::ChannelMode, 2);  // analog: no longer a digital reply channel
    EXPECT_EQ(reply->count(), digitalChoices - 1);
}
