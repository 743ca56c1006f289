#pragma once

#include "sections/EditResult.h"

#include <QString>

class CPcSoftwareDoc;

// The rules of the quick-text grid. The grid always has at least one row and
// never more than the 25 texts the section holds, whatever the count byte
// says.
class CQuickTextRules
{
public:
    explicit CQuickTextRules(CPcSoftwareDoc &doc) : m_doc(doc) {}

    int count() const;

    EditResult add();
    EditResult insert(int row);
    EditResult remove(int row);

    // Stores text `row` (1..count; empty and repeated texts are fine). The
    // form shows one row over a stored count of 0, so a text entered there
    // also stores the count 1: otherwise the radio would not offer it.
    bool enterText(int row, const QString &text);

private:
    CPcSoftwareDoc &m_doc;
};
