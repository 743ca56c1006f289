#pragma once

#include "sections/EditResult.h"

#include <QList>
#include <QString>
#include <functional>

class CPcSoftwareDoc;
class Prompter;

// The rules of the RX group form, and the member renumbering that the
// contact list needs. Only group contacts (call ID at or above the
// group-call start ID) are offered and shown as members.
class CRxGroupRules
{
public:
    explicit CRxGroupRules(CPcSoftwareDoc &doc) : m_doc(doc) {}

    bool isGroupContact(int contact) const;
    // Group contacts from contact 1 up to the first unnamed one, less the
    // contacts shown as members of the list.
    QList<int> availableContacts(int list) const;
    // The members (slots 1..member count) that are group contacts.
    QList<int> shownMembers(int list) const;
    // The members the form does not show (individual contacts, numbers past
    // the named contacts). They still take slots towards the 16.
    QList<int> hiddenMembers(int list) const;

    // Appends contacts after the members. More than 16 members in all is
    // refused with "IDS_PROMPT_GROUPLISTMEMBER"; contacts that are not
    // group contacts or are members already are left out.
    EditResult moveIn(int list, const QList<int> &contacts, Prompter &prompter);
    // Drops the given members and packs the rest. When the list is left
    // without members, channels that used it use none.
    EditResult moveOut(int list, const QList<int> &contacts);
    // Drops the hidden members and packs the rest, as moveOut does; returns
    // how many were dropped.
    int removeHiddenMembers(int list);

    // Name entry: empty refused silently, a name of another list refused
    // with "IDS_EXIST_NAME".
    bool enterName(int list, const QString &text, Prompter &prompter);

    // Rewrites the members of every list through map (a result of 0 drops
    // the member), packing each list and lowering its member count. A list
    // left without members releases the channels that used it.
    void renumberMembers(const std::function<int(int)> &map);
    void removeContactEverywhere(int contact);
    // Channels (every zone slot, channels 1..16) that use the list use none:
    // run whenever a list is left without members.
    void releaseChannels(int list);

private:
    CPcSoftwareDoc &m_doc;
};
