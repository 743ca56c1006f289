#pragma once

#include "TestSupport.h"

#include "sections/ChannelData.h"
#include "sections/ListMaintenance.h"

#include <QList>

// A default codeplug grown to `zones` zones of `channels` channels each,
// channel (z, c) renamed "Z<z>C<c>".
struct ListFixture : TestDocument
{
    explicit ListFixture(int zones = 1, int channels = 1, const QString &model = QStringLiteral("VK214"))
        : TestDocument(model)
    {
        CChannelData data(*doc);
        for (int z = 1; z <= zones; ++z) {
            if (z > 1)
                lists().addZone();
            for (int c = 1; c <= channels; ++c) {
                if (c > 1)
                    lists().addChannel(z);
                data.SetChannelName(z, c, QStringLiteral("Z%1C%2").arg(z).arg(c));
            }
        }
    }
    CListMaintenance lists() { return CListMaintenance(*doc); }
    // One reference field of every channel of zone 1, in channel order.
    QList<int> zoneOne(int (CChannelData::*get)(int, int) const)
    {
        const CChannelData data(*doc);
        QList<int> refs;
        for (int c = 1; c <= data.CountChannels(1); ++c)
            refs << (data.*get)(1, c);
        return refs;
    }
};
