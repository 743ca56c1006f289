#pragma once

#include <QStringList>

class CPcSoftwareDoc;

// The field-level difference of two codeplugs: one line per differing field
// as its YAML key path with the old and the new value, for example
// "zones[1].channels[3].rx_frequency: 434.125000 -> 434.150000"; bytes that
// differ outside every record whose fields differ are summarised as byte
// ranges. Both documents are read with the same settings (model).
namespace CodeplugDiff {

QStringList compare(CPcSoftwareDoc &before, CPcSoftwareDoc &after);

}
