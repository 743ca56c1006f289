#pragma once

#include "sections/SectionData.h"

#include <QList>
#include <QString>

// RX group lists: 16 records of 48 bytes, list g (1..16) at 0x6B48 + 48 * g.
// Members are contact numbers packed from slot 1; 0 marks a free slot.
// Getters refuse a list or slot outside 1..16 with their fallback; setters
// write nothing for them.
class CRxGroupData : public CSectionData
{
public:
    static constexpr int kListCount = 16;
    static constexpr int kMemberCount = 16;
    static constexpr int kRecordSize = 48;

    explicit CRxGroupData(CPcSoftwareDoc &doc);

    int recordOffset(int list) const;  // -1 outside 1..16
    static bool isValidList(int list) { return list >= 1 && list <= kListCount; }

    int GetMember(int list, int slot) const;  // contact 1..200, anything else 0
    void SetMember(int list, int slot, int contact);  // 0..200
    int GetMemberCount(int list) const;  // 1..16, anything else 0
    void SetMemberCount(int list, int count);  // 0..16

    // Members from slot 1 up to the first free slot.
    QList<int> GetMembers(int list) const;
    // Writes the members packed from slot 1, 0 in the slots after them, and
    // the member count; at most 16 are kept, numbers outside 1..200 dropped.
    void SetMembers(int list, const QList<int> &contacts);
    // Member count 0 and all 16 member slots 0: the state of a new list.
    void ClearMembers(int list);

    QString GetName(int list) const;
    void SetName(int list, const QString &name);

    // Consecutive named lists from list 1.
    int CountLists() const;
    // The highest list number with a name (0 when none).
    int LastNamedList() const;

    // Factory values: list 1 "Group 1" with contact 1 as its only member.
    void SetDefaults();

    void CopyRecord(int fromList, int toList);  // all 48 bytes
    void ClearRecord(int list);                 // 48 zero bytes

private:
    int fieldOffset(int list, int at) const;
};
