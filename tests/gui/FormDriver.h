#pragma once

// Drives the widgets of the forms and grids as a user does.

#include "GuiRig.h"

#include "widgets/CEditGrid.h"
#include "widgets/CNumberEdit.h"

#include <QTest>
#include <QUndoStack>
#include <memory>

// Opens a section's form as the tree does and returns it.
inline CSectionForm *openForm(GuiRig &rig, int code)
{
    rig.frame()->OnNavigate(code, 0);
    settle();
    CChildFrame *frame = rig.app->openFrame(code);
    return frame ? frame->form() : nullptr;
}

// Picks an entry of a drop-down list.
inline void choose(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// Types into a field (replacing its text) and moves the focus away.
template <class Field>
void typeAndLeave(Field *field, const QString &text)
{
    QApplication::setActiveWindow(field->window());
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    field->parentWidget()->setFocus();
    QApplication::processEvents();
}

// Undoes every recorded step and tells whether the image is back to `before`.
inline bool undoAllRestores(GuiRig &rig, const Image &before)
{
    QUndoStack &stack = rig.frame()->undoStack();
    while (stack.canUndo())
        rig.frame()->Undo();
    return before == rig.doc().currentImage();
}

inline std::unique_ptr<Image> imageCopy(GuiRig &rig)
{
    return std::make_unique<Image>(rig.doc().currentImage());
}

// Replaces a field's text by typing and moves the focus on to `next`.
inline void typeAndLeave(QWidget *field, const QString &text, QWidget *next)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    next->setFocus();
    QApplication::processEvents();
}

// Moves a closed combo box's selection with a key (Home, End, Up, Down).
inline void choose(QComboBox *box, Qt::Key key)
{
    box->setFocus();
    QTest::keyClick(box, key);
}

inline void toggle(QAbstractButton *box)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
}

// Control-clicks the rows, leaving them the only selected ones.
inline void selectRows(QListWidget *list, const QList<int> &rows)
{
    list->clearSelection();
    for (int row : rows) {
        QListWidgetItem *item = list->item(row);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualItemRect(item).center());
    }
}

inline QStringList itemTexts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

inline QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

// Grids: a click on a cell opens its in-place editor.
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
