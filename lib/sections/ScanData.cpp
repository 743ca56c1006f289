#include "sections/ScanData.h"

#include "app/AppSettings.h"
#include "sections/ChannelData.h"

#include <QtGlobal>
#include <cstring>

namespace {
constexpr int kBase = 0x4638;
constexpr int kFlags = 0;
constexpr int kPriorityChannel1 = 1;
constexpr int kPriorityChannel2 = 3;
constexpr int kRevertChannel = 5;
constexpr int kDesignatedChannel = 6;
constexpr int kRxDwell = 8;
constexpr int kTxDwell = 9;
constexpr int kLookBackA = 10;
constexpr int kLookBackB = 11;
constexpr int kTalkback = 12;
constexpr int kMembers = 24;
constexpr int kName = 56;
constexpr int kNameBytes = NameField::kNameUnits * 2;

constexpr uint8_t kIncludeCurrentBit = 0x10;
constexpr uint8_t kNuisanceDeleteBit = 0x20;
constexpr uint8_t kNuisanceResetBit = 0x40;
constexpr uint8_t kScanIndicatorBit = 0x80;

constexpr int kNewListDwell = 12;     // 3.00 s
constexpr int kNewListLookBack = 20;  // 2.0 s
constexpr int kMinLookBack = 5;
constexpr int kMaxLookBack = 50;
constexpr int kMaxRevertValue = 6;
}  // namespace

CScanData::CScanData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

int CScanData::recordOffset(int list) const
{
    return isValidList(list) ? kBase + kRecordSize * list : -1;
}

int CScanData::fieldOffset(int list, int at) const
{
    const int record = recordOffset(list);
    return record < 0 ? -1 : record + at;
}

// ---- flags byte (+0) -------------------------------------------------------

int CScanData::GetPriorityChannelType1(int list) const
{
    const int at = fieldOffset(list, kFlags);
    return at < 0 ? 0 : byteAt(at) & 0x03;
}

void CScanData::SetPriorityChannelType1(int list, int type)
{
    const int at = fieldOffset(list, kFlags);
    if (at >= 0 && type >= 0 && type <= 3)
        setBits(at, 0x03, uint8_t(type));
}

int CScanData::GetPriorityChannelType2(int list) const
{
    const int at = fieldOffset(list, kFlags);
    return at < 0 ? 0 : (byteAt(at) >> 2) & 0x03;
}

void CScanData::SetPriorityChannelType2(int list, int type)
{
    const int at = fieldOffset(list, kFlags);
    if (at >= 0 && type >= 0 && type <= 3)
        setBits(at, 0x0C, uint8_t(type << 2));
}

namespace {
bool flag(uint8_t byte, uint8_t bit) { return (byte & bit) != 0; }
}

bool CScanData::GetIncludeCurrentChannel(int list) const
{
    const int at = fieldOffset(list, kFlags);
    return at >= 0 && flag(byteAt(at), kIncludeCurrentBit);
}

void CScanData::SetIncludeCurrentChannel(int list, bool on)
{
    const int at = fieldOffset(list, kFlags);
    if (at >= 0)
        setBits(at, kIncludeCurrentBit, on ? kIncludeCurrentBit : 0);
}

bool CScanData::GetNuisanceDelete(int list) const
{
    const int at = fieldOffset(list, kFlags);
    return at >= 0 && flag(byteAt(at), kNuisanceDeleteBit);
}

void CScanData::SetNuisanceDelete(int list, bool on)
{
    const int at = fieldOffset(list, kFlags);
    if (at >= 0)
        setBits(at, kNuisanceDeleteBit, on ? kNuisanceDeleteBit : 0);
}

bool CScanData::GetNuisanceReset(int list) const
{
    const int at = fieldOffset(list, kFlags);
    return at >= 0 && flag(byteAt(at), kNuisanceResetBit);
}

void CScanData::SetNuisanceReset(int list, bool on)
{
    const int at = fieldOffset(list, kFlags);
    if (at >= 0)
        setBits(at, kNuisanceResetBit, on ? kNuisanceResetBit : 0);
}

bool CScanData::GetScanIndicator(int list) const
{
    const int at = fieldOffset(list, kFlags);
    return at >= 0 && flag(byteAt(at), kScanIndicatorBit);
}

void CScanData::SetScanIndicator(int list, bool on)
{
    const int at = fieldOffset(list, kFlags);
    if (at >= 0)
        setBits(at, kScanIndicatorBit, on ? kScanIndicatorBit : 0);
}

