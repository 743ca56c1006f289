#include "FormDriver.h"

#include "app/CommandIds.h"
#include "sections/CChannelView.h"
#include "sections/CEmergencyView.h"
#include "sections/CScanView.h"
#include "sections/ChannelData.h"
#include "widgets/CNumberEdit.h"
#include "widgets/CToneComboBox.h"

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

    void typeInto(int id, const QString &text)
    {
        typeAndLeave(input(id), text, input(id == V::ZoneName ? V::ChannelName : V::ZoneName));
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

TEST(ChannelView, FrequencyAndModeEntryGoThroughTheChannelRules)
{
    ChannelForm f;
    ASSERT_TRUE(f.started);
    ASSERT_NE(f.form(), nullptr);
    const int record = channelAt(1, 1);
    f.typeInto(V::RxFrequency, QStringLiteral("434.125"));
    EXPECT_EQ(bytesAt(f.image(), record, 4), QStringLiteral("00 25 41 43"));
    EXPECT_EQ(bytesAt(f.image(), record + 21, 1), QStringLiteral("15"));  // colour code 20, stored + 1
    EXPECT_EQ(f.text(V::RxColourCode), QStringLiteral("21"));
    // Out of the band, the band's limit; off the raster, the nearest step;
    // an emptied field keeps the stored frequency.
    f.typeInto(V::RxFrequency, QStringLiteral("999"));
    EXPECT_EQ(f.text(V::RxFrequency), QStringLiteral("470.000000"));
    f.typeInto(V::TxFrequency, QStringLiteral("12"));
    EXPECT_EQ(bytesAt(f.image(), record + 4, 4), QStringLiteral("00 00 00 40"));
    f.typeInto(V::TxFrequency, QStringLiteral("434.1255"));
    f.typeInto(V::TxFrequency, QString());
    EXPECT_EQ(f.text(V::TxFrequency), QStringLiteral("434.125000"));

    // The mode decides which groups are enabled and whether "None" is a tone.
    auto *decode = f.control<CToneComboBox>(V::DecodeTone);
    EXPECT_FALSE(f.control<QGroupBox>(V::AnalogGroup)->isEnabled());
    EXPECT_EQ(decode->count(), 259);  // "None" and the 258 tones
    f.choose(V::ChannelMode, 0);
    EXPECT_EQ(decode->count(), 258);
    EXPECT_EQ(f.text(V::EncodeTone), QStringLiteral("67.0"));
    f.choose(V::ChannelMode, 2);
    EXPECT_EQ(f.text(V::Bandwidth), QStringLiteral("12.5 kHz"));
    EXPECT_FALSE(f.control<QGroupBox>(V::DigitalGroup)->isEnabled());
    // "None" clears code and coefficient words.
    f.choose(V::EncodeTone, 0);
    EXPECT_EQ(bytesAt(f.image(), record + 10, 2) + " " + bytesAt(f.image(), record + 16, 4),
              QStringLiteral("FF FF FF FF FF FF"));
    f.choose(V::EncodeTone, 51);  // the first DCS code
    EXPECT_EQ(f.data().GetTone(1, 1, Tx), QStringLiteral("D023N"));
}

TEST(ChannelView, AChannelBreakingItsModeIsMendedWhenShown)
{
    ChannelForm f(QStringLiteral("VK214"));
    ASSERT_TRUE(f.started);
    f.click(V::AddChannel);
    f.data().SetChannelMode(1, 2, 1);  // mixed, without tones, analog bandwidth
    f.data().SetBandwidth(1, 2, 2);
    f.open(1);
    EXPECT_EQ(f.form()->currentChannel(), 2);
    EXPECT_EQ(f.data().GetTone(1, 2, Rx), QStringLiteral("67.0"));
    EXPECT_EQ(f.data().GetBandwidth(1, 2), 3);
    // The hidden decode-sequence selector still shows the stored sequence.
    f.data().SetDecodeSequence(1, 2, 4);
    f.form()->Reload();
    EXPECT_EQ(f.control<QComboBox>(V::DecodeSequence)->currentIndex(), 4);
}

TEST(ChannelView, NamesButtonsAndTheTreeIndex)
{
    ChannelForm f;  // RQ381: two zones
    ASSERT_TRUE(f.started);
    EXPECT_FALSE(f.control<QPushButton>(V::DeleteZone)->isEnabled());
    f.click(V::AddZone);
    EXPECT_FALSE(f.control<QPushButton>(V::AddZone)->isEnabled());
    f.typeInto(V::ZoneName, QStringLiteral("Zone 1"));
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_EXIST_NAME"});
    EXPECT_EQ(f.text(V::ZoneName), QStringLiteral("Zone 2"));

    f.click(V::AddChannel);
    f.click(V::AddChannel);
    f.typeInto(V::ChannelName, QStringLiteral("Third"));
    EXPECT_EQ(f.rig.frame()->treeBar()->itemFor(TreeNode::channelNode(2, 3))->text(0), QStringLiteral("Third"));
    f.click(V::PreviousChannel);
    f.click(V::DeleteChannel);
    EXPECT_EQ(f.text(V::ChannelName), QStringLiteral("Third"));
    EXPECT_EQ(f.text(V::ChannelPosition), QStringLiteral("2 of 2"));
    EXPECT_FALSE(f.control<QPushButton>(V::NextChannel)->isEnabled());

    f.open(17);  // zone 2, channel 2
    EXPECT_EQ(f.form()->currentZone(), 2);
    EXPECT_EQ(f.form()->currentChannel(), 2);
    f.open(255);  // past the records: the last ones
    EXPECT_EQ(f.text(V::ChannelPosition), QStringLiteral("2 of 2"));

    f.click(V::FirstZone);
    EXPECT_FALSE(f.control<QPushButton>(V::PreviousZone)->isEnabled());
    f.click(V::DeleteZone);
    EXPECT_EQ(f.data().CountZones(), 1);
    EXPECT_EQ(f.data().GetChannelName(1, 2), QStringLiteral("Third"));
}

TEST(ChannelView, UndoRestoresTheBytesAndTheShownZone)
{
    ChannelForm f(QStringLiteral("VK214"));
    ASSERT_TRUE(f.started);
    const auto before = std::make_unique<Image>(f.rig.doc().currentImage());
    f.choose(V::ChannelMode, 1);  // passing mode 2 on the way: two steps
    f.typeInto(V::RxFrequency, QStringLiteral("999"));
    f.click(V::AddZone);
    ASSERT_EQ(f.rig.frame()->undoStack().count(), 4);
    const auto after = std::make_unique<Image>(f.rig.doc().currentImage());

    f.rig.frame()->Undo();
    EXPECT_EQ(f.text(V::ZonePosition), QStringLiteral("1 of 1"));  // fell back from the zone that is gone
    for (int i = 0; i < 3; ++i)
        f.rig.frame()->Undo();
    EXPECT_TRUE(*before == f.rig.doc().currentImage());
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

// A name of 14 wide characters shows whole in the form as it opens.
TEST(ChannelView, NameFieldsShowFourteenWideCharactersInBothLanguages)
{
    for (const QString &language : {QStringLiteral("english"), QStringLiteral("chinese")}) {
        GuiRig rig(QStringLiteral("RQ381"), language);
        ASSERT_TRUE(rig.start());
        rig.frame()->OnNavigate(kChannels, 0);
        settle();
        for (int id : {V::ZoneName, V::ChannelName}) {
            auto *name = rig.control<QLineEdit>(kChannels, id);
            ASSERT_NE(name, nullptr);
            for (const QString &wide : {QString(14, u'W'), QString(14, QChar(0x6C49))}) {
                name->setText(wide);
                EXPECT_GE(name->width(), name->fontMetrics().horizontalAdvance(wide))
                    << language.toStdString() << " " << id;
            }
        }
    }
}
