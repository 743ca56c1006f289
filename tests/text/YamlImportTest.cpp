// What the YAML import accepts, corrects and refuses.

#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/KeySettingData.h"
#include "sections/OptionData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <gtest/gtest.h>

namespace {

struct ImportCase
{
    const char *text;
    const char *path;  // of the first error
    int line;
    const char *says;  // part of its text
};

}

TEST(YamlImport, RefusedInputNamesPathAndLineAndChangesNothing)
{
    const ImportCase cases[] = {
        {"zones: [\n", "", 2, ""},  // not YAML at all
        {"- a\n- b\n", "", 1, "mapping"},
        {"format: other\n", "format", 1, "not an rq381-codeplug"},
        {"colour: red\n", "colour", 1, "unknown key"},
        {"digital_basic_settings:\n  radio_idd: \"1\"\n", "digital_basic_settings.radio_idd", 2, "unknown key"},
        {"zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n        power: maximal\n",
         "zones[1].channels[1].power", 5, "unknown choice"},
        {"zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n        auto_scan: 3\n",
         "zones[1].channels[1].auto_scan", 5, "true or false"},
        {"option_features:\n  squelch_level: [1, 2]\n", "option_features.squelch_level", 2, "single value"},
        {"option_features:\n  squelch_level: 10\n", "option_features.squelch_level", 2, "from 0 to 9"},
        {"contacts:\n  - name: \"A\"\n    call_id: \"2000000\"\n", "contacts[1].call_id", 3, "reserved"},
        {"contacts:\n  - name: \"A\"\n    call_id: \"12\"\n  - name: \"A\"\n    call_id: \"13\"\n", "contacts[2].name", 4,
         "already used"},
        {"contacts:\n  - name: \"A\"\n    call_id: \"12\"\n  - name: \"B\"\n    call_id: \"0000012\"\n", "contacts[2].call_id", 5,
         "already used"},
        {"zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n        scan_list: 2\n",
         "zones[1].channels[1].scan_list", 5, "does not exist"},
        // Emptying the contact list's tail while a channel still names it.
        {"contacts:\n  - name: \"A\"\n    call_id: \"1000001\"\n  - name: \"B\"\n    call_id: \"1000002\"\n"
         "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n        contact: 2\n",
         "", 0, ""},  // accepted: checked below
        {"scan_lists:\n  - name: \"Scan 1\"\n    members: [[1, 1], [1, 1]]\n", "scan_lists[1].members[2]", 3, "twice"},
        {"contacts: []\n", "contacts", 1, "at least 1"},
        {"programmable_keys:\n  short_press_1: telephone\n", "programmable_keys.short_press_1", 2, "not offered"},
        // The RQ381 has no power-on password: its form shows none.
        {"option_features:\n  power_on_password: \"1234\"\n", "option_features.power_on_password", 2, "does not offer"},
        {"decode_sequences: []\n", "decode_sequences", 1, "has no such section"},
    };
    for (const ImportCase &c : cases) {
        TestDocument t(QStringLiteral("RQ381"));
        const QByteArray before = imageOf(*t.doc);
        const YamlCodeplug::ImportReport report = YamlCodeplug::importText(QByteArray(c.text), *t.doc);
        if (!*c.says && !*c.path && c.line == 0) {
            EXPECT_TRUE(report.ok()) << c.text << messages(report).toStdString();
            continue;
        }
        ASSERT_FALSE(report.ok()) << c.text;
        const YamlCodeplug::Message &first = report.errors.first();
        EXPECT_EQ(first.path.toStdString(), c.path) << c.text;
        EXPECT_EQ(first.line, c.line) << c.text;
        EXPECT_TRUE(first.toString().startsWith(first.path.isEmpty() ? QStringLiteral("line") : first.path)) << first.toString().toStdString();
        EXPECT_TRUE(first.text.contains(QString::fromUtf8(c.says))) << c.text << " said: " << first.text.toStdString();
        EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "") << c.text;
    }
}

