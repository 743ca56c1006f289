#include "sections/ChannelData.h"

#include "app/AppSettings.h"
#include "sections/ChannelLayout.h"

#include <QtGlobal>
#include <cmath>
#include <cstring>

using namespace ChannelLayout;

namespace {

int frequencyAt(CChannelData::Direction dir)
{
    return dir == CChannelData::Direction::Receive ? kRxFrequency : kTxFrequency;
}
int toneAt(CChannelData::Direction dir)
{
    return dir == CChannelData::Direction::Receive ? kRxTone : kTxTone;
}
int coefficientsAt(CChannelData::Direction dir)
{
    return dir == CChannelData::Direction::Receive ? kRxCoefficients : kTxCoefficients;
}
}  // namespace

CChannelData::CChannelData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

// ---- geometry --------------------------------------------------------------

int CChannelData::zoneSlotCount() const
{
    // The image holds 16 zone records; never address beyond them.
    return qBound(0, m_doc.settings().zoneSlotCount(), kChannelsPerZone);
}

ChannelRef CChannelData::ChannelOfRecordIndex(int index)
{
    if (index < 0)
        index = 0;
    return {index / kChannelsPerZone + 1, index % kChannelsPerZone + 1};
}

bool CChannelData::isValidZone(int zone) const
{
    return zone >= 1 && zone <= zoneSlotCount();
}

int CChannelData::zoneOffset(int zone) const
{
    return isValidZone(zone) ? kZoneBase + kZoneRecordSize * zone : -1;
}

int CChannelData::channelOffset(int zone, int channel) const
{
    if (!isValidZone(zone) || !isValidChannel(channel))
        return -1;
    return kChannelBase + kChannelBlockSize * zone + kChannelRecordSize * channel;
}

int CChannelData::channelBlockOffset(int zone) const
{
    return channelOffset(zone, 1);
}

int CChannelData::fieldOffset(int zone, int channel, int at) const
{
    const int record = channelOffset(zone, channel);
    return record < 0 ? -1 : record + at;
}

// ---- zone record -----------------------------------------------------------

bool CChannelData::ZoneExists(int zone) const
{
    const int record = zoneOffset(zone);
    const uint8_t *bytes = record < 0 ? nullptr : field(record + kZoneName, kNameBytes);
    return bytes && NameField::length(bytes, NameField::kNameUnits) > 0;
}

bool CChannelData::ChannelExists(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kChannelName);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes);
    return bytes && NameField::length(bytes, NameField::kNameUnits) > 0;
}

QString CChannelData::GetZoneName(int zone) const
{
    const int record = zoneOffset(zone);
    const uint8_t *bytes = record < 0 ? nullptr : field(record + kZoneName, kNameBytes);
    return bytes ? NameField::toText(bytes, NameField::kNameUnits) : QString();
}

void CChannelData::SetZoneName(int zone, const QString &name)
{
    const int record = zoneOffset(zone);
    if (uint8_t *bytes = record < 0 ? nullptr : field(record + kZoneName, kNameBytes))
        NameField::fromText(name, bytes, NameField::kNameUnits);
}

int CChannelData::GetZoneChannelCount(int zone) const
{
    const int record = zoneOffset(zone);
    if (record < 0)
        return 0;
    const int count = byteAt(record + kZoneChannelCount);
    return isValidChannel(count) ? count : 0;
}

void CChannelData::SetZoneChannelCount(int zone, int count)
{
    const int record = zoneOffset(zone);
    if (record >= 0 && count >= 0 && count <= kChannelsPerZone)
        setByteAt(record + kZoneChannelCount, uint8_t(count));
}

int CChannelData::GetZoneSlot(int zone, int slot) const
{
    const int record = zoneOffset(zone);
    if (record < 0 || !isValidChannel(slot))
        return 0;
    return byteAt(record + kZoneSlots + slot - 1);
}

