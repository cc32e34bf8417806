// Any bytes as a deck name (the first line) and deck lines for the Apprentice export: one
// "//NAME: " line with the name after its last folder separator, then every line, the
// edition cut out of exactly the lines that have one, and the written file the same lines.
#include "core/UTextFile.h"
#include "deck/UDeckFile.h"
#include "fuzz/DeckFuzzBase.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using zandor::fuzz::check;

namespace {

const std::string& folder() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zandor-fuzz-apprentice-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 20000)
        return 0;
    zandor::fuzz::InstallPlainWriter();
    std::vector<std::string> lines = zandor::fuzz::InputLines(data, size, 500);
    if (lines.empty())
        return 0;
    const std::string name = lines.front();
    lines.erase(lines.begin());
    const std::vector<std::string> out = zandor::ApprenticeLines(name, lines);
    check(out.size() == lines.size() + 1);
    const std::size_t separator = name.find_last_of("/\\");
    const std::string shown = separator == std::string::npos ? name : name.substr(separator + 1);
    check(out[0] == "//NAME: " + shown);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::size_t open = line.find('[');
        const bool cut = open != std::string::npos && line.find('-', open) != std::string::npos;
        if (!cut)
            check(out[n + 1] == line);
        else
            check(out[n + 1].size() < line.size() &&
                  out[n + 1].substr(0, open) == line.substr(0, open));
    }
    // Written whole, CR LF after every line.
    const std::string path = folder() + "/export.dec";
    const zandor::TWriteResult written = zandor::ExportApprentice(path, name, lines);
    check(written.Ok);
    std::string bytes;
    check(zandor::ReadWholeFile(path, bytes));
    check(bytes == zandor::JoinLines(out));
    return 0;
}
