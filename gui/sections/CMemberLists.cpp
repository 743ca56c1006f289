#include "sections/CMemberLists.h"

#include "app/TranslateDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

int firstSelectedRow(const QListWidget *list)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            return row;
    }
    return -1;
}

}

CMemberLists::CMemberLists(const Ids &ids, const Texts &texts, const QSize &listSize, QWidget *form)
    : QWidget(form)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_available = addList(ids.available, texts.available, 0, listSize);
    m_members = addList(ids.members, texts.members, 2, listSize);

    auto *buttons = new QVBoxLayout;
    buttons->addStretch(1);
    m_moveIn = addButton(ids.moveIn, QStringLiteral("增加>>"));
    m_moveOut = addButton(ids.moveOut, QStringLiteral("<<删除"));
    buttons->addWidget(m_moveIn);
    buttons->addWidget(m_moveOut);
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    // Tab follows the eye: the list, the buttons between, the other list.
    setTabOrder(m_available, m_moveIn);
    setTabOrder(m_moveIn, m_moveOut);
    setTabOrder(m_moveOut, m_members);

    connect(m_moveIn, &QPushButton::clicked, this, [this] { moveSelection(m_available, m_in); });
    connect(m_moveOut, &QPushButton::clicked, this, [this] { moveSelection(m_members, m_out); });
    clearOnSelection(m_available, m_members);
    clearOnSelection(m_members, m_available);
}

QListWidget *CMemberLists::addList(int ctrlId, const QString &title, int column, const QSize &size)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    // The label shares the list's id: its language text names the list.
    auto *label = new QLabel(title, this);
    setCtrlId(label, ctrlId);
    auto *list = new QListWidget(this);
    setCtrlId(list, ctrlId);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumSize(size);
    label->setBuddy(list);
    grid->addWidget(label, 0, column);
    grid->addWidget(list, 1, column);
    return list;
}

QPushButton *CMemberLists::addButton(int ctrlId, const QString &text)
{
    auto *button = new QPushButton(text, this);
    setCtrlId(button, ctrlId);
    return button;
}

void CMemberLists::setMoves(Move moveIn, Move moveOut)
{
    m_in = std::move(moveIn);
    m_out = std::move(moveOut);
}

void CMemberLists::clearOnSelection(QListWidget *selecting, QListWidget *other)
{
    connect(selecting, &QListWidget::itemSelectionChanged, this, [this, selecting, other] {
        if (!selecting->selectedItems().isEmpty()) {
            const QSignalBlocker blocker(other);
            other->clearSelection();
        }
        updateMoveButtons();
    });
}

void CMemberLists::updateMoveButtons()
{
    m_moveIn->setEnabled(!m_available->selectedItems().isEmpty());
    m_moveOut->setEnabled(!m_members->selectedItems().isEmpty());
}

void CMemberLists::moveSelection(QListWidget *from, const Move &move)
{
    const int row = firstSelectedRow(from);
    if (row < 0 || !move || !move(from) || from->count() == 0)
        return;
    // The entry now at the first moved row stays selected (the last one when
    // fewer remain), so the next entries can be moved with another click.
    from->setCurrentRow(std::min(row, from->count() - 1), QItemSelectionModel::ClearAndSelect);
}
