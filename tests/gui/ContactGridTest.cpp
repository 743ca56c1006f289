// The contact grid's spreadsheet keys: one value on several rows, and
// tab-separated copy and paste, each one undo step through the contact rules.

#include "FormDriver.h"

#include "app/CodeplugEditor.h"
#include "sections/BasicSettingData.h"
#include "sections/CContactView.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/RxGroupData.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 11;

// `count` contacts "Contact 1".. with IDs 1000001.. above the start ID
// 1000000, contacts 1 and 2 in RX group list 1, and the grid open.
struct ContactGrid
{
    explicit ContactGrid(int count = 12)
    {
        started = rig.start();
        CBasicSettingData(rig.doc()).SetGroupCallStartId(QStringLiteral("1000000"));
        CContactRules(rig.doc()).add(count - 1, rig.prompter);
        CRxGroupData(rig.doc()).SetMembers(1, {1, 2});
        rig.frame()->OnNavigate(kContacts, 0);
        settle();
        QApplication::setActiveWindow(rig.frame());
        grid()->setFocus();
    }
    CContactView *view() const { return qobject_cast<CContactView *>(rig.frame()->openForm(kContacts)); }
    CEditGrid *grid() const { return rig.control<CEditGrid>(kContacts, CContactView::Grid); }
    // Selects the cells of rows [first, first + count) in columns [left, right].
    void select(int first, int count, int left = 0, int right = 2) const
    {
        grid()->setCurrentCell(first, left);
        grid()->selectionModel()->select(
            QItemSelection(grid()->model()->index(first, left), grid()->model()->index(first + count - 1, right)),
            QItemSelectionModel::ClearAndSelect);
    }
    QString contact(int n) const
    {
        const CContactData contacts(rig.doc());
        return contacts.GetName(n) + QLatin1Char(' ') + contacts.GetCallId(n);
    }
    QString undoText() const { return rig.app->editor().undoText(rig.doc().settings().language()); }
    QUndoStack &stack() const { return rig.frame()->undoStack(); }

    GuiRig rig;
    bool started = false;
};

}

TEST(ContactGrid, CtrlEnterGivesTheTypedIdToTheSelectedRowsAsOneStepListingThoseThatRefuse)
{
    ContactGrid t;
    ASSERT_TRUE(t.started);
    const auto before = imageCopy(t.rig);
    const int steps = t.stack().count();
    t.rig.prompter.prompts.clear();
    CEditGrid *grid = t.grid();
    EXPECT_FALSE(grid->accessibleName().isEmpty());
    EXPECT_FALSE(grid->accessibleDescription().isEmpty());

    // By keyboard alone: rows 2..5 selected with Shift+Down from the call
    // ID of row 2, an ID typed and stored with Ctrl+Enter.
    grid->setCurrentCell(1, CContactView::TypeColumn);
    QTest::keyClick(grid, Qt::Key_Left);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->selectedRows(), (QList<int>{1, 2, 3, 4}));
    QTest::keyClick(grid, Qt::Key_1);
    ASSERT_NE(grid->activeEditor(), nullptr);
    QTest::keyClicks(grid->activeEditor(), QStringLiteral("000100"));
    QTest::keyClick(grid->activeEditor(), Qt::Key_Return, Qt::ControlModifier);
    settle();

    // A call ID is unique: the first row takes it, the others keep theirs.
    EXPECT_EQ(t.contact(2), QStringLiteral("Contact 2 1000100"));
    EXPECT_EQ(t.contact(3), QStringLiteral("Contact 3 1000003"));
    EXPECT_EQ(t.contact(5), QStringLiteral("Contact 5 1000005"));
    EXPECT_EQ(grid->cellText(1, CContactView::CallIdColumn), QStringLiteral("1000100"));
    EXPECT_EQ(t.stack().count(), steps + 1);
    EXPECT_EQ(t.undoText(), QStringLiteral("&Undo Set Call ID on 1 contacts"));
    ASSERT_EQ(t.rig.prompter.prompts.size(), 1);
    const QString message = t.rig.prompter.prompts[0].literalText;
    EXPECT_EQ(message, QStringLiteral("3 contacts kept their value:\n"
                                      "3 Contact 3: This call ID is already in use!\n"
                                      "4 Contact 4: This call ID is already in use!\n"
                                      "5 Contact 5: This call ID is already in use!"));

    // Ctrl+Enter outside an editor spreads the current cell: every name is
    // taken, so nothing is stored and no step recorded.
    t.rig.prompter.prompts.clear();
    QTest::keyClick(grid, Qt::Key_Left);
    t.select(0, 12, CContactView::NameColumn, CContactView::NameColumn);
    QTest::keyClick(grid, Qt::Key_Enter, Qt::ControlModifier);
    EXPECT_EQ(t.stack().count(), steps + 1);
    EXPECT_TRUE(t.rig.prompter.prompts.value(0).literalText.startsWith(QStringLiteral("11 contacts kept their value:")));

    t.rig.frame()->Undo();
    settle();
    EXPECT_TRUE(*before == t.rig.doc().currentImage());
    EXPECT_EQ(grid->cellText(1, CContactView::CallIdColumn), QStringLiteral("1000002"));
}

