#include "TestSupport.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/EmergencyData.h"
#include "sections/EmergencyRules.h"
#include "sections/EncryptData.h"
#include "sections/EncryptRules.h"
#include "sections/IdEntryRules.h"
#include "sections/ListMaintenance.h"
#include "sections/QuickTextData.h"
#include "sections/QuickTextRules.h"
#include "sections/ScanData.h"
#include "sections/ScanListRules.h"

#include <gtest/gtest.h>

namespace {
using Dir = CChannelData::Direction;
}

TEST(ChannelRules, NamesFrequenciesAndModes)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addZone();
    CChannelRules rules(*t.doc);
    CChannelData ch(*t.doc);
    RecordingPrompter prompter;

    EXPECT_FALSE(rules.enterZoneName(2, QString(), prompter));
    EXPECT_FALSE(rules.enterZoneName(2, QStringLiteral("Zone 1"), prompter));
    EXPECT_EQ(ch.GetZoneName(2), "Zone 2");
    // Both zones have a "Channel 1": keeping it is fine, taking another's is not.
    EXPECT_TRUE(rules.enterChannelName(2, 1, QStringLiteral("Channel 1"), prompter));
    CListMaintenance(*t.doc).addChannel(2);
    EXPECT_FALSE(rules.enterChannelName(2, 2, QStringLiteral("Channel 1"), prompter));
    EXPECT_EQ(prompter.keys(), (QStringList{"IDS_EXIST_NAME", "IDS_EXIST_NAME"}));
    EXPECT_TRUE(rules.enterChannelName(2, 2, QStringLiteral("Repeater at hill"), prompter));
    // Equal to another name once cut to the 14 units the field holds.
    EXPECT_FALSE(rules.enterChannelName(1, 1, QStringLiteral("Repeater at hills"), prompter));
    EXPECT_EQ(prompter.keys().size(), 3);

    // Above the band: the maximum, with the colour code following.
    const QString shown = rules.enterFrequency(1, 1, Dir::Receive, QStringLiteral("999"));
    EXPECT_EQ(shown, ch.GetFrequency(1, 1, Dir::Receive));
    EXPECT_EQ(ch.GetFrequencyUnits(1, 1, Dir::Receive), t.doc->upperBandLimit());
    EXPECT_EQ(ch.GetRxColourCode(1, 1), CChannelData::ColourCodeForFrequencyText(t.doc->GetFreqLimitText(1)));
    EXPECT_EQ(ch.GetFrequencyUnits(1, 1, Dir::Transmit), t.doc->lowerBandLimit());
    const QString before = ch.GetFrequency(1, 1, Dir::Receive);
    EXPECT_EQ(rules.enterFrequency(1, 1, Dir::Receive, QString()), before);
    EXPECT_EQ(rules.enterFrequency(1, 1, Dir::Receive, QStringLiteral("abc")), before);
    EXPECT_EQ(CChannelData::ColourCodeForFrequencyText(QStringLiteral("434.125")), 20);

    // Mixed modes need tones; the bandwidth follows the mode.
    rules.setMode(1, 1, 1);
    EXPECT_EQ(ch.GetTone(1, 1, Dir::Receive), "67.0");
    EXPECT_EQ(ch.GetTone(1, 1, Dir::Transmit), "67.0");
    EXPECT_EQ(ch.GetBandwidth(1, 1), 3);
    rules.setMode(1, 1, 2);
    EXPECT_EQ(ch.GetTone(1, 1, Dir::Receive), "67.0");
    EXPECT_EQ(ch.GetBandwidth(1, 1), 2);
}

