// Every file the command line writes survives a full disk, two edits of one
// file never lose a change, and the text imports refuse what they cannot
// sensibly read.

#include "CliRun.h"
#include "TestPaths.h"
#include "CliSupport.h"
#include "TestSupport.h"

#include "app/SafeFileWriter.h"
#include "codeplug/DataFile.h"
#include "sections/ContactData.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Files : CliFolder
{
    ~Files() { SafeFileWriter::failWritesForTesting(0); }
    // Files left in the folder, hidden temporary ones included.
    QStringList entries() const
    {
        return QDir(config.dir()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    int contacts(const QString &file)
    {
        CPcSoftwareDoc doc(config.settings());
        EXPECT_EQ(DataFile::load(doc, file), DataFile::LoadResult::Loaded);
        return CContactData(doc).CountContacts();
    }
};

}

TEST(SaveSafety, EverySaveOnAFullDiskKeepsTheOldFileAndFails)
{
    Files f;
    ASSERT_EQ(f.run({"export", f.dat, "-o", f.path("cp.yaml")}).status, ExitOk);
    ASSERT_EQ(f.run({"contacts", "export", f.dat, "-o", f.path("contacts.csv")}).status, ExitOk);
    ASSERT_EQ(f.run({"channels", "export", f.dat, "-o", f.path("channels.csv")}).status, ExitOk);
    const QString out = f.write("out.file", "the user's good file");
    const QStringList before = f.entries();

    const QList<QPair<QStringList, QString>> saves = {
        {{"new", "-o", out}, out},
        {{"import", f.path("cp.yaml"), "-o", out}, out},
        {{"edit", f.dat, "add-contact"}, f.dat},
        {{"contacts", "import", f.dat, f.path("contacts.csv")}, f.dat},
        {{"channels", "import", f.dat, f.path("channels.csv")}, f.dat},
        {{"export", f.dat, "-o", out}, out},
        {{"contacts", "export", f.dat, "-o", out}, out},
        {{"channels", "export", f.dat, "-o", out}, out},
    };
    for (const auto &[args, target] : saves) {
        const QByteArray old = fileBytes(target);
        // Cut short halfway, and refused at the first byte.
        for (const qint64 after : {qint64(10), qint64(0)}) {
            SafeFileWriter::failWritesForTesting(ENOSPC, after);
            const CliRun r = f.run(args);
            SafeFileWriter::failWritesForTesting(0);
            const std::string what = args.join(' ').toStdString();
            EXPECT_EQ(r.status, ExitFailure) << what;
            EXPECT_TRUE(r.err.contains(QStringLiteral("cannot write %1: no space left on the device").arg(target))) << what
                                                                                                                     << r.err.toStdString();
            EXPECT_EQ(fileBytes(target), old) << what;
            EXPECT_EQ(f.entries(), before) << what;
        }
    }
}

TEST(SaveSafety, AFileChangedAfterItWasReadIsNotReplaced)
{
    Files f;
    auto settings = std::make_unique<AppSettings>(f.config.dir());
    settings->load();
    QString text;
    QTextStream out(&text), err(&text);
    CommandIo io{out, err, false};
    auto mine = loadCodeplug(*settings, f.dat, io);
    ASSERT_TRUE(mine);
    // Someone else saves the file in the meantime (same size, same second).
    ASSERT_EQ(f.run({"edit", f.dat, "add-contact"}).status, ExitOk);
    const QByteArray theirs = fileBytes(f.dat);
    EXPECT_FALSE(saveCodeplug(*mine, f.dat, io));
    err.flush();
    EXPECT_TRUE(text.contains("was changed by another program after it was read; nothing was written")) << text.toStdString();
    EXPECT_EQ(fileBytes(f.dat), theirs);
    // Saving elsewhere is no conflict.
    EXPECT_TRUE(saveCodeplug(*mine, f.path("copy.dat"), io));
}

TEST(SaveSafety, TwoEditsOfOneFileAtOnceBothCount)
{
    Files f;
    const int before = f.contacts(f.dat);
    const QString program = binPath(QStringLiteral("rq381"));
    constexpr int kRounds = 6;
    for (int round = 0; round < kRounds; ++round) {
        QProcess first, second;
        const QStringList args{"edit", f.dat, "add-contact", "--config", f.config.dir()};
        first.start(program, args);
        second.start(program, args);
        ASSERT_TRUE(first.waitForFinished(30000) && second.waitForFinished(30000));
        EXPECT_EQ(first.exitCode(), ExitOk) << first.readAllStandardError().toStdString();
        EXPECT_EQ(second.exitCode(), ExitOk) << second.readAllStandardError().toStdString();
    }
    EXPECT_EQ(f.contacts(f.dat), before + 2 * kRounds);
}

TEST(ImportSafety, FifosDevicesAndOversizedFilesAreRefusedUnread)
{
    Files f;
    const QString fifo = f.path("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Sparse: one byte over each limit costs no disk.
    const QString bigYaml = f.write("big.yaml", "");
    ASSERT_TRUE(QFile::resize(bigYaml, (qint64(64) << 20) + 1));
    const QString bigUsers = f.write("big.csv", "");
    ASSERT_TRUE(QFile::resize(bigUsers, (qint64(256) << 20) + 1));
    const QByteArray old = fileBytes(f.dat);

    const auto imports = [&](const QString &input) {
        return QList<QStringList>{{"import", input, "-o", f.path("new.dat")},
                                  {"contacts", "import", f.dat, input},
                                  {"channels", "import", f.dat, input}};
    };
    for (const QString &input : {fifo, QStringLiteral("/dev/zero")}) {
        for (const QStringList &args : imports(input)) {
            const CliRun r = f.run(args);
            EXPECT_EQ(r.status, ExitFailure);
            EXPECT_TRUE(r.err.contains(input + (input == fifo ? " is a FIFO" : " is a device"))) << r.err.toStdString();
        }
    }
    CliRun r = f.run({"import", bigYaml, "-o", f.path("new.dat")});
    EXPECT_TRUE(r.err.contains("more than the 64 MB this import reads")) << r.err.toStdString();
    r = f.run({"channels", "import", f.dat, bigYaml});
    EXPECT_TRUE(r.err.contains("more than the 64 MB this import reads")) << r.err.toStdString();
    // A user database may be larger, up to its own limit.
    r = f.run({"contacts", "import", f.dat, bigUsers});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("more than the 256 MB this import reads")) << r.err.toStdString();
    EXPECT_EQ(fileBytes(f.dat), old);
    EXPECT_FALSE(QFile::exists(f.path("new.dat")));
}

TEST(ImportSafety, AnOpenQuoteOrANulByteFailsWithItsLine)
{
    Files f;
    const QByteArray old = fileBytes(f.dat);
    const QString openQuote = f.write("open.csv", "Call ID,Name\r\n1234567,\"Bob\r\n2345678,Al\r\n3456789,Cy\r\n");
    CliRun r = f.run({"contacts", "import", f.dat, openQuote});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_EQ(r.err, "rq381 contacts import: line 2: a quoted field is not closed before the end of the file\n");
    EXPECT_FALSE(r.out.contains("added"));

    ASSERT_EQ(f.run({"channels", "export", f.dat, "-o", f.path("channels.csv")}).status, ExitOk);
    const QByteArray exported = fileBytes(f.path("channels.csv"));
    QByteArray channels = exported;
    channels.insert(channels.indexOf("\r\n") + 2, '"');
    // A stray quote would join the rows after it into one field.
    r = f.run({"channels", "import", f.dat, f.write("channels.csv", channels)});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("line 2: a quote where CSV allows none")) << r.err.toStdString();

    r = f.run({"contacts", "import", f.dat, f.write("nul.csv", QByteArray("Call ID,Name\n1234567,Al\n2345678,Bo") + '\0' + "b\n")});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.startsWith("rq381 contacts import: line 3: a field holds a NUL byte (")) << r.err.toStdString();

    r = f.run({"import", f.write("open.yaml", "model: RQ381\nradio:\n  name: \"open\n"), "-o", f.path("new.dat")});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("line ")) << r.err.toStdString();
    EXPECT_EQ(fileBytes(f.dat), old);
}
