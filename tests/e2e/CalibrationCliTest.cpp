// `rq381 calib read` and `rq381 calib write` against the simulated radio.

#include "Commands.h"
#include "RadioSimulator.h"
#include "TestSupport.h"
#include "calibration/CalibrationImage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

CliRun runCalibCommand(const QStringList &args)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    CommandIo io{out, err, false};
    run.status = runCli(QStringList{QStringLiteral("calib")} + args, io);
    out.flush();
    err.flush();
    return run;
}

QByteArray radioCalibration(RadioSimulator &sim)
{
    return sim.inspect([](RadioState &state) {
        return QByteArray(reinterpret_cast<const char *>(state.calibration.data()), RadioState::kCalibrationSize);
    });
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
}

}

TEST(CalibrationCli, ReadSavesTheRadiosAreaAndWriteSendsItBack)
{
    TestConfig config;
    RadioSimulator sim{SimOptions{}};
    ASSERT_TRUE(sim.start());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("radio.test"));

    const CliRun read = runCalibCommand({QStringLiteral("read"), QStringLiteral("--port"), sim.devicePath(),
                                         QStringLiteral("-o"), file, QStringLiteral("--config"), config.dir()});
    ASSERT_EQ(read.status, ExitOk) << read.err.toStdString();
    EXPECT_EQ(read.out.trimmed(), QStringLiteral("Read data success!"));
    const QByteArray saved = readFile(file);
    ASSERT_EQ(saved.size(), kCalibrationImageSize);
    const QByteArray radio = radioCalibration(sim);
    EXPECT_EQ(saved.mid(kCalibrationAreaStart, kCalibrationAreaEnd - kCalibrationAreaStart),
              radio.mid(kCalibrationAreaStart, kCalibrationAreaEnd - kCalibrationAreaStart));
    EXPECT_EQ(saved.left(kCalibrationAreaStart), QByteArray(kCalibrationAreaStart, char(0xFF)));

    // Change one value in the file and write it back.
    QByteArray edited = saved;
    edited[0x0142] = char(0x5A);
    edited[0x3000] = char(0x11);  // outside the area: never sent
    writeFile(file, edited);
    const CliRun write = runCalibCommand({QStringLiteral("write"), QStringLiteral("--port"), sim.devicePath(), file,
                                          QStringLiteral("--config"), config.dir()});
    ASSERT_EQ(write.status, ExitOk) << write.err.toStdString();
    EXPECT_EQ(write.out.trimmed(), QStringLiteral("Write data success!"));
    const QByteArray after = radioCalibration(sim);
    EXPECT_EQ(uint8_t(after[0x0142]), 0x5A);
    EXPECT_EQ(after.mid(kCalibrationAreaStart, kCalibrationAreaEnd - kCalibrationAreaStart),
              edited.mid(kCalibrationAreaStart, kCalibrationAreaEnd - kCalibrationAreaStart));
    EXPECT_EQ(after.left(kCalibrationAreaStart), radio.left(kCalibrationAreaStart));
    EXPECT_EQ(after.mid(kCalibrationAreaEnd), radio.mid(kCalibrationAreaEnd));
}

TEST(CalibrationCli, RefusesBadFilesPortsAndSilentRadios)
{
    TestConfig config;
    QTemporaryDir dir;
    const QString shortFile = dir.filePath(QStringLiteral("short.test"));
    writeFile(shortFile, QByteArray(100, 0));

    SimOptions silentOptions;
    silentOptions.noAnswer = true;
    RadioSimulator silent{silentOptions};
    ASSERT_TRUE(silent.start());

    // A file that is not a test-data file is refused before the radio is touched.
    const CliRun wrongSize = runCalibCommand({QStringLiteral("write"), QStringLiteral("--port"), silent.devicePath(),
                                              shortFile, QStringLiteral("--config"), config.dir()});
    EXPECT_EQ(wrongSize.status, ExitFailure);
    EXPECT_TRUE(wrongSize.err.contains(QStringLiteral("16384"))) << wrongSize.err.toStdString();
    EXPECT_EQ(silent.inspect([](RadioState &state) { return state.linkWordCount; }), 0);

    const CliRun noPort = runCalibCommand({QStringLiteral("read"), QStringLiteral("--port"),
                                           dir.filePath(QStringLiteral("no-such-device")), QStringLiteral("-o"),
                                           dir.filePath(QStringLiteral("x.test")), QStringLiteral("--config"),
                                           config.dir()});
    EXPECT_EQ(noPort.status, ExitPortError);

    const QString output = dir.filePath(QStringLiteral("silent.test"));
    const CliRun noAnswer = runCalibCommand({QStringLiteral("read"), QStringLiteral("--port"), silent.devicePath(),
                                             QStringLiteral("-o"), output, QStringLiteral("--config"), config.dir()});
    EXPECT_EQ(noAnswer.status, ExitTransferFailed);
    EXPECT_TRUE(noAnswer.err.contains(QStringLiteral("Please check whether the port is occupied or not connected!")));
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_EQ(runCalibCommand({QStringLiteral("read"), QStringLiteral("--port"), silent.devicePath()}).status,
              ExitUsage);
}
