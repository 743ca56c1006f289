#pragma once

// Driving a form's controls from the keyboard and mouse, as a user does.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

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