void CChannelData::SetZoneSlot(int zone, int slot, int value)
{
    const int record = zoneOffset(zone);
    if (record >= 0 && isValidChannel(slot) && value >= 0 && value <= 0xFF)
        setByteAt(record + kZoneSlots + slot - 1, uint8_t(value));
}

int CChannelData::CountZones() const
{
    int count = 0;
    while (count < zoneSlotCount() && ZoneExists(count + 1))
        ++count;
    return count;
}

int CChannelData::CountChannels(int zone) const
{
    if (!isValidZone(zone))
        return 0;
    int count = 0;
    while (count < kChannelsPerZone && ChannelExists(zone, count + 1))
        ++count;
    return count;
}

// ---- frequencies and tones -------------------------------------------------

QString CChannelData::GetFrequency(int zone, int channel, Direction dir) const
{
    const int at = fieldOffset(zone, channel, frequencyAt(dir));
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kFrequencyBytes);
    return bytes ? FrequencyBcd::toText(bytes) : QString();
}

void CChannelData::SetFrequency(int zone, int channel, Direction dir, const QString &text)
{
    const int at = fieldOffset(zone, channel, frequencyAt(dir));
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kFrequencyBytes))
        FrequencyBcd::fromText(text, bytes);
}

qint32 CChannelData::GetFrequencyUnits(int zone, int channel, Direction dir) const
{
    const int at = fieldOffset(zone, channel, frequencyAt(dir));
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kFrequencyBytes);
    return bytes ? FrequencyBcd::toUnits(bytes) : -1;
}

int CChannelData::ColourCodeForFrequency(int zone, int channel, Direction dir) const
{
    return ColourCodeForFrequencyText(GetFrequency(zone, channel, dir));
}

int CChannelData::ColourCodeForFrequencyText(const QString &text)
{
    bool ok = false;
    const double mhz = text.trimmed().toDouble(&ok);
    if (!ok || !(mhz > 0.0))
        return 0;
    const double scaled = mhz * 2.5;
    const int code = int(std::trunc((scaled - std::trunc(scaled)) * 64.0));
    return qBound(0, code, 63);
}

QString CChannelData::NoneText() const
{
    return m_doc.settings().language().GetLangString(QStringLiteral("IDS_NONE"));
}

QString CChannelData::GetTone(int zone, int channel, Direction dir) const
{
    return GetTone(zone, channel, dir, NoneText());
}

QString CChannelData::GetTone(int zone, int channel, Direction dir, const QString &noneText) const
{
    const int at = fieldOffset(zone, channel, toneAt(dir));
    const uint8_t *code = at < 0 ? nullptr : field(at, kToneBytes);
    return code ? ToneCode::toText(code, noneText) : QString();
}

QString CChannelData::GetPrintedTone(int zone, int channel, Direction dir, const QString &noneText) const
{
    const int at = fieldOffset(zone, channel, toneAt(dir));
    const uint8_t *code = at < 0 ? nullptr : field(at, kToneBytes);
    return code ? ToneCode::printedText(code, noneText) : QString();
}

void CChannelData::SetTone(int zone, int channel, Direction dir, const QString &text)
{
    const int codeAt = fieldOffset(zone, channel, toneAt(dir));
    const int wordsAt = fieldOffset(zone, channel, coefficientsAt(dir));
    uint8_t *code = codeAt < 0 ? nullptr : field(codeAt, kToneBytes);
    uint8_t *words = wordsAt < 0 ? nullptr : field(wordsAt, kCoefficientBytes);
    if (code && words)
        ToneCode::fromText(text, code, words);
}

ToneCoefficients CChannelData::GetToneCoefficients(int zone, int channel, Direction dir) const
{
    ToneCoefficients result;
    const int at = fieldOffset(zone, channel, coefficientsAt(dir));
    if (at >= 0) {
        result.first = wordAt(at);
        result.second = wordAt(at + 2);
    }
    return result;
}

// ---- mode byte (+20) -------------------------------------------------------

int CChannelData::GetChannelMode(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kModeByte);
    return at < 0 ? -4 : (byteAt(at) & 0x07) - 4;
}

