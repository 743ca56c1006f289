#pragma once

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

// Small helpers the list-based section forms share.
namespace FormFields {

// Refills a drop-down list and selects `index` (nothing when it is not there).
inline void fillItems(QComboBox *box, const QStringList &items, int index)
{
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(index >= 0 && index < items.size() ? index : -1);
}

inline void selectIndex(QComboBox *box, int index)
{
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

}
