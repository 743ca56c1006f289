#include "sections/EmergencyRules.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/EmergencyData.h"

namespace {

// Digital replies need a digital part (modes 1 and 3), analog replies an
// analog part (modes 0 and 2); the lists leave out only the modes of the
// other kind.
bool listedFor(int mode, bool digital)
{
    return digital ? (mode != 0 && mode != 2) : (mode != 1 && mode != 3);
}

bool acceptedFor(int mode, bool digital)
{
    return digital ? (mode == 1 || mode == 3) : (mode == 0 || mode == 2);
}

}

QList<ChannelRef> CEmergencyRules::replyChannels(bool digital) const
{
    const CChannelData channels(m_doc);
    QList<ChannelRef> result;
    for (int zone = 1; zone <= channels.zoneSlotCount(); ++zone) {
        for (int channel = 1; channel <= CChannelData::kChannelsPerZone; ++channel) {
            if (channels.ChannelExists(zone, channel) && listedFor(channels.GetChannelMode(zone, channel), digital))
                result << ChannelRef{zone, channel};
        }
    }
    return result;
}

QList<ChannelRef> CEmergencyRules::digitalReplyChannels() const
{
    return replyChannels(true);
}

QList<ChannelRef> CEmergencyRules::analogReplyChannels() const
{
    return replyChannels(false);
}

bool CEmergencyRules::acceptedReply(const ChannelRef &ref, bool digital) const
{
    const CChannelData channels(m_doc);
    return ref.isSet() && channels.ChannelExists(ref.zone, ref.channel)
           && acceptedFor(channels.GetChannelMode(ref.zone, ref.channel), digital);
}

ChannelRef CEmergencyRules::acceptedDigitalReply() const
{
    const ChannelRef ref = CEmergencyData(m_doc).GetReplyChannelRef();
    return acceptedReply(ref, true) ? ref : ChannelRef{};
}

ChannelRef CEmergencyRules::acceptedAnalogReply() const
{
    const ChannelRef ref = CAnalogEmergencyData(m_doc).GetReplyChannelRef();
    return acceptedReply(ref, false) ? ref : ChannelRef{};
}

ChannelRef CEmergencyRules::checkDigitalReply()
{
    const ChannelRef ref = acceptedDigitalReply();
    if (!ref.isSet()) {
        CEmergencyData emergency(m_doc);
        emergency.SetReplyChannelSet(false);
        emergency.SetReplyChannelRef({});
    }
    return ref;
}

ChannelRef CEmergencyRules::checkAnalogReply()
{
    const ChannelRef ref = acceptedAnalogReply();
    if (!ref.isSet()) {
        CAnalogEmergencyData emergency(m_doc);
        emergency.SetDesignatedReplyChannel(false);
        emergency.SetReplyChannelRef({});
    }
    return ref;
}

bool CEmergencyRules::resetUnacceptedDigitalReply()
{
    const ChannelRef stored = CEmergencyData(m_doc).GetReplyChannelRef();
    if (!stored.isSet() || acceptedReply(stored, true))
        return false;
    checkDigitalReply();
    return true;
}

bool CEmergencyRules::resetUnacceptedAnalogReply()
{
    const ChannelRef stored = CAnalogEmergencyData(m_doc).GetReplyChannelRef();
    if (!stored.isSet() || acceptedReply(stored, false))
        return false;
    checkAnalogReply();
    return true;
}

CEmergencyRules::IdChoice CEmergencyRules::emergencyIdChoice() const
{
    const CContactData contacts(m_doc);
    const CBasicSettingData basic(m_doc);
    const qint32 radioId = basic.GetRadioIdValue();

    IdChoice choice;
    choice.storedId = CEmergencyData(m_doc).GetEmergencyCallId();
    // Only contacts in use are listed: a freed record reads as ID 0000000
    // and would otherwise be offered when the radio ID is 0.
    for (int contact = 1; contact <= CContactData::kContactCount; ++contact) {
        if (!contacts.GetName(contact).isEmpty()
            && CContactData::CallIdValue(contacts.GetCallId(contact)) >= radioId)
            choice.contacts << contact;
    }
    for (int contact : choice.contacts) {
        if (contacts.GetCallId(contact) == choice.storedId) {
            choice.selected = contact;
            return choice;
        }
    }
    if (choice.contacts.isEmpty() && basic.GetRadioId() == choice.storedId)
        choice.selected = 0;
    return choice;
}

CEmergencyRules::IdChoice CEmergencyRules::checkEmergencyId()
{
    IdChoice choice = emergencyIdChoice();
    if (choice.selected >= 0)
        return choice;
    choice.selected = choice.contacts.isEmpty() ? 0 : choice.contacts.first();
    chooseEmergencyId(choice.selected);
    choice.storedId = CEmergencyData(m_doc).GetEmergencyCallId();
    return choice;
}

void CEmergencyRules::chooseEmergencyId(int contact)
{
    if (contact != 0 && !CContactData::isValidContact(contact))
        return;
    const QString id = contact == 0 ? CBasicSettingData(m_doc).GetRadioId() : CContactData(m_doc).GetCallId(contact);
    CEmergencyData(m_doc).SetEmergencyCallId(id);
}
