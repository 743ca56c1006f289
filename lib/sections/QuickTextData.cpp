#include "sections/QuickTextData.h"

#include <algorithm>

namespace {
constexpr int kBase = 0x8014;
constexpr int kTextBytes = NameField::kQuickTextUnits * 2;
}  // namespace

CQuickTextData::CQuickTextData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

int CQuickTextData::recordOffset(int text) const
{
    return isValidText(text) ? kBase + kRecordSize * text : -1;
}

int CQuickTextData::GetCount() const
{
    // The radio accepts counts up to 32, but only 25 text records exist: a
    // count of 26..32 means every text is in use, anything larger is unset.
    const int stored = byteAt(kCountOffset);
    if (stored > 32)
        return 0;
    return std::min(stored, kTextCount);
}

void CQuickTextData::SetCount(int count)
{
    if (count >= 0 && count <= kTextCount)
        setByteAt(kCountOffset, uint8_t(count));
}

QString CQuickTextData::GetText(int text) const
{
    const int at = recordOffset(text);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kTextBytes);
    return bytes ? NameField::toText(bytes, NameField::kQuickTextUnits) : QString();
}

void CQuickTextData::SetText(int text, const QString &value)
{
    const int at = recordOffset(text);
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kTextBytes))
        NameField::fromText(value, bytes, NameField::kQuickTextUnits);
}

void CQuickTextData::SetDefaults()
{
    SetCount(1);
    SetText(1, QStringLiteral("Hello"));
}