TEST(ScanListRules, MembersSelectorsAndLookBack)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance lists(*t.doc);
    for (int c = 2; c <= 16; ++c)
        lists.addChannel(1);
    lists.addZone();
    lists.addChannel(2);
    CScanData scans(*t.doc);
    CScanListRules rules(*t.doc);
    QList<ChannelRef> fourteen;
    for (int c = 1; c <= 14; ++c)
        fourteen << ChannelRef{1, c};
    scans.SetMembers(1, fourteen);
    RecordingPrompter prompter;
    EXPECT_EQ(rules.moveIn(1, {{1, 15}, {1, 16}, {2, 1}}, prompter).refusal, Refusal::Rejected);
    EXPECT_EQ(prompter.keys(), QStringList{"IDS_PROMPT_CHANNELMEMBER"});
    EXPECT_TRUE(rules.moveIn(1, {{1, 16}, {2, 2}}, prompter).ok());
    EXPECT_EQ(scans.GetMember(1, 15), (ChannelRef{1, 16}));
    EXPECT_EQ(scans.GetMember(1, 16), (ChannelRef{2, 2}));
    EXPECT_EQ(rules.availableChannels(1), (QList<ChannelRef>{{1, 15}, {2, 1}}));

    rules.moveOut(1, {{1, 1}, {2, 2}});
    EXPECT_EQ(scans.GetMember(1, 1), (ChannelRef{1, 2}));
    EXPECT_EQ(scans.GetMember(1, 14), (ChannelRef{1, 16}));
    EXPECT_EQ(bytesAt(t.image(), 0x4690 + 24 + 28, 4), "00 00 00 00");

    // Unset pairs are rewritten as (0, 0); a selection stores the named channel.
    lists.addScanList();
    t.image()[0x4638 + 88 * 2 + 1] = 0xFF;
    t.image()[0x4638 + 88 * 2 + 2] = 0xFF;
    EXPECT_TRUE(rules.clearUnsetChannelPairs(2));
    EXPECT_EQ(bytesAt(t.image(), 0x4638 + 88 * 2 + 1, 2), "00 00");
    rules.storeSelectedChannel(2, CScanListRules::Pair::Designated, QStringLiteral("Zone 2:Channel 2"));
    EXPECT_EQ(scans.GetDesignatedChannel(2), (ChannelRef{2, 2}));
    rules.storeSelectedChannel(2, CScanListRules::Pair::Designated, QStringLiteral("nothing"));
    EXPECT_EQ(scans.GetDesignatedChannel(2), ChannelRef{});

    EXPECT_EQ(CScanListRules::lookBackStep(QStringLiteral("5.0"), true), 5);
    EXPECT_EQ(CScanListRules::lookBackStep(QStringLiteral("0.5"), false), 50);
    EXPECT_EQ(CScanListRules::lookBackStep(QStringLiteral("0.7"), true), 8);
    EXPECT_EQ(CScanListRules::lookBackEntered(QStringLiteral("7")), 50);
    EXPECT_EQ(CScanListRules::lookBackEntered(QStringLiteral("x")), 5);
    EXPECT_EQ(CScanListRules::lookBackText(25), "2.5");
}

TEST(EncryptRules, AddInsertDeleteFollowChannels)
{
    TestDocument t(QStringLiteral("VK214"));
    CEncryptRules rules(*t.doc);
    CEncryptData keys(*t.doc);
    EXPECT_EQ(rules.add().record, 2);
    keys.SetName(2, QStringLiteral("Encrypt 3"));
    EXPECT_EQ(rules.add().record, 3);
    EXPECT_EQ(keys.GetName(3), "Encrypt 2");
    EXPECT_EQ(keys.GetKey(3), "00000003");

    CListMaintenance lists(*t.doc);
    lists.addChannel(1);
    lists.addChannel(1);
    CChannelData ch(*t.doc);
    for (int c = 1; c <= 3; ++c)
        ch.SetEncrypt(1, c, c);
    // A key of eight zeros moves as it is.
    t.image()[0x6E78 + 1] = t.image()[0x6E78 + 2] = t.image()[0x6E78 + 3] = t.image()[0x6E78 + 4] = 0;
    EXPECT_EQ(rules.insert(1).record, 1);
    EXPECT_EQ(keys.GetKey(2), "00000000");
    EXPECT_EQ(keys.GetKey(1), "00000004");
    EXPECT_EQ(keys.GetNumber(4), 4);
    EXPECT_EQ(ch.GetEncrypt(1, 1), 2);
    EXPECT_EQ(ch.GetEncrypt(1, 3), 4);

    EXPECT_EQ(rules.remove(3).record, 3);
    EXPECT_EQ(ch.GetEncrypt(1, 2), 0);
    EXPECT_EQ(ch.GetEncrypt(1, 3), 3);
    EXPECT_EQ(keys.GetNumber(4), 0);
    EXPECT_EQ(bytesAt(t.image(), 0x6E50 + 40 * 4, 5), "00 00 00 00 00");
    EXPECT_EQ(rules.count(), 3);
}

TEST(QuickTextRules, CountIsKeptToTheSection)
{
    TestDocument t(QStringLiteral("TL809"));
    CQuickTextRules rules(*t.doc);
    CQuickTextData texts(*t.doc);
    EXPECT_EQ(rules.add().record, 2);
    texts.SetText(2, QStringLiteral("Two"));
    rules.add();
    texts.SetText(3, QStringLiteral("Three"));
    EXPECT_EQ(rules.insert(1).record, 1);
    EXPECT_EQ(texts.GetText(1), "");
    EXPECT_EQ(texts.GetText(2), "Hello");
    EXPECT_EQ(texts.GetText(4), "Three");
    EXPECT_EQ(rules.remove(1).record, 1);
    EXPECT_EQ(rules.remove(2).record, 2);
    EXPECT_EQ(texts.GetText(2), "Three");
    EXPECT_EQ(texts.GetText(3), "");
    EXPECT_EQ(texts.GetCount(), 2);

    // A count byte of 30 (the radio accepts up to 32) never reaches text 26:
    // the byte after text 25 belongs to another section.
    t.image()[0x8032] = 30;
    t.image()[0x8354] = 0xA5;
    EXPECT_LE(rules.count(), 25);
    rules.add();
    rules.insert(1);
    rules.remove(rules.count());
    EXPECT_EQ(t.image()[0x8354], 0xA5);

    t.image()[0x8032] = 0xFF;
    EXPECT_EQ(rules.count(), 1);
    for (int i = 1; i < 25; ++i)
        ASSERT_TRUE(rules.add().ok());
    EXPECT_EQ(rules.add().refusal, Refusal::ListFull);
    EXPECT_EQ(rules.insert(3).refusal, Refusal::ListFull);
}

