#pragma once

// The codeplug the benchmarks measure: every list filled as far as the
// model allows (on a VK214: 16 zones of 16 channels, 16 scan lists of 16
// channels, 16 RX group lists, 200 contacts).

#include "app/Prompter.h"
#include "sections/ContactRules.h"
#include "sections/ListMaintenance.h"
#include "sections/ScanListRules.h"

inline void fillCodeplug(CPcSoftwareDoc &doc, Prompter &prompter)
{
    CListMaintenance lists(doc);
    while (lists.canAddZone())
        lists.addZone();
    for (int zone = 1; zone <= lists.zoneCount(); ++zone) {
        while (lists.canAddChannel(zone))
            lists.addChannel(zone);
    }
    while (lists.canAddScanList())
        lists.addScanList();
    while (lists.canAddRxGroup())
        lists.addRxGroup();
    CContactRules contacts(doc);
    contacts.add(200 - contacts.count(), prompter);
    CScanListRules scans(doc);
    for (int list = 1; list <= lists.scanListCount(); ++list)
        scans.moveIn(list, scans.availableChannels(list).mid(0, 16), prompter);
}
