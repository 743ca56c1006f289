#include "ListFixture.h"

#include "sections/AnalogEmergencyData.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelRules.h"
#include "sections/EmergencyData.h"
#include "sections/EmergencyRules.h"
#include "sections/EncryptData.h"
#include "sections/EncryptRules.h"
#include "sections/IdEntryRules.h"
#include "sections/QuickTextData.h"
#include "sections/QuickTextRules.h"
#include "sections/ScanData.h"
#include "sections/ScanListRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
constexpr auto Rx = CChannelData::Direction::Receive;
}

TEST(ChannelRules, NamesFrequenciesAndModes)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addZone();
    CListMaintenance(*t.doc).addChannel(2);
    CChannelRules rules(*t.doc);
    CChannelData ch(*t.doc);
    RecordingPrompter prompter;
    EXPECT_FALSE(rules.enterZoneName(2, QString(), prompter));
    EXPECT_FALSE(rules.enterZoneName(2, QStringLiteral("Zone 1"), prompter));
    // Both zones have a "Channel 1": keeping it is fine, taking another's is not.
    EXPECT_TRUE(rules.enterChannelName(2, 1, QStringLiteral("Channel 1"), prompter));
    EXPECT_FALSE(rules.enterChannelName(2, 2, QStringLiteral("Channel 1"), prompter));
    EXPECT_TRUE(rules.enterChannelName(2, 2, QStringLiteral("Repeater at hill"), prompter));
    // Equal to another name once cut to the 14 units the field holds.
    EXPECT_FALSE(rules.enterChannelName(1, 1, QStringLiteral("Repeater at hills"), prompter));
    EXPECT_EQ(prompter.keys(), QStringList(3, QStringLiteral("IDS_EXIST_NAME")));

    // Above the band: the maximum, with the colour code following. An
    // emptied or unreadable text is not stored, yet sets the colour code
    // from the stored frequency again.
    const QString top = rules.enterFrequency(1, 1, Rx, QStringLiteral("999"));
    EXPECT_EQ(ch.GetFrequencyUnits(1, 1, Rx), t.doc->upperBandLimit());
    const int code = CChannelData::ColourCodeForFrequencyText(top);
    EXPECT_EQ(ch.GetRxColourCode(1, 1), code);
    ch.SetRxColourCode(1, 1, code + 1);
    EXPECT_EQ(rules.enterFrequency(1, 1, Rx, QString()), top);
    EXPECT_EQ(ch.GetRxColourCode(1, 1), code);
    EXPECT_EQ(rules.enterFrequency(1, 1, Rx, QStringLiteral("abc")), top);

    // Mixed modes need tones; the bandwidth follows the mode.
    rules.setMode(1, 1, 1);
    EXPECT_EQ(ch.GetTone(1, 1, Rx) + ch.GetTone(1, 1, CChannelData::Direction::Transmit), "67.067.0");
    EXPECT_EQ(ch.GetBandwidth(1, 1), 3);
    rules.setMode(1, 1, 2);
    EXPECT_EQ(ch.GetTone(1, 1, Rx) + QString::number(ch.GetBandwidth(1, 1)), "67.02");

    // A channel stored against its mode's rules is found and mended: a tone
    // missing in one direction, or the bandwidth of another mode.
    EXPECT_FALSE(rules.breaksModeRules(1, 1));
    ch.SetBandwidth(1, 1, 3);
    EXPECT_TRUE(rules.breaksModeRules(1, 1));
    ch.SetChannelMode(1, 1, 0);
    ch.SetTone(1, 1, CChannelData::Direction::Transmit, QString());
    EXPECT_TRUE(rules.breaksModeRules(1, 1));
    rules.applyModeRules(1, 1);
    EXPECT_FALSE(rules.breaksModeRules(1, 1));
    EXPECT_EQ(ch.GetTone(1, 1, CChannelData::Direction::Transmit), "67.0");
    EXPECT_FALSE(rules.breaksModeRules(1, 9));  // no such channel: nothing to mend
}

