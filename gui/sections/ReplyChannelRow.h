#pragma once

#include "codeplug/Encodings.h"

#include <QList>
#include <functional>

class CPcSoftwareDoc;
class QCheckBox;
class QComboBox;
class QGridLayout;

// The reply-channel row of the emergency forms: the check box that turns
// a designated reply channel on and, beside it, the channels offered. The
// list has no label of its own: it is named after the check box, and a
// choice is stored as the check box's field.
namespace ReplyChannelRow {

// Puts check and a new list of control listId into row `row` of grid;
// choosing an entry calls store with the entry's (zone, channel) pair.
QComboBox *add(QGridLayout *grid, int row, QCheckBox *check, int listId,
               const std::function<void(const ChannelRef &)> &store);
// Refills the list, selects `selected` (nothing when it is not offered)
// and names the list after the check box's current text.
void show(QComboBox *list, const QCheckBox *check, CPcSoftwareDoc &doc, const QList<ChannelRef> &offered,
          const ChannelRef &selected);

}
