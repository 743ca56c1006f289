#include "codeplug/CPcSoftwareDoc.h"

void CPcSoftwareDoc::applySectionDefaults()
{
}
