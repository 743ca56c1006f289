#include "sections/RxGroupData.h"

#include <cstring>

namespace {
constexpr int kBase = 0x6B48;
constexpr int kMembers = 0;
constexpr int kMemberCountAt = 16;
constexpr int kName = 17;
constexpr int kNameBytes = NameField::kNameUnits * 2;
constexpr int kContactBound = 200;

bool isContactNumber(int n) { return n >= 1 && n <= kContactBound; }
}  // namespace

CRxGroupData::CRxGroupData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

int CRxGroupData::recordOffset(int list) const
{
    return isValidList(list) ? kBase + kRecordSize * list : -1;
}

int CRxGroupData::fieldOffset(int list, int at) const
{
    const int record = recordOffset(list);
    return record < 0 ? -1 : record + at;
}

int CRxGroupData::GetMember(int list, int slot) const
{
    if (slot < 1 || slot > kMemberCount)
        return 0;
    const int at = fieldOffset(list, kMembers + slot - 1);
    const int stored = at < 0 ? 0 : byteAt(at);
    return isContactNumber(stored) ? stored : 0;
}

void CRxGroupData::SetMember(int list, int slot, int contact)
{
    if (slot < 1 || slot > kMemberCount || contact < 0 || contact > kContactBound)
        return;
    const int at = fieldOffset(list, kMembers + slot - 1);
    if (at >= 0)
        setByteAt(at, uint8_t(contact));
}

int CRxGroupData::GetMemberCount(int list) const
{
    const int at = fieldOffset(list, kMemberCountAt);
    const int stored = at < 0 ? 0 : byteAt(at);
    return (stored >= 1 && stored <= kMemberCount) ? stored : 0;
}

void CRxGroupData::SetMemberCount(int list, int count)
{
    const int at = fieldOffset(list, kMemberCountAt);
    if (at >= 0 && count >= 0 && count <= kMemberCount)
        setByteAt(at, uint8_t(count));
}

QList<int> CRxGroupData::GetMembers(int list) const
{
    QList<int> members;
    for (int slot = 1; slot <= kMemberCount; ++slot) {
        const int contact = GetMember(list, slot);
        if (contact == 0)
            break;
        members << contact;
    }
    return members;
}

void CRxGroupData::SetMembers(int list, const QList<int> &contacts)
{
    if (!isValidList(list))
        return;
    int slot = 1;
    for (int contact : contacts) {
        if (slot > kMemberCount)
            break;
        if (isContactNumber(contact))
            SetMember(list, slot++, contact);
    }
    SetMemberCount(list, slot - 1);
    for (; slot <= kMemberCount; ++slot)
        SetMember(list, slot, 0);
}

void CRxGroupData::ClearMembers(int list)
{
    SetMembers(list, {});
}

QString CRxGroupData::GetName(int list) const
{
    const int at = fieldOffset(list, kName);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes);
    return bytes ? NameField::toText(bytes, NameField::kNameUnits) : QString();
}

void CRxGroupData::SetName(int list, const QString &name)
{
    const int at = fieldOffset(list, kName);
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes))
        NameField::fromText(name, bytes, NameField::kNameUnits);
}

int CRxGroupData::CountLists() const
{
    int count = 0;
    while (count < kListCount && !GetName(count + 1).isEmpty())
        ++count;
    return count;
}

int CRxGroupData::LastNamedList() const
{
    for (int list = kListCount; list >= 1; --list) {
        if (!GetName(list).isEmpty())
            return list;
    }
    return 0;
}

void CRxGroupData::SetDefaults()
{
    SetName(1, QStringLiteral("Group 1"));
    SetMember(1, 1, 1);
    SetMemberCount(1, 1);
}

void CRxGroupData::CopyRecord(int fromList, int toList)
{
    const uint8_t *from = recordOffset(fromList) < 0 ? nullptr : field(recordOffset(fromList), kRecordSize);
    uint8_t *to = recordOffset(toList) < 0 ? nullptr : field(recordOffset(toList), kRecordSize);
    if (from && to)
        std::memmove(to, from, kRecordSize);
}

void CRxGroupData::ClearRecord(int list)
{
    const int record = recordOffset(list);
    if (uint8_t *bytes = record < 0 ? nullptr : field(record, kRecordSize))
        std::memset(bytes, 0x00, kRecordSize);
}
