// Any bytes as the help file (its first line the topic asked for): the viewer shows the
// contents or the topic, or says why not, and never crashes.
#include "core/UTextFile.h"
#include "widgets/UHelpViewer.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <unistd.h>

namespace {

const std::string& folder() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zandor-fuzz-help-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }();
    return path;
}

} // namespace

// Fontconfig keeps its caches to the end of the process; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 20000)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view topic = input.substr(0, split);
    const std::string_view html =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    // A new name each time: the viewer keeps the file it read last.
    static unsigned long serial = 0;
    const std::string path = folder() + "/help" + std::to_string(++serial % 2) + ".hlp";
    if (!zandor::CurrentFileWriter().WriteFile(path, html).Ok)
        std::abort();
    const QString file = QString::fromStdString(path);
    QString error;
    const bool shown = zandor::HelpViewer().ShowTopic(
        file, QString::fromUtf8(topic.data(), static_cast<qsizetype>(topic.size())), &error);
    if (!shown && error.isEmpty())
        std::abort();
    zandor::HelpViewer().ShowContents(file, &error);
    zandor::HelpViewer().hide();
    return 0;
}
