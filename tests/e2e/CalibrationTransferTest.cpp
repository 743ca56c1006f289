// The service mode against the simulated radio over a real pseudo-terminal.

#include "RadioSimulator.h"
#include "TestSupport.h"
#include "app/IniFile.h"
#include "calibration/CMSCommServicePort.h"
#include "calibration/ServiceProtocol.h"
#include "link/CMSComm.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using Mode = ServiceProtocol::Mode;

QByteArray calibrationArea(const uint8_t *bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes) + kCalibrationAreaStart,
                      kCalibrationAreaEnd - kCalibrationAreaStart);
}

// A simulator, a configuration whose port numbers 1..16 name devices that do
// not exist except radioPort, which names the simulator, and a service-mode
// link over the program's port object.
struct CalibrationRig
{
    explicit CalibrationRig(int radioPort = 1, SimOptions options = {}, RadioState initial = {})
        : sim(options, initial)
    {
        QString error;
        started = sim.start(&error);
        EXPECT_TRUE(started) << error.toStdString();
        for (int n = 1; n <= 16; ++n) {
            const QString device = n == radioPort ? sim.devicePath()
                                                  : QDir(config.dir()).filePath(QStringLiteral("absent%1").arg(n));
            IniFile::writeString(config.settingsPath(), QStringLiteral("ports"), QString::number(n), device);
        }
    }

    QByteArray radioArea()
    {
        return sim.inspect([](RadioState &state) { return calibrationArea(state.calibration.data()); });
    }

    TestConfig config;
    RadioSimulator sim;
    bool started = false;
    CMSComm comm{&config.settings()};
    CMSCommServicePort port{comm};
    ServiceProtocol protocol{port};
};

}

TEST(CalibrationTransfer, TableReadBringsTheRadiosCalibrationArea)
{
    CalibrationRig rig;
    ASSERT_TRUE(rig.started);
    CalibrationImage image;
    image.setBytes(0x2000, "outside");
    ASSERT_EQ(rig.protocol.linkUp(Mode::TableRead, 1), CalibrationMessage::None);
    EXPECT_EQ(rig.protocol.foundPort(), 0);
    EXPECT_EQ(rig.protocol.versionReply().left(6), QByteArray("V1.02A"));
    EXPECT_EQ(rig.protocol.readBlocks(image), CalibrationMessage::ReadSucceeded);
    EXPECT_FALSE(rig.comm.IsPortOpen());

    EXPECT_EQ(calibrationArea(image.data()), rig.radioArea());
    EXPECT_EQ(image.bytes(0x2000, 7), QByteArray("outside"));
    EXPECT_EQ(image.byteAt(0x00FF), 0xFF);
    EXPECT_EQ(image.byteAt(0x0280), 0xFF);
}

TEST(CalibrationTransfer, TableWriteReplacesExactlyTheCalibrationArea)
{
    CalibrationRig rig;
    ASSERT_TRUE(rig.started);
    const QByteArray before = rig.sim.inspect([](RadioState &state) {
        return QByteArray(reinterpret_cast<const char *>(state.calibration.data()), RadioState::kCalibrationSize);
    });
    CalibrationImage image;
    for (int i = 0; i < kCalibrationImageSize; ++i)
        image.data()[i] = uint8_t(0xA5 ^ i);
    ASSERT_EQ(rig.protocol.linkUp(Mode::TableWrite, 1), CalibrationMessage::None);
    EXPECT_EQ(rig.protocol.writeBlocks(image), CalibrationMessage::WriteSucceeded);

    rig.sim.inspect([&](RadioState &state) {
        const QByteArray after(reinterpret_cast<const char *>(state.calibration.data()), RadioState::kCalibrationSize);
        EXPECT_EQ(calibrationArea(state.calibration.data()), calibrationArea(image.data()));
        EXPECT_EQ(after.left(kCalibrationAreaStart), before.left(kCalibrationAreaStart));
        EXPECT_EQ(after.mid(kCalibrationAreaEnd), before.mid(kCalibrationAreaEnd));
        EXPECT_EQ(state.events.filter(QStringLiteral("service write block")).size(), kCalibrationBlockCount);
    });
}

