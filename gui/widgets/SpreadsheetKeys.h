#pragma once

#include <QKeyEvent>
#include <QKeySequence>

// The keys the tables that work like spreadsheets take for themselves.
namespace SpreadsheetKeys {

// Ctrl+Enter: the value being entered goes to every selected row.
inline bool isApply(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier);
}

// Ctrl+C, Ctrl+V and Ctrl+Enter, which belong to such a table while it has
// the focus, before the main window's shortcuts (Ctrl+C also switches the
// language there).
inline bool isClaimed(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || isApply(key);
}

}
