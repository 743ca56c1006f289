#include "FormDriver.h"

#include "sections/CRxGroupView.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kRxGroups = 12;

// Twenty group contacts and a second list "Group 2" without members.
struct RxGroupForm
{
    RxGroupForm()
    {
        EXPECT_TRUE(rig.start());
        CContactRules contacts(rig.doc());
        for (int i = 2; i <= 20; ++i)
            contacts.add(rig.prompter);
        CListMaintenance(rig.doc()).addRxGroup();
        rig.frame()->RebuildRecordNodes();
        QApplication::setActiveWindow(rig.frame());
    }
    void open(int list = 1)
    {
        rig.frame()->OnNavigate(kRxGroups, list);
        settle();
    }
    template <class T>
    T *ctrl(int id) const { return rig.control<T>(kRxGroups, id); }
    void click(int id) const { QTest::mouseClick(ctrl<QPushButton>(id), Qt::LeftButton); }
    CRxGroupData groups() const { return CRxGroupData(rig.doc()); }

    GuiRig rig;
};

}

// The member lists are the scan-list form's editor; what is the RX group
// form's own is which contacts it offers and its limit's message.
TEST(RxGroupView, OffersGroupContactsOnlyUpToSixteen)
{
    RxGroupForm f;
    QList<int> fourteen;
    for (int c = 1; c <= 14; ++c)
        fourteen << c;
    f.groups().SetMembers(1, fourteen);
    // An individual contact is in neither list, even as a stored member.
    CContactData(f.rig.doc()).SetCallId(3, QStringLiteral("0000300"));
    f.open();
    auto *available = f.ctrl<QListWidget>(CRxGroupView::Available);
    auto *members = f.ctrl<QListWidget>(CRxGroupView::Members);
    EXPECT_EQ(members->count(), 13);
    EXPECT_FALSE(itemTexts(available).contains("Contact 3"));
    EXPECT_EQ(available->count(), 6);

    selectRows(available, {0, 1, 2});
    f.click(CRxGroupView::MoveIn);
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_PROMPT_GROUPLISTMEMBER"});
    EXPECT_EQ(f.groups().GetMemberCount(1), 14);
    selectRows(available, {4, 5});
    f.click(CRxGroupView::MoveIn);
    EXPECT_EQ(f.groups().GetMemberCount(1), 16);
    EXPECT_EQ(f.groups().GetMember(1, 16), 20);
}

TEST(RxGroupView, HiddenMembersAreCountedAndRemovedAsOneUndoStep)
{
    RxGroupForm f;
    f.groups().SetMembers(1, {1, 2, 3, 4});
    CContactData(f.rig.doc()).SetCallId(2, QStringLiteral("0000200"));
    CContactData(f.rig.doc()).SetCallId(4, QStringLiteral("0000400"));
    f.open();
    auto *form = static_cast<CRxGroupView *>(f.rig.app->openFrame(kRxGroups)->form());
    EXPECT_TRUE(form->hiddenMembersNote()->isVisibleTo(form));
    EXPECT_TRUE(form->hiddenMembersNote()->text().contains(QStringLiteral("take 2 of the 16")));
    const auto before = imageCopy(f.rig);

    QTest::mouseClick(form->removeHiddenButton(), Qt::LeftButton);
    EXPECT_EQ(f.groups().GetMembers(1), (QList<int>{1, 3}));
    ASSERT_EQ(f.rig.prompter.prompts.size(), 1);
    EXPECT_EQ(f.rig.prompter.prompts[0].literalText, QStringLiteral("Hidden members removed from the list: 2."));
    EXPECT_FALSE(form->hiddenMembersNote()->isVisibleTo(form));
    EXPECT_FALSE(form->removeHiddenButton()->isVisibleTo(form));
    EXPECT_EQ(f.ctrl<QListWidget>(CRxGroupView::Members)->count(), 2);

    f.rig.frame()->Undo();
    EXPECT_TRUE(*before == f.rig.doc().currentImage());
    EXPECT_TRUE(form->removeHiddenButton()->isVisibleTo(form));
}

// Tab reads the member editor from left to right.
TEST(RxGroupView, TabGoesFromTheAvailableListOverTheButtonsToTheMembers)
{
    RxGroupForm f;
    f.open();
    auto *available = f.ctrl<QListWidget>(CRxGroupView::Available);
    auto *members = f.ctrl<QListWidget>(CRxGroupView::Members);
    selectRows(available, {0});
    available->setFocus();
    QTest::keyClick(available, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.ctrl<QPushButton>(CRxGroupView::MoveIn));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // "<<" is off without a member selected
    EXPECT_EQ(QApplication::focusWidget(), members);
    QTest::keyClick(members, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), f.ctrl<QPushButton>(CRxGroupView::MoveIn));
}

TEST(RxGroupView, LastMemberOutReleasesTheChannels)
{
    RxGroupForm f;
    f.groups().SetMembers(2, {5});
    CChannelData(f.rig.doc()).SetRxGroupList(1, 1, 2);
    f.open(2);
    auto *members = f.ctrl<QListWidget>(CRxGroupView::Members);
    selectRows(members, {0});
    f.click(CRxGroupView::MoveOut);
    EXPECT_EQ(f.groups().GetMemberCount(2), 0);
    EXPECT_EQ(CChannelData(f.rig.doc()).GetRxGroupList(1, 1), 0);
    EXPECT_FALSE(f.ctrl<QPushButton>(CRxGroupView::MoveOut)->isEnabled());
    f.rig.frame()->undoStack().undo();
    EXPECT_EQ(CChannelData(f.rig.doc()).GetRxGroupList(1, 1), 2);
    EXPECT_EQ(itemTexts(members), QStringList{"Contact 5"});
}

TEST(RxGroupView, NamesNavigationAddAndDelete)
{
    RxGroupForm f;
    f.open(2);
    auto *name = f.ctrl<QLineEdit>(CRxGroupView::ListName);
    auto *position = f.ctrl<QLabel>(CRxGroupView::Position);
    EXPECT_EQ(name->text() + " " + position->text(), "Group 2 2 of 2");

    typeAndLeave(name, QStringLiteral("Group 1"), f.ctrl<QListWidget>(CRxGroupView::Available));
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_EXIST_NAME"});
    EXPECT_EQ(name->text(), "Group 2");
    typeAndLeave(name, QStringLiteral("Fire"), f.ctrl<QListWidget>(CRxGroupView::Available));
    QTreeWidgetItem *groups = f.rig.frame()->treeBar()->staticItem(kRxGroups);
    ASSERT_EQ(groups->childCount(), 2);
    EXPECT_EQ(groups->child(1)->text(0), "Fire");

    f.click(CRxGroupView::First);
    f.click(CRxGroupView::AddList);
    EXPECT_EQ(name->text() + " " + position->text(), "Group 2 3 of 3");
    EXPECT_EQ(groups->childCount(), 3);
    f.click(CRxGroupView::Previous);
    f.click(CRxGroupView::DeleteList);
    EXPECT_EQ(name->text() + " " + position->text(), "Group 2 2 of 2");
    f.rig.frame()->undoStack().undo();
    EXPECT_EQ(f.groups().GetName(2), "Fire");
    EXPECT_EQ(groups->childCount(), 3);
}