TEST(IdEntryRules, RadioAndStartIds)
{
    TestDocument t;
    CBasicSettingData basic(*t.doc);
    EXPECT_TRUE(IdEntryRules::enterRadioId(*t.doc, QStringLiteral("9000000")));
    EXPECT_EQ(basic.GetRadioId(), "9000001");
    EXPECT_TRUE(IdEntryRules::enterRadioId(*t.doc, QString()));
    EXPECT_EQ(basic.GetRadioId(), "0000001");
    EXPECT_TRUE(IdEntryRules::enterRadioId(*t.doc, QStringLiteral("42")));
    EXPECT_EQ(basic.GetRadioId(), "0000042");
    EXPECT_FALSE(IdEntryRules::enterRadioId(*t.doc, QStringLiteral("12345678")));
    EXPECT_FALSE(IdEntryRules::enterRadioId(*t.doc, QStringLiteral("4x")));
    EXPECT_EQ(basic.GetRadioId(), "0000042");
    EXPECT_TRUE(IdEntryRules::enterStartId(*t.doc, QStringLiteral("0")));
    EXPECT_EQ(basic.GetGroupCallStartId(), "0000001");
}

TEST(EmergencyRules, ReplyChannelsAndEmergencyId)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance lists(*t.doc);
    lists.addChannel(1);
    lists.addChannel(1);
    CChannelData ch(*t.doc);
    ch.SetChannelMode(1, 1, 3);
    ch.SetChannelMode(1, 2, 2);
    ch.SetChannelMode(1, 3, 0);
    CEmergencyRules rules(*t.doc);
    EXPECT_EQ(rules.digitalReplyChannels(), (QList<ChannelRef>{ChannelRef{1, 1}}));
    const QList<ChannelRef> analogExpected{{1, 2}, {1, 3}};
    EXPECT_EQ(rules.analogReplyChannels(), analogExpected);

    CEmergencyData digital(*t.doc);
    digital.SetReplyChannelRef({1, 1});
    digital.SetReplyChannelSet(true);
    EXPECT_EQ(rules.checkDigitalReply(), (ChannelRef{1, 1}));
    ch.SetChannelMode(1, 1, 2);  // an analog channel can no longer be the digital reply
    EXPECT_EQ(rules.checkDigitalReply(), ChannelRef{});
    EXPECT_FALSE(digital.GetReplyChannelSet());
    EXPECT_EQ(bytesAt(t.image(), 0x4C14, 2), "00 00");

    CAnalogEmergencyData analog(*t.doc);
    analog.SetReplyChannelRef({1, 3});
    analog.SetDesignatedReplyChannel(true);
    EXPECT_EQ(rules.checkAnalogReply(), (ChannelRef{1, 3}));
    lists.deleteChannel(1, 3);
    EXPECT_EQ(rules.checkAnalogReply(), ChannelRef{});
    EXPECT_FALSE(analog.GetDesignatedReplyChannel());

    // Contact 1 (1000001) is listed; an unknown stored ID becomes its ID.
    digital.SetEmergencyCallId(QStringLiteral("7654321"));
    CEmergencyRules::IdChoice choice = rules.checkEmergencyId();
    EXPECT_EQ(choice.contacts, QList<int>{1});
    EXPECT_EQ(choice.selected, 1);
    EXPECT_EQ(digital.GetEmergencyCallId(), "1000001");
    // A radio ID above every contact: the radio's own ID stands alone.
    CBasicSettingData(*t.doc).SetRadioId(QStringLiteral("2000001"));
    choice = rules.checkEmergencyId();
    EXPECT_TRUE(choice.contacts.isEmpty());
    EXPECT_EQ(digital.GetEmergencyCallId(), "2000001");
    rules.chooseEmergencyContact(QStringLiteral("Contact 1"));
    EXPECT_EQ(digital.GetEmergencyCallId(), "1000001");
    rules.chooseEmergencyContact(QStringLiteral("nobody"));
    EXPECT_EQ(digital.GetEmergencyCallId(), "0000000");
}
