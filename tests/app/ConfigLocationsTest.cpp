// Where the settings and language files are read from and written to.

#include "app/AppSettings.h"
#include "app/ConfigLocations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Three folders as an installed program sees them: the user's, the
// program's own and the installed defaults.
struct Folders
{
    Folders()
    {
        for (const char *name : {"program", "installed"})
            QDir(root.path()).mkpath(name);
    }
    QString path(const QString &folder) const { return QDir(root.path()).filePath(folder); }
    void write(const QString &folder, const QString &name, const QByteArray &content) const
    {
        QDir().mkpath(path(folder));
        QFile file(QDir(path(folder)).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    QByteArray read(const QString &folder, const QString &name) const
    {
        QFile file(QDir(path(folder)).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    AppSettings standard() const
    {
        return AppSettings(ConfigLocations::standard(path("user"), path("program"), path("installed")));
    }
    AppSettings explicitFolder(const QString &folder) const
    {
        return AppSettings(ConfigLocations::explicitFolder(path(folder), path("installed")));
    }
    QTemporaryDir root;
};

const QByteArray kInstalled = "[setup]\nmodel=RQ381\nlanguage=\ncom=1\n[FreqRange]\ndata6=04000470\nfreq6=400MHz-470MHz\n";

TEST(ConfigLocations, EachKeyComesFromTheFirstFileThatHasIt)
{
    Folders f;
    f.write("installed", "setting.ini", kInstalled);
    f.write("program", "setting.ini", "[setup]\nmodel=VK214\ntestmode=zqparlin\n");
    f.write("user", "setting.ini", "[SETUP]\nModel=TL809\nlanguage=\n[ports]\n3=/dev/ttyUSB0\n");
    AppSettings settings = f.standard();
    settings.load();
    EXPECT_EQ(settings.modelName(), "TL809");                      // the user's file first
    EXPECT_EQ(settings.setting("setup", "testmode"), "zqparlin");  // then the program's folder
    EXPECT_EQ(settings.setting("FreqRange", "data6"), "04000470"); // then the installed defaults
    EXPECT_EQ(settings.setting("ports", "3"), "/dev/ttyUSB0");
    EXPECT_EQ(settings.settingInt("setup", "com", 5), 1);
    EXPECT_EQ(settings.settingInt("setup", "basic", 7), 7);        // in no file
    EXPECT_FALSE(settings.findSetting("FreqRange", "data7").has_value());
    // A key present with an empty value is a value: it hides the later files'.
    f.write("program", "setting.ini", "[setup]\nlanguage=chinese\n");
    EXPECT_EQ(settings.findSetting("setup", "language"), QString());

    // Without a file beside the program, as installed.
    QFile::remove(QDir(f.path("program")).filePath("setting.ini"));
    EXPECT_EQ(settings.setting("setup", "testmode"), "");
    EXPECT_EQ(settings.setting("FreqRange", "freq6"), "400MHz-470MHz");
    EXPECT_TRUE(settings.settingsFileExists());
}

TEST(ConfigLocations, NoSettingsAnywhereIsReportedAndInstalledDefaultsAloneSuffice)
{
    Folders f;
    EXPECT_FALSE(f.standard().settingsFileExists());
    EXPECT_FALSE(f.explicitFolder("elsewhere").settingsFileExists());
    f.write("installed", "setting.ini", kInstalled);
    AppSettings settings = f.standard();
    EXPECT_TRUE(settings.settingsFileExists());
    settings.load();
    EXPECT_EQ(settings.modelName(), "RQ381");
}

TEST(ConfigLocations, WritesGoToTheUserFolderMadeOnFirstWrite)
{
    Folders f;
    f.write("installed", "setting.ini", kInstalled);
    f.write("program", "setting.ini", "[setup]\nlanguage=chinese\ncom=2\n");
    QFile::setPermissions(f.path("program"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray programBefore = f.read("program", "setting.ini");

    AppSettings settings = f.standard();
    int failures = 0;
    settings.setWriteFailureHandler([&](const QString &, const QString &) { ++failures; });
    ASSERT_FALSE(QFileInfo::exists(f.path("user")));
    EXPECT_TRUE(settings.writeSetting("setup", "language", "english"));
    EXPECT_TRUE(settings.writeSetting("setup", "com", "4"));
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(f.read("user", "setting.ini").trimmed(), "[setup]\nlanguage=english\ncom=4");
    // The choice holds at the next start although the program's folder says otherwise.
    settings.load();
    EXPECT_EQ(settings.languageName(), "english");
    EXPECT_EQ(settings.settingInt("setup", "com", 1), 4);
    // Neither the program's folder nor the installed defaults were touched.
    EXPECT_EQ(f.read("program", "setting.ini"), programBefore);
    EXPECT_EQ(f.read("installed", "setting.ini"), kInstalled);
    EXPECT_EQ(QDir(f.path("program")).entryList(QDir::Files | QDir::Hidden), QStringList{"setting.ini"});
    QFile::setPermissions(f.path("program"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ConfigLocations, AFolderGivenOnTheCommandLineIsReadAndWrittenAndTheUserFolderIgnored)
{
    Folders f;
    f.write("installed", "setting.ini", kInstalled);
    f.write("user", "setting.ini", "[setup]\nmodel=TL809\n");
    f.write("mine", "setting.ini", "[setup]\nlanguage=chinese\n");
    AppSettings settings = f.explicitFolder("mine");
    settings.load();
    EXPECT_EQ(settings.modelName(), "RQ381");  // installed, not the user's
    EXPECT_EQ(settings.languageName(), "chinese");
    EXPECT_TRUE(settings.writeSetting("setup", "com", "3"));
    EXPECT_EQ(f.read("mine", "setting.ini"), "[setup]\nlanguage=chinese\ncom=3\n");
    EXPECT_EQ(f.read("user", "setting.ini"), "[setup]\nmodel=TL809\n");
}

TEST(ConfigLocations, AFailedWriteIsReportedOnceWithTheFileAndTheReason)
{
    Folders f;
    f.write("installed", "setting.ini", kInstalled);
    f.write("", "user", "not a folder");  // the user's folder cannot be made
    AppSettings settings = f.standard();
    QStringList reports;
    settings.setWriteFailureHandler([&](const QString &file, const QString &reason) { reports << file + " | " + reason; });
    EXPECT_FALSE(settings.writeSetting("setup", "language", "english"));
    EXPECT_FALSE(settings.writeSetting("setup", "com", "2"));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith(QDir::toNativeSeparators(QDir(f.path("user")).filePath("setting.ini")) + " | "))
        << reports[0].toStdString();
    EXPECT_TRUE(reports[0].contains("cannot be made")) << reports[0].toStdString();
    EXPECT_EQ(f.read("installed", "setting.ini"), kInstalled);
}

TEST(ConfigLocations, LanguageFilesAreLookedForInTheSameFolders)
{
    Folders f;
    f.write("installed", "setting.ini", kInstalled);
    f.write("installed", "english.lang", "[String]\nIDS_WARN=Installed\n");
    f.write("installed", "chinese.lang", "[String]\nIDS_WARN=警告\n");
    f.write("program", "english.lang", "[String]\nIDS_WARN=Portable\n");
    f.write("user", "setting.ini", "[setup]\nlanguage=english\n");
    AppSettings settings = f.standard();
    settings.load();
    EXPECT_EQ(settings.language().GetLangString("IDS_WARN"), "Portable");
    settings.setLanguageName("chinese");
    EXPECT_TRUE(settings.languageFileExists());
    EXPECT_EQ(settings.language().GetLangString("IDS_WARN"), "警告");
    settings.setLanguageName("klingon");
    EXPECT_FALSE(settings.languageFileExists());
    EXPECT_EQ(settings.languageFilePath("klingon"), QDir(f.path("user")).filePath("klingon.lang"));
}

}
