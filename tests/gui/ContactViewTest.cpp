#include "FormDriver.h"

#include "app/CommandIds.h"
#include "codeplug/DataFile.h"
#include "sections/CContactView.h"
#include "sections/BasicSettingData.h"
#include "sections/CRxGroupView.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"

#include <QDir>
#include <QPushButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 11;
constexpr int kRxGroups = 12;

// Five contacts "Contact 1".."Contact 5" with IDs 1000001..1000005 and
// zone 1 with three channels.
struct ContactForm
{
    ContactForm()
    {
        EXPECT_TRUE(rig.start());
        CContactRules rules(rig.doc());
        for (int i = 2; i <= 5; ++i)
            rules.add(rig.prompter);
        CListMaintenance lists(rig.doc());
        lists.addChannel(1);
        lists.addChannel(1);
        QApplication::setActiveWindow(rig.frame());
    }
    void open(int code = kContacts, int index = 0)
    {
        rig.frame()->OnNavigate(code, index);
        settle();
    }
    CEditGrid *grid() const { return rig.control<CEditGrid>(kContacts, CContactView::Grid); }
    QPushButton *button(int id) const { return rig.control<QPushButton>(kContacts, id); }
    QList<int> channelContacts() const
    {
        const CChannelData channels(rig.doc());
        return {channels.GetContact(1, 1), channels.GetContact(1, 2), channels.GetContact(1, 3)};
    }
    QByteArray image() const { return imageOf(rig.doc()); }
    QUndoStack &undo() const { return rig.frame()->undoStack(); }

    GuiRig rig;
};

}

