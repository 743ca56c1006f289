#include "GuiRig.h"

#include "app/CommandIds.h"
#include "app/TreeCommands.h"
#include "sections/ChannelData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <QMdiArea>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

void click(QTreeWidget *tree, QTreeWidgetItem *item, Qt::MouseButton button = Qt::LeftButton)
{
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(item).center());
}

// The pop-up menu of a node: each entry's command id and enabled state.
QList<QPair<int, bool>> menuOf(CMainFrame *frame, const TreeNode &node)
{
    std::unique_ptr<QMenu> menu(frame->createTreeMenu(node, frame));
    QList<QPair<int, bool>> entries;
    if (menu)
        for (QAction *act : menu->actions())
            entries.append({act->property("commandId").toInt(), act->isEnabled()});
    return entries;
}

// Selects the node and runs the command as the pop-up menu does.
void run(CMainFrame *frame, const TreeNode &node, int command)
{
    ASSERT_TRUE(frame->treeBar()->selectNode(node));
    frame->RunTreeCommand(command);
}

}

TEST(TreeBar, ClickNavigatesGroupsOpenNothingAndRecordsCarryTheirIndex)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    CTreeBar *bar = rig.frame()->treeBar();
    QTreeWidget *tree = bar->tree();
    rig.app->openFrame(1)->close();  // hidden
    QSignalSpy requests(bar, &CTreeBar::navigationRequested);

    for (int group : {2, 6, 7, 9, 12})
        click(tree, bar->staticItem(group));
    EXPECT_EQ(requests.size(), 0);

    click(tree, bar->staticItem(1));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.takeFirst(), (QList<QVariant>{1, 0}));
    settle();
    EXPECT_FALSE(rig.app->openFrame(1)->isHidden());
    EXPECT_EQ(rig.frame()->mdiArea()->activeSubWindow(), rig.app->openFrame(1));

    // Channel 1 of zone 2 is record index 16 of section 6.
    run(rig.frame(), TreeNode::staticItem(6), Cmd::TreeAddList);
    QTreeWidgetItem *channel = bar->itemFor(TreeNode::channelNode(2, 1));
    ASSERT_NE(channel, nullptr);
    bar->itemFor(TreeNode::zoneNode(2))->setExpanded(true);
    click(tree, bar->itemFor(TreeNode::zoneNode(2)));
    EXPECT_EQ(requests.size(), 0);
    click(tree, channel);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.takeFirst(), (QList<QVariant>{6, 16}));
    settle();

    int code = 0, index = 0;
    EXPECT_TRUE(CTreeBar::navigationFor(TreeNode::scanNode(3), &code, &index));
    EXPECT_EQ(QPair(code, index), QPair(7, 3));
}

TEST(TreeBar, RecordNodesFollowTheCodeplug)
{
    GuiRig rig(QStringLiteral("RQ381"));
    ASSERT_TRUE(rig.start());
    CTreeBar *bar = rig.frame()->treeBar();
    // The channel table's item, then the one zone.
    EXPECT_EQ(bar->staticItem(6)->childCount(), 2);
    EXPECT_EQ(bar->staticItem(6)->child(0), bar->itemFor(TreeNode::channelTableNode()));
    EXPECT_EQ(bar->itemFor(TreeNode::channelNode(1, 1))->text(0), QStringLiteral("Channel 1"));
    EXPECT_EQ(bar->itemFor(TreeNode::rxGroupNode(1))->text(0), QStringLiteral("Group 1"));
    EXPECT_FALSE(bar->staticItem(6)->isExpanded());
    EXPECT_TRUE(bar->staticItem(9)->isExpanded());

    // Renamed records are relabelled.
    CChannelData(rig.doc()).SetZoneName(1, QStringLiteral("Home"));
    bar->RelabelRecordNodes(rig.doc());
    EXPECT_EQ(bar->itemFor(TreeNode::zoneNode(1))->text(0), QStringLiteral("Home"));

    // Items without operations offer no pop-up menu.
    EXPECT_EQ(menuOf(rig.frame(), TreeNode::staticItem(1)).size(), 0);
    EXPECT_EQ(menuOf(rig.frame(), TreeNode::channelTableNode()).size(), 0);

    // The table's item opens the table, as View > Channel Table does, and
    // keeps its place when the zones are rebuilt.
    emit bar->tree()->itemClicked(bar->itemFor(TreeNode::channelTableNode()), 0);
    settle();
    EXPECT_NE(rig.frame()->channelTableFrame(), nullptr);
    run(rig.frame(), TreeNode::staticItem(6), Cmd::TreeAddList);
    EXPECT_EQ(bar->staticItem(6)->child(0), bar->itemFor(TreeNode::channelTableNode()));
    EXPECT_EQ(bar->itemFor(TreeNode::channelTableNode())->text(0), QStringLiteral("Channel Table"));
}

