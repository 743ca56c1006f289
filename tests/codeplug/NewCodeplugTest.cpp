// One operation makes a new codeplug, with one check of the range.

#include "TestSupport.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/NewCodeplug.h"

#include <gtest/gtest.h>

TEST(NewCodeplug, ARangeThatCannotMakeACodeplugIsRefusedWithOneMessageAndChangesNothing)
{
    TestDocument t(QStringLiteral("RQ381"));
    QByteArray ini = fileBytes(t.config.settingsPath());
    ini.replace("data3=03500400", "data3=abc");
    ini.replace("data1=01440148", "olddata1=01440148");
    t.config.writeSettings(ini);
    t.config.reload();
    t.image()[0x4C38] = 0x33;  // a mark the refusals must leave
    const QByteArray before = imageOf(*t.doc);
    const struct
    {
        int range;
        const char *says;
    } cases[] = {{-1, "from 0 to 15"}, {16, "from 0 to 15"}, {12, "no frequency range 12"}, {3, "not a usable band"},
                 {2, "no entry data1"}};
    for (const auto &c : cases) {
        const QString problem = NewCodeplug::make(*t.doc, c.range);
        EXPECT_TRUE(problem.contains(QString::fromLatin1(c.says))) << c.range << ": " << problem.toStdString();
        EXPECT_EQ(imageOf(*t.doc), before) << c.range;
    }
    EXPECT_TRUE(NewCodeplug::make(*t.doc, 0).isEmpty());
    EXPECT_EQ(t.doc->GetRangeIndex(), 0);
    EXPECT_EQ(t.doc->FindFreqRangeIndex(), 0);
    EXPECT_NE(t.image()[0x4C38], 0x33);

    // The desktop program's start-up needs a document whatever setting.ini holds.
    t.image()[0x4C38] = 0x33;
    EXPECT_FALSE(NewCodeplug::makeAnyway(*t.doc, 3).isEmpty());
    EXPECT_EQ(t.image()[0x4C38], 1);  // contact 1 of the default codeplug
}

TEST(NewCodeplug, RQ381SIsBuiltForItsOneRange)
{
    TestDocument t(QStringLiteral("RQ381S"));
    EXPECT_TRUE(NewCodeplug::rangeProblem(t.config.settings(), 0).contains(QStringLiteral("RQ381S")));
    EXPECT_TRUE(NewCodeplug::rangeProblem(t.config.settings(), NewCodeplug::kStartRange).isEmpty());
    EXPECT_EQ(t.doc->GetRangeIndex(), NewCodeplug::kStartRange);
}

TEST(NewCodeplug, ARangeChangeReplacesOnlyTheImageOfAnOpenDocument)
{
    TestDocument fresh(QStringLiteral("RQ381"));
    ASSERT_TRUE(NewCodeplug::make(*fresh.doc, 0).isEmpty());

    TestDocument t(QStringLiteral("RQ381"));
    t.doc->header()[kHeaderTextLength + 2] = 0x5A;  // a mark in the file header
    t.doc->TakeBaseline();
    EXPECT_TRUE(NewCodeplug::replaceImage(*t.doc, 0).isEmpty());
    EXPECT_EQ(imageOf(*t.doc), imageOf(*fresh.doc));
    EXPECT_EQ(t.doc->header()[kHeaderTextLength + 2], 0x5A);
    EXPECT_TRUE(t.doc->IsModified());  // against the baseline of the range it had

    // Refused with the one check's message, leaving the image as it was.
    const QByteArray before = imageOf(*t.doc);
    for (int range : {-1, 16, 12}) {
        EXPECT_EQ(NewCodeplug::replaceImage(*t.doc, range), NewCodeplug::rangeProblem(t.config.settings(), range)) << range;
        EXPECT_FALSE(NewCodeplug::rangeProblem(t.config.settings(), range).isEmpty()) << range;
        EXPECT_EQ(imageOf(*t.doc), before) << range;
    }
}
