#include "app/FilePaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Kind = FilePaths::SaveTarget::Kind;
using FilePaths::Extension;

TEST(SaveTarget, TheExtensionIsAddedBeforeTheFileIsLookedAt)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("radio1"));
    QFile existing(base + QStringLiteral(".test"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    // The typed name does not exist; the file the save writes does.
    const FilePaths::SaveTarget typed = FilePaths::saveTarget(base, QStringLiteral("test"), Extension::Always);
    EXPECT_EQ(typed.path, base + QStringLiteral(".test"));
    EXPECT_EQ(typed.kind, Kind::Existing);
    EXPECT_EQ(FilePaths::saveTarget(base + QStringLiteral(".TEST"), QStringLiteral("test"), Extension::Always).path,
              base + QStringLiteral(".TEST"));
    EXPECT_EQ(FilePaths::saveTarget(base + QStringLiteral(".bak"), QStringLiteral("test"), Extension::Always).path,
              base + QStringLiteral(".bak.test"));

    // Save As keeps an extension of the user's own.
    EXPECT_EQ(FilePaths::saveTarget(base + QStringLiteral(".bak"), QStringLiteral("dat"), Extension::IfNone).path,
              base + QStringLiteral(".bak"));
    const FilePaths::SaveTarget fresh = FilePaths::saveTarget(dir.filePath(QStringLiteral("customer")),
                                                              QStringLiteral("dat"), Extension::IfNone);
    EXPECT_EQ(fresh.path, dir.filePath(QStringLiteral("customer.dat")));
    EXPECT_EQ(fresh.kind, Kind::New);
}

TEST(SaveTarget, AnythingButARegularFileOrANewNameIsRefused)
{
    QTemporaryDir dir;
    // A FIFO that only the added extension names: refused, never opened.
    const QString fifo = dir.filePath(QStringLiteral("pipe.test"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const FilePaths::SaveTarget pipe =
        FilePaths::saveTarget(dir.filePath(QStringLiteral("pipe")), QStringLiteral("test"), Extension::Always);
    EXPECT_EQ(pipe.kind, Kind::Refused);
    EXPECT_TRUE(pipe.reason.contains(QStringLiteral("FIFO"))) << pipe.reason.toStdString();

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.dat")));
    EXPECT_EQ(FilePaths::saveTarget(dir.filePath(QStringLiteral("folder")), QStringLiteral("dat"), Extension::IfNone).kind,
              Kind::Refused);
}
