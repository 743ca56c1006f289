#include "calibration/ServiceProtocol.h"

#include <gtest/gtest.h>

#include <QSet>
#include <functional>

namespace {

using Mode = ServiceProtocol::Mode;

// A port with a scripted radio behind it. Ports in `openable` open; the
// radio answers only on `radioPort`. Time does not pass: a read returns at
// once with what the radio replied to the last frame, and an unread reply is
// dropped by the next send, as the real port does.
class ScriptedPort : public ServicePort
{
public:
    QSet<int> openable{1};
    int radioPort = 1;
    std::function<QByteArray(const QByteArray &)> radio;  // the reply to a frame

    int openNow = 0;
    QList<int> openAttempts;
    QList<QByteArray> sent;
    QList<std::pair<int, int>> reads;  // count, time-out

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
    int framesSent(const QByteArray &frame) const { return int(sent.count(frame)); }

private:
    QByteArray m_reply;
};

const QByteArray kAck(1, 0x06);

// A radio that answers every service-mode frame correctly; block reads
// return bytes derived from the address.
QByteArray goodRadio(const QByteArray &frame)
{
    if (frame.startsWith("TUNING") || frame == kAck)
        return kAck;
    if (frame == QByteArray(1, 0x02))
        return QByteArray(16, 'M');
    if (frame == QByteArray(1, 0x05))
        return QByteArray(15, 'S');
    if (frame == "V")
        return QByteArray(22, 'V');
    if (frame.size() == 4 && frame[0] == 'F') {
        QByteArray reply = frame;
        reply[0] = 'G';
        const int address = (uint8_t(frame[1]) << 8) | uint8_t(frame[2]);
        for (int i = 0; i < 64; ++i)
            reply.append(char((address / 64) * 16 + i));
        return reply + QByteArray(1, char(0xFF));
    }
    if (frame.size() == 69 && frame[0] == 'G')
        return kAck;
    if (frame == "E" || frame == "CSDT" || frame == "CQUT" || frame == "CTET")
        return kAck;
    return QByteArray(3, 0x06);
}

struct Rig
{
    Rig() { port.radio = goodRadio; }
    ScriptedPort port;
    QList<int> pauses;
    ServiceProtocol protocol{port, [this](int ms) { pauses << ms; }};
};

}

