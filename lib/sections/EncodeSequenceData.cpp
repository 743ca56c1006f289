#include "sections/EncodeSequenceData.h"

#include <algorithm>

namespace {
constexpr int kFirstRecord = 0x7150;
constexpr int kRecordSize = 13;
constexpr int kSequenceBytes = 12;
constexpr int kTypeByte = 12;
const QString kResetSequence = QStringLiteral("12345");

// DTMF digit codes: 0-9, A-D = 10-13, * = 14, # = 15; -1 for anything else.
int dtmfCode(QChar c)
{
    const char16_t u = c.toUpper().unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'D')
        return u - 'A' + 10;
    if (u == '*')
        return 14;
    if (u == '#')
        return 15;
    return -1;
}

QChar dtmfChar(int code)
{
    static const char kDigits[] = "0123456789ABCD*#";
    return QLatin1Char(kDigits[code & 0x0F]);
}

// 5-tone symbols: 0-9, A-F = 10-15, G = 17, R = 18; -1 for anything else.
int fiveToneCode(QChar c)
{
    const char16_t u = c.toUpper().unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u == 'G')
        return 17;
    if (u == 'R')
        return 18;
    return -1;
}

QChar fiveToneChar(int code)
{
    if (code < 10)
        return QLatin1Char(char('0' + code));
    if (code < 16)
        return QLatin1Char(char('A' + code - 10));
    return code == 17 ? QLatin1Char('G') : QLatin1Char('R');
}
}

int CEncodeSequenceData::recordOffset(int n)
{
    return (n >= 1 && n <= kCount) ? kFirstRecord + kRecordSize * (n - 1) : -1;
}

int CEncodeSequenceData::GetSequenceType(int n) const
{
    const int offset = recordOffset(n);
    return (offset >= 0 && byteAt(offset + kTypeByte) == kFiveTone) ? kFiveTone : kDtmf;
}

bool CEncodeSequenceData::SetSequenceType(int n, int type)
{
    const int offset = recordOffset(n);
    if (offset < 0 || (type != kDtmf && type != kFiveTone))
        return false;
    setByteAt(offset + kTypeByte, uint8_t(type));
    return true;
}

QString CEncodeSequenceData::GetDtmfSequence(int n) const
{
    const int offset = recordOffset(n);
    const uint8_t *bytes = offset >= 0 ? field(offset, kSequenceBytes) : nullptr;
    if (!bytes || bytes[0] > kMaxDtmfDigits)
        return QString();
    QString text;
    for (int k = 0; k < bytes[0]; ++k) {
        // Digit k sits at nibble position k + 2: low nibble for even positions.
        const int position = k + 2;
        const uint8_t byte = bytes[position / 2];
        text += dtmfChar(position % 2 == 0 ? byte & 0x0F : byte >> 4);
    }
    return text;
}

bool CEncodeSequenceData::SetDtmfSequence(int n, const QString &text)
{
    const int offset = recordOffset(n);
    uint8_t *bytes = offset >= 0 ? field(offset, kSequenceBytes) : nullptr;
    if (!bytes)
        return false;
    std::fill(bytes, bytes + kSequenceBytes, uint8_t(0xFF));
    int count = 0;
    for (; count < kMaxDtmfDigits && count < text.size(); ++count) {
        const int code = dtmfCode(text.at(count));
        if (code < 0)
            break;
        const int position = count + 2;
        uint8_t &byte = bytes[position / 2];
        byte = position % 2 == 0 ? uint8_t((byte & 0xF0) | code) : uint8_t((byte & 0x0F) | (code << 4));
    }
    bytes[0] = uint8_t(count);
    return true;
}

QString CEncodeSequenceData::GetFiveToneSequence(int n) const
{
    const int offset = recordOffset(n);
    const uint8_t *bytes = offset >= 0 ? field(offset, kSequenceBytes) : nullptr;
    QString text;
    for (int i = 0; bytes && i < kMaxFiveToneSymbols; ++i) {
        const int code = bytes[i];
        if (code > 18 || code == 16)
            break;
        text += fiveToneChar(code);
    }
    return text;
}

bool CEncodeSequenceData::SetFiveToneSequence(int n, const QString &text)
{
    const int offset = recordOffset(n);
    uint8_t *bytes = offset >= 0 ? field(offset, kSequenceBytes) : nullptr;
    if (!bytes)
        return false;
    std::fill(bytes, bytes + kSequenceBytes, uint8_t(0xFF));
    for (int i = 0; i < kMaxFiveToneSymbols && i < text.size(); ++i) {
        const int code = fiveToneCode(text.at(i));
        if (code < 0)
            break;
        bytes[i] = uint8_t(code);
    }
    return true;
}

QString CEncodeSequenceData::GetSequence(int n) const
{
    return GetSequenceType(n) == kFiveTone ? GetFiveToneSequence(n) : GetDtmfSequence(n);
}

bool CEncodeSequenceData::SetSequence(int n, const QString &text)
{
    return GetSequenceType(n) == kFiveTone ? SetFiveToneSequence(n, text) : SetDtmfSequence(n, text);
}

bool CEncodeSequenceData::ResetSequence(int n) { return SetSequence(n, kResetSequence); }

void CEncodeSequenceData::SetDefaults()
{
    for (int n = 1; n <= kCount; ++n) {
        SetSequenceType(n, kDtmf);
        SetDtmfSequence(n, kResetSequence);
    }
}
