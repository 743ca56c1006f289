#include "TestSupport.h"

#include "codeplug/DataFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(DocumentTest, StartsLikeTheFirstFileNew)
{
    TestDocument t;
    CPcSoftwareDoc &doc = *t.doc;
    EXPECT_EQ(bytesAt(doc.header().data(), 0, 24), bytesAt(reinterpret_cast<const uint8_t *>(kHeaderText), 0, 24));
    EXPECT_TRUE(allBytesAre(doc.header().data(), 24, 64, 0xFF));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.baselineImage(), doc.currentImage());
}

TEST(DocumentTest, SecondNewAsksAndOnlyOkReplacesTheCodeplug)
{
    TestDocument t;
    CPcSoftwareDoc &doc = *t.doc;
    doc.image()[0x4C40] = 0x12;
    RecordingPrompter prompter;
    bool firstNew = false;
    prompter.answers << PromptAnswer::Cancel;
    EXPECT_TRUE(doc.OnNewDocument(firstNew, prompter));
    EXPECT_EQ(prompter.keys(), QStringList{"IDS_WARN_CLEAR"});
    EXPECT_EQ(prompter.prompts[0].captionKey, "IDS_WARN");
    EXPECT_EQ(doc.image()[0x4C40], 0x12);

    prompter.answers << PromptAnswer::Ok;
    EXPECT_TRUE(doc.OnNewDocument(firstNew, prompter));
    EXPECT_NE(doc.image()[0x4C40], 0x12);
    EXPECT_EQ(doc.title(), "default1");
    EXPECT_EQ(doc.GetRangeIndex(), 6);
}

TEST(DocumentTest, OnlyTheSectionAreaCountsAsModified)
{
    TestDocument t;
    t.image()[0x10000] ^= 0xFF;
    t.image()[0x3FFFF] ^= 0xFF;
    EXPECT_FALSE(t.doc->IsModified());
    t.image()[0xFFFF] ^= 0xFF;
    EXPECT_TRUE(t.doc->IsModified());
    t.doc->TakeBaseline();
    EXPECT_FALSE(t.doc->IsModified());
}

TEST(DocumentTest, RadioInformationTextRules)
{
    TestDocument t;
    CPcSoftwareDoc &doc = *t.doc;
    EXPECT_EQ(doc.GetPcSoftwareVersion(), "0119");
    EXPECT_EQ(doc.GetHardwareVersion(), "0100");
    EXPECT_EQ(doc.GetSerialNumber(), "012345678901234");

    doc.SetSerialNumber("ABC");
    EXPECT_EQ(bytesAt(t.image(), 0x5D, 4), "41 42 43 FF");
    EXPECT_TRUE(allBytesAre(t.image(), 0x60, 0x6C, 0xFF));
    EXPECT_EQ(doc.GetSerialNumber(), "ABC");

    doc.SetModel("RQ381XYZ9");
    EXPECT_EQ(doc.GetModel(), "RQ381XYZ");
    doc.SetModel("");
    EXPECT_TRUE(allBytesAre(t.image(), 0, 8, 0xFF));
    EXPECT_EQ(doc.GetModel(), "");

    doc.SetPcSoftwareVersion("V01.19");  // the "V" stops it: nothing stored
    EXPECT_EQ(doc.GetPcSoftwareVersion(), "0119");
    doc.SetPcSoftwareVersion("0120");
    EXPECT_EQ(bytesAt(t.image(), 0x3B, 4), "00 01 02 00");

    doc.SetLastProgramTime("2014-07-20 07:07:07");  // separators are skipped
    EXPECT_EQ(doc.GetLastProgramTime(), "20140720070707");
    doc.SetLastProgramTime("2026-12");  // a short text changes only its digits
    EXPECT_EQ(doc.GetLastProgramTime(), "20261220070707");
    t.image()[0x32] = 0xA1;
    EXPECT_EQ(doc.GetLastProgramTime(), "2026");
}

TEST(FreqRangeTest, RangeSixGivesBandBytesAndLimits)
{
    TestDocument t;
    CPcSoftwareDoc &doc = *t.doc;
    EXPECT_EQ(bytesAt(t.image(), 0x08, 5), "06 04 00 04 70");
    EXPECT_EQ(doc.lowerBandLimit(), 40000000);
    EXPECT_EQ(doc.upperBandLimit(), 47000000);
    EXPECT_EQ(doc.GetFreqLimitText(0), "400.00000");
    EXPECT_EQ(doc.GetFreqLimitText(1), "470.00000");
    EXPECT_EQ(doc.FindFreqRangeIndex(), 6);
    EXPECT_EQ(doc.CheckFreqInRange("470.00001"), 1);  // the band check is FrequencyBcd's, with these limits

    doc.LoadFreqRange(0);
    EXPECT_EQ(bytesAt(t.image(), 0x08, 5), "00 01 36 01 74");
    EXPECT_EQ(doc.lowerBandLimit(), 13600000);
    EXPECT_EQ(doc.GetFreqLimitText(0), "136.00000");
}

