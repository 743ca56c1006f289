#include "sections/CRecordNavigator.h"

#include "app/TranslateDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CRecordNavigator::CRecordNavigator(const Ids &ids, const Texts &texts, QWidget *form, QGridLayout *grid, int row,
                                   int column)
    : QObject(form), m_form(form), m_grid(grid), m_row(row)
{
    m_first = addButton(ids.first, texts.first, column, &CRecordNavigator::firstClicked);
    m_previous = addButton(ids.previous, texts.previous, column + 1, &CRecordNavigator::previousClicked);
    m_next = addButton(ids.next, texts.next, column + 2, &CRecordNavigator::nextClicked);
    m_last = addButton(ids.last, texts.last, column + 3, &CRecordNavigator::lastClicked);
    grid->setColumnMinimumWidth(column + 4, 12);
    m_add = addButton(ids.add, texts.add, column + 5, &CRecordNavigator::addClicked);
    m_remove = addButton(ids.remove, texts.remove, column + 6, &CRecordNavigator::removeClicked);
    grid->setColumnMinimumWidth(column + 7, 12);
    m_position = makePosition(ids.position);
    grid->addWidget(m_position, row, column + 8);
}

CRecordNavigator::CRecordNavigator(const Ids &ids, const Texts &texts, QWidget *form, QHBoxLayout *row)
    : QObject(form), m_form(form)
{
    m_first = makeButton(ids.first, texts.first, &CRecordNavigator::firstClicked);
    m_previous = makeButton(ids.previous, texts.previous, &CRecordNavigator::previousClicked);
    m_position = makePosition(ids.position);
    m_position->setAlignment(Qt::AlignCenter);
    m_next = makeButton(ids.next, texts.next, &CRecordNavigator::nextClicked);
    m_last = makeButton(ids.last, texts.last, &CRecordNavigator::lastClicked);
    m_add = makeButton(ids.add, texts.add, &CRecordNavigator::addClicked);
    m_remove = makeButton(ids.remove, texts.remove, &CRecordNavigator::removeClicked);
    for (QWidget *widget : {static_cast<QWidget *>(m_first), static_cast<QWidget *>(m_previous),
                            static_cast<QWidget *>(m_position), static_cast<QWidget *>(m_next),
                            static_cast<QWidget *>(m_last)})
        row->addWidget(widget);
    row->addSpacing(12);
    row->addWidget(m_add);
    row->addWidget(m_remove);
    row->addStretch(1);
}

QLabel *CRecordNavigator::makePosition(int ctrlId)
{
    auto *position = new QLabel(m_form);
    setCtrlId(position, ctrlId);
    // Room for "16 of 16" so the row does not shift while navigating.
    position->setMinimumWidth(position->fontMetrics().horizontalAdvance(QStringLiteral("16 of 16")) + 8);
    return position;
}

QPushButton *CRecordNavigator::makeButton(int ctrlId, const QString &text, void (CRecordNavigator::*signal)())
{
    auto *button = new QPushButton(text, m_form);
    setCtrlId(button, ctrlId);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, signal);
    return button;
}

QPushButton *CRecordNavigator::addButton(int ctrlId, const QString &text, int column,
                                         void (CRecordNavigator::*signal)())
{
    QPushButton *button = makeButton(ctrlId, text, signal);
    m_grid->addWidget(button, m_row, column);
    return button;
}

void CRecordNavigator::showPosition(int current, int count, bool canAdd, bool canDelete)
{
    m_first->setEnabled(current != 1 && count > 0);
    m_previous->setEnabled(current != 1 && count > 0);
    m_next->setEnabled(current != count && count > 0);
    m_last->setEnabled(current != count && count > 0);
    m_add->setEnabled(canAdd);
    m_remove->setEnabled(canDelete);
    m_position->setText(QStringLiteral("%1 of %2").arg(current).arg(count));
}

QPushButton *CRecordNavigator::button(int ctrlId) const
{
    for (QPushButton *b : {m_first, m_previous, m_next, m_last, m_add, m_remove}) {
        if (::ctrlId(b) == ctrlId)
            return b;
    }
    return nullptr;
}
