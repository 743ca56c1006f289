#include "BlankDocument.h"

#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/EncryptData.h"
#include "sections/QuickTextData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

// Record numbers outside a list are refused by every list accessor: setters
// and record operations write nothing, getters give the fallback. The numbers
// just past each list matter most: zone 3 of a two-slot model, channel and
// list 17, contact 201, quick text 26.
TEST(RecordBounds, NumbersOutsideTheListsAreRefused)
{
    BlankDocument b;  // RQ381: two zone slots
    b.fill(0x0250 + 48 * 3, 48, 0x00);         // zone 3 and its channel 1 hold
    b.fill(0x0140 + 1024 * 3 + 64, 64, 0x00);  // what a wider model would use
    const auto before = b.snapshot();
    const QString x = QStringLiteral("X");

    CChannelData ch(b.doc);
    for (auto [zone, channel] : std::initializer_list<std::pair<int, int>>{{0, 1}, {3, 1}, {1, 0}, {1, 17}, {-1, -1}}) {
        ch.SetChannelName(zone, channel, x);
        ch.InitChannel(zone, channel);
        ch.ClearChannelRecord(zone, channel);
        EXPECT_EQ(ch.GetChannelName(zone, channel), QString());
        EXPECT_EQ(ch.GetChannelMode(zone, channel), -4);
    }
    ch.SetZoneName(3, x);
    ch.SetZoneSlot(1, 17, 1);
    ch.CopyChannelBlock(1, 3);
    EXPECT_EQ(ch.GetZoneName(3), QString());

    CScanData scans(b.doc);
    CRxGroupData groups(b.doc);
    CEncryptData keys(b.doc);
    for (int n : {0, 17, -3}) {
        scans.SetName(n, x);
        scans.InitList(n);
        scans.SetMembers(n, {{1, 1}});
        scans.SetMember(1, n, {1, 1});
        scans.CopyRecord(1, n);
        groups.SetMember(n, 1, 1);
        groups.SetMember(1, n, 1);
        groups.SetMembers(n, {1});
        groups.ClearRecord(n);
        keys.SetKey(n, x);
        keys.ClearEntry(n);
        EXPECT_EQ(scans.GetName(n), QString());
        EXPECT_EQ(groups.GetMember(n, 1), 0);
        EXPECT_EQ(keys.GetKey(n), QString());
    }
    CContactData contacts(b.doc);
    CQuickTextData texts(b.doc);
    for (int n : {0, 201, -1}) {
        contacts.SetCallId(n, QStringLiteral("1234567"));
        contacts.ClearContact(n);
        texts.SetText(n == 201 ? 26 : n, x);
        EXPECT_EQ(contacts.GetName(n), QString());
        EXPECT_EQ(texts.GetText(n == 201 ? 26 : n), QString());
    }
    // Values outside a field's range are refused the same way.
    groups.SetMember(1, 1, 201);
    groups.SetMemberCount(1, 17);
    contacts.SetNumber(2, 201);
    keys.SetNumber(2, 17);
    EXPECT_TRUE(b.unchangedSince(before));

    BlankDocument wide(QStringLiteral("VK214"));
    CChannelData(wide.doc).SetChannelName(16, 16, x);
    EXPECT_EQ(bytesAt(wide.image(), 0x4540 + 29, 2), "58 00");
}
