// Random sequences of list operations must keep every list dense and every
// reference either valid or none, and a refused operation must change
// nothing.
#include "TestSupport.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/EmergencyData.h"
#include "sections/EncryptData.h"
#include "sections/EncryptRules.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"
#include "sections/RxGroupRules.h"
#include "sections/ScanData.h"
#include "sections/ScanListRules.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <random>

namespace {

class Checker
{
public:
    explicit Checker(CPcSoftwareDoc &doc) : m_doc(doc) {}

    // The first broken rule, or an empty text.
    QString firstViolation() const
    {
        const CChannelData ch(m_doc);
        const int zones = ch.CountZones();
        if (zones < 1)
            return QStringLiteral("no zone");
        for (int z = zones + 1; z <= ch.zoneSlotCount(); ++z) {
            if (ch.ZoneExists(z))
                return QStringLiteral("zone %1 named after the last zone").arg(z);
        }
        const CScanData scans(m_doc);
        const CRxGroupData rx(m_doc);
        const CContactData contacts(m_doc);
        const CEncryptData keys(m_doc);
        const int scanCount = scans.CountLists();
        const int rxCount = rx.CountLists();
        const int contactCount = contacts.CountContacts();
        const int keyCount = keys.CountEntries();
        if (scanCount < 1 || rxCount < 1 || contactCount < 1 || keyCount < 1)
            return QStringLiteral("an empty list");
        for (int i = scanCount + 1; i <= 16; ++i) {
            if (!scans.GetName(i).isEmpty())
                return QStringLiteral("scan list %1 after a gap").arg(i);
        }
        for (int i = rxCount + 1; i <= 16; ++i) {
            if (!rx.GetName(i).isEmpty())
                return QStringLiteral("RX group %1 after a gap").arg(i);
        }
        for (int i = 1; i <= 200; ++i) {
            const bool used = i <= contactCount;
            if (used && (contacts.GetNumber(i) != i || contacts.GetName(i).isEmpty()))
                return QStringLiteral("contact %1 not in place").arg(i);
            if (!used && contacts.GetNumber(i) != 0)
                return QStringLiteral("contact %1 in use after the last").arg(i);
        }
        for (int i = 1; i <= keyCount; ++i) {
            if (keys.GetNumber(i) != i || keys.GetName(i).isEmpty())
                return QStringLiteral("key %1 not in place").arg(i);
        }

        const auto exists = [&](ChannelRef ref) {
            return ref.zone >= 1 && ref.zone <= zones && ref.channel >= 1 && ref.channel <= ch.CountChannels(ref.zone);
        };
        for (int z = 1; z <= zones; ++z) {
            const int channels = ch.CountChannels(z);
            if (channels < 1 || ch.GetZoneChannelCount(z) != channels)
                return QStringLiteral("zone %1 channel count").arg(z);
            for (int c = channels + 1; c <= 16; ++c) {
                if (ch.ChannelExists(z, c))
                    return QStringLiteral("channel %1:%2 after a gap").arg(z).arg(c);
            }
            for (int c = 1; c <= channels; ++c) {
                if (ch.GetScanList(z, c) > scanCount || ch.GetRxGroupList(z, c) > rxCount
                    || ch.GetContact(z, c) > contactCount || ch.GetEncrypt(z, c) > keyCount)
                    return QStringLiteral("channel %1:%2 names a missing record").arg(z).arg(c);
            }
        }
        for (int s = 1; s <= scanCount; ++s) {
            bool ended = false;
            for (int m = 1; m <= 16; ++m) {
                const ChannelRef member = scans.GetMember(s, m);
                if (member.isSet() && (ended || !exists(member)))
                    return QStringLiteral("scan list %1 member %2").arg(s).arg(m);
                ended = ended || !member.isSet();
            }
            for (ChannelRef pair : {scans.GetPriorityChannel1(s), scans.GetPriorityChannel2(s), scans.GetDesignatedChannel(s)}) {
                if (pair.isSet() && !exists(pair))
                    return QStringLiteral("scan list %1 channel pair").arg(s);
            }
        }
        for (int g = 1; g <= rxCount; ++g) {
            const int count = rx.GetMemberCount(g);
            for (int slot = 1; slot <= 16; ++slot) {
                const int member = rx.GetMember(g, slot);
                if (slot <= count ? (member < 1 || member > contactCount) : member != 0)
                    return QStringLiteral("RX group %1 slot %2").arg(g).arg(slot);
            }
        }
        const ChannelRef digital = CEmergencyData(m_doc).GetReplyChannelRef();
        const ChannelRef analog = CAnalogEmergencyData(m_doc).GetReplyChannelRef();
        if ((digital.isSet() && !exists(digital)) || (analog.isSet() && !exists(analog)))
            return QStringLiteral("emergency reply channel");
        return {};
    }

private:
    CPcSoftwareDoc &m_doc;
};

class RandomEditor
{
public:
    RandomEditor(CPcSoftwareDoc &doc, unsigned seed) : m_doc(doc), m_random(seed) {}

