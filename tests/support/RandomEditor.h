#pragma once

// A seeded editor that runs random list operations and reference stores,
// now and then on a number outside its list, as the list tests and the
// text round trip need them.

#include "TestSupport.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/ContactRules.h"
#include "sections/EmergencyData.h"
#include "sections/EncryptRules.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupRules.h"
#include "sections/ScanData.h"
#include "sections/ScanListRules.h"

#include <random>

class RandomEditor
{
public:
    RandomEditor(CPcSoftwareDoc &doc, unsigned seed) : m_doc(doc), m_random(seed) {}

    // One random operation, now and then on a number outside its list.
    // Returns its name for the failure message.
    QString step(bool &refused)
    {
        CListMaintenance lists(m_doc);
        CContactRules contacts(m_doc);
        CEncryptRules keys(m_doc);
        CChannelData ch(m_doc);
        const int zone = pick(0, lists.zoneCount() + 1);
        const int channel = pick(0, lists.channelCount(zone) + 1);
        const ChannelRef at = randomChannel(lists);
        const auto row = [this](int count) { return pick(0, count + 1); };
        EditResult r;
        const int which = pick(0, 23);
        switch (which) {
        case 0: r = lists.addZone(); break;
        case 1: r = lists.deleteZone(zone); break;
        case 2: r = lists.addChannel(zone); break;
        case 3: case 4: r = lists.deleteChannel(zone, channel); break;
        case 5: r = lists.addScanList(); break;
        case 6: r = lists.deleteScanList(row(lists.scanListCount())); break;
        case 7: r = lists.addRxGroup(); break;
        case 8: r = lists.deleteRxGroup(row(lists.rxGroupCount())); break;
        case 9: r = contacts.add(m_prompter); break;
        case 10: r = contacts.insert(row(contacts.count()), m_prompter); break;
        case 11: r = contacts.remove(row(contacts.count())); break;
        case 12: r = pick(0, 1) ? keys.add() : keys.insert(row(keys.count())); break;
        case 13: r = keys.remove(row(keys.count())); break;
        case 14: m_clip.copyChannel(at.zone, at.channel); r = lists.pasteChannel(m_clip, zone, channel); break;
        case 15:
            // Now and then a list copied in an earlier step, which may have moved since.
            if (pick(0, 1))
                m_clip.copyScanList(pick(1, lists.scanListCount()));
            r = lists.pasteScanList(m_clip, pick(1, lists.scanListCount()));
            break;
        case 16:
            if (pick(0, 1))
                m_clip.copyRxGroup(pick(1, lists.rxGroupCount()));
            r = lists.pasteRxGroup(m_clip, pick(1, lists.rxGroupCount()));
            break;
        case 17: {
            CScanListRules rules(m_doc);
            const int list = pick(1, lists.scanListCount());
            r = pick(0, 2) ? rules.moveIn(list, {at, randomChannel(lists), randomChannel(lists)}, m_prompter)
                           : rules.moveOut(list, rules.members(list).mid(0, 2));
            break;
        }
        case 18: {
            CRxGroupRules rules(m_doc);
            const int list = pick(1, lists.rxGroupCount());
            const QList<int> chosen{pick(1, contacts.count()), pick(1, contacts.count())};
            r = pick(0, 2) ? rules.moveIn(list, chosen, m_prompter) : rules.moveOut(list, chosen.mid(0, 1));
            break;
        }
        case 19:
            ch.SetScanList(at.zone, at.channel, pick(0, lists.scanListCount()));
            ch.SetRxGroupList(at.zone, at.channel, pick(0, lists.rxGroupCount()));
            ch.SetContact(at.zone, at.channel, pick(0, contacts.count()));
            ch.SetEncrypt(at.zone, at.channel, pick(0, keys.count()));
            CScanData(m_doc).SetPriorityChannel2(pick(1, lists.scanListCount()), randomChannel(lists));
            CEmergencyData(m_doc).SetReplyChannelRef(randomChannel(lists));
            CAnalogEmergencyData(m_doc).SetReplyChannelRef(at);
            break;
        case 20:
            contacts.enterCallId(pick(1, contacts.count()), QString::number(pick(0, 1500000)), m_prompter);
            break;
        case 22: r = lists.moveChannel(zone, channel, pick(0, lists.channelCount(zone) + 1)); break;
        case 23: r = lists.insertChannel(zone, pick(0, lists.channelCount(zone) + 2)); break;
        default: CChannelRules(m_doc).setMode(zone, channel, pick(0, 3)); break;
        }
        refused = !r.ok();
        return QStringLiteral("operation %1").arg(which);
    }

    int pick(int low, int high) { return high < low ? low : std::uniform_int_distribution<int>(low, high)(m_random); }

protected:
    ChannelRef randomChannel(CListMaintenance &lists)
    {
        const int zone = pick(1, lists.zoneCount());
        return {zone, pick(1, lists.channelCount(zone))};
    }

    CPcSoftwareDoc &m_doc;
    std::mt19937 m_random;
    RecordingPrompter m_prompter;
    ListClipboard m_clip;
};
