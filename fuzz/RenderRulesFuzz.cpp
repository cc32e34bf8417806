// Any bytes as rules and flavour text (split at the first LF): word building and every
// markup token, in any order and unbalanced, lay out without a crash or an endless loop.
#include "render/UFonts.h"
#include "render/URulesText.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <string_view>

// Fontconfig keeps its caches to the end of the process; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    zandor::RegisterCardFonts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A long card's text is a few hundred characters; longer inputs only slow the fitting
    // (the cut of very long texts has a test of its own).
    if (size > 600)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view text = input.substr(0, split);
    const std::string_view flavor =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    const auto words = zandor::RulesWords(text, flavor);
    if (words.empty() && !(text.find('^') != std::string_view::npos))
        std::abort(); // only a lone "^" with a blank flavour leaves no word
    zandor::TRulesLayers layers;
    const int step = size ? 1 + data[0] % 3 : 1;
    zandor::LayoutRulesBox(text, flavor, 180, 90, 8, step, layers);
    if (layers.Text.size() != QSize(180, 90) || layers.TextSize < 1)
        std::abort();
    return 0;
}
