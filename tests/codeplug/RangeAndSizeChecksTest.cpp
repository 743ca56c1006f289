#include "TestSupport.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/DataFile.h"
#include "codeplug/FreqRangeCheck.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(FreqRangeCheck, AnEntryIsUsableWithEightDigitsLowerBelowUpper)
{
    EXPECT_EQ(FreqRangeCheck::whyNotUsable("04000470"), "");
    EXPECT_EQ(FreqRangeCheck::whyNotUsable("01360174;VHF"), "");
    for (const char *bad : {"", "abc", "0400047", "GGGGGGGG", "0400 470", "０４００04７0"})
        EXPECT_TRUE(FreqRangeCheck::whyNotUsable(bad).startsWith("it needs eight digits")) << bad;
    EXPECT_EQ(FreqRangeCheck::whyNotUsable("04700400"), "the lower edge 470 MHz is not below the upper edge 400 MHz");
    EXPECT_FALSE(FreqRangeCheck::whyNotUsable("00000000").isEmpty());
    EXPECT_FALSE(FreqRangeCheck::whyNotUsable("99999999").isEmpty());
}

// An unusable entry is passed over as an empty one: it never gives band
// limits of 0 Hz, and the entries after it stay usable.
TEST(FreqRangeCheck, TheDocumentPassesOverUnusableEntries)
{
    TestConfig config;
    config.writeSettings("[setup]\nmodel=RQ381\n[FreqRange]\ndata0=GGGGGGGG\ndata1=01360174\n"
                         "data2=04700400\ndata3=04000470\ndata4=\ndata5=01440148\n");
    EXPECT_EQ(FreqRangeCheck::unusableEntries(config.settings()), (QList<int>{0, 2}));
    EXPECT_EQ(FreqRangeCheck::entryText(config.settings(), 2), "data2=04700400");

    CPcSoftwareDoc doc(config.settings());
    doc.LoadFreqRange(3);
    EXPECT_EQ(doc.FindFreqRangeIndex(), 3);
    doc.LoadFreqRange(0);  // unusable: band bytes and range index stay
    EXPECT_EQ(bytesAt(doc.image(), 0x08, 5), "03 04 00 04 70");
    EXPECT_EQ(doc.lowerBandLimit(), 40000000);

    // Band bytes of nothing usable: entry 0 is chosen, and being unusable,
    // the limits are the 100..900 MHz of a missing entry.
    doc.image()[0x09] = 0x09;
    doc.UpdateBandLimits();
    EXPECT_EQ(doc.lowerBandLimit(), 10000000);
    EXPECT_EQ(doc.upperBandLimit(), 90000000);
}

// The range list offers unusable entries greyed and never shows one as the
// codeplug's band.
TEST(FreqRangeCheck, TheRangeListMarksUnusableEntries)
{
    TestConfig config;
    config.writeSettings("[setup]\nmodel=RQ381\n[FreqRange]\ndata0=GGGGGGGG\nfreq0=136-174MHz\n"
                         "data1=04000470\nfreq1=400-470MHz\nfreq2=no data\n");
    CPcSoftwareDoc doc(config.settings());
    const auto choices = doc.FreqRangeChoices();
    ASSERT_EQ(choices.size(), 3);
    EXPECT_EQ(choices[1].label, "400-470MHz");
    EXPECT_EQ(QList<bool>({choices[0].usable, choices[1].usable, choices[2].usable}), QList<bool>({false, true, false}));

    doc.LoadFreqRange(1);
    EXPECT_EQ(doc.CurrentFreqRangeChoice(), 1);
    // A band of no entry falls back to entry 0, which is unusable here.
    doc.image()[0x09] = 0x09;
    EXPECT_EQ(doc.FindFreqRangeIndex(), 0);
    EXPECT_EQ(doc.CurrentFreqRangeChoice(), -1);

    // RQ381S offers entry 6 alone, as the current band only when usable.
    config.writeSettings("[setup]\nmodel=RQ381S\n[FreqRange]\ndata6=0400\nfreq6=400-470MHz\n");
    config.reload();
    CPcSoftwareDoc tied(config.settings());
    ASSERT_EQ(tied.FreqRangeChoices().size(), 1);
    EXPECT_FALSE(tied.FreqRangeChoices()[0].usable);
    EXPECT_EQ(tied.CurrentFreqRangeChoice(), -1);
}

TEST(DataFileSize, TheLoadedSizeIsKeptUntilTheCodeplugIsReplaced)
{
    TestDocument t;
    const QString path = QDir(t.config.dir()).filePath("cp.dat");
    ASSERT_TRUE(DataFile::save(*t.doc, path));
    CPcSoftwareDoc doc(t.config.settings());
    ASSERT_EQ(DataFile::load(doc, path), DataFile::LoadResult::Loaded);
    EXPECT_EQ(doc.loadedFileSize(), DataFile::kFileSize);
    EXPECT_FALSE(doc.loadedFromOddSizedFile());
    EXPECT_EQ(DataFile::sizeNote(path, DataFile::kFileSize), "");

    QFile(path).resize(1000);
    doc.DeleteContents();
    ASSERT_EQ(DataFile::load(doc, path), DataFile::LoadResult::Loaded);
    EXPECT_TRUE(doc.loadedFromOddSizedFile());
    EXPECT_EQ(doc.loadedFileSize(), 1000);
    EXPECT_TRUE(allBytesAre(doc.image(), 1000 - 64, kImageSize, 0xFF));
    EXPECT_EQ(DataFile::sizeNote("x.dat", 262210), "x.dat holds 262210 bytes, not 262208: the 2 bytes after the codeplug are ignored");
    doc.DeleteContents();
    EXPECT_FALSE(doc.loadedFromOddSizedFile());
}
