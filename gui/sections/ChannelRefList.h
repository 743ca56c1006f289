#pragma once

#include "codeplug/Encodings.h"

#include <QList>

class CPcSoftwareDoc;
class QComboBox;
class QListWidget;

// Channels offered in combo boxes and list boxes. Each entry shows the
// channel as "zone name:channel name" and carries its (zone, channel) pair,
// so a choice is stored as the pair the entry stands for, even when two
// texts happen to read alike.
namespace ChannelRefList {

QString text(CPcSoftwareDoc &doc, const ChannelRef &ref);

// Refills the box without emitting signals and selects `selected` (nothing
// when it is not among the channels).
void fill(QComboBox *box, CPcSoftwareDoc &doc, const QList<ChannelRef> &channels, const ChannelRef &selected);
// The pair of an entry; (0, 0) for a position without one.
ChannelRef at(const QComboBox *box, int index);

void fill(QListWidget *list, CPcSoftwareDoc &doc, const QList<ChannelRef> &channels);
// The selected entries' pairs in list order.
QList<ChannelRef> selected(const QListWidget *list);

}
