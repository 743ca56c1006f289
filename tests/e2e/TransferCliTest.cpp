// rq381 read / write / ports against the simulated radio: in process for
// the exit statuses, and as the real programs for the whole chain.

#include "LinkRig.h"
#include "TestPaths.h"

#include "CliRun.h"
#include "codeplug/DataFile.h"

#include <QFile>
#include <QProcess>
#include <functional>

namespace {

CliRun rq381(const QStringList &args) { return runRq381(args); }

}

TEST(TransferCli, ExitStatusesTellPortModelAndTransferFailuresApart)
{
    SimOptions vk214;
    vk214.model = QStringLiteral("VK214");
    LinkRig rig(vk214, QStringLiteral("0"));
    ASSERT_TRUE(rig.started);
    const QString dir = rig.document.config.dir();
    const QString out = dir + "/out.dat", plug = dir + "/plug.dat", vk214Plug = dir + "/vk214.dat";
    ASSERT_TRUE(DataFile::save(*rig.document.doc, plug));
    std::copy_n("VK214\xFF\xFF\xFF", 8, rig.document.image());
    ASSERT_TRUE(DataFile::save(*rig.document.doc, vk214Plug));
    auto command = [&](const QString &verb, const QStringList &args, const QString &port = QString()) {
        return rq381(QStringList{verb, "--port", port.isEmpty() ? rig.sim.devicePath() : port, "--config", dir} + args);
    };

    EXPECT_EQ(command("read", {"-o", out}, "17").status, ExitPortError);
    EXPECT_EQ(rq381({"read", "--config", dir}).status, ExitUsage);
    // [setup] basic 0 checks the model both ways.
    EXPECT_EQ(command("read", {"-o", out}).status, ExitModelMismatch);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(command("write", {plug}).status, ExitModelMismatch);
    // A codeplug of the radio's model is written, and its read-back passes the same check.
    const CliRun verified = command("write", {vk214Plug, "--verify"});
    EXPECT_EQ(verified.status, ExitOk) << verified.err.toStdString();

    rig.document.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("basic"), QStringLiteral("1"));
    const CliRun refused = command("write", {plug});
    EXPECT_EQ(refused.status, ExitModelMismatch);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--force-model")));
    const CliRun forced = command("write", {plug, "--force-model"});
    EXPECT_EQ(forced.status, ExitOk) << forced.err.toStdString();
    rig.sim.inspect([](RadioState &s) { EXPECT_EQ(s.modelWrites, 1); });
}

