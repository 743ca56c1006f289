#pragma once

#include "sections/FieldBinder.h"

// The entries the channel form's lists show for a channel field, in the
// current language: the form and the channel table show the same.
namespace ChannelEntries {

// The entries of field `key` of a channel, one per value from the field's
// minimum on; empty (no function) for a field that is not a list.
FieldBinder::Entries forField(const QString &key, Fields::Doc &doc);

}
