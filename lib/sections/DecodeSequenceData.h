#pragma once

#include "sections/SectionData.h"

#include <QString>

// Decode sequences: 6 records of 14 bytes from 0xD100, numbered 1..6:
// receive signalling, decode type and a sequence of up to 12 symbols.
// Record numbers outside 1..6 are refused.
class CDecodeSequenceData : public CSectionData
{
public:
    explicit CDecodeSequenceData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kCount = 6;
    static constexpr int kMaxSymbols = 12;

    // "RxSignaling" entry: 1 when byte 0 is not 0, else 0. Setter takes 0/1.
    int GetRxSignaling(int n) const;
    bool SetRxSignaling(int n, int index);
    // "DecodeType" list index as stored; setter refuses values outside 0..255.
    int GetDecodeType(int n) const;
    bool SetDecodeType(int n, int index);

    // Symbols "0"-"9", "A"-"F" one per byte, ended by the first byte above 15.
    // Setting fills the 12 bytes with 0xFF and stores the symbols up to the
    // first other character, at most 12.
    QString GetSequence(int n) const;
    bool SetSequence(int n, const QString &text);
    // Writes "12345" (after a change of receive signalling).
    bool ResetSequence(int n);

    // Every record: receive signalling 0, decode type 0, sequence "12345".
    void SetDefaults();

private:
    static int recordOffset(int n);
};
