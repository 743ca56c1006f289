#include "calibration/ServiceProtocol.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QSet>
#include <functional>

namespace {

using Mode = ServiceProtocol::Mode;
using Reads = QList<std::pair<int, int>>;  // count, time-out
using Radio = std::function<QByteArray(const QByteArray &)>;

// A port with a scripted radio behind it. Ports in `openable` open; the
// radio answers only on `radioPort`. Time does not pass: a read returns at
// once with what the radio replied to the last frame, and an unread reply is
// dropped by the next send, as the real port does.
class ScriptedPort : public ServicePort
{
public:
    QSet<int> openable{1};
    int radioPort = 1;
    Radio radio;
    int openNow = 0;
    QList<int> openAttempts;
    QList<QByteArray> sent;
    Reads reads;

    bool OpenPort(int portNumber) override
    {
        openAttempts << portNumber;
        openNow = openable.contains(portNumber) ? portNumber : 0;
        return openNow != 0;
    }
    bool IsPortOpen() const override { return openNow != 0; }
    void ClosePort() override { openNow = 0; }
    int SendBytes(const QByteArray &frame) override
    {
        sent << frame;
        m_reply = openNow == radioPort ? radio(frame) : QByteArray();
        return 0;
    }
    int ReadBytes(uint8_t *buffer, int count, int timeoutMs) override
    {
        reads << std::pair{count, timeoutMs};
        const QByteArray reply = std::exchange(m_reply, QByteArray());
        const int n = qMin(count, int(reply.size()));
        std::copy_n(reply.begin(), n, buffer);
        return openNow ? n : -1;
    }

private:
    QByteArray m_reply;
};

const QByteArray kAck(1, 0x06);

// A radio that answers every service-mode frame correctly; block reads
// return bytes derived from the address.
QByteArray goodRadio(const QByteArray &frame)
{
    static const QMap<QByteArray, int> identityLengths = {{"\x02", 16}, {"\x05", 15}, {"V", 22}};
    if (identityLengths.contains(frame))
        return QByteArray(identityLengths[frame], 'x');
    if (frame.size() == 4 && frame[0] == 'F') {
        const int address = (uint8_t(frame[1]) << 8) | uint8_t(frame[2]);
        QByteArray reply = "G" + frame.mid(1);
        for (int i = 0; i < 64; ++i)
            reply.append(char((address / 64) * 16 + i));
        return reply + QByteArray(1, char(0xFF));
    }
    // Mode words, identity done, block writes, end of transfer, save, quit, leave.
    if (frame.startsWith("TUNING") || frame == kAck || frame[0] == 'G' || frame == "E" || frame == "CSDT"
        || frame == "CQUT" || frame == "CTET")
        return kAck;
    return QByteArray(3, 0x06);
}

struct Rig
{
    explicit Rig(Radio radio = goodRadio) { port.radio = std::move(radio); }
    ScriptedPort port;
    QList<int> pauses;
    ServiceProtocol protocol{port, [this](int ms) { pauses << ms; }};
};

// A good radio that answers `frame` with `reply` instead.
Radio answering(const QByteArray &frame, const QByteArray &reply)
{
    return [=](const QByteArray &f) { return f == frame ? reply : goodRadio(f); };
}

}

