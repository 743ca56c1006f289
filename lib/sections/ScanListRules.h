#pragma once

#include "codeplug/Encodings.h"
#include "sections/EditResult.h"

#include <QList>
#include <QString>

class CPcSoftwareDoc;
class Prompter;

// The rules of the scan-list form: which channels it offers, moving
// channels in and out of a list, the three channel selectors and the
// look-back times.
class CScanListRules
{
public:
    static constexpr int kLookBackMin = 5;   // tenths of a second
    static constexpr int kLookBackMax = 50;

    explicit CScanListRules(CPcSoftwareDoc &doc) : m_doc(doc) {}

    // The channels a list can take: every channel of the used zones, in
    // zone and channel order, less the list's members.
    QList<ChannelRef> availableChannels(int list) const;
    // The members that name a channel, in slot order.
    QList<ChannelRef> members(int list) const;
    // The channels the priority and designated selectors offer: every named
    // channel of every zone slot.
    QList<ChannelRef> selectorChannels() const;

    // Appends channels after the members. More than 16 members in all is
    // refused with "IDS_PROMPT_CHANNELMEMBER" and changes nothing; channels
    // that do not exist or are members already are left out.
    EditResult moveIn(int list, const QList<ChannelRef> &channels, Prompter &prompter);
    // Drops the given members and packs the rest from slot 1.
    EditResult moveOut(int list, const QList<ChannelRef> &channels);

    // The name entry check: an empty text is refused silently, the name of
    // another list 1..list count with "IDS_EXIST_NAME". Writes nothing; the
    // caller stores the name when this returns true.
    bool acceptName(int list, const QString &text, Prompter &prompter) const;

    // A selector whose reference is unset shows nothing and stores (0, 0):
    // run when a list is shown. Returns whether a pair was unset.
    bool clearUnsetChannelPairs(int list);

private:
    CPcSoftwareDoc &m_doc;
};