TEST(TreeMenus, ZonesAndChannelsFollowTheAvailabilityRules)
{
    GuiRig rig(QStringLiteral("RQ381"));  // two zone slots
    ASSERT_TRUE(rig.start());
    CMainFrame *frame = rig.frame();
    CTreeBar *bar = frame->treeBar();
    using Entries = QList<QPair<int, bool>>;

    EXPECT_EQ(menuOf(frame, TreeNode::staticItem(6)), (Entries{{Cmd::TreeAddList, true}}));
    EXPECT_EQ(menuOf(frame, TreeNode::zoneNode(1)), (Entries{{Cmd::TreeAddChannel, true}, {Cmd::TreeDeleteZone, false}}));
    EXPECT_EQ(menuOf(frame, TreeNode::channelNode(1, 1)),
              (Entries{{Cmd::TreeCopy, true}, {Cmd::TreePaste, false}, {Cmd::TreeDelete, false}}));

    run(frame, TreeNode::staticItem(6), Cmd::TreeAddList);
    EXPECT_EQ(CChannelData(rig.doc()).CountZones(), 2);
    EXPECT_EQ(bar->staticItem(6)->childCount(), 3);  // the channel table and two zones
    EXPECT_EQ(bar->selectedNode(), TreeNode::zoneNode(2));
    EXPECT_EQ(menuOf(frame, TreeNode::staticItem(6)), (Entries{{Cmd::TreeAddList, false}}));

    run(frame, TreeNode::zoneNode(1), Cmd::TreeAddChannel);
    EXPECT_EQ(bar->itemFor(TreeNode::channelNode(1, 2))->text(0), QStringLiteral("Channel 2"));
    EXPECT_EQ(bar->selectedNode(), TreeNode::channelNode(1, 2));

    // Copy channel 1, paste it over channel 2 (not over itself).
    CChannelData(rig.doc()).SetPower(1, 1, 0);
    run(frame, TreeNode::channelNode(1, 1), Cmd::TreeCopy);
    EXPECT_EQ(menuOf(frame, TreeNode::channelNode(1, 1)).value(1), qMakePair(int(Cmd::TreePaste), false));
    EXPECT_EQ(menuOf(frame, TreeNode::channelNode(1, 2)).value(1), qMakePair(int(Cmd::TreePaste), true));
    run(frame, TreeNode::channelNode(1, 2), Cmd::TreePaste);
    EXPECT_EQ(CChannelData(rig.doc()).GetPower(1, 2), 0);

    run(frame, TreeNode::channelNode(1, 1), Cmd::TreeDelete);
    EXPECT_EQ(CChannelData(rig.doc()).CountChannels(1), 1);
    EXPECT_EQ(bar->itemFor(TreeNode::zoneNode(1))->childCount(), 1);

    run(frame, TreeNode::zoneNode(1), Cmd::TreeDeleteZone);
    EXPECT_EQ(bar->staticItem(6)->childCount(), 2);

    // An unavailable command changes nothing.
    const std::vector<uint8_t> before(rig.doc().image(), rig.doc().image() + 0x10000);
    run(frame, TreeNode::zoneNode(1), Cmd::TreeDeleteZone);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), rig.doc().image()));
}

TEST(TreeMenus, ScanAndRxGroupListsAreAddedAndDeleted)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    CMainFrame *frame = rig.frame();
    CTreeBar *bar = frame->treeBar();

    run(frame, TreeNode::staticItem(7), Cmd::TreeAddList);
    run(frame, TreeNode::staticItem(7), Cmd::TreeAddList);
    EXPECT_EQ(CScanData(rig.doc()).CountLists(), 3);
    EXPECT_EQ(bar->staticItem(7)->childCount(), 3);
    EXPECT_EQ(bar->selectedNode(), TreeNode::scanNode(3));
    EXPECT_EQ(frame->rememberedIndex(7), 3);

    // Deleting the last list selects the one before it.
    run(frame, TreeNode::scanNode(3), Cmd::TreeDelete);
    EXPECT_EQ(bar->staticItem(7)->childCount(), 2);
    EXPECT_EQ(bar->selectedNode(), TreeNode::scanNode(2));

    run(frame, TreeNode::staticItem(12), Cmd::TreeAddList);
    EXPECT_EQ(CRxGroupData(rig.doc()).CountLists(), 2);
    EXPECT_EQ(bar->itemFor(TreeNode::rxGroupNode(2))->text(0), QStringLiteral("Group 2"));
    run(frame, TreeNode::rxGroupNode(1), Cmd::TreeDelete);
    EXPECT_EQ(CRxGroupData(rig.doc()).CountLists(), 1);
    EXPECT_EQ(bar->itemFor(TreeNode::rxGroupNode(1))->text(0), QStringLiteral("Group 2"));
}

