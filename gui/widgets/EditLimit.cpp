#include "widgets/EditLimit.h"

#include <QFocusEvent>

EditLimitValidator::EditLimitValidator(QLineEdit *edit, int limit)
    : QValidator(edit), m_limit(limit), m_shown(edit->text())
{
    // Validation runs before the field takes the new text, so m_shown still
    // holds the text the edit started from.
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_shown = text; });
}

bool EditLimitValidator::allows(const QString &before, const QString &after, int limit)
{
    return limit <= 0 || after.size() <= limit || after.size() < before.size();
}

QValidator::State EditLimitValidator::validate(QString &input, int &) const
{
    return m_programText || allows(m_shown, input, m_limit) ? Acceptable : Invalid;
}

CTextEdit::CTextEdit(QWidget *parent)
    : QLineEdit(parent), m_validator(new EditLimitValidator(this, 0))
{
    setValidator(m_validator);
}

void CTextEdit::setEditLimit(int limit)
{
    m_validator->setLimit(limit);
}

void CTextEdit::setText(const QString &text)
{
    m_validator->setProgramText(true);
    QLineEdit::setText(text);
    m_validator->setProgramText(false);
}

void CTextEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu of the field itself does not take the field away.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}
