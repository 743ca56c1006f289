// The forms mend a record through the library's mend of its section: the
// same bytes whichever window did it, as one undo step.

#include "FormDriver.h"

#include "app/CommandIds.h"
#include "app/TreeCommands.h"
#include "codeplug/NewCodeplug.h"
#include "fields/RecordMends.h"
#include "sections/AnalogEmergencyData.h"
#include "sections/CPcSoftwareView.h"
#include "sections/CScanView.h"
#include "sections/ChannelData.h"
#include "sections/EmergencyData.h"
#include "sections/ListMaintenance.h"
#include "sections/ScanData.h"

#include <QComboBox>
#include <QPushButton>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

constexpr int kChannels = 6;
constexpr int kScan = 7;
constexpr int kDigital = 8;
constexpr int kAnalog = 14;
constexpr int kList1 = 0x4690;  // scan list n at kList1 + 88 * (n - 1)

// Zone 1: a digital, an analog and a mixed channel; three scan lists.
struct Forms
{
    Forms()
    {
        EXPECT_TRUE(rig.start());
        CListMaintenance lists(rig.doc());
        lists.addChannel(1);
        lists.addChannel(1);
        lists.addScanList();
        lists.addScanList();
        CChannelData channels(rig.doc());
        channels.SetChannelMode(1, 1, 3);
        channels.SetChannelMode(1, 2, 2);
        channels.SetChannelMode(1, 3, 0);
        QApplication::setActiveWindow(rig.frame());
    }
    void open(int code, int index)
    {
        rig.frame()->OnNavigate(code, index);
        settle();
    }
    void close(int code)
    {
        if (CChildFrame *frame = rig.app->openFrame(code))
            frame->close();
        settle();
    }
    Image image() const { return rig.doc().currentImage(); }
    QUndoStack &undo() const { return rig.frame()->undoStack(); }

    // Opens a form on a record that breaks its form's rules and checks the
    // bytes against the library's mend of the same record: equal, one step,
    // and undone exactly.
    void expectFormMendsAsTheLibrary(int code, int index, const std::function<Mends::Result(CPcSoftwareDoc &)> &mend)
    {
        const auto before = std::make_unique<Image>(image());
        ASSERT_TRUE(mend(rig.doc()).changed()) << code << ": the record needs no mend";
        const auto mended = std::make_unique<Image>(image());
        rig.doc().currentImage() = *before;
        const int steps = undo().count();
        open(code, index);
        EXPECT_TRUE(image() == *mended) << code;
        EXPECT_EQ(undo().count(), steps + 1) << code;
        undo().undo();
        EXPECT_TRUE(image() == *before) << code;
        close(code);
        undo().redo();
        EXPECT_TRUE(image() == *mended) << code;
    }

    GuiRig rig{QStringLiteral("VK214")};
};

}

TEST(RecordMendsView, EachFormMendsWhatTheLibraryMendsAsOneUndoableStep)
{
    Forms f;
    CChannelData channels(f.rig.doc());
    channels.SetTone(1, 3, CChannelData::Direction::Receive, QString());
    channels.SetBandwidth(1, 3, 2);
    f.expectFormMendsAsTheLibrary(kChannels, CChannelData::RecordIndexOf(1, 3),
                                  [](CPcSoftwareDoc &doc) { return Mends::channel(doc, 1, 3); });

    f.rig.doc().image()[kList1 + 88 + 3] = 0xFF;  // list 2's second priority channel names no zone
    f.expectFormMendsAsTheLibrary(kScan, 2, [](CPcSoftwareDoc &doc) { return Mends::scanList(doc, 2); });

    CEmergencyData digital(f.rig.doc());
    digital.SetReplyChannelRef(ChannelRef{1, 2});  // analog: not a digital reply channel
    digital.SetReplyChannelSet(true);
    f.expectFormMendsAsTheLibrary(kDigital, 0, [](CPcSoftwareDoc &doc) { return Mends::digitalEmergency(doc); });

    CAnalogEmergencyData analog(f.rig.doc());
    analog.SetReplyChannelRef(ChannelRef{1, 1});  // digital: not an analog reply channel
    analog.SetDesignatedReplyChannel(true);
    f.expectFormMendsAsTheLibrary(kAnalog, 0, [](CPcSoftwareDoc &doc) { return Mends::analogEmergency(doc); });
}

TEST(RecordMendsView, TheTreesDeleteAndTheScanFormsDeleteLeaveTheSameBytes)
{
    Forms f;
    CScanData(f.rig.doc()).SetDesignatedChannel(2, ChannelRef{1, 0});  // shown once list 1 is gone
    const auto before = std::make_unique<Image>(f.image());

    f.open(kScan, 1);
    const int steps = f.undo().count();
    QTest::mouseClick(f.rig.control<QPushButton>(kScan, CScanView::DeleteList), Qt::LeftButton);
    EXPECT_EQ(f.undo().count(), steps + 1);
    const auto byForm = std::make_unique<Image>(f.image());
    EXPECT_EQ(bytesAt(f.rig.doc().image(), kList1 + 6, 2), QStringLiteral("00 00"));
    f.undo().undo();
    ASSERT_TRUE(f.image() == *before);

    // From the tree, with no scan form open to mend what it shows.
    f.close(kScan);
    ASSERT_TRUE(f.rig.frame()->treeBar()->selectNode(TreeNode::scanNode(1)));
    f.rig.frame()->RunTreeCommand(Cmd::TreeDelete);
    EXPECT_EQ(f.undo().count(), steps + 1);
    EXPECT_TRUE(f.image() == *byForm);
    f.undo().undo();
    EXPECT_TRUE(f.image() == *before);
}

TEST(RecordMendsView, ARangeTheNewCodeplugCheckRefusesIsRefusedWithItsMessage)
{
    // Entry 1 is missing, so range 2 is not offered to `rq381 new` either.
    GuiRig rig;
    QByteArray ini = fileBytes(rig.config.settingsPath());
    ini.replace("data1=", "olddata1=");
    rig.config.writeSettings(ini);
    ASSERT_TRUE(rig.start());
    auto *ranges = rig.control<QComboBox>(1, CPcSoftwareView::RangeList);
    ASSERT_GT(ranges->count(), 2);
    const auto before = std::make_unique<Image>(rig.doc().currentImage());
    rig.prompter.prompts.clear();
    const int shown = ranges->currentIndex();
    ranges->setCurrentIndex(2);
    emit ranges->activated(2);
    ASSERT_EQ(rig.prompter.prompts.size(), 1);
    EXPECT_EQ(rig.prompter.prompts[0].literalText, NewCodeplug::rangeProblem(rig.config.settings(), 2));
    EXPECT_TRUE(rig.prompter.prompts[0].literalText.contains(QStringLiteral("data1")));
    EXPECT_TRUE(rig.doc().currentImage() == *before);
    EXPECT_EQ(ranges->currentIndex(), shown);
}
