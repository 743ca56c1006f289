#include "fields/CrossFieldRules.h"

#include "sections/BasicSettingData.h"
#include "sections/ChannelRules.h"
#include "sections/ContactData.h"
#include "sections/DecodeSequenceData.h"
#include "sections/EncodeSequenceData.h"
#include "sections/IdEntryRules.h"

namespace CrossFieldRules {

void changeMode(CPcSoftwareDoc &doc, int zone, int channel, int mode)
{
    CChannelRules(doc).setMode(zone, channel, mode);
}

QString enterFrequency(CPcSoftwareDoc &doc, int zone, int channel, bool transmit, const QString &text)
{
    return CChannelRules(doc).enterFrequency(zone, channel, transmit ? CChannelData::Direction::Transmit : CChannelData::Direction::Receive,
                                             text);
}

int bandwidthFor(CPcSoftwareDoc &doc, int zone, int channel)
{
    return CChannelRules::bandwidthForMode(CChannelData(doc).GetChannelMode(zone, channel));
}

bool changeSequenceType(CPcSoftwareDoc &doc, int n, int type)
{
    CEncodeSequenceData data(doc);
    if (data.GetSequenceType(n) == type)
        return true;
    return data.SetSequenceType(n, type) && data.ResetSequence(n);
}

bool changeRxSignaling(CPcSoftwareDoc &doc, int n, int signaling)
{
    CDecodeSequenceData data(doc);
    if (data.GetRxSignaling(n) == signaling)
        return true;
    return data.SetRxSignaling(n, signaling) && data.ResetSequence(n);
}

StartIdChange enterStartId(CPcSoftwareDoc &doc, const QString &text)
{
    const CContactData contacts(doc);
    const qint32 before = CBasicSettingData(doc).GetGroupCallStartIdValue();
    StartIdChange change;
    change.accepted = IdEntryRules::enterStartId(doc, text);
    const qint32 after = CBasicSettingData(doc).GetGroupCallStartIdValue();
    if (!change.accepted || before == after)
        return change;
    for (int contact = 1; contact <= CContactData::kContactCount; ++contact) {
        if (contacts.GetNumber(contact) == 0)
            continue;
        const QString id = contacts.GetCallId(contact);
        if (CContactData::ContactTypeFor(id, before) != CContactData::ContactTypeFor(id, after))
            change.retyped.append(contact);
    }
    return change;
}

}
