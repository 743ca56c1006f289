#pragma once

#include "sections/SectionData.h"

#include <QString>

// Quick texts: a count byte at 0x8032 and 25 texts of 16 UTF-16 units,
// text i (1..25) at 0x8014 + 32 * i. Getters refuse a text outside 1..25
// with the empty text; setters write nothing for them.
class CQuickTextData : public CSectionData
{
public:
    static constexpr int kTextCount = 25;
    static constexpr int kRecordSize = 32;
    static constexpr int kCountOffset = 0x8032;

    explicit CQuickTextData(CPcSoftwareDoc &doc);

    int recordOffset(int text) const;  // -1 outside 1..25
    static bool isValidText(int text) { return text >= 1 && text <= kTextCount; }

    // Stored count; a value above the 25 texts the section holds reads 0.
    int GetCount() const;
    void SetCount(int count);  // 0..25

    QString GetText(int text) const;
    void SetText(int text, const QString &value);

    // Factory values: one text, "Hello".
    void SetDefaults();
};
