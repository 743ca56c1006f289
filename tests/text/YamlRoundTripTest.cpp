// Export followed by import gives back the same codeplug: byte for byte when
// the import starts from the exported codeplug, field for field when it
// starts from the default codeplug.

#include "TextFixture.h"

#include "fields/RecordMends.h"

#include <gtest/gtest.h>

namespace {

// Every record gets its section's mend: measured against an image that
// differs from this one in every byte, every record has changed.
void mendEveryRecord(CPcSoftwareDoc &doc)
{
    auto other = std::make_unique<Image>(doc.currentImage());
    for (uint8_t &byte : *other)
        byte = uint8_t(~byte);
    Mends::mendChanged(doc, *other);
}

// Export, import onto a copy, compare bytes; import onto a default codeplug
// of the same model and range, compare the exported text.
void expectRoundTrip(CPcSoftwareDoc &doc, const std::string &what)
{
    const QByteArray yaml = YamlCodeplug::exportText(doc);
    auto copy = copyOf(doc);
    const YamlCodeplug::ImportReport report = YamlCodeplug::importText(yaml, *copy);
    ASSERT_TRUE(report.ok()) << what << ": " << messages(report).toStdString();
    ASSERT_TRUE(report.warnings.isEmpty()) << what << ": " << report.warnings.first().toString().toStdString();
    ASSERT_EQ(firstDifference(imageOf(*copy), imageOf(doc)), "") << what;

    // From the default codeplug the text changes most records, and each gets
    // the mend its form gives it when shown: field for field the same as the
    // source once both are mended alike.
    CPcSoftwareDoc fresh(doc.settings());
    fresh.DeleteContents();
    fresh.LoadFreqRange(doc.GetRangeIndex());
    const YamlCodeplug::ImportReport fromDefault = YamlCodeplug::importText(yaml, fresh);
    ASSERT_TRUE(fromDefault.ok()) << what << ": " << messages(fromDefault).toStdString();
    auto source = copyOf(doc);
    mendEveryRecord(*source);
    mendEveryRecord(fresh);
    ASSERT_EQ(firstLineDifference(YamlCodeplug::exportText(fresh), YamlCodeplug::exportText(*source)), "") << what;
}

}

TEST(YamlRoundTrip, DefaultCodeplugOfEveryModel)
{
    for (const char *model : {"RQ381", "RQ381S", "VK214", "TL809"}) {
        TestDocument t(QString::fromLatin1(model));
        const QByteArray yaml = YamlCodeplug::exportText(*t.doc);
        EXPECT_TRUE(yaml.startsWith("format: rq381-codeplug\nversion: 1\n")) << model;
        EXPECT_TRUE(yaml.contains("rx_group_list: 1  # Group 1")) << model;
        EXPECT_EQ(yaml.contains("decode_sequences:"), std::string(model) == "TL809") << model;
        EXPECT_EQ(yaml.contains("quick_texts:"), std::string(model) == "VK214" || std::string(model) == "TL809") << model;
        expectRoundTrip(*t.doc, model);
    }
}

TEST(YamlRoundTrip, AfterRandomListOperationsAndFieldStores)
{
    for (unsigned seed : {11u, 12u, 13u}) {
        for (const char *model : {"RQ381", "VK214", "TL809"}) {
            TestDocument t(QString::fromLatin1(model));
            RandomCodeplugEditor editor(*t.doc, seed);
            for (int i = 0; i < 120; ++i) {
                if (editor.pick(0, 2) == 0)
                    editor.listOperation();
                else
                    editor.fieldStore();
            }
            expectRoundTrip(*t.doc, std::string(model) + " seed " + std::to_string(seed));
        }
    }
}
