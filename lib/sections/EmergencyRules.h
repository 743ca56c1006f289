#pragma once

#include "codeplug/Encodings.h"

#include <QList>
#include <QString>

class CPcSoftwareDoc;

// Which channels the two emergency forms offer as reply channel, which
// contacts the digital form offers as emergency ID, and what is reset when
// a stored choice is no longer offered.
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
    // or 3; otherwise the flag, zone and channel are reset to 0 and (0, 0)
    // is returned.
    ChannelRef checkDigitalReply();
    // The stored analog reply channel when it is a named channel of mode 0
    // or 2; otherwise the designated-reply flag is switched off and zone and
    // channel are reset to 0.
    ChannelRef checkAnalogReply();

    struct IdChoice
    {
        QList<int> contacts;   // the contacts listed, by number
        int selected = 0;      // the contact selected, 0 when the radio ID stands alone
        QString storedId;      // the emergency call ID stored afterwards
    };
    // Lists the named contacts whose call ID is not below the radio's own ID
    // and selects the one with the stored emergency ID; when none has it the
    // first listed contact's ID is stored, and with no contact listed the
    // radio's own ID.
    IdChoice checkEmergencyId();
    // Stores the call ID of the first contact with that name, or 0000000.
    void chooseEmergencyContact(const QString &name);

private:
    QList<ChannelRef> replyChannels(bool digital) const;

    CPcSoftwareDoc &m_doc;
};