TEST(ScanListRules, MembersSelectorsAndLookBack)
{
    ListFixture t(2, 16);
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
    EXPECT_EQ(rules.availableChannels(1).mid(0, 3), (QList<ChannelRef>{{1, 15}, {2, 1}, {2, 3}}));
    rules.moveOut(1, {{1, 1}, {2, 2}});
    EXPECT_EQ(bytesAt(t.image(), 0x4690 + 24, 2) + " " + bytesAt(t.image(), 0x4690 + 24 + 26, 6),
              "01 02 01 10 00 00 00 00");

    // Names: empty and another list's name are refused, the list's own is not.
    CListMaintenance(*t.doc).addScanList();
    EXPECT_FALSE(rules.acceptName(2, QString(), prompter));
    EXPECT_FALSE(rules.acceptName(2, QStringLiteral("Scan 1"), prompter));
    EXPECT_TRUE(rules.acceptName(2, QStringLiteral("Scan 2"), prompter));
    EXPECT_EQ(prompter.keys().last(), "IDS_EXIST_NAME");

    // An unset pair is rewritten as (0, 0).
    t.image()[0x4690 + 1] = 0xFF;
    EXPECT_TRUE(rules.clearUnsetChannelPairs(1));
    EXPECT_EQ(bytesAt(t.image(), 0x4690 + 1, 2), "00 00");
}

TEST(EncryptRules, AddInsertDeleteFollowChannels)
{
    ListFixture t(1, 3);
    CEncryptRules rules(*t.doc);
    CEncryptData keys(*t.doc);
    rules.add();
    keys.SetName(2, QStringLiteral("Encrypt 3"));
    EXPECT_EQ(rules.add().record, 3);
    EXPECT_EQ(keys.GetName(3) + " " + keys.GetKey(3), "Encrypt 2 00000003");
    for (int c = 1; c <= 3; ++c)
        CChannelData(*t.doc).SetEncrypt(1, c, c);
    // A stored key of eight zeros moves as it is, not as the default key.
    std::memset(t.image() + 0x6E78 + 1, 0, 4);
    EXPECT_EQ(rules.insert(1).record, 1);
    EXPECT_EQ(keys.GetKey(1) + " " + keys.GetKey(2), "00000004 00000000");
    EXPECT_EQ(keys.GetNumber(4), 4);
    EXPECT_EQ(t.zoneOne(&CChannelData::GetEncrypt), (QList<int>{2, 3, 4}));
    // Deleting entry 2 of 4: users of 2 use none, later ones move down.
    EXPECT_EQ(rules.remove(2).record, 3);
    EXPECT_EQ(t.zoneOne(&CChannelData::GetEncrypt), (QList<int>{0, 2, 3}));
    EXPECT_EQ(bytesAt(t.image(), 0x6E50 + 40 * 4, 5), "00 00 00 00 00");
}

TEST(QuickTextRules, CountIsKeptToTheSection)
{
    TestDocument t(QStringLiteral("TL809"));
    CQuickTextRules rules(*t.doc);
    CQuickTextData texts(*t.doc);
    const auto all = [&] {
        QStringList shown;
        for (int i = 1; i <= rules.count(); ++i)
            shown << texts.GetText(i);
        return shown.join('|');
    };
    rules.add();
    texts.SetText(2, QStringLiteral("Two"));
    EXPECT_EQ(rules.insert(1).record, 1);
    EXPECT_EQ(all(), "|Hello|Two");
    EXPECT_EQ(rules.remove(2).record, 2);
    EXPECT_EQ(all() + " " + texts.GetText(3), "|Two ");

    // A count byte of 30 (the radio accepts up to 32) never reaches past
    // text 25 into the next section.
    t.image()[0x8032] = 30;
    t.image()[0x8354] = 0xA5;
    EXPECT_EQ(rules.add().refusal, Refusal::ListFull);
    rules.remove(25);
    rules.insert(1);
    EXPECT_EQ(t.image()[0x8354], 0xA5);
    t.image()[0x8032] = 0xFF;
    EXPECT_EQ(rules.count(), 1);
}

