#include "GuiRig.h"

#include "app/CodeplugSummary.h"
#include "app/CommandIds.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

TEST(PrintSummary, ListsChannelsContactsGroupsAndScanListsInTheCurrentLanguage)
{
    GuiRig rig(QStringLiteral("VK214"));
    ASSERT_TRUE(rig.start());
    CChannelData channels(rig.doc());
    channels.SetChannelName(1, 1, QStringLiteral("Rep <A&B>"));
    channels.SetFrequency(1, 1, CChannelData::Direction::Receive, QStringLiteral("435.12500"));

    const QString english = CodeplugSummary::html(rig.doc(), rig.doc().settings().language());
    // Names are escaped, so a name is never read as markup.
    EXPECT_TRUE(english.contains(QStringLiteral("Rep &lt;A&amp;B&gt;")));
    EXPECT_TRUE(english.contains(QStringLiteral("435.12500")));
    EXPECT_TRUE(english.contains(QStringLiteral("Contact 1")));
    EXPECT_TRUE(english.contains(QStringLiteral("1000001")));
    EXPECT_TRUE(english.contains(QStringLiteral("Zone 1:Rep &lt;A&amp;B&gt;")));  // scan-list member
    EXPECT_TRUE(english.contains(QStringLiteral("RX Frequency [MHz]")));

    rig.frame()->SwitchLanguage(QStringLiteral("chinese"));
    EXPECT_TRUE(CodeplugSummary::html(rig.doc(), rig.doc().settings().language()).contains(QStringLiteral("联系人成员")));
}

TEST(PrintSummary, PrintsToAPdfWithoutAPrinter)
{
    GuiRig rig;
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(rig.frame()->action(Cmd::FilePrint)->isEnabled());
    EXPECT_TRUE(rig.frame()->action(Cmd::FilePrintPreview)->isEnabled());
    const QString pdf = QDir(rig.config.dir()).filePath(QStringLiteral("summary.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    rig.frame()->PrintSummaryTo(printer);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 1000);
}
