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
    const CliRun noAnswer = calib(QStringLiteral("read"), silent.devicePath(), {QStringLiteral("-o"), output}, config);
    EXPECT_EQ(noAnswer.status, ExitTransferFailed);
    EXPECT_TRUE(noAnswer.err.contains(QStringLiteral("Please check whether the port is occupied or not connected!")));
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_EQ(calib(QStringLiteral("read"), silent.devicePath(), {}, config).status, ExitUsage);
}
