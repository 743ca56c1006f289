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

// The first broken rule, or an empty text.
QString firstViolation(CPcSoftwareDoc &doc)
{
    const CChannelData ch(doc);
    const CScanData scans(doc);
    const CRxGroupData rx(doc);
    const CContactData contacts(doc);
    const CEncryptData keys(doc);
    const int zones = ch.CountZones(), scanCount = scans.CountLists(), rxCount = rx.CountLists();
    const int contactCount = contacts.CountContacts(), keyCount = keys.CountEntries();
    if (zones < 1 || scanCount < 1 || rxCount < 1 || contactCount < 1 || keyCount < 1)
        return QStringLiteral("an empty list");
    for (int i = 1; i <= 200; ++i) {
        if (contacts.GetNumber(i) != (i <= contactCount ? i : 0) || (i <= contactCount && contacts.GetName(i).isEmpty()))
            return QStringLiteral("contact %1 out of place").arg(i);
    }
    const auto exists = [&](ChannelRef ref) {
        return ref.zone >= 1 && ref.zone <= zones && ref.channel >= 1 && ref.channel <= ch.CountChannels(ref.zone);
    };
    const auto setButMissing = [&](ChannelRef ref) { return ref.isSet() && !exists(ref); };
    for (int i = 1; i <= 16; ++i) {
        if ((i > zones && ch.ZoneExists(i)) || (i > scanCount && !scans.GetName(i).isEmpty())
            || (i > rxCount && !rx.GetName(i).isEmpty())
            || (i <= keyCount && (keys.GetNumber(i) != i || keys.GetName(i).isEmpty())))
            return QStringLiteral("record %1 of a list out of place").arg(i);
        const int channels = ch.CountChannels(i);
        if (i <= zones && (channels < 1 || ch.GetZoneChannelCount(i) != channels))
            return QStringLiteral("zone %1 channel count").arg(i);
        const int setMembers = scans.GetMembers(i).size();
        for (int k = 1; k <= 16; ++k) {
            if (i <= zones && (k > channels ? ch.ChannelExists(i, k)
                                            : (ch.GetScanList(i, k) > scanCount || ch.GetRxGroupList(i, k) > rxCount
                                               || ch.GetContact(i, k) > contactCount || ch.GetEncrypt(i, k) > keyCount)))
                return QStringLiteral("channel %1:%2").arg(i).arg(k);
            const ChannelRef member = scans.GetMember(i, k);
            if (i <= scanCount && (setButMissing(member) || (member.isSet() && k > setMembers)))
                return QStringLiteral("scan list %1 member %2").arg(i).arg(k);
            const int contact = rx.GetMember(i, k);
            if (i <= rxCount && (k <= rx.GetMemberCount(i) ? (contact < 1 || contact > contactCount) : contact != 0))
                return QStringLiteral("RX group %1 slot %2").arg(i).arg(k);
        }
        if (i <= scanCount
            && (setButMissing(scans.GetPriorityChannel1(i)) || setButMissing(scans.GetPriorityChannel2(i))
                || setButMissing(scans.GetDesignatedChannel(i))))
            return QStringLiteral("scan list %1 channel pair").arg(i);
    }
    if (setButMissing(CEmergencyData(doc).GetReplyChannelRef()) || setButMissing(CAnalogEmergencyData(doc).GetReplyChannelRef()))
        return QStringLiteral("emergency reply channel");
    return {};
}

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
        const int which = pick(0, 21);
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
        default: CChannelRules(m_doc).setMode(zone, channel, pick(0, 3)); break;
        }
        refused = !r.ok();
        return QStringLiteral("operation %1").arg(which);
    }

private:
    int pick(int low, int high) { return high < low ? low : std::uniform_int_distribution<int>(low, high)(m_random); }
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
        RandomEditor editor(*t.doc, seed);
        ASSERT_EQ(firstViolation(*t.doc), QString());
        for (int i = 0; i < 600; ++i) {
            const QByteArray before = imageOf(*t.doc);
            bool refused = false;
            const std::string operation = editor.step(refused).toStdString();
            ASSERT_EQ(firstViolation(*t.doc), QString()) << "seed " << seed << " step " << i << ": " << operation;
            if (refused) {
                ASSERT_EQ(imageOf(*t.doc), before) << "refused " << operation << " changed the image";
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
        EXPECT_FALSE(firstViolation(*t.doc).contains(QStringLiteral("contact")));
    }
}
