#include "sections/DecodeSequenceData.h"

#include <algorithm>

namespace {
constexpr int kFirstRecord = 0xD100;
constexpr int kRecordSize = 14;
constexpr int kRxSignalingByte = 0;
constexpr int kDecodeTypeByte = 1;
constexpr int kSequenceStart = 2;
const QString kResetSequence = QStringLiteral("12345");

// Symbols 0-9 and A-F (either case); -1 for anything else.
int symbolCode(QChar c)
{
    const char16_t u = c.toUpper().unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}
}

int CDecodeSequenceData::recordOffset(int n)
{
    return (n >= 1 && n <= kCount) ? kFirstRecord + kRecordSize * (n - 1) : -1;
}

int CDecodeSequenceData::GetRxSignaling(int n) const
{
    const int offset = recordOffset(n);
    return (offset >= 0 && byteAt(offset + kRxSignalingByte) != 0) ? 1 : 0;
}

bool CDecodeSequenceData::SetRxSignaling(int n, int index)
{
    const int offset = recordOffset(n);
    if (offset < 0 || (index != 0 && index != 1))
        return false;
    setByteAt(offset + kRxSignalingByte, uint8_t(index));
    return true;
}

int CDecodeSequenceData::GetDecodeType(int n) const
{
    const int offset = recordOffset(n);
    return offset >= 0 ? byteAt(offset + kDecodeTypeByte) : 0;
}

bool CDecodeSequenceData::SetDecodeType(int n, int index)
{
    const int offset = recordOffset(n);
    if (offset < 0 || index < 0 || index > 255)
        return false;
    setByteAt(offset + kDecodeTypeByte, uint8_t(index));
    return true;
}

QString CDecodeSequenceData::GetSequence(int n) const
{
    const int offset = recordOffset(n);
    const uint8_t *bytes = offset >= 0 ? field(offset + kSequenceStart, kMaxSymbols) : nullptr;
    QString text;
    for (int i = 0; bytes && i < kMaxSymbols && bytes[i] <= 15; ++i)
        text += QLatin1Char("0123456789ABCDEF"[bytes[i]]);
    return text;
}

bool CDecodeSequenceData::SetSequence(int n, const QString &text)
{
    const int offset = recordOffset(n);
    uint8_t *bytes = offset >= 0 ? field(offset + kSequenceStart, kMaxSymbols) : nullptr;
    if (!bytes)
        return false;
    std::fill(bytes, bytes + kMaxSymbols, uint8_t(0xFF));
    for (int i = 0; i < kMaxSymbols && i < text.size(); ++i) {
        const int code = symbolCode(text.at(i));
        if (code < 0)
            break;
        bytes[i] = uint8_t(code);
    }
    return true;
}

bool CDecodeSequenceData::ResetSequence(int n) { return SetSequence(n, kResetSequence); }

void CDecodeSequenceData::SetDefaults()
{
    for (int n = 1; n <= kCount; ++n) {
        SetRxSignaling(n, 0);
        SetDecodeType(n, 0);
        SetSequence(n, kResetSequence);
    }
}
