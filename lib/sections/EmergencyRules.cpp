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

ChannelRef CEmergencyRules::checkDigitalReply()
{
    CEmergencyData emergency(m_doc);
    const CChannelData channels(m_doc);
    const ChannelRef ref = emergency.GetReplyChannelRef();
    if (ref.isSet() && channels.ChannelExists(ref.zone, ref.channel)
        && acceptedFor(channels.GetChannelMode(ref.zone, ref.channel), true))
        return ref;
    emergency.SetReplyChannelSet(false);
    emergency.SetReplyChannelRef({});
    return {};
}

ChannelRef CEmergencyRules::checkAnalogReply()
{
    CAnalogEmergencyData emergency(m_doc);
    const CChannelData channels(m_doc);
    const ChannelRef ref = emergency.GetReplyChannelRef();
    if (ref.isSet() && channels.ChannelExists(ref.zone, ref.channel)
        && acceptedFor(channels.GetChannelMode(ref.zone, ref.channel), false))
        return ref;
    emergency.SetDesignatedReplyChannel(false);
    emergency.SetReplyChannelRef({});
    return {};
}

CEmergencyRules::IdChoice CEmergencyRules::checkEmergencyId()
{
    const CContactData contacts(m_doc);
    const CBasicSettingData basic(m_doc);
    CEmergencyData emergency(m_doc);
    const qint32 radioId = basic.GetRadioIdValue();
    const QString stored = emergency.GetEmergencyCallId();

    IdChoice choice;
    // Only contacts in use are listed: a freed record reads as ID 0000000
    // and would otherwise be offered when the radio ID is 0.
    for (int contact = 1; contact <= CContactData::kContactCount; ++contact) {
        if (!contacts.GetName(contact).isEmpty()
            && CContactData::CallIdValue(contacts.GetCallId(contact)) >= radioId)
            choice.contacts << contact;
    }
    for (int contact : choice.contacts) {
        if (contacts.GetCallId(contact) == stored) {
            choice.selected = contact;
            choice.storedId = stored;
            return choice;
        }
    }
    const QString id = choice.contacts.isEmpty() ? basic.GetRadioId() : contacts.GetCallId(choice.contacts.first());
    choice.selected = choice.contacts.isEmpty() ? 0 : choice.contacts.first();
    emergency.SetEmergencyCallId(id);
    choice.storedId = emergency.GetEmergencyCallId();
    return choice;
}

void CEmergencyRules::chooseEmergencyContact(const QString &name)
{
    const CContactData contacts(m_doc);
    for (int contact = 1; contact <= CContactData::kContactCount; ++contact) {
        if (!name.isEmpty() && contacts.GetName(contact) == name) {
            CEmergencyData(m_doc).SetEmergencyCallId(contacts.GetCallId(contact));
            return;
        }
    }
    CEmergencyData(m_doc).SetEmergencyCallId(QStringLiteral("0000000"));
}
