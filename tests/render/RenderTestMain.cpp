// Text drawing needs a GUI application; the render tests share one for the whole run.
#include "render/UFonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

class TGuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "render_tests";
        static char* argv[] = {name, nullptr};
        m_app = new QGuiApplication(argc, argv);
        zandor::RegisterCardFonts();
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    QGuiApplication* m_app = nullptr;
};

[[maybe_unused]] const auto* environment = ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

} // namespace