TEST(FreqRangeTest, SettingsEdgeCases)
{
    TestConfig config;
    // data0 missing: the scan stops at once, even though data1 exists.
    config.writeSettings("[setup]\nmodel=RQ381\n[FreqRange]\ndata1=01360174\nfreq1=VHF\n"
                         "data2=04000470\ndata3=04000470\n");
    CPcSoftwareDoc doc(config.settings());
    bool firstNew = true;
    RecordingPrompter prompter;
    doc.OnNewDocument(firstNew, prompter);
    EXPECT_EQ(bytesAt(doc.image(), 0x08, 5), "FF FF FF FF FF");
    EXPECT_EQ(doc.lowerBandLimit(), 10000000);
    EXPECT_EQ(doc.upperBandLimit(), 90000000);
    EXPECT_TRUE(doc.FreqRangeLabels().isEmpty());

    // Two entries with the same band: the later one is found.
    config.writeSettings("[FreqRange]\ndata0=01360174\ndata1=04000470\ndata2=04000470\n");
    doc.LoadFreqRange(1);
    EXPECT_EQ(doc.FindFreqRangeIndex(), 2);
    // Band bytes of another installation: entry 0 and its limits.
    doc.image()[0x09] = 0x09;
    doc.UpdateBandLimits();
    EXPECT_EQ(doc.FindFreqRangeIndex(), 0);
    EXPECT_EQ(doc.lowerBandLimit(), 13600000);
}

TEST(FreqRangeTest, RQ381SOffersOnlyRangeSix)
{
    TestConfig config("RQ381S");
    CPcSoftwareDoc doc(config.settings());
    EXPECT_EQ(doc.FreqRangeLabels(), QStringList{"400MHz-470MHz"});
    TestConfig other;
    EXPECT_GT(CPcSoftwareDoc(other.settings()).FreqRangeLabels().size(), 1);
}

TEST(DataFileTest, SaveAndLoadRoundTripKeepsHeaderAndImage)
{
    TestDocument t;
    t.doc->header()[30] = 0x42;  // a foreign header tail travels unchanged
    t.image()[0x20000] = 0x5A;
    const QString path = t.config.dir() + "/a.dat";
    ASSERT_TRUE(DataFile::save(*t.doc, path));
    EXPECT_EQ(QFile(path).size(), 262208);

    CPcSoftwareDoc loaded(t.config.settings());
    EXPECT_EQ(DataFile::load(loaded, path), DataFile::LoadResult::Loaded);
    EXPECT_EQ(loaded.currentImage(), t.doc->currentImage());
    EXPECT_EQ(loaded.header(), t.doc->header());
    EXPECT_EQ(loaded.lowerBandLimit(), 40000000);
}

TEST(DataFileTest, ForeignShortAndLongFiles)
{
    TestConfig config;
    CPcSoftwareDoc doc(config.settings());

    QByteArray foreign = "XX381 Radio Program data" + QByteArray(262144 + 40, '\x11');
    EXPECT_EQ(DataFile::loadBytes(doc, foreign), DataFile::LoadResult::HeaderMismatch);
    EXPECT_EQ(bytesAt(doc.header().data(), 0, 2), "52 51");  // header repaired
    EXPECT_TRUE(allBytesAre(doc.image(), 0, kImageSize, 0xFF));
    EXPECT_EQ(doc.lowerBandLimit(), 13600000);  // entry 0

    doc.DeleteContents();
    QByteArray shortFile = QByteArray(kHeaderText) + QByteArray(40, '\xFF') + QByteArray(36, '\x22');
    ASSERT_EQ(shortFile.size(), 100);
    EXPECT_EQ(DataFile::loadBytes(doc, shortFile), DataFile::LoadResult::Loaded);
    EXPECT_TRUE(allBytesAre(doc.image(), 0, 36, 0x22));
    EXPECT_TRUE(allBytesAre(doc.image(), 36, kImageSize, 0xFF));

    doc.DeleteContents();
    // Empty, cut inside the header, or bytes that are no codeplug at all.
    for (const QByteArray &notCodeplug : {QByteArray(), QByteArray(10, 'R'), QByteArray(DataFile::kFileSize, 'x'),
                                          QByteArray("XX381 Radio Program data").left(20)}) {
        doc.DeleteContents();
        EXPECT_EQ(DataFile::loadBytes(doc, notCodeplug), DataFile::LoadResult::NotCodeplug) << notCodeplug.size();
        EXPECT_TRUE(allBytesAre(doc.image(), 0, kImageSize, 0xFF));
    }
    QByteArray longFile = QByteArray(kHeaderText) + QByteArray(40, '\xFF') + QByteArray(262144 + 500, '\x33');
    EXPECT_EQ(DataFile::loadBytes(doc, longFile), DataFile::LoadResult::Loaded);
    EXPECT_TRUE(allBytesAre(doc.image(), 0, kImageSize, 0x33));

    EXPECT_EQ(DataFile::load(doc, config.dir() + "/missing.dat"), DataFile::LoadResult::ReadError);
}

}