    // One random operation; returns its name for the failure message.
    QString step(bool &refused)
    {
        CListMaintenance lists(m_doc);
        CContactRules contacts(m_doc);
        CEncryptRules keys(m_doc);
        const int zones = lists.zoneCount();
        const int zone = pick(0, zones + 1);  // now and then one outside the list
        const int channel = pick(0, lists.channelCount(zone) + 1);
        EditResult r;
        QString name;
        switch (pick(0, 19)) {
        case 0: name = "add zone"; r = lists.addZone(); break;
        case 1: name = "delete zone"; r = lists.deleteZone(zone); break;
        case 2: name = "add channel"; r = lists.addChannel(zone); break;
        case 3: case 4: name = "delete channel"; r = lists.deleteChannel(zone, channel); break;
        case 5: name = "add scan"; r = lists.addScanList(); break;
        case 6: name = "delete scan"; r = lists.deleteScanList(pick(0, lists.scanListCount() + 1)); break;
        case 7: name = "add group"; r = lists.addRxGroup(); break;
        case 8: name = "delete group"; r = lists.deleteRxGroup(pick(0, lists.rxGroupCount() + 1)); break;
        case 9: name = "add contact"; r = contacts.add(m_prompter); break;
        case 10: name = "insert contact"; r = contacts.insert(pick(0, contacts.count() + 1), m_prompter); break;
        case 11: name = "delete contact"; r = contacts.remove(pick(0, contacts.count() + 1)); break;
        case 12:
            name = "keys";
            r = pick(0, 2) == 0 ? keys.add() : pick(0, 1) ? keys.insert(pick(0, keys.count() + 1)) : keys.remove(pick(0, keys.count() + 1));
            break;
        case 13: name = "paste"; r = paste(lists, zone, channel); break;
        case 14: name = "scan members"; r = scanMembers(lists); break;
        case 15: name = "group members"; r = groupMembers(lists, contacts); break;
        case 16: name = "channel references"; setChannelRefs(lists, contacts, keys); r = {}; break;
        case 17: name = "channel pairs"; setChannelPairs(lists); r = {}; break;
        case 18:
            name = "call ID";
            contacts.enterCallId(pick(1, contacts.count()), QString::number(pick(0, 1500000)), m_prompter);
            r = {};
            break;
        default: name = "mode"; CChannelRules(m_doc).setMode(zone, channel, pick(0, 3)); r = {}; break;
        }
        refused = !r.ok();
        return name;
    }

private:
    int pick(int low, int high) { return high < low ? low : std::uniform_int_distribution<int>(low, high)(m_random); }

    ChannelRef randomChannel(CListMaintenance &lists)
    {
        const int zone = pick(1, lists.zoneCount());
        return {zone, pick(1, lists.channelCount(zone))};
    }

    EditResult paste(CListMaintenance &lists, int zone, int channel)
    {
        switch (pick(0, 2)) {
        case 0: {
            const ChannelRef from = randomChannel(lists);
            m_clip.copyChannel(from.zone, from.channel);
            return lists.pasteChannel(m_clip, zone, channel);
        }
        case 1:
            m_clip.copyScanList(pick(1, lists.scanListCount()));
            return lists.pasteScanList(m_clip, pick(1, lists.scanListCount()));
        default:
            // Sometimes a stale clipboard from an earlier step.
            if (pick(0, 1))
                m_clip.copyRxGroup(pick(1, lists.rxGroupCount()));
            return lists.pasteRxGroup(m_clip, pick(1, lists.rxGroupCount()));
        }
    }

