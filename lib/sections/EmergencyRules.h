#pragma once

#include "codeplug/Encodings.h"

#include <QList>
#include <QString>

class CPcSoftwareDoc;

// Which channels the two emergency forms offer as reply channel, which
// contacts the digital form offers as emergency ID, and what is reset when
// a stored choice is no longer offered.
//
// The const queries only read, so a form can redraw from them at any time;
// the check operations also write the reset or fallback, and a form runs
// them as an edit when it is opened.
class CEmergencyRules
{
public:
    explicit CEmergencyRules(CPcSoftwareDoc &doc) : m_doc(doc) {}

    // Digital: named channels whose mode is neither 0 nor 2, zones
    // 1..zone-slot count, channels 1..16.
    QList<ChannelRef> digitalReplyChannels() const;
    // Analog: named channels whose mode is neither 1 nor 3.
    QList<ChannelRef> analogReplyChannels() const;

    // The stored digital reply channel when it is a named channel of mode 1
    // or 3, else (0, 0).
    ChannelRef acceptedDigitalReply() const;
    // The stored analog reply channel when it is a named channel of mode 0
    // or 2, else (0, 0).
    ChannelRef acceptedAnalogReply() const;
    // As above; when the stored channel is not accepted, the reply flag
    // (digital) or the designated-reply flag (analog) is switched off and
    // zone and channel are reset to 0.
    ChannelRef checkDigitalReply();
    ChannelRef checkAnalogReply();
    // While a form is open, after a change elsewhere: a stored reply channel
    // that is no longer acceptable (its mode changed, it was deleted) is
    // reset as above. A flag whose channel is not chosen yet stays: the user
    // is about to choose one. True when something was reset.
    bool resetUnacceptedDigitalReply();
    bool resetUnacceptedAnalogReply();

    struct IdChoice
    {
        QList<int> contacts;   // the contacts listed, by number; empty: the radio ID stands alone
        int selected = -1;     // the contact selected; 0 the radio ID entry; -1 nothing
        QString storedId;      // the emergency call ID stored (afterwards, for checkEmergencyId)
    };
    // Lists the named contacts whose call ID is not below the radio's own ID
    // and selects the one with the stored emergency ID.
    IdChoice emergencyIdChoice() const;
    // The same, and when none has the stored ID the first listed contact's
    // ID is stored, with no contact listed the radio's own ID.
    IdChoice checkEmergencyId();
    // Stores the call ID of a listed contact; 0 stores the radio's own ID
    // (the entry shown when no contact is listed).
    void chooseEmergencyId(int contact);

private:
    QList<ChannelRef> replyChannels(bool digital) const;
    bool acceptedReply(const ChannelRef &ref, bool digital) const;

    CPcSoftwareDoc &m_doc;
};
