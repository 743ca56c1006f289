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

    // High power at CH5, tuned to 200 and saved.
    const AdjustItem &highPower = *AdjustItem::forCode(6);
    protocol.startItem(highPower);
    EXPECT_TRUE(protocol.setValue(highPower.scrollBars()[0].setCode, 200));
    EXPECT_EQ(protocol.saveItem(), CalibrationMessage::None);

    // A tuned value that is quit is not kept.
    const AdjustItem &vco = *AdjustItem::forCode(17);
    protocol.startItem(vco);
    protocol.setValue(vco.scrollBars()[1].setCode, 0x1234);
    EXPECT_EQ(protocol.quitItem(), CalibrationMessage::None);

    // VOX 1 is measured, latched and stored.
    const AdjustItem &vox = *AdjustItem::forCode(87);
    protocol.startItem(vox);
    const auto level = protocol.measure(vox.measureCode());
    ASSERT_TRUE(level);
    EXPECT_EQ(level->text, QStringLiteral("1234"));
    protocol.latch(vox.measureCode());
    CalibrationImage image;
    EXPECT_TRUE(vox.storeMeasurement(image, level->value));
    EXPECT_EQ(protocol.saveItem(), CalibrationMessage::None);

    EXPECT_EQ(protocol.leave(), CalibrationMessage::None);
    EXPECT_FALSE(comm.IsPortOpen());

    sim.inspect([&](RadioState &state) {
        EXPECT_EQ(state.calibration[0x0142 + 4], 200);
        EXPECT_NE(state.calibration[0x0156] | (state.calibration[0x0157] << 8), 0x1234);
        EXPECT_EQ(state.calibration[0x0252], 0xD2);
        EXPECT_EQ(state.calibration[0x0253], 0x04);
        EXPECT_EQ(image.bytes(0x0252, 2), QByteArray::fromHex("d204"));
        EXPECT_TRUE(state.events.contains(QStringLiteral("service start item 1e")));
    });
}
