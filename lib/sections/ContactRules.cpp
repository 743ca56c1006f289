#include "sections/ContactRules.h"

#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ListRules.h"
#include "sections/RxGroupRules.h"

#include <QList>
#include <QSet>
#include <QStringList>
#include <functional>

namespace {

constexpr int kContacts = CContactData::kContactCount;
const QString kAllCall = QStringLiteral("*******");

QString sevenDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, CContactData::kCallIdLength, 10, QLatin1Char('0'));
}

}

int CContactRules::count() const
{
    return CContactData(m_doc).CountContacts();
}

QList<int> CContactRules::usedContacts() const
{
    const CContactData contacts(m_doc);
    QList<int> used;
    for (int contact = 1; contact <= kContacts; ++contact) {
        if (contacts.GetNumber(contact) != 0)
            used << contact;
    }
    return used;
}

bool CContactRules::compactIfGapped()
{
    if (usedContacts().size() == count())
        return false;
    compact();
    return true;
}

int CContactRules::compact()
{
    CContactData contacts(m_doc);
    // newNumber[i] is where contact i ends up, 0 when it is not in use.
    QList<int> newNumber(kContacts + 1, 0);
    int kept = 0;
    for (int contact = 1; contact <= kContacts; ++contact) {
        if (contacts.GetNumber(contact) == 0)
            continue;
        ++kept;
        newNumber[contact] = kept;
        if (kept != contact)
            moveContact(contact, kept);
        contacts.SetNumber(kept, kept);
    }
    for (int contact = kept + 1; contact <= kContacts; ++contact)
        contacts.ClearContact(contact);

    // A gap moved the contacts after it: the references move with them, or
    // they would name other contacts.
    bool gap = false;
    for (int contact = 1; contact <= kContacts; ++contact)
        gap = gap || (newNumber[contact] != 0 && newNumber[contact] != contact);
    if (gap)
        followContactRefs([&newNumber](int ref) { return ref >= 1 && ref <= kContacts ? newNumber[ref] : 0; });
    return kept;
}

QString CContactRules::newContactName() const
{
    return newContactNames(1).value(0);
}

std::optional<QString> CContactRules::newContactId() const
{
    const QStringList ids = newContactIds(1);
    return ids.isEmpty() ? std::nullopt : std::optional<QString>(ids.first());
}

QStringList CContactRules::newContactNames(int n) const
{
    const CContactData contacts(m_doc);
    const int used = count();
    QSet<QString> taken;
    for (int contact = 1; contact <= used; ++contact)
        taken.insert(contacts.GetName(contact));
    QStringList names;
    for (int k = 1; k <= kContacts && names.size() < n; ++k) {
        const QString candidate = QStringLiteral("Contact %1").arg(k);
        if (!taken.contains(candidate))
            names << candidate;
    }
    while (names.size() < n)
        names << QStringLiteral("Contact %1").arg(kContacts + 1);
    return names;
}

QStringList CContactRules::newContactIds(int n) const
{
    const CContactData contacts(m_doc);
    const int used = count();
    // Read once: a list that grows one contact at a time asks for every addition.
    QSet<QString> taken;
    for (int contact = 1; contact <= used; ++contact)
        taken.insert(contacts.GetCallId(contact));

    QStringList ids;
    const CBasicSettingData basic(m_doc);
    const QString startText = basic.GetGroupCallStartId();
    if (startText == QLatin1String("9999999")) {
        if (n > 0 && !taken.contains(startText))
            ids << startText;
        return ids;
    }
    const qint64 start = basic.GetGroupCallStartIdValue();
    for (int k = 1; k <= kContacts && ids.size() < n; ++k) {
        qint64 candidate = start + k;
        if (CContactData::IsReservedCallId(sevenDigits(candidate)))
            ++candidate;
        // An eighth digit would not fit the call ID field.
        if (candidate > kMaxCallId)
            break;
        const QString id = sevenDigits(candidate);
        if (!taken.contains(id)) {
            taken.insert(id);
            ids << id;
        }
    }
    return ids;
}

EditResult CContactRules::abandonAddition(int used, Prompter &prompter)
{
    // The record after the last contact is freed (number and name); no
    // contact moves.
    CContactData contacts(m_doc);
    contacts.SetNumber(used + 1, 0);
    contacts.SetName(used + 1, QString());
    ListRules::tellError(prompter, "IDS_EXIST_STARTID");
    return EditResult::refused(Refusal::Rejected);
}

EditResult CContactRules::add(Prompter &prompter)
{
    return add(1, prompter);
}