TEST(ServiceProtocol, LinkUpFramesAndThePortScan)
{
    Rig rig;
    EXPECT_EQ(rig.protocol.linkUp(Mode::Adjust, 1), CalibrationMessage::None);
    EXPECT_EQ(rig.port.sent, (QList<QByteArray>{"TUNINGT", "\x02", "\x05", "V", kAck}));
    EXPECT_EQ(rig.port.reads, (Reads{{1, 50}, {16, 500}, {15, 500}, {22, 500}, {1, 50}}));
    EXPECT_EQ(rig.pauses, QList<int>{100});

    // A radio on COM3: the first port, then COM1 again, COM2 and COM3, three tries each.
    Rig scan;
    scan.port.openable = {1, 2, 3, 5};
    scan.port.radioPort = 3;
    EXPECT_EQ(scan.protocol.linkUp(Mode::Adjust, 1), CalibrationMessage::None);
    EXPECT_EQ(scan.port.openAttempts, (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(scan.port.sent.count("TUNINGT"), 3 + 3 + 3 + 1);
    EXPECT_EQ(scan.protocol.foundPort(), 3);

    // No radio anywhere: every port is tried, each table try drains the
    // input first, and the port ends closed.
    Rig silent;
    silent.port.openable = {2, 7};
    silent.port.radioPort = 0;
    EXPECT_EQ(silent.protocol.linkUp(Mode::TableRead, 2), CalibrationMessage::PortFailed);
    EXPECT_EQ(silent.port.openAttempts.size(), 1 + 16);
    EXPECT_EQ(silent.port.sent.count("TUNINGR"), 3 * 3);  // port 2 twice, port 7 once
    EXPECT_EQ(silent.port.reads.mid(0, 2), (Reads{{1000, 500}, {1, 50}}));
    EXPECT_FALSE(silent.port.IsPortOpen());
    EXPECT_EQ(silent.protocol.foundPort(), 0);

    // Without the scan only the first port is tried.
    Rig single;
    single.port.radioPort = 0;
    EXPECT_EQ(single.protocol.linkUp(Mode::Adjust, 1, false), CalibrationMessage::PortFailed);
    EXPECT_EQ(single.port.openAttempts, QList<int>{1});
}

TEST(ServiceProtocol, ShortIdentityRepliesNameTheFailedQuery)
{
    const std::pair<QByteArray, CalibrationMessage> cases[] = {{"\x02", CalibrationMessage::ModelWrong},
                                                               {"\x05", CalibrationMessage::SerialWrong},
                                                               {"V", CalibrationMessage::VersionWrong},
                                                               {kAck, CalibrationMessage::PortFailed}};
    for (const auto &[query, message] : cases) {
        // One byte short (or silent for the identity-done byte).
        Rig rig(answering(query, query == kAck ? QByteArray() : goodRadio(query).chopped(1)));
        EXPECT_EQ(rig.protocol.linkUp(Mode::Adjust, 1), message);
        EXPECT_EQ(rig.port.sent.last(), query);  // nothing is asked after the failed query
        EXPECT_FALSE(rig.port.IsPortOpen());
    }
}

TEST(ServiceProtocol, BlockReadChangesTheImageOnlyWhenItSucceeds)
{
    const auto readWith = [](Radio radio, CalibrationImage &image) {
        Rig rig(std::move(radio));
        EXPECT_EQ(rig.protocol.linkUp(Mode::TableRead, 1), CalibrationMessage::None);
        return rig.protocol.readBlocks(image);
    };
    CalibrationImage image;
    image.setValue(6, 0, 42);
    const CalibrationImage before = image;

    // A short reply is refused even when it begins with "G": its data is missing.
    const QByteArray thirdBlock = QByteArray::fromHex("46018040");
    EXPECT_EQ(readWith(answering(thirdBlock, goodRadio(thirdBlock).left(40)), image), CalibrationMessage::ReadFailed);
    EXPECT_EQ(readWith(answering("E", "\x15"), image), CalibrationMessage::ExitFailed);
    EXPECT_EQ(image, before);

    // A reply of full length is taken whatever its first byte.
    EXPECT_EQ(readWith([](const QByteArray &frame) {
                  QByteArray reply = goodRadio(frame);
                  if (frame[0] == 'F')
                      reply[0] = 'X';
                  return reply;
              }, image),
              CalibrationMessage::ReadSucceeded);
    EXPECT_EQ(image.byteAt(0x0140), 5 * 16);
    EXPECT_EQ(image.byteAt(0x027F), 9 * 16 + 63);
}

TEST(ServiceProtocol, BlockWriteSendsTheSixBlocksWithPauses)
{
    CalibrationImage image;
    for (int i = 0; i < kCalibrationImageSize; ++i)
        image.data()[i] = uint8_t(i);
    Rig rig;
    ASSERT_EQ(rig.protocol.linkUp(Mode::TableWrite, 1), CalibrationMessage::None);
    rig.port.sent.clear();
    rig.pauses.clear();
    EXPECT_EQ(rig.protocol.writeBlocks(image), CalibrationMessage::WriteSucceeded);
    ASSERT_EQ(rig.port.sent.size(), 7);
    EXPECT_EQ(rig.port.sent.first(),
              QByteArray::fromHex("47010040") + image.bytes(0x0100, 64) + QByteArray(1, char(0xFF)));
    EXPECT_EQ(rig.port.sent[5].left(4), QByteArray::fromHex("47024040"));
    EXPECT_EQ(rig.pauses, QList<int>(6, 200));

    // An unacknowledged block ends the write there.
    Rig refused(answering(ServiceProtocol::blockWriteFrame(0x0180, image), QByteArray()));
    ASSERT_EQ(refused.protocol.linkUp(Mode::TableWrite, 1), CalibrationMessage::None);
    EXPECT_EQ(refused.protocol.writeBlocks(image), CalibrationMessage::WriteFailed);
    EXPECT_EQ(refused.port.sent.last().left(4), QByteArray::fromHex("47018040"));
}

TEST(ServiceProtocol, LiveCommandFrames)
{
    Rig rig;
    rig.protocol.linkUp(Mode::Adjust, 1);
    rig.port.sent.clear();
    rig.port.reads.clear();

    rig.protocol.startItem(*AdjustItem::forCode(1));
    EXPECT_EQ(rig.port.sent, (QList<QByteArray>{QByteArray::fromHex("43540155"), "CFMU", "CBWU",
                                                 QByteArray::fromHex("43505401")}));
    EXPECT_EQ(rig.port.reads, (Reads{{3, 500}, {3, 500}, {3, 500}, {1, 50}}));
    rig.port.sent.clear();
    rig.protocol.startItem(*AdjustItem::forCode(62));  // receive item: no signal frame
    EXPECT_EQ(rig.port.sent, (QList<QByteArray>{QByteArray::fromHex("43541955"), "CFLU", "CBNU"}));

    rig.port.sent.clear();
    EXPECT_TRUE(rig.protocol.setValue(0x0A, 63));
    EXPECT_TRUE(rig.protocol.setValue(0x06, 0xBEEF));
    EXPECT_FALSE(rig.protocol.setValue(0x06, 0x10000));
    EXPECT_TRUE(rig.protocol.sendSignal(TransmitSignals::kBerTest));
    EXPECT_TRUE(rig.protocol.sendSignal(TransmitSignals::kAnalogTone, 1000, 200));
    EXPECT_FALSE(rig.protocol.sendSignal(TransmitSignals::kAnalogTone, 3001, 0));
    EXPECT_FALSE(rig.protocol.sendSignal(6));
    rig.protocol.latch(0x1E);
    EXPECT_EQ(rig.port.sent, (QList<QByteArray>{QByteArray::fromHex("43440a3f00"), QByteArray::fromHex("434406efbe"),
                                                 QByteArray::fromHex("43505406"),
                                                 QByteArray::fromHex("43505405e803c8"),
                                                 QByteArray::fromHex("43061e55")}));
    EXPECT_EQ(rig.port.reads.last(), (std::pair{1, 200}));
}

TEST(ServiceProtocol, MeasurementsAreDecodedAndShortRepliesShowNothing)
{
    EXPECT_EQ(ServiceProtocol::decodeMeasurement(0x18, QByteArray::fromHex("1027000000"))->text, "1.00000 %");
    EXPECT_FALSE(ServiceProtocol::decodeMeasurement(0x18, QByteArray::fromHex("10270000")));
    EXPECT_FALSE(ServiceProtocol::decodeMeasurement(0x1A, QByteArray::fromHex("d204")));
}

TEST(ServiceProtocol, UnansweredSaveQuitAndLeaveCloseThePort)
{
    for (const char *name : {"CSDT", "CQUT", "CTET"}) {
        const QByteArray word(name);
        Rig silent(answering(word, QByteArray()));
        silent.protocol.linkUp(Mode::Adjust, 1);
        const CalibrationMessage result = word == "CSDT"   ? silent.protocol.saveItem()
                                          : word == "CQUT" ? silent.protocol.quitItem()
                                                           : silent.protocol.leave();
        EXPECT_EQ(result, word == "CSDT" ? CalibrationMessage::PortFailed : CalibrationMessage::LeaveFailed) << name;
        EXPECT_FALSE(silent.port.IsPortOpen()) << name;
    }
}