TEST(IdEntryRules, RadioAndStartIds)
{
    TestDocument t;
    CBasicSettingData basic(*t.doc);
    const auto radioId = [&](const char *typed) {
        IdEntryRules::enterRadioId(*t.doc, QString::fromLatin1(typed));
        return basic.GetRadioId();
    };
    EXPECT_EQ(radioId("9000000"), "9000001");
    EXPECT_EQ(radioId(""), "0000001");
    EXPECT_EQ(radioId("42"), "0000042");
    EXPECT_EQ(radioId("12345678") + radioId("4x"), "00000420000042");
    IdEntryRules::enterStartId(*t.doc, QStringLiteral("0"));
    EXPECT_EQ(basic.GetGroupCallStartId(), "0000001");
}

TEST(EmergencyRules, ReplyChannelsAndEmergencyId)
{
    ListFixture t(1, 3);
    CChannelData ch(*t.doc);
    ch.SetChannelMode(1, 2, 2);
    ch.SetChannelMode(1, 3, 0);
    CEmergencyRules rules(*t.doc);
    EXPECT_EQ(rules.digitalReplyChannels(), (QList<ChannelRef>{ChannelRef{1, 1}}));
    EXPECT_EQ(rules.analogReplyChannels(), (QList<ChannelRef>{{1, 2}, {1, 3}}));
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
    ch.SetChannelName(1, 3, QString());  // a deleted channel has no name
    EXPECT_EQ(rules.checkAnalogReply(), ChannelRef{});
    EXPECT_FALSE(analog.GetDesignatedReplyChannel());

    // The reset of an open form leaves a flag whose channel is still to be
    // chosen, and resets a chosen one that is no longer acceptable.
    analog.SetDesignatedReplyChannel(true);
    EXPECT_FALSE(rules.resetUnacceptedAnalogReply());
    EXPECT_TRUE(analog.GetDesignatedReplyChannel());
    digital.SetReplyChannelSet(true);
    digital.SetReplyChannelRef({1, 1});
    EXPECT_TRUE(rules.resetUnacceptedDigitalReply());
    EXPECT_FALSE(digital.GetReplyChannelSet());
    EXPECT_EQ(bytesAt(t.image(), 0x4C14, 2), "00 00");
    ch.SetChannelMode(1, 1, 3);
    digital.SetReplyChannelRef({1, 1});
    EXPECT_FALSE(rules.resetUnacceptedDigitalReply());

    // Contact 1 (1000001) is listed; an unknown stored ID is shown as no
    // choice and only the check stores the first contact's ID.
    digital.SetEmergencyCallId(QStringLiteral("7654321"));
    EXPECT_EQ(rules.emergencyIdChoice().selected, -1);
    EXPECT_EQ(digital.GetEmergencyCallId(), "7654321");
    const CEmergencyRules::IdChoice choice = rules.checkEmergencyId();
    EXPECT_EQ(choice.contacts, QList<int>{1});
    EXPECT_EQ(choice.selected, 1);
    EXPECT_EQ(digital.GetEmergencyCallId(), "1000001");
    // A radio ID above every contact: the radio's own ID stands alone, and
    // choosing that entry keeps it (it is no contact's name).
    CBasicSettingData(*t.doc).SetRadioId(QStringLiteral("2000001"));
    EXPECT_TRUE(rules.checkEmergencyId().contacts.isEmpty());
    EXPECT_EQ(digital.GetEmergencyCallId(), "2000001");
    digital.SetEmergencyCallId(QStringLiteral("0000000"));
    rules.chooseEmergencyId(0);
    EXPECT_EQ(rules.emergencyIdChoice().selected, 0);
    rules.chooseEmergencyId(201);  // no such contact: nothing changes
    EXPECT_EQ(digital.GetEmergencyCallId(), "2000001");
}
