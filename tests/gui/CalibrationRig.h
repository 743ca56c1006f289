#pragma once

// A simulated radio on a pseudo-terminal for the calibration dialogs: port 1
// of a private configuration names it, ports 2..16 name devices that do not
// exist, so the link-up's port scan never touches a real serial port.

#include "RadioSimulator.h"
#include "GuiRig.h"
#include "app/TranslateDialog.h"

#include <gtest/gtest.h>
#include <memory>

struct CalibrationRig
{
    explicit CalibrationRig(const SimOptions &options = SimOptions(), const QString &language = QStringLiteral("english"))
        : options(options)
    {
        config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), language);
        config.reload();
    }

    void startRadio(const RadioState &initial = RadioState())
    {
        sim = std::make_unique<RadioSimulator>(options, initial);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
        mapPorts(config, 1, sim->devicePath());
        config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("1"));
    }

    QStringList radioEvents() { return sim->inspect([](RadioState &state) { return state.events; }); }

    SimOptions options;
    TestConfig config;
    RecordingPrompter prompter;
    std::unique_ptr<RadioSimulator> sim;
};