// A radio that never started the transfer is a port error naming the step
// that failed; one that stopped during it is a failed transfer.
TEST(TransferCli, EachFailureNamesItsStepAndStatus)
{
    using Short = ProgrammingFaults::ShortReply;
    struct Case
    {
        std::function<void(SimOptions &)> fault;
        QString verb;
        int status;
        QString message;
    };
    const QList<Case> cases = {
        {[](SimOptions &o) { o.noAnswer = true; }, "read", ExitPortError, "no answer to the handshake on port "},
        {[](SimOptions &o) { o.faults.shortReply = Short::Model; }, "read", ExitPortError, "no answer to the model query"},
        {[](SimOptions &o) { o.faults.shortReply = Short::Version; }, "write", ExitPortError, "the version query failed"},
        {[](SimOptions &o) { o.faults.ackRequest = true; }, "write", ExitPortError, "the radio refused the write request"},
        {[](SimOptions &o) { o.faults.nakEndOfRead = true; }, "read", ExitTransferFailed,
         "every block was read, but the radio did not acknowledge the end of the read; nothing was saved\n"},
        {[](SimOptions &o) { o.faults.nakWriteBlock = 3; }, "write", ExitTransferFailed, "the write broke off at "},
        {[](SimOptions &o) { o.faults.disconnectAfterBlocks = 50; }, "read", ExitTransferFailed, "broke off"},
    };
    for (const Case &c : cases) {
        SimOptions options;
        c.fault(options);
        LinkRig rig(options);
        ASSERT_TRUE(rig.started);
        const QString dir = rig.document.config.dir();
        const QString plug = dir + "/plug.dat", out = dir + "/out.dat";
        ASSERT_TRUE(DataFile::save(*rig.document.doc, plug));
        const QStringList file = c.verb == "read" ? QStringList{"-o", out} : QStringList{plug};
        const CliRun r = rq381(QStringList{c.verb, "--port", rig.sim.devicePath(), "--config", dir} + file);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("100%")) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST(TransferCli, VerifyNeverCountsABlockThatWasNotReadBack)
{
    SimOptions options;
    options.faults.wrongHeaderBlock = 40;  // 0x0A00, a written block, answered as 0x0A40 every time
    LinkRig rig(options);
    ASSERT_TRUE(rig.started);
    const QString dir = rig.document.config.dir();
    const QString plug = dir + "/plug.dat";
    ASSERT_TRUE(DataFile::save(*rig.document.doc, plug));
    const CliRun r = rq381({"write", "--port", rig.sim.devicePath(), "--config", dir, plug, "--verify"});
    EXPECT_EQ(r.status, ExitTransferFailed);
    EXPECT_EQ(r.err, "rq381 write: verify incomplete: 1 block at 0x0a00 not read back intact and not verified; "
                     "the other blocks match\n");
}

// A block whose sum byte stays wrong fails the read unless the user accepts
// it; one that comes right when asked for again is simply read.
TEST(TransferCli, ABlockThatStaysDamagedFailsTheReadUnlessAccepted)
{
    for (const int faultTimes : {-1, 2}) {
        SCOPED_TRACE(faultTimes);
        SimOptions options;
        options.faults.corruptReadBlock = 16;  // 0x0400
        options.faults.faultTimes = faultTimes;
        LinkRig rig(options);
        ASSERT_TRUE(rig.started);
        const QString dir = rig.document.config.dir(), out = dir + "/out.dat";
        const QStringList read = {"read", "--port", rig.sim.devicePath(), "--config", dir, "-o", out};
        const CliRun plain = rq381(read);
        if (faultTimes > 0) {
            EXPECT_EQ(plain.status, ExitOk) << plain.err.toStdString();
            EXPECT_EQ(fileBytes(out).mid(64 + 0x0400, 64), rig.radioBytes(0x0400, 0x0440));
            continue;
        }
        EXPECT_EQ(plain.status, ExitTransferFailed);
        EXPECT_EQ(plain.err, "rq381 read: 1 block at 0x0400 kept failing the sum check when asked for again; nothing "
                             "was saved (--accept-damaged saves such blocks as received)\n");
        EXPECT_FALSE(QFile::exists(out));
        const CliRun accepted = rq381(read + QStringList{"--accept-damaged"});
        EXPECT_EQ(accepted.status, ExitOk);
        EXPECT_TRUE(accepted.err.contains("1 block at 0x0400 kept failing the sum check; saved as received"))
            << accepted.err.toStdString();
        EXPECT_EQ(fileBytes(out).mid(64 + 0x0401, 63), rig.radioBytes(0x0401, 0x0440));
    }
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

// The real programs: rq381-sim prints its device and saves its memory at the
// end; rq381 reads it (with a trace), then writes a changed codeplug back and
// verifies it.
TEST(TransferCli, TheProgramsTalkOverAPseudoTerminal)
{
    TestConfig config;
    const QString saved = config.dir() + QStringLiteral("/radio-memory.dat");
    const QString plugFile = config.dir() + QStringLiteral("/read.dat");
    const QString trace = config.dir() + QStringLiteral("/read.trace");
    QProcess sim;
    sim.start(binPath(QStringLiteral("rq381-sim")), {QStringLiteral("--config"), config.dir(), QStringLiteral("--save"), saved});
    ASSERT_TRUE(sim.waitForStarted(5000) && sim.waitForReadyRead(10000));
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device.toStdString();
    auto cli = [&](const QString &verb, const QStringList &args) {
        QProcess rq381;
        rq381.start(binPath(QStringLiteral("rq381")), QStringList{verb, QStringLiteral("--port"), device} + args
                                                         + QStringList{QStringLiteral("--config"), config.dir()});
        EXPECT_TRUE(rq381.waitForFinished(30000));
        EXPECT_EQ(rq381.exitCode(), ExitOk) << rq381.readAllStandardError().toStdString();
        return QString::fromLocal8Bit(rq381.readAllStandardOutput());
    };

    EXPECT_TRUE(cli(QStringLiteral("read"), {QStringLiteral("-o"), plugFile, QStringLiteral("--trace"), trace})
                    .contains(QStringLiteral("CID 0123456789abcdef0011")));
    const QByteArray traceText = fileBytes(trace);
    EXPECT_TRUE(traceText.contains(" TX 50 52 4f 47 52 41 4d\n"));
    EXPECT_TRUE(traceText.contains(" RX 06\n"));
    QByteArray plug = fileBytes(plugFile);
    ASSERT_EQ(plug.size(), DataFile::kFileSize);
    plug[64 + 0x2000] = char(0x42);
    QFile edited(plugFile);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly) && edited.write(plug) == plug.size());
    edited.close();
    EXPECT_TRUE(cli(QStringLiteral("write"), {plugFile, QStringLiteral("--verify")}).contains(QStringLiteral("verified")));

    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
    const QByteArray memory = fileBytes(saved);
    ASSERT_EQ(memory.size(), DataFile::kFileSize);
    EXPECT_EQ(uint8_t(memory[64 + 0x2000]), 0x42);
    EXPECT_EQ(memory.mid(64 + 0x0280, 0x2000 - 0x0280), plug.mid(64 + 0x0280, 0x2000 - 0x0280));
}
