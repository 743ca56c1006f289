// rq381 read / write / ports against the simulated radio: in process for
// the exit statuses, and as the real programs for the whole chain.

#include "LinkRig.h"

#include "Commands.h"
#include "codeplug/DataFile.h"

#include <QFile>
#include <QProcess>

namespace {

struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

CliRun rq381(const QStringList &args)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    CommandIo io{out, err, false};
    run.status = runCli(args, io);
    out.flush();
    err.flush();
    return run;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

TEST(TransferCli, ReadSavesTheRadioAndWriteVerifiesWhatItSent)
{
    LinkRig rig;
    ASSERT_TRUE(rig.started);
    const QString dir = rig.document.config.dir();
    const QString file = dir + QStringLiteral("/radio.dat");
    const QString trace = dir + QStringLiteral("/read.trace");

    const CliRun read = rq381({QStringLiteral("read"), QStringLiteral("--port"), rig.sim.devicePath(), QStringLiteral("-o"),
                               file, QStringLiteral("--config"), dir, QStringLiteral("--trace"), trace});
    ASSERT_EQ(read.status, ExitOk) << read.err.toStdString();
    EXPECT_TRUE(read.out.contains(QStringLiteral("CID 0123456789abcdef0011")));
    const QByteArray saved = fileBytes(file);
    ASSERT_EQ(saved.size(), DataFile::kFileSize);
    EXPECT_EQ(saved.mid(64, 0x10000), rig.radioBytes(0, 0x10000));
    const QByteArray traceText = fileBytes(trace);
    EXPECT_TRUE(traceText.contains(" TX 50 52 4f 47 52 41 4d\n"));
    EXPECT_TRUE(traceText.contains(" RX 06\n"));

    const CliRun write = rq381({QStringLiteral("write"), QStringLiteral("--port"), rig.sim.devicePath(), file,
                                QStringLiteral("--config"), dir, QStringLiteral("--verify")});
    EXPECT_EQ(write.status, ExitOk) << write.err.toStdString();
    EXPECT_TRUE(write.out.contains(QStringLiteral("verified")));
    rig.sim.inspect([](RadioState &s) { EXPECT_EQ(s.writtenBlocks.size(), size_t(834)); });
}

TEST(TransferCli, ExitStatusesTellPortModelAndTransferFailuresApart)
{
    SimOptions vk214;
    vk214.model = QStringLiteral("VK214");
    LinkRig rig(vk214, QStringLiteral("0"));
    ASSERT_TRUE(rig.started);
    const QString dir = rig.document.config.dir();
    const QString file = dir + QStringLiteral("/plug.dat");
    ASSERT_TRUE(DataFile::save(*rig.document.doc, file));
    auto command = [&](const QString &verb, const QString &port, const QStringList &more = {}) {
        QStringList args{verb, QStringLiteral("--port"), port, QStringLiteral("--config"), dir};
        if (verb == QLatin1String("read"))
            args << QStringLiteral("-o") << dir + QStringLiteral("/out.dat");
        else
            args << file;
        return rq381(args + more);
    };

    EXPECT_EQ(command(QStringLiteral("read"), QStringLiteral("17")).status, ExitPortError);
    EXPECT_EQ(rq381({QStringLiteral("read"), QStringLiteral("--config"), dir}).status, ExitUsage);
    EXPECT_EQ(command(QStringLiteral("read"), rig.sim.devicePath()).status, ExitModelMismatch);  // basic 0 checks reads
    EXPECT_EQ(command(QStringLiteral("write"), rig.sim.devicePath()).status, ExitModelMismatch);
    EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/out.dat")));
    // A codeplug of the radio's model is written, and its read-back passes the same model check.
    const QString vk214File = dir + QStringLiteral("/vk214.dat");
    std::copy_n("VK214\xFF\xFF\xFF", 8, rig.document.image());
    ASSERT_TRUE(DataFile::save(*rig.document.doc, vk214File));
    const CliRun verified = rq381({QStringLiteral("write"), QStringLiteral("--port"), rig.sim.devicePath(), vk214File,
                                   QStringLiteral("--config"), dir, QStringLiteral("--verify")});
    EXPECT_EQ(verified.status, ExitOk) << verified.err.toStdString();

    rig.document.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("basic"), QStringLiteral("1"));
    const CliRun refused = command(QStringLiteral("write"), rig.sim.devicePath());
    EXPECT_EQ(refused.status, ExitModelMismatch);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--force-model")));
    const CliRun forced = command(QStringLiteral("write"), rig.sim.devicePath(), {QStringLiteral("--force-model")});
    EXPECT_EQ(forced.status, ExitOk) << forced.err.toStdString();
    rig.sim.inspect([](RadioState &s) { EXPECT_EQ(s.modelWrites, 1); });
}

