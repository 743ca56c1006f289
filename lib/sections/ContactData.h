#pragma once

#include "sections/SectionData.h"

#include <QString>

// Contacts: 200 records of 40 bytes, contact i (1..200) at 0x4C10 + 40 * i.
// Getters refuse a contact outside 1..200 with their fallback; setters write
// nothing for them.
class CContactData : public CSectionData
{
public:
    static constexpr int kContactCount = 200;
    static constexpr int kRecordSize = 40;
    static constexpr int kCallIdLength = 7;

    explicit CContactData(CPcSoftwareDoc &doc);

    int recordOffset(int contact) const;  // -1 outside 1..200
    static bool isValidContact(int contact) { return contact >= 1 && contact <= kContactCount; }

    // +0: the record's own number when the contact exists, else 0.
    int GetNumber(int contact) const;  // 1..200, anything else 0
    void SetNumber(int contact, int number);  // 0..200

    // +1: 7-digit call ID; "*" is the wildcard digit.
    QString GetCallId(int contact) const;
    void SetCallId(int contact, const QString &text);

    QString GetName(int contact) const;
    void SetName(int contact, const QString &name);

    // Consecutive contacts with a number from contact 1.
    int CountContacts() const;

    // Frees a record as the list does: number 0, empty name, call ID from
    // an empty text (0000000). The unused tail of the record is kept.
    void ClearContact(int contact);

    // Factory values: contact 1 "Contact 1" with call ID 1000001.
    void SetDefaults();

    // A call ID read as the number of its leading digits ("12*4567" is 12,
    // an ID that begins with "*" is 0).
    static qint32 CallIdValue(const QString &callId);
    // Type 2 for "*******", 1 below the group-call start ID, 0 at or above.
    static int ContactTypeFor(const QString &callId, qint32 startId);
    int GetContactType(int contact, qint32 startId) const;
    // "1000000", "2000000", ... "9000000" are never given to a contact.
    static bool IsReservedCallId(const QString &callId);

private:
    int fieldOffset(int contact, int at) const;
};
