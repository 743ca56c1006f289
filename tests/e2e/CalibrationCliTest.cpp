// `rq381 calib read` and `rq381 calib write` against the simulated radio.

#include "CliRun.h"
#include "RadioSimulator.h"
#include "TestSupport.h"
#include "calibration/CalibrationBackup.h"
#include "calibration/CalibrationImage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

namespace {

// rq381 calib VERB --port PORT ARGS... --config DIR
CliRun calib(const QString &verb, const QString &port, const QStringList &args, const TestConfig &config)
{
    return runRq381(QStringList{QStringLiteral("calib"), verb, QStringLiteral("--port"), port} + args
                    + QStringList{QStringLiteral("--config"), config.dir()});
}

QByteArray area(const QByteArray &calibration)
{
    return calibration.mid(kCalibrationAreaStart, kCalibrationAreaEnd - kCalibrationAreaStart);
}

}

TEST(CalibrationCli, ReadSavesTheRadiosAreaAndWriteSendsItBack)
{
    TestConfig config;
    RadioSimulator sim{SimOptions{}};
    ASSERT_TRUE(sim.start());
    const auto radio = [&] {
        return sim.inspect([](RadioState &state) {
            return QByteArray(reinterpret_cast<const char *>(state.calibration.data()), RadioState::kCalibrationSize);
        });
    };
    const QString file = QDir(config.dir()).filePath(QStringLiteral("radio.test"));
    QTemporaryDir backups;
    CalibrationBackup::setDefaultFolder(backups.path());
    const auto backupFiles = [&] { return QDir(backups.path()).entryList(QDir::Files); };

    const CliRun read = calib(QStringLiteral("read"), sim.devicePath(), {QStringLiteral("-o"), file}, config);
    ASSERT_EQ(read.status, ExitOk) << read.err.toStdString();
    EXPECT_EQ(read.out.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Read data success!"));
    const QByteArray saved = fileBytes(file);
    ASSERT_EQ(saved.size(), kCalibrationImageSize);
    // The read also left its copy in the backup folder, and said where.
    ASSERT_EQ(backupFiles().size(), 1);
    const QString backup = QDir(backups.path()).filePath(backupFiles().first());
    EXPECT_TRUE(read.out.contains(backup)) << read.out.toStdString();
    EXPECT_EQ(fileBytes(backup), saved);
    EXPECT_EQ(calib(QStringLiteral("read"), sim.devicePath(),
                    {QStringLiteral("-o"), file, QStringLiteral("--no-backup")}, config).status,
              ExitOk);
    EXPECT_EQ(backupFiles().size(), 1);
    CalibrationBackup::setDefaultFolder(QString());
    const QByteArray before = radio();
    EXPECT_EQ(area(saved), area(before));
    EXPECT_EQ(saved.left(kCalibrationAreaStart), QByteArray(kCalibrationAreaStart, char(0xFF)));

    // One value changed in the file goes back; bytes outside the area are never sent.
    QByteArray edited = saved;
    edited[0x0142] = char(0x5A);
    edited[0x3000] = char(0x11);
    config.writeFile(QStringLiteral("radio.test"), edited);
    // The messages follow [setup] language.
    config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), QStringLiteral("chinese"));
    const CliRun write = calib(QStringLiteral("write"), sim.devicePath(), {file}, config);
    ASSERT_EQ(write.status, ExitOk) << write.err.toStdString();
    EXPECT_EQ(write.out.trimmed(), QString::fromUtf8("写入成功!"));
    const QByteArray after = radio();
    EXPECT_EQ(area(after), area(edited));
    EXPECT_EQ(after.left(kCalibrationAreaStart), before.left(kCalibrationAreaStart));
    EXPECT_EQ(after.mid(kCalibrationAreaEnd), before.mid(kCalibrationAreaEnd));
}

TEST(CalibrationCli, RefusesBadFilesPortsAndSilentRadios)
{
    TestConfig config;
    const QDir dir(config.dir());
    config.writeFile(QStringLiteral("short.test"), QByteArray(100, 0));
    SimOptions silentOptions;
    silentOptions.noAnswer = true;
    RadioSimulator silent{silentOptions};
    ASSERT_TRUE(silent.start());

    // A file that is not a test-data file is refused before the radio is touched.
    const CliRun wrongSize = calib(QStringLiteral("write"), silent.devicePath(),
                                     {dir.filePath(QStringLiteral("short.test"))}, config);
    EXPECT_EQ(wrongSize.status, ExitFailure);
    EXPECT_TRUE(wrongSize.err.contains(QStringLiteral("16384"))) << wrongSize.err.toStdString();
    EXPECT_EQ(silent.inspect([](RadioState &state) { return state.linkWordCount; }), 0);

    const QString output = dir.filePath(QStringLiteral("out.test"));
    EXPECT_EQ(calib(QStringLiteral("read"), dir.filePath(QStringLiteral("no-such-device")),
                    {QStringLiteral("-o"), output}, config).status,
              ExitPortError);
    EXPECT_EQ(calib(QStringLiteral("read"), silent.devicePath(), {}, config).status, ExitUsage);
}

// Every failure names its step and the port; a link-up that failed is a
// port error (nothing was exchanged), a transfer that broke off is not.
TEST(CalibrationCli, FailuresNameTheirStepAndThePort)
{
    using Short = ProgrammingFaults::ShortReply;
    struct Case
    {
        const char *verb;
        std::function<void(SimOptions &)> fault;
        int status;
        QString message;
    };
    const Case cases[] = {
        {"read", [](SimOptions &o) { o.noAnswer = true; }, ExitPortError,
         "no radio answered the service-mode word on port %1; nothing was read"},
        {"read", [](SimOptions &o) { o.faults.shortReply = Short::Model; }, ExitPortError,
         "the reply to the model query came short (8 of 16 bytes) on port %1; nothing was read"},
        {"write", [](SimOptions &o) { o.faults.shortReply = Short::Version; }, ExitPortError,
         "the reply to the version query came short (11 of 22 bytes) on port %1; nothing was written"},
        {"read", [](SimOptions &o) { o.faults.shortReply = Short::Block; o.faults.shortBlock = 2; }, ExitTransferFailed,
         "the reply to the block read at 0x0180 came short (34 of 69 bytes) on port %1; nothing was saved"},
        {"write", [](SimOptions &o) { o.faults.nakWriteBlock = 1; }, ExitTransferFailed,
         "the radio did not acknowledge the block written at 0x0140 on port %1; the radio holds the blocks before it"},
        {"read", [](SimOptions &o) { o.faults.disconnectAfterBlocks = 3; }, ExitTransferFailed,
         "the port failed during the block read at 0x01c0 on port %1; nothing was saved"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        TestConfig config;
        const QString file = QDir(config.dir()).filePath(QStringLiteral("radio.test"));
        config.writeFile(QStringLiteral("radio.test"), QByteArray(kCalibrationImageSize, char(0x11)));
        SimOptions options;
        c.fault(options);
        RadioSimulator sim{options};
        ASSERT_TRUE(sim.start());
        const QString verb = QString::fromLatin1(c.verb);
        const CliRun r = calib(verb, sim.devicePath(),
                               verb == QLatin1String("read") ? QStringList{QStringLiteral("-o"), file, QStringLiteral("--no-backup")}
                                                             : QStringList{file},
                               config);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, QStringLiteral("rq381 calib %1: %2\n").arg(verb, c.message.arg(sim.devicePath())));
        EXPECT_FALSE(r.err.contains(QStringLiteral("Model type is wrong!")));
    }
}
