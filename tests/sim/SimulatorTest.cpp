#include "ProgrammingResponder.h"
#include "RadioSimulator.h"
#include "SimOptions.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Collects what a responder sends.
class RecordingLine : public RadioLine
{
public:
    void send(const QByteArray &bytes) override { sent += bytes; }
    void disconnect() override { disconnected = true; }
    void endSession() override { ended = true; }
    QByteArray take() { return std::exchange(sent, QByteArray()); }

    QByteArray sent;
    bool disconnected = false;
    bool ended = false;
};

// A client on the simulator's pseudo-terminal, with plain descriptors.
class RawClient
{
public:
    explicit RawClient(const QString &path) : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY)) {}
    ~RawClient() { close(); }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    bool isOpen() const { return m_fd >= 0; }
    void send(const QByteArray &bytes) { [[maybe_unused]] auto n = ::write(m_fd, bytes.constData(), bytes.size()); }
    // Reads until count bytes came or timeoutMs passed.
    QByteArray receive(int count, int timeoutMs = 1000)
    {
        QByteArray bytes;
        QElapsedTimer clock;
        clock.start();
        while (bytes.size() < count && clock.elapsed() < timeoutMs) {
            pollfd fd {m_fd, POLLIN, 0};
            if (poll(&fd, 1, int(timeoutMs - clock.elapsed())) <= 0)
                break;
            char buffer[256];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, int(n));
        }
        return bytes;
    }

private:
    int m_fd;
};

QStringList args(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}