TEST(YamlImport, ShorteningAListThatOthersStillNameIsRefused)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addScanList();
    CChannelData(*t.doc).SetScanList(1, 1, 2);
    const QByteArray before = imageOf(*t.doc);
    const auto report = YamlCodeplug::importText("scan_lists:\n  - name: \"Scan 1\"\n", *t.doc);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.errors.first().path, QStringLiteral("zones[1].channels[1].scan_list"));
    EXPECT_TRUE(report.errors.first().text.contains(QStringLiteral("removes")));
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");

    // Naming the reference anew in the same text makes it acceptable.
    const auto fixed = YamlCodeplug::importText("scan_lists:\n  - name: \"Scan 1\"\nzones:\n  - name: \"Zone 1\"\n    channels:\n"
                                                "      - name: \"Channel 1\"\n        scan_list: null\n",
                                                *t.doc);
    EXPECT_TRUE(fixed.ok()) << messages(fixed).toStdString();
    EXPECT_EQ(CScanData(*t.doc).CountLists(), 1);
    EXPECT_EQ(CChannelData(*t.doc).GetScanList(1, 1), 0);
}

TEST(YamlImport, ASmallFileIsAPatchAndListsAreReplacedWhole)
{
    TestDocument t(QStringLiteral("VK214"));
    const QByteArray before = imageOf(*t.doc);
    const auto report = YamlCodeplug::importText("contacts:\n  - name: \"Dispatch\"\n    call_id: \"1000100\"\n"
                                                 "  - name: \"Alice\"\n    call_id: \"1234\"\n"
                                                 "rx_groups:\n  - name: \"Group 1\"\n    members: [1]   # Dispatch\n",
                                                 *t.doc);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    const CContactData contacts(*t.doc);
    EXPECT_EQ(contacts.CountContacts(), 2);
    EXPECT_EQ(contacts.GetName(1), QStringLiteral("Dispatch"));
    EXPECT_EQ(contacts.GetCallId(2), QStringLiteral("0001234"));
    EXPECT_EQ(CRxGroupData(*t.doc).GetMembers(1), QList<int>{1});
    // Bytes outside the contacts and the RX group list are the base's.
    for (int i = 0; i < kImageSize; ++i) {
        if (i < 0x4C38 || (i >= 0x6B78 + 48 && i < 0x10000)) {
            ASSERT_EQ(uint8_t(before[i]), t.image()[i]) << std::hex << i;
        }
    }
}

TEST(YamlImport, CorrectionsOfTheFormsAreWarnings)
{
    TestDocument t(QStringLiteral("VK214"));
    const auto report = YamlCodeplug::importText(
        "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"A very long channel name\"\n        rx_frequency: 434.126\n"
        "        tx_frequency: \"434.125\"\n"
        "programmable_keys:\n  long_press_time_ms: 1550\n"
        "scan_lists:\n  - name: \"Scan 1\"\n    rx_dwell_time_s: 3.1\n",
        *t.doc);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    QStringList paths;
    for (const auto &w : report.warnings)
        paths << w.path;
    EXPECT_EQ(paths, (QStringList{QStringLiteral("zones[1].channels[1].name"), QStringLiteral("zones[1].channels[1].rx_frequency"),
                                  QStringLiteral("scan_lists[1].rx_dwell_time_s"), QStringLiteral("programmable_keys.long_press_time_ms")}));
    const CChannelData channels(*t.doc);
    EXPECT_EQ(channels.GetChannelName(1, 1), QStringLiteral("A very long ch"));
    EXPECT_EQ(channels.GetFrequency(1, 1, CChannelData::Direction::Receive), QStringLiteral("434.125000"));
    // The frequency entry sets the colour code as the form does.
    EXPECT_EQ(channels.GetRxColourCode(1, 1), 20);
    EXPECT_EQ(CKeySettingData(*t.doc).GetLongPressTime(), 1500);
    EXPECT_EQ(CScanData(*t.doc).GetRxDwellTime(1), 12);
}

