#include "sections/EncryptData.h"

namespace {
constexpr int kBase = 0x6E50;
constexpr int kNumber = 0;
constexpr int kKey = 1;
constexpr int kName = 5;
constexpr int kKeyBytes = CEncryptData::kKeyLength / 2;
constexpr int kNameBytes = NameField::kNameUnits * 2;
}  // namespace

CEncryptData::CEncryptData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

int CEncryptData::recordOffset(int entry) const
{
    return isValidEntry(entry) ? kBase + kRecordSize * entry : -1;
}

int CEncryptData::fieldOffset(int entry, int at) const
{
    const int record = recordOffset(entry);
    return record < 0 ? -1 : record + at;
}

int CEncryptData::GetNumber(int entry) const
{
    const int at = fieldOffset(entry, kNumber);
    const int stored = at < 0 ? 0 : byteAt(at);
    return isValidEntry(stored) ? stored : 0;
}

void CEncryptData::SetNumber(int entry, int number)
{
    const int at = fieldOffset(entry, kNumber);
    if (at >= 0 && number >= 0 && number <= kEntryCount)
        setByteAt(at, uint8_t(number));
}

QString CEncryptData::GetKey(int entry) const
{
    const int at = fieldOffset(entry, kKey);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kKeyBytes);
    if (!bytes)
        return QString();
    QString key;
    for (int k = 0; k < kKeyLength; ++k) {
        const int nibble = (k % 2 == 0) ? bytes[k / 2] >> 4 : bytes[k / 2] & 0x0F;
        key += QLatin1Char(char('0' + (nibble <= 9 ? nibble : 0)));
    }
    return key;
}

void CEncryptData::SetKey(int entry, const QString &text)
{
    const int at = fieldOffset(entry, kKey);
    uint8_t *bytes = at < 0 ? nullptr : field(at, kKeyBytes);
    if (!bytes)
        return;
    QString key = text;
    if (key == QString(kKeyLength, QLatin1Char('0')))
        key = QLatin1String(kDefaultKey);
    // Only eight digits fit; a longer text keeps its first eight.
    key = key.left(kKeyLength).rightJustified(kKeyLength, QLatin1Char('0'));
    for (int k = 0; k < kKeyLength; ++k) {
        const QChar c = key.at(k);
        const uint8_t digit = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? uint8_t(c.unicode() - '0') : 0;
        uint8_t &byte = bytes[k / 2];
        byte = (k % 2 == 0) ? uint8_t((byte & 0x0F) | (digit << 4)) : uint8_t((byte & 0xF0) | digit);
    }
}

QString CEncryptData::GetName(int entry) const
{
    const int at = fieldOffset(entry, kName);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes);
    return bytes ? NameField::toText(bytes, NameField::kNameUnits) : QString();
}

void CEncryptData::SetName(int entry, const QString &name)
{
    const int at = fieldOffset(entry, kName);
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes))
        NameField::fromText(name, bytes, NameField::kNameUnits);
}

int CEncryptData::CountEntries() const
{
    for (int entry = kEntryCount; entry >= 1; --entry) {
        if (!GetName(entry).isEmpty())
            return entry;
    }
    return 0;
}

void CEncryptData::ClearEntry(int entry)
{
    if (!isValidEntry(entry))
        return;
    SetNumber(entry, 0);
    SetName(entry, QString());
    SetKey(entry, QString());
}

void CEncryptData::SetDefaults()
{
    SetNumber(1, 1);
    SetKey(1, QLatin1String(kDefaultKey));
    SetName(1, QStringLiteral("Encrypt 1"));
}
