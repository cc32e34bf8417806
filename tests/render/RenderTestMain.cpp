// Text drawing needs a GUI application; the render tests share one for the whole run.
#include "render/UFonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// Fontconfig keeps its caches to the end of the process; under the leak checker of the
// sanitizer build they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

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
        ASSERT_TRUE(zandor::RegisterCardFonts()) << "the symbol font did not load";
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