TEST(ContactView, OpeningClosesTheGapsAsOneStepWhoseUndoAndRedoShowWhatIsStored)
{
    ContactForm f;
    CContactData contacts(f.rig.doc());
    contacts.SetNumber(2, 0);
    contacts.SetNumber(4, 0);  // contacts 1, 3 and 5 in use
    CChannelData(f.rig.doc()).SetContact(1, 1, 5);
    const QByteArray gapped = f.image();
    const int opened = f.undo().count();
    f.open();
    EXPECT_EQ(f.undo().count(), opened + 1);
    EXPECT_EQ(f.channelContacts().value(0), 3);  // the reference follows its contact
    const auto rowTitles = [&f] {
        QStringList titles;
        for (int row = 0; row < f.grid()->rowCount(); ++row)
            titles << f.grid()->model()->headerData(row, Qt::Vertical).toString();
        return titles;
    };
    EXPECT_EQ(rowTitles(), (QStringList{"1", "2", "3"}));

    // The undone compaction: the three contacts under their record numbers.
    f.undo().undo();
    EXPECT_EQ(f.image(), gapped);
    EXPECT_EQ(columnTexts(f.grid(), 0), (QStringList{"Contact 1", "Contact 3", "Contact 5"}));
    EXPECT_EQ(columnTexts(f.grid(), 1), (QStringList{"1000001", "1000003", "1000005"}));
    EXPECT_EQ(rowTitles(), (QStringList{"1", "3", "5"}));
    f.undo().redo();
    EXPECT_EQ(columnTexts(f.grid(), 0), (QStringList{"Contact 1", "Contact 3", "Contact 5"}));
    EXPECT_EQ(rowTitles(), (QStringList{"1", "2", "3"}));

    // An edit of the gapped list closes the gaps within its own step.
    f.undo().undo();
    const int steps = f.undo().index();
    typeIntoCell(f.grid(), 1, CContactView::NameColumn, QStringLiteral("Renamed"));
    EXPECT_EQ(f.undo().index(), steps + 1);
    EXPECT_EQ(CContactRules(f.rig.doc()).usedContacts(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(contacts.GetName(2), QStringLiteral("Renamed"));
    EXPECT_EQ(columnTexts(f.grid(), 0), (QStringList{"Contact 1", "Renamed", "Contact 5"}));
    f.undo().undo();
    EXPECT_EQ(f.image(), gapped);
}

TEST(ContactView, CallIdAndNameCellsGoThroughTheContactRules)
{
    ContactForm f;
    f.open();
    CEditGrid *grid = f.grid();
    typeIntoCell(grid, 2, CContactView::CallIdColumn, QStringLiteral("1000001"));
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_EXIST_CALLID"});
    EXPECT_EQ(grid->cellText(2, 1), "1000003");
    // The type column follows a stored ID.
    typeIntoCell(grid, 2, CContactView::CallIdColumn, QString());
    EXPECT_EQ(grid->cellText(2, 1) + " " + grid->cellText(2, 2), "0000001 Private Call");
    typeIntoCell(grid, 1, CContactView::NameColumn, QStringLiteral("Contact 1"));
    EXPECT_EQ(f.rig.prompter.keys().last(), "IDS_EXIST_NAME");
}

TEST(ContactView, DeleteAndInsertMoveEveryReferenceAndUndoRestoresEveryByte)
{
    ContactForm f;
    CChannelData channels(f.rig.doc());
    for (int c = 1; c <= 3; ++c)
        channels.SetContact(1, c, c + 2);
    CRxGroupData(f.rig.doc()).SetMembers(1, {1, 3, 4, 5});
    f.open();
    const QByteArray before = f.image();

    clickCell(f.grid(), 2, CContactView::TypeColumn);
    QTest::mouseClick(f.button(CContactView::Delete), Qt::LeftButton);
    EXPECT_EQ(f.grid()->rowCount(), 4);
    EXPECT_EQ(f.grid()->currentRow(), 3);
    EXPECT_EQ(f.channelContacts(), (QList<int>{0, 3, 4}));

    clickCell(f.grid(), 1, CContactView::TypeColumn);
    QTest::mouseClick(f.button(CContactView::Insert), Qt::LeftButton);
    EXPECT_EQ(columnTexts(f.grid(), 0), (QStringList{"Contact 1", "Contact 3", "Contact 2", "Contact 4", "Contact 5"}));
    EXPECT_EQ(f.grid()->currentRow(), 1);
    EXPECT_EQ(CRxGroupData(f.rig.doc()).GetMembers(1), (QList<int>{1, 4, 5}));

    f.undo().undo();
    f.undo().undo();
    EXPECT_EQ(f.image(), before);
    EXPECT_EQ(f.grid()->rowCount(), 5);
}

TEST(ContactView, NoFreeIdAbandonsTheAddition)
{
    ContactForm f;
    CBasicSettingData(f.rig.doc()).SetGroupCallStartId(QStringLiteral("9999999"));
    CContactData(f.rig.doc()).SetCallId(5, QStringLiteral("9999999"));
    f.open();
    QTest::mouseClick(f.button(CContactView::Add), Qt::LeftButton);
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_EXIST_STARTID"});
    EXPECT_EQ(f.grid()->rowCount(), 5);
    EXPECT_EQ(CContactRules(f.rig.doc()).count(), 5);
}

TEST(ContactView, ChangesShowAtOnceInTheRxGroupForm)
{
    ContactForm f;
    CRxGroupData(f.rig.doc()).SetMembers(1, {1, 2});
    f.open(kRxGroups, 1);
    f.open();
    typeIntoCell(f.grid(), 1, CContactView::NameColumn, QStringLiteral("Base"));
    auto *members = f.rig.control<QListWidget>(kRxGroups, CRxGroupView::Members);
    EXPECT_EQ(itemTexts(members), (QStringList{"Contact 1", "Base"}));
    clickCell(f.grid(), 0, CContactView::TypeColumn);
    QTest::mouseClick(f.button(CContactView::Delete), Qt::LeftButton);
    EXPECT_EQ(itemTexts(members), QStringList{"Base"});
}

TEST(ContactView, SaveWhileACellIsEditedStoresTheTypedText)
{
    ContactForm f;
    f.rig.nextSaveFile = QDir(f.rig.config.dir()).filePath(QStringLiteral("typed.dat"));
    f.open();
    QLineEdit *editor = typeIntoCell(f.grid(), 4, CContactView::NameColumn, QStringLiteral("Typed"), false);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    TestDocument saved;
    ASSERT_EQ(DataFile::load(*saved.doc, f.rig.nextSaveFile), DataFile::LoadResult::Loaded);
    EXPECT_EQ(CContactData(*saved.doc).GetName(5), "Typed");
}
