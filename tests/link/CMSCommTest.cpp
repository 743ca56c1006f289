#include "PtyPair.h"
#include "TestSupport.h"

#include "link/CMSComm.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>
#include <time.h>

namespace {

double threadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

QByteArray readReply(CMSComm &comm, int count, int timeoutMs)
{
    QByteArray bytes(count, 0);
    const int n = comm.ReadBytes(reinterpret_cast<uint8_t *>(bytes.data()), count, timeoutMs);
    return n < 0 ? QByteArray("<error>") : bytes.left(n);
}

}

TEST(CMSComm, OpensByDevicePathOrByMappedPortNumber)
{
    PtyPair pty;
    TestConfig config;
    config.settings().writeSetting(QStringLiteral("ports"), QStringLiteral("3"), pty.path());
    CMSComm comm(&config.settings());
    uint8_t byte = 0;
    EXPECT_EQ(comm.SendBytes(QByteArray("PROGRAM")), 0);  // a closed port sends nothing
    EXPECT_EQ(comm.ReadBytes(&byte, 1, 10), -1);

    ASSERT_TRUE(comm.OpenPort(3, CMSComm::kBaudRate));
    EXPECT_EQ(comm.deviceName(), pty.path());
    ASSERT_TRUE(comm.OpenPort(QStringLiteral("3"), CMSComm::kBaudRate));
    ASSERT_TRUE(comm.OpenPort(pty.path(), CMSComm::kBaudRate));
    EXPECT_EQ(comm.ReadBytes(&byte, 0, 100), 0);  // a count of 0 returns at once

    // Numbers outside 1..16 and absent devices name no port; a failed open leaves it closed.
    for (const QString &port : {QStringLiteral("0"), QStringLiteral("17"), QStringLiteral("/dev/no-such-serial-port")})
        EXPECT_FALSE(comm.OpenPort(port, CMSComm::kBaudRate)) << qPrintable(port);
    EXPECT_FALSE(comm.IsPortOpen());
}

TEST(CMSComm, SendDropsStaleInputAndReadTakesExactlyTheCount)
{
    PtyPair pty;
    CMSComm comm;
    ASSERT_TRUE(comm.OpenPort(pty.path(), CMSComm::kBaudRate));
    QList<CMSComm::TraceEvent> events;
    comm.setTrace([&](CMSComm::TraceEvent event, const QByteArray &) { events << event; });

    pty.write("late answer");  // arrives before the command is sent
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(comm.SendBytes(QByteArray("\x02", 1)), 0);
    EXPECT_EQ(pty.read(), QByteArray("\x02", 1));
    EXPECT_TRUE(events.contains(CMSComm::TraceEvent::Dropped));

    pty.write("ABCDEFG");
    EXPECT_EQ(readReply(comm, 4, 500), "ABCD");
    // The surplus of that fetch is gone, not kept for the next read.
    EXPECT_EQ(readReply(comm, 3, 100), "");
    EXPECT_TRUE(events.contains(CMSComm::TraceEvent::Received));
}

TEST(CMSComm, TimeOutIsOneDeadlineForTheWholeRead)
{
    PtyPair pty;
    CMSComm comm;
    ASSERT_TRUE(comm.OpenPort(pty.path(), CMSComm::kBaudRate));
    // A byte every 100 ms: the gaps are short, but the whole reply is late.
    std::thread radio([&] {
        for (int i = 0; i < 8; ++i) {
            pty.write("x");
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    QElapsedTimer clock;
    clock.start();
    const QByteArray got = readReply(comm, 8, 350);
    const qint64 elapsed = clock.elapsed();
    radio.join();
    EXPECT_GE(got.size(), 2);
    EXPECT_LT(got.size(), 8);
    EXPECT_GE(elapsed, 340);
    EXPECT_LT(elapsed, 700);
}

TEST(CMSComm, WaitingBurnsNoCpu)
{
    PtyPair pty;
    CMSComm comm;
    ASSERT_TRUE(comm.OpenPort(pty.path(), CMSComm::kBaudRate));

    // A silent radio: the whole time-out is one blocking wait.
    const double silentStart = threadCpuMs();
    EXPECT_EQ(readReply(comm, 1, 400), "");
    EXPECT_LT(threadCpuMs() - silentStart, 40.0);

    // A reply paced at 57600 baud is collected with a few wake-ups, not one per byte.
    QByteArray reply(69, 0);
    for (int i = 0; i < reply.size(); ++i)
        reply[i] = char(i);
    int fetches = 0;
    comm.setTrace([&](CMSComm::TraceEvent event, const QByteArray &) { fetches += event == CMSComm::TraceEvent::Received; });
    std::thread radio([&] {
        const auto begin = std::chrono::steady_clock::now();
        for (int i = 0; i < reply.size(); ++i) {
            std::this_thread::sleep_until(begin + (i + 1) * std::chrono::microseconds(174));
            pty.write(reply.mid(i, 1));
        }
    });
    EXPECT_EQ(readReply(comm, 69, 500), reply);
    radio.join();
    EXPECT_LE(fetches, 20);
}

TEST(CMSComm, AFailedOpenSaysWhyAndHowToFixIt)
{
    TestConfig config;
    PtyPair pty;
    CMSComm holder;
    ASSERT_TRUE(holder.OpenPort(pty.path(), CMSComm::kBaudRate));

    // A device another program holds is reported as in use, not as missing.
    CMSComm second;
    EXPECT_FALSE(second.OpenPort(pty.path(), CMSComm::kBaudRate));
    EXPECT_EQ(second.openProblem().kind, PortProblem::Kind::InUse);
    EXPECT_TRUE(second.openProblem().englishText().contains(QStringLiteral("in use by another program")));
    EXPECT_TRUE(second.openProblem().message(config.settings().language()).contains(pty.path()));
    holder.ClosePort();
    EXPECT_TRUE(second.OpenPort(pty.path(), CMSComm::kBaudRate));
    EXPECT_EQ(second.openProblem().kind, PortProblem::Kind::None);
    second.ClosePort();

    EXPECT_FALSE(second.OpenPort(QStringLiteral("/dev/no-such-serial-port"), CMSComm::kBaudRate));
    EXPECT_EQ(second.openProblem().kind, PortProblem::Kind::NoDevice);
    EXPECT_TRUE(second.openProblem().message(config.settings().language()).isEmpty());  // the general message stays

    // Permission: the device and the group that owns it, in both languages.
    // (The tests run as root, which opens anything: the texts are checked here.)
    EXPECT_FALSE(PortProblem::owningGroup(pty.path()).isEmpty());
    const PortProblem denied{PortProblem::Kind::NoPermission, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"), {}};
    EXPECT_TRUE(denied.englishText().contains(QStringLiteral("usermod -aG dialout")));
    for (const char *language : {"english", "chinese"}) {
        config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), QLatin1String(language));
        config.reload();
        const QString text = denied.message(config.settings().language());
        EXPECT_TRUE(text.contains(QStringLiteral("/dev/ttyUSB0")) && text.contains(QStringLiteral("\"dialout\"")))
            << language << ": " << text.toStdString();
    }
}