// ---- channel references ----------------------------------------------------

ChannelRef CScanData::refAt(int offset) const
{
    if (offset < 0)
        return {};
    const int zone = byteAt(offset);
    const int channel = byteAt(offset + 1);
    const int zoneSlots = qMin(m_doc.settings().zoneSlotCount(), CChannelData::kChannelsPerZone);
    ChannelRef ref;
    ref.zone = (zone >= 1 && zone <= zoneSlots) ? zone : 0;
    ref.channel = CChannelData::isValidChannel(channel) ? channel : 0;
    return ref;
}

void CScanData::setRefAt(int offset, ChannelRef ref)
{
    const auto storable = [](int n) { return n >= 0 && n <= CChannelData::kChannelsPerZone; };
    if (offset < 0 || !storable(ref.zone) || !storable(ref.channel))
        return;
    setByteAt(offset, uint8_t(ref.zone));
    setByteAt(offset + 1, uint8_t(ref.channel));
}

ChannelRef CScanData::GetPriorityChannel1(int list) const { return refAt(fieldOffset(list, kPriorityChannel1)); }
void CScanData::SetPriorityChannel1(int list, ChannelRef ref) { setRefAt(fieldOffset(list, kPriorityChannel1), ref); }
ChannelRef CScanData::GetPriorityChannel2(int list) const { return refAt(fieldOffset(list, kPriorityChannel2)); }
void CScanData::SetPriorityChannel2(int list, ChannelRef ref) { setRefAt(fieldOffset(list, kPriorityChannel2), ref); }
ChannelRef CScanData::GetDesignatedChannel(int list) const { return refAt(fieldOffset(list, kDesignatedChannel)); }
void CScanData::SetDesignatedChannel(int list, ChannelRef ref) { setRefAt(fieldOffset(list, kDesignatedChannel), ref); }

// ---- revert channel, times, talkback ---------------------------------------

int CScanData::GetRevertChannel(int list) const
{
    const int at = fieldOffset(list, kRevertChannel);
    return at < 0 ? 0xFF : byteAt(at);
}

void CScanData::SetRevertChannel(int list, int value)
{
    const int at = fieldOffset(list, kRevertChannel);
    if (at >= 0 && value >= 0 && value <= kMaxRevertValue)
        setByteAt(at, uint8_t(value));
}

int CScanData::RevertEntryForValue(int value)
{
    return (value >= 3 && value <= 6) ? value - 1 : value;
}

int CScanData::RevertValueForEntry(int entry)
{
    return (entry >= 2 && entry <= 5) ? entry + 1 : entry;
}

int CScanData::GetRxDwellTime(int list) const
{
    const int at = fieldOffset(list, kRxDwell);
    return at < 0 ? 0 : byteAt(at);
}

void CScanData::SetRxDwellTime(int list, int steps)
{
    const int at = fieldOffset(list, kRxDwell);
    if (at >= 0 && steps >= 0 && steps <= 0xFF)
        setByteAt(at, uint8_t(steps));
}

int CScanData::GetTxDwellTime(int list) const
{
    const int at = fieldOffset(list, kTxDwell);
    return at < 0 ? 0 : byteAt(at);
}

void CScanData::SetTxDwellTime(int list, int steps)
{
    const int at = fieldOffset(list, kTxDwell);
    if (at >= 0 && steps >= 0 && steps <= 0xFF)
        setByteAt(at, uint8_t(steps));
}

int CScanData::GetLookBackTimeA(int list) const
{
    const int at = fieldOffset(list, kLookBackA);
    return at < 0 ? 0 : byteAt(at);
}

void CScanData::SetLookBackTimeA(int list, int tenths)
{
    const int at = fieldOffset(list, kLookBackA);
    if (at >= 0 && tenths >= kMinLookBack && tenths <= kMaxLookBack)
        setByteAt(at, uint8_t(tenths));
}

int CScanData::GetLookBackTimeB(int list) const
{
    const int at = fieldOffset(list, kLookBackB);
    return at < 0 ? 0 : byteAt(at);
}

void CScanData::SetLookBackTimeB(int list, int tenths)
{
    const int at = fieldOffset(list, kLookBackB);
    if (at >= 0 && tenths >= kMinLookBack && tenths <= kMaxLookBack)
        setByteAt(at, uint8_t(tenths));
}

