#pragma once

#include "sections/SectionData.h"

// The reply channel both emergency sections keep: a zone byte followed by a
// channel byte. A zone above the zone-slot count or a channel outside 1..16
// reads as 0; setters store 0 for a value outside that range.
class CReplyChannelData : public CSectionData
{
public:
    int GetReplyZone() const;
    void SetReplyZone(int zone);
    int GetReplyChannel() const;
    void SetReplyChannel(int channel);
    ChannelRef GetReplyChannelRef() const;
    void SetReplyChannelRef(const ChannelRef &ref);

protected:
    CReplyChannelData(CPcSoftwareDoc &doc, int zoneOffset) : CSectionData(doc), m_zoneOffset(zoneOffset) {}

private:
    bool validZone(int zone) const;
    static bool validChannel(int channel);

    int m_zoneOffset;
};
