// Messages of the command line that name exactly what is wrong.

#include "CliRun.h"
#include "TestSupport.h"

#include "codeplug/DataFile.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(CliMessages, EditNamesTheBadNumberAndTheMissingPasteRecord)
{
    CliFolder m(QStringLiteral("VK214"));
    CliRun r = m.run({"edit", m.dat, "delete-zone", "-1"});
    EXPECT_EQ(r.status, ExitUsage);
    EXPECT_EQ(r.err, "rq381 edit: '-1' is not a record number (records count from 1)\n");

    ASSERT_EQ(m.run({"edit", m.dat, "add-scan"}).status, ExitOk);
    EXPECT_EQ(m.run({"edit", m.dat, "paste-scan", "5", "1"}).err,
              "rq381 edit: paste-scan: the source scan list 5 is not in use\n");
    EXPECT_EQ(m.run({"edit", m.dat, "paste-scan", "1", "5"}).err,
              "rq381 edit: paste-scan: the target scan list 5 is not in use\n");
    EXPECT_EQ(m.run({"edit", m.dat, "paste-channel", "1", "9", "1", "1"}).err,
              "rq381 edit: paste-channel: the source channel 1 9 is not in use\n");
    EXPECT_EQ(m.run({"edit", m.dat, "paste-channel", "1", "1", "3", "1"}).err,
              "rq381 edit: paste-channel: the target channel 3 1 is not in use\n");
    EXPECT_EQ(m.run({"edit", m.dat, "paste-rxgroup", "1", "1"}).err,
              "rq381 edit: paste-rxgroup: an RX group list cannot be pasted onto itself\n");
}

TEST(CliMessages, StrayArgumentsAndNumberLikePortsAreNamed)
{
    CliFolder m(QStringLiteral("VK214"));
    EXPECT_EQ(m.run({"info", m.dat, "extra"}).err, "rq381 info: unexpected argument 'extra'\n");
    EXPECT_EQ(m.run({"new", "-o", m.dat, "extra"}).err, "rq381 new: unexpected argument 'extra'\n");
    EXPECT_EQ(m.run({"read", "--port", "1", "extra"}).err, "rq381 read: unexpected argument 'extra'\n");
    EXPECT_EQ(m.run({"write", "--port", "1", m.dat, "extra"}).err, "rq381 write: unexpected argument 'extra'\n");
    EXPECT_EQ(m.run({"calib", "write", "--port", "1", "a.test", "b.test"}).err,
              "rq381 calib write: unexpected argument 'b.test'\n");
    for (const char *port : {"1.5", "99999999999", "+1e3"}) {
        const CliRun r = m.run({"read", "--port", port, "-o", m.dat});
        EXPECT_EQ(r.status, ExitUsage) << port;
        EXPECT_EQ(r.err, QString("rq381 read: port %1 is neither a port number 1..16 nor a device path\n").arg(port));
    }
}

TEST(CliMessages, InfoPrintsModelBytesEscaped)
{
    CliFolder m(QStringLiteral("VK214"));
    QFile file(m.dat);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(64);
    file.write(QByteArray("A\nB\0\\\xE9", 6));
    file.close();
    const CliRun r = m.run({"info", m.dat});
    EXPECT_TRUE(r.out.contains("\nmodel: A\\x0aB\\x00\\\\\\xe9\n")) << r.out.toStdString();
}
