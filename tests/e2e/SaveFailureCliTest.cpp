// A read from the radio into a file on a full disk keeps the old file, fails
// with the cause, and never claims success: codeplug, calibration and trace.

#include "LinkRig.h"

#include "CliRun.h"
#include "app/SafeFileWriter.h"
#include "calibration/CalibrationBackup.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

struct FullDisk
{
    FullDisk() { SafeFileWriter::failWritesForTesting(ENOSPC, 100); }
    ~FullDisk() { SafeFileWriter::failWritesForTesting(0); }
};

QString writeOld(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("the old file") == 12);
    return path;
}

}

TEST(SaveFailureCli, ReadsIntoAFullDiskKeepTheOldFilesAndFail)
{
    LinkRig rig;
    ASSERT_TRUE(rig.started);
    RadioSimulator serviceRadio{SimOptions{}};
    ASSERT_TRUE(serviceRadio.start());
    const QString dir = rig.document.config.dir();
    const QString plug = writeOld(dir + "/radio.dat");
    const QString trace = writeOld(dir + "/read.trace");
    const QString test = writeOld(dir + "/radio.test");
    QTemporaryDir backups;
    CalibrationBackup::setDefaultFolder(backups.path());

    CliRun read, calib;
    {
        FullDisk full;
        read = runRq381({"read", "--port", rig.sim.devicePath(), "-o", plug, "--trace", trace, "--config", dir});
        calib = runRq381({"calib", "read", "--port", serviceRadio.devicePath(), "-o", test, "--config", dir});
    }
    CalibrationBackup::setDefaultFolder(QString());

    EXPECT_EQ(read.status, ExitFailure);
    EXPECT_TRUE(read.err.contains("cannot write " + plug + ": no space left on the device")) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains("the trace was not kept: cannot write " + trace + ": no space left on the device"))
        << read.err.toStdString();
    EXPECT_FALSE(read.out.contains("Read the radio"));
    EXPECT_EQ(calib.status, ExitFailure);
    EXPECT_TRUE(calib.err.contains("cannot write " + test + ": no space left on the device")) << calib.err.toStdString();
    EXPECT_FALSE(calib.out.contains("success")) << calib.out.toStdString();
    for (const QString &path : {plug, trace, test})
        EXPECT_EQ(fileBytes(path), QByteArray("the old file")) << path.toStdString();
    EXPECT_EQ(QDir(dir).entryList({".*.tmp"}, QDir::Files | QDir::Hidden), QStringList());
}
