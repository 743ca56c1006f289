// Random sequences of list operations must keep every list dense and every
// reference either valid or none, and a refused operation must change
// nothing.
#include "RandomEditor.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/EmergencyData.h"
#include "sections/EncryptData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <gtest/gtest.h>

#include <QByteArray>

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
