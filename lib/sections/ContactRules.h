#pragma once

#include "sections/EditResult.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class CPcSoftwareDoc;
class Prompter;

// The rules of the contact list: compaction, adding, inserting and deleting
// with every reference following (the channels' default contacts and the
// RX group members), the call-ID entry and the ID of a new contact.
class CContactRules
{
public:
    static constexpr int kMaxCallId = 9999999;

    explicit CContactRules(CPcSoftwareDoc &doc) : m_doc(doc) {}

    int count() const;
    // The records in use (number byte set), in order. Beyond count() only
    // when the list has gaps, as a file or an undone compaction may leave it.
    QList<int> usedContacts() const;
    // Closes the gaps (compact) unless there are none; true when it did.
    bool compactIfGapped();

    // Moves the contacts in use (number byte set) to 1..k in their order and
    // frees the records after them. When a gap was closed, references follow
    // the moved contacts and those to a freed record become none. Returns k.
    int compact();

    // The first "Contact %d" no contact has.
    QString newContactName() const;
    // The ID of a new contact: the first free ID above the group-call start
    // ID that is neither reserved nor longer than seven digits ("9999999"
    // itself when that is the start ID). None when every candidate is taken.
    std::optional<QString> newContactId() const;

    // Add and insert are refused with "IDS_EXIST_STARTID" when no ID is
    // free; the result names the row to focus.
    EditResult add(Prompter &prompter);
    // n contacts at once, as n additions would add them; refused with
    // ListFull when they do not fit.
    EditResult add(int n, Prompter &prompter);
    EditResult insert(int row, Prompter &prompter);
    EditResult remove(int row);

    // Name entry: empty refused silently, a name of another contact refused
    // with "IDS_EXIST_NAME".
    bool enterName(int row, const QString &text, Prompter &prompter);
    // Call-ID entry: a text that reads as 0 (other than "*******") stores
    // 0000001; a reserved ID restores the old one silently, a duplicate with
    // "IDS_EXIST_CALLID". A contact whose ID crosses the group-call start ID
    // leaves every RX group list. Returns whether the new ID was kept.
    bool enterCallId(int row, const QString &text, Prompter &prompter);

    // The contact 1..count other than `except` whose stored call ID is
    // callId, or 0: call IDs are unique within the list.
    int contactWithCallId(const QString &callId, int except) const;

    // Type 0 group, 1 individual, 2 all call ("*******").
    int contactType(int row) const;

private:
    // The first n free names and IDs (fewer IDs when no more are free).
    QStringList newContactNames(int n) const;
    QStringList newContactIds(int n) const;
    EditResult abandonAddition(int count, Prompter &prompter);
    void moveContact(int from, int to);
    void followContactRefs(const std::function<int(int)> &map);

    CPcSoftwareDoc &m_doc;
};