TEST(TreeBar, UndoAndRedoRewriteTheBytesAndKeepTheExpansionAndTheSelection)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    CMainFrame *frame = rig.frame();
    CTreeBar *bar = frame->treeBar();
    const auto before = std::make_unique<Image>(rig.doc().currentImage());
    run(frame, TreeNode::staticItem(6), Cmd::TreeAddList);  // zone 2
    run(frame, TreeNode::zoneNode(2), Cmd::TreeAddChannel);
    ASSERT_EQ(CChannelData(rig.doc()).GetZoneChannelCount(2), 2);
    run(frame, TreeNode::staticItem(7), Cmd::TreeAddList);  // scan list 2
    const auto after = std::make_unique<Image>(rig.doc().currentImage());
    for (const TreeNode &node : {TreeNode::staticItem(6), TreeNode::zoneNode(1), TreeNode::staticItem(7)})
        bar->itemFor(node)->setExpanded(true);
    bar->itemFor(TreeNode::zoneNode(2))->setExpanded(false);
    ASSERT_TRUE(bar->selectNode(TreeNode::channelNode(1, 1)));

    const auto expansion = [bar] {
        QList<bool> open;
        for (const TreeNode &node : {TreeNode::staticItem(6), TreeNode::zoneNode(1), TreeNode::staticItem(7),
                                     TreeNode::zoneNode(2)}) {
            const QTreeWidgetItem *item = bar->itemFor(node);
            open << (item && item->isExpanded());
        }
        return open;
    };
    frame->Undo();  // scan list 2 goes
    frame->Undo();  // the channel goes
    frame->Undo();  // zone 2 goes: every record node is rebuilt
    EXPECT_TRUE(*before == rig.doc().currentImage());
    EXPECT_EQ(bar->itemFor(TreeNode::zoneNode(2)), nullptr);
    EXPECT_EQ(expansion(), (QList<bool>{true, true, true, false}));
    EXPECT_EQ(bar->selectedNode(), TreeNode::channelNode(1, 1));
    for (int i = 0; i < 3; ++i)
        frame->Redo();
    EXPECT_TRUE(*after == rig.doc().currentImage());
    EXPECT_NE(bar->itemFor(TreeNode::channelNode(2, 2)), nullptr);
    EXPECT_EQ(expansion(), (QList<bool>{true, true, true, false}));
    EXPECT_EQ(bar->selectedNode(), TreeNode::channelNode(1, 1));

    // A selected record that an undo takes away hands the selection to its group.
    ASSERT_TRUE(bar->selectNode(TreeNode::scanNode(2)));
    frame->Undo();
    EXPECT_EQ(bar->selectedNode(), TreeNode::staticItem(7));
}

TEST(TreeBar, ShiftF10OpensTheContextMenuOfTheSelectedItem)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    CTreeBar *bar = rig.frame()->treeBar();
    QSignalSpy requests(bar, &CTreeBar::contextMenuRequested);
    bar->itemFor(TreeNode::staticItem(6))->setExpanded(true);
    bar->itemFor(TreeNode::zoneNode(1))->setExpanded(true);
    ASSERT_TRUE(bar->selectNode(TreeNode::channelNode(1, 1)));
    QApplication::setActiveWindow(rig.frame());
    bar->tree()->setFocus();
    QTest::keyClick(bar->tree(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.at(0).at(0).value<TreeNode>(), TreeNode::channelNode(1, 1));
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->objectName(), QStringLiteral("TreeMenu144"));
    popup->close();

    // F10 alone is no context-menu key.
    QTest::keyClick(bar->tree(), Qt::Key_F10);
    EXPECT_EQ(requests.size(), 1);
}