TEST(ServiceProtocol, LinkUpFramesAndThePortScan)
{
    Rig rig;
    EXPECT_EQ(rig.protocol.linkUp(Mode::Adjust, 1), CalibrationMessage::None);
    EXPECT_EQ(rig.port.sent, (QList<QByteArray>{"TUNINGT", QByteArray(1, 0x02), QByteArray(1, 0x05), "V", kAck}));
    EXPECT_EQ(rig.port.reads, (QList<std::pair<int, int>>{{1, 50}, {16, 500}, {15, 500}, {22, 500}, {1, 50}}));
    EXPECT_EQ(rig.pauses, QList<int>{100});

    // A radio on COM3: the first port, then COM1 again, COM2 and COM3, three tries each.
    Rig scan;
    scan.port.openable = {1, 2, 3, 5};
    scan.port.radioPort = 3;
    EXPECT_EQ(scan.protocol.linkUp(Mode::Adjust, 1), CalibrationMessage::None);
    EXPECT_EQ(scan.port.openAttempts, (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(scan.port.framesSent("TUNINGT"), 3 + 3 + 3 + 1);
    EXPECT_EQ(scan.protocol.foundPort(), 3);

    // No radio anywhere: every port is tried and the port ends closed.
    Rig silent;
    silent.port.openable = {2, 7};
    silent.port.radioPort = 0;
    EXPECT_EQ(silent.protocol.linkUp(Mode::TableRead, 2), CalibrationMessage::PortFailed);
    EXPECT_EQ(silent.port.openAttempts.size(), 1 + 16);
    EXPECT_EQ(silent.port.framesSent("TUNINGR"), 3 * 3);  // port 2 twice, port 7 once
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
    const auto failWith = [](const QByteArray &query, int length) {
        Rig rig;
        rig.port.radio = [=](const QByteArray &frame) {
            return frame == query ? QByteArray(length, 'x') : goodRadio(frame);
        };
        const CalibrationMessage result = rig.protocol.linkUp(Mode::Adjust, 1);
        EXPECT_FALSE(rig.port.IsPortOpen());
        return std::pair{result, rig.port.sent};
    };
    const auto [model, modelSent] = failWith(QByteArray(1, 0x02), 15);
    EXPECT_EQ(model, CalibrationMessage::ModelWrong);
    EXPECT_EQ(modelSent.last(), QByteArray(1, 0x02));  // serial and version never asked
    EXPECT_EQ(failWith(QByteArray(1, 0x05), 14).first, CalibrationMessage::SerialWrong);
    EXPECT_EQ(failWith("V", 0).first, CalibrationMessage::VersionWrong);
    EXPECT_EQ(failWith(kAck, 0).first, CalibrationMessage::PortFailed);
}

TEST(ServiceProtocol, BlockReadChangesTheImageOnlyWhenItSucceeds)
{
    const auto readWith = [](std::function<QByteArray(const QByteArray &)> radio, CalibrationImage &image) {
        Rig rig;
        rig.port.radio = std::move(radio);
        EXPECT_EQ(rig.protocol.linkUp(Mode::TableRead, 1), CalibrationMessage::None);
        return rig.protocol.readBlocks(image);
    };
    CalibrationImage image;
    image.setValue(6, 0, 42);
    const CalibrationImage before = image;

    // A short reply is refused even when it begins with "G": its data is missing.
    EXPECT_EQ(readWith([](const QByteArray &frame) {
                  const QByteArray reply = goodRadio(frame);
                  return frame == QByteArray::fromHex("46018040") ? reply.left(40) : reply;
              }, image),
              CalibrationMessage::ReadFailed);
    EXPECT_EQ(readWith([](const QByteArray &frame) { return frame == "E" ? QByteArray("\x15") : goodRadio(frame); },
                       image),
              CalibrationMessage::ExitFailed);
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
    Rig rig;
    CalibrationImage image;
    for (int i = 0; i < kCalibrationImageSize; ++i)
        image.data()[i] = uint8_t(i);
    ASSERT_EQ(rig.protocol.linkUp(Mode::TableWrite, 1), CalibrationMessage::None);
    rig.port.sent.clear();
    rig.pauses.clear();
    EXPECT_EQ(rig.protocol.writeBlocks(image), CalibrationMessage::WriteSucceeded);
    ASSERT_EQ(rig.port.sent.size(), 7);
    EXPECT_EQ(rig.port.sent.first(),
              QByteArray::fromHex("47010040") + image.bytes(0x0100, 64) + QByteArray(1, char(0xFF)));
    EXPECT_EQ(rig.port.sent[5].left(4), QByteArray::fromHex("47024040"));
    EXPECT_EQ(rig.pauses, QList<int>(6, 200));

    Rig refused;
    int blocks = 0;
    refused.port.radio = [&](const QByteArray &frame) {
        return frame[0] == 'G' && ++blocks == 3 ? QByteArray() : goodRadio(frame);
    };
    refused.protocol.linkUp(Mode::TableWrite, 1);
    EXPECT_EQ(refused.protocol.writeBlocks(image), CalibrationMessage::WriteFailed);
    EXPECT_EQ(blocks, 3);
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
    EXPECT_EQ(rig.port.reads, (QList<std::pair<int, int>>{{3, 500}, {3, 500}, {3, 500}, {1, 50}}));
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
    const auto ber = ServiceProtocol::decodeMeasurement(0x18, QByteArray::fromHex("1027000000"));
    ASSERT_TRUE(ber);
    EXPECT_EQ(ber->value, 10000u);
    EXPECT_EQ(ber->text, QStringLiteral("1.00000 %"));
    EXPECT_EQ(ServiceProtocol::decodeMeasurement(0x18, QByteArray::fromHex("ffffffff00"))->text,
              QStringLiteral("429496.72950 %"));
    EXPECT_EQ(ServiceProtocol::decodeMeasurement(0x1E, QByteArray::fromHex("d20499"))->text, QStringLiteral("1234"));
    EXPECT_FALSE(ServiceProtocol::decodeMeasurement(0x18, QByteArray::fromHex("10270000")));
    EXPECT_FALSE(ServiceProtocol::decodeMeasurement(0x1A, QByteArray::fromHex("d204")));
}

TEST(ServiceProtocol, UnansweredSaveQuitAndLeaveCloseThePort)
{
    for (const char *name : {"CSDT", "CQUT", "CTET"}) {
        const QByteArray word(name);
        Rig silent;
        silent.port.radio = [&](const QByteArray &frame) { return frame == word ? QByteArray() : goodRadio(frame); };
        silent.protocol.linkUp(Mode::Adjust, 1);
        const CalibrationMessage result = word == "CSDT"   ? silent.protocol.saveItem()
                                          : word == "CQUT" ? silent.protocol.quitItem()
                                                           : silent.protocol.leave();
        EXPECT_EQ(result, word == "CSDT" ? CalibrationMessage::PortFailed : CalibrationMessage::LeaveFailed) << name;
        EXPECT_FALSE(silent.port.IsPortOpen()) << name;
    }
}
