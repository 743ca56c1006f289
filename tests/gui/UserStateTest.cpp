// What the desktop program remembers between runs goes to the user's
// configuration folder, made on the first write; a write that fails is
// reported once, together with the settings' own writes.

#include "app/AppSettings.h"
#include "app/ConfigLocations.h"
#include "app/RecentFileList.h"
#include "app/UserState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Points the user's configuration folder into a temporary home for one test.
class TemporaryHome
{
public:
    TemporaryHome() : m_oldHome(qgetenv("HOME")), m_oldConfig(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir(m_home.path()).filePath(".config")));
    }
    ~TemporaryHome()
    {
        qputenv("HOME", m_oldHome);
        if (m_oldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }
    QString path() const { return m_home.path(); }

private:
    QTemporaryDir m_home;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
};

TEST(UserState, RemembersInTheUsersFolderMadeOnFirstWrite)
{
    TemporaryHome home;
    const QString folder = ConfigLocations::userFolder();
    ASSERT_TRUE(folder.startsWith(home.path())) << folder.toStdString();
    ASSERT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(UserState::path(), QDir(folder).filePath("rq381cps.ini"));
    EXPECT_TRUE(UserState::lastFolder().isEmpty());

    QTemporaryDir work;
    const QString codeplug = QDir(work.path()).filePath("radio.dat");
    UserState::rememberFolderOf(codeplug);
    EXPECT_EQ(UserState::lastFolder(), work.path());
    EXPECT_TRUE(UserState::setValue("window/geometry", QByteArray("\x01\x02", 2)));
    EXPECT_EQ(UserState::value("window/geometry").toByteArray(), QByteArray("\x01\x02", 2));
    RecentFileList().add(codeplug);
    EXPECT_EQ(RecentFileList().files().value(0), codeplug);
    EXPECT_TRUE(QFileInfo(UserState::path()).isFile());

    // A folder that has gone is not offered as the last one.
    work.remove();
    EXPECT_TRUE(UserState::lastFolder().isEmpty());
}

TEST(UserState, AFailedWriteIsReportedOnceAlongWithTheSettingsWrites)
{
    TemporaryHome home;
    // The configuration folder cannot be made: a file has its name.
    QDir().mkpath(QFileInfo(ConfigLocations::userFolder()).absolutePath());
    QFile blocker(ConfigLocations::userFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QTemporaryDir portable;
    AppSettings settings(ConfigLocations::standard(ConfigLocations::userFolder(), portable.path(), portable.path()));
    QStringList reports;
    settings.setWriteFailureHandler([&](const QString &file, const QString &reason) { reports << file + " | " + reason; });
    EXPECT_FALSE(UserState::setValue("window/geometry", QByteArray("x"), &settings));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith(QDir::toNativeSeparators(UserState::path()) + " | ")) << reports[0].toStdString();
    EXPECT_FALSE(UserState::setValue("files/lastFolder", portable.path(), &settings));
    EXPECT_FALSE(settings.writeSetting("setup", "language", "english"));
    EXPECT_EQ(reports.size(), 1);
    // Nothing went to the program's folder instead.
    EXPECT_TRUE(QDir(portable.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}
