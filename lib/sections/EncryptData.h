#pragma once

#include "sections/SectionData.h"

#include <QString>

// Encryption keys: 16 records of 40 bytes, entry i (1..16) at
// 0x6E50 + 40 * i. Getters refuse an entry outside 1..16 with their
// fallback; setters write nothing for them.
class CEncryptData : public CSectionData
{
public:
    static constexpr int kEntryCount = 16;
    static constexpr int kRecordSize = 40;
    static constexpr int kKeyLength = 8;
    static constexpr char kDefaultKey[] = "39017264";

    explicit CEncryptData(CPcSoftwareDoc &doc);

    int recordOffset(int entry) const;  // -1 outside 1..16
    static bool isValidEntry(int entry) { return entry >= 1 && entry <= kEntryCount; }

    // +0: the record's own number when the entry exists, 0 after deletion.
    int GetNumber(int entry) const;  // 1..16, anything else 0
    void SetNumber(int entry, int number);  // 0..16

    // +1: 8 BCD digits, a nibble above 9 reads as 0. Setting: "00000000"
    // stores the default key, a shorter text is padded with "0" on the
    // left, a non-digit stores 0.
    QString GetKey(int entry) const;
    void SetKey(int entry, const QString &text);

    QString GetName(int entry) const;
    void SetName(int entry, const QString &name);

    // The highest entry number with a name (0 when none).
    int CountEntries() const;

    // Frees a record as the list does: number 0, empty name, key of an
    // empty text (all zeros). The unused tail of the record is kept.
    void ClearEntry(int entry);

    // Factory values: entry 1 "Encrypt 1" with the default key.
    void SetDefaults();

private:
    int fieldOffset(int entry, int at) const;
};
