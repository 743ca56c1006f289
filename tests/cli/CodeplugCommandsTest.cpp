#include "CliRun.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

CliRun run(const QStringList &args) { return runRq381(args); }

TEST(CodeplugCommandsTest, NewThenInfoDescribesTheDefaultCodeplug)
{
    TestConfig config;
    const QString file = config.dir() + "/new.dat";
    const CliRun made = run({"new", "-o", file, "--config", config.dir()});
    ASSERT_EQ(made.status, ExitOk) << made.err.toStdString();
    EXPECT_EQ(QFile(file).size(), 262208);

    const CliRun info = run({"info", file, "--config", config.dir()});
    ASSERT_EQ(info.status, ExitOk) << info.err.toStdString();
    EXPECT_EQ(info.out, "header: ok\nmodel: RQ381\nrange: 6\nband: 400.00000-470.00000\n"
                        "programmed: 2014-07-20 07:07:07\nzones: 1\nchannels: 1\nscan lists: 1\n"
                        "rx groups: 1\ncontacts: 1\nencryption keys: 1\nquick texts: 1\n");
}

TEST(CodeplugCommandsTest, NewHonoursModelAndRange)
{
    TestConfig config;
    const QString file = config.dir() + "/vk.dat";
    ASSERT_EQ(run({"new", "-o", file, "--config", config.dir(), "--model", "VK214", "--range", "0"}).status, ExitOk);
    const CliRun info = run({"info", file, "--config", config.dir()});
    EXPECT_TRUE(info.out.contains("model: VK214\nrange: 0\nband: 136.00000-174.00000\n")) << info.out.toStdString();
}

TEST(CodeplugCommandsTest, FailuresExplainAndLeaveNoFile)
{
    TestConfig config;
    const QString file = config.dir() + "/x.dat";
    CliRun r = run({"new", "-o", file, "--config", config.dir(), "--range", "12"});  // no such entry
    EXPECT_NE(r.status, ExitOk);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_FALSE(QFile::exists(file));

    r = run({"new", "-o", config.dir() + "/missing/x.dat", "--config", config.dir()});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_EQ(r.err.count('\n'), 1);

    r = run({"new", "-o", file, "--config", config.dir() + "/nowhere"});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.err.contains("setting.ini"));

    r = run({"new", "--config", config.dir()});
    EXPECT_EQ(r.status, ExitUsage);
    r = run({"frobnicate"});
    EXPECT_EQ(r.status, ExitUsage);
}

TEST(CodeplugCommandsTest, InfoRefusesWhatIsNotACodeplug)
{
    TestConfig config;
    config.writeFile("foreign.dat", QByteArray("XX381 Radio Program data") + QByteArray(300, '\0'));
    CliRun r = run({"info", config.dir() + "/foreign.dat", "--config", config.dir()});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.out.startsWith("header: mismatch\n"));
    EXPECT_FALSE(r.err.isEmpty());

    r = run({"info", config.dir() + "/absent.dat", "--config", config.dir()});
    EXPECT_EQ(r.status, ExitFailure);
    EXPECT_TRUE(r.out.isEmpty());
}

}
