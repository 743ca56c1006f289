// Widgets need a QApplication; the recent-file list must not touch the
// user's own profile.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <memory>

namespace {

class QtApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "test";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment *const environment = ::testing::AddGlobalTestEnvironment(new QtApplication);

}
