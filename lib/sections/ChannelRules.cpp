#include "sections/ChannelRules.h"

#include "sections/ListRules.h"

namespace {

bool lacksTone(const CChannelData &channels, int zone, int channel, CChannelData::Direction dir)
{
    const QString tone = channels.GetTone(zone, channel, dir);
    return tone.isEmpty() || tone == channels.NoneText();
}

}

bool CChannelRules::enterZoneName(int zone, const QString &text, Prompter &prompter)
{
    CChannelData channels(m_doc);
    const int count = channels.CountZones();
    if (zone < 1 || zone > count)
        return false;
    if (text == channels.GetZoneName(zone))
        return true;
    QStringList others;
    for (int z = 1; z <= count; ++z) {
        if (z != zone)
            others << channels.GetZoneName(z);
    }
    if (!ListRules::acceptName(text, others, prompter))
        return false;
    channels.SetZoneName(zone, text);
    return true;
}

bool CChannelRules::enterChannelName(int zone, int channel, const QString &text, Prompter &prompter)
{
    CChannelData channels(m_doc);
    if (zone < 1 || zone > channels.CountZones() || channel < 1 || channel > channels.CountChannels(zone))
        return false;
    // Every zone starts with a "Channel 1", so leaving a name as it is must
    // not count as a duplicate.
    if (text == channels.GetChannelName(zone, channel))
        return true;
    QStringList others;
    ListRules::forEachUsedChannel(m_doc, [&](CChannelData &data, int z, int c) {
        if (z != zone || c != channel)
            others << data.GetChannelName(z, c);
    });
    if (!ListRules::acceptName(text, others, prompter))
        return false;
    channels.SetChannelName(zone, channel, text);
    return true;
}

QString CChannelRules::enterFrequency(int zone, int channel, Direction dir, const QString &text)
{
    CChannelData channels(m_doc);
    const QString stored = channels.GetFrequency(zone, channel, dir);
    if (text == stored || !channels.ChannelExists(zone, channel))
        return stored;
    // A changed text sets the colour code from the stored frequency even
    // when the text itself is not stored.
    if (text.isEmpty() || FrequencyBcd::textToUnits(text) < 0) {
        updateColourCode(zone, channel, dir);
        return stored;
    }
    QString value = text;
    const int band = m_doc.CheckFreqInRange(text);
    if (band > 0)
        value = m_doc.GetFreqLimitText(1);
    else if (band < 0)
        value = m_doc.GetFreqLimitText(0);
    channels.SetFrequency(zone, channel, dir, value);
    updateColourCode(zone, channel, dir);
    return channels.GetFrequency(zone, channel, dir);
}

void CChannelRules::updateColourCode(int zone, int channel, Direction dir)
{
    CChannelData channels(m_doc);
    const int code = channels.ColourCodeForFrequency(zone, channel, dir);
    if (dir == Direction::Receive)
        channels.SetRxColourCode(zone, channel, code);
    else
        channels.SetTxColourCode(zone, channel, code);
}

void CChannelRules::updateColourCodes(int zone, int channel)
{
    updateColourCode(zone, channel, Direction::Receive);
    updateColourCode(zone, channel, Direction::Transmit);
}

void CChannelRules::setMode(int zone, int channel, int mode)
{
    CChannelData channels(m_doc);
    if (!channels.ChannelExists(zone, channel) || mode < 0 || mode > kDigitalMode)
        return;
    channels.SetChannelMode(zone, channel, mode);
    applyModeRules(zone, channel);
    updateColourCodes(zone, channel);
}

bool CChannelRules::applyCompulsoryTones(int zone, int channel)
{
    CChannelData channels(m_doc);
    if (!channels.ChannelExists(zone, channel) || channels.GetChannelMode(zone, channel) >= kAnalogMode)
        return false;
    bool written = false;
    for (auto dir : {Direction::Receive, Direction::Transmit}) {
        if (lacksTone(channels, zone, channel, dir)) {
            channels.SetTone(zone, channel, dir, QString::fromLatin1(kCompulsoryTone));
            written = true;
        }
    }
    return written;
}

void CChannelRules::applyModeBandwidth(int zone, int channel)
{
    CChannelData channels(m_doc);
    if (channels.ChannelExists(zone, channel))
        channels.SetBandwidth(zone, channel, bandwidthForMode(channels.GetChannelMode(zone, channel)));
}

bool CChannelRules::breaksModeRules(int zone, int channel) const
{
    CChannelData channels(m_doc);
    if (!channels.ChannelExists(zone, channel))
        return false;
    const int mode = channels.GetChannelMode(zone, channel);
    if (channels.GetBandwidth(zone, channel) != bandwidthForMode(mode))
        return true;
    if (mode >= kAnalogMode)
        return false;
    return lacksTone(channels, zone, channel, Direction::Receive)
           || lacksTone(channels, zone, channel, Direction::Transmit);
}

void CChannelRules::applyModeRules(int zone, int channel)
{
    applyCompulsoryTones(zone, channel);
    applyModeBandwidth(zone, channel);
}
