#include "sections/ReplyChannelData.h"

#include "app/AppSettings.h"

namespace {
constexpr int kChannelsPerZone = 16;
}

bool CReplyChannelData::validZone(int zone) const
{
    return zone >= 1 && zone <= document().settings().zoneSlotCount();
}

bool CReplyChannelData::validChannel(int channel)
{
    return channel >= 1 && channel <= kChannelsPerZone;
}

int CReplyChannelData::GetReplyZone() const
{
    const int zone = byteAt(m_zoneOffset);
    return validZone(zone) ? zone : 0;
}

void CReplyChannelData::SetReplyZone(int zone)
{
    setByteAt(m_zoneOffset, validZone(zone) ? uint8_t(zone) : uint8_t(0));
}

int CReplyChannelData::GetReplyChannel() const
{
    const int channel = byteAt(m_zoneOffset + 1);
    return validChannel(channel) ? channel : 0;
}

void CReplyChannelData::SetReplyChannel(int channel)
{
    setByteAt(m_zoneOffset + 1, validChannel(channel) ? uint8_t(channel) : uint8_t(0));
}

ChannelRef CReplyChannelData::GetReplyChannelRef() const
{
    return ChannelRef{GetReplyZone(), GetReplyChannel()};
}

void CReplyChannelData::SetReplyChannelRef(const ChannelRef &ref)
{
    SetReplyZone(ref.zone);
    SetReplyChannel(ref.channel);
}