bool CScanData::GetTalkback(int list) const
{
    const int at = fieldOffset(list, kTalkback);
    return at >= 0 && (byteAt(at) & 0x01);
}

void CScanData::SetTalkback(int list, bool on)
{
    const int at = fieldOffset(list, kTalkback);
    if (at >= 0)
        setBits(at, 0x01, on ? 0x01 : 0x00);
}

// ---- members ---------------------------------------------------------------

ChannelRef CScanData::GetMember(int list, int member) const
{
    if (member < 1 || member > kMemberCount)
        return {};
    return refAt(fieldOffset(list, kMembers + 2 * (member - 1)));
}

void CScanData::SetMember(int list, int member, ChannelRef ref)
{
    if (member >= 1 && member <= kMemberCount)
        setRefAt(fieldOffset(list, kMembers + 2 * (member - 1)), ref);
}

QList<ChannelRef> CScanData::GetMembers(int list) const
{
    QList<ChannelRef> members;
    for (int m = 1; m <= kMemberCount; ++m) {
        const ChannelRef ref = GetMember(list, m);
        if (ref.isSet())
            members << ref;
    }
    return members;
}

void CScanData::SetMembers(int list, const QList<ChannelRef> &members)
{
    if (!isValidList(list))
        return;
    int slot = 1;
    for (const ChannelRef &ref : members) {
        if (slot > kMemberCount)
            break;
        if (ref.isSet())
            SetMember(list, slot++, ref);
    }
    for (; slot <= kMemberCount; ++slot)
        SetMember(list, slot, ChannelRef{});
}

// ---- name, counting, records ----------------------------------------------

QString CScanData::GetName(int list) const
{
    const int at = fieldOffset(list, kName);
    const uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes);
    return bytes ? NameField::toText(bytes, NameField::kNameUnits) : QString();
}

void CScanData::SetName(int list, const QString &name)
{
    const int at = fieldOffset(list, kName);
    if (uint8_t *bytes = at < 0 ? nullptr : field(at, kNameBytes))
        NameField::fromText(name, bytes, NameField::kNameUnits);
}

int CScanData::CountLists() const
{
    int count = 0;
    while (count < kListCount && !GetName(count + 1).isEmpty())
        ++count;
    return count;
}

void CScanData::InitList(int list)
{
    const int record = recordOffset(list);
    if (record < 0)
        return;
    SetPriorityChannelType1(list, 0);
    SetPriorityChannelType2(list, 0);
    SetIncludeCurrentChannel(list, false);
    SetNuisanceDelete(list, true);
    SetNuisanceReset(list, false);
    SetScanIndicator(list, false);
    SetPriorityChannel1(list, {1, 1});
    SetPriorityChannel2(list, {1, 1});
    SetRevertChannel(list, 0);
    SetDesignatedChannel(list, {1, 1});
    SetRxDwellTime(list, kNewListDwell);
    SetTxDwellTime(list, kNewListDwell);
    SetLookBackTimeA(list, kNewListLookBack);
    SetLookBackTimeB(list, kNewListLookBack);
    SetTalkback(list, false);
    if (uint8_t *members = field(record + kMembers, 2 * kMemberCount))
        std::memset(members, 0xFF, 2 * kMemberCount);
}

void CScanData::SetDefaults()
{
    SetName(1, QStringLiteral("Scan 1"));
    InitList(1);
    SetMember(1, 1, {1, 1});
}

void CScanData::CopyRecord(int fromList, int toList)
{
    const uint8_t *from = recordOffset(fromList) < 0 ? nullptr : field(recordOffset(fromList), kRecordSize);
    uint8_t *to = recordOffset(toList) < 0 ? nullptr : field(recordOffset(toList), kRecordSize);
    if (from && to)
        std::memmove(to, from, kRecordSize);
}

void CScanData::ClearRecord(int list)
{
    const int record = recordOffset(list);
    if (uint8_t *bytes = record < 0 ? nullptr : field(record, kRecordSize))
        std::memset(bytes, 0x00, kRecordSize);
}

// ---- channel texts ---------------------------------------------------------

QString CScanData::ChannelText(ChannelRef ref) const
{
    const CChannelData channels(m_doc);
    const QString channelName = channels.GetChannelName(ref.zone, ref.channel);
    if (channelName.isEmpty())
        return QString();
    return QStringLiteral("%1:%2").arg(channels.GetZoneName(ref.zone), channelName);
}
