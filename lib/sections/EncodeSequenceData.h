#pragma once

#include "sections/SectionData.h"

#include <QString>

// Encode sequences: 16 records of 13 bytes from 0x7150, numbered 1..16.
// Bytes 0..11 hold the sequence in DTMF or 5-tone form, byte 12 the type.
// Record numbers outside 1..16 are refused.
class CEncodeSequenceData : public CSectionData
{
public:
    explicit CEncodeSequenceData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kCount = 16;
    static constexpr int kDtmf = 0;
    static constexpr int kFiveTone = 1;
    static constexpr int kMaxDtmfDigits = 20;
    static constexpr int kMaxFiveToneSymbols = 12;

    // 1 for a 5-tone record, 0 (DTMF) for any other byte.
    int GetSequenceType(int n) const;
    bool SetSequenceType(int n, int type);

    // DTMF form: digit count in byte 0 (a count above 20 reads as empty),
    // digits "0"-"9", "A"-"D", "*", "#" one per nibble from the low nibble of
    // byte 1. Setting fills bytes 0..11 with 0xFF and stores the digits up to
    // the first other character, at most 20.
    QString GetDtmfSequence(int n) const;
    bool SetDtmfSequence(int n, const QString &text);
    // 5-tone form: one symbol per byte, "0"-"9", "A"-"F", "G" (17), "R" (18),
    // ended by the first other byte. Setting fills bytes 0..11 with 0xFF and
    // stores the symbols up to the first other character, at most 12.
    QString GetFiveToneSequence(int n) const;
    bool SetFiveToneSequence(int n, const QString &text);
    // The sequence in the form the record's type names.
    QString GetSequence(int n) const;
    bool SetSequence(int n, const QString &text);
    // Writes "12345" in the form of the record's type (after a type change).
    bool ResetSequence(int n);

    // Every record: DTMF type and the sequence "12345".
    void SetDefaults();

private:
    static int recordOffset(int n);
};