    EditResult scanMembers(CListMaintenance &lists)
    {
        CScanListRules rules(m_doc);
        const int list = pick(1, lists.scanListCount());
        QList<ChannelRef> channels;
        for (int i = pick(1, 5); i > 0; --i)
            channels << randomChannel(lists);
        return pick(0, 2) ? rules.moveIn(list, channels, m_prompter) : rules.moveOut(list, rules.members(list).mid(0, 2));
    }

    EditResult groupMembers(CListMaintenance &lists, CContactRules &contacts)
    {
        CRxGroupRules rules(m_doc);
        const int list = pick(1, lists.rxGroupCount());
        QList<int> chosen;
        for (int i = pick(1, 4); i > 0; --i)
            chosen << pick(1, contacts.count());
        return pick(0, 2) ? rules.moveIn(list, chosen, m_prompter) : rules.moveOut(list, chosen.mid(0, 1));
    }

    void setChannelRefs(CListMaintenance &lists, CContactRules &contacts, CEncryptRules &keys)
    {
        CChannelData ch(m_doc);
        const ChannelRef at = randomChannel(lists);
        ch.SetScanList(at.zone, at.channel, pick(0, lists.scanListCount()));
        ch.SetRxGroupList(at.zone, at.channel, pick(0, lists.rxGroupCount()));
        ch.SetContact(at.zone, at.channel, pick(0, contacts.count()));
        ch.SetEncrypt(at.zone, at.channel, pick(0, keys.count()));
    }

    void setChannelPairs(CListMaintenance &lists)
    {
        CScanData scans(m_doc);
        const int list = pick(1, lists.scanListCount());
        scans.SetPriorityChannel1(list, randomChannel(lists));
        scans.SetPriorityChannel2(list, randomChannel(lists));
        scans.SetDesignatedChannel(list, randomChannel(lists));
        CEmergencyData digital(m_doc);
        digital.SetReplyChannelRef(randomChannel(lists));
        digital.SetReplyChannelSet(true);
        CAnalogEmergencyData(m_doc).SetReplyChannelRef(randomChannel(lists));
    }

    CPcSoftwareDoc &m_doc;
    std::mt19937 m_random;
    RecordingPrompter m_prompter;
    ListClipboard m_clip;
};

QByteArray imageOf(const CPcSoftwareDoc &doc)
{
    return QByteArray(reinterpret_cast<const char *>(doc.image()), kImageSize);
}

}  // namespace

TEST(ListInvariants, RandomOperationsKeepListsDenseAndReferencesValid)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        TestDocument t(QStringLiteral("VK214"));
        CContactRules(*t.doc).compact();
        Checker checker(*t.doc);
        RandomEditor editor(*t.doc, seed);
        ASSERT_EQ(checker.firstViolation(), QString());
        for (int i = 0; i < 600; ++i) {
            const QByteArray before = imageOf(*t.doc);
            bool refused = false;
            const QString operation = editor.step(refused);
            const QString violation = checker.firstViolation();
            ASSERT_EQ(violation, QString()) << "seed " << seed << " step " << i << ": " << operation.toStdString();
            if (refused) {
                ASSERT_EQ(imageOf(*t.doc), before) << "refused " << operation.toStdString() << " changed the image";
            }
        }
    }
}

TEST(ListInvariants, GarbageImagesNeverLeadOutsideTheImage)
{
    // Run under the sanitizers this shows that no stored byte, however
    // wrong, makes an operation read or write outside a record.
    for (unsigned seed : {7u, 8u}) {
        TestDocument t(QStringLiteral("VK214"));
        std::mt19937 random(seed);
        for (int i = 0; i < kImageSize; ++i)
            t.image()[i] = uint8_t(random() & 0xFF);
        RandomEditor editor(*t.doc, seed);
        bool refused = false;
        for (int i = 0; i < 300; ++i)
            editor.step(refused);
        CContactRules(*t.doc).compact();
        EXPECT_EQ(Checker(*t.doc).firstViolation().contains(QStringLiteral("contact")), false);
    }
}
