// The simulated radio's service mode, command by command, including
// incomplete and malformed input.

#include "RadioState.h"
#include "ServiceResponder.h"
#include "SimOptions.h"

#include <gtest/gtest.h>

namespace {

class CollectingLine : public RadioLine
{
public:
    void send(const QByteArray &bytes) override { output += bytes; }
    void disconnect() override {}
    void endSession() override { ended = true; }
    QByteArray take() { return std::exchange(output, QByteArray()); }
    QByteArray output;
    bool ended = false;
};

struct ResponderRig
{
    ResponderRig() : responder(createServiceResponder(state, options)) {}
    int handle(const QByteArray &input) { return responder->handle(input, line); }
    RadioState state;
    SimOptions options;
    std::unique_ptr<Responder> responder;
    CollectingLine line;
};

}

TEST(CalibrationResponder, IncompleteCommandsWaitAndMalformedOnesEndTheSession)
{
    ResponderRig rig;
    EXPECT_TRUE(rig.responder->linkUp("TUNINGW", rig.line));
    EXPECT_EQ(rig.line.take(), QByteArray(1, 0x06));
    // Incomplete: a block header, a block write, a set-value, a tone frame.
    for (const QByteArray &partial : {QByteArray::fromHex("4601"), QByteArray::fromHex("47010040") + QByteArray(10, 0),
                                      QByteArray("CD"), QByteArray::fromHex("4350540501")})
        EXPECT_EQ(rig.handle(partial), 0) << partial.toHex().constData();
    // Blocks that would leave the calibration memory, odd lengths, unknown letters.
    for (const QByteArray &bad : {QByteArray::fromHex("463ff040"), QByteArray::fromHex("46010020"),
                                  QByteArray::fromHex("47ffff40"), QByteArray("CFXU"), QByteArray("CT\x05X")})
        EXPECT_EQ(rig.handle(bad), Responder::kNotACommand) << bad.toHex().constData();
    EXPECT_TRUE(rig.line.output.isEmpty());

    // A complete block write lands in the calibration memory.
    EXPECT_EQ(rig.handle(QByteArray::fromHex("47024040") + QByteArray(64, char(0x3C)) + QByteArray(1, char(0xFF))), 69);
    EXPECT_EQ(rig.line.take(), QByteArray(1, 0x06));
    EXPECT_EQ(rig.state.calibration[0x027F], 0x3C);
    EXPECT_EQ(rig.handle("E"), 1);
    EXPECT_TRUE(rig.line.ended);
}