TEST(CalibrationTransfer, ScanFindsTheRadioOnALaterPort)
{
    CalibrationRig rig(3);
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.protocol.linkUp(Mode::Adjust, 1), CalibrationMessage::None);
    EXPECT_EQ(rig.protocol.foundPort(), 3);
    EXPECT_EQ(rig.comm.deviceName(), rig.sim.devicePath());
    EXPECT_EQ(rig.protocol.leave(), CalibrationMessage::None);
}

TEST(CalibrationTransfer, NoisyLineStillTransfers)
{
    SimOptions options;
    options.noiseBytes = 5;
    CalibrationRig rig(1, options);
    ASSERT_TRUE(rig.started);
    CalibrationImage image;
    ASSERT_EQ(rig.protocol.linkUp(Mode::TableRead, 1), CalibrationMessage::None);
    EXPECT_EQ(rig.protocol.readBlocks(image), CalibrationMessage::ReadSucceeded);
    EXPECT_EQ(calibrationArea(image.data()), rig.radioArea());
}

TEST(CalibrationTransfer, SilentRadioFailsWithThePortMessage)
{
    SimOptions options;
    options.noAnswer = true;
    CalibrationRig rig(1, options);
    ASSERT_TRUE(rig.started);
    EXPECT_EQ(rig.protocol.linkUp(Mode::Adjust, 1, false), CalibrationMessage::PortFailed);
    EXPECT_FALSE(rig.comm.IsPortOpen());
}

TEST(CalibrationTransfer, AdjustModeTunesMeasuresAndSavesItems)
{
    RadioState initial;
    initial.measurements[0x1E] = 1234;   // VOX 1 level
    initial.measurements[0x18] = 10000;  // 1 % bit errors
    CalibrationRig rig(1, {}, initial);
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.protocol.linkUp(Mode::Adjust, 1), CalibrationMessage::None);

    // High power at CH5, tuned to 200 and saved.
    const AdjustItem &highPower = *AdjustItem::forCode(6);
    rig.protocol.startItem(highPower);
    EXPECT_TRUE(rig.protocol.setValue(highPower.scrollBars()[0].setCode, 200));
    EXPECT_EQ(rig.protocol.saveItem(), CalibrationMessage::None);

    // A tuned value that is quit is not kept.
    const AdjustItem &vco = *AdjustItem::forCode(17);
    rig.protocol.startItem(vco);
    rig.protocol.setValue(vco.scrollBars()[1].setCode, 0x1234);
    EXPECT_EQ(rig.protocol.quitItem(), CalibrationMessage::None);

    // VOX 1 is measured, latched and stored.
    const AdjustItem &vox = *AdjustItem::forCode(87);
    rig.protocol.startItem(vox);
    const auto level = rig.protocol.measure(vox.measureCode());
    ASSERT_TRUE(level);
    EXPECT_EQ(level->text, QStringLiteral("1234"));
    rig.protocol.latch(vox.measureCode());
    CalibrationImage image;
    EXPECT_TRUE(vox.storeMeasurement(image, level->value));
    EXPECT_EQ(rig.protocol.saveItem(), CalibrationMessage::None);

    // The bit error rate of the digital receiver.
    const AdjustItem &ber = *AdjustItem::forCode(94);
    rig.protocol.startItem(ber);
    const auto rate = rig.protocol.measure(ber.measureCode());
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->text, QStringLiteral("1.00000 %"));
    EXPECT_EQ(rig.protocol.leave(), CalibrationMessage::None);
    EXPECT_FALSE(rig.comm.IsPortOpen());

    rig.sim.inspect([&](RadioState &state) {
        EXPECT_EQ(state.calibration[0x0142 + 4], 200);
        EXPECT_NE(state.calibration[0x0156] | (state.calibration[0x0157] << 8), 0x1234);
        EXPECT_EQ(state.calibration[0x0252], 0xD2);
        EXPECT_EQ(state.calibration[0x0253], 0x04);
        EXPECT_EQ(image.bytes(0x0252, 2), QByteArray::fromHex("d204"));
        EXPECT_TRUE(state.events.contains(QStringLiteral("service start item 1e")));
        EXPECT_TRUE(state.events.contains(QStringLiteral("service measure 18")));
    });
}
