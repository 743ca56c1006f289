#pragma once

// Driving an editable grid as a user does: clicking cells and typing into
// the in-place editor.

#include "widgets/CEditGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

inline void clickCell(CEditGrid *grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    QApplication::processEvents();
}

// Clicks the cell, replaces its text by typing and, unless `finish` is
// false, presses Enter. Returns the editor (null once it has closed).
inline QLineEdit *typeIntoCell(CEditGrid *grid, int row, int column, const QString &text, bool finish = true)
{
    clickCell(grid, row, column);
    QLineEdit *editor = grid->activeEditor();
    if (!editor)
        return nullptr;
    QTest::keyClick(editor, Qt::Key_Backspace);  // the whole text is selected
    QTest::keyClicks(editor, text);
    if (finish)
        QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    return grid->activeEditor();
}

inline QStringList columnTexts(const CEditGrid *grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts << grid->cellText(row, column);
    return texts;
}
