#pragma once

#include "sections/EditResult.h"

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

private:
    CPcSoftwareDoc &m_doc;
};
