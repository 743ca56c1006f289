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

TEST(CalibrationResponder, AnswersTheLinkUpAndIdentityQueries)
{
    ResponderRig rig;
    EXPECT_TRUE(rig.responder->acceptsLinkWord("TUNINGR"));
    EXPECT_FALSE(rig.responder->acceptsLinkWord("PROGRAM"));
    EXPECT_TRUE(rig.responder->linkUp("TUNINGT", rig.line));
    EXPECT_EQ(rig.line.take(), QByteArray(1, 0x06));
    EXPECT_EQ(rig.handle(QByteArray(1, 0x02)), 1);
    EXPECT_EQ(rig.line.take().size(), 16);
    EXPECT_EQ(rig.handle(QByteArray(1, 0x05)), 1);
    EXPECT_EQ(rig.line.take().size(), 15);
    EXPECT_EQ(rig.handle("V"), 1);
    EXPECT_EQ(rig.line.take().size(), 22);
    EXPECT_EQ(rig.handle("Z"), Responder::kNotACommand);
}

TEST(CalibrationResponder, IncompleteCommandsWaitAndMalformedOnesEndTheSession)
{
    ResponderRig rig;
    rig.responder->linkUp("TUNINGW", rig.line);
    rig.line.take();
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
    EXPECT_EQ(rig.handle("CBQU"), Responder::kNotACommand);
    EXPECT_EQ(rig.handle("CT\x05X"), Responder::kNotACommand);
    EXPECT_TRUE(rig.line.output.isEmpty());

    // A complete block write lands in the calibration memory.
    const QByteArray data(64, char(0x3C));
    EXPECT_EQ(rig.handle(QByteArray::fromHex("47024040") + data + QByteArray(1, char(0xFF))), 69);
    EXPECT_EQ(rig.line.take(), QByteArray(1, 0x06));
    EXPECT_EQ(rig.state.calibration[0x0240], 0x3C);
    EXPECT_EQ(rig.state.calibration[0x027F], 0x3C);
    EXPECT_EQ(rig.handle("E"), 1);
    EXPECT_TRUE(rig.line.ended);
}

TEST(CalibrationResponder, TunedValuesWaitForSaveAtTheSelectedPoint)
{
    ResponderRig rig;
    rig.responder->linkUp("TUNINGT", rig.line);
    const uint8_t adjust1 = rig.state.calibration[0x0140];

    // Code 0x01 on a wide channel is "Frequency Adjust 2K5".
    EXPECT_EQ(rig.handle("CFMU"), 4);
    EXPECT_EQ(rig.handle("CBWU"), 4);
    EXPECT_EQ(rig.handle(QByteArray::fromHex("4344017700")), 5);
    EXPECT_EQ(rig.state.calibration[0x0141], uint8_t((0x0141 * 7 + 0x30) & 0xFF));  // not yet saved
    EXPECT_EQ(rig.handle("CSDT"), 4);
    EXPECT_EQ(rig.state.calibration[0x0141], 0x77);
    EXPECT_EQ(rig.state.calibration[0x0140], adjust1);

    // A word parameter at CH2, dropped by quit.
    EXPECT_EQ(rig.handle("CFlU"), 4);
    EXPECT_EQ(rig.handle(QByteArray::fromHex("4344063412")), 5);
    EXPECT_EQ(rig.handle("CQUT"), 4);
    EXPECT_NE(rig.state.calibration[0x0158], 0x34);
    EXPECT_EQ(rig.handle(QByteArray::fromHex("4344063412")), 5);
    EXPECT_EQ(rig.handle("CSDT"), 4);
    EXPECT_EQ(rig.state.calibration[0x0158], 0x34);
    EXPECT_EQ(rig.state.calibration[0x0159], 0x12);

    // A latched level is stored as the parameter's largest value when it is beyond it.
    rig.state.measurements[0x20] = 999;
    rig.line.take();
    EXPECT_EQ(rig.handle(QByteArray::fromHex("43022055")), 4);
    EXPECT_EQ(rig.line.take(), QByteArray::fromHex("e70300"));
    EXPECT_EQ(rig.handle(QByteArray::fromHex("43062055")), 4);
    EXPECT_EQ(rig.handle("CSDT"), 4);
    EXPECT_EQ(rig.state.calibration[0x0256], 255);
    rig.line.take();
    EXPECT_EQ(rig.handle("CTET"), 4);
    EXPECT_EQ(rig.line.take(), QByteArray(1, 0x06));
    EXPECT_TRUE(rig.line.ended);
}
