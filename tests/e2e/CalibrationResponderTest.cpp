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
    EXPECT_FALSE(rig.responder->acceptsLinkWord("PROGRAM"));
    EXPECT_TRUE(rig.responder->linkUp("TUNINGW", rig.line));
    EXPECT_EQ(rig.line.take(), QByteArray(1, 0x06));
    EXPECT_EQ(rig.handle(QByteArray::fromHex("4601")), 0);
    EXPECT_EQ(rig.handle(QByteArray::fromHex("47010040") + QByteArray(10, 0)), 0);
    EXPECT_EQ(rig.handle("CD"), 0);
    EXPECT_EQ(rig.handle(QByteArray::fromHex("4350540501")), 0);  // tone frame still arriving
    EXPECT_TRUE(rig.line.output.isEmpty());

    // Blocks that would leave the calibration memory, odd lengths, unknown letters.
    EXPECT_EQ(rig.handle(QByteArray::fromHex("463ff040")), Responder::kNotACommand);
    EXPECT_EQ(rig.handle(QByteArray::fromHex("46010020")), Responder::kNotACommand);
    EXPECT_EQ(rig.handle(QByteArray::fromHex("47ffff40")), Responder::kNotACommand);
    EXPECT_EQ(rig.handle("CFXU"), Responder::kNotACommand);
    EXPECT_EQ(rig.handle("CT\x05X"), Responder::kNotACommand);
    EXPECT_TRUE(rig.line.output.isEmpty());

    // A complete block write lands in the calibration memory.
    const QByteArray data(64, char(0x3C));
    EXPECT_EQ(rig.handle(QByteArray::fromHex("47024040") + data + QByteArray(1, char(0xFF))), 69);
    EXPECT_EQ(rig.line.take(), QByteArray(1, 0x06));
    EXPECT_EQ(rig.state.calibration[0x027F], 0x3C);
    EXPECT_EQ(rig.handle("E"), 1);
    EXPECT_TRUE(rig.line.ended);
}
