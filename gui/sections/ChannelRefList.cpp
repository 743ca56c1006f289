#include "sections/ChannelRefList.h"

#include "sections/ScanData.h"

#include <QComboBox>
#include <QListWidget>
#include <QPoint>
#include <QSignalBlocker>

namespace {

QVariant toData(const ChannelRef &ref)
{
    return QVariant::fromValue(QPoint(ref.zone, ref.channel));
}

ChannelRef fromData(const QVariant &data)
{
    if (!data.canConvert<QPoint>())
        return {};
    const QPoint pair = data.toPoint();
    return ChannelRef{pair.x(), pair.y()};
}

}

namespace ChannelRefList {

QString text(CPcSoftwareDoc &doc, const ChannelRef &ref)
{
    return CScanData(doc).ChannelText(ref);
}

void fill(QComboBox *box, CPcSoftwareDoc &doc, const QList<ChannelRef> &channels, const ChannelRef &selected)
{
    const QSignalBlocker blocker(box);
    const CScanData scans(doc);
    box->clear();
    int current = -1;
    for (const ChannelRef &ref : channels) {
        if (selected.isSet() && ref == selected)
            current = box->count();
        box->addItem(scans.ChannelText(ref), toData(ref));
    }
    box->setCurrentIndex(current);
}

ChannelRef at(const QComboBox *box, int index)
{
    return index >= 0 && index < box->count() ? fromData(box->itemData(index)) : ChannelRef{};
}

void fill(QListWidget *list, CPcSoftwareDoc &doc, const QList<ChannelRef> &channels)
{
    const QSignalBlocker blocker(list);
    const CScanData scans(doc);
    list->clear();
    for (const ChannelRef &ref : channels) {
        auto *item = new QListWidgetItem(scans.ChannelText(ref), list);
        item->setData(Qt::UserRole, toData(ref));
    }
}

QList<ChannelRef> selected(const QListWidget *list)
{
    QList<ChannelRef> refs;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *item = list->item(row);
        if (item->isSelected())
            refs << fromData(item->data(Qt::UserRole));
    }
    return refs;
}

}
