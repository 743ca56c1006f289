// Command-line manners: global options anywhere, help for every command,
// and --help / --version of every program without a display.

#include "CliRun.h"
#include "TestPaths.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QStringList kCommands = {"new",           "info",           "edit",           "export",
                               "import",        "diff",           "contacts export", "contacts import",
                               "channels export", "channels import", "read",         "write",
                               "calib read",    "calib write",    "ports"};

QStringList words(const QString &command)
{
    return command.split(' ');
}

QStringList optionsIn(const QString &text)
{
    QStringList options;
    static const QRegularExpression option(QStringLiteral("(?:^|[\\s\\[,])(--?[a-z][a-z-]*)"));
    for (auto it = option.globalMatch(text); it.hasNext();)
        options << it.next().captured(1);
    options.removeDuplicates();
    return options;
}

TEST(CommandLine, ConfigWorksBeforeOrAfterTheCommand)
{
    TestConfig config(QStringLiteral("VK214"));
    const QString dat = QDir(config.dir()).filePath("x.dat");
    ASSERT_EQ(runRq381({"--config", config.dir(), "new", "-o", dat}).status, ExitOk);
    for (const QStringList &line : {QStringList{"--config", config.dir(), "info", dat},
                                    QStringList{"--config=" + config.dir(), "info", dat},
                                    QStringList{"info", "--config", config.dir(), dat},
                                    QStringList{"info", dat, "--config", config.dir()}}) {
        const CliRun r = runRq381(line);
        EXPECT_EQ(r.status, ExitOk) << line.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.out.contains("VK214")) << r.out.toStdString();
    }
    const CliRun csv = runRq381({"--config", config.dir(), "contacts", "export", dat});
    EXPECT_EQ(csv.status, ExitOk) << csv.err.toStdString();

    EXPECT_EQ(runRq381({"--config"}).status, ExitUsage);
    const CliRun unknown = runRq381({"--frobnicate", "info", dat});
    EXPECT_EQ(unknown.status, ExitUsage);
    EXPECT_TRUE(unknown.err.contains("--frobnicate")) << unknown.err.toStdString();
}

TEST(CommandLine, EveryCommandHelpsWithItsNameArgumentsAndPurpose)
{
    for (const QString &command : kCommands) {
        SCOPED_TRACE(command.toStdString());
        const CliRun r = runRq381(words(command) << "--help");
        EXPECT_EQ(r.status, ExitOk);
        const QStringList lines = r.out.split('\n');
        ASSERT_GE(lines.size(), 2);
        EXPECT_TRUE(lines[0].startsWith("Usage: rq381 ")) << lines[0].toStdString();
        EXPECT_TRUE(r.out.contains("rq381 " + command)) << r.out.toStdString();
        EXPECT_FALSE(lines[0].contains('/')) << lines[0].toStdString();
        // A one-line description follows the usage.
        const auto description = std::find_if(lines.begin() + 1, lines.end(), [](const QString &line) {
            return !line.isEmpty() && !line.startsWith(' ');
        });
        ASSERT_NE(description, lines.end());
        EXPECT_TRUE(description->at(0).isUpper()) << description->toStdString();
        // The same text by the other two ways of asking.
        EXPECT_EQ(runRq381(QStringList{"help"} + words(command)).out, r.out);
        EXPECT_EQ(runRq381(QStringList{"--help"} + words(command)).out, r.out);
    }
    // Commands that take files name them.
    EXPECT_TRUE(runRq381({"export", "--help"}).out.contains("FILE.dat"));
    EXPECT_TRUE(runRq381({"import", "--help"}).out.contains("FILE.yaml"));
    EXPECT_TRUE(runRq381({"contacts", "import", "--help"}).out.contains("IN.csv"));
    EXPECT_TRUE(runRq381({"channels", "export", "--help"}).out.contains("FILE.dat"));
}

TEST(CommandLine, TopLevelHelpAndCompletionKnowEveryCommandAndOption)
{
    const CliRun top = runRq381({"--help"});
    EXPECT_EQ(top.status, ExitOk);
    EXPECT_TRUE(top.out.startsWith("Usage: rq381 ")) << top.out.toStdString();
    EXPECT_EQ(runRq381({}).status, ExitUsage);

    QFile completionFile(sourcePath(QStringLiteral("packaging/rq381.bash-completion")));
    ASSERT_TRUE(completionFile.open(QIODevice::ReadOnly));
    const QString completion = QString::fromUtf8(completionFile.readAll());
    const QStringList topOptions = optionsIn(top.out);
    for (const QString &command : kCommands) {
        const QString help = runRq381(words(command) << "--help").out;
        for (const QString &word : words(command)) {
            EXPECT_TRUE(top.out.contains("  " + word + " ") || top.out.contains(" " + word + " ")) << word.toStdString();
            EXPECT_TRUE(completion.contains(word)) << word.toStdString();
        }
        for (const QString &option : optionsIn(help)) {
            if (option == QLatin1String("--help-all"))  // Qt's own, for its generic options
                continue;
            EXPECT_TRUE(topOptions.contains(option)) << command.toStdString() << ": " << option.toStdString();
            if (option.startsWith(QLatin1String("--"))) {
                EXPECT_TRUE(QRegularExpression(QRegularExpression::escape(option) + "[ \"|)]").match(completion).hasMatch())
                    << command.toStdString() << ": " << option.toStdString();
            }
        }
    }
}

// The installed programs, run as a user would, with no display at all.
TEST(CommandLine, ProgramsAnswerHelpAndVersionWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(variable));
    for (const QString &program : {QStringLiteral("rq381"), QStringLiteral("rq381cps"), QStringLiteral("rq381-sim")}) {
        const QString path = binPath(program);
        if (!QFile::exists(path))
            continue;  // a build without the desktop program
        for (const QString &option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
            SCOPED_TRACE((program + ' ' + option).toStdString());
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(path, {option});
            ASSERT_TRUE(process.waitForFinished(60000));
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
            const QString out = QString::fromUtf8(process.readAllStandardOutput());
            if (option == QLatin1String("--help"))
                EXPECT_TRUE(out.startsWith("Usage: " + program + ' ')) << out.toStdString();
            else
                EXPECT_EQ(out, program + QStringLiteral(" " RQ381_VERSION "\n"));
        }
    }
}

}