TEST(SimOptions, ParsesFaultsAndRefusesBadValues)
{
    SimOptions o;
    QString error;
    ASSERT_TRUE(SimOptions::parse(args("--wire-timing --answer-after 3 --short-reply block:12 --wrong-header 5 "
                                       "--nak-write 7 --nak-end --ack-request --disconnect-after 9 --noise 4 "
                                       "--measure 0x18=10000 --model VK214"),
                                  o, &error))
        << error.toStdString();
    EXPECT_TRUE(o.wireTiming);
    EXPECT_EQ(o.faults.answerAfter, 3);
    EXPECT_EQ(o.faults.shortReply, ProgrammingFaults::ShortReply::Block);
    EXPECT_EQ(o.faults.shortBlock, 12);
    EXPECT_EQ(o.faults.wrongHeaderBlock, 5);
    EXPECT_EQ(o.faults.nakWriteBlock, 7);
    EXPECT_TRUE(o.faults.nakEndOfRead);
    EXPECT_TRUE(o.faults.ackRequest);
    EXPECT_EQ(o.faults.disconnectAfterBlocks, 9);
    EXPECT_EQ(o.noiseBytes, 4);
    EXPECT_EQ(o.measurements.at(0x18), 10000u);
    EXPECT_EQ(o.model, "VK214");

    for (const char *bad : {"--answer-after -1", "--answer-after x", "--short-reply sometimes", "--short-reply model:3",
                            "--measure 0x18", "--measure 300=1", "stray", "--unknown"}) {
        SimOptions ignored;
        EXPECT_FALSE(SimOptions::parse(args(bad), ignored, &error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(SimOptions, LoadsAndSavesTheRadioMemory)
{
    TestConfig config;
    const QString dat = config.dir() + QStringLiteral("/radio.dat");
    RadioState original;
    original.memory[0x1234] = 0x42;
    original.calibration[0x0100] = 0x99;  // the calibration area travels with the memory
    ASSERT_TRUE(saveRadioMemory(original, dat, nullptr));
    EXPECT_EQ(QFile(dat).size(), 64 + 0x40000);

    SimOptions options;
    options.imagePath = dat;
    options.model = QStringLiteral("TL809");
    RadioState loaded;
    QString error;
    ASSERT_TRUE(loadRadioState(options, loaded, &error)) << error.toStdString();
    EXPECT_EQ(loaded.memory[0x1234], 0x42);
    EXPECT_EQ(loaded.memory[0x0100], 0x99);
    EXPECT_EQ(loaded.modelId, QByteArray("TL809\xFF\xFF\xFF"));

    // Without an image: the default codeplug of the settings, its model as identification.
    SimOptions defaults;
    defaults.configDir = config.dir();
    RadioState fresh;
    ASSERT_TRUE(loadRadioState(defaults, fresh, &error));
    TestDocument document;
    EXPECT_TRUE(std::equal(fresh.memory.begin(), fresh.memory.begin() + 0x100, document.image()));
    EXPECT_EQ(fresh.modelId, QByteArray(reinterpret_cast<const char *>(document.image()), 8));

    config.writeFile(QStringLiteral("short.test"), QByteArray(100, 0));
    config.writeFile(QStringLiteral("foreign.dat"), QByteArray(200, 'x'));
    SimOptions badCalibration;
    badCalibration.imagePath = dat;
    badCalibration.calibrationPath = config.dir() + QStringLiteral("/short.test");
    EXPECT_FALSE(loadRadioState(badCalibration, fresh, &error));
    SimOptions badImage;
    badImage.imagePath = config.dir() + QStringLiteral("/foreign.dat");
    EXPECT_FALSE(loadRadioState(badImage, fresh, &error));
}

TEST(ProgrammingResponder, AnswersCommandsOnlyInTheirSession)
{
    RadioState state;
    state.modelId = QByteArray("RQ381\xFF\xFF\xFF");
    state.memory[0x0040] = 0xAB;
    ProgrammingFaults faults;
    faults.answerAfter = 1;
    ProgrammingResponder radio(state, faults);
    RecordingLine line;

    EXPECT_TRUE(radio.acceptsLinkWord("PROGRAM"));
    EXPECT_TRUE(radio.acceptsLinkWord("MODEL-W"));
    EXPECT_FALSE(radio.acceptsLinkWord("TUNINGT"));
    EXPECT_FALSE(radio.linkUp("PROGRAM", line));  // the first word goes unanswered
    EXPECT_TRUE(line.take().isEmpty());
    ASSERT_TRUE(radio.linkUp("PROGRAM", line));
    EXPECT_EQ(line.take(), QByteArray(1, 0x06));

    EXPECT_EQ(radio.handle(QByteArray("\x02", 1), line), 1);
    EXPECT_EQ(line.take(), QByteArray("RQ381\xFF\xFF\xFF") + QByteArray(8, char(0xFF)));
    EXPECT_EQ(radio.handle(QByteArray::fromHex("52004040"), line), Responder::kNotACommand);  // no read request yet
    EXPECT_EQ(radio.handle(QByteArray("\x10", 1), line), 1);
    EXPECT_EQ(line.take(), QByteArray(1, 0x10));
    EXPECT_EQ(radio.handle(QByteArray::fromHex("5200"), line), 0);  // incomplete
    EXPECT_EQ(radio.handle(QByteArray::fromHex("52004040"), line), 4);
    const QByteArray block = line.take();
    ASSERT_EQ(block.size(), 69);
    EXPECT_EQ(block.left(4).toHex(), "57004040");
    EXPECT_EQ(uint8_t(block[4]), 0xAB);
    EXPECT_EQ(radio.handle(QByteArray("W", 1), line), Responder::kNotACommand);  // no writes in a read
    EXPECT_EQ(radio.handle(QByteArray("E", 1), line), 1);
    EXPECT_EQ(line.take(), QByteArray(1, 0x06));
    EXPECT_TRUE(line.ended);
}

TEST(ProgrammingResponder, WritesBlocksAndSetsTheModel)
{
    RadioState state;
    ProgrammingFaults faults;
    faults.nakWriteBlock = 1;
    ProgrammingResponder radio(state, faults);
    RecordingLine line;
    ASSERT_TRUE(radio.linkUp("PROGRAM", line));
    EXPECT_EQ(radio.handle(QByteArray("\x15", 1), line), 1);
    line.take();
    QByteArray frame = QByteArray::fromHex("57028040") + QByteArray(64, 0x11) + QByteArray(1, 0);
    EXPECT_EQ(radio.handle(frame, line), 69);
    EXPECT_EQ(line.take(), QByteArray(1, 0x06));
    EXPECT_EQ(radio.handle(frame, line), 69);  // the faulty block
    EXPECT_EQ(line.take(), QByteArray(1, 0x15));
    EXPECT_EQ(state.writtenBlocks, std::vector<int>{0x0280});
    EXPECT_EQ(state.memory[0x0280], 0x11);

    ASSERT_TRUE(radio.linkUp("MODEL-W", line));
    line.take();
    EXPECT_EQ(radio.handle(QByteArray::fromHex("53"), line), Responder::kNotACommand);  // set model needs the confirm first
    EXPECT_EQ(radio.handle(QByteArray(1, 0x06), line), 1);
    EXPECT_EQ(radio.handle(QByteArray("S") + QByteArray("TL809") + QByteArray(3, char(0xFF)), line), 0);
    EXPECT_EQ(radio.handle(QByteArray("S") + QByteArray("TL809") + QByteArray(3, char(0xFF)) + QByteArray(1, 0), line), 10);
    EXPECT_EQ(state.modelId, QByteArray("TL809\xFF\xFF\xFF"));
    EXPECT_EQ(state.modelWrites, 1);
}

TEST(RadioSimulator, FindsTheLinkWordInNoiseAndSurvivesClientsComingAndGoing)
{
    RadioSimulator sim{SimOptions()};
    ASSERT_TRUE(sim.start());
    {
        RawClient client(sim.devicePath());
        ASSERT_TRUE(client.isOpen());
        client.send(QByteArray("\x00\xFFPRO", 5) + QByteArray("GRAM"));
        EXPECT_EQ(client.receive(1), QByteArray(1, 0x06));
        client.send(QByteArray(1, 0x05));
        EXPECT_EQ(client.receive(15).size(), 15);
    }
    // A half-sent command is dropped after a second of silence; a new client is served.
    RawClient client(sim.devicePath());
    client.send(QByteArray("PROGRAM") + QByteArray(1, 0x10) + QByteArray("R\x00", 2));
    EXPECT_EQ(client.receive(2).size(), 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    client.send(QByteArray("PROGRAM"));
    EXPECT_EQ(client.receive(1), QByteArray(1, 0x06));
    EXPECT_TRUE(sim.isRunning());
    sim.inspect([](RadioState &s) { EXPECT_EQ(s.linkWordCount, 3); });
    sim.stop();
    EXPECT_FALSE(sim.isRunning());
}

TEST(RadioSimulator, WireTimingPacesRepliesAtLineSpeed)
{
    SimOptions options;
    options.wireTiming = true;
    RadioSimulator sim(options);
    ASSERT_TRUE(sim.start());
    RawClient client(sim.devicePath());
    client.send("PROGRAM");
    ASSERT_EQ(client.receive(1), QByteArray(1, 0x06));
    client.send(QByteArray(1, 0x10));
    ASSERT_EQ(client.receive(1).size(), 1);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 10; ++i) {
        client.send(QByteArray::fromHex("52") + char(0) + char(i * 64) + QByteArray::fromHex("40"));
        ASSERT_EQ(client.receive(69).size(), 69);
    }
    // Ten blocks are 730 bytes on the line: 126.7 ms at 57600 baud.
    EXPECT_GE(clock.elapsed(), 126);
}

TEST(RadioSimulator, DisconnectFaultHangsUpTheLine)
{
    SimOptions options;
    options.faults.disconnectAfterBlocks = 0;
    RadioSimulator sim(options);
    ASSERT_TRUE(sim.start());
    RawClient client(sim.devicePath());
    client.send(QByteArray("PROGRAM") + QByteArray(1, 0x10));
    EXPECT_EQ(client.receive(2).size(), 2);
    client.send(QByteArray::fromHex("52000040"));
    EXPECT_TRUE(client.receive(69, 300).isEmpty());
    sim.wait();
    EXPECT_FALSE(sim.isRunning());
    sim.inspect([](RadioState &s) { EXPECT_TRUE(s.events.contains("disconnect")); });
}
