// The command line copied out of the build tree, as an installation lays it
// out: where it finds its settings, in which order, and that it leaves the
// program's and the installed folders as they were.

#include "TestPaths.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// PREFIX/bin/rq381 and the shipped files in PREFIX/share/rq381; the user's
// home and configuration folder beside it, not made yet.
class Installation
{
public:
    Installation()
    {
        QDir(root.path()).mkpath("prefix/bin");
        QDir(root.path()).mkpath("prefix/share/rq381");
        program = path("prefix/bin/rq381");
        copied = QFile::copy(binPath("rq381"), program);
        for (const char *name : {"setting.ini", "english.lang", "chinese.lang"})
            copied = copied && QFile::copy(sourcePath(QStringLiteral("lang/") + name), path("prefix/share/rq381/") + name);
        QFile::setPermissions(path("prefix/bin"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }
    ~Installation() { QFile::setPermissions(path("prefix/bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }

    QString path(const QString &relative) const { return QDir(root.path()).filePath(relative); }

    // Runs the copied program in the temporary folder, with its own home.
    QString run(const QStringList &args, int *status = nullptr) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", path("home"));
        environment.insert("XDG_CONFIG_HOME", path("config"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(root.path());
        process.start(program, args);
        process.waitForFinished(60000);
        if (status)
            *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    }
    // The model and band of a new codeplug made with these settings.
    QString newCodeplug(const QStringList &options = {}) const
    {
        int status = -1;
        const QString made = run(options + QStringList{"new", "-o", "x.dat"}, &status);
        if (status != 0)
            return "new failed: " + made;
        QString summary;
        for (const QString &line : run({"info", "x.dat"}).split('\n')) {
            if (line.startsWith("model:") || line.startsWith("band:"))
                summary += line + '\n';
        }
        return summary;
    }
    void write(const QString &relative, const QByteArray &content) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    // Every file under a folder with its content.
    QMap<QString, QByteArray> contents(const QString &relative) const
    {
        QMap<QString, QByteArray> files;
        for (QDirIterator it(path(relative), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            files.insert(it.next(), fileBytes(it.filePath()));
        return files;
    }

    QTemporaryDir root;
    QString program;
    bool copied = false;
};

const QString kInstalledDefaults = "model: RQ381\nband: 400.00000-470.00000\n";

TEST(InstalledProgram, FindsItsSettingsInTheOrderUserThenBesideTheProgramThenInstalled)
{
    Installation installed;
    ASSERT_TRUE(installed.copied);
    const QMap<QString, QByteArray> shipped = installed.contents("prefix");

    // Nothing but the installed defaults.
    EXPECT_EQ(installed.newCodeplug(), kInstalledDefaults);
    EXPECT_FALSE(QFileInfo::exists(installed.path("config")));

    // A user file that only names the model still has the installed bands.
    installed.write("config/rq381/setting.ini", "[setup]\nmodel=VK214\n");
    EXPECT_EQ(installed.newCodeplug(), "model: VK214\nband: 400.00000-470.00000\n");

    // A portable folder: setting.ini beside the program comes after the user's.
    QFile::setPermissions(installed.path("prefix/bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    installed.write("prefix/bin/setting.ini", "[setup]\nmodel=TL809\n[FreqRange]\ndata6=01360174\n");
    EXPECT_EQ(installed.newCodeplug(), "model: VK214\nband: 136.00000-174.00000\n");
    QFile::remove(installed.path("prefix/bin/setting.ini"));

    // --config DIR replaces the user's and the program's folders, not the defaults.
    installed.write("prefix/bin/setting.ini", "[setup]\nmodel=TL809\n");
    installed.write("mine/setting.ini", "[setup]\nmodel=RQ381S\n");
    EXPECT_EQ(installed.newCodeplug({"--config", installed.path("mine")}), "model: RQ381S\nband: 400.00000-470.00000\n");
    QFile::remove(installed.path("prefix/bin/setting.ini"));

    // The installed files were only read.
    EXPECT_EQ(installed.contents("prefix"), shipped);
}

}