TEST(YamlImport, ModeChangeAppliesTheFormsRulesBeforeLaterFields)
{
    TestDocument t(QStringLiteral("VK214"));
    // Mixed mode forces 67.0 tones unless the text names others.
    const auto report = YamlCodeplug::importText("zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n"
                                                 "        mode: analog_digital\n        tx_tone: D023N\n",
                                                 *t.doc);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    const CChannelData channels(*t.doc);
    EXPECT_EQ(channels.GetTone(1, 1, CChannelData::Direction::Receive), QStringLiteral("67.0"));
    EXPECT_EQ(channels.GetTone(1, 1, CChannelData::Direction::Transmit), QStringLiteral("D023N"));
    EXPECT_EQ(channels.GetBandwidth(1, 1), 3);
}

TEST(YamlImport, TheFormsLimitsCorrectWithAWarningAndTheirListsRefuse)
{
    TestDocument t(QStringLiteral("RQ381"));
    CChannelData(*t.doc).SetChannelMode(1, 1, 2);
    const auto report = YamlCodeplug::importText("option_features:\n  tot_pre_alert_s: 200\n  vox_sensitivity: 99\n"
                                                 "scan_lists:\n  - name: \"Scan 1\"\n    look_back_time_a_s: 7\n"
                                                 "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n"
                                                 "        bandwidth: \"25_khz\"\n",
                                                 *t.doc);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    EXPECT_EQ(report.warnings.size(), 4);
    EXPECT_EQ(COptionData(*t.doc).GetTotPreAlert(), 10);
    EXPECT_EQ(COptionData(*t.doc).GetVoxSensitivity(), 10);
    EXPECT_EQ(CScanData(*t.doc).GetLookBackTimeA(1), 50);
    EXPECT_EQ(CChannelData(*t.doc).GetBandwidth(1, 1), 2);  // what analog channels store

    const QByteArray before = imageOf(*t.doc);
    const auto tone = YamlCodeplug::importText("zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n"
                                               "        rx_tone: \"66.9\"\n",
                                               *t.doc);
    ASSERT_FALSE(tone.ok());
    EXPECT_TRUE(tone.errors.first().text.contains(QStringLiteral("not a tone of the list")));
    EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "");
}

TEST(YamlImport, ContactsKeepTheirSlotsAFreeSlotIsNull)
{
    TestDocument t(QStringLiteral("RQ381"));
    const auto report = YamlCodeplug::importText("contacts:\n  - null\n  - name: \"B\"\n    call_id: \"1000002\"\n  - null\n"
                                                 "  - name: \"D\"\n    call_id: \"1000004\"\n"
                                                 "zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n"
                                                 "        contact: 4\n"
                                                 "rx_groups:\n  - name: \"Group 1\"\n    members: [2]\n",
                                                 *t.doc);
    ASSERT_TRUE(report.ok()) << messages(report).toStdString();
    const CContactData contacts(*t.doc);
    EXPECT_EQ(contacts.GetNumber(1), 0);
    EXPECT_EQ(contacts.GetName(2), QStringLiteral("B"));
    EXPECT_EQ(contacts.GetNumber(3), 0);
    EXPECT_EQ(contacts.GetCallId(4), QStringLiteral("1000004"));
    EXPECT_TRUE(YamlCodeplug::exportText(*t.doc).contains("contacts:\n  - null\n  - name: \"B\""));

    // A reference to a free slot is refused as one to a missing record.
    const auto dangling = YamlCodeplug::importText("zones:\n  - name: \"Zone 1\"\n    channels:\n      - name: \"Channel 1\"\n"
                                                   "        contact: 3\n",
                                                   *t.doc);
    ASSERT_FALSE(dangling.ok());
    EXPECT_TRUE(dangling.errors.first().text.contains(QStringLiteral("does not exist")));
}
