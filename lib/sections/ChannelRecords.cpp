// The channel accessor's operations on whole records: defaults, a new
// channel's values, and copying and clearing zone and channel records.

#include "sections/ChannelData.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "sections/ChannelLayout.h"

#include <algorithm>
#include <cstring>

using namespace ChannelLayout;

void CChannelData::SetDefaults()
{
    SetZoneName(1, QStringLiteral("Zone 1"));
    SetZoneChannelCount(1, 1);
    SetZoneSlot(1, 1, 1);
    SetChannelName(1, 1, QStringLiteral("Channel 1"));
    InitChannel(1, 1);
}

void CChannelData::InitChannel(int zone, int channel)
{
    if (channelOffset(zone, channel) < 0)
        return;
    SetZoneChannelCount(zone, channel);
    SetZoneSlot(zone, channel, channel);

    const QString bandMinimum = FrequencyBcd::unitsToText(m_doc.lowerBandLimit());
    SetFrequency(zone, channel, Direction::Receive, bandMinimum);
    SetFrequency(zone, channel, Direction::Transmit, bandMinimum);
    SetTone(zone, channel, Direction::Receive, QString());
    SetTone(zone, channel, Direction::Transmit, QString());

    SetChannelMode(zone, channel, 3);
    SetPower(zone, channel, 2);
    SetBandwidth(zone, channel, 3);
    SetAutoScan(zone, channel, false);
    SetRxColourCode(zone, channel, 0);
    SetTxColourCode(zone, channel, 0);
    SetRxGroupList(zone, channel, 1);
    SetContact(zone, channel, 1);

    SetBclMode(zone, channel, 2);
    SetPoliteMode(zone, channel, 3);
    SetBeatShift(zone, channel, false);
    SetTailReversalPhase(zone, channel, 1);
    SetTurnOffCode(zone, channel, true);

    SetScanList(zone, channel, 0);
    SetChannelType(zone, channel, 1);
    SetEncrypt(zone, channel, 0);
    SetPttOnlineCode(zone, channel, 0);
    SetPttOfflineCode(zone, channel, 0);
    SetDecodeSequence(zone, channel, 0);
}

void CChannelData::CopyChannelSettings(int fromZone, int fromChannel, int toZone, int toChannel)
{
    const int from = channelOffset(fromZone, fromChannel);
    const int to = channelOffset(toZone, toChannel);
    if (from < 0 || to < 0 || from == to)
        return;

    // Frequencies and tones are copied as stored: a text round trip would
    // re-snap an odd frequency or lose a malformed tone code.
    copyBytes(from + kRxFrequency, to + kRxFrequency, kFrequencyBytes * 2);
    copyBytes(from + kRxTone, to + kRxTone, kToneBytes * 2 + kCoefficientBytes * 2);

    SetChannelMode(toZone, toChannel, GetChannelMode(fromZone, fromChannel));
    SetPower(toZone, toChannel, GetPower(fromZone, fromChannel));
    SetBandwidth(toZone, toChannel, GetBandwidth(fromZone, fromChannel));
    SetAutoScan(toZone, toChannel, GetAutoScan(fromZone, fromChannel));
    SetRxColourCode(toZone, toChannel, GetRxColourCode(fromZone, fromChannel));
    SetTxColourCode(toZone, toChannel, GetTxColourCode(fromZone, fromChannel));
    SetRxGroupList(toZone, toChannel, GetRxGroupList(fromZone, fromChannel));
    SetContact(toZone, toChannel, GetContact(fromZone, fromChannel));
    SetBclMode(toZone, toChannel, GetBclMode(fromZone, fromChannel));
    SetPoliteMode(toZone, toChannel, GetPoliteMode(fromZone, fromChannel));
    SetBeatShift(toZone, toChannel, GetBeatShift(fromZone, fromChannel));
    SetTailReversalPhase(toZone, toChannel, GetTailReversalPhase(fromZone, fromChannel));
    SetTurnOffCode(toZone, toChannel, GetTurnOffCode(fromZone, fromChannel));
    SetScanList(toZone, toChannel, GetScanList(fromZone, fromChannel));
    SetChannelType(toZone, toChannel, GetChannelType(fromZone, fromChannel));
    SetEncrypt(toZone, toChannel, GetEncrypt(fromZone, fromChannel));
    SetPttOnlineCode(toZone, toChannel, GetPttOnlineCode(fromZone, fromChannel));
    SetPttOfflineCode(toZone, toChannel, GetPttOfflineCode(fromZone, fromChannel));
    SetDecodeSequence(toZone, toChannel, GetDecodeSequence(fromZone, fromChannel));
}

void CChannelData::copyBytes(int from, int to, int count)
{
    const uint8_t *source = field(from, count);
    uint8_t *target = field(to, count);
    if (source && target)
        std::memmove(target, source, size_t(count));
}

void CChannelData::fillBytes(int offset, int count, uint8_t value)
{
    if (uint8_t *target = field(offset, count))
        std::memset(target, value, size_t(count));
}

void CChannelData::CopyZoneRecord(int fromZone, int toZone)
{
    const int from = zoneOffset(fromZone);
    const int to = zoneOffset(toZone);
    if (from >= 0 && to >= 0)
        copyBytes(from, to, kZoneRecordSize);
}

void CChannelData::ClearZoneRecord(int zone)
{
    const int record = zoneOffset(zone);
    if (record >= 0)
        fillBytes(record, kZoneRecordSize, 0x00);
}

void CChannelData::CopyChannelBlock(int fromZone, int toZone)
{
    const int from = channelBlockOffset(fromZone);
    const int to = channelBlockOffset(toZone);
    if (from >= 0 && to >= 0)
        copyBytes(from, to, kChannelBlockSize);
}

void CChannelData::ClearChannelBlock(int zone)
{
    const int block = channelBlockOffset(zone);
    if (block >= 0)
        fillBytes(block, kChannelBlockSize, 0x00);
}

void CChannelData::CopyChannelRecord(int fromZone, int fromChannel, int toZone, int toChannel)
{
    const int from = channelOffset(fromZone, fromChannel);
    const int to = channelOffset(toZone, toChannel);
    if (from >= 0 && to >= 0)
        copyBytes(from, to, kChannelRecordSize);
}

void CChannelData::ClearChannelRecord(int zone, int channel)
{
    const int record = channelOffset(zone, channel);
    if (record >= 0)
        fillBytes(record, kChannelRecordSize, 0x00);
}

void CChannelData::MoveChannelRecord(int zone, int from, int to)
{
    const int block = channelBlockOffset(zone);
    if (block < 0 || !isValidChannel(from) || !isValidChannel(to) || from == to)
        return;
    uint8_t *records = field(block, kChannelBlockSize);
    if (!records)
        return;
    auto record = [records](int channel) { return records + (channel - 1) * kChannelRecordSize; };
    if (from < to)
        std::rotate(record(from), record(from + 1), record(to + 1));
    else
        std::rotate(record(to), record(from), record(from + 1));
}
