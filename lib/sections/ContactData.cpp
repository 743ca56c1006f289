#include "sections/ContactData.h"

namespace {
constexpr int kBase = 0x4C10;
constexpr int kNumber = 0;
constexpr int kCallId = 1;
constexpr int kName = 5;
constexpr int kCallIdBytes = 4;
constexpr int kNameBytes = NameField::kNameUnits * 2;
}  // namespace

CContactData::CContactData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

int CContactData::recordOffset(int contact) const
{
    return isValidContact(contact) ? kBase + kRecordSize * contact : -1;
}

int CContactData::fieldOffset(int contact, int at) const
{
    const int record = recordOffset(contact);
    return record < 0 ? -1 : record + at;
}

int CContactData::GetNumber(int contact) const
{
    const int at = fieldOffset(contact, kNumber);
    const int stored = at < 0 ? 0 : byteAt(at);
    return isValidContact(stored) ? stored : 0;
}

void CContactData::SetNumber(int contact, int number)
{
    const int at = fieldOffset(contact, kNumber);
    if (at >= 0 && number >= 0 && number <= kContactCount)
        setByteAt(at, uint8_t(number));
}

QString CContactData::GetCallId(int contact) const
{
    const int at = fieldOffset(contact, kCallId);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kCallIdBytes);
    return bytes ? CallIdBcd::toText(bytes, true) : QString();
}

void CContactData::SetCallId(int contact, const QString &text)
{
    const int at = fieldOffset(contact, kCallId);
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kCallIdBytes))
        CallIdBcd::fromText(text, bytes, true);
}

QString CContactData::GetName(int contact) const
{
    const int at = fieldOffset(contact, kName);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes);
    return bytes ? NameField::toText(bytes, NameField::kNameUnits) : QString();
}

void CContactData::SetName(int contact, const QString &name)
{
    const int at = fieldOffset(contact, kName);
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes))
        NameField::fromText(name, bytes, NameField::kNameUnits);
}

int CContactData::CountContacts() const
{
    int count = 0;
    while (count < kContactCount && GetNumber(count + 1) != 0)
        ++count;
    return count;
}

void CContactData::ClearContact(int contact)
{
    if (!isValidContact(contact))
        return;
    SetNumber(contact, 0);
    SetName(contact, QString());
    SetCallId(contact, QString());
}

void CContactData::SetDefaults()
{
    SetNumber(1, 1);
    SetCallId(1, QStringLiteral("1000001"));
    SetName(1, QStringLiteral("Contact 1"));
}

qint32 CContactData::CallIdValue(const QString &callId)
{
    qint32 value = 0;
    for (int i = 0; i < callId.size() && i < kCallIdLength; ++i) {
        const QChar c = callId.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

int CContactData::ContactTypeFor(const QString &callId, qint32 startId)
{
    if (callId == QString(kCallIdLength, QLatin1Char('*')))
        return 2;
    return CallIdValue(callId) < startId ? 1 : 0;
}

int CContactData::GetContactType(int contact, qint32 startId) const
{
    return ContactTypeFor(GetCallId(contact), startId);
}

bool CContactData::IsReservedCallId(const QString &callId)
{
    if (callId.size() != kCallIdLength)
        return false;
    const QChar first = callId.at(0);
    return first >= QLatin1Char('1') && first <= QLatin1Char('9')
           && callId.mid(1) == QString(kCallIdLength - 1, QLatin1Char('0'));
}
