// Images the forms would never write, as a radio or another program may
// leave them: export, then import onto the same image, changes no byte, and
// the second export is the first.

#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ScanData.h"

#include <gtest/gtest.h>

using namespace Fields;

namespace {

void fill(CPcSoftwareDoc &doc, std::pair<int, int> bytes, std::mt19937 &random)
{
    const auto [offset, length] = bytes;
    if (offset < 0 || offset + length > kImageSize)
        return;
    for (int i = offset; i < offset + length; ++i)
        doc.image()[i] = uint8_t(random());
}

// Random bytes in every record slot of every list and in every one-record
// section but the radio information (model and band make the codeplug).
void scramble(CPcSoftwareDoc &doc, std::mt19937 &random)
{
    for (const SectionSchema &section : schema()) {
        if (!section.offered(doc) || section.key == QLatin1String("radio"))
            continue;
        for (const auto &range : section.bytes)
            fill(doc, range, random);
        if (!section.list)
            continue;
        const ListSchema &list = *section.list;
        for (int i = 1; i <= list.capacity(doc, At{}); ++i) {
            const At at = list.itemAt(At{}, i);
            if (list.bytes)
                fill(doc, list.bytes(doc, at), random);
            for (const ListSchema &nested : list.record.lists) {
                for (int j = 1; nested.bytes && j <= nested.capacity(doc, at); ++j)
                    fill(doc, nested.bytes(doc, nested.itemAt(at, j)), random);
            }
        }
    }
}

// Most names readable, so that most records are in use and their fields
// are written; the rest keep their random units.
void nameRecords(CPcSoftwareDoc &doc, std::mt19937 &random)
{
    int n = 0;
    Walker walker;
    walker.wants = [](const Field &f) { return f.isRecordName; };
    walker.field = [&](const QString &, const Field &field, At at) {
        if (random() % 8 != 0)
            field.setText(doc, at, QStringLiteral("R%1 名").arg(++n));
    };
    walk(doc, walker);
}

// The edge cases a form never writes, on top of the random bytes.
void addEdgeCases(CPcSoftwareDoc &doc, unsigned seed)
{
    CContactData contacts(doc);
    if (seed % 2 == 0)
        contacts.SetNumber(1, 0);  // an empty first record
    contacts.SetNumber(5, 0);      // a gap
    CScanData scans(doc);
    scans.SetMember(1, 1, ChannelRef{1, 1});
    scans.SetMember(1, 2, ChannelRef{1, 1});  // a channel listed twice
    const int channel = CChannelData(doc).channelOffset(1, 1);
    ASSERT_GE(channel, 0);
    // Receive tone at +8: a DCS code with the digits 0 8 9; transmit tone
    // at +10: a CTCSS code no selector lists.
    doc.image()[channel + 8] = 0x89;
    doc.image()[channel + 9] = 0x80;
    doc.image()[channel + 10] = 0x69;
    doc.image()[channel + 11] = 0x06;
}

}

TEST(RandomImageRoundTrip, ExportThenImportOntoTheSameImageChangesNoByte)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        for (const char *model : {"RQ381", "RQ381S", "VK214", "TL809"}) {
            const std::string what = std::string(model) + " seed " + std::to_string(seed);
            TestDocument t(QString::fromLatin1(model));
            std::mt19937 random(seed);
            scramble(*t.doc, random);
            nameRecords(*t.doc, random);
            addEdgeCases(*t.doc, seed);

            const QByteArray yaml = YamlCodeplug::exportText(*t.doc);
            // The image is full of records: a gap among the contacts, many channels.
            EXPECT_TRUE(yaml.contains("\n  - null\n")) << what;
            EXPECT_GT(yaml.count("rx_frequency:"), 2) << what;
            auto copy = copyOf(*t.doc);
            const YamlCodeplug::ImportReport report = YamlCodeplug::importText(yaml, *copy);
            ASSERT_TRUE(report.ok()) << what << ": " << messages(report).toStdString();
            EXPECT_TRUE(report.warnings.isEmpty()) << what << ": " << report.warnings.first().toString().toStdString();
            ASSERT_EQ(firstDifference(imageOf(*copy), imageOf(*t.doc)), "") << what;
            ASSERT_EQ(firstLineDifference(YamlCodeplug::exportText(*copy), yaml), "") << what;
        }
    }
}

TEST(RandomImageRoundTrip, EdgeCasesAreWrittenAsTheyAreStored)
{
    TestDocument t(QStringLiteral("RQ381"));
    addEdgeCases(*t.doc, 2);
    CContactData contacts(*t.doc);
    contacts.SetNumber(2, 2);
    contacts.SetName(2, QStringLiteral("B"));
    contacts.SetCallId(2, QStringLiteral("1000002"));
    const QByteArray yaml = YamlCodeplug::exportText(*t.doc);
    EXPECT_TRUE(yaml.contains("rx_tone: \"D089N\"")) << yaml.toStdString();
    EXPECT_TRUE(yaml.contains("tx_tone: \"66.9\""));
    EXPECT_TRUE(yaml.contains("contacts:\n  - null\n"));
    EXPECT_TRUE(yaml.contains("members: [[1, 1], [1, 1]]") || yaml.contains("- [1, 1]  # Zone 1:Channel 1\n      - [1, 1]"));
    EXPECT_TRUE(yaml.contains("group_call_tone: \""));
}
