// The one QApplication of the window tests, made before the first test and removed after
// the last.
#include "render/UFonts.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_app = new QApplication(m_argc, m_argv);
        zandor::RegisterCardFonts();
    }
    void TearDown() override { delete m_app; }

private:
    int m_argc = 1;
    char m_name[12] = "stats_tests";
    char* m_argv[2] = {m_name, nullptr};
    QApplication* m_app = nullptr;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

} // namespace
