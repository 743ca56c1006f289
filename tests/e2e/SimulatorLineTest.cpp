// The simulated radio's line as a client sees it: link-up words found in
// noise, stale half commands dropped, clients coming and going, wire timing.

#include "LinkRig.h"

#include <QElapsedTimer>
#include <thread>

namespace {

QByteArray ask(CMSComm &comm, const QByteArray &command, int count)
{
    QByteArray reply(count, 0);
    comm.SendBytes(command);
    return reply.left(std::max(0, comm.ReadBytes(reinterpret_cast<uint8_t *>(reply.data()), count, 500)));
}

}

TEST(RadioSimulator, FindsTheLinkWordInNoiseAndSurvivesClientsComingAndGoing)
{
    RadioSimulator sim{SimOptions()};
    ASSERT_TRUE(sim.start());
    CMSComm comm;
    ASSERT_TRUE(comm.OpenPort(sim.devicePath(), CMSComm::kBaudRate));
    EXPECT_EQ(ask(comm, QByteArray("\x00\xFFPROGRAM", 9), 1), QByteArray(1, 0x06));
    EXPECT_EQ(ask(comm, QByteArray(1, 0x05), 15).size(), 15);
    comm.ClosePort();

    // A half-sent command is dropped after a second of silence; a new client is served.
    ASSERT_TRUE(comm.OpenPort(sim.devicePath(), CMSComm::kBaudRate));
    EXPECT_EQ(ask(comm, QByteArray("PROGRAM\x10R\x00", 10), 2).size(), 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    EXPECT_EQ(ask(comm, "PROGRAM", 1), QByteArray(1, 0x06));
    sim.inspect([](RadioState &s) { EXPECT_EQ(s.linkWordCount, 3); });
    EXPECT_TRUE(sim.isRunning());
    sim.stop();
    EXPECT_FALSE(sim.isRunning());
}

TEST(RadioSimulator, WireTimingPacesRepliesAtLineSpeed)
{
    SimOptions options;
    options.wireTiming = true;
    RadioSimulator sim(options);
    ASSERT_TRUE(sim.start());
    CMSComm comm;
    ASSERT_TRUE(comm.OpenPort(sim.devicePath(), CMSComm::kBaudRate));
    ASSERT_EQ(ask(comm, QByteArray("PROGRAM\x10", 8), 2).size(), 2);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(ask(comm, Protocol::readBlockFrame(i * 64), 69).size(), 69);
    // Ten blocks are 730 bytes on the line: 126.7 ms at 57600 baud.
    EXPECT_GE(clock.elapsed(), 126);
}
