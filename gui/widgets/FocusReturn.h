#pragma once

#include <QWidget>

// Enter and Escape in a form's field end the entry: the focus goes to the
// nearest enclosing widget that takes the focus (the form itself, past any
// group boxes), so the field's focus-loss store runs and no default button
// is triggered.
inline void returnFocusToForm(QWidget *field)
{
    for (QWidget *w = field ? field->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (w->focusPolicy() != Qt::NoFocus || w->isWindow()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}
