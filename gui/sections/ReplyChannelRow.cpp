#include "sections/ReplyChannelRow.h"

#include "app/TranslateDialog.h"
#include "sections/ChannelRefList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>

namespace ReplyChannelRow {

QComboBox *add(QGridLayout *grid, int row, QCheckBox *check, int listId,
               const std::function<void(const ChannelRef &)> &store)
{
    auto *list = new QComboBox(check->parentWidget());
    setCtrlId(list, listId);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(20);
    grid->addWidget(check, row, 0);
    grid->addWidget(list, row, 1);
    QObject::connect(list, &QComboBox::activated, list,
                     [list, store](int index) { store(ChannelRefList::at(list, index)); });
    return list;
}

void show(QComboBox *list, const QCheckBox *check, CPcSoftwareDoc &doc, const QList<ChannelRef> &offered,
          const ChannelRef &selected)
{
    ChannelRefList::fill(list, doc, offered, selected);
    list->setAccessibleName(LabelTextForName(check->text()));
}

}