EditResult CContactRules::add(int n, Prompter &prompter)
{
    const int used = count();
    if (used + n > kContacts)
        return EditResult::refused(Refusal::ListFull);
    const QStringList ids = newContactIds(n);
    const QStringList names = newContactNames(int(ids.size()));
    CContactData contacts(m_doc);
    for (int i = 0; i < ids.size(); ++i) {
        const int contact = used + 1 + i;
        contacts.SetNumber(contact, contact);
        contacts.SetName(contact, names[i]);
        contacts.SetCallId(contact, ids[i]);
    }
    if (ids.size() < n)
        return abandonAddition(used + int(ids.size()), prompter);
    return EditResult::showRecord(used + n);
}

EditResult CContactRules::insert(int row, Prompter &prompter)
{
    const int used = count();
    if (row < 1 || row > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used >= kContacts)
        return EditResult::refused(Refusal::ListFull);
    const std::optional<QString> id = newContactId();
    if (!id)
        return abandonAddition(used, prompter);
    const QString name = newContactName();

    CContactData contacts(m_doc);
    for (int contact = used; contact >= row; --contact)
        moveContact(contact, contact + 1);
    contacts.SetName(row, name);
    contacts.SetCallId(row, *id);
    for (int contact = 1; contact <= used + 1; ++contact)
        contacts.SetNumber(contact, contact);

    followContactRefs([row](int ref) { return ListRules::afterInsertion(ref, row, kContacts); });
    return EditResult::showRecord(row);
}

EditResult CContactRules::remove(int row)
{
    const int used = count();
    if (row < 1 || row > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used < 2)
        return EditResult::refused(Refusal::OnlyRecord);

    CContactData contacts(m_doc);
    for (int contact = row; contact < used; ++contact)
        moveContact(contact + 1, contact);
    for (int contact = 1; contact < used; ++contact)
        contacts.SetNumber(contact, contact);
    contacts.ClearContact(used);

    followContactRefs([row](int ref) { return ListRules::afterRemoval(ref, row); });
    return EditResult::showRecord(used - 1);
}

void CContactRules::moveContact(int from, int to)
{
    const CContactData contacts(m_doc);
    ListRules::moveNumberedRecord(m_doc, contacts.recordOffset(from), contacts.recordOffset(to));
}

// The default contact of every channel record of every zone slot follows,
// used or not, as do the members of every RX group list.
void CContactRules::followContactRefs(const std::function<int(int)> &map)
{
    CChannelData channels(m_doc);
    for (int zone = 1; zone <= channels.zoneSlotCount(); ++zone) {
        for (int channel = 1; channel <= CChannelData::kChannelsPerZone; ++channel) {
            const int ref = channels.GetContact(zone, channel);
            const int after = map(ref);
            if (after != ref)
                channels.SetContact(zone, channel, after);
        }
    }
    CRxGroupRules(m_doc).renumberMembers(map);
}

bool CContactRules::enterName(int row, const QString &text, Prompter &prompter)
{
    CContactData contacts(m_doc);
    const int used = count();
    if (row < 1 || row > used)
        return false;
    if (text == contacts.GetName(row))
        return true;
    QStringList others;
    for (int contact = 1; contact <= used; ++contact) {
        if (contact != row)
            others << contacts.GetName(contact);
    }
    if (!ListRules::acceptName(text, others, prompter))
        return false;
    contacts.SetName(row, text);
    return true;
}

bool CContactRules::enterCallId(int row, const QString &text, Prompter &prompter)
{
    CContactData contacts(m_doc);
    const int used = count();
    if (row < 1 || row > used)
        return false;
    // The in-place editor takes at most seven digits or "*".
    QString typed = text.trimmed();
    if (typed.size() > CContactData::kCallIdLength)
        return false;
    for (QChar c : typed) {
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('*'))
            return false;
    }
    if (CContactData::CallIdValue(typed) == 0 && typed != kAllCall)
        typed = QStringLiteral("1");

    const QString old = contacts.GetCallId(row);
    contacts.SetCallId(row, typed);
    const QString now = contacts.GetCallId(row);
    if (CContactData::IsReservedCallId(now)) {
        contacts.SetCallId(row, old);
        return false;
    }
    if (contactWithCallId(now, row) != 0) {
        contacts.SetCallId(row, old);
        ListRules::tellError(prompter, "IDS_EXIST_CALLID");
        return false;
    }
    const qint32 startId = CBasicSettingData(m_doc).GetGroupCallStartIdValue();
    const bool wasGroup = CContactData::CallIdValue(old) >= startId;
    const bool isGroup = CContactData::CallIdValue(now) >= startId;
    if (wasGroup != isGroup)
        CRxGroupRules(m_doc).removeContactEverywhere(row);
    return true;
}

int CContactRules::contactWithCallId(const QString &callId, int except) const
{
    const CContactData contacts(m_doc);
    const int used = count();
    for (int contact = 1; contact <= used; ++contact) {
        if (contact != except && contacts.GetCallId(contact) == callId)
            return contact;
    }
    return 0;
}

int CContactRules::contactType(int row) const
{
    return CContactData(m_doc).GetContactType(row, CBasicSettingData(m_doc).GetGroupCallStartIdValue());
}