void CChannelData::SetChannelMode(int zone, int channel, int mode)
{
    const int at = fieldOffset(zone, channel, kModeByte);
    if (at >= 0 && mode >= -4 && mode <= 3)
        setBits(at, 0x07, uint8_t(mode + 4));
}

int CChannelData::GetPower(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kModeByte);
    const int stored = at < 0 ? 0 : (byteAt(at) >> 3) & 0x03;
    return stored == 0 ? 2 : stored - 1;
}

void CChannelData::SetPower(int zone, int channel, int power)
{
    const int at = fieldOffset(zone, channel, kModeByte);
    if (at >= 0 && power >= 0 && power <= 2)
        setBits(at, 0x18, uint8_t((power + 1) << 3));
}

int CChannelData::GetBandwidth(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kModeByte);
    return at < 0 ? 0 : (byteAt(at) >> 5) & 0x03;
}

void CChannelData::SetBandwidth(int zone, int channel, int bandwidth)
{
    const int at = fieldOffset(zone, channel, kModeByte);
    if (at >= 0 && bandwidth >= 0 && bandwidth <= 3)
        setBits(at, 0x60, uint8_t(bandwidth << 5));
}

bool CChannelData::GetAutoScan(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kModeByte);
    return at >= 0 && (byteAt(at) & 0x80);
}

void CChannelData::SetAutoScan(int zone, int channel, bool on)
{
    const int at = fieldOffset(zone, channel, kModeByte);
    if (at >= 0)
        setBits(at, 0x80, on ? 0x80 : 0x00);
}

// ---- colour codes ----------------------------------------------------------

int CChannelData::GetRxColourCode(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kRxColourCode);
    const int stored = at < 0 ? 0 : byteAt(at);
    return (stored >= 1 && stored <= 64) ? stored - 1 : 0;
}

void CChannelData::SetRxColourCode(int zone, int channel, int code)
{
    const int at = fieldOffset(zone, channel, kRxColourCode);
    if (at >= 0 && code >= 0 && code <= 63)
        setByteAt(at, uint8_t(code + 1));
}

int CChannelData::GetTxColourCode(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kTxColourCode);
    const int stored = at < 0 ? 0 : byteAt(at);
    return (stored >= 1 && stored <= 64) ? stored - 1 : 0;
}

void CChannelData::SetTxColourCode(int zone, int channel, int code)
{
    const int at = fieldOffset(zone, channel, kTxColourCode);
    if (at >= 0 && code >= 0 && code <= 63)
        setByteAt(at, uint8_t(code + 1));
}

// ---- list references -------------------------------------------------------

int CChannelData::listRef(int zone, int channel, int at, int bound) const
{
    const int offset = fieldOffset(zone, channel, at);
    return offset < 0 ? 0 : ListRef::read(byteAt(offset), bound);
}

void CChannelData::setListRef(int zone, int channel, int at, int bound, int value)
{
    const int offset = fieldOffset(zone, channel, at);
    if (offset >= 0)
        setByteAt(offset, ListRef::encode(value, bound));
}

