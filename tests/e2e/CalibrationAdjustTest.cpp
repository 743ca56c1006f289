// The adjust mode against the simulated radio over a real pseudo-terminal.

#include "RadioSimulator.h"
#include "TestSupport.h"
#include "app/IniFile.h"
#include "calibration/CMSCommServicePort.h"
#include "calibration/ServiceProtocol.h"
#include "link/CMSComm.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

// Port numbers 1..16 name devices that do not exist, except radioPort, which
// names the simulator's pseudo-terminal.
void mapPorts(const TestConfig &config, int radioPort, const QString &radioDevice)
{
    for (int n = 1; n <= 16; ++n) {
        const QString device = n == radioPort ? radioDevice
                                              : QDir(config.dir()).filePath(QStringLiteral("absent%1").arg(n));
        IniFile::writeString(config.settingsPath(), QStringLiteral("ports"), QString::number(n), device);
    }
}

}

TEST(CalibrationAdjust, ScanTuneMeasureAndSaveOverAPseudoTerminal)
{
    RadioState initial;
    initial.measurements[0x1E] = 1234;   // VOX 1 level
    RadioSimulator sim(SimOptions{}, initial);
    ASSERT_TRUE(sim.start());
    TestConfig config;
    mapPorts(config, 3, sim.devicePath());
    CMSComm comm(&config.settings());
    CMSCommServicePort port(comm);
    ServiceProtocol protocol(port);

    // The scan finds the radio on COM3.
    ASSERT_EQ(protocol.linkUp(ServiceProtocol::Mode::Adjust, 1), CalibrationMessage::None);
    EXPECT_EQ(protocol.foundPort(), 3);

    // High power at CH5 tuned to 200 and saved; a VCO value tuned and quit is not kept.
    protocol.startItem(*AdjustItem::forCode(6));
    EXPECT_TRUE(protocol.setValue(0x02, 200));
    EXPECT_EQ(protocol.saveItem(), CalibrationMessage::None);
    protocol.startItem(*AdjustItem::forCode(17));
    protocol.setValue(0x06, 0x1234);
    EXPECT_EQ(protocol.quitItem(), CalibrationMessage::None);

    // VOX 1 is measured, latched and saved.
    const AdjustItem &vox = *AdjustItem::forCode(87);
    protocol.startItem(vox);
    const auto level = protocol.measure(vox.measureCode());
    ASSERT_TRUE(level);
    EXPECT_EQ(level->text, QStringLiteral("1234"));
    protocol.latch(vox.measureCode());
    EXPECT_EQ(protocol.saveItem(), CalibrationMessage::None);
    // The bit error rate comes as a 5-byte reply (the simulator reports 1 %).
    const auto ber = protocol.measure(ServiceProtocol::kBitErrorRateCode);
    ASSERT_TRUE(ber);
    EXPECT_EQ(ber->text, QStringLiteral("1.00000 %"));
    EXPECT_EQ(protocol.leave(), CalibrationMessage::None);
    EXPECT_FALSE(comm.IsPortOpen());

    sim.inspect([&](RadioState &state) {
        EXPECT_EQ(state.calibration[0x0142 + 4], 200);
        EXPECT_NE(state.calibration[0x0156] | (state.calibration[0x0157] << 8), 0x1234);
        EXPECT_EQ(state.calibration[0x0252], 0xD2);
        EXPECT_EQ(state.calibration[0x0253], 0x04);
        EXPECT_TRUE(state.events.contains(QStringLiteral("service start item 1e")));
    });
}

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
        {"short serial", faults([](auto &f) { f.shortReply = Short::Query05; }), Mode::TableRead, M::SerialWrong, M::None},
        {"short version", faults([](auto &f) { f.shortReply = Short::Version; }), Mode::TableWrite, M::VersionWrong, M::None},
        {"short block 2", faults([](auto &f) { f.shortReply = Short::Block; f.shortBlock = 2; }), Mode::TableRead, M::None, M::ReadFailed},
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
