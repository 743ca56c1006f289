// A write that fails (full disk, size limit, no permission) keeps the old
// file byte for byte, leaves no temporary file behind and names its cause.

#include "TestSupport.h"

#include "app/IniFile.h"
#include "app/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Folder
{
    Folder()
    {
        QFile file(old());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kOld);
    }
    ~Folder() { SafeFileWriter::failWritesForTesting(0); }
    QString old() const { return dir.filePath(QStringLiteral("old.dat")); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    static inline const QByteArray kOld = QByteArray("old contents ") + QByteArray(5000, 'o');
    QTemporaryDir dir;
};

}

// writeFile on a full disk is checked through every save of the command
// line (SaveSafety); here the streaming calls: a failed write fails the commit.
TEST(SafeFileWriter, AFullDiskKeepsTheOldFileAndNamesTheCause)
{
    Folder f;
    SafeFileWriter writer(f.old());
    ASSERT_TRUE(writer.open());
    EXPECT_TRUE(writer.write("first "));
    SafeFileWriter::failWritesForTesting(EDQUOT, 6);
    EXPECT_FALSE(writer.write("second"));
    EXPECT_FALSE(writer.commit());
    EXPECT_TRUE(writer.errorString().endsWith(QStringLiteral("the disk quota is used up")));
    EXPECT_EQ(fileBytes(f.old()), Folder::kOld);
    EXPECT_EQ(f.entries(), QStringList{QStringLiteral("old.dat")});
}

TEST(SafeFileWriter, TheSystemsFileSizeLimitIsAFailureNotATruncatedFile)
{
    Folder f;
    // write() fails with EFBIG past the limit once the signal is ignored.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = SafeFileWriter::writeFile(f.old(), QByteArray(262208, 'n'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(error.endsWith(QStringLiteral("the file would be larger than the system allows"))) << error.toStdString();
    EXPECT_EQ(fileBytes(f.old()), Folder::kOld);
    EXPECT_EQ(f.entries(), QStringList{QStringLiteral("old.dat")});
}

TEST(SafeFileWriter, AReplacedFileKeepsItsLinkAndPermissions)
{
    Folder f;
    ASSERT_TRUE(QFile::setPermissions(f.old(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString link = f.dir.filePath(QStringLiteral("link.dat"));
    ASSERT_TRUE(QFile::link(f.old(), link));
    ASSERT_TRUE(SafeFileWriter::writeFile(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(f.old()), QByteArray("new"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(f.old()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // A folder without write permission (root may write anyway).
    if (geteuid() != 0) {
        const QString locked = f.dir.filePath(QStringLiteral("locked"));
        ASSERT_TRUE(QDir().mkdir(locked));
        ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        EXPECT_FALSE(SafeFileWriter::writeFile(locked + QStringLiteral("/x.dat"), "x", &error));
        EXPECT_TRUE(error.endsWith(QStringLiteral(": permission denied"))) << error.toStdString();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(SafeFileWriter, ASettingsWriteOnAFullDiskKeepsTheSettingsFile)
{
    Folder f;
    const QString ini = f.dir.filePath(QStringLiteral("setting.ini"));
    ASSERT_TRUE(IniFile::writeString(ini, QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("3")));
    const QByteArray before = fileBytes(ini);
    SafeFileWriter::failWritesForTesting(ENOSPC, 4);
    QString error;
    EXPECT_FALSE(IniFile::writeString(ini, QStringLiteral("setup"), QStringLiteral("language"), QStringLiteral("english"),
                                      &error));
    SafeFileWriter::failWritesForTesting(0);
    EXPECT_TRUE(error.endsWith(QStringLiteral("no space left on the device")));
    EXPECT_EQ(fileBytes(ini), before);
    // The cache did not keep the value that was never written.
    EXPECT_EQ(IniFile::readString(ini, QStringLiteral("setup"), QStringLiteral("language")), QString());
}