int CChannelData::GetRxGroupList(int zone, int channel) const { return listRef(zone, channel, kRxGroupList, kRxGroupBound); }
void CChannelData::SetRxGroupList(int zone, int channel, int list) { setListRef(zone, channel, kRxGroupList, kRxGroupBound, list); }
int CChannelData::GetContact(int zone, int channel) const { return listRef(zone, channel, kContact, kContactBound); }
void CChannelData::SetContact(int zone, int channel, int contact) { setListRef(zone, channel, kContact, kContactBound, contact); }
int CChannelData::GetScanList(int zone, int channel) const { return listRef(zone, channel, kScanList, kScanListBound); }
void CChannelData::SetScanList(int zone, int channel, int list) { setListRef(zone, channel, kScanList, kScanListBound, list); }
int CChannelData::GetEncrypt(int zone, int channel) const { return listRef(zone, channel, kEncrypt, kEncryptBound); }
void CChannelData::SetEncrypt(int zone, int channel, int key) { setListRef(zone, channel, kEncrypt, kEncryptBound, key); }
int CChannelData::GetPttOnlineCode(int zone, int channel) const { return listRef(zone, channel, kPttOnline, kEncodeSequenceBound); }
void CChannelData::SetPttOnlineCode(int zone, int channel, int sequence) { setListRef(zone, channel, kPttOnline, kEncodeSequenceBound, sequence); }
int CChannelData::GetPttOfflineCode(int zone, int channel) const { return listRef(zone, channel, kPttOffline, kEncodeSequenceBound); }
void CChannelData::SetPttOfflineCode(int zone, int channel, int sequence) { setListRef(zone, channel, kPttOffline, kEncodeSequenceBound, sequence); }
int CChannelData::GetDecodeSequence(int zone, int channel) const { return listRef(zone, channel, kDecodeSequence, kDecodeSequenceBound); }
void CChannelData::SetDecodeSequence(int zone, int channel, int sequence) { setListRef(zone, channel, kDecodeSequence, kDecodeSequenceBound, sequence); }

// ---- signalling byte (+25) -------------------------------------------------

int CChannelData::GetBclMode(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    return at < 0 ? -1 : (byteAt(at) & 0x03) - 1;
}

void CChannelData::SetBclMode(int zone, int channel, int mode)
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    if (at >= 0 && mode >= -1 && mode <= 2)
        setBits(at, 0x03, uint8_t(mode + 1));
}

int CChannelData::GetPoliteMode(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    const int stored = at < 0 ? 0 : (byteAt(at) >> 2) & 0x07;
    return stored < 4 ? -4 : stored - 4;
}

void CChannelData::SetPoliteMode(int zone, int channel, int mode)
{
    // -4 stores 0 (no selection) so that a copy keeps an unset mode unset.
    const int at = fieldOffset(zone, channel, kSignallingByte);
    if (at >= 0 && mode >= -4 && mode <= 3)
        setBits(at, 0x1C, uint8_t((mode + 4) << 2));
}

bool CChannelData::GetBeatShift(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    return at >= 0 && (byteAt(at) & 0x20);
}

void CChannelData::SetBeatShift(int zone, int channel, bool on)
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    if (at >= 0)
        setBits(at, 0x20, on ? 0x20 : 0x00);
}

int CChannelData::GetTailReversalPhase(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    return (at >= 0 && (byteAt(at) & 0x40)) ? 1 : 0;
}

void CChannelData::SetTailReversalPhase(int zone, int channel, int phase)
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    if (at >= 0 && (phase == 0 || phase == 1))
        setBits(at, 0x40, phase ? 0x40 : 0x00);
}

bool CChannelData::GetTurnOffCode(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    return at >= 0 && (byteAt(at) & 0x80);
}

void CChannelData::SetTurnOffCode(int zone, int channel, bool on)
{
    const int at = fieldOffset(zone, channel, kSignallingByte);
    if (at >= 0)
        setBits(at, 0x80, on ? 0x80 : 0x00);
}

// ---- type and name ---------------------------------------------------------

int CChannelData::GetChannelType(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kTypeByte);
    return at < 0 ? 0 : byteAt(at) & 0x01;
}

void CChannelData::SetChannelType(int zone, int channel, int type)
{
    const int at = fieldOffset(zone, channel, kTypeByte);
    if (at >= 0 && (type == 0 || type == 1))
        setBits(at, 0x01, uint8_t(type));
}

QString CChannelData::GetChannelName(int zone, int channel) const
{
    const int at = fieldOffset(zone, channel, kChannelName);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes);
    return bytes ? NameField::toText(bytes, NameField::kNameUnits) : QString();
}

void CChannelData::SetChannelName(int zone, int channel, const QString &name)
{
    const int at = fieldOffset(zone, channel, kChannelName);
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes))
        NameField::fromText(name, bytes, NameField::kNameUnits);
}
