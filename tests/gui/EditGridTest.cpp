#include "FormDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A contact-like grid: an editable name, an editable ID of digits and "*",
// and a read-only type column; beside it a field to move the focus to.
struct GridForm
{
    explicit GridForm(int rows = 5)
    {
        auto *layout = new QVBoxLayout(&form);
        grid = new CEditGrid(&form);
        other = new QLineEdit(&form);
        layout->addWidget(grid);
        layout->addWidget(other);
        grid->setColumns({40, 200, 150, 100});
        grid->setTitles({QStringLiteral("No."), QStringLiteral("Name"), QStringLiteral("Call ID"), QStringLiteral("Type")});
        grid->setColumnEditor(0, {14, {}});
        grid->setColumnEditor(1, {7, &CEditGrid::digitOrStar});
        grid->setRecordCount(rows);
        for (int row = 0; row < rows; ++row) {
            grid->setCellText(row, 0, QStringLiteral("Contact %1").arg(row + 1));
            grid->setCellText(row, 1, QStringLiteral("100000%1").arg(row + 1));
            grid->setCellText(row, 2, QStringLiteral("Group"));
        }
        form.resize(600, 400);
        form.show();
        QApplication::setActiveWindow(&form);
        grid->setFocus();
        QApplication::processEvents();
    }
    void click(int row, int column) { clickCell(grid, row, column); }
    QLineEdit *editor() const { return grid->activeEditor(); }

    QWidget form;
    CEditGrid *grid;
    QLineEdit *other;
};

}

TEST(EditGrid, ClickPlacesEditorOverCellWithTextSelectedAndEnterCommits)
{
    GridForm f;
    QSignalSpy committed(f.grid, &CEditGrid::cellCommitted);
    f.click(2, 0);
    ASSERT_NE(f.editor(), nullptr);
    EXPECT_EQ(f.editor()->selectedText(), QStringLiteral("Contact 3"));
    EXPECT_TRUE(f.grid->visualRect(f.grid->model()->index(2, 0)).contains(f.editor()->geometry().center()));
    EXPECT_EQ(f.editor()->accessibleName(), QStringLiteral("Name"));

    QTest::keyClicks(f.editor(), QStringLiteral("Bob"));
    QTest::keyClick(f.editor(), Qt::Key_Return);
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed[0], (QVariantList{2, 0, QStringLiteral("Bob")}));
    EXPECT_EQ(f.editor(), nullptr);
    // What is stored and shown is the form's decision.
    EXPECT_EQ(f.grid->cellText(2, 0), QStringLiteral("Contact 3"));

    // A click on the read-only column opens nothing.
    f.click(1, 2);
    EXPECT_EQ(f.editor(), nullptr);
}

TEST(EditGrid, EscapeDropsTheEditAndEveryFocusLossCommitsOnce)
{
    GridForm f;
    QSignalSpy committed(f.grid, &CEditGrid::cellCommitted);
    f.click(0, 1);
    QTest::keyClicks(f.editor(), QStringLiteral("42"));
    QTest::keyClick(f.editor(), Qt::Key_Escape);
    EXPECT_EQ(f.editor(), nullptr);
    EXPECT_EQ(committed.count(), 0);

    // The main window's FocusOut before a command, while the editor still
    // has the focus.
    f.click(0, 1);
    QLineEdit *editor = f.editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("77"));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(editor, &focusOut);
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed[0][2].toString(), QStringLiteral("77"));
    EXPECT_EQ(f.editor(), nullptr);

    // A focus move to another control, also with a popup in between.
    f.click(3, 0);
    QTest::keyClicks(f.editor(), QStringLiteral("Ann"));
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(f.editor(), &popup);
    EXPECT_EQ(committed.count(), 1);
    f.other->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(committed.count(), 2);
    EXPECT_EQ(committed[1], (QVariantList{3, 0, QStringLiteral("Ann")}));
}

TEST(EditGrid, EditorsKeepTheColumnFilterAndLimitForTypingAndPasting)
{
    GridForm f;
    f.click(1, 1);
    QTest::keyClicks(f.editor(), QStringLiteral("12a*3b4567890"));
    EXPECT_EQ(f.editor()->text(), QStringLiteral("12*3456"));

    f.editor()->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("12ab"));
    f.editor()->paste();
    EXPECT_EQ(f.editor()->text(), QStringLiteral("12*3456"));
    QTest::keyClick(f.editor(), Qt::Key_Escape);

    f.click(1, 0);
    QTest::keyClicks(f.editor(), QStringLiteral("A name of twenty chr"));
    EXPECT_EQ(f.editor()->text(), QStringLiteral("A name of twen"));
}

TEST(EditGrid, KeyboardMovesStartsEditsAndTabsOverReadOnlyCells)
{
    GridForm f;
    QSignalSpy committed(f.grid, &CEditGrid::cellCommitted);
    f.grid->setCurrentCell(0, 0);
    QTest::keyClick(f.grid, Qt::Key_Down);
    QTest::keyClick(f.grid, Qt::Key_Right);
    EXPECT_EQ(f.grid->currentRow(), 1);
    EXPECT_EQ(f.grid->currentColumn(), 1);
    EXPECT_EQ(f.editor(), nullptr);

    QTest::keyClick(f.grid, Qt::Key_F2);
    ASSERT_NE(f.editor(), nullptr);
    EXPECT_EQ(f.editor()->selectedText(), QStringLiteral("1000002"));
    // Tab commits and goes on over the read-only type column.
    QTest::keyClicks(f.editor(), QStringLiteral("5"));
    QTest::keyClick(f.editor(), Qt::Key_Tab);
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed[0], (QVariantList{1, 1, QStringLiteral("5")}));
    ASSERT_NE(f.editor(), nullptr);
    EXPECT_EQ(f.grid->currentRow(), 2);
    EXPECT_EQ(f.grid->currentColumn(), 0);
    QTest::keyClick(f.editor(), Qt::Key_Escape);

    QTest::keyClick(f.grid, Qt::Key_Return);
    ASSERT_NE(f.editor(), nullptr);
    QTest::keyClick(f.editor(), Qt::Key_Escape);

    // Typing on a focused cell starts an edit with that character.
    QTest::keyClicks(f.grid, QStringLiteral("Z"));
    ASSERT_NE(f.editor(), nullptr);
    EXPECT_EQ(f.editor()->text(), QStringLiteral("Z"));
    QTest::keyClick(f.editor(), Qt::Key_Escape);

    // After the last editable cell Tab leaves the grid.
    f.grid->setCurrentCell(4, 1);
    QTest::keyClick(f.grid, Qt::Key_Tab);
    EXPECT_TRUE(f.other->hasFocus());
}

TEST(EditGrid, TwoHundredRowsScrollAndEditAtTheBottom)
{
    GridForm f(200);
    QSignalSpy committed(f.grid, &CEditGrid::cellCommitted);
    f.click(199, 1);
    ASSERT_NE(f.editor(), nullptr);
    EXPECT_TRUE(f.grid->viewport()->rect().contains(f.editor()->geometry()));
    QTest::keyClicks(f.editor(), QStringLiteral("2000200"));
    QTest::keyClick(f.editor(), Qt::Key_Return);
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed[0][0].toInt(), 199);
}
