#pragma once

#include <QString>

class CPcSoftwareDoc;

// Entry rules of the radio ID and the group-call start ID. The edits take
// up to seven digits; any other text is refused and the stored ID stays.
namespace IdEntryRules {

// 0 (or an empty text) becomes 1, and a reserved ID (1000000, ..., 9000000)
// the ID after it. Returns whether the text was accepted.
bool enterRadioId(CPcSoftwareDoc &doc, const QString &text);
// 0 (or an empty text) becomes 1.
bool enterStartId(CPcSoftwareDoc &doc, const QString &text);

}
