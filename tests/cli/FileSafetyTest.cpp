// The command line never replaces what is not a regular file, never lets a
// trace overwrite a codeplug, and says plainly when a file is cut short.

#include "CliRun.h"
#include "TestSupport.h"

#include "codeplug/DataFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Files : CliFolder
{
    // A FIFO in the test folder; opening it for reading would block.
    QString fifo() const
    {
        const QString name = path("pipe");
        EXPECT_EQ(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        return name;
    }
    bool isFifo(const QString &name) const
    {
        struct stat info {};
        return stat(QFile::encodeName(name).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
};

}

TEST(FileSafety, OutputThatIsNoRegularFileIsRefusedAndKept)
{
    Files f;
    const QString pipe = f.fifo();
    CliRun r = f.run({"new", "-o", pipe});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_EQ(r.err, QString("rq381 new: %1 is a FIFO, not a regular file\n").arg(pipe));

    r = f.run({"new", "-o", f.config.dir()});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("is a folder, not a regular file")) << r.err.toStdString();

    // Read and calib read refuse before they touch the port (which does not exist).
    r = f.run({"read", "--port", f.path("no-tty"), "-o", pipe});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("is a FIFO")) << r.err.toStdString();
    r = f.run({"calib", "read", "--port", f.path("no-tty"), "-o", f.config.dir()});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("is a folder")) << r.err.toStdString();
    EXPECT_TRUE(f.isFifo(pipe));
}

TEST(FileSafety, TraceNamingTheCodeplugIsRefusedBeforeAnythingOpens)
{
    Files f;
    const QByteArray before = fileBytes(f.dat);
    const QString port = f.path("no-tty");
    const QString sameFile = f.config.dir() + "/./sub/../cp.dat";
    QDir(f.config.dir()).mkdir("sub");
    for (const QStringList &args : {QStringList{"write", "--port", port, f.dat, "--trace", sameFile},
                                    QStringList{"read", "--port", port, "-o", f.dat, "--trace", sameFile}}) {
        const CliRun r = f.run(args);
        EXPECT_EQ(r.status, ExitUsage) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("which it would overwrite")) << r.err.toStdString();
    }
    // A hard link is the same file under another name.
    ASSERT_EQ(::link(QFile::encodeName(f.dat).constData(), QFile::encodeName(f.path("hard.dat")).constData()), 0);
    EXPECT_EQ(f.run({"write", "--port", port, f.dat, "--trace", f.path("hard.dat")}).status, ExitUsage);
    EXPECT_EQ(fileBytes(f.dat), before);
}

TEST(FileSafety, ShortFileIsReportedWarnedAboutAndNotWrittenUnforced)
{
    Files f;
    const QString shortFile = f.path("short.dat");
    QFile::copy(f.dat, shortFile);
    QFile(shortFile).resize(1000);

    CliRun r = f.run({"info", shortFile});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_TRUE(r.out.startsWith("header: ok\nfile size: 1000 bytes (a codeplug file holds 262208)\nmodel: RQ381\n"))
        << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("cut short, and the 261208 missing bytes read as blank (FF)")) << r.err.toStdString();
    EXPECT_FALSE(f.run({"info", f.dat}).out.contains("file size"));

    r = f.run({"edit", shortFile, "add-scan"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_TRUE(r.err.startsWith("rq381 edit: warning: " + shortFile + " holds 1000 bytes")) << r.err.toStdString();

    QFile(shortFile).resize(1000);  // the edit saved it at full size
    ASSERT_EQ(f.run({"export", f.dat, "-o", f.path("cp.yaml")}).status, ExitOk);
    r = f.run({"import", f.path("cp.yaml"), "--base", shortFile, "-o", f.path("imported.dat")});
    EXPECT_TRUE(r.err.startsWith("rq381 import: warning: " + shortFile + " holds")) << r.err.toStdString();

    // The write stops before it opens the port.
    QFile::copy(f.dat, f.path("long.dat"));
    QFile(f.path("long.dat")).resize(DataFile::kFileSize + 5);
    QFile(shortFile).resize(1000);
    for (const QString &odd : {shortFile, f.path("long.dat")}) {
        r = f.run({"write", "--port", f.path("no-tty"), odd});
        EXPECT_EQ(r.status, ExitFailure);
        EXPECT_TRUE(r.err.contains("it is not written (--force writes it anyway)")) << r.err.toStdString();
    }
    r = f.run({"write", "--port", f.path("no-tty"), shortFile, "--force"});
    EXPECT_EQ(r.status, ExitPortError);
    EXPECT_TRUE(r.err.contains("warning: ")) << r.err.toStdString();
}

TEST(FileSafety, FifoOrFolderGivenAsInputIsRefusedAtOnce)
{
    Files f;
    const QString pipe = f.fifo();
    QElapsedTimer clock;
    clock.start();
    CliRun r = f.run({"info", pipe});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_EQ(r.err, QString("rq381 info: %1 is a FIFO, not a regular file\n").arg(pipe));
    EXPECT_EQ(f.run({"edit", pipe, "add-zone"}).status, ExitFailure);
    EXPECT_EQ(f.run({"write", "--port", f.path("no-tty"), pipe}).status, ExitFailure);
    EXPECT_EQ(f.run({"calib", "write", "--port", f.path("no-tty"), pipe}).status, ExitFailure);
    EXPECT_TRUE(f.run({"info", f.config.dir()}).err.contains("is a folder"));
    EXPECT_LT(clock.elapsed(), 5000);
}

// Which entries are usable is the range check's own test; here the command
// names the entry and writes nothing.
TEST(FileSafety, UnusableFrequencyRangesAreRefusedByName)
{
    Files f;
    f.config.writeSettings("[setup]\nmodel=RQ381\n[FreqRange]\ndata0=01360174\ndata6=04700400\n");
    const CliRun r = f.run({"new", "-o", f.path("x.dat")});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.startsWith("rq381 new: setting.ini [FreqRange] data6=04700400 is not a usable band: "))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(f.path("x.dat")));
    // Further characters after the eight digits are allowed, as the document ignores them.
    f.config.writeSettings("[setup]\nmodel=RQ381\n[FreqRange]\ndata0=04000470 UHF\n");
    EXPECT_EQ(f.run({"new", "-o", f.path("x.dat"), "--range", "0"}).status, ExitOk);
}
