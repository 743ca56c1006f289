#include "widgets/FieldCommit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QPointer>
#include <QWidget>

void commitFocusedField(QWidget *within)
{
    if (!within)
        return;
    QPointer<QWidget> field = QApplication::focusWidget();
    if (!field)
        field = within->window()->focusWidget();
    if (!field || !within->isAncestorOf(field))
        return;
    // A button being pressed holds nothing typed, and a focus loss would
    // cancel its press.
    if (auto *button = qobject_cast<QAbstractButton *>(field.data()); button && button->isDown())
        return;
    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(field, &focusOut);
    if (field && field->hasFocus()) {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(field, &focusIn);
    }
}
