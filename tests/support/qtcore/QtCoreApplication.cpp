// The serial port needs an event dispatcher on the thread that opens it;
// the test programs' main thread gets one from a QCoreApplication.
#include <QCoreApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <memory>

namespace {

int argc = 1;
char name[] = "test";
char *argv[] = {name, nullptr};

struct QtApplication : ::testing::Environment
{
    // Nothing a test does lands in the user's own data folder.
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QCoreApplication> app;
};

[[maybe_unused]] ::testing::Environment *const environment = ::testing::AddGlobalTestEnvironment(new QtApplication);

}
