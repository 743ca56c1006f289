#include "widgets/EditLimit.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

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

void CTextEdit::fitCharacters(int count)
{
    m_fitCharacters = count;
    applyFit();
}

void CTextEdit::applyFit()
{
    if (m_fitCharacters <= 0)
        return;
    // The widest of the characters a name is usually made of.
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const QString &sample : {QStringLiteral("W"), QStringLiteral("M"), QStringLiteral("\u6C49")})
        widest = std::max(widest, metrics.horizontalAdvance(sample));
    const QMargins margins = textMargins();
    // QLineEdit keeps a few pixels of its own beside the text.
    QSize content(widest * m_fitCharacters + 4 + margins.left() + margins.right(), metrics.height());
    QStyleOptionFrame option;
    initStyleOption(&option);
    setMinimumWidth(style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, this).width());
}

void CTextEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        applyFit();
}

void CTextEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu of the field itself does not take the field away.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}