TEST(TransferCli, RadioThatBreaksOffIsAFailedTransfer)
{
    SimOptions options;
    options.faults.disconnectAfterBlocks = 50;
    LinkRig rig(options);
    ASSERT_TRUE(rig.started);
    const QString dir = rig.document.config.dir();
    const CliRun read = rq381({QStringLiteral("read"), QStringLiteral("--port"), rig.sim.devicePath(), QStringLiteral("-o"),
                               dir + QStringLiteral("/out.dat"), QStringLiteral("--config"), dir});
    EXPECT_EQ(read.status, ExitTransferFailed);
    EXPECT_TRUE(read.err.contains(QStringLiteral("broke off")));
    EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/out.dat")));
}

TEST(TransferCli, PortsListsTheMappedDevices)
{
    TestConfig config;
    config.settings().writeSetting(QStringLiteral("ports"), QStringLiteral("4"), QStringLiteral("/dev/ttyRadio"));
    config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("4"));
    const CliRun ports = rq381({QStringLiteral("ports"), QStringLiteral("--config"), config.dir()});
    EXPECT_EQ(ports.status, ExitOk);
    EXPECT_TRUE(ports.out.contains(QStringLiteral(" 4  /dev/ttyRadio  (stored port)"))) << ports.out.toStdString();
}

TEST(TransferCli, TheProgramsTalkOverAPseudoTerminal)
{
    const QString bin = QStringLiteral(RQ381_BIN_DIR);
    TestConfig config;
    const QString saved = config.dir() + QStringLiteral("/radio-memory.dat");
    const QString read = config.dir() + QStringLiteral("/read.dat");

    QProcess sim;
    sim.start(bin + QStringLiteral("/rq381-sim"), {QStringLiteral("--config"), config.dir(), QStringLiteral("--save"), saved});
    ASSERT_TRUE(sim.waitForStarted(5000));
    ASSERT_TRUE(sim.waitForReadyRead(10000));
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device.toStdString();

    QProcess cli;
    cli.start(bin + QStringLiteral("/rq381"),
              {QStringLiteral("read"), QStringLiteral("--port"), device, QStringLiteral("-o"), read, QStringLiteral("--config"),
               config.dir()});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), ExitOk) << cli.readAllStandardError().toStdString();

    // Change a name in the codeplug and write it back.
    QByteArray plug = fileBytes(read);
    ASSERT_EQ(plug.size(), DataFile::kFileSize);
    plug[64 + 0x2000] = char(0x42);
    QFile edited(read);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write(plug);
    edited.close();
    cli.start(bin + QStringLiteral("/rq381"),
              {QStringLiteral("write"), QStringLiteral("--port"), device, read, QStringLiteral("--config"), config.dir()});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), ExitOk) << cli.readAllStandardError().toStdString();

    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
    const QByteArray memory = fileBytes(saved);
    ASSERT_EQ(memory.size(), DataFile::kFileSize);
    EXPECT_EQ(uint8_t(memory[64 + 0x2000]), 0x42);
    EXPECT_EQ(memory.mid(64 + 0x0280, 0x2000 - 0x0280), plug.mid(64 + 0x0280, 0x2000 - 0x0280));
}
