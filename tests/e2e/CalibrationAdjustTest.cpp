// The service mode's transfers against the simulated radio over a real
// pseudo-terminal. Tuning, measuring and saving over the same line are
// walked through by the adjust dialog's test.

#include "RadioSimulator.h"
#include "TestSupport.h"
#include "calibration/CMSCommServicePort.h"
#include "calibration/ServiceProtocol.h"
#include "link/CMSComm.h"

#include <gtest/gtest.h>

// Each fault option of the simulator ends the service mode's transfers in
// the message the user is to see.
TEST(CalibrationAdjust, SimulatorFaultsEndServiceTransfersInTheirMessages)
{
    using M = CalibrationMessage;
    using Mode = ServiceProtocol::Mode;
    using Short = ProgrammingFaults::ShortReply;
    struct Case
    {
        const char *name;
        ProgrammingFaults faults;
        Mode mode;
        M linkUp;
        M transfer;  // of the block read or write once linked up
    };
    const auto faults = [](auto change) {
        ProgrammingFaults f;
        change(f);
        return f;
    };
    const Case cases[] = {
        {"answer after 3 of 3 tries", faults([](auto &f) { f.answerAfter = 3; }), Mode::TableRead, M::PortFailed, M::None},
        {"answer after 2 of 3 tries", faults([](auto &f) { f.answerAfter = 2; }), Mode::TableRead, M::None, M::ReadSucceeded},
        {"short model", faults([](auto &f) { f.shortReply = Short::Model; }), Mode::Adjust, M::ModelWrong, M::None},
        {"end unanswered", faults([](auto &f) { f.shortReply = Short::EndOfRead; }), Mode::TableWrite, M::None, M::ExitFailed},
        {"end refused", faults([](auto &f) { f.nakEndOfRead = true; }), Mode::TableRead, M::None, M::ExitFailed},
        {"write 4 refused", faults([](auto &f) { f.nakWriteBlock = 4; }), Mode::TableWrite, M::None, M::WriteFailed},
        {"disconnect after 3 blocks", faults([](auto &f) { f.disconnectAfterBlocks = 3; }), Mode::TableRead, M::None, M::ReadFailed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions options;
        options.faults = c.faults;
        RadioState initial;
        initial.calibration.fill(0x11);
        RadioSimulator sim(options, initial);
        ASSERT_TRUE(sim.start());
        CMSComm comm;
        CMSCommServicePort port(comm);
        ServiceProtocol protocol(port, [](int) {});
        ASSERT_TRUE(comm.OpenPort(sim.devicePath(), CMSComm::kBaudRate));
        ASSERT_EQ(protocol.linkUp(c.mode, 0, false), c.linkUp);
        if (c.linkUp != M::None) {
            EXPECT_FALSE(comm.IsPortOpen());
            continue;
        }
        CalibrationImage image;
        if (c.mode == Mode::TableWrite) {
            EXPECT_EQ(protocol.writeBlocks(image), c.transfer);
        } else {
            EXPECT_EQ(protocol.readBlocks(image), c.transfer);
            // A read that did not complete leaves the image as it was.
            EXPECT_EQ(image.byteAt(kCalibrationAreaStart), c.transfer == M::ReadSucceeded ? 0x11 : 0xFF);
        }
        // A write block the radio refused is not stored.
        if (c.faults.nakWriteBlock >= 0)
            sim.inspect([](RadioState &state) {
                EXPECT_EQ(state.calibration[0x0100 + 3 * 0x40], 0xFF);
                EXPECT_EQ(state.calibration[0x0100 + 4 * 0x40], 0x11);
            });
    }
}