TEST(ContactGrid, ATenByTwoSpreadsheetBlockPastesAsOneStepAndAddsTheRowsPastTheEnd)
{
    ContactGrid t(5);
    ASSERT_TRUE(t.started);
    const auto before = imageCopy(t.rig);
    const int steps = t.stack().index();
    const auto undoRestores = [&] {
        t.rig.frame()->Undo();
        settle();
        return t.stack().index() == steps && *before == t.rig.doc().currentImage();
    };
    // As a spreadsheet copies it: no header, CRLF line ends, padded IDs; row
    // 6's ID is contact 1's and row 8's an individual call.
    QString block;
    for (int row = 0; row < 10; ++row) {
        const QString id = row == 5 ? QStringLiteral("1000001") : row == 7 ? QStringLiteral("0000777") : QString::number(2000100 + row);
        block += QStringLiteral("Unit %1\t %2 \r\n").arg(row).arg(id);
    }
    QApplication::clipboard()->setText(block);

    // Four rows selected, ten copied: the answer No fills the four only.
    t.select(1, 4, CContactView::NameColumn, CContactView::NameColumn);
    t.rig.prompter.answers = {PromptAnswer::No};
    QTest::keyClick(t.grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(t.grid()->rowCount(), 5);
    EXPECT_EQ(t.contact(2), QStringLiteral("Unit 0 2000100"));
    EXPECT_EQ(t.contact(5), QStringLiteral("Unit 3 2000103"));
    EXPECT_TRUE(undoRestores());

    // One cell selected: the whole block from it on, past the end too.
    t.rig.prompter.prompts.clear();
    t.select(2, 1, CContactView::NameColumn, CContactView::NameColumn);
    QTest::keyClick(t.grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(t.stack().index(), steps + 1);
    EXPECT_EQ(t.undoText(), QStringLiteral("&Undo Paste 19 Cells"));
    EXPECT_EQ(CContactRules(t.rig.doc()).count(), 12);
    EXPECT_EQ(t.grid()->rowCount(), 12);
    EXPECT_EQ(t.contact(2), QStringLiteral("Contact 2 1000002"));
    EXPECT_EQ(t.contact(3), QStringLiteral("Unit 0 2000100"));
    EXPECT_EQ(t.contact(7), QStringLiteral("Unit 4 2000104"));
    EXPECT_EQ(t.contact(8).left(7), QStringLiteral("Unit 5 "));  // keeps the ID its addition gave it
    EXPECT_NE(t.contact(8), QStringLiteral("Unit 5 1000001"));
    EXPECT_EQ(t.contact(10), QStringLiteral("Unit 7 0000777"));
    EXPECT_EQ(t.contact(12), QStringLiteral("Unit 9 2000109"));
    EXPECT_EQ(t.grid()->cellText(9, CContactView::TypeColumn), QStringLiteral("Private Call"));
    ASSERT_EQ(t.rig.prompter.prompts.size(), 1);
    EXPECT_EQ(t.rig.prompter.prompts[0].literalText,
              QStringLiteral("1 cells kept their value:\n8 Unit 5, Call ID: This call ID is already in use!"));
    EXPECT_TRUE(undoRestores());
    EXPECT_EQ(t.grid()->rowCount(), 5);
}

TEST(ContactGrid, CopiedCellsPasteBackToTheSameBytes)
{
    ContactGrid t(6);
    ASSERT_TRUE(t.started);
    ASSERT_TRUE(CContactRules(t.rig.doc()).enterCallId(4, QStringLiteral("*******"), t.rig.prompter));
    t.view()->Reload();
    const auto copied = imageCopy(t.rig);
    const int steps = t.stack().index();

    // Rows selected by their numbers; Ctrl+C copies them (it does not
    // switch the language) under a header of keys.
    QHeaderView *numbers = t.grid()->verticalHeader();
    const auto rowNumber = [numbers](int row) { return QPoint(numbers->width() / 2, numbers->sectionViewportPosition(row) + 5); };
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, rowNumber(2));
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowNumber(4));
    EXPECT_EQ(t.grid()->selectedRows(), (QList<int>{2, 3, 4}));
    EXPECT_EQ(t.grid()->activeEditor(), nullptr);
    QTest::keyClick(t.grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(t.rig.doc().settings().language().path().contains(QStringLiteral("english")));
    const QString text = QApplication::clipboard()->text();
    EXPECT_EQ(text, QStringLiteral("name\tcall_id\tcall_type\n"
                                   "Contact 3\t1000003\tgroup\n"
                                   "Contact 4\t*******\tall\n"
                                   "Contact 5\t1000005\tgroup\n"));

    // Changed, then the copy pasted back: the bytes are those copied. The
    // header sends each column to its field wherever the corner is.
    t.select(2, 3, CContactView::CallIdColumn, CContactView::CallIdColumn);
    t.view()->paste(QStringLiteral("0000300\n0000400\n0000500\n"));
    t.view()->applyToSelectedRows(CContactView::NameColumn, QStringLiteral("Renamed"));
    ASSERT_EQ(t.contact(3), QStringLiteral("Renamed 0000300"));
    t.select(2, 1, CContactView::CallIdColumn, CContactView::CallIdColumn);
    t.view()->paste(text);
    EXPECT_TRUE(*copied == t.rig.doc().currentImage());
    EXPECT_EQ(t.stack().index(), steps + 3);
    t.rig.frame()->Undo();
    settle();
    EXPECT_EQ(t.contact(4), QStringLiteral("Contact 4 0000400"));
}
